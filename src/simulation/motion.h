#pragma once

#include <cstdint>

#include "simulation/parameters.h"

// Closed-form motion of a solid of mass m on a horizontal spring of stiffness k, in a fluid
// whose friction force is -h·v, released at x0 without initial speed:
//     m·x'' + h·x' + k·x = 0,  x(0) = x0,  x'(0) = 0.
// Units: x in cm, m in g (kg inside the formulas), k in N/m, h in N·s/m, t in s;
// v in m/s and a in m/s² (centimetre derivatives divided by 100); energies in J.
namespace ondalis {

enum class Regime : std::int16_t { Overdamped = 1, Critical = 2, Underdamped = 3, Undamped = 4 };

// Coefficients of the solution, by regime:
//   Overdamped:  c1 = A (cm), c2 = B (cm), c3 = r1, c4 = r2 (1/s); x = A·e^(r1·t) + B·e^(r2·t)
//   Critical:    c1 = x0 (cm), c2 = r (1/s);                       x = x0·(1 - r·t)·e^(r·t)
//   Underdamped: c1 = α (1/s), c2 = ω (rad/s), c3 = φ, c4 = X (cm); x = X·e^(α·t)·cos(ω·t + φ)
//   Undamped:    c1 = x0 (cm), c2 = ω0 (rad/s);                   x = x0·cos(ω0·t)
struct MotionConstants {
    Regime regime = Regime::Undamped;
    double c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    // One fiftieth of the undamped period (6.28 standing for 2π), in s.
    float stepLimit = 0.05f;
    // Decades of the largest spring force 0.1·k (N) and of the largest speed |x0/100|·ω0 (m/s).
    std::int16_t forceExponent = 0;
    std::int16_t speedExponent = 0;
};

struct MotionSample {
    double t = 0;
    float x = 0, v = 0, a = 0;
    float ec = 0, epe = 0, em = 0;
};

// The regime as the class names it: "apériodique", "critique", "pseudo-périodique",
// "périodique".
QString regimeName(Regime regime);

// The two scale decades, taken from the parameters when the motion is reset.
void computeScaleExponents(const OscillatorParameters& p, MotionConstants& c);

// The regime and its coefficients, then the step limit. λ = h/m_kg and k/m_kg are rounded to
// single precision before Δ = λ² - 4·k/m_kg is taken in double precision, so that the critical
// case is decided by that rounding. A computation that fails keeps the previous value.
void computeRegime(const OscillatorParameters& p, MotionConstants& c);

// Everything a reset computes.
MotionConstants computeMotionConstants(const OscillatorParameters& p);

// The sample at time t. m, k (and h for the underdamped acceleration) are read from `p`. Each
// quantity is computed in double precision and stored as a single; a failing computation keeps
// the value of `previous`. The velocity is taken in forms that vanish exactly at t = 0 in every
// regime, so that a solid released without speed shows v = 0 and Ec = 0, not rounding residues.
MotionSample sampleMotion(const MotionConstants& c, const OscillatorParameters& p, double t,
                          const MotionSample& previous = {});

}  // namespace ondalis
