#pragma once

// The graph surface `Frame1` as a widget: its name and size, the pointer's shape and tooltip.
#include "graph/plotter.h"

class QWidget;

namespace ondalis {

class DrawingSurface;

// Gives the surface its name, size and white background.
void setUpGraphFrame(DrawingSurface& frame);

// Sets the pointer shape and the tooltip of the surface (a tooltip on show follows the text).
void applyCursorReadout(QWidget& frame, const CursorReadout& readout);

}  // namespace ondalis
