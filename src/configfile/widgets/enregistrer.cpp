#include "configfile/widgets/enregistrer.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "configfile/savename.h"
#include "platform/core/filepaths.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/filebrowser.h"

namespace ondalis {

namespace {

constexpr int Height = 312;

const QString failureTitle = QStringLiteral("Enregistrement impossible");

}  // namespace

enregistrer::enregistrer(DialogService& dialogs, QString& configurationPath,
                         std::function<Configuration()> configuration, QWidget* owner)
    : BrowserDialog({QStringLiteral("Enregistrer les paramètres."), QStringLiteral("Répertoire:"),
                     QStringLiteral("Fichiers enregistrés"), QStringLiteral("ENREGISTRER")},
                    Height, owner),
      dialogs_(dialogs),
      configurationPath_(configurationPath),
      configuration_(std::move(configuration)) {
    setObjectName(QStringLiteral("enregistrer"));

    Label4 = new QLabel(QStringLiteral("Nom du fichier:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(8, ListsBottom + 8, 185, 16);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Nom du fichier"));
    Text1->setGeometry(8, ListsBottom + 24, Width - 16, 22);
    Label4->setBuddy(Text1);
    Text1->setText(configurationPath_);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();

    connect(File1, &FileList::pathChanged, this, &enregistrer::File1_PathChange);
    connect(File1, &FileList::fileActivated, this, &enregistrer::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &enregistrer::Command1_Click);
}

void enregistrer::File1_PathChange() { Text1->setText(bareFileName(Text1->text())); }

void enregistrer::File1_DblClick() {
    Text1->setText(File1->fileName());
    Command1_Click();
}

void enregistrer::Command1_Click() {
    BusyPointer busy(this);
    Text1->setText(trimSpaces(Text1->text()));
    // Nothing but an extension (".txt") is no name either.
    if (!namesAFile(Text1->text())) {
        busy.restore();
        dialogs_.message(QStringLiteral("Il faut donner un nom au fichier!"), failureTitle,
                         MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    // A file already there under another letter case is the one meant.
    const QString path =
        existingPathIgnoringCase(completedConfigurationPath(Text1->text(), Dir1->path()));
    Text1->setText(path);
    configurationPath_ = path;
    QDir::setCurrent(File1->path());

    if (QFileInfo(path).isFile()) {
        busy.restore();
        if (dialogs_.message(QStringLiteral("Ecraser le fichier existant?"),
                             QStringLiteral("Ce fichier existe déjà!"), MessageIcon::Warning,
                             MessageButtons::YesNo) != MessageResult::Yes)
            return;
        busy.show();
    }
    if (!writeConfigurationFile(path, configuration_())) {
        busy.restore();
        dialogs_.message(QStringLiteral("Ecriture impossible sur disque"), failureTitle,
                         MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    accept();
}

}  // namespace ondalis
