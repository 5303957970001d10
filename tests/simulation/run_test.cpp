// The run without any window: reset, ticks, sampling instants, pause and drag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulation/run.h"

namespace ondalis {
namespace {

const OscillatorParameters kDefaultsAtFive{5, 145, 10, 0.2f};

// Ticks until the clock has passed D, plus `extra` ticks; returns the number of ticks.
int runPastDuration(Run& run, bool slowMotion, int extra = 3) {
    int ticks = 0;
    while (float(run.clockTime()) <= run.settings().duration && ticks < 1000000) {
        run.tick(slowMotion);
        ++ticks;
    }
    for (int i = 0; i < extra; ++i) run.tick(slowMotion);
    return ticks;
}

TEST(Run, reset_stops_on_x0_at_t_0_and_the_first_tick_records_x0) {
    ondalis::Run run;
    run.reset(kDefaultsAtFive);
    run.start();
    for (int i = 0; i < 20; ++i) run.tick(false);
    ASSERT_GT(run.rows(), 1);
    ASSERT_GT(run.clockTime(), 0.2);

    run.reset({-3, 145, 10, 0.2f});
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(run.clockTime(), 0);
    EXPECT_EQ(run.sample().t, 0);
    EXPECT_EQ(run.sample().x, -3.0f);
    EXPECT_EQ(run.rows(), 0);
    EXPECT_FALSE(run.settings().sampleDue);
    EXPECT_FALSE(run.frame().rowAdded);
    EXPECT_FALSE(run.tick(false).rowAdded);  // stopped: no tick is taken

    run.start();
    const RunFrame first = run.tick(false);
    EXPECT_TRUE(first.onGraph);
    EXPECT_TRUE(first.rowAdded);
    EXPECT_EQ(first.sample.t, 0);
    EXPECT_EQ(first.sample.x, -3.0f);
    ASSERT_EQ(run.rows(), 1);
    EXPECT_EQ(run.samples()[0].x, -3.0f);
    EXPECT_EQ(run.samples()[0].v, 0.0f);
}

struct InstantsCase {
    const char* name;
    float duration;
    bool slowMotion;
};

class SamplingInstants : public ::testing::TestWithParam<InstantsCase> {};

TEST_P(SamplingInstants, are_reached_exactly_and_hold_the_motion_at_their_instant) {
    const InstantsCase& c = GetParam();
    ondalis::Run run;
    run.settings().duration = c.duration;
    run.reset(kDefaultsAtFive);
    run.start();
    runPastDuration(run, c.slowMotion);

    ASSERT_EQ(run.rows(), 51);
    const MotionConstants constants = computeMotionConstants(kDefaultsAtFive);
    for (int k = 0; k <= 50; ++k) {
        const MotionSample& s = run.samples()[std::size_t(k)];
        ASSERT_EQ(s.t, samplingInstant(c.duration, k)) << "k = " << k;
        EXPECT_EQ(s.x, sampleMotion(constants, kDefaultsAtFive, s.t).x) << "k = " << k;
    }
    EXPECT_GT(run.clockTime(), decimalDuration(c.duration));
}

INSTANTIATE_TEST_SUITE_P(Durations, SamplingInstants,
                         ::testing::Values(InstantsCase{"OneMillisecond", 0.001f, false},
                                           InstantsCase{"TwoHundredMilliseconds", 0.2f, false},
                                           InstantsCase{"FiveSeconds", 5, false},
                                           InstantsCase{"TenMinutes", 600, false},
                                           InstantsCase{"OneMillisecondSlow", 0.001f, true},
                                           InstantsCase{"FiveSecondsSlow", 5, true}),
                         [](const ::testing::TestParamInfo<InstantsCase>& info) {
                             return info.param.name;
                         });

TEST(Run, ticks_while_paused_add_nothing_and_a_start_resumes_where_it_stopped) {
    ondalis::Run run;
    run.reset(kDefaultsAtFive);
    run.start();
    for (int i = 0; i < 30; ++i) run.tick(false);
    run.pause();
    const double pausedAt = run.clockTime();
    const int rows = run.rows();
    const MotionSample shown = run.sample();
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(run.tick(false).rowAdded);
        EXPECT_FALSE(run.redraw().rowAdded);  // a redraw of the shown instant
    }
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(run.clockTime(), pausedAt);
    EXPECT_EQ(run.rows(), rows);
    EXPECT_EQ(run.sample().t, shown.t);

