#pragma once

#include <QObject>

class QTimer;

namespace ondalis {

// A timer that can be enabled and disabled and emits timeout() at its period while enabled.
class PeriodicTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

signals:
    void timeout();
};

// The platform timer, precise to the millisecond.
class QtPeriodicTimer : public PeriodicTimer {
    Q_OBJECT
public:
    explicit QtPeriodicTimer(int periodMs, QObject* parent = nullptr);
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

private:
    QTimer* timer_;
};

// A timer that only fires when told to: tests and headless runs step it by hand.
class ManualTimer : public PeriodicTimer {
    Q_OBJECT
public:
    using PeriodicTimer::PeriodicTimer;
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    // Emits one timeout if enabled; returns whether it fired.
    bool fire() {
        if (!enabled_) return false;
        emit timeout();
        return true;
    }

private:
    bool enabled_ = false;
};

}  // namespace ondalis
