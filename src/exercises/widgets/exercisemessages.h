#pragma once

#include <QString>

namespace ondalis {

class DialogService;

// The messages of the exercise actions, word for word, through the dialog service.
namespace exercises {

// What keeps a file named in an exercise from being loaded.
enum class FileProblem {
    Missing,      // no such file in the exercise's folder
    Unreadable,   // it is there but cannot be opened
    NotRichText,  // it opens but is not an RTF text (the statements and corrections are)
};

// "Lecture impossible": an exercise file that cannot be opened or read.
void showReadFailure(DialogService& dialogs);
// "Fichier absent" when the file `name` stored in the exercise is not in `folder`, "Fichier
// illisible" when it is there but cannot be read.
void showFileProblem(DialogService& dialogs, const QString& folder, const QString& name,
                     FileProblem problem);
// "Erreur lors du chargement": the getting-started activity is incomplete or damaged.
void showGettingStartedFailure(DialogService& dialogs, FileProblem problem = FileProblem::Missing);

}  // namespace exercises
}  // namespace ondalis