    run.start();
    EXPECT_EQ(run.tick(false).sample.t, pausedAt);
    EXPECT_GT(run.clockTime(), pausedAt);
    runPastDuration(run, false);
    EXPECT_EQ(run.rows(), 51);
}

bool sameSample(const MotionSample& a, const MotionSample& b) {
    return a.t == b.t && a.x == b.x && a.v == b.v && a.a == b.a && a.ec == b.ec && a.epe == b.epe &&
           a.em == b.em;
}

struct StepCase {
    const char* name;
    float duration;  // D: clock steps smaller or larger than D/50
    bool slowMotion;
    int pausedAfter;  // ticks before the pause
};

class Stepping : public ::testing::TestWithParam<StepCase> {};

// Two runs side by side, one ticked, the other paused and stepped: every frame, row, flag and
// clock instant the same.
TEST_P(Stepping, n_steps_from_a_pause_give_what_n_ticks_give_bit_for_bit) {
    const StepCase& c = GetParam();
    ondalis::Run ticked, stepped;
    for (ondalis::Run* run : {&ticked, &stepped}) {
        run->settings().duration = c.duration;
        run->reset(kDefaultsAtFive);
        run->start();
        for (int i = 0; i < c.pausedAfter; ++i) run->tick(c.slowMotion);
    }
    stepped.pause();
    for (int i = 0; i < 400; ++i) {
        const RunFrame a = ticked.tick(c.slowMotion);
        const RunFrame b = stepped.step(c.slowMotion);
        ASSERT_TRUE(sameSample(a.sample, b.sample)) << i;
        ASSERT_EQ(a.onGraph, b.onGraph) << i;
        ASSERT_EQ(a.rowAdded, b.rowAdded) << i;
        ASSERT_EQ(ticked.clockTime(), stepped.clockTime()) << i;
        ASSERT_EQ(ticked.settings().sampleDue, stepped.settings().sampleDue) << i;
        ASSERT_EQ(ticked.rows(), stepped.rows()) << i;
    }
    EXPECT_FALSE(stepped.isRunning());
    for (int r = 0; r < ticked.rows(); ++r)
        EXPECT_TRUE(
            sameSample(ticked.samples()[std::size_t(r)], stepped.samples()[std::size_t(r)]));
}

INSTANTIATE_TEST_SUITE_P(Clocks, Stepping,
                         ::testing::Values(StepCase{"fromTheStart", 5, false, 0},
                                           StepCase{"fromAPause", 5, false, 37},
                                           StepCase{"slowMotion", 1, true, 11},
                                           StepCase{"aRowAtEveryStep", 0.1f, false, 4},
                                           StepCase{"acrossTheEndOfTheRecording", 0.5f, false, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Run, a_step_while_running_only_pauses) {
    ondalis::Run run;
    run.reset(kDefaultsAtFive);
    run.start();
    for (int i = 0; i < 5; ++i) run.tick(false);
    const double t = run.clockTime();
    EXPECT_FALSE(run.step(false).rowAdded);
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(run.clockTime(), t);
}

TEST(Run, a_step_back_returns_to_the_previous_row_and_going_on_retraces_the_motion) {
    ondalis::Run reference, run;
    for (ondalis::Run* r : {&reference, &run}) {
        r->reset(kDefaultsAtFive);
        r->start();
    }
    // The recorded history of the reference: the clock and shown sample after every tick.
    std::vector<double> clockAfter;
    std::vector<MotionSample> shownAfter;
    for (int i = 0; i < 120; ++i) {
        reference.tick(false);
        clockAfter.push_back(reference.clockTime());
        shownAfter.push_back(reference.sample());
    }
    for (int i = 0; i < 120; ++i) run.tick(false);
    run.pause();
    const int rows = run.rows();
    ASSERT_GT(rows, 3);
    const MotionSample last = run.samples()[std::size_t(rows - 1)];
    // The shown sample is past the last row: back to that row, which stays.
    if (run.sample().t > last.t) {
        ASSERT_TRUE(run.stepBack(false));
        EXPECT_TRUE(sameSample(run.sample(), last));
        EXPECT_EQ(run.rows(), rows);
    }
    // On a row: back to the one before, the later row dropped.
    ASSERT_TRUE(run.stepBack(false));
    EXPECT_TRUE(sameSample(run.sample(), run.samples().back()));
    EXPECT_EQ(run.rows(), rows - 1);
    EXPECT_FALSE(run.isRunning());
    // The clock is where the reference's tick that recorded that row left it.
    std::size_t i = 0;
    while (shownAfter[i].t != run.sample().t) ++i;
    EXPECT_EQ(run.clockTime(), clockAfter[i]);
    // Going on retraces the reference.
    for (std::size_t j = i + 1; j < clockAfter.size(); ++j) {
        run.step(false);
        ASSERT_TRUE(sameSample(run.sample(), shownAfter[j])) << j;
        ASSERT_EQ(run.clockTime(), clockAfter[j]) << j;
    }
    EXPECT_EQ(run.rows(), reference.rows());

    // Back to t = 0 and no further.
    while (run.stepBack(false)) {
    }
    EXPECT_EQ(run.sample().t, 0);
    EXPECT_EQ(run.rows(), 1);
    ondalis::Run empty;
    empty.reset(kDefaultsAtFive);
    EXPECT_FALSE(empty.stepBack(false));
}

struct DragCase {
    float pointer;
    float x0;
};

class Drag : public ::testing::TestWithParam<DragCase> {};

TEST_P(Drag, clamps_and_rounds_x0_and_resets_with_the_other_parameters_kept) {
    ondalis::Run run;
    run.reset({2, 500, 20, 1});
    run.start();
    for (int i = 0; i < 10; ++i) run.tick(false);

    EXPECT_EQ(run.drag(GetParam().pointer), GetParam().x0);
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(run.clockTime(), 0);
    EXPECT_EQ(run.rows(), 0);
    EXPECT_EQ(run.sample().x, GetParam().x0);
    const OscillatorParameters expected{GetParam().x0, 500, 20, 1};
    EXPECT_EQ(run.parametersInForce(), expected);
    EXPECT_EQ(run.constants().c1, computeMotionConstants(expected).c1);
}

INSTANTIATE_TEST_SUITE_P(Positions, Drag,
                         ::testing::Values(DragCase{15, 10}, DragCase{-12.5f, -10},
                                           DragCase{13.0f / 30, 0.433f},
                                           DragCase{-3.14159f, -3.14f}, DragCase{0, 0}));

}  // namespace
}  // namespace ondalis
