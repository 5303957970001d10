#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/motionfit.h"
#include "simulation/run.h"

namespace ondalis {
namespace {

// The recorded table of a complete recording of duration D.
std::vector<MotionSample> recordedTable(const OscillatorParameters& p, float duration) {
    ondalis::Run run;
    run.settings().duration = duration;
    run.reset(p);
    run.start();
    for (int i = 0; i < 100000 && run.rows() < 51; ++i) run.tick(false);
    return run.samples();
}

struct FitCase {
    const char* name;
    OscillatorParameters p;
    float duration;
    FitModel model;
    std::vector<const char*> times;  // the parameters that are times (T, τ…)
};

class FitOnTheRecordedTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitOnTheRecordedTable, findsTheMotionsPeriodAndTimeConstants) {
    const FitCase& c = GetParam();
    const std::vector<MotionSample> table = recordedTable(c.p, c.duration);
    ASSERT_EQ(table.size(), 51u);
    const MotionConstants mc = computeMotionConstants(c.p);
    ASSERT_EQ(modelFor(mc.regime), c.model);
    const FitResult fit = fitRecording(c.model, table, mc, c.p);
    ASSERT_TRUE(fit.ok) << fit.message.toStdString();
    for (const char* name : c.times) {
        const FittedParameter* f = fit.parameter(QString::fromUtf8(name));
        ASSERT_NE(f, nullptr) << name;
        EXPECT_NEAR(f->value, f->theory, 1e-3 * f->theory) << name;
        EXPECT_TRUE(std::isfinite(f->uncertainty)) << name;
    }
    EXPECT_LT(fit.residualDeviation, 1e-4);
    EXPECT_EQ(fit.residuals.size(), 51u);
}

INSTANTIATE_TEST_SUITE_P(
    EachRegime, FitOnTheRecordedTable,
    ::testing::Values(
        FitCase{"undamped", {5, 100, 10, 0}, 2, FitModel::Sine, {"T"}},
        FitCase{"lightlyDamped", {5, 100, 10, 0.2f}, 5, FitModel::DampedSine, {"T", "τ"}},
        FitCase{"underdamped", {-6, 145, 10, 1}, 2, FitModel::DampedSine, {"T", "τ"}},
        FitCase{"critical", {5, 100, 10, 2}, 1, FitModel::CriticalForm, {"τ"}},
        FitCase{"overdamped", {5, 100, 10, 5}, 1, FitModel::TwoExponentials, {"τ1", "τ2"}},
        FitCase{"overdampedHeavy", {8, 2000, 20, 30}, 10, FitModel::TwoExponentials, {"τ1", "τ2"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A damped sinusoid with Gaussian noise of known σ (a fixed seed): each fit's ± one standard
// uncertainty covers the true T and τ about 68 % of the time.
TEST(FitUncertainties, coverTheTrueValuesAtAboutTheStatedRate) {
    const double A = 4, tau = 1.5, T = 0.7, phi = -0.3, sigma = 0.05;
    std::mt19937 random(20261209);
    std::normal_distribution<double> noise(0, sigma);
    std::vector<double> t(51), x(51);
    int coveredT = 0, coveredTau = 0, fits = 0;
    const int trials = 300;
    for (int trial = 0; trial < trials; ++trial) {
        for (int i = 0; i < 51; ++i) {
            t[size_t(i)] = i * 0.06;
            x[size_t(i)] = A * std::exp(-t[size_t(i)] / tau) *
                               std::cos(2 * std::numbers::pi * t[size_t(i)] / T + phi) +
                           noise(random);
        }
        const FitResult fit = fitMotion(FitModel::DampedSine, t, x);
        ASSERT_TRUE(fit.ok) << fit.message.toStdString();
        ++fits;
        const FittedParameter* fT = fit.parameter(QStringLiteral("T"));
        const FittedParameter* fTau = fit.parameter(QStringLiteral("τ"));
        if (std::abs(fT->value - T) <= fT->uncertainty) ++coveredT;
        if (std::abs(fTau->value - tau) <= fTau->uncertainty) ++coveredTau;
        EXPECT_NEAR(fit.residualDeviation, sigma, 0.3 * sigma);
    }
    // 68.3 % expected; ± 8 points is more than three binomial deviations over 300 fits.
    EXPECT_NEAR(double(coveredT) / fits, 0.683, 0.08);
    EXPECT_NEAR(double(coveredTau) / fits, 0.683, 0.08);
}

struct SingularCase {
    const char* name;
    std::vector<double> t, x;
};

class SingularFit : public ::testing::TestWithParam<SingularCase> {};

TEST_P(SingularFit, explainsInFrenchInsteadOfGivingNumbers) {
    const SingularCase& c = GetParam();
    for (FitModel m : {FitModel::DampedSine, FitModel::Sine, FitModel::TwoExponentials,
                       FitModel::CriticalForm}) {
        const FitResult fit = fitMotion(m, c.t, c.x);
        EXPECT_FALSE(fit.ok);
        EXPECT_FALSE(fit.message.isEmpty());
        EXPECT_TRUE(fit.parameters.empty());
    }
}

std::vector<double> instants(int n) {
    std::vector<double> t;
    for (int i = 0; i < n; ++i) t.push_back(i * 0.02);
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SingularFit,
    ::testing::Values(SingularCase{"flatAtZero", instants(51), std::vector<double>(51, 0.0)},
                      SingularCase{"flatAway", instants(51), std::vector<double>(51, 3.0)},
                      SingularCase{"oneRow", instants(1), {5.0}}, SingularCase{"empty", {}, {}},
                      SingularCase{"notANumber", instants(6), {1, 2, NAN, 4, 5, 6}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlatRecording, saysTheTableIsFlatWhenTheSolidStartsAtZero) {
    const OscillatorParameters p{0, 145, 10, 0.2f};
    const FitResult fit =
        fitRecording(FitModel::DampedSine, recordedTable(p, 1), computeMotionConstants(p), p);
    EXPECT_FALSE(fit.ok);
    EXPECT_TRUE(fit.message.contains(QStringLiteral("plat"))) << fit.message.toStdString();
}

}  // namespace
}  // namespace ondalis
