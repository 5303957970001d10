#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "analysis/phaseportrait.h"
#include "platform/canvas/canvas.h"
#include "simulation/run.h"

namespace ondalis {
namespace {

struct PortraitCase {
    const char* name;
    OscillatorParameters p;
    // The closed form (x cm, v m/s) at t, written out from the equation of motion.
    std::function<std::pair<double, double>(double)> motion;
};

std::pair<double, double> undamped(double t) {  // x0 = 5, ω0 = 10
    return {5 * std::cos(10 * t), -0.05 * 10 * std::sin(10 * t)};
}
std::pair<double, double> critical(double t) {  // x0 = -4, r = -10
    return {-4 * (1 + 10 * t) * std::exp(-10 * t), 0.04 * 100 * t * std::exp(-10 * t)};
}
std::pair<double, double> underdamped(double t) {  // x0 = 6, λ' = 10, ω = √300/2·2
    const double a = -5, w = std::sqrt(75.0), phi = std::atan(a / w), X = 6 / std::cos(phi);
    const double e = std::exp(a * t);
    return {X * e * std::cos(w * t + phi),
            (X * a * e * std::cos(w * t + phi) - X * w * e * std::sin(w * t + phi)) / 100};
}

class PhasePortraitDrawing : public ::testing::TestWithParam<PortraitCase> {};

TEST_P(PhasePortraitDrawing, putsEachSampleOnTheClosedFormCurve) {
    const PortraitCase& c = GetParam();
    ondalis::Run run;
    run.reset(c.p);
    Canvas canvas;
    canvas.setImageSize(QSize(PhasePortrait::Width, PhasePortrait::Height));
    canvas.setBackColor(Qt::white);
    PhasePortrait portrait;
    portrait.reset(canvas, c.p, run.sample());
    EXPECT_NEAR(portrait.xScale(), std::abs(c.p.x0), 1e-6);
    EXPECT_NEAR(portrait.vScale(), std::abs(c.p.x0) / 100 * std::sqrt(c.p.k / (c.p.m / 1000.0)),
                1e-6);
    run.start();
    std::vector<double> times;
    for (int i = 0; i < 120; ++i) {
        const RunFrame f = run.tick(false);
        portrait.add(canvas, f.sample);
        times.push_back(f.sample.t);
    }
    const QRect area = PhasePortrait::plotArea();
    times.pop_back();  // the current point covers the last one
    for (double t : times) {
        const auto [x, v] = c.motion(t);
        const QPoint at = portrait.pixelFor(x, v);
        ASSERT_TRUE(area.contains(at)) << t;
        const QPoint current = portrait.pixelFor(run.sample().x, run.sample().v);
        if ((at - current).manhattanLength() <= 4) continue;
        EXPECT_EQ(canvas.image().pixelColor(at), PhasePortrait::TrailColour) << "t = " << t;
    }
    // The current point, in its own colour.
    EXPECT_EQ(canvas.image().pixelColor(portrait.pixelFor(run.sample().x, run.sample().v)),
              PhasePortrait::PointColour);
}

INSTANTIATE_TEST_SUITE_P(ThreeRegimes, PhasePortraitDrawing,
                         ::testing::Values(PortraitCase{"undamped", {5, 100, 10, 0}, undamped},
                                           PortraitCase{"critical", {-4, 100, 10, 2}, critical},
                                           PortraitCase{
                                               "underdamped", {6, 100, 10, 1}, underdamped}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PhasePortraitScale, fillsTheFrameWithTheUndampedEllipse) {
    const OscillatorParameters p{5, 100, 10, 0};
    Canvas canvas;
    canvas.setImageSize(QSize(PhasePortrait::Width, PhasePortrait::Height));
    PhasePortrait portrait;
    portrait.reset(canvas, p, sampleMotion(computeMotionConstants(p), p, 0.0));
    const QRect area = PhasePortrait::plotArea();
    // The ends of the ellipse (x0, then |x0|·ω0 = 0.5 m/s) eight pixels inside the frame.
    EXPECT_NEAR(area.right() - portrait.pixelFor(5, 0).x(), 8, 1);
    EXPECT_NEAR(portrait.pixelFor(-5, 0).x() - area.left(), 8, 1);
    EXPECT_NEAR(portrait.pixelFor(0, 0.5).y() - area.top(), 8, 1);
    EXPECT_NEAR(area.bottom() - portrait.pixelFor(0, -0.5).y(), 8, 1);
    // With x0 = 0 the scale stays finite.
    portrait.reset(canvas, {0, 145, 10, 0.2f}, MotionSample{});
    EXPECT_TRUE(area.contains(portrait.pixelFor(0, 0)));
}

}  // namespace
}  // namespace ondalis
