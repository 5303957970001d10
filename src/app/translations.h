#pragma once

class QCoreApplication;

namespace ondalis {

// Loads Qt's own French texts ("qtbase_fr" from Qt's translations folder), so that the
// platform's dialogs and standard buttons speak French too ("Annuler", "Oui", "Non"), then the
// program's own catalogue, which supplies what Qt's leaves in English (the file list's
// "Dossier"). False when Qt's texts are not installed; the program then runs with Qt's English
// texts in those places, less the ones its own catalogue has.
bool installFrenchTranslations(QCoreApplication& application);

}  // namespace ondalis
