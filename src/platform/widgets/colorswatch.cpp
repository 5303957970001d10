#include "platform/widgets/colorswatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/widgets/focusmark.h"

namespace ondalis {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    resize(17, 17);
}

void ColorSwatch::setColor(const QColor& c) {
    color_ = c;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    if (showsFocusMark(*this)) {
        // In place of the grey edge, a ring of the focus colour with a white line inside it,
        // which stands out whatever the swatch's colour.
        drawFocusRing(p, rect(), focusMarkColor(*this), FocusRingWidth);
        drawFocusRing(
            p, rect().adjusted(FocusRingWidth, FocusRingWidth, -FocusRingWidth, -FocusRingWidth),
            Qt::white, 1);
        return;
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace ondalis
