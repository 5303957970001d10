// The help: "&Aide" and F1 open the program's own help window. The scene's image is kept
// while the help opens and put back afterwards, as it was shown.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>

#include "app/feuillep.h"
#include "mainwindow/help/helpwindow.h"
#include "mainwindow/widgets/tabstrip.h"
#include "platform/widgets/drawingsurface.h"
#include "recording/widgets/recordingpanel.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

void feuilleP::createHelp() {
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { showHelp(helpTopicFor(focusWidget())); });
    connect(Command7, &QPushButton::clicked, this, &feuilleP::Command7_Click);
}

void feuilleP::Command7_Click() { showHelp(QString()); }

void feuilleP::showHelp(const QString& page) {
    // Step 1: keep what the scene shows (sauvetage) and its persistent background.
    const QImage sauvetage = Picture2->image();
    const QImage background = Picture2->picture();

    // Step 2: the help's topics.
    if (!help_) help_ = new HelpWindow(this);
    help_->showTopics(page);

    // Step 3: put the kept image back. The background stays the persistent picture, so that
    // the solid shown now does not become part of it.
    if (!background.isNull()) Picture2->setPicture(background);
    Picture2->drawImage(0, 0, sauvetage);
}

QString feuilleP::helpTopicFor(const QWidget* focus) const {
    const struct {
        const QWidget* area;
        const char* page;
    } areas[] = {
        {Picture3, "parametres.html"},     {Frame2, "vecteurs.html"},
        {Picture1, "affichage.html"},      {Picture6, "enregistrement.html"},
        {Picture2, "animation.html"},      {Image4, "animation.html"},
        {Command18, "animation.html"},     {command15, "animation.html"},
        {command16, "animation.html"},     {Frame1, "graphe.html"},
        {Picture4, "fenetre.html"},        {supertext, "exercices.html"},
        {fich, "exercices.html"},          {btexo, "exercices.html"},
        {Command2, "configurations.html"}, {Command11, "configurations.html"},
        {Command4, "copies.html"},         {Command10, "impression.html"},
        {Command8, "calculatrice.html"},   {Command1, "fenetre.html"},
    };
    if (focus && focus->objectName() == QLatin1String("Projeter"))
        return QStringLiteral("projection.html");
    for (const QWidget* w = focus; w && w != this; w = w->parentWidget())
        for (const auto& a : areas)
            if (w == a.area) return QString::fromLatin1(a.page);
    if (focus == Onglets) {
        static const char* const tabs[] = {"parametres.html", "vecteurs.html", "affichage.html",
                                           "enregistrement.html"};
        return QString::fromLatin1(tabs[Onglets->selectedTab() - 1]);
    }
    return QString();
}

}  // namespace ondalis
