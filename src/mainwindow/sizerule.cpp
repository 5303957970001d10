#include "mainwindow/sizerule.h"

namespace ondalis {

std::optional<QRect> fixedWindowFrame(const QRect& screen) {
    if (screen.width() >= narrowScreenWidth) return std::nullopt;
    const int left = screen.left() + (screen.width() - fixedWindowSize.width()) / 2;
    const int top = screen.top() + (screen.height() - fixedWindowSize.height()) / 2;
    return QRect(QPoint(left, top), fixedWindowSize);
}

QRect clientArea(const QRect& frame, const QMargins& margins) { return frame - margins; }

}  // namespace ondalis
