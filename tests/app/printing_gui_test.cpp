// Printing, image copies, the status-line hints and what a screen reader gets, through the
// real main window.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "file_bytes.h"
#include "mainwindow/widgets/tabstrip.h"
#include "mainwindow_fixture.h"
#include "modal.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "platform/services/printersetupform.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/updown.h"
#include "printing/confimp.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

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
    // The scene is the slider of the starting position (scenekeys_test); its description
    // follows the motion.
    EXPECT_EQ(scene->role(), QAccessible::Slider);
    EXPECT_EQ(scene->text(QAccessible::Name), QStringLiteral("Animation"));
    EXPECT_TRUE(scene->text(QAccessible::Description)
                    .contains(QStringLiteral("Mobile en x = %1 centimètres, animation arrêtée, "
                                             "vitesse %2 mètres par seconde")
                                  .arg(w.Label1->text(), w.Label6->text())));
    w.Command18_Click();
    EXPECT_EQ(scene->text(QAccessible::Description),
              QStringLiteral("Position initiale 5 cm. Mobile en x = 5,00 centimètres, animation "
                             "arrêtée, vitesse 0,00 mètres par seconde, régime pseudo-périodique"));

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

// Without any printer: the real printer service writing PDF files, its pages watched.
class PdfWithoutPrinter : public Printing {
protected:
    struct WatchedPdf : QtPrinterService {
        using QtPrinterService::QtPrinterService;
        void drawPicture(double x, double y, const QImage& picture) override {
            if (watch) watch();
            QtPrinterService::drawPicture(x, y, picture);
        }
        std::function<void()> watch;
    };

    void SetUp() override {
        Printing::SetUp();
        // The user's documents folder, as the desktop names it.
        ASSERT_TRUE(home.isValid());
        documents = home.filePath(QStringLiteral("Mes documents"));
        ASSERT_TRUE(QDir().mkpath(documents));
        ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("classe"))));
        QFile dirs(home.filePath(QStringLiteral("user-dirs.dirs")));
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\n").arg(documents).toUtf8());
        dirs.close();
        previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        pdf.qtPrinter()->setOutputFormat(QPrinter::PdfFormat);
        printerInUse = &pdf;
    }
    void TearDown() override {
        dialogs.forward = nullptr;
        Printing::TearDown();
        qputenv("XDG_CONFIG_HOME", previousConfig);
    }

    QTemporaryDir home;
    QString documents;
    QByteArray previousConfig;
    WatchedPdf pdf{dialogs};
};

TEST_F(PdfWithoutPrinter, theNoticeWaitsForTheFileNameAskedInTheDocumentsThenTheLastFolder) {
    feuilleP& w = open();
    struct Seen {
        bool noticeWhileChoosing = true;
        bool optionsWhileChoosing = false;
        bool noticeWhilePrinting = false;
    } seen;
    auto dialog = [] { return qobject_cast<confimp*>(QApplication::activeModalWidget()); };
    dialogs.whileChoosingFile = [&] {
        seen.noticeWhileChoosing = dialog()->Frame2->isVisible();
        seen.optionsWhileChoosing =
            dialog()->Frame1->isVisible() && dialog()->Command1->isVisible();
    };
    pdf.watch = [&] { seen.noticeWhilePrinting = dialog()->Frame2->isVisible(); };

    const QString page = home.filePath(QStringLiteral("classe/page.pdf"));
    dialogs.fileAnswers = {page};
    whenDialogOpens([&](confimp& d) {
        EXPECT_EQ(d.defaut->text(), QStringLiteral("Fichier PDF (nom demandé à l'impression)"));
        QTest::keyClick(&d, Qt::Key_Return);
    });
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(seen.noticeWhileChoosing);
    EXPECT_TRUE(seen.optionsWhileChoosing);
    EXPECT_TRUE(seen.noticeWhilePrinting);
    EXPECT_TRUE(fileBytes(page).startsWith("%PDF"));
    ASSERT_EQ(dialogs.saveFolders.size(), 1u);
    EXPECT_EQ(dialogs.saveFolders[0], documents);

    // The next time, the folder of the file just written; a cancelled name prints nothing and
    // the dialog stays with its options.
    opened = false;
    dialogs.fileAnswers = {std::nullopt};
    whenDialogOpens([&](confimp& d) {
        QTest::mouseClick(d.Command1, Qt::LeftButton);
        EXPECT_TRUE(d.Frame1->isVisible());
        EXPECT_FALSE(d.Frame2->isVisible());
        QTest::mouseClick(d.Command3, Qt::LeftButton);
    });
    QTest::mouseClick(w.Command10, Qt::LeftButton);
    ASSERT_TRUE(opened);
    ASSERT_EQ(dialogs.saveFolders.size(), 2u);
    EXPECT_EQ(dialogs.saveFolders[1], home.filePath(QStringLiteral("classe")));
}

TEST_F(PdfWithoutPrinter, imprimantesOpensThePrinterSetUpFormNotThePrintDialog) {
    feuilleP& w = open();
    QtDialogService real(&w);
    dialogs.forward = &real;
    bool formSeen = false;
    OnModal<confimprimante> setUp([&](confimprimante& form) {
        formSeen = true;
        EXPECT_EQ(form.Combo1->itemText(form.Combo1->currentIndex()),
                  QStringLiteral("Fichier PDF"));
        // The printer and its paper only: no copies, no pages to choose.
        for (const QWidget* control : form.findChildren<QWidget*>()) {
            EXPECT_FALSE(control->accessibleName().contains(QStringLiteral("exemplaire")));
            EXPECT_FALSE(control->accessibleName().contains(QStringLiteral("Copies")));
        }
        // The offscreen platform may leave the print dialog active under the form.
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_T, Qt::AltModifier);
        EXPECT_TRUE(form.Combo2->hasFocus());
        form.Combo2->setCurrentIndex(form.Combo2->findText(QStringLiteral("A5 (148 × 210 mm)")));
        QTest::keyClick(&form, Qt::Key_Y, Qt::AltModifier);
        // An accelerator presses its button as a click would, a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.Option2->isChecked(); }));
        QTest::keyClick(&form, Qt::Key_Return);
    });
    whenDialogOpens([&](confimp& d) {
        d.UpDown1->setValue(3);
        // The offscreen platform leaves the main window active under the dialog.
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(&d, Qt::Key_I, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return formSeen; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &d; }));
        EXPECT_EQ(d.defaut->text(), QStringLiteral("Fichier PDF (nom demandé à l'impression)"));
        // The copies of the print dialog are its own, untouched by the set-up.
        EXPECT_EQ(d.UpDown1->value(), 3);
        EXPECT_EQ(d.Label4->text(), QStringLiteral("3"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(formSeen);
    EXPECT_EQ(dialogs.printerSetups, 1);
    const QPageLayout layout = pdf.qtPrinter()->pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
}

}  // namespace
}  // namespace ondalis::testing
