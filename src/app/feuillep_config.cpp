// Configuration files on the main window's side: the configuration taken from the controls and
// put back into them, the reader `chargeconfig`, and the "&Ouvrir" and "&Enregistrer" commands.
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "configfile/configuration.h"
#include "configfile/savename.h"
#include "configfile/widgets/enregistrer.h"
#include "configfile/widgets/ouvrir.h"
#include "platform/canvas/palette.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/updown.h"
#include "recording/widgets/recordingpanel.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

void feuilleP::createConfigurationCommands() {
    connect(Command2, &QPushButton::clicked, this, &feuilleP::Command2_Click);
    connect(Command11, &QPushButton::clicked, this, &feuilleP::Command11_Click);
    // Ctrl+O and Ctrl+S act as the buttons' accelerators do: the button takes the focus (so a
    // parameter field being left is validated first), then it is pressed.
    const std::pair<QKeySequence, QPushButton*> shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), Command2},
        {QKeySequence(Qt::CTRL | Qt::Key_S), Command11}};
    for (const auto& [keys, button] : shortcuts) {
        auto* shortcut = new QShortcut(keys, this);
        QPushButton* b = button;
        connect(shortcut, &QShortcut::activated, b, [b] {
            b->setFocus(Qt::ShortcutFocusReason);
            b->click();
        });
    }
}

void feuilleP::Command2_Click() {
    ouvrir dialog(
        dialogs_, configurationPath, [this] { return chargeconfig(); }, this);
    dialog.exec();
}

void feuilleP::Command11_Click() {
    enregistrer dialog(
        dialogs_, configurationPath, [this] { return configuration(); }, this);
    if (dialog.exec() == QDialog::Accepted) setWindowTitle(configurationCaption(configurationPath));
}

Configuration feuilleP::configuration() const {
    Configuration c;
    for (int i = 0; i < 4; ++i) c.parameters[i] = Text5(i)->text();
    c.durationIndex = Picture6->durationIndex();
    c.velocityScale = Frame2->VScroll1()->value();
    c.forceScale = Frame2->VScroll3()->value();
    c.axisShown = Picture1->axisShown();
    c.boldTrace = Picture1->boldTrace();
    c.velocityShown = Frame2->Check5()->isChecked();
    c.rulerShown = Picture1->rulerShown();
    c.forcesShown = Frame2->Check12()->isChecked();
    c.slowMotion = Picture1->slowMotion();
    c.quantity = Picture1->quantity();
    for (int i = 0; i < ConfigurationColors; ++i) c.colors[i] = toColorValue(Label4(i)->color());
    return c;
}

void feuilleP::applyConfiguration(const Configuration& c) {
    // The texts go through the validation of the fields first, so that no impossible value
    // ever reaches the motion.
    for (int i = 0; i < 4; ++i) Text5(i)->setText(validatedParameterText(i, c.parameters[i]));
    // The controls are set with their signals held, then each one's reaction runs once: the new
    // duration, the repainted scale bars, and for the duration, the quantity and the check boxes
    // the reset and redraws that run anyway at the end
    // (run one after the other, each would undo the one before).
    {
        const QSignalBlocker duration(Picture6->upDown());
        const QSignalBlocker velocityScale(Frame2->VScroll1());
        const QSignalBlocker forceScale(Frame2->VScroll3());
        const QSignalBlocker display(Picture1);
        const QSignalBlocker vectors(Frame2);
        Picture6->setDurationIndex(c.durationIndex);
        Frame2->VScroll1()->setValue(c.velocityScale);
        Frame2->VScroll3()->setValue(c.forceScale);
        Picture1->Check1()->setChecked(c.axisShown);
        Picture1->Check3()->setChecked(c.boldTrace);
        Frame2->Check5()->setChecked(c.velocityShown);
        Picture1->Check6()->setChecked(c.rulerShown);
        Frame2->Check12()->setChecked(c.forcesShown);
        Picture1->speed()->setChecked(c.slowMotion);
        Picture1->setQuantity(c.quantity);
    }
    Picture6->applyDuration(run_.settings(), c.durationIndex);
    Frame2->paintPanel();
    for (int i = 0; i < ConfigurationColors; ++i) Label4(i)->setColor(fromColorValue(c.colors[i]));
    // Back to the start of the motion with the loaded parameters (even when they are those in
    // force: the duration and the display changed), then the scene.
    Command18_Click();
    majaff();
}

bool feuilleP::chargeconfig() {
    // Every record is read and checked before any control changes: a bad file changes nothing.
    const ConfigurationReading reading = readConfigurationFile(configurationPath);
    switch (reading.status) {
        case ConfigurationStatus::NotValid:
            dialogs_.message(QStringLiteral("Ce fichier ne correspond pas à cette application"),
                             QStringLiteral("Fichier non valide"), MessageIcon::Error,
                             MessageButtons::Ok);
            return false;
        case ConfigurationStatus::Unreadable:
            dialogs_.message(QStringLiteral("Lecture impossible sur disque"),
                             QStringLiteral("Erreur lors du chargement du fichier"),
                             MessageIcon::Error, MessageButtons::Ok);
            return false;
        case ConfigurationStatus::Read:
            break;
    }
    applyConfiguration(reading.configuration);
    setWindowTitle(configurationCaption(configurationPath));
    return true;
}

}  // namespace ondalis
