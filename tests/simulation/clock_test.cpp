#include <gtest/gtest.h>

#include "simulation/clock.h"

namespace ondalis {
namespace {

TEST(Clock, stepIsTheSmallerOfAFiftiethOfThePeriodAnd50ms) {
    // No recording in the way: t is past D.
    EXPECT_DOUBLE_EQ(advanceClock(10, 5, 0.2808f, false, 51).t, 10.05);
    EXPECT_NEAR(advanceClock(10, 5, 0.0151f, false, 51).t, 10.0151, 1e-7);
    EXPECT_DOUBLE_EQ(advanceClock(10, 5, 0.2808f, true, 51).t, 10.005);
}

// Runs the clock the way the ticks do: a row is written whenever the clock has flagged one
// (and at t = 0), while t ≤ D.
std::vector<double> recordedInstants(float duration, float stepLimit, int ticks) {
    std::vector<double> rows;
    double t = 0;
    bool due = false;
    for (int i = 0; i < ticks; ++i) {
        if (float(t) <= duration) {
            if (t == 0)
                rows.assign(1, 0.0);
            else if (due)
                rows.push_back(t);
            due = false;
        }
        const ClockAdvance next = advanceClock(t, duration, stepLimit, false, int(rows.size()));
        t = next.t;
        due = next.sampleDue;
    }
    return rows;
}

TEST(Clock, everySamplingInstantIsHitExactlyOnce) {
    struct Case {
        float duration;
        float stepLimit;
    };
    for (const Case c : {Case{5, 0.0151f}, Case{1, 0.0151f}, Case{0.5f, 0.0178f},
                         Case{0.001f, 0.0151f}, Case{600, 0.05f}}) {
        const std::vector<double> rows = recordedInstants(c.duration, c.stepLimit, 20000);
        ASSERT_EQ(rows.size(), 51u) << "D = " << c.duration;
        for (int k = 0; k <= 50; ++k)
            EXPECT_DOUBLE_EQ(rows[k], samplingInstant(c.duration, k)) << "D = " << c.duration;
        EXPECT_DOUBLE_EQ(rows.back(), decimalDuration(c.duration));
    }
}

TEST(Clock, samplingInstantsAreTheDecimalMultiples) {
    EXPECT_DOUBLE_EQ(samplingInstant(5, 3), 0.3);
    EXPECT_DOUBLE_EQ(samplingInstant(1, 7), 0.14);
    EXPECT_DOUBLE_EQ(samplingInstant(0.001f, 50), 0.001);
    EXPECT_DOUBLE_EQ(samplingInstant(600, 1), 12);
}

TEST(Clock, aStepLargerThanTheSamplingIntervalLandsOnEachInstant) {
    // D = 0.5 s, D/50 = 0.01 s, step 0.0178 s: one sample per tick.
    double t = 0;
    for (int n = 1; n <= 50; ++n) {
        const ClockAdvance next = advanceClock(t, 0.5f, 0.0178f, false, n);
        EXPECT_TRUE(next.sampleDue);
        EXPECT_DOUBLE_EQ(next.t, samplingInstant(0.5f, n));
        t = next.t;
    }
}

TEST(Clock, afterTheLastRowTheClockMayStopOnceMoreThenRunsFreely) {
    const double d = 1.0;
    ClockAdvance next = advanceClock(d, 1.0f, 0.05f, false, 51);
    EXPECT_DOUBLE_EQ(next.t, 51 * d / 50);  // pulled back onto D·51/50
    EXPECT_TRUE(next.sampleDue);
    next = advanceClock(next.t, 1.0f, 0.05f, false, 51);
    EXPECT_FALSE(next.sampleDue);
    EXPECT_DOUBLE_EQ(next.t, 1.02 + 0.05);
}

TEST(Clock, withoutRowsTheClockStaysOnZero) {
    // Until the row of t = 0 is written, the next instant is 0.
    EXPECT_DOUBLE_EQ(advanceClock(0, 5, 0.0151f, false, 0).t, 0);
    EXPECT_DOUBLE_EQ(advanceClock(0, 5, 0.0151f, true, 0).t, 0);
}

}  // namespace
}  // namespace ondalis
