#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// The graph of one quantity against time, on the 617 × 225 surface `Frame1`.
//
// Time maps to X = 50 + 500·t/D, so that the time axis carries 10 divisions of D/10.
// Signed layout (position, velocity, acceleration): Y = 115 - 100·value/ymax, 5 divisions of
// ymax/5 on each side of the time axis. Energy layout: Y = 200 - 180·energy/ymax, 10 divisions
// of ymax/10 above the time axis.
//
// The full scale ymax does not depend on what is recorded: it is the largest magnitude the
// undamped motion released from x0 reaches, rounded to two significant digits, so that the
// curve can be drawn point by point while the motion runs.
namespace ondalis {

class Canvas;

inline constexpr int kGraphWidth = 617;
inline constexpr int kGraphHeight = 225;

enum PlottedQuantity : int {
    PlotPosition = 0,
    PlotVelocity = 1,
    PlotAcceleration = 2,
    PlotEnergies = 3,
};

struct GraphScale {
    // The checked quantity button: 0 "Position", 1 "Vitesse", 2 "Accélération", 3 "Energies".
    int quantity = PlotPosition;
    // Full-scale value in the unit of the vertical title; 0 disables plotting.
    float ymax = 0;
};

// The curve colours (the colour swatches 1, 5, 6, 7, 8 and 9 of the display panel).
struct CurveColors {
    QColor position{0, 0, 192};
    QColor velocity{192, 0, 0};
    QColor acceleration{0, 192, 0};
    QColor ec{192, 64, 0};
    QColor epe{0, 128, 0};
    QColor em{0, 0, 128};
};

// Full-scale value before rounding, from x0 (cm), m (g) and k (N/m), with ω0 = √(k / m_kg):
//   position |x0| cm; velocity |x0|/100·ω0 m/s; acceleration |x0|·10·k/m m/s² (= ω0²·|x0|/100);
//   energies ½·k·(x0/100)² J, the elastic energy at release.
double fullScaleValue(int quantity, float x0, float m, float k);
// The same rounded to two significant digits ("0.0E+00"): 0.35355 -> 0.35, 0.0125 -> 0.013.
float graphFullScale(int quantity, float x0, float m, float k);

// Texts of the time labels: i·D/10 computed in single precision, in the general number format,
// for i = 1 … 10 (signed layout) or i = 0 … 10 (energy layout).
QStringList graphTimeLabels(float duration, int quantity);
// Texts of the vertical labels i·ymax/10, bottom to top: i = -10, -8, …, 10 (signed layout) or
// i = 0 … 10 (energy layout).
QStringList graphVerticalLabels(float ymax, int quantity);

// Clears the surface and draws the frame of the quantity (`echgraph`): grid lines in light
// grey, time labels centred under them, axes and arrow heads, axis titles with their symbols
// (the energy title in the three curve colours, as the legend), and the vertical labels
// right-aligned on x = 45. Sets scale.quantity, and scale.ymax to the rounded full scale.
// With D = 0 the surface is only cleared (ymax is left as it was).
void echgraph(Canvas& frame, GraphScale& scale, int quantity, float duration, float x0, float m,
              float k, const CurveColors& colors);

}  // namespace ondalis
