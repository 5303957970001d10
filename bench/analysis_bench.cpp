// The animation's tick on the real main window with "Analyse du mouvement" open (offscreen
// platform), its energy bars shown (the part that draws most per tick): the tick alone, and the
// tick with the repaint it asks for. Goal: within 1 ms. Also one fit of a complete table.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include "analysis/motionfit.h"
#include "analysis/widgets/analysiswindow.h"
#include "app/feuillep.h"
#include "platform/core/periodictimer.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "silentdialogs.h"
#include "simulation/widgets/parameterspanel.h"

namespace {

using namespace ondalis;

struct Window {
    QTemporaryDir folder;
    SilentDialogs dialogs;
    QtPrinterService printer{dialogs};
    ManualTimer* timer = nullptr;
    std::unique_ptr<feuilleP> w;

    explicit Window(bool analysis, int part = 1) {
        auto t = std::make_unique<ManualTimer>();
        timer = t.get();
        w = std::make_unique<feuilleP>(dialogs, printer, std::move(t), folder.path());
        w->show();
        QCoreApplication::processEvents();
        w->Text5(PositionField)->setText(QStringLiteral("5"));
        w->Text5_LostFocus(PositionField);
        if (analysis) {
            w->showAnalysis();
            w->analysisWindow()->parts->setCurrentIndex(part);
            QCoreApplication::processEvents();
        }
        w->command15_Click();
    }
    ~Window() { w->Form_Unload(); }
    void restartWhenLate() {
        if (w->currentSample().t > 4.9) w->Image4_Click(), w->command15_Click();
    }
};

// Arguments: whether the analysis is open; its part (1 the energies, 2 the phase portrait).
void BM_Tick(benchmark::State& state) {
    Window win(state.range(0) != 0, int(state.range(1)));
    for (auto _ : state) {
        win.timer->fire();
        win.restartWhenLate();
    }
}
BENCHMARK(BM_Tick)->Args({0, 1})->Args({1, 1})->Args({1, 2})->Unit(benchmark::kMicrosecond);

void BM_TickPainted(benchmark::State& state) {
    Window win(state.range(0) != 0, int(state.range(1)));
    for (auto _ : state) {
        win.timer->fire();
        QCoreApplication::processEvents();
        win.restartWhenLate();
    }
}
BENCHMARK(BM_TickPainted)->Args({0, 1})->Args({1, 1})->Args({1, 2})->Unit(benchmark::kMicrosecond);

// The fit of a complete 51-row table (m = 145 g, k = 10, h = 0.2, D = 5 s).
void BM_FitDampedSine(benchmark::State& state) {
    const OscillatorParameters p{5, 145, 10, 0.2f};
    Run run;
    run.settings().duration = 5;
    run.reset(p);
    run.start();
    while (run.rows() < 51) run.tick(false);
    for (auto _ : state) {
        const FitResult fit = fitRecording(FitModel::DampedSine, run.samples(), run.constants(), p);
        if (!fit.ok) state.SkipWithError("no fit");
    }
}
BENCHMARK(BM_FitDampedSine)->Unit(benchmark::kMicrosecond);

}  // namespace
