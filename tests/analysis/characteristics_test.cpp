#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/characteristics.h"

namespace ondalis {
namespace {

struct QuantityCase {
    const char* name;
    OscillatorParameters p;
    Regime regime;
    const char* words;
};

class CharacteristicQuantities : public ::testing::TestWithParam<QuantityCase> {};

// Each quantity against its formula, with the regime the motion code decides.
TEST_P(CharacteristicQuantities, followTheirFormulasAndTheMotionsRegime) {
    const QuantityCase& c = GetParam();
    const MotionConstants mc = computeMotionConstants(c.p);
    ASSERT_EQ(mc.regime, c.regime);
    const Characteristics q = characterize(c.p, mc);
    const double m = c.p.m / 1000.0, k = c.p.k, h = c.p.h;
    const double w0 = std::sqrt(k / m), lambda = h / (2 * m);
    EXPECT_EQ(q.regime, c.regime);
    EXPECT_EQ(regimeName(q.regime), QString::fromUtf8(c.words));
    EXPECT_NEAR(q.omega0, w0, 1e-9 * w0);
    EXPECT_NEAR(q.period0, 2 * std::numbers::pi / w0, 1e-9);
    EXPECT_NEAR(q.lambda, lambda, 1e-9 * (1 + lambda));
    EXPECT_NEAR(q.criticalH, 2 * std::sqrt(k * m), 1e-9);
    EXPECT_NEAR(q.ratio, h / (2 * std::sqrt(k * m)), 1e-9);
    EXPECT_NEAR(q.energy0, 0.5 * k * std::pow(c.p.x0 / 100.0, 2), 1e-12);
    if (h > 0) {
        EXPECT_NEAR(q.tau, 1 / lambda, 1e-9 / lambda);
        EXPECT_NEAR(q.quality, m * w0 / h, 1e-9 * m * w0 / h);
    } else {
        EXPECT_TRUE(std::isinf(q.tau));
        EXPECT_TRUE(std::isinf(q.quality));
    }
    if (c.regime == Regime::Underdamped || c.regime == Regime::Undamped) {
        // Against the formula, but where the single-precision rule decides, ω0² − λ² is so
        // small that only the motion's own ω (its rounded coefficients) has a meaning.
        const double d = w0 * w0 - lambda * lambda;
        ASSERT_GT(q.pseudoPeriod, 0);
        if (d > 1e-3 * w0 * w0) {
            EXPECT_NEAR(q.pseudoPeriod, 2 * std::numbers::pi / std::sqrt(d), 1e-5 * q.pseudoPeriod);
        }
    } else {
        EXPECT_EQ(q.pseudoPeriod, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FourRegimesAndTheCriticalEdge, CharacteristicQuantities,
    ::testing::Values(
        QuantityCase{"undamped", {5, 100, 10, 0}, Regime::Undamped, "périodique"},
        QuantityCase{"underdamped", {5, 100, 10, 1}, Regime::Underdamped, "pseudo-périodique"},
        QuantityCase{"critical", {5, 100, 10, 2}, Regime::Critical, "critique"},
        QuantityCase{"overdamped", {5, 100, 10, 5}, Regime::Overdamped, "apériodique"},
        // hc = 2√(10·0.145) = 2.4083…: its three digits 2.41 are just above it,
        // 2.40 just below.
        QuantityCase{
            "roundedCriticalAbove", {-3, 145, 10, 2.41f}, Regime::Overdamped, "apériodique"},
        QuantityCase{
            "roundedCriticalBelow", {-3, 145, 10, 2.4f}, Regime::Underdamped, "pseudo-périodique"},
        // Single precision decides: h/m and k/m rounded to singles make Δ exactly 0, where with
        // h = 1.4f itself Δ would be slightly negative.
        QuantityCase{"criticalBySinglePrecision", {5, 10, 49, 1.4f}, Regime::Critical, "critique"},
        QuantityCase{"heavyAndSoft", {10, 5000, 1, 1000}, Regime::Overdamped, "apériodique"},
        QuantityCase{
            "lightAndStiff", {0.433f, 10, 1000, 0.05f}, Regime::Underdamped, "pseudo-périodique"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EdgeCase {
    const char* name;
    OscillatorParameters p;
    const char* contains;  // empty: no words
};

class CriticalEdgeWords : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(CriticalEdgeWords, sayHowFarFromCriticalDampingTheMotionIs) {
    const EdgeCase& c = GetParam();
    const QString text = criticalEdgeText(characterize(c.p, computeMotionConstants(c.p)));
    if (*c.contains == 0) {
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
    } else {
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.contains))) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    AroundHc, CriticalEdgeWords,
    ::testing::Values(
        EdgeCase{"exact", {5, 100, 10, 2}, "amortissement critique exact"},
        EdgeCase{"roundedAbove", {5, 145, 10, 2.41f}, "0,07 % au-delà de l'amortissement critique"},
        EdgeCase{"roundedBelow", {5, 145, 10, 2.4f}, "0,35 % en deçà de l'amortissement critique"},
        EdgeCase{"farBelow", {5, 100, 10, 1}, ""}, EdgeCase{"farAbove", {5, 100, 10, 5}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CriticalFriction, isTheFieldsThreeDigitsOfHcClampedToItsRange) {
    EXPECT_FLOAT_EQ(validatedCriticalH({5, 145, 10, 0.2f}), 2.41f);
    EXPECT_FLOAT_EQ(validatedCriticalH({5, 100, 10, 0.2f}), 2.0f);
    // 2√(1000·5) = 141.42…
    EXPECT_FLOAT_EQ(validatedCriticalH({5, 5000, 1000, 0}), 141.0f);
}

}  // namespace
}  // namespace ondalis
