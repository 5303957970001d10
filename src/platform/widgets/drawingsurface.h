#pragma once

#include <QWidget>
#include <functional>

#include "platform/canvas/canvas.h"

namespace ondalis {

// The widget that shows a Canvas: a picture area that keeps a persistent image of everything
// drawn on it, repainted from that image (the image is what gets copied and printed). On a
// screen whose pixel ratio is above 1 it shows the drawing at the screen's resolution instead
// of enlarging the image. Its canvas follows the widget's size.
class DrawingSurface : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget* parent = nullptr);
    ~DrawingSurface() override;

    using Canvas::render;
    using Canvas::setFont;
    using QWidget::render;

    // Resizes the widget and its image together; what was drawn stays at the top-left.
    void setSurfaceSize(int w, int h);

    // Shows the image now (used where the program forces an immediate refresh).
    void refreshNow();

    // What a screen reader hears as the picture's description, computed only when it asks, so
    // that it follows what is drawn at no cost while drawing. A described surface is reported
    // as a graphic.
    void setDescriber(std::function<QString()> describe) { describer_ = std::move(describe); }
    bool isDescribed() const { return bool(describer_); }
    QString description() const { return describer_ ? describer_() : accessibleDescription(); }

    // A surface reached from the keyboard shows a ring `width` pixels wide over its edge while
    // it has the focus; on the screen only, never in the image that is copied and printed.
    void setFocusRing(int width) { focusRing_ = width; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void mouseReleased(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    QSize wantedImageSize() const override { return size(); }
    void imageChanged(const QRect& area) override { update(area); }
    void imageChanged(const QRegion& area) override { update(area); }

private:
    std::function<QString()> describer_;
    int focusRing_ = 0;
};

}  // namespace ondalis
