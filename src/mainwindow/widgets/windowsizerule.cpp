#include "mainwindow/widgets/windowsizerule.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace ondalis {

QMargins WindowSizeRule::frameMargins() const {
    const QWindow* handle = window_.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void WindowSizeRule::apply() {
    QScreen* s = window_.screen();
    if (!s || applying_) return;
    const std::optional<QRect> frame = fixedWindowFrame(s->geometry());
    applying_ = true;
    setSizeFixed(frame.has_value());
    if (frame) {
        if (window_.windowState() &
            (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
            window_.setWindowState(Qt::WindowNoState);
        // The frame is the window manager's: until the window is mapped its size is not known,
        // and the rule is applied again once it is.
        appliedMargins_ = frameMargins();
        window_.setFixedSize(clientArea(*frame, appliedMargins_).size());
        window_.move(frame->topLeft());
    }
    applying_ = false;
}

void WindowSizeRule::setSizeFixed(bool fixed) {
    if (fixed == sizeFixed_) return;
    sizeFixed_ = fixed;
    if (!fixed) {
        window_.setMinimumSize(0, 0);
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // A window of fixed size offers no maximise button (and the window manager no maximise).
    const Qt::WindowFlags fixedFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                       Qt::WindowCloseButtonHint;
    const bool shown = window_.isVisible();
    window_.setWindowFlags(fixed ? fixedFlags : Qt::WindowFlags(Qt::Window));
    if (shown) window_.show();
}

void WindowSizeRule::windowMoved() {
    if (sizeFixed_ && frameMargins() != appliedMargins_) apply();
}

}  // namespace ondalis
