#include "exercises/widgets/exercisemessages.h"

#include "platform/core/filepaths.h"
#include "platform/services/dialogservice.h"

namespace ondalis::exercises {

void showReadFailure(DialogService& dialogs) {
    dialogs.message(QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."),
                    QStringLiteral("Lecture impossible"), MessageIcon::Error, MessageButtons::Ok);
}

void showFileProblem(DialogService& dialogs, const QString& folder, const QString& name,
                     FileProblem problem) {
    const QString file = QStringLiteral("Le fichier ") + storedNamePath(folder, name);
    switch (problem) {
        case FileProblem::Missing:
            dialogs.message(file + QStringLiteral(" est introuvable"),
                            QStringLiteral("Fichier absent"), MessageIcon::Error,
                            MessageButtons::Ok);
            return;
        case FileProblem::Unreadable:
            dialogs.message(file + QStringLiteral(" ne peut pas être lu"),
                            QStringLiteral("Fichier illisible"), MessageIcon::Error,
                            MessageButtons::Ok);
            return;
        case FileProblem::NotRichText:
            dialogs.message(
                file + QStringLiteral(" n'est pas un texte au format RTF : il ne peut pas être lu"),
                QStringLiteral("Fichier illisible"), MessageIcon::Error, MessageButtons::Ok);
            return;
    }
}

void showGettingStartedFailure(DialogService& dialogs, FileProblem problem) {
    dialogs.message(problem == FileProblem::Missing
                        ? QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel.")
                        : QStringLiteral("Fichier illisible. Revoir l'installation du logiciel."),
                    QStringLiteral("Erreur lors du chargement"), MessageIcon::Error,
                    MessageButtons::Ok);
}

}  // namespace ondalis::exercises
