#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "fake_dialogs.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/updown.h"
#include "printing/confimp.h"
#include "recording_printer.h"

namespace ondalis::testing {
namespace {

// A printer that lets the test look at the dialog while the pages are being printed.
class WatchedPrinter : public RecordingPrinter {
public:
    std::function<void()> whilePrinting;
    void drawPicture(double x, double y, const QImage& picture) override {
        if (whilePrinting) whilePrinting();
        RecordingPrinter::drawPicture(x, y, picture);
    }
};

// The print dialog over a stand-in main window holding the two surfaces.
class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        main.setGeometry(100, 60, 800, 573);
        animation.setSurfaceSize(785, 57);
        animation.fillBox(0, 0, 784, 56, QColor(200, 220, 255));
        animation.circle(450, 21, 10, Qt::red);
        graph.setSurfaceSize(617, 225);
        graph.line(50, 115, 560, 115, Qt::black);
        main.show();
        dialog = std::make_unique<confimp>(dialogs, printer, animation, graph, &main);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void TearDown() override { dialog.reset(); }

    FakeDialogs dialogs;
    WatchedPrinter printer;
    QWidget main;
    DrawingSurface animation{&main};
    DrawingSurface graph{&main};
    std::unique_ptr<confimp> dialog;
};

TEST_F(PrintDialog, opensWithItsTextsAndStartValues) {
    confimp& d = *dialog;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Imprimer"));
    EXPECT_EQ(d.frameGeometry().top(), main.frameGeometry().top() + 20);
    EXPECT_EQ(d.Frame1->title(), QStringLiteral("Options"));
    EXPECT_EQ(d.Option1->text(), QStringLiteral("Imprimer l'animation"));
    EXPECT_EQ(d.Option2->text(), QStringLiteral("Imprimer le graphe"));
    EXPECT_EQ(d.Chec(0)->text(), QStringLiteral("Centrer l'image horizontalement"));
    EXPECT_EQ(d.Chec(1)->text(), QStringLiteral("Centrer l'image verticalement"));
    EXPECT_TRUE(d.Option1->isChecked());
    EXPECT_TRUE(d.Chec(0)->isChecked());
    EXPECT_FALSE(d.Chec(1)->isChecked());
    EXPECT_EQ(d.Text1->text(), QStringLiteral("Calvane - Ondalis"));
    EXPECT_EQ(d.Label4->text(), QStringLiteral("1"));
    EXPECT_EQ(d.UpDown1->value(), 1);
    EXPECT_EQ(d.defaut->text(), QStringLiteral("Imprimante de la classe"));
    EXPECT_EQ(d.Command1->text(), QStringLiteral("&OK"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("&Imprimantes"));
    EXPECT_EQ(d.Command3->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(d.Frame2->title(), QStringLiteral("Veuillez patienter quelques instants..."));
    EXPECT_FALSE(d.Frame2->isVisible());
    QStringList captions;
    for (const QLabel* l : d.findChildren<QLabel*>()) captions << l->text();
    for (const char* c : {"Titre de la page :", "Nombre d'exemplaires :", "Imprimante :"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
    // Every control a user can reach has a name to be read.
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(&d)) continue;
        EXPECT_FALSE(w->accessibleName().isEmpty() && w->property("text").toString().isEmpty())
            << w->objectName().toStdString();
    }
}

TEST_F(PrintDialog, printsTheChosenCopiesOfTheGraphThenCloses) {
    confimp& d = *dialog;
    QTest::mouseClick(d.Option2, Qt::LeftButton, {}, QPoint(6, d.Option2->height() / 2));
    EXPECT_TRUE(d.Option2->isChecked());
    d.UpDown1->setFocus();
    QTest::keyClick(d.UpDown1, Qt::Key_Up);
    QTest::keyClick(d.UpDown1, Qt::Key_Up);
    EXPECT_EQ(d.Label4->text(), QStringLiteral("3"));
    bool noticeShown = false;
    printer.whilePrinting = [&] {
        noticeShown = d.Frame2->isVisible() && !d.Frame1->isVisible() && !d.Command1->isVisible() &&
                      !d.Command2->isVisible() && !d.Command3->isVisible();
    };
    QTest::mouseClick(d.Command1, Qt::LeftButton);
    EXPECT_TRUE(noticeShown);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    ASSERT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(printer.documentsBegun, 1);
    for (const auto& page : printer.pages) {
        ASSERT_EQ(page.drawn.size(), 2u);
        EXPECT_EQ(page.drawn[1].picture, graph.image());
        EXPECT_EQ(page.drawn[1].at, QPointF(1372.5, 900));
    }
}

TEST_F(PrintDialog, enterIsOkAndEscapeIsCancel) {
    // Enter from the title box prints the animation.
    dialog->Text1->setFocus();
    QTest::keyClick(dialog->Text1, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(printer.pages[0].drawn[1].picture, animation.image());

    confimp again(dialogs, printer, animation, graph, &main);
    again.show();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(printer.documentsBegun, 1);
}

TEST_F(PrintDialog, thePrinterSetUpRefreshesTheNameAndACancelKeepsIt) {
    dialogs.printerAnswers = {QStringLiteral("Salle 12"), std::nullopt};
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    EXPECT_EQ(dialog->defaut->text(), QStringLiteral("Salle 12"));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    EXPECT_EQ(dialog->defaut->text(), QStringLiteral("Salle 12"));
    EXPECT_EQ(dialogs.printerSetups, 2);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->frameGeometry().top(), main.frameGeometry().top() + 20);

    printer.toFile = true;
    dialog->Form_Load();
    EXPECT_EQ(dialog->defaut->text(), QStringLiteral("Fichier PDF (nom demandé à l'impression)"));
}

TEST_F(PrintDialog, aFailedJobIsReportedAndTheDialogComesBack) {
    printer.failAtEnd = QStringLiteral("L'impression sur « Salle 12 » a échoué.");
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, printer.failAtEnd);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Imprimer"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Command1->isVisible());
    EXPECT_TRUE(dialog->Frame1->isVisible());
    EXPECT_FALSE(dialog->Frame2->isVisible());

    // A declined PDF file name says nothing and leaves the dialog as it was.
    printer.failAtEnd.clear();
    printer.declineStart = true;
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Command3->isVisible());
}

}  // namespace
}  // namespace ondalis::testing
