#pragma once

#include <QMenu>

class QAction;
class QWidget;

namespace ondalis::exercises {

// The exercise menu `optionexo`, popped up by the exercise button: the getting-started
// activity, the exercise and its correction, the text of the pane (save, retrieve, print) and
// closing the exercise. Its entries keep their design names as object names.
class ExerciseMenu : public QMenu {
    Q_OBJECT
public:
    explicit ExerciseMenu(QWidget* parent = nullptr);

    QAction* PRISENMAIN = nullptr;    // "Prise en main"
    QAction* openexo = nullptr;       // "Ouvrir un exercice (énoncé + configuration)"
    QAction* opencor = nullptr;       // "Voir la correction"
    QAction* savetexte = nullptr;     // "Enregistrer le contenu de la fenêtre exercice"
    QAction* opentexte = nullptr;     // "Retrouver un texte"
    QAction* imprimetexte = nullptr;  // "Imprimer le contenu de la fenêtre exercice"
    QAction* Closexo = nullptr;       // "Fermer l'exercice"

    // "Voir la correction" is enabled exactly when the open exercise has a correction,
    // "Fermer l'exercice" exactly when an exercise or a text is open.
    void setRules(bool correctionAvailable, bool exerciseOpen);

    // Pops the menu up with its top-left corner at the bottom-left corner of `button`.
    void popUpBelow(QWidget* button);

signals:
    // Emitted as the menu opens, so that its owner applies the rules again.
    void opening();
};

}  // namespace ondalis::exercises
