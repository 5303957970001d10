#include <gtest/gtest.h>

#include <cmath>

#include "analysis/energybars.h"
#include "platform/canvas/canvas.h"
#include "simulation/run.h"

namespace ondalis {
namespace {

struct BarsCase {
    const char* name;
    OscillatorParameters p;
};

class EnergyBarsAtEveryTick : public ::testing::TestWithParam<BarsCase> {};

TEST_P(EnergyBarsAtEveryTick, addUpAndCountWhatFrictionTook) {
    const OscillatorParameters& p = GetParam().p;
    ondalis::Run run;
    run.settings().duration = 2;
    run.reset(p);
    EnergyBars bars;
    bars.reset(run.sample());
    const double e0 = run.sample().em;
    ASSERT_NEAR(e0, 0.5 * p.k * std::pow(p.x0 / 100.0, 2), 1e-6 * e0);
    run.start();
    for (int i = 0; i < 300; ++i) {
        const RunFrame f = run.tick(false);
        const EnergyValues v = bars.valuesAt(f.sample);
        // Each energy is a single: the sum holds to a single's precision of Em(0).
        EXPECT_NEAR(v.ec + v.epe, v.em, 2e-7 * e0) << "tick " << i;
        EXPECT_EQ(v.dissipated, e0 - double(f.sample.em));
        if (p.h == 0) {
            EXPECT_NEAR(v.dissipated, 0, 4e-7 * e0) << "tick " << i;
        } else {
            EXPECT_GE(v.dissipated, -4e-7 * e0);
        }
    }
    if (p.h > 0) {
        EXPECT_GT(bars.valuesAt(run.sample()).dissipated, 0.5 * e0);
    }
}

INSTANTIATE_TEST_SUITE_P(FourRegimes, EnergyBarsAtEveryTick,
                         ::testing::Values(BarsCase{"undamped", {5, 100, 10, 0}},
                                           BarsCase{"undampedStiff", {-7.5f, 10, 1000, 0}},
                                           BarsCase{"underdamped", {5, 100, 10, 0.5f}},
                                           BarsCase{"critical", {5, 100, 10, 2}},
                                           BarsCase{"overdamped", {-9, 100, 10, 5}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnergyBarChart, drawsEachBarToTheScaleOfTheInitialEnergy) {
    const OscillatorParameters p{5, 100, 10, 0};
    MotionSample s = sampleMotion(computeMotionConstants(p), p, 0.0);
    EnergyBars bars;
    bars.reset(s);
    Canvas canvas;
    canvas.setImageSize(QSize(EnergyBars::Width, EnergyBars::Height));
    s = sampleMotion(computeMotionConstants(p), p, 0.05);
    bars.draw(canvas, s);
    const double values[] = {s.ec, s.epe, s.em};
    for (int i = 0; i < 3; ++i) {
        const int h = bars.barHeight(values[i]);
        const int x = EnergyBars::barLeft(i) + EnergyBars::BarWidth / 2;
        ASSERT_GT(h, 0);
        EXPECT_NE(canvas.image().pixelColor(x, EnergyBars::Base - h), Qt::white) << i;
        EXPECT_EQ(canvas.image().pixelColor(x, EnergyBars::Base - h - 1), Qt::white) << i;
    }
    EXPECT_EQ(bars.barHeight(s.em), EnergyBars::Base - EnergyBars::FullTop);
    // Nothing dissipated: no bar at all.
    const int x = EnergyBars::barLeft(3) + EnergyBars::BarWidth / 2;
    EXPECT_EQ(canvas.image().pixelColor(x, EnergyBars::Base - 1), Qt::white);
}

TEST(EnergyBarChart, drawsNoBarWhenThereIsNoEnergy) {
    EnergyBars bars;
    bars.reset(MotionSample{});
    EXPECT_EQ(bars.barHeight(0.0), 0);
    EXPECT_EQ(bars.barHeight(1.0), 0);
}

}  // namespace
}  // namespace ondalis
