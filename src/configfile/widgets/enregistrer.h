#pragma once

#include <functional>

#include "configfile/configuration.h"
#include "configfile/widgets/browserdialog.h"

class QLineEdit;

namespace ondalis {

class DialogService;

// The save dialog "Enregistrer les paramètres.": the name box `Text1` starts with the current
// configuration path; when the file list moves to another folder it keeps only the bare file
// name. "ENREGISTRER" (also Enter in the name box, a double click or Enter on a listed file)
// completes the name, asks before overwriting, writes the file safely and closes the dialog.
class enregistrer : public BrowserDialog {
    Q_OBJECT
public:
    // `configuration` gives the main window's configuration at the moment of writing.
    enregistrer(DialogService& dialogs, QString& configurationPath,
                std::function<Configuration()> configuration, QWidget* owner = nullptr);

    QLineEdit* Text1 = nullptr;
    QLabel* Label4 = nullptr;  // "Nom du fichier:"

    void File1_PathChange();
    void File1_DblClick();
    // "ENREGISTRER": the configuration writer. On success the dialog is accepted and the
    // current configuration path names the file written.
    void Command1_Click();

private:
    DialogService& dialogs_;
    QString& configurationPath_;
    std::function<Configuration()> configuration_;
};

}  // namespace ondalis
