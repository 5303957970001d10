#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

// The mark that a control drawn by the program shows while it has the keyboard focus, as the
// platform's own controls do: drawn over the control's usual picture, which is unchanged
// without the focus.
namespace ondalis {

// Whether `control` shows its focus mark now. By the platform's rule the mark shows while the
// control has the focus, once the focus has been moved with the keyboard in its window (Tab,
// the arrows, an accelerator); before that a click alone shows none.
bool showsFocusMark(const QWidget& control);

// The platform's focus colour for `control`: its highlight a shade darker, the outline that
// the platform's own fields take with the focus.
QColor focusMarkColor(const QWidget& control);

// Fills a ring `width` pixels wide just inside `area`.
void drawFocusRing(QPainter& painter, const QRect& area, const QColor& color, int width);

}  // namespace ondalis
