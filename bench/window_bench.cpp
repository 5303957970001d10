// The animation measured on the real main window with the offscreen platform: one tick
// (sample, readouts, scene with vectors, graph segment, clock) and a whole 5 s recording.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <chrono>

#include "app/feuillep.h"
#include "configfile/configuration.h"
#include "configfile/widgets/enregistrer.h"
#include "platform/core/periodictimer.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "projection/widgets/projectionwindow.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/widgets/vectorspanel.h"
#include "silentdialogs.h"
#include "simulation/widgets/parameterspanel.h"

namespace {

using namespace ondalis;

struct Window {
    QTemporaryDir folder;
    SilentDialogs dialogs;
    QtPrinterService printer{dialogs};  // set up only if something prints
    ManualTimer* timer = nullptr;
    std::unique_ptr<feuilleP> w;

    Window() {
        auto t = std::make_unique<ManualTimer>();
        timer = t.get();
        w = std::make_unique<feuilleP>(dialogs, printer, std::move(t), folder.path());
        w->show();
        QCoreApplication::processEvents();  // the window is exposed: repaints reach it
        w->Text5(PositionField)->setText(QStringLiteral("5"));
        w->Text5_LostFocus(PositionField);
        w->Frame2->Check5()->setChecked(true);
        w->Frame2->Check12()->setChecked(true);
        w->command15_Click();
    }
    ~Window() { w->Form_Unload(); }
};

void BM_Tick(benchmark::State& state) {
    Window win;
    for (auto _ : state) {
        win.timer->fire();
        if (win.w->currentSample().t > 4.9) win.w->Image4_Click(), win.w->command15_Click();
    }
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);

// The same tick followed by the repaint it asks for, as the event loop does after each tick:
// the labels and surfaces that changed are painted into the window's backing store. (A
// function of its own, so that a profiler can count one tick: valgrind --tool=callgrind
// --toggle-collect='*tickAndRepaint*'.)
[[gnu::noinline]] void tickAndRepaint(Window& win) {
    win.timer->fire();
    QCoreApplication::processEvents();
}

void BM_TickPainted(benchmark::State& state) {
    Window win;
    for (auto _ : state) {
        tickAndRepaint(win);
        if (win.w->currentSample().t > 4.9) win.w->Image4_Click(), win.w->command15_Click();
    }
}
BENCHMARK(BM_TickPainted)->Unit(benchmark::kMicrosecond);

// The same with the projection open at 1920 × 1080: the tick, the main window's repaint and
// the projection's, drawn from the window's canvases at 2.36 times their size. Goal: the whole
// within 5 ms.
void BM_TickPaintedWithProjection(benchmark::State& state) {
    Window win;
    win.w->Projeter_Click();
    ProjectionWindow* projection = win.w->projection();
    projection->setWindowState(Qt::WindowNoState);
    projection->setGeometry(0, 0, 1920, 1080);
    QCoreApplication::processEvents();
    if (projection->size() != QSize(1920, 1080)) state.SkipWithError("not 1920 x 1080");
    for (auto _ : state) {
        tickAndRepaint(win);
        if (win.w->currentSample().t > 4.9) win.w->Image4_Click(), win.w->command15_Click();
    }
    projection->close();
}
BENCHMARK(BM_TickPaintedWithProjection)->Unit(benchmark::kMicrosecond);

void BM_Recording5s(benchmark::State& state) {
    Window win;
    long ticks = 0;
    double tickSeconds = 0;
    for (auto _ : state) {
        win.w->Command18_Click();
        win.w->command15_Click();
        const auto start = std::chrono::steady_clock::now();
        while (recordedRows(*win.w->Picture6->grid()) < 51) {
            win.timer->fire();
            ++ticks;
        }
        tickSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["ticks"] = double(ticks) / double(state.iterations());
    state.counters["us_per_tick"] = 1e6 * tickSeconds / double(ticks);
    // Goal: under 2 % of the 20 ms tick period.
    state.counters["pct_of_period"] = 100.0 * (tickSeconds / double(ticks)) / 0.020;
}
BENCHMARK(BM_Recording5s)->Unit(benchmark::kMillisecond);

// A save through the save dialog: the dialog and its lists built on a folder of a few files,
// "ENREGISTRER" over the existing file (the overwrite question answered "Oui"). Goal: under
// 5 ms.
void BM_SaveConfiguration(benchmark::State& state) {
    Window win;
    QDir::setCurrent(win.folder.path());
    const QString path = win.folder.filePath(QStringLiteral("essai.P19"));
    for (auto _ : state) {
        enregistrer dialog(
            win.dialogs, win.w->configurationPath, [&win] { return win.w->configuration(); },
            win.w.get());
        dialog.Text1->setText(path);
        dialog.Command1_Click();
        if (dialog.result() != QDialog::Accepted) state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_SaveConfiguration)->Unit(benchmark::kMillisecond);

// A load by the reader, alternating between two files that differ in every control, so that
// each load runs every control's reaction and redraws the scene, the graph and the panels.
// Goal: under 5 ms.
void BM_LoadConfiguration(benchmark::State& state) {
    Window win;
    Configuration changed;
    changed.parameters = {QStringLiteral("3"), QStringLiteral("250"), QStringLiteral("35,5"),
                          QStringLiteral("1,25")};
    changed.durationIndex = 7;
    changed.velocityScale = 40;
    changed.forceScale = 25;
    changed.axisShown = changed.rulerShown = false;
    changed.boldTrace = changed.velocityShown = changed.forcesShown = changed.slowMotion = true;
    changed.quantity = 3;
    changed.colors.fill(0x204080);
    const QString paths[2] = {win.folder.filePath(QStringLiteral("a.P19")),
                              win.folder.filePath(QStringLiteral("b.P19"))};
    writeConfigurationFile(paths[0], changed);
    writeConfigurationFile(paths[1], Configuration{});
    int next = 0;
    for (auto _ : state) {
        win.w->configurationPath = paths[next];
        if (!win.w->chargeconfig()) state.SkipWithError("not loaded");
        next = 1 - next;
    }
}
BENCHMARK(BM_LoadConfiguration)->Unit(benchmark::kMillisecond);

}  // namespace
