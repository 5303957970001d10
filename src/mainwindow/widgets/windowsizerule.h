#pragma once

#include <QMargins>

#include "mainwindow/sizerule.h"

class QWidget;

namespace ondalis {

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
