#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>

namespace ondalis {

// The main window's size rule. On a screen narrower than 850 pixels the whole window, frame
// included, is 800 × 600 pixels, centred on the screen, and neither the user nor the window
// manager may resize or maximise it. On a wider screen the window keeps whatever size and
// place the user gives it.
inline constexpr int narrowScreenWidth = 850;
inline constexpr QSize fixedWindowSize{800, 600};

// Where the whole window goes on `screen`; nullopt on a wide screen (no rule).
std::optional<QRect> fixedWindowFrame(const QRect& screen);

// The client area inside `frame` once the window manager's frame (`margins`) is taken off.
QRect clientArea(const QRect& frame, const QMargins& margins);

}  // namespace ondalis
