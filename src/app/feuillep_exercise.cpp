// Exercises on the main window's side: the catalogue "Ouvrir un exercice (énoncé +
// configuration)", opening an exercise (statement and starting configuration), its correction,
// the getting-started activity "Prise en main" and the exercises asked for by the collection's
// main module through the handshake file.
//
// An action that fails leaves the window as it was: every file it names is found, and its
// configuration read, before the pane, `fich` or any control changes.
#include <QDialog>
#include <QDir>
#include <QLineEdit>

#include "browserdialog.h"
#include "configuration.h"
#include "exerciseindex.h"
#include "exercisemessages.h"
#include "feuillep.h"
#include "fichexo.h"
#include "filepaths.h"
#include "richtextpane.h"

namespace ondalis {

namespace {

const QString gettingStartedName = QStringLiteral("SPIREX.PEM");

// Records 1 to 4 of the exercise file at `path` (a name from another system is resolved);
// nullopt when it cannot be opened or read.
std::optional<exercises::ExerciseFiles> exerciseFilesAt(const QString& path) {
    const std::optional<QString> found = resolveStoredName(QString(), path);
    if (!found) return std::nullopt;
    const std::optional<QByteArray> bytes = exercises::readIndexBytes(*found);
    return bytes ? exercises::exerciseFiles(*bytes) : std::nullopt;
}

}  // namespace

bool feuilleP::loadExerciseFiles(const QString& folder, const QString& text, bool textRequired,
                                 const QString& configuration,
                                 const std::function<void(const QString&)>& reportMissing) {
    std::optional<QString> textPath;
    if (textRequired || !exercises::isBlank(text)) {
        textPath = resolveStoredName(folder, text);
        if (!textPath) {
            reportMissing(text);
            return false;
        }
    }
    std::optional<QString> configurationFile;
    if (!exercises::isBlank(configuration)) {
        configurationFile = resolveStoredName(folder, configuration);
        if (!configurationFile) {
            reportMissing(configuration);
            return false;
        }
        // A configuration that would not load is reported by the reader itself, which
        // changes nothing; the current configuration path stays the one before.
        if (readConfigurationFile(*configurationFile).status != ConfigurationStatus::Read) {
            const QString kept = configurationPath;
            configurationPath = *configurationFile;
            chargeconfig();
            configurationPath = kept;
            return false;
        }
    }
    // The pane keeps its text when the file does not load.
    if (textPath && !supertext->loadFile(*textPath)) {
        reportMissing(text);
        return false;
    }
    if (configurationFile) {
        configurationPath = *configurationFile;
        chargeconfig();
    }
    return true;
}

bool feuilleP::openExercise(const QString& indexPath) {
    const std::optional<exercises::ExerciseFiles> files = exerciseFilesAt(indexPath);
    if (!files) {
        exercises::showReadFailure(dialogs_);
        return false;
    }
    const QString folder = exerciseFolder;
    if (!loadExerciseFiles(folder, files->statement, true, files->configuration,
                           [this, folder](const QString& name) {
                               exercises::showMissingFile(dialogs_, folder, name);
                           }))
        return false;
    fich->setText(
        QDir::toNativeSeparators(resolveStoredName(QString(), indexPath).value_or(indexPath)));
    correctionAvailable = files->corrected();
    supertext->setEditable(true);
    textModified = false;
    return true;
}

void feuilleP::openexo_Click() {
    // A catalogue closed without opening anything leaves the text as modified as it was.
    const bool wasModified = textModified;
    if (!textGuard()) return;
    exercises::Fichexo catalogue(
        dialogs_, exerciseFolder, programFolder_,
        [this](const QString& path) { return openExercise(path); }, this);
    if (catalogue.exec() != QDialog::Accepted) textModified = wasModified;
}

void feuilleP::opencor_Click() {
    const bool wasModified = textModified;
    if (!textGuard()) return;
    textModified = false;
    BusyPointer busy(this);
    // A failed correction leaves the statement, and whether it was modified, as they were.
    const auto failed = [&] {
        busy.restore();
        textModified = wasModified;
    };
    const std::optional<exercises::ExerciseFiles> files = exerciseFilesAt(fich->text());
    if (!files) {
        failed();
        exercises::showReadFailure(dialogs_);
        return;
    }
    const QString folder = exerciseFolder;
    if (!loadExerciseFiles(folder, files->correctionText, false, files->correctionConfiguration,
                           [&](const QString& name) {
                               failed();
                               exercises::showMissingFile(dialogs_, folder, name);
                           })) {
        failed();
        return;
    }
    supertext->setEditable(false);
    busy.restore();
    textModified = false;
}

void feuilleP::PRISENMAIN_Click() {
    const QString folder = withTrailingSeparator(programFolder_);
    const std::optional<QString> path = resolveStoredName(folder, gettingStartedName);
    if (!path) return;
    // The pupil's changes to the text are not lost without a word.
    const bool wasModified = textModified;
    if (!textGuard()) return;
    const auto failed = [&] {
        exercises::showGettingStartedFailure(dialogs_);
        textModified = wasModified;
    };
    const std::optional<QByteArray> bytes = exercises::readIndexBytes(*path);
    const std::optional<exercises::ExerciseFiles> files =
        bytes ? exercises::exerciseFiles(*bytes) : std::nullopt;
    if (!files) {
        failed();
        return;
    }
    if (!loadExerciseFiles(folder, files->statement, true, files->configuration,
                           [&](const QString&) { failed(); })) {
        textModified = wasModified;
        return;
    }
    exerciseFolder = folder;
    fich->setText(QDir::toNativeSeparators(*path));
    correctionAvailable = false;
    supertext->setEditable(true);
    textModified = false;
}

bool feuilleP::openExerciseWithoutCatalogue(const QString& folder, const QString& indexPath) {
    // The exercise replaces the text in the pane: changes not saved are asked about first.
    const bool wasModified = textModified;
    if (!textGuard()) return false;
    const QString before = exerciseFolder;
    exerciseFolder = folder;
    exercises::Fichexo catalogue(
        dialogs_, exerciseFolder, programFolder_,
        [this](const QString& path) { return openExercise(path); }, this);
    catalogue.fichierexo->setText(indexPath);
    catalogue.ouvreur_Click();
    if (catalogue.result() == QDialog::Accepted) return true;
    exerciseFolder = before;
    textModified = wasModified;
    return false;
}

void feuilleP::serveExerciseRequest(const QString& request) {
    const QString folder = withTrailingSeparator(programFolder_);
    openExerciseWithoutCatalogue(folder, folder + request);
}

}  // namespace ondalis
