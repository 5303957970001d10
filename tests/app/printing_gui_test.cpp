// Printing, image copies, the status-line hints and what a screen reader gets, through the
// real main window.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "colorswatch.h"
#include "confimp.h"
#include "displaypanel.h"
#include "drawingsurface.h"
#include "mainwindow_fixture.h"
#include "parameterspanel.h"
#include "recordingpanel.h"
#include "tabstrip.h"
#include "valuetable.h"
#include "vectorspanel.h"

namespace ondalis::testing {
namespace {

class Printing : public MainWindowTest {
protected:
    // Runs `drive` on the print dialog once it is shown modally; fails rather than hangs if
    // it stays open.
    void whenDialogOpens(std::function<void(confimp&)> drive) {
        QTimer::singleShot(0, [this, drive] {
            auto* dialog = qobject_cast<confimp*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "the print dialog is not open";
                return;
            }
            opened = true;
            drive(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the print dialog stayed open";
                dialog->reject();
            }
        });
    }

    bool opened = false;
};

// A point of `w` that lies on the control itself, not on one of its children.
QPoint bareSpot(QWidget* w) {
    for (int y = 3; y < w->height() - 3; y += 3)
        for (int x = 3; x < w->width() - 3; x += 3)
            if (!w->childAt(x, y)) return {x, y};
    ADD_FAILURE() << "no bare spot on " << w->objectName().toStdString();
    return {1, 1};
}

TEST_F(Printing, ctrlPOpensTheDialogThatPrintsTheGraphAsDrawn) {
    feuilleP& w = openAt(QStringLiteral("5"));
    // Display options shape what is printed: a bold trace on the graph.
    w.Picture1->Check3()->setChecked(true);
    w.command15_Click();
    tick(40);
    w.command16_Click();
    whenDialogOpens([&](confimp& d) {
        EXPECT_EQ(d.frameGeometry().top(), w.frameGeometry().top() + 20);
        QTest::mouseClick(d.Option2, Qt::LeftButton, {}, QPoint(6, d.Option2->height() / 2));
        d.Chec(0)->setChecked(false);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(opened);
    ASSERT_EQ(printer.pages.size(), 1u);
    const RecordingPrinter::Page& page = printer.pages[0];
    ASSERT_EQ(page.drawn.size(), 2u);
    EXPECT_EQ(page.drawn[0].text, QStringLiteral("Calvane - Ondalis"));
    EXPECT_EQ(page.drawn[1].at, QPointF(1200, 900));
    // Pixel for pixel the graph's persistent image, at one tenth and one twentieth of the page.
    EXPECT_EQ(page.image.copy(80, 60, w.Frame1->imageWidth(), w.Frame1->imageHeight()),
              w.Frame1->image());
}

TEST_F(Printing, theImprimerButtonPrintsTheAnimationWithItsAxis) {
    feuilleP& w = openAt(QStringLiteral("-3"));
    w.Picture1->Check1()->setChecked(true);  // the axis, drawn on the scene
    whenDialogOpens([&](confimp& d) { QTest::mouseClick(d.Command1, Qt::LeftButton); });
    QTest::mouseClick(w.Command10, Qt::LeftButton);
    EXPECT_TRUE(opened);
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(printer.pages[0].drawn[1].picture, w.Picture2->image());
    // Centred across: (12000 - 785 × 15) / 2 twips.
    EXPECT_EQ(printer.pages[0].drawn[1].at, QPointF(112.5, 900));
}

TEST_F(Printing, imageCopiesReplaceTheClipboardAndLeaveTheStatusLine) {
    feuilleP& w = open();
    const QString status = w.info->text();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    w.menucopie->findChild<QAction*>(QStringLiteral("copigraph"))->trigger();
    // Before any recording: the empty graph frame exactly as drawn.
    EXPECT_EQ(QGuiApplication::clipboard()->image(), w.Frame1->image());
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
    EXPECT_EQ(w.info->text(), status);
    w.menucopie->findChild<QAction*>(QStringLiteral("copim"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image(), w.Picture2->image());
    EXPECT_EQ(w.info->text(), status);
}

TEST_F(Printing, thePointerOverEachControlShowsItsHint) {
    feuilleP& w = open();
    struct Step {
        int tab;
        std::function<QWidget*()> control;
        bool bare;  // a bare spot of a panel rather than its centre
        const char* text;
    };
    const char* sameAsBefore = nullptr;
    const Step steps[] = {
        {1, [&] { return w.Command1; }, false,
         "Pour retrouver le module principal et quitter cette application"},
        {1, [&] { return w.Command10; }, false, "Pour configurer l'imprimante et imprimer l'image"},
        {1, [&] { return w.Command11; }, false, "Pour conserver la configuration en cours"},
        {1, [&] { return w.Command2; }, false, "Pour retrouver une situation enregistrée"},
        {1, [&] { return w.Command4; }, false,
         "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint..."},
        {1, [&] { return w.Command7; }, false,
         "Si vous rencontrez une difficulté avec cette application"},
        {1, [&] { return w.Command8; }, false, "Machine à calculer"},
        {1, [&] { return w.command15; }, false,
         "Vous pouvez activer ou arrêter l'animation ou retrouver la position initiale"},
        {1, [&] { return w.command16; }, false,
         "Vous pouvez activer ou arrêter l'animation ou retrouver la position initiale."},
        {1, [&] { return w.Command18; }, false,
         "Vous pouvez activer ou arrêter l'animation ou retrouver la position initiale"},
        {1, [&] { return w.Picture3; }, true, "Vous pouvez modifier tous les paramètres"},
        {1, [&] { return w.Text5(MassField); }, false, sameAsBefore},
        {1, [&] { return w.Picture4; }, true, "Modifier les paramètres depuis l'onglet Paramètres"},
        {1, [&] { return w.Label3; }, false, sameAsBefore},
        {1, [&] { return w.btexo; }, false,
         "Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou fermer."},
        {1, [&] { return w.supertext->viewport(); }, false, sameAsBefore},
        {1, [&] { return w.Picture2; }, false,
         "Vous pouvez déplacer le mobile avec la souris (bouton enfoncé)"},
        {1, [&] { return w.Frame1; }, false,
         "Le tableau de valeurs correspondant est dans l'onglet Enregistrement"},
        {1, [&] { return &w; }, true,
         "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice"},
        {2, [&] { return w.Frame2; }, true, "Vous pouvez représenter les forces sur l'animation"},
        {2, [&] { return w.Label4(0); }, false, "Modifier la couleur d'affichage"},
        {2, [&] { return w.Frame2->Check5(); }, false, sameAsBefore},
        {3, [&] { return w.Picture1; }, true,
         "Les modifications de ces paramètres interviennent sur le mobile en mouvement"},
        {3, [&] { return w.Picture1->Check1(); }, false,
         "Les options d'affichage s'appliquent également à l'image copiée ou imprimée."},
        {3, [&] { return w.Picture1; }, true,
         "Les modifications de ces paramètres interviennent sur le mobile en mouvement"},
        {3, [&] { return w.Label4(7); }, false, "Modifier la couleur d'affichage"},
        {4, [&] { return w.Picture6; }, true,
         "Vous pouvez choisir la durée de l'enregistrement (tableau et graphe)"},
    };
    for (const Step& step : steps) {
        w.Onglets->selectTab(step.tab);
        QWidget* control = step.control();
        const QString before = w.info->text();
        const QPoint at = step.bare ? bareSpot(control) : control->rect().center();
        QTest::mouseMove(control, at);
        const QString expected = step.text ? QString::fromUtf8(step.text) : before;
        EXPECT_EQ(w.info->text(), expected) << control->objectName().toStdString();
    }
}

TEST_F(Printing, theCopyConfirmationStaysOverCopierUntilThePointerGoesElsewhere) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    tick(60);
    QTest::mouseMove(w.Command2, w.Command2->rect().center());
    w.menucopie->findChild<QAction*>(QStringLiteral("copitab"))->trigger();
    ASSERT_EQ(w.info->text(), w.copyMessage);
    EXPECT_EQ(w.copyMessage, QStringLiteral("Le tableau est copié : vous pouvez le coller dans "
                                            "une autre application"));
    QTest::mouseMove(w.Command4, w.Command4->rect().center());
    EXPECT_EQ(w.info->text(), w.copyMessage);
    QTest::mouseMove(w.Command4, w.Command4->rect().center() + QPoint(5, 2));
    EXPECT_EQ(w.info->text(), w.copyMessage);
    QTest::mouseMove(w.Command11, w.Command11->rect().center());
    QTest::mouseMove(w.Command4, w.Command4->rect().center());
    EXPECT_EQ(w.info->text(), QStringLiteral("Copier pour placer l'image dans le presse- papiers "
                                             "puis coller depuis Word, Paint..."));
}

TEST_F(Printing, aScreenReaderHearsTheValuesTheHintsAndWhatThePicturesShow) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    tick(25);

    struct Readout {
        QLabel* label;
        const char* quantity;
    };
    const Readout readouts[] = {
        {w.Label3, "Temps t en secondes"},
        {w.Label1, "Position x en centimètres"},
        {w.Label6, "Vitesse en mètres par seconde"},
        {w.Label7, "Accélération en mètres par seconde carrée"},
        {w.Label5, "Énergie cinétique en joules"},
        {w.Label8, "Énergie potentielle élastique en joules"},
        {w.Label9, "Énergie mécanique en joules"},
    };
    for (const Readout& r : readouts) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(r.label);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(r.quantity));
        EXPECT_EQ(a->text(QAccessible::Value), r.label->text());
        EXPECT_EQ(a->text(QAccessible::Description), r.label->text());
        ASSERT_NE(a->textInterface(), nullptr);
        EXPECT_EQ(a->textInterface()->text(0, -1), r.label->text());
    }
    // The value follows the readout without any event.
    QAccessibleInterface* time = QAccessible::queryAccessibleInterface(w.Label3);
    const QString before = time->text(QAccessible::Value);
    tick(5);
    EXPECT_NE(time->text(QAccessible::Value), before);
    EXPECT_EQ(time->text(QAccessible::Value), w.Label3->text());

    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(w.info);
    EXPECT_EQ(status->role(), QAccessible::StatusBar);
    EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("Ligne d'état"));
    QTest::mouseMove(w.Command8, w.Command8->rect().center());
    EXPECT_EQ(status->text(QAccessible::Value), QStringLiteral("Machine à calculer"));
    EXPECT_EQ(status->text(QAccessible::Description), QStringLiteral("Machine à calculer"));

    w.command16_Click();
    QAccessibleInterface* scene = QAccessible::queryAccessibleInterface(w.Picture2);
    EXPECT_EQ(scene->role(), QAccessible::Graphic);
    EXPECT_EQ(scene->text(QAccessible::Name), QStringLiteral("Animation"));
    EXPECT_EQ(
        scene->text(QAccessible::Description),
        QStringLiteral("Mobile en x = %1 centimètres, animation arrêtée").arg(w.Label1->text()));
    w.Command18_Click();
    EXPECT_EQ(scene->text(QAccessible::Description),
              QStringLiteral("Mobile en x = 5,00 centimètres, animation arrêtée"));

    QAccessibleInterface* graph = QAccessible::queryAccessibleInterface(w.Frame1);
    EXPECT_EQ(graph->role(), QAccessible::Graphic);
    EXPECT_EQ(graph->text(QAccessible::Description).toStdString(),
              "Graphe de la position x en fonction du temps, pleine échelle de -5 à 5 "
              "centimètres, sur 5 secondes ; 0 sur 51 valeurs enregistrées");
    w.Onglets->selectTab(3);
    QTest::mouseClick(w.Picture1->Option1(3), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(graph->text(QAccessible::Description)
                    .startsWith(QStringLiteral("Graphe des énergies cinétique, potentielle "
                                               "élastique et mécanique en fonction du temps, "
                                               "pleine échelle de 0 à 0,013 joules")))
        << graph->text(QAccessible::Description).toStdString();
}

}  // namespace
}  // namespace ondalis::testing
