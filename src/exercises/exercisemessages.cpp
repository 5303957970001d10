#include "exercisemessages.h"

#include "dialogservice.h"
#include "filepaths.h"

namespace ondalis::exercises {

void showReadFailure(DialogService& dialogs) {
    dialogs.message(QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."),
                    QStringLiteral("Lecture impossible"), MessageIcon::Error, MessageButtons::Ok);
}

void showMissingFile(DialogService& dialogs, const QString& folder, const QString& name) {
    dialogs.message(QStringLiteral("Le fichier ") + storedNamePath(folder, name) +
                        QStringLiteral(" est introuvable"),
                    QStringLiteral("Fichier absent"), MessageIcon::Error, MessageButtons::Ok);
}

void showGettingStartedFailure(DialogService& dialogs) {
    dialogs.message(QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."),
                    QStringLiteral("Erreur lors du chargement"), MessageIcon::Error,
                    MessageButtons::Ok);
}

}  // namespace ondalis::exercises
