// The file given on the command line, as the desktop gives it when a user double-clicks a
// configuration or an exercise: opened once the window is up, with the messages that the open
// dialog and the catalogue give for the same file.
#include <QDir>
#include <QFileInfo>

#include "app/feuillep.h"
#include "app/launchfile.h"
#include "configfile/widgets/ouvrir.h"
#include "platform/core/filepaths.h"

namespace ondalis {

void feuilleP::openCommandLineFile(const QStringList& arguments) {
    const LaunchFile file = launchFile(arguments, QDir::currentPath());
    if (file.kind == LaunchFile::Kind::None) return;
    // As an activation does before it serves a request: the readout panel's frame, names and
    // units are drawn first, so that a message does not stand over a panel still blank.
    appareil();
    const QFileInfo info(file.path);
    // As a click in the dialog's or the catalogue's list: the file's folder becomes the
    // current folder, where the open and save dialogs start.
    if (info.isFile()) QDir::setCurrent(info.absolutePath());

    if (file.kind == LaunchFile::Kind::Exercise) {
        // A missing or unreadable index file gives the catalogue's "Lecture impossible".
        openExerciseWithoutCatalogue(withTrailingSeparator(info.absolutePath()), file.path);
        return;
    }
    if (!info.isFile()) {
        showNoSuchConfiguration(dialogs_);
        return;
    }
    // A file that is no configuration changes nothing, not even the path the save dialog
    // proposes.
    const QString before = configurationPath;
    configurationPath = file.path;
    if (!chargeconfig()) configurationPath = before;
}

}  // namespace ondalis
