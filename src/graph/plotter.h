#pragma once

#include <QString>

#include "graph/graphframe.h"
#include "recording/recordingsettings.h"
#include "simulation/motion.h"

class QWidget;

namespace ondalis {

class DrawingSurface;
class ValueGrid;

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
// when `bold`; at t = 0 exactly it draws the point instead and writes the first table row. When
// the clock has flagged a sampling instant (settings.sampleDue) and the sample is the motion at
// that instant n·D/50 (n rows recorded), it appends the next table row and clears the flag, so
// that a redraw at the same or at another instant adds no row. The line width is 1 again
// afterwards. Nothing happens when D <= 0 or float(t) > D; with ymax = 0 (no motion) the rows
// are written but nothing is drawn. Returns whether it drew.
bool tracegraphe(DrawingSurface& frame, const GraphScale& scale, PlotMemory& memory,
                 const MotionSample& sample, float duration, bool bold, const CurveColors& colors,
                 RecordingSettings& settings, ValueGrid& grid);

// Pointer over the graph at surface x: inside the plotting band 50 … 550 the pointer is a
// cross-hair and the tooltip reads "t = " + the time (x - 50)·D/500 (single precision, three
// significant digits) + " s"; outside it, the normal arrow and no tooltip.
struct CursorReadout {
    bool crossHair = false;
    QString toolTip;
};
CursorReadout cursorReadout(int x, float duration);
// Sets the pointer shape and the tooltip of the surface (a tooltip on show follows the text).
void applyCursorReadout(QWidget& frame, const CursorReadout& readout);

// Status-line hint for the pointer over the graph.
QString graphHint();

}  // namespace ondalis
