// The exercise pane of the main window: the introduction, the file name above the pane, the
// flag that the text was modified and its guard, and the exercise menu with its text actions
// (save the pane, retrieve a text, print the pane, close the exercise). Opening exercises is in
// feuillep_exercise.cpp.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

#include "app/feuillep.h"
#include "exercises/widgets/exercisemenu.h"
#include "exercises/widgets/intro.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "platform/widgets/richtextpane.h"

namespace ondalis {

namespace {

const QString rtfFilter = QStringLiteral("Texte au format RTF|*.RTF");
const QString checkDrive = QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.");

}  // namespace

void feuilleP::createExerciseMenu() {
    optionexo = new exercises::ExerciseMenu(this);
    connect(btexo, &QPushButton::clicked, this, &feuilleP::btexo_Click);
    connect(optionexo, &exercises::ExerciseMenu::opening, this,
            [this] { optionexo->opencor->setEnabled(correctionAvailable); });
    connect(optionexo->PRISENMAIN, &QAction::triggered, this, &feuilleP::PRISENMAIN_Click);
    connect(optionexo->openexo, &QAction::triggered, this, &feuilleP::openexo_Click);
    connect(optionexo->opencor, &QAction::triggered, this, &feuilleP::opencor_Click);
    connect(optionexo->savetexte, &QAction::triggered, this, &feuilleP::savetexte_Click);
    connect(optionexo->opentexte, &QAction::triggered, this, &feuilleP::opentexte_Click);
    connect(optionexo->imprimetexte, &QAction::triggered, this, &feuilleP::imprimetexte_Click);
    connect(optionexo->Closexo, &QAction::triggered, this, &feuilleP::Closexo_Click);
    connect(supertext, &QTextEdit::textChanged, this, &feuilleP::supertext_Change);
    connect(fich, &QLineEdit::textChanged, this, &feuilleP::fich_Change);
}

void feuilleP::intro() { exercises::intro(*supertext); }

bool feuilleP::askAbandonText() {
    return dialogs_.message(QStringLiteral("Attention: perte des modifications du texte."),
                            QStringLiteral("Abandon des données?"), MessageIcon::Question,
                            MessageButtons::OkCancel) == MessageResult::Ok;
}

bool feuilleP::textGuard() {
    if (textModified && !askAbandonText()) return false;
    textModified = false;
    return true;
}

void feuilleP::btexo_Click() {
    optionexo->setRules(correctionAvailable, !fich->text().isEmpty());
    optionexo->popUpBelow(btexo);
}

void feuilleP::savetexte_Click() {
    const std::optional<QString> path =
        dialogs_.saveFileName(rtfFilter, QStringLiteral("RTF"), QString());
    if (!path) return;
    if (QFileInfo::exists(*path) &&
        dialogs_.message(QStringLiteral("Le fichier ") + QFileInfo(*path).fileName() +
                             QStringLiteral(" existe déjà.\nEcraser l'ancien?"),
                         QStringLiteral("Ecraser le fichier?"), MessageIcon::Question,
                         MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    // The pane is written beside the old file, which it replaces only once complete.
    if (!supertext->saveFile(*path)) {
        dialogs_.message(checkDrive, QStringLiteral("Erreur d'écriture."), MessageIcon::Error,
                         MessageButtons::Ok);
        return;
    }
    textModified = false;
}

void feuilleP::opentexte_Click() {
    // A cancelled or failed retrieval leaves the pane's text, and whether it was modified,
    // as they were.
    const bool wasModified = textModified;
    if (!textGuard()) return;
    const std::optional<QString> path = dialogs_.openFileName(rtfFilter, QStringLiteral("*.rtf"));
    if (!path) {
        textModified = wasModified;
        return;
    }
    if (!supertext->loadFile(*path)) {
        dialogs_.message(checkDrive, QStringLiteral("Erreur de lecture."), MessageIcon::Error,
                         MessageButtons::Ok);
        textModified = wasModified;
        return;
    }
    correctionAvailable = false;
    supertext->setEditable(true);
    fich->setText(QStringLiteral("Texte: ") + QDir::toNativeSeparators(*path));
    textModified = false;
}

// Prints the selection of the pane, or all of it when nothing is selected, on the printer
// chosen in the set-up dialog. A cancelled set-up prints nothing.
void feuilleP::imprimetexte_Click() {
    if (!dialogs_.printerSetup(printer_)) return;
    const std::unique_ptr<QTextDocument> document = supertext->documentToPrint();
    if (!printer_.printDocument(*document, QStringLiteral("Ondalis")) &&
        !printer_.errorText().isEmpty())
        dialogs_.message(printer_.errorText(), QStringLiteral("Imprimer"), MessageIcon::Error,
                         MessageButtons::Ok);
}

void feuilleP::Closexo_Click() {
    if (!textGuard()) return;
    textModified = false;
    fich->clear();
    intro();
    correctionAvailable = false;
}

void feuilleP::supertext_Change() {
    if (!fich->text().isEmpty()) textModified = true;
}

void feuilleP::fich_Change() {
    fich->end(false);
    fich->setToolTip(fich->text());
}

}  // namespace ondalis
