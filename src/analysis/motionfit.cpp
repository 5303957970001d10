#include "analysis/motionfit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <unsupported/Eigen/LevenbergMarquardt>

namespace ondalis {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

using Vector = Eigen::VectorXd;
using Matrix = Eigen::MatrixXd;

// The models in the parameters the solver works with: rates (1/τ) and angular frequencies
// rather than times, so that an undamped motion (rate 0) stays within reach.
//   DampedSine      q = A, β, ω, φ      x = A·e^(−βt)·cos(ωt + φ)
//   Sine            q = A, ω, φ         x = A·cos(ωt + φ)
//   TwoExponentials q = A, β1, B, β2    x = A·e^(−β1·t) + B·e^(−β2·t)
//   CriticalForm    q = A, B, β         x = (A + B·t)·e^(−βt)
int parameterCount(FitModel model) {
    return model == FitModel::Sine || model == FitModel::CriticalForm ? 3 : 4;
}

double modelValue(FitModel model, const Vector& q, double t) {
    switch (model) {
        case FitModel::DampedSine:
            return q[0] * std::exp(-q[1] * t) * std::cos(q[2] * t + q[3]);
        case FitModel::Sine:
            return q[0] * std::cos(q[1] * t + q[2]);
        case FitModel::TwoExponentials:
            return q[0] * std::exp(-q[1] * t) + q[2] * std::exp(-q[3] * t);
        case FitModel::CriticalForm:
            return (q[0] + q[1] * t) * std::exp(-q[2] * t);
    }
    return 0;
}

void modelGradient(FitModel model, const Vector& q, double t, Eigen::RowVectorXd& g) {
    switch (model) {
        case FitModel::DampedSine: {
            const double e = std::exp(-q[1] * t);
            const double c = std::cos(q[2] * t + q[3]);
            const double s = std::sin(q[2] * t + q[3]);
            g << e * c, -t * q[0] * e * c, -t * q[0] * e * s, -q[0] * e * s;
            break;
        }
        case FitModel::Sine: {
            const double c = std::cos(q[1] * t + q[2]);
            const double s = std::sin(q[1] * t + q[2]);
            g << c, -t * q[0] * s, -q[0] * s;
            break;
        }
        case FitModel::TwoExponentials: {
            const double e1 = std::exp(-q[1] * t);
            const double e2 = std::exp(-q[3] * t);
            g << e1, -t * q[0] * e1, e2, -t * q[2] * e2;
            break;
        }
        case FitModel::CriticalForm: {
            const double e = std::exp(-q[2] * t);
            g << e, t * e, -t * (q[0] + q[1] * t) * e;
            break;
        }
    }
}

struct Residuals : Eigen::DenseFunctor<double> {
    Residuals(FitModel model, std::span<const double> t, std::span<const double> x)
        : DenseFunctor<double>(parameterCount(model), int(t.size())), model(model), t(t), x(x) {}
    int operator()(const InputType& q, ValueType& f) const {
        for (int i = 0; i < values(); ++i) f[i] = modelValue(model, q, t[i]) - x[i];
        return 0;
    }
    int df(const InputType& q, JacobianType& j) const {
        Eigen::RowVectorXd g(inputs());
        for (int i = 0; i < values(); ++i) {
            modelGradient(model, q, t[i], g);
            j.row(i) = g;
        }
        return 0;
    }
    FitModel model;
    std::span<const double> t, x;
};

// Least squares of x on the columns of `basis`: the coefficients and the sum of squares left.
double linearFit(const Matrix& basis, std::span<const double> x, Vector& coefficients) {
    const Eigen::Map<const Vector> data(x.data(), Eigen::Index(x.size()));
    coefficients = basis.colPivHouseholderQr().solve(data);
    if (!coefficients.allFinite()) return std::numeric_limits<double>::infinity();
    return (basis * coefficients - data).squaredNorm();
}

// A starting point for the solver: the nonlinear parameters (rates, angular frequency) taken
// on a grid, the linear ones by least squares for each, the best kept.
Vector startingPoint(FitModel model, std::span<const double> t, std::span<const double> x) {
    const int n = int(t.size());
    const double span = std::max(t.back() - t.front(), 1e-9);
    double step = span / std::max(1, n - 1);
    auto geometric = [](double from, double to, int count) {
        std::vector<double> v;
        for (int i = 0; i < count; ++i) v.push_back(from * std::pow(to / from, i / (count - 1.0)));
        return v;
    };
    std::vector<double> rates = geometric(0.05 / span, 50 / span, 12);
    double best = std::numeric_limits<double>::infinity();
    Vector q = Vector::Zero(parameterCount(model));
    Matrix basis(n, 2);
    Vector c;
    if (model == FitModel::DampedSine || model == FitModel::Sine) {
        rates.insert(rates.begin(), 0.0);
        if (model == FitModel::Sine) rates = {0.0};
        for (double w : geometric(pi / (2 * span), pi / step, 120))
            for (double b : rates) {
                for (int i = 0; i < n; ++i) {
                    const double e = std::exp(-b * t[i]);
                    basis(i, 0) = e * std::cos(w * t[i]);
                    basis(i, 1) = -e * std::sin(w * t[i]);
                }
                const double r = linearFit(basis, x, c);
                if (r < best) {
                    best = r;
                    // a·cos + b·(−sin) = A·cos(ωt + φ) with a = A·cos φ, b = A·sin φ.
                    const double a = std::hypot(c[0], c[1]);
                    const double phi = std::atan2(c[1], c[0]);
                    if (model == FitModel::Sine)
                        q << a, w, phi;
                    else
                        q << a, b, w, phi;
                }
            }
    } else if (model == FitModel::TwoExponentials) {
        for (double b1 : rates)
            for (double ratio : {1.5, 3.0, 10.0, 30.0, 100.0}) {
                const double b2 = b1 * ratio;
                for (int i = 0; i < n; ++i) {
                    basis(i, 0) = std::exp(-b1 * t[i]);
                    basis(i, 1) = std::exp(-b2 * t[i]);
                }
                const double r = linearFit(basis, x, c);
                if (r < best) {
                    best = r;
                    q << c[0], b1, c[1], b2;
                }
            }
    } else {
        for (double b : geometric(0.05 / span, 50 / span, 40)) {
            for (int i = 0; i < n; ++i) {
                basis(i, 0) = std::exp(-b * t[i]);
                basis(i, 1) = t[i] * std::exp(-b * t[i]);
            }
            const double r = linearFit(basis, x, c);
            if (r < best) {
                best = r;
                q << c[0], c[1], b;
            }
        }
    }
    return q;
}

double wrapAngle(double a) {
    a = std::remainder(a, 2 * pi);
    return a <= -pi ? a + 2 * pi : a;
}

// The solver's parameters turned into the model's, with their uncertainties (each shown
// parameter depends on one solver parameter only).
std::vector<FittedParameter> shownParameters(FitModel model, Vector q, const Vector& sigma) {
    auto amplitude = [](const char* name, double v, double s) {
        return FittedParameter{QString::fromUtf8(name), QStringLiteral("cm"), v, s, nan};
    };
    auto time = [](const char* name, double rate, double s) {
        // τ = 1/β, σ_τ = σ_β/β²; T = 2π/ω likewise.
        const double v = rate != 0 ? 1 / rate : std::numeric_limits<double>::infinity();
        const double u = rate != 0 ? s / (rate * rate) : std::numeric_limits<double>::infinity();
        return FittedParameter{QString::fromUtf8(name), QStringLiteral("s"), v, u, nan};
    };
    auto period = [](double w, double s) {
        return FittedParameter{QStringLiteral("T"), QStringLiteral("s"), 2 * pi / w,
                               2 * pi * s / (w * w), nan};
    };
    auto phase = [](double v, double s) {
        return FittedParameter{QStringLiteral("φ"), QStringLiteral("rad"), wrapAngle(v), s, nan};
    };
    switch (model) {
        case FitModel::DampedSine:
            if (q[0] < 0) q[0] = -q[0], q[3] += pi;
            if (q[2] < 0) q[2] = -q[2], q[3] = -q[3];
            return {amplitude("A", q[0], sigma[0]), time("τ", q[1], sigma[1]),
                    period(q[2], sigma[2]), phase(q[3], sigma[3])};
        case FitModel::Sine:
            if (q[0] < 0) q[0] = -q[0], q[2] += pi;
            if (q[1] < 0) q[1] = -q[1], q[2] = -q[2];
            return {amplitude("A", q[0], sigma[0]), period(q[1], sigma[1]), phase(q[2], sigma[2])};
        case FitModel::TwoExponentials: {
            // The slower exponential first.
            Vector s = sigma;
            if (q[1] > q[3])
                std::swap(q[0], q[2]), std::swap(q[1], q[3]), std::swap(s[0], s[2]),
                    std::swap(s[1], s[3]);
            return {amplitude("A", q[0], s[0]), time("τ1", q[1], s[1]), amplitude("B", q[2], s[2]),
                    time("τ2", q[3], s[3])};
        }
        case FitModel::CriticalForm:
            return {
                amplitude("A", q[0], sigma[0]),
                FittedParameter{QStringLiteral("B"), QStringLiteral("cm·s⁻¹"), q[1], sigma[1], nan},
                time("τ", q[2], sigma[2])};
    }
    return {};
}

}  // namespace

