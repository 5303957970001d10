#include "platform/widgets/focusmark.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace ondalis {

bool showsFocusMark(const QWidget& control) {
    QStyleOption option;
    option.initFrom(&control);
    return (option.state & QStyle::State_HasFocus) &&
           (option.state & QStyle::State_KeyboardFocusChange);
}

QColor focusMarkColor(const QWidget& control) {
    return control.palette().color(QPalette::Active, QPalette::Highlight).darker(125);
}

void drawFocusRing(QPainter& painter, const QRect& area, const QColor& color, int width) {
    if (area.width() <= 2 * width || area.height() <= 2 * width) {
        painter.fillRect(area, color);
        return;
    }
    const int l = area.left(), t = area.top(), w = area.width(), h = area.height();
    painter.fillRect(QRect(l, t, w, width), color);
    painter.fillRect(QRect(l, t + h - width, w, width), color);
    painter.fillRect(QRect(l, t + width, width, h - 2 * width), color);
    painter.fillRect(QRect(l + w - width, t + width, width, h - 2 * width), color);
}

}  // namespace ondalis
