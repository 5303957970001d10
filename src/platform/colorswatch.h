#pragma once

#include <QColor>
#include <QWidget>

namespace ondalis {

// A small coloured square that the user clicks (or activates with Space / Enter) to change a
// display colour. Its colour is the store of that choice.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
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