const FittedParameter* FitResult::parameter(const QString& name) const {
    for (const FittedParameter& p : parameters)
        if (p.name == name) return &p;
    return nullptr;
}

QString modelFormula(FitModel model) {
    switch (model) {
        case FitModel::DampedSine:
            return QStringLiteral("x = A·exp(−t/τ)·cos(2πt/T + φ)");
        case FitModel::Sine:
            return QStringLiteral("x = A·cos(2πt/T + φ)");
        case FitModel::TwoExponentials:
            return QStringLiteral("x = A·exp(−t/τ1) + B·exp(−t/τ2)");
        case FitModel::CriticalForm:
            return QStringLiteral("x = (A + B·t)·exp(−t/τ)");
    }
    return QString();
}

FitModel modelFor(Regime regime) {
    switch (regime) {
        case Regime::Overdamped:
            return FitModel::TwoExponentials;
        case Regime::Critical:
            return FitModel::CriticalForm;
        case Regime::Underdamped:
            return FitModel::DampedSine;
        case Regime::Undamped:
            return FitModel::Sine;
    }
    return FitModel::DampedSine;
}

FitResult fitMotion(FitModel model, std::span<const double> t, std::span<const double> x) {
    FitResult result;
    result.model = model;
    const int n = int(std::min(t.size(), x.size()));
    const int p = parameterCount(model);
    t = t.first(size_t(n));
    x = x.first(size_t(n));
    if (n < p + 2) {
        result.message = QStringLiteral(
                             "Le tableau n'a que %1 ligne(s) : il en faut au moins %2 "
                             "pour ajuster ce modèle. Lancez l'enregistrement.")
                             .arg(n)
                             .arg(p + 2);
        return result;
    }
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(t[i]) || !std::isfinite(x[i])) {
            result.message = QStringLiteral("Le tableau contient une valeur non numérique.");
            return result;
        }
    const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
    if (*hi - *lo <= 1e-12 * std::max(1.0, std::abs(*hi))) {
        result.message = QStringLiteral(
            "Le tableau est plat (x reste constant) : il n'y a pas "
            "de mouvement à modéliser. Choisissez une position "
            "initiale x0 non nulle.");
        return result;
    }

    Vector q = startingPoint(model, t, x);
    Residuals functor(model, t, x);
    Eigen::LevenbergMarquardt<Residuals> lm(functor);
    lm.setXtol(1e-14);
    lm.setFtol(1e-14);
    lm.setMaxfev(4000);
    lm.minimize(q);

    Vector f(n);
    functor(q, f);
    Matrix j(n, p);
    functor.df(q, j);
    const Eigen::ColPivHouseholderQR<Matrix> qr(j);
    const double ssr = f.squaredNorm();
    if (!q.allFinite() || !std::isfinite(ssr) || !j.allFinite() || qr.rank() < p) {
        result.message = QStringLiteral(
            "Les paramètres du modèle ne sont pas déterminés par ce "
            "tableau : l'ajustement est impossible. Essayez un autre "
            "modèle ou une autre durée d'enregistrement.");
        return result;
    }
    const double s2 = ssr / (n - p);
    const Matrix covariance = s2 * (j.transpose() * j).inverse();
    Vector sigma = covariance.diagonal().cwiseMax(0.0).cwiseSqrt();
    if (!sigma.allFinite()) {
        result.message = QStringLiteral(
            "Les incertitudes de l'ajustement ne peuvent être "
            "calculées avec ce tableau.");
        return result;
    }
    result.ok = true;
    result.parameters = shownParameters(model, q, sigma);
    result.residualDeviation = std::sqrt(s2);
    result.t.assign(t.begin(), t.end());
    for (int i = 0; i < n; ++i) result.residuals.push_back(-f[i]);
    return result;
}

