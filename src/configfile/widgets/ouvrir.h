#pragma once

#include <functional>

#include "configfile/widgets/browserdialog.h"

class QFrame;
class QLineEdit;

namespace ondalis {

class DialogService;

// "impossible d'ouvrir ce fichier": there is no file under the configuration path asked for.
void showNoSuchConfiguration(DialogService& dialogs);

// The open dialog "Ouvrir une configuration": a file clicked puts its full path in `ficharge`
// (and makes its folder the process's current folder), a double click or Enter on it is
// "OUVRIR". "OUVRIR" takes the path box as the current configuration path, checks that the file
// exists, shows the notice `Frame1` and runs the configuration reader, then closes the dialog.
class ouvrir : public BrowserDialog {
    Q_OBJECT
public:
    // `chargeconfig` reads the file at `configurationPath` into the main window (and reports
    // its own failures).
    ouvrir(DialogService& dialogs, QString& configurationPath, std::function<bool()> chargeconfig,
           QWidget* owner = nullptr);

    QLineEdit* ficharge = nullptr;
    QFrame* Frame1 = nullptr;  // "Patience: chargement du fichier", hidden at first

    void File1_Click();
    void File1_DblClick();
    void Command1_Click();  // "OUVRIR"

private:
    DialogService& dialogs_;
    QString& configurationPath_;
    std::function<bool()> chargeconfig_;
};

}  // namespace ondalis
