#pragma once

#include <QString>

namespace ondalis {

class DialogService;

// The messages of the exercise actions, word for word, through the dialog service.
namespace exercises {

// "Lecture impossible": an exercise file that cannot be opened or read.
void showReadFailure(DialogService& dialogs);
// "Fichier absent": the file `name` stored in the exercise is not in `folder`.
void showMissingFile(DialogService& dialogs, const QString& folder, const QString& name);
// "Erreur lors du chargement": the getting-started activity is incomplete.
void showGettingStartedFailure(DialogService& dialogs);

}  // namespace exercises
}  // namespace ondalis
