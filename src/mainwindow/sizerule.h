#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

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

// The size rule kept on a top-level window: applied at start-up and whenever the window is shown,
// resized, moved to another frame or changes state. The window forwards those events here.
class WindowSizeRule {
public:
    explicit WindowSizeRule(QWidget& window) : window_(window) {}

    // Fixes the window's size and place on a narrow screen, frees them on a wide one.
    void apply();

    void windowShown() { apply(); }
    void windowResized() { apply(); }
    void windowStateChanged() { apply(); }
    // The window manager has framed the window (or changed its frame): the outer size again.
    void windowMoved();

private:
    void setSizeFixed(bool fixed);
    QMargins frameMargins() const;

    QWidget& window_;
    bool applying_ = false;
    bool sizeFixed_ = false;
    QMargins appliedMargins_;  // the frame the rule last allowed for
};

}  // namespace ondalis
