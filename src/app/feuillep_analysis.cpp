// "Analyse du mouvement": the button "A&nalyse" beside "E&xercices" and Ctrl+M open the window
// (made on first use) beside the main window; it follows the run through the window's frames and
// resets. Its "Amortissement critique" sets h to hc through the friction field.
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <cmath>

#include "analysis/widgets/analysiswindow.h"
#include "app/feuillep.h"
#include "mainwindow/widgets/statushints.h"
#include "platform/widgets/drawingsurface.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

void feuilleP::createAnalysis() {
    btanalyse = new QPushButton(QStringLiteral("A&nalyse"), this);
    btanalyse->setObjectName(QStringLiteral("btanalyse"));
    btanalyse->setGeometry(528, 344, 97, 19);
    btanalyse->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    btanalyse->setAccessibleName(QStringLiteral("Analyse du mouvement"));
    btanalyse->setProperty("helpPage", QStringLiteral("analyse.html"));
    btanalyse->setToolTip(QStringLiteral("Analyse du mouvement (Ctrl+M)"));
    fich->setTextMargins(198, 0, 0, 0);  // both buttons cover the start of the field
    setTabOrder(btexo, btanalyse);
    connect(btanalyse, &QPushButton::clicked, this, &feuilleP::showAnalysis);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &feuilleP::showAnalysis);
    hints_->add(btanalyse, QStringLiteral("Grandeurs, énergies, portrait de phase et "
                                          "modélisation du mouvement (Ctrl+M)"));
    connect(this, &feuilleP::unloaded, this, [this] {
        if (analysis_) analysis_->close();
    });
}

void feuilleP::showAnalysis() {
    if (!analysis_) {
        analysis_ = new AnalysisWindow(run_, this);
        connect(this, &feuilleP::frameShown, analysis_, &AnalysisWindow::showFrame);
        connect(this, &feuilleP::motionReset, analysis_, &AnalysisWindow::showReset);
        connect(analysis_, &AnalysisWindow::criticalDampingRequested, this, [this] {
            // As if hc were typed into the friction field and the field left: its validation
            // clamps and rounds it, and resets the motion when h changes.
            const OscillatorParameters p = parameters();
            const double hc = 2 * std::sqrt(double(p.k) * double(p.m) / 1000);
            Text5(FrictionField)->setText(parameterText(float(hc)));
            Text5_LostFocus(FrictionField);
        });
        auto* f1 = new QShortcut(QKeySequence::HelpContents, analysis_);
        connect(f1, &QShortcut::activated, this,
                [this] { showHelp(QStringLiteral("analyse.html")); });
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        analysis_->move(AnalysisWindow::placeBeside(frameGeometry(), analysis_->size(), area));
    }
    analysis_->show();
    analysis_->raise();
    analysis_->activateWindow();
}

}  // namespace ondalis
