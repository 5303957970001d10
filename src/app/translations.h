#pragma once

class QCoreApplication;

namespace ondalis {

// Loads Qt's own French texts ("qtbase_fr" from Qt's translations folder), so that the
// platform's dialogs and standard buttons speak French too ("Annuler", "Oui", "Non"). False when
// they are not installed; the program then runs with Qt's English texts in those places.
bool installFrenchTranslations(QCoreApplication& application);

}  // namespace ondalis
