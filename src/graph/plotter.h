#pragma once

#include <QString>

#include "graph/graphframe.h"
#include "simulation/motion.h"

namespace ondalis {

class Canvas;

// The point drawn last, from which the next segment starts. Rewritten at t = 0 before any
// segment is drawn, so it needs no reset.
struct PlotMemory {
    double previousX = 0;
    double previousY1 = 0;  // single curve, or Ec
    double previousY2 = 0;  // Epe
    double previousY3 = 0;  // Em
};

// The plotter (`tracegraphe`), called by the scene redraw at its end, and only while
// float(t) <= D. It extends the curve by one segment per call (three for the energies), from
// the remembered point to the point of sample.t, in the quantity's colour and 2 pixels wide
// when `bold`; at t = 0 exactly it draws the point instead. The line width is 1 again
// afterwards. Nothing is drawn when D <= 0, float(t) > D or ymax = 0 (no motion). The table
// rows are the run's (Recording::record). Returns whether it drew.
bool tracegraphe(Canvas& frame, const GraphScale& scale, PlotMemory& memory,
                 const MotionSample& sample, float duration, bool bold, const CurveColors& colors);

// Pointer over the graph at surface x: inside the plotting band 50 … 550 the pointer is a
// cross-hair and the tooltip reads "t = " + the time (x - 50)·D/500 (single precision, three
// significant digits) + " s"; outside it, the normal arrow and no tooltip.
struct CursorReadout {
    bool crossHair = false;
    QString toolTip;
};
CursorReadout cursorReadout(int x, float duration);

// Status-line hint for the pointer over the graph.
QString graphHint();

}  // namespace ondalis
