// The graph's measures without a window: the pseudo-period on a recorded x, the values under
// the cursors, the labels of kept curves, and the graph drawn again from its live curve.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "graph/graphmeasures.h"
#include "platform/canvas/canvas.h"
#include "simulation/run.h"

namespace ondalis {
namespace {

// The samples a window plots while the run ticks up to D (the curve the graph gets).
std::vector<MotionSample> plotted(const OscillatorParameters& p, float duration,
                                  bool slowMotion = false) {
    Run run;
    run.settings().duration = duration;
    run.reset(p);
    run.start();
    std::vector<MotionSample> out;
    for (int i = 0; i < 200000; ++i) {
        const RunFrame f = run.tick(slowMotion);
        if (!f.onGraph) break;
        out.push_back(f.sample);
    }
    return out;
}

struct PeriodCase {
    const char* name;
    OscillatorParameters p;
    float duration;
    bool slowMotion;
};

class PseudoPeriodMeasure : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PseudoPeriodMeasure,
       gives_the_pseudo_period_within_a_clock_step_and_the_decrement_within_1_percent) {
    const PeriodCase& c = GetParam();
    const double mkg = c.p.m / 1000.0;
    const double w0 = std::sqrt(c.p.k / mkg);
    const double lambda = c.p.h / (2 * mkg);
    const double T = 2 * std::numbers::pi / std::sqrt(w0 * w0 - lambda * lambda);
    const double step =
        std::min(0.05, 6.28 * std::sqrt(mkg / c.p.k) / 50) / (c.slowMotion ? 10 : 1);

    const std::optional<PseudoPeriod> m = pseudoPeriod(plotted(c.p, c.duration, c.slowMotion));
    ASSERT_TRUE(m);
    EXPECT_NEAR(m->period(), T, step);
    const double delta = lambda * T;
    if (delta == 0)
        EXPECT_NEAR(m->decrement(), 0, 1e-3);
    else
        EXPECT_NEAR(m->decrement(), delta, 0.01 * delta);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PseudoPeriodMeasure,
    ::testing::Values(PeriodCase{"defaultsAtFive", {5, 145, 10, 0.2f}, 5, false},
                      PeriodCase{"lightDamping", {5, 145, 10, 0.02f}, 5, false},
                      PeriodCase{"strongDamping", {5, 100, 10, 1}, 2, false},
                      PeriodCase{"releasedBelowTheAxis", {-4, 500, 20, 0.5f}, 10, false},
                      PeriodCase{"slowMotion", {3, 145, 10, 0.2f}, 2, true},
                      PeriodCase{"undamped", {5, 100, 10, 0}, 2, false},
                      PeriodCase{"stepOfFiftyMilliseconds", {8, 5000, 1, 0.5f}, 60, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PseudoPeriodMeasure, needs_two_maxima) {
    EXPECT_FALSE(pseudoPeriod(plotted({5, 100, 10, 5}, 5)));        // overdamped
    EXPECT_FALSE(pseudoPeriod(plotted({0, 145, 10, 0.2f}, 5)));     // no motion
    EXPECT_FALSE(pseudoPeriod(plotted({5, 145, 10, 0.2f}, 0.5f)));  // shorter than a period
}

TEST(CursorValues, are_the_curve_between_its_points_and_nothing_outside_it) {
    std::vector<MotionSample> s(3);
    s[0].t = 0, s[0].x = 4, s[0].em = 1;
    s[1].t = 0.1, s[1].x = 2, s[1].em = 0.5f;
    s[2] = s[1];  // a redraw while paused
    EXPECT_DOUBLE_EQ(*valueAt(s, PlotPosition, 0.05), 3);
    EXPECT_DOUBLE_EQ(*valueAt(s, PlotPosition, 0.1), 2);
    EXPECT_DOUBLE_EQ(*valueAt(s, PlotEnergies, 0), 1);
    EXPECT_FALSE(valueAt(s, PlotPosition, 0.2));
    EXPECT_FALSE(valueAt({}, PlotPosition, 0));
    EXPECT_DOUBLE_EQ(cursorTime(300, 5), 2.5);
    EXPECT_DOUBLE_EQ(cursorTime(20, 5), 0);  // held within the plotting band
    EXPECT_DOUBLE_EQ(cursorTime(600, 5), 5);
}

TEST(KeptCurves, are_labelled_by_what_differs_and_hold_while_the_frame_stays) {
    GraphMeasures m;
    GraphScale scale{PlotPosition, 5};
    EXPECT_FALSE(m.keep({5, 145, 10, 0.2f}, PlotPosition, 5));  // no curve yet
    const auto record = [&](const OscillatorParameters& p) {
        for (const MotionSample& s : plotted(p, 5)) m.follow(s, false, scale, 5);
    };
    record({5, 145, 10, 0.2f});
    ASSERT_TRUE(m.keep({5, 145, 10, 0.2f}, PlotPosition, 5));
    EXPECT_EQ(m.keptLabels({5, 145, 10, 0.2f}), QStringList{"h = 0,2"});
    record({5, 145, 10, 2});
    ASSERT_TRUE(m.keep({5, 145, 10, 2}, PlotPosition, 5));
    EXPECT_EQ(m.keptLabels({5, 145, 10, 0.5f}), (QStringList{"h = 0,2", "h = 2"}));
    EXPECT_EQ(m.keptLabels({5, 200, 10, 0.5f}),
              (QStringList{"m = 145 ; h = 0,2", "m = 145 ; h = 2"}));
    EXPECT_NE(m.kept()[0].shade, m.kept()[1].shade);
    ASSERT_TRUE(m.keep({5, 145, 10, 2}, PlotPosition, 5));
    ASSERT_TRUE(m.keep({5, 145, 10, 2}, PlotPosition, 5));
    EXPECT_FALSE(m.keep({5, 145, 10, 2}, PlotPosition, 5));  // four at most
    EXPECT_FALSE(m.dropKeptIfFrameChanged(PlotPosition, 5));
    EXPECT_TRUE(m.dropKeptIfFrameChanged(PlotPosition, 10));
    EXPECT_TRUE(m.kept().empty());
}

// The graph drawn again from its live curve is the graph drawn tick by tick, pixel for pixel.
TEST(LiveCurve, drawn_again_gives_the_same_image) {
    const OscillatorParameters p{5, 145, 10, 0.2f};
    Canvas live, again;
    GraphScale scale;
    PlotMemory memory;
    GraphMeasures m;
    for (Canvas* c : {&live, &again}) {
        c->setImageSize(QSize(kGraphWidth, kGraphHeight));
        echgraph(*c, scale, PlotPosition, 5, p.x0, p.m, p.k, CurveColors{});
    }
    int i = 0;
    for (const MotionSample& s : plotted(p, 5)) {
        const bool bold = (i++ / 40) % 2 == 1;
        tracegraphe(live, scale, memory, s, 5, bold, CurveColors{});
        m.follow(s, bold, scale, 5);
    }
    PlotMemory fresh;
    m.drawTrace(again, scale, fresh, 5, CurveColors{});
    EXPECT_EQ(live.image(), again.image());
}

}  // namespace
}  // namespace ondalis
