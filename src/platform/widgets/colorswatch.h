#pragma once

#include <QColor>
#include <QWidget>

namespace ondalis {

// A small coloured square that the user clicks (or activates with Space / Enter) to change a
// display colour. Its colour is the store of that choice. It has a grey edge; with the keyboard
// focus, a ring of the focus colour FocusRingWidth pixels wide and a white line inside it.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    static constexpr int FocusRingWidth = 2;

    explicit ColorSwatch(QWidget* parent = nullptr);
    QColor color() const { return color_; }
    void setColor(const QColor& c);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_ = Qt::black;
};

}  // namespace ondalis
