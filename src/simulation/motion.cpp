#include "simulation/motion.h"

#include <cmath>

#include "platform/core/numberformat.h"

namespace ondalis {

namespace {

// Assigns only a finite result: an overflow or an invalid operation keeps the previous value.
template <typename T>
void assignIfFinite(T& target, double value) {
    if (std::isfinite(value) && std::fabs(value) <= 3.4e38) target = T(value);
}

std::int16_t decade(double value) {
    if (!std::isfinite(value)) return 0;
    return std::int16_t(scientificExponent(std::fabs(value)));
}

}  // namespace

QString regimeName(Regime regime) {
    switch (regime) {
        case Regime::Overdamped:
            return QStringLiteral("apériodique");
        case Regime::Critical:
            return QStringLiteral("critique");
        case Regime::Underdamped:
            return QStringLiteral("pseudo-périodique");
        case Regime::Undamped:
            break;
    }
    return QStringLiteral("périodique");
}

void computeScaleExponents(const OscillatorParameters& p, MotionConstants& c) {
    c.forceExponent = decade(std::fabs(double(p.k) * 0.1));
    const double omega0 = std::sqrt(double(p.k) / (double(p.m) / 1000.0));
    const double speed = std::fabs(double(p.x0) / 100.0) * omega0;
    if (std::isfinite(speed)) c.speedExponent = decade(speed);
}

void computeRegime(const OscillatorParameters& p, MotionConstants& c) {
    const double x0 = p.x0;
    const double m = p.m;
    const double k = p.k;
    const double h = p.h;
    if (h == 0) {
        const double omega0 = std::sqrt(k / m * 1000.0);
        if (std::isfinite(omega0)) {
            c.regime = Regime::Undamped;
            c.c1 = x0;
            c.c2 = omega0;
        }
    } else {
        const double lambda = float(h / m * 1000.0);
        const double w2 = float(k / m * 1000.0);
        const double delta = lambda * lambda - 4.0 * w2;
        if (!std::isfinite(delta)) {
            // Parameters that give no finite discriminant keep the previous constants.
        } else if (delta >= 0) {
            const double s = std::sqrt(delta);
            const double r1 = (-lambda + s) / 2.0;
            const double r2 = (-lambda - s) / 2.0;
            if (r1 == r2) {
                c.regime = Regime::Critical;
                c.c1 = x0;
                c.c2 = r1;
            } else {
                const double a = x0 * r2 / (r2 - r1);
                c.regime = Regime::Overdamped;
                c.c1 = a;
                c.c2 = x0 - a;
                c.c3 = r1;
                c.c4 = r2;
            }
        } else {
            const double alpha = -lambda / 2.0;
            const double omega = std::sqrt(-delta) / 2.0;
            const double phi = std::atan(alpha / omega);
            c.regime = Regime::Underdamped;
            c.c1 = alpha;
            c.c2 = omega;
            c.c3 = phi;
            c.c4 = x0 / std::cos(phi);
        }
    }
    const double step = std::sqrt(m * 0.001 / k) * 6.28 / 50.0;
    assignIfFinite(c.stepLimit, step);
}

MotionConstants computeMotionConstants(const OscillatorParameters& p) {
    MotionConstants c;
    computeScaleExponents(p, c);
    computeRegime(p, c);
    return c;
}

MotionSample sampleMotion(const MotionConstants& c, const OscillatorParameters& p, double t,
                          const MotionSample& previous) {
    MotionSample s = previous;
    s.t = t;
    switch (c.regime) {
        case Regime::Overdamped: {
            const double e1 = std::exp(c.c3 * t);
            const double e2 = std::exp(c.c4 * t);
            assignIfFinite(s.x, c.c1 * e1 + c.c2 * e2);
            // A·r1 = -B·r2 (no initial speed), so v = A·r1·(e^(r1·t) - e^(r2·t)): exactly 0 at
            // t = 0 rather than the residue of two opposite products.
            assignIfFinite(s.v, c.c1 * c.c3 * (e1 - e2) / 100.0);
            assignIfFinite(s.a, (c.c1 * c.c3 * c.c3 * e1 + c.c2 * c.c4 * c.c4 * e2) / 100.0);
            break;
        }
        case Regime::Critical: {
            const double x0 = c.c1;
            const double r = c.c2;
            const double e = std::exp(r * t);
            assignIfFinite(s.x, x0 * (1 - r * t) * e);
            assignIfFinite(s.v, -x0 * r * r * t * e / 100.0);
            assignIfFinite(s.a, -x0 * r * r * (1 + r * t) * e / 100.0);
            break;
        }
        case Regime::Underdamped: {
            const double e = std::exp(c.c1 * t);
            const double theta = c.c2 * t + c.c3;
            const double big = c.c4;
            assignIfFinite(s.x, big * e * std::cos(theta));
            // With tan φ = α/ω, α·cos θ - ω·sin θ = -sqrt(α² + ω²)·sin(ω·t): the velocity is
            // exactly 0 at t = 0 rather than the residue of two opposite products.
            const double omega0 = std::sqrt(c.c1 * c.c1 + c.c2 * c.c2);
            assignIfFinite(s.v, -big * e * omega0 * std::sin(c.c2 * t) / 100.0);
            // The acceleration follows from the forces on the solid.
            assignIfFinite(
                s.a, (-double(p.k) * s.x / 100.0 - double(p.h) * s.v) / (double(p.m) / 1000.0));
            break;
        }
        case Regime::Undamped: {
            const double x0 = c.c1;
            const double w = c.c2;
            assignIfFinite(s.x, x0 * std::cos(w * t));
            assignIfFinite(s.v, -x0 * w * std::sin(w * t) / 100.0);
            assignIfFinite(s.a, -w * w * x0 * std::cos(w * t) / 100.0);
            break;
        }
    }
    assignIfFinite(s.ec, 0.5 * (double(p.m) / 1000.0) * double(s.v) * double(s.v));
    assignIfFinite(s.epe, 0.5 * double(p.k) * (double(s.x) / 100.0) * (double(s.x) / 100.0));
    assignIfFinite(s.em, double(s.ec) + double(s.epe));
    return s;
}

}  // namespace ondalis
