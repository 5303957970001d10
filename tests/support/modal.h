#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace ondalis::testing {

// Drives the next modal window of the program: `interact` runs on it once it is up (the
// program's exec() is running). If no such window comes, or it is still open after `seconds`
// (the interaction did not close it), the test fails and the window is closed, so that a test
// never hangs on a modal window. Keep the object alive until exec() has returned.
template <typename Window>
class OnModal {
public:
    explicit OnModal(std::function<void(Window&)> interact, int seconds = 10)
        : poll_(std::make_unique<QTimer>()), watchdog_(std::make_unique<QTimer>()) {
        poll_->setInterval(5);
        QObject::connect(poll_.get(), &QTimer::timeout, [this, interact] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (!window) return;
            poll_->stop();
            seen_ = true;
            interact(*window);
        });
        watchdog_->setSingleShot(true);
        QObject::connect(watchdog_.get(), &QTimer::timeout, [this] {
            poll_->stop();
            if (!seen_) ADD_FAILURE() << "no modal window of the expected kind came up";
            if (QWidget* open = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a modal window stayed open: "
                              << open->windowTitle().toStdString();
                open->close();
            }
        });
        poll_->start();
        watchdog_->start(seconds * 1000);
    }

    bool seen() const { return seen_; }

private:
    std::unique_ptr<QTimer> poll_;
    std::unique_ptr<QTimer> watchdog_;
    bool seen_ = false;
};

}  // namespace ondalis::testing
