#pragma once

// A recording driven tick by tick, without a window, as the window drives it: the run's tick,
// its point on the graph while float(t) <= D, its new row in the table.
#include <vector>

#include "recording/recordingsettings.h"
#include "recording_view.h"

namespace ondalis::testing {

struct RecordingRun : RecordingView {
    RecordingRun(const OscillatorParameters& p, float duration, int quantity = PlotPosition,
                 bool bold = false, bool slowMotion = false)
        : bold(bold), slowMotion(slowMotion) {
        animation.settings().duration = duration;
        // State after a reset and a start: table cut back to its header, empty frame, t = 0.
        animation.reset(p);
        animation.start();
        cutTableToHeader(grid);
        echgraph(frame, scale, quantity, duration, p.x0, p.m, p.k, colors);
    }

    // One tick; returns whether the plotter was called.
    bool tick() {
        const RunFrame shown = animation.tick(slowMotion);
        if (show(shown, animation.samples(), settings().duration, bold)) ++drawings;
        times.push_back(t());
        ++ticks;
        return shown.onGraph;
    }

    // Ticks until the plotter is no longer called (t past D), plus `extra` ticks.
    void runPastDuration(int extra = 3, int limit = 2000000) {
        while (ticks < limit && float(t()) <= settings().duration) tick();
        for (int i = 0; i < extra; ++i) tick();
    }

    double t() const { return animation.clockTime(); }
    RecordingSettings& settings() { return animation.settings(); }

    bool bold;
    bool slowMotion;
    Run animation;
    int ticks = 0;
    int drawings = 0;
    std::vector<double> times;  // t after each advance
};

}  // namespace ondalis::testing
