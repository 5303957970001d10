// Exercises on the main window's side: the catalogue "Ouvrir un exercice (énoncé +
// configuration)", opening an exercise (statement and starting configuration), its correction,
// the getting-started activity "Prise en main" and the exercises asked for by the collection's
// main module through the handshake file.
//
// An action that fails leaves the window as it was: every file it names is found, and its
// configuration read, before the pane, `fich` or any control changes.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "app/feuillep.h"
#include "configfile/configuration.h"
#include "configfile/widgets/browserdialog.h"
#include "exercises/exerciseindex.h"
#include "exercises/widgets/exercisemessages.h"
#include "exercises/widgets/fichexo.h"
#include "platform/core/filepaths.h"
#include "platform/widgets/richtextpane.h"

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

// Why a text that is there did not load: it cannot be opened, or it is not RTF.
exercises::FileProblem textProblem(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? exercises::FileProblem::NotRichText
                                          : exercises::FileProblem::Unreadable;
}

}  // namespace

bool feuilleP::loadExerciseFiles(
    const QString& folder, const QString& text, bool textRequired, const QString& configuration,
    const std::function<void(const QString&, exercises::FileProblem)>& reportProblem) {
    using exercises::FileProblem;
    std::optional<QString> textPath;
    if (textRequired || !exercises::isBlank(text)) {
        textPath = resolveStoredName(folder, text);
        if (!textPath) {
            reportProblem(text, FileProblem::Missing);
            return false;
        }
    }
    std::optional<QString> configurationFile;
    if (!exercises::isBlank(configuration)) {
        configurationFile = resolveStoredName(folder, configuration);
        if (!configurationFile) {
            reportProblem(configuration, FileProblem::Missing);
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
        reportProblem(text, textProblem(*textPath));
        return false;
    }
    if (configurationFile) {
        configurationPath = QDir::cleanPath(*configurationFile);
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
                           [this, folder](const QString& name, exercises::FileProblem problem) {
                               exercises::showFileProblem(dialogs_, folder, name, problem);
                           }))
        return false;
    fich->setText(QDir::toNativeSeparators(
        QDir::cleanPath(resolveStoredName(QString(), indexPath).value_or(indexPath))));
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
        exerciseFolder, programFolder_, [this](const QString& path) { return openExercise(path); },
        this);
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
                           [&](const QString& name, exercises::FileProblem problem) {
                               failed();
                               exercises::showFileProblem(dialogs_, folder, name, problem);
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
    const auto failed = [&](exercises::FileProblem problem) {
        exercises::showGettingStartedFailure(dialogs_, problem);
        textModified = wasModified;
    };
    const std::optional<QByteArray> bytes = exercises::readIndexBytes(*path);
    const std::optional<exercises::ExerciseFiles> files =
        bytes ? exercises::exerciseFiles(*bytes) : std::nullopt;
    if (!files) {
        failed(exercises::FileProblem::Unreadable);
        return;
    }
    if (!loadExerciseFiles(
            folder, files->statement, true, files->configuration,
            [&](const QString&, exercises::FileProblem problem) { failed(problem); })) {
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
        exerciseFolder, programFolder_, [this](const QString& path) { return openExercise(path); },
        this);
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
