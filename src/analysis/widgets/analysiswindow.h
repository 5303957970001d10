#pragma once

#include <QWidget>

#include "analysis/energybars.h"
#include "analysis/motionfit.h"
#include "analysis/phaseportrait.h"
#include "simulation/run.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace ondalis {

class DrawingSurface;

// The window "Analyse du mouvement": beside the main window, it follows the run it is given,
// frame by frame and reset by reset, in four parts: the characteristic quantities, the energy
// bars, the phase portrait and the fit of a model to the recorded table. While hidden it does
// nothing; shown again, it starts over from the run as it stands.
class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisWindow(const Run& run, QWidget* parent = nullptr);

    QTabWidget* parts = nullptr;
    // "Caractéristiques"
    QTableWidget* quantities = nullptr;
    QLabel* criticalEdge = nullptr;
    QPushButton* criticalButton = nullptr;  // "Amortissement critique"
    // "Énergies"
    DrawingSurface* energyChart = nullptr;
    // "Portrait de phase"
    DrawingSurface* phaseChart = nullptr;
    // "Modélisation"
    QComboBox* modelChoice = nullptr;
    QPushButton* fitButton = nullptr;  // "Ajuster"
    QLabel* fitMessage = nullptr;
    QTableWidget* fitTable = nullptr;
    DrawingSurface* residualChart = nullptr;

    // The run was reset: the quantities, the scales and the suggested model follow it.
    void showReset();
    // One more frame of the run.
    void showFrame(const RunFrame& frame);
    // The chosen model fitted to the recorded table.
    void fit();
    const FitResult& lastFit() const { return fit_; }
    const PhasePortrait& portrait() const { return portrait_; }
    const EnergyBars& bars() const { return bars_; }

    // Where a window of `size` goes beside the main window's frame `main` on the screen's
    // available area: on its right where it fits, else on its left, else against the screen's
    // right edge; never off the screen.
    static QPoint placeBeside(const QRect& main, const QSize& size, const QRect& screen);

    // The value shown in the "Caractéristiques" table for the quantity of row `row`.
    QString quantityText(int row) const;

signals:
    // "Amortissement critique": the main window sets h to hc through its field.
    void criticalDampingRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createCharacteristics();
    void createEnergies();
    void createPortrait();
    void createModelling();
    void showCharacteristics();
    void showFit();
    void drawResiduals();

    const Run& run_;
    EnergyBars bars_;
    PhasePortrait portrait_;
    FitResult fit_;
};

}  // namespace ondalis
