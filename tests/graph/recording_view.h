#pragma once

// The graph surface and the value table a recording is shown on, set up as the window sets them
// up, and what the window shows of each frame of the run.
#include "graph/graphframe.h"
#include "graph/plotter.h"
#include "graph/widgets/graphsurface.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/valuetable.h"
#include "simulation/run.h"

namespace ondalis::testing {

struct RecordingView {
    RecordingView() {
        setUpGraphFrame(frame);
        tetetab(grid, 785, canvas);
    }

    // The point on the graph while float(t) <= D, and the table's new row; returns whether the
    // plotter was called.
    bool show(const RunFrame& shown, const RecordedSamples& samples, float duration,
              bool bold = false) {
        if (shown.onGraph) tracegraphe(frame, scale, memory, shown.sample, duration, bold, colors);
        if (shown.rowAdded) showRecordedRows(grid, samples);
        return shown.onGraph;
    }

    DrawingSurface frame;
    DrawingSurface canvas;  // the hidden picture box the table's header is drawn on
    ValueGrid grid;
    GraphScale scale;
    PlotMemory memory;
    CurveColors colors;
};

}  // namespace ondalis::testing
