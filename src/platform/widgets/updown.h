#pragma once

#include <QString>
#include <QWidget>

class QToolButton;

namespace ondalis {

// An up-down control: two stacked arrow buttons that step an integer value by 1 within a
// range (up adds 1). Keyboard: Up / Right and Down / Left step it, Home and End go to the
// ends. Screen readers see a spin box whose value text is set by the owner.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    // Clamped into the range; valueChanged is emitted when the value changes.
    void setValue(int value);
    void stepUp() { setValue(value_ + 1); }
    void stepDown() { setValue(value_ - 1); }

    // What a screen reader reads as the value (the value itself when empty).
    QString valueText() const { return valueText_; }
    void setValueText(const QString& text);
    // Accessible names of the two arrows.
    void setArrowNames(const QString& up, const QString& down);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;

signals:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 10;
    QString valueText_;
};

}  // namespace ondalis
