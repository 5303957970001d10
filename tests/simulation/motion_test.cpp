#include <gtest/gtest.h>

#include <cmath>

#include "simulation/motion.h"

namespace ondalis {
namespace {

OscillatorParameters params(float x0, float m, float k, float h) { return {x0, m, k, h}; }

struct RegimeCase {
    const char* name;
    float h;
    Regime regime;
};

class RegimeAtExampleValues : public ::testing::TestWithParam<RegimeCase> {};

// x0 = 5 cm, m = 100 g, k = 10 N/m: the four regimes by friction.
TEST_P(RegimeAtExampleValues, releasesAtX0WithoutSpeed) {
    const auto& c = GetParam();
    const OscillatorParameters p = params(5, 100, 10, c.h);
    const MotionConstants mc = computeMotionConstants(p);
    EXPECT_EQ(mc.regime, c.regime);
    const MotionSample s = sampleMotion(mc, p, 0.0);
    EXPECT_NEAR(s.x, 5.0, 1e-5);
    EXPECT_NEAR(s.v, 0.0, 1e-6);
    // At release only the spring acts: a = -k·x0 / m = -10·0.05 / 0.1 = -5 m/s².
    EXPECT_NEAR(s.a, -5.0, 1e-4);
    EXPECT_NEAR(s.epe, 0.0125, 1e-7);
    EXPECT_NEAR(s.ec, 0.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(FourRegimes, RegimeAtExampleValues,
                         ::testing::Values(RegimeCase{"undamped", 0, Regime::Undamped},
                                           RegimeCase{"underdamped", 1, Regime::Underdamped},
                                           RegimeCase{"critical", 2, Regime::Critical},
                                           RegimeCase{"overdamped", 5, Regime::Overdamped}),
                         [](const auto& info) { return std::string(info.param.name); });

class ReleaseWithoutSpeed : public ::testing::TestWithParam<OscillatorParameters> {};

// Not "nearly": the readouts and the first table row show v and Ec in the general format, where
// a residue of 1E-16 would be written as a value.
TEST_P(ReleaseWithoutSpeed, givesExactlyZeroVelocityAndKineticEnergyAtTimeZero) {
    const OscillatorParameters& p = GetParam();
    const MotionSample s = sampleMotion(computeMotionConstants(p), p, 0.0);
    EXPECT_EQ(s.v, 0.0f);
    EXPECT_EQ(s.ec, 0.0f);
    EXPECT_EQ(s.x, p.x0);
}

INSTANTIATE_TEST_SUITE_P(AllRegimes, ReleaseWithoutSpeed,
                         ::testing::Values(params(5, 100, 10, 5), params(5, 100, 10, 1),
                                           params(5, 100, 10, 2), params(5, 100, 10, 0),
                                           params(-7.78f, 145, 10, 0.2f),
                                           params(10, 10, 1000, 3.7f),
                                           params(-3.14f, 5000, 1, 1000),
                                           params(0.433f, 2730, 57.1f, 0.05f),
                                           params(9.99f, 10, 1, 1000), params(1, 123, 456, 12.3f)));

TEST(MotionConstants, coefficientsOfEachRegimeMatchTheExamples) {
    const MotionConstants undamped = computeMotionConstants(params(5, 100, 10, 0));
    EXPECT_DOUBLE_EQ(undamped.c2, 10.0);  // ω0
    EXPECT_NEAR(undamped.stepLimit, 0.01256f, 1e-7);

    const MotionConstants critical = computeMotionConstants(params(5, 100, 10, 2));
    EXPECT_DOUBLE_EQ(critical.c2, -10.0);
    const OscillatorParameters pc = params(5, 100, 10, 2);
    EXPECT_NEAR(sampleMotion(critical, pc, 0.1).x, 10.0 * std::exp(-1.0), 1e-5);

    const MotionConstants over = computeMotionConstants(params(5, 100, 10, 5));
    EXPECT_NEAR(over.c3, -2.087, 1e-3);
    EXPECT_NEAR(over.c4, -47.913, 1e-3);
    EXPECT_NEAR(over.c1, 5.228, 1e-3);
    EXPECT_NEAR(over.c2, -0.228, 1e-3);

    const MotionConstants under = computeMotionConstants(params(5, 100, 10, 1));
    EXPECT_DOUBLE_EQ(under.c1, -5.0);
    EXPECT_NEAR(under.c2, 8.660, 1e-3);
    EXPECT_NEAR(under.c3, -0.5236, 1e-4);
    EXPECT_NEAR(under.c4, 5.774, 1e-3);
}

TEST(MotionConstants, criticalCaseIsDecidedBySinglePrecisionRounding) {
    // h = 2 gives Δ = 400 - 400 = 0 exactly; one unit in the last displayed digit either way
    // leaves the critical case.
    EXPECT_EQ(computeMotionConstants(params(5, 100, 10, 2)).regime, Regime::Critical);
    EXPECT_EQ(computeMotionConstants(params(5, 100, 10, 2.01f)).regime, Regime::Overdamped);
    EXPECT_EQ(computeMotionConstants(params(5, 100, 10, 1.99f)).regime, Regime::Underdamped);
    // A friction near 2·√(k·m) written with three digits is not the critical case.
    EXPECT_EQ(computeMotionConstants(params(5, 145, 10, 2.40f)).regime, Regime::Underdamped);
    EXPECT_EQ(computeMotionConstants(params(5, 145, 10, 2.41f)).regime, Regime::Overdamped);
}

TEST(MotionConstants, stepLimitIsOneFiftiethOfThePeriodWith628) {
    EXPECT_NEAR(computeMotionConstants(params(5, 145, 10, 0.2f)).stepLimit,
                std::sqrt(0.0145) * 6.28 / 50, 1e-7);
    EXPECT_NEAR(computeMotionConstants(params(5, 5000, 1, 0)).stepLimit, 0.2808, 1e-4);
}

TEST(MotionConstants, scaleExponentsAreTheDecadesAfterMantissaRounding) {
    struct Case {
        float k, m, x0;
        int force, speed;
    };
    const Case cases[] = {
        {10, 145, 0, 0, 0},    // 1E+00; speed 0 is written 0E+00
        {96, 100, 0, 1, 0},    // 9.6 N is written 1E+01
        {94, 100, 0, 0, 0},    // 9.4 N is written 9E+00
        {200, 100, 0, 1, 0},   // 2E+01
        {1000, 100, 0, 2, 0},  // 1E+02
        {1, 100, 0, -1, 0},    // 1E-01
        {10, 100, 5, 0, -1},   // 0.05 m · 10 rad/s = 0.5 m/s
        {1000, 10, 10, 2, 1},  // 0.1 m · 316 rad/s = 31.6 m/s
    };
    for (const Case& c : cases) {
        const MotionConstants mc = computeMotionConstants(params(c.x0, c.m, c.k, 0));
        EXPECT_EQ(mc.forceExponent, c.force) << "k = " << c.k;
        EXPECT_EQ(mc.speedExponent, c.speed) << "k = " << c.k << ", x0 = " << c.x0;
    }
}

TEST(MotionSample, defaultsStayAtRestAtTheOrigin) {
    const OscillatorParameters p = params(0, 145, 10, 0.2f);
    const MotionConstants mc = computeMotionConstants(p);
    EXPECT_EQ(mc.regime, Regime::Underdamped);
    for (double t : {0.0, 0.37, 4.2}) {
        const MotionSample s = sampleMotion(mc, p, t);
        EXPECT_EQ(s.x, 0.0f);
        EXPECT_EQ(s.v, 0.0f);
        EXPECT_EQ(s.a, 0.0f);
        EXPECT_EQ(s.em, 0.0f);
    }
}

TEST(MotionSample, mechanicalEnergyIsConstantWithoutFrictionAndDecreasesWithIt) {
    for (float h : {0.0f, 0.5f, 2.0f, 5.0f}) {
        const OscillatorParameters p = params(5, 100, 10, h);
        const MotionConstants mc = computeMotionConstants(p);
        float previous = sampleMotion(mc, p, 0).em;
        for (int i = 1; i <= 200; ++i) {
            const float em = sampleMotion(mc, p, i * 0.013).em;
            if (h == 0) {
                EXPECT_NEAR(em, 0.0125f, 0.0125f * 1e-5f) << "t = " << i * 0.013;
            } else {
                EXPECT_LE(em, previous + 1e-9f) << "h = " << h << ", t = " << i * 0.013;
            }
            previous = em;
        }
    }
}

TEST(MotionSample, largeTimesSettleAtTheOriginWithoutFailing) {
    for (float h : {0.5f, 2.0f, 50.0f}) {
        const OscillatorParameters p = params(-10, 10, 1000, h);
        const MotionConstants mc = computeMotionConstants(p);
        const MotionSample s = sampleMotion(mc, p, 1e6);
        EXPECT_TRUE(std::isfinite(s.x));
        EXPECT_NEAR(s.x, 0.0f, 1e-6);
    }
}

// Independent check: integrate m·x'' + h·x' + k·x = 0 with classical Runge-Kutta (x in cm,
// v in cm/s) and compare with the closed form over 5 s in each regime.
TEST(MotionSample, agreesWithANumericalIntegrationInEveryRegime) {
    for (float h : {0.0f, 1.0f, 2.0f, 5.0f}) {
        const OscillatorParameters p = params(5, 100, 10, h);
        const MotionConstants mc = computeMotionConstants(p);
        const double mkg = p.m / 1000.0;
        const auto accel = [&](double x, double v) { return -(p.h * v + p.k * x) / mkg; };
        const double omega0 = std::sqrt(p.k / mkg);
        double x = p.x0, v = 0, t = 0;
        const double dt = 1e-4;
        double worstX = 0, worstV = 0;
        for (int step = 0; step <= 50000; ++step) {
            if (step % 100 == 0) {
                const MotionSample s = sampleMotion(mc, p, t);
                worstX = std::max(worstX, std::fabs(s.x - x) / p.x0);
                worstV = std::max(worstV, std::fabs(s.v * 100.0 - v) / (p.x0 * omega0));
            }
            const double k1x = v, k1v = accel(x, v);
            const double k2x = v + dt / 2 * k1v, k2v = accel(x + dt / 2 * k1x, v + dt / 2 * k1v);
            const double k3x = v + dt / 2 * k2v, k3v = accel(x + dt / 2 * k2x, v + dt / 2 * k2v);
            const double k4x = v + dt * k3v, k4v = accel(x + dt * k3x, v + dt * k3v);
            x += dt / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
            v += dt / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
            t = (step + 1) * dt;
        }
        EXPECT_LT(worstX, 1e-6) << "h = " << h;
        EXPECT_LT(worstV, 1e-6) << "h = " << h;
    }
}

TEST(MotionSample, failingComputationKeepsThePreviousValues) {
    MotionConstants broken;
    broken.regime = Regime::Overdamped;
    broken.c1 = 1e308;
    broken.c2 = 1e308;
    broken.c3 = 10;
    broken.c4 = 10;
    MotionSample previous;
    previous.x = 3;
    previous.v = 0.25f;
    const MotionSample s = sampleMotion(broken, params(5, 100, 10, 5), 1000, previous);
    EXPECT_EQ(s.x, 3.0f);
    EXPECT_EQ(s.v, 0.25f);
    EXPECT_DOUBLE_EQ(s.t, 1000);
}

}  // namespace
}  // namespace ondalis
