#pragma once

// A recording driven tick by tick, without a window, in the order of the animation tick: the
// sample at the current t, the plotter while float(t) <= D (as the scene redraw calls it), then
// the clock advance with the number of rows recorded.
#include <vector>

#include "graph/graphframe.h"
#include "graph/plotter.h"
#include "platform/drawingsurface.h"
#include "platform/valuegrid.h"
#include "recording/recordingsettings.h"
#include "recording/valuetable.h"
#include "simulation/clock.h"
#include "simulation/motion.h"
#include "simulation/parameters.h"

namespace ondalis::testing {

struct RecordingRun {
    RecordingRun(const OscillatorParameters& p, float duration, int quantity = PlotPosition,
                 bool bold = false, bool slowMotion = false)
        : params(p), bold(bold), slowMotion(slowMotion) {
        settings.duration = duration;
        setUpGraphFrame(frame);
        tetetab(grid, 785, canvas);
        // State after a reset: table cut back to its header, empty frame, t = 0.
        constants = computeMotionConstants(params);
        cutTableToHeader(grid);
        echgraph(frame, scale, quantity, duration, params.x0, params.m, params.k, colors);
    }

    // One tick; returns whether the plotter was called.
    bool tick() {
        sample = sampleMotion(constants, params, t, sample);
        bool plotted = false;
        if (float(t) <= settings.duration) {
            tracegraphe(frame, scale, memory, sample, settings.duration, bold, colors, settings,
                        grid);
            plotted = true;
            ++drawings;
        }
        const ClockAdvance next =
            advanceClock(t, settings.duration, constants.stepLimit, slowMotion, recordedRows(grid));
        t = next.t;
        settings.sampleDue = next.sampleDue;
        times.push_back(t);
        ++ticks;
        return plotted;
    }

    // Ticks until the plotter is no longer called (t past D), plus `extra` ticks.
    void runPastDuration(int extra = 3, int limit = 2000000) {
        while (ticks < limit && float(t) <= settings.duration) tick();
        for (int i = 0; i < extra; ++i) tick();
    }

    OscillatorParameters params;
    bool bold;
    bool slowMotion;
    RecordingSettings settings;
    DrawingSurface frame;
    DrawingSurface canvas;
    ValueGrid grid;
    GraphScale scale;
    PlotMemory memory;
    CurveColors colors;
    MotionConstants constants;
    MotionSample sample;
    double t = 0;
    int ticks = 0;
    int drawings = 0;
    std::vector<double> times;  // t after each advance
};

}  // namespace ondalis::testing
