#include "platform/core/periodictimer.h"

#include <QTimer>

namespace ondalis {

QtPeriodicTimer::QtPeriodicTimer(int periodMs, QObject* parent)
    : PeriodicTimer(parent), timer_(new QTimer(this)) {
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(periodMs);
    connect(timer_, &QTimer::timeout, this, &PeriodicTimer::timeout);
}

void QtPeriodicTimer::setEnabled(bool enabled) {
    if (enabled == timer_->isActive()) return;
    if (enabled)
        timer_->start();
    else
        timer_->stop();
}

bool QtPeriodicTimer::isEnabled() const { return timer_->isActive(); }

}  // namespace ondalis
