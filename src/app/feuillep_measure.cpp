// Measuring on the graph, comparing runs and stepping through the motion: the graph's cursors,
// pseudo-period and kept curves, the step buttons and the keyboard transport (F5 start or
// pause, F6 stop, F7 one step, Shift+F7 back to the previous sampling instant).
#include <QAction>
#include <QShortcut>
#include <QToolButton>

#include "app/buttonpictures.h"
#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "graph/widgets/graphcommands.h"
#include "mainwindow/widgets/statushints.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/drawingsurface.h"
#include "scene/widgets/displaypanel.h"

namespace ondalis {

namespace {

QToolButton* stepButton(QWidget* parent, const char* name, const QString& tip, bool forward,
                        int top) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(155, top, 18, 12);
    b->setIcon(stepPicture(forward));
    b->setIconSize(QSize(16, 10));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFocusPolicy(Qt::TabFocus);
    b->setProperty("helpPage", QStringLiteral("animation.html"));
    return b;
}

const QString transportHint = QStringLiteral(
    "Pas à pas : F7 avance d'un pas, Maj+F7 revient à l'instant d'échantillonnage précédent ; "
    "F5 démarre ou suspend, F6 arrête");

}  // namespace

void feuilleP::createMeasure() {
    // The step buttons follow the four animation buttons, in the gap before the graph.
    auto* forward = stepButton(this, "commandPas", QStringLiteral("Pas suivant (F7)"), true, 248);
    auto* back =
        stepButton(this, "commandRetour",
                   QStringLiteral("Instant d'échantillonnage précédent (Maj+F7)"), false, 260);
    connect(forward, &QToolButton::clicked, this, &feuilleP::stepForward);
    connect(back, &QToolButton::clicked, this, &feuilleP::stepBackward);
    hints_->add(forward, transportHint);
    hints_->add(back, transportHint);
    setTabOrder(command16, forward);
    setTabOrder(forward, back);

    const struct {
        QKeySequence keys;
        const char* name;
        void (feuilleP::*action)();
    } transport[] = {
        {QKeySequence(Qt::Key_F5), "startPauseShortcut", &feuilleP::startOrPause},
        {QKeySequence(Qt::Key_F6), "stopShortcut", &feuilleP::Command18_Click},
        {QKeySequence(Qt::Key_F7), "stepShortcut", &feuilleP::stepForward},
        {QKeySequence(Qt::SHIFT | Qt::Key_F7), "stepBackShortcut", &feuilleP::stepBackward},
    };
    for (const auto& t : transport) {
        // Window-wide: the text fields and the calculator have no use for these keys, and the
        // calculator is a window of its own.
        auto* shortcut = new QShortcut(t.keys, this);
        shortcut->setObjectName(QLatin1String(t.name));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, t.action);
    }

    auto* commands = new GraphCommands(*Frame1);
    connect(commands->measurePeriod, &QAction::triggered, this, &feuilleP::measurePseudoPeriod);
    connect(commands->keepCurve, &QAction::triggered, this, &feuilleP::keepCurve);
    connect(commands->clearKept, &QAction::triggered, this, [this] {
        state_->measures.clearKept();
        redrawGraph();
    });
    connect(commands->clearCursors, &QAction::triggered, this, [this] {
        state_->measures.clearCursors();
        redrawGraph();
    });
    connect(commands, &GraphCommands::cursorsDragged, this, [this](int anchor, int x) {
        const double t1 = cursorTime(anchor, duration()), t2 = cursorTime(x, duration());
        state_->measures.setCursors(std::min(t1, t2), std::max(t1, t2));
        redrawGraph();
    });
    connect(commands, &GraphCommands::clicked, this, [this] {
        if (!state_->measures.hasCursors()) return;
        state_->measures.clearCursors();
        redrawGraph();
    });
    // The live curve as the plotter draws it, so that the graph can be drawn again from it.
    connect(this, &feuilleP::frameShown, this, [this](const RunFrame& frame) {
        if (frame.onGraph)
            state_->measures.follow(frame.sample, Picture1->boldTrace(), state_->graphScale,
                                    duration());
    });
}

const GraphMeasures& feuilleP::graphMeasures() const { return state_->measures; }

// After every drawing of the frame: kept curves that no longer fit the frame are dropped, the
// others drawn under the curve to come; the live curve and the cursors are gone with the frame.
void feuilleP::graphFrameDrawn() {
    GraphMeasures& m = state_->measures;
    if (m.dropKeptIfFrameChanged(Picture1->quantity(), duration()))
        setStatusText(
            QStringLiteral("Courbes gardées effacées : la grandeur tracée ou la durée a changé"));
    if (!state_->redrawingGraph) m.frameCleared();
    m.drawKept(*Frame1, state_->graphScale, duration(), parameters());
}

void feuilleP::redrawGraph() {
    Canvas::Batch batch(*Frame1);
    state_->redrawingGraph = true;
    echgraph();
    state_->redrawingGraph = false;
    const GraphMeasures& m = state_->measures;
    m.drawTrace(*Frame1, state_->graphScale, state_->plot, duration(), curveColors());
    m.drawCursors(*Frame1, state_->graphScale, duration());
}

void feuilleP::startOrPause() {
    if (isRunning())
        command16_Click();
    else
        command15_Click();
}

void feuilleP::stepForward() {
    if (isRunning()) {
        command16_Click();
        return;
    }
    showFrame(run_.step(slowMotion()));
}

void feuilleP::stepBackward() {
    if (isRunning()) command16_Click();
    if (!run_.stepBack(slowMotion())) return;
    followRun();
    // The curve cut back to that instant, then the frame shown as a tick shows it, the table
    // cut back to the rows it keeps.
    state_->measures.cutTraceAfter(run_.sample().t);
    redrawGraph();
    RunFrame frame = run_.frame();
    frame.rowAdded = true;
    showFrame(frame);
}

void feuilleP::keepCurve() {
    GraphMeasures& m = state_->measures;
    if (int(m.kept().size()) >= kMaxKeptCurves) {
        setStatusText(QStringLiteral(
            "Quatre courbes sont déjà gardées : effacez-les pour en garder d'autres"));
        return;
    }
    if (!m.keep(parameters(), Picture1->quantity(), duration())) {
        setStatusText(QStringLiteral("Aucune courbe à garder : lancez d'abord l'animation"));
        return;
    }
    redrawGraph();
    setStatusText(QStringLiteral("Courbe gardée : ") + m.keptLabels(parameters()).last());
}

void feuilleP::measurePseudoPeriod() {
    GraphMeasures& m = state_->measures;
    if (!m.measurePseudoPeriod()) {
        setStatusText(QStringLiteral(
            "Pseudo-période : il faut deux maxima successifs de x dans l'enregistrement"));
        return;
    }
    redrawGraph();
    setStatusText(QStringLiteral("Pseudo-période T = %1 s ; décrément logarithmique δ = %2")
                      .arg(formatThreeSignificant(m.measured()->period()),
                           formatThreeSignificant(m.measured()->decrement())));
}

}  // namespace ondalis