std::vector<double> theoreticalParameters(FitModel model, const MotionConstants& c,
                                          const OscillatorParameters& p) {
    const Regime r = c.regime;
    switch (model) {
        case FitModel::DampedSine:
            if (r == Regime::Underdamped) {
                // X·cos(θ) with X of the sign of x0: the amplitude shown is positive.
                const double a = std::abs(c.c4);
                const double phi = wrapAngle(c.c4 < 0 ? c.c3 + pi : c.c3);
                return {a, -1 / c.c1, 2 * pi / c.c2, phi};
            }
            if (r == Regime::Undamped)
                return {std::abs(c.c1), std::numeric_limits<double>::infinity(), 2 * pi / c.c2,
                        c.c1 < 0 ? pi : 0.0};
            break;
        case FitModel::Sine:
            if (r == Regime::Undamped) return {std::abs(c.c1), 2 * pi / c.c2, c.c1 < 0 ? pi : 0.0};
            break;
        case FitModel::TwoExponentials:
            if (r == Regime::Overdamped) return {c.c1, -1 / c.c3, c.c2, -1 / c.c4};
            break;
        case FitModel::CriticalForm:
            if (r == Regime::Critical) return {c.c1, -c.c2 * c.c1, -1 / c.c2};
            break;
    }
    (void)p;
    return std::vector<double>(size_t(parameterCount(model)), nan);
}

FitResult fitRecording(FitModel model, const std::vector<MotionSample>& samples,
                       const MotionConstants& c, const OscillatorParameters& p) {
    std::vector<double> t, x;
    for (const MotionSample& s : samples) {
        t.push_back(s.t);
        x.push_back(s.x);
    }
    FitResult result = fitMotion(model, t, x);
    const std::vector<double> theory = theoreticalParameters(model, c, p);
    for (size_t i = 0; i < result.parameters.size() && i < theory.size(); ++i)
        result.parameters[i].theory = theory[i];
    return result;
}

}  // namespace ondalis
