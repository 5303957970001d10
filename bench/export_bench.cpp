// The exports of a recording at their densest: the table's 1001 closed-form instants written in
// each file format (computed from the motion each time, as "Exporter" does), and the graph
// drawn into each picture format. Each should take well under 50 ms.
#include <benchmark/benchmark.h>

#include "printing/graphexport.h"
#include "recording/tableexport.h"
#include "recording_run.h"

namespace {

using namespace ondalis;

const OscillatorParameters kParams{5, 145, 10, 0.2f};

void tableFile(benchmark::State& state, TableFormat format) {
    const MotionConstants c = computeMotionConstants(kParams);
    size_t bytes = 0;
    for (auto _ : state) {
        ExportTable table = denseExport(c, kParams, 5, 1001);
        table.memo = motionMemo(kParams, c.regime, 5);
        const QByteArray file = tableFileBytes(table, format);
        bytes = size_t(file.size());
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK_CAPTURE(tableFile, csv_french_1001, TableFormat::CsvFrench)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tableFile, csv_international_1001, TableFormat::CsvInternational)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tableFile, regressi_1001, TableFormat::Regressi)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tableFile, python_1001, TableFormat::Python)->Unit(benchmark::kMillisecond);

// The recorded graph of "5 s" drawn into each picture format.
void graphFile(benchmark::State& state, GraphFormat format) {
    ondalis::testing::RecordingRun run(kParams, 5);
    run.runPastDuration();
    size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray file = graphFileBytes(run.frame, format);
        bytes = size_t(file.size());
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK_CAPTURE(graphFile, png, GraphFormat::Png)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(graphFile, png_double, GraphFormat::PngDouble)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(graphFile, svg, GraphFormat::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(graphFile, pdf, GraphFormat::Pdf)->Unit(benchmark::kMillisecond);

// The four files and the Python fragment of one 1001-point set, computed once.
void allTableFormats1001(benchmark::State& state) {
    const MotionConstants c = computeMotionConstants(kParams);
    for (auto _ : state) {
        ExportTable table = denseExport(c, kParams, 5, 1001);
        table.memo = motionMemo(kParams, c.regime, 5);
        for (TableFormat f : {TableFormat::CsvFrench, TableFormat::CsvInternational,
                              TableFormat::Regressi, TableFormat::Python})
            benchmark::DoNotOptimize(tableFileBytes(table, f).data());
        benchmark::DoNotOptimize(pythonFragment(table).data());
    }
}
BENCHMARK(allTableFormats1001)->Unit(benchmark::kMillisecond);

}  // namespace
