// The settings panels of the main window and what their controls do: plotted quantity,
// colours, recording duration; the table copy, the graph readout and the calculator.
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "calculator/widgets/machine.h"
#include "graph/widgets/graphsurface.h"
#include "mainwindow/widgets/tabstrip.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"

namespace ondalis {

void feuilleP::createPanels() {
    state_ = std::make_unique<MainWindowState>();
    setUpGraphFrame(*Frame1);

    Frame2 = new VectorsPanel();
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Onglets->setPanel(2, Frame2);
    Picture1 = new DisplayPanel();
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Onglets->setPanel(3, Picture1);
    Picture6 = new RecordingPanel();
    Picture6->setObjectName(QStringLiteral("Picture6"));
    Onglets->setPanel(4, Picture6);

    connect(Frame2, &VectorsPanel::vectorSettingsChanged, this, &feuilleP::majaff);
    connect(Frame2, &VectorsPanel::swatchClicked, this, &feuilleP::Label4_Click);
    connect(Picture1, &DisplayPanel::sceneOptionsChanged, this, &feuilleP::majaff);
    connect(Picture1, &DisplayPanel::quantityChosen, this, &feuilleP::Option1_Click);
    connect(Picture1, &DisplayPanel::swatchClicked, this, &feuilleP::Label4_Click);
    connect(Picture6, &RecordingPanel::durationIndexChanged, this, &feuilleP::UpDown1_Change);
}

ColorSwatch* feuilleP::Label4(int index) const {
    switch (index) {
        case 0:
        case 2:
        case 3:
        case 4:
            return Frame2->Label4(index);
        default:
            return Picture1->Label4(index);
    }
}

void feuilleP::Option1_Click(int) {
    Command18_Click();
    echgraph();
}

void feuilleP::Label4_Click(int index) {
    ColorSwatch* swatch = Label4(index);
    const std::optional<QColor> chosen = dialogs_.chooseColor(swatch->color());
    if (!chosen) return;
    swatch->setColor(*chosen);
    Command18_Click();
    echgraph();
    majaff();
}

void feuilleP::UpDown1_Change(int index) {
    Picture6->applyDuration(run_.settings(), index);
    echgraph();
    Command18_Click();
}

void feuilleP::copitab() {
    ondalis::copitab(*Picture6->grid(), run_.samples());
    setStatusText(copyMessage);
}

void feuilleP::Frame1_MouseMove(int x) {
    setStatusText(graphHint());
    applyCursorReadout(*Frame1, cursorReadout(x, duration()));
}

void feuilleP::Command8_Click() {
    calculator::Machine machine(dialogs_, state_->calculatorMemory, this);
    state_->machine = &machine;
    machine.exec();
}

}  // namespace ondalis
