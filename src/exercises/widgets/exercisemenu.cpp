#include "exercises/widgets/exercisemenu.h"

#include <QAction>
#include <QWidget>

namespace ondalis::exercises {

namespace {

QAction* entry(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

void separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

}  // namespace

ExerciseMenu::ExerciseMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("optionexo"));
    setTitle(QStringLiteral("Exercices"));
    PRISENMAIN = entry(this, "PRISENMAIN", QStringLiteral("Prise en main"));
    separator(this, "separons1");
    openexo = entry(this, "openexo", QStringLiteral("Ouvrir un exercice (énoncé + configuration)"));
    opencor = entry(this, "opencor", QStringLiteral("Voir la correction"));
    separator(this, "separons2");
    savetexte =
        entry(this, "savetexte", QStringLiteral("Enregistrer le contenu de la fenêtre exercice"));
    opentexte = entry(this, "opentexte", QStringLiteral("Retrouver un texte"));
    imprimetexte =
        entry(this, "imprimetexte", QStringLiteral("Imprimer le contenu de la fenêtre exercice"));
    separator(this, "separons3");
    Closexo = entry(this, "Closexo", QStringLiteral("Fermer l'exercice"));
    connect(this, &QMenu::aboutToShow, this, &ExerciseMenu::opening);
}

void ExerciseMenu::setRules(bool correctionAvailable, bool exerciseOpen) {
    opencor->setEnabled(correctionAvailable);
    Closexo->setEnabled(exerciseOpen);
}

void ExerciseMenu::popUpBelow(QWidget* button) {
    popup(button->mapToGlobal(QPoint(0, button->height())));
}

}  // namespace ondalis::exercises
