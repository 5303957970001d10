#include "analysis/characteristics.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "platform/core/numberformat.h"

namespace ondalis {

Characteristics characterize(const OscillatorParameters& p, const MotionConstants& c) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double m = double(p.m) / 1000;
    const double k = p.k;
    const double h = p.h;
    Characteristics q;
    q.regime = c.regime;
    q.omega0 = std::sqrt(k / m);
    q.period0 = 2 * std::numbers::pi / q.omega0;
    q.lambda = h / (2 * m);
    q.tau = h > 0 ? 1 / q.lambda : inf;
    // The pseudo-period is the motion's own: 2π over the ω it oscillates with, so that it exists
    // exactly where the regime says the motion oscillates.
    if ((c.regime == Regime::Underdamped || c.regime == Regime::Undamped) && c.c2 > 0)
        q.pseudoPeriod = 2 * std::numbers::pi / c.c2;
    q.quality = h > 0 ? m * q.omega0 / h : inf;
    q.criticalH = 2 * std::sqrt(k * m);
    q.ratio = h / q.criticalH;
    const double x0 = double(p.x0) / 100;
    q.energy0 = 0.5 * k * x0 * x0;
    return q;
}

QString criticalEdgeText(const Characteristics& c) {
    if (c.regime == Regime::Critical) return QStringLiteral("amortissement critique exact");
    const double gap = std::abs(c.ratio - 1) * 100;
    if (!(gap <= 10)) return QString();
    const QString side = c.ratio < 1 ? QStringLiteral("en deçà") : QStringLiteral("au-delà");
    if (gap < 0.001)
        return QStringLiteral("à moins de %1 % %2 de l'amortissement critique")
            .arg(formatGeneral(0.001f), side);
    return QStringLiteral("à %1 % %2 de l'amortissement critique")
        .arg(formatGeneral(roundTwoSignificant(gap)), side);
}

float validatedCriticalH(const OscillatorParameters& p) {
    const double m = double(p.m) / 1000;
    return validatedParameter(FrictionField, float(2 * std::sqrt(double(p.k) * m)));
}

}  // namespace ondalis
