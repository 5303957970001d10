// A complete recording computed headless, all ticks back to back: per tick the sample, the
// plotter's segment on the graph surface, the table row at sampling instants, and the clock
// advance. Reported against the 20 ms tick budget and against the recorded duration.
#include <benchmark/benchmark.h>

#include <chrono>

#include "recording_view.h"

namespace {

using namespace ondalis;

constexpr double kTickBudget = 0.020;  // s

struct Recorder : ondalis::testing::RecordingView {
    explicit Recorder(float duration, int quantity) : quantity(quantity) {
        run.settings().duration = duration;
    }

    // Reset, then ticks until t has passed D; returns the number of ticks.
    int record() {
        const float duration = run.settings().duration;
        run.reset(params);
        run.start();
        cutTableToHeader(grid);
        echgraph(frame, scale, quantity, duration, params.x0, params.m, params.k, colors);
        int ticks = 0;
        while (float(run.clockTime()) <= duration) {
            show(run.tick(false), run.samples(), duration);
            ++ticks;
        }
        return ticks;
    }

    OscillatorParameters params{5, 145, 10, 0.2f};
    int quantity;
    Run run;
};

// Ticks per recording, time per tick, and that time as a percentage of the 20 ms tick budget
// and of the recorded duration (wall-clock time over all iterations).
void report(benchmark::State& state, double seconds, double ticks, double recorded) {
    state.counters["ticks_per_recording"] = ticks / double(state.iterations());
    state.counters["us_per_tick"] = seconds / ticks * 1e6;
    state.counters["tick_budget_percent"] = seconds / (ticks * kTickBudget) * 100;
    state.counters["recorded_time_percent"] = seconds / recorded * 100;
}

void BM_CompleteRecording(benchmark::State& state) {
    const int quantity = int(state.range(0));
    Recorder r(5, quantity);
    double ticks = 0, recorded = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        ticks += r.record();
        recorded += 5;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (recordedRows(r.grid) != 51) state.SkipWithError("the recording is not complete");
    report(state, elapsed.count(), ticks, recorded);
}
BENCHMARK(BM_CompleteRecording)
    ->Arg(PlotPosition)
    ->Arg(PlotEnergies)
    ->Unit(benchmark::kMillisecond);

// The graph frame alone, as redrawn by every reset.
void BM_GraphFrame(benchmark::State& state) {
    Recorder r(5, int(state.range(0)));
    for (auto _ : state) echgraph(r.frame, r.scale, r.quantity, 5, 5, 145, 10, r.colors);
}
BENCHMARK(BM_GraphFrame)->Arg(PlotPosition)->Arg(PlotEnergies)->Unit(benchmark::kMicrosecond);

}  // namespace
