#pragma once

#include <QPointer>
#include <QWidget>

#include "calculator/keypad.h"
#include "graph/graphframe.h"
#include "graph/graphmeasures.h"
#include "graph/plotter.h"
#include "scene/scenedrawing.h"
#include "simulation/parameters.h"

namespace ondalis {

// What the main window keeps for the whole run on behalf of its subsystems.
struct MainWindowState {
    GraphScale graphScale;
    PlotMemory plot;
    SceneAnimator scene;
    calculator::CalculatorMemory calculatorMemory;
    QPointer<QWidget> machine;  // the calculator while it is open
    // The parameters as last read from the four fields, read again once a text changed.
    OscillatorParameters parameters;
    bool parametersRead = false;
    // The graph's cursors, live curve and kept curves; set while the graph is drawn again from
    // them.
    GraphMeasures measures;
    bool redrawingGraph = false;
};

}  // namespace ondalis
