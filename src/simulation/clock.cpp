#include "simulation/clock.h"

#include <QString>

namespace ondalis {

double decimalDuration(float duration) {
    // The shortest decimal text of a single brings back the value the duration table holds.
    return QString::number(duration, 'g', 7).toDouble();
}

double samplingInstant(float duration, int n) { return decimalDuration(duration) * n / 50.0; }

ClockAdvance advanceClock(double t, float duration, float stepLimit, bool slowMotion,
                          int rowsRecorded) {
    const bool recording = float(t) <= duration;
    double step = 0.05;
    if (double(stepLimit) < step) step = stepLimit;
    ClockAdvance next{t + (slowMotion ? step / 10.0 : step), false};
    if (recording && next.t > 0) {
        const double instant = samplingInstant(duration, rowsRecorded);
        if (next.t >= instant) {
            next.t = instant;
            next.sampleDue = true;
        }
    }
    return next;
}

}  // namespace ondalis
