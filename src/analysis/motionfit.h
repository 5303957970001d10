#pragma once

#include <QString>
#include <span>
#include <vector>

#include "simulation/motion.h"
#include "simulation/parameters.h"

// Models of x(t) fitted to a recorded table by nonlinear least squares (Levenberg–Marquardt),
// with each parameter's standard uncertainty from the covariance of the fit.
namespace ondalis {

enum class FitModel {
    DampedSine,       // x = A·exp(−t/τ)·cos(2πt/T + φ)
    Sine,             // x = A·cos(2πt/T + φ)
    TwoExponentials,  // x = A·exp(−t/τ1) + B·exp(−t/τ2), τ1 ≥ τ2
    CriticalForm,     // x = (A + B·t)·exp(−t/τ)
};

struct FittedParameter {
    QString name;  // "A", "τ", "T", "φ", "B", "τ1", "τ2"
    QString unit;  // "cm", "s", "rad", "cm·s⁻¹"
    double value = 0;
    double uncertainty = 0;
    double theory = 0;  // the motion's own value; NaN where the model is not the motion's
};

struct FitResult {
    bool ok = false;
    QString message;  // why there is no fit, in French
    FitModel model = FitModel::DampedSine;
    std::vector<FittedParameter> parameters;
    double residualDeviation = 0;  // standard deviation of the residuals, cm
    std::vector<double> t;
    std::vector<double> residuals;  // data − model, cm

    const FittedParameter* parameter(const QString& name) const;
};

// The model's formula as the window shows it.
QString modelFormula(FitModel model);
// The model whose form is the motion's in each regime.
FitModel modelFor(Regime regime);

// The fit of `model` to the points (t s, x cm). Never NaN: a table that does not determine the
// parameters (flat, too short) or a fit that fails gives ok = false and a message.
FitResult fitMotion(FitModel model, std::span<const double> t, std::span<const double> x);

// The theoretical values in the model's parameter order, from the motion in force; NaN where the
// model is not the form of that motion.
std::vector<double> theoreticalParameters(FitModel model, const MotionConstants& c,
                                          const OscillatorParameters& p);

// The fit with the motion's theoretical values beside the fitted ones.
FitResult fitRecording(FitModel model, const std::vector<MotionSample>& samples,
                       const MotionConstants& c, const OscillatorParameters& p);

}  // namespace ondalis
