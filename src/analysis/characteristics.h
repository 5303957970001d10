#pragma once

#include <QString>

#include "simulation/motion.h"
#include "simulation/parameters.h"

// The characteristic quantities of the oscillator in force, for the "Caractéristiques" part of
// the motion analysis: computed from the parameters as the motion took them at its last reset,
// with the regime the motion code decided.
namespace ondalis {

struct Characteristics {
    Regime regime = Regime::Undamped;
    double omega0 = 0;        // √(k/m), rad/s
    double period0 = 0;       // T0 = 2π/ω0, s
    double lambda = 0;        // h/(2m), 1/s
    double tau = 0;           // 1/λ, s; infinite without friction
    double pseudoPeriod = 0;  // 2π/√(ω0² − λ²), s; 0 where the motion has none
    double quality = 0;       // m·ω0/h; infinite without friction
    double criticalH = 0;     // hc = 2√(k·m), N·s/m
    double ratio = 0;         // h/hc
    double energy0 = 0;       // ½·k·x0², J
};

Characteristics characterize(const OscillatorParameters& p, const MotionConstants& c);

// Where h stands against the critical value, in words: "amortissement critique exact" when the
// motion is critical, "à 0,1 % en deçà de l'amortissement critique" (or "au-delà") within 10 %
// of it, nothing further away.
QString criticalEdgeText(const Characteristics& c);

// The critical friction coefficient as the h field takes it: clamped to its range and rounded
// to three significant digits.
float validatedCriticalH(const OscillatorParameters& p);

}  // namespace ondalis
