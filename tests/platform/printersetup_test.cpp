// The printer set-up form and its properties window, driven with the keys over made-up
// printers, and the set-up applied to a Qt printer.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "modal.h"
#include "platform/services/printersetup.h"
#include "platform/services/printersetupform.h"

namespace ondalis::testing {
namespace {

std::vector<PrinterDescription> classPrinters() {
    PrinterDescription laser;
    laser.name = QStringLiteral("Salle 12");
    laser.state = QStringLiteral("Prête");
    laser.type = QStringLiteral("Laser noir et blanc");
    laser.location = QStringLiteral("Couloir du premier étage");
    laser.comment = QStringLiteral("Imprimante des sciences");
    laser.pageSizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)};
    laser.defaultPageSize = QPageSize(QPageSize::A4);
    laser.duplexModes = {QPrinter::DuplexLongSide, QPrinter::DuplexShortSide};
    laser.colorModes = {QPrinter::GrayScale};
    PrinterDescription colour;
    colour.name = QStringLiteral("Couleur CDI");
    colour.state = QStringLiteral("Impression en cours");
    colour.pageSizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)};
    colour.defaultPageSize = QPageSize(QPageSize::A3);
    colour.colorModes = {QPrinter::Color, QPrinter::GrayScale};
    return {colour, laser, pdfFileDescription()};
}

QStringList items(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

TEST(PrinterSetUpForm, choosesThePrinterItsPaperOrientationAndTwoSidedPrintingWithTheKeys) {
    PrinterSettings current;
    current.printer = QStringLiteral("Couleur CDI");
    current.pageSize = QPageSize(QPageSize::A3);
    confimprimante form(classPrinters(), current);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Configuration de l'impression"));
    EXPECT_EQ(items(form.Combo1),
              QStringList({QStringLiteral("Couleur CDI"), QStringLiteral("Salle 12"),
                           QStringLiteral("Fichier PDF")}));
    EXPECT_EQ(form.Combo2->currentText(), QStringLiteral("A3 (297 × 420 mm)"));
    EXPECT_EQ(form.Label5->text(), QStringLiteral("Impression en cours"));
    EXPECT_TRUE(form.Option1->isChecked());

    // The next printer, with the arrow key: its own details and papers, its default paper.
    ASSERT_TRUE(form.Combo1->hasFocus());
    QTest::keyClick(form.Combo1, Qt::Key_Down);
    EXPECT_EQ(form.Label5->text(), QStringLiteral("Prête"));
    EXPECT_EQ(form.Label6->text(), QStringLiteral("Laser noir et blanc"));
    EXPECT_EQ(form.Label7->text(), QStringLiteral("Couloir du premier étage"));
    EXPECT_EQ(form.Label8->text(), QStringLiteral("Imprimante des sciences"));
    EXPECT_EQ(items(form.Combo2), QStringList({QStringLiteral("A4 (210 × 297 mm)"),
                                               QStringLiteral("Lettre US (216 × 279 mm)")}));
    EXPECT_EQ(form.Combo2->currentIndex(), 0);

    // Its properties: two-sided printing among the modes it has, colour greyed out.
    OnModal<proprietes> properties([](proprietes& p) {
        EXPECT_EQ(items(p.Combo1),
                  QStringList({QStringLiteral("Désactivé"), QStringLiteral("Reliure bord long"),
                               QStringLiteral("Reliure bord court")}));
        EXPECT_EQ(items(p.Combo2), QStringList({QStringLiteral("Niveaux de gris")}));
        EXPECT_FALSE(p.Combo2->isEnabled());
        QTest::keyClick(p.Combo1, Qt::Key_Down);
        QTest::keyClick(p.Combo1, Qt::Key_Down);
        QTest::keyClick(&p, Qt::Key_Return);
    });
    // An accelerator presses its button as a click would, a moment later.
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return properties.seen() && !form.findChild<proprietes*>(); }));
    // The offscreen platform does not give the activation back by itself.
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    QTest::keyClick(&form, Qt::Key_T, Qt::AltModifier);  // "&Taille"
    ASSERT_TRUE(form.Combo2->hasFocus());
    EXPECT_EQ(form.info->text(), QStringLiteral("Le format du papier"));
    QTest::keyClick(form.Combo2, Qt::Key_Down);
    QTest::keyClick(&form, Qt::Key_Y, Qt::AltModifier);  // "Pa&ysage"
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Option2->isChecked(); }));
    EXPECT_EQ(form.info->text(), QStringLiteral("La page en largeur"));

    const PrinterSettings chosen = form.settings();
    EXPECT_EQ(chosen.printer, QStringLiteral("Salle 12"));
    EXPECT_EQ(chosen.pageSize.id(), QPageSize::Letter);
    EXPECT_EQ(chosen.orientation, QPageLayout::Landscape);
    EXPECT_EQ(chosen.duplex, QPrinter::DuplexShortSide);
    EXPECT_EQ(chosen.colorMode, QPrinter::GrayScale);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(PrinterSetUpForm, everyControlIsReachedWithTabAndNamedForScreenReaders) {
    confimprimante form(classPrinters(), PrinterSettings{});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // The PDF file, the current printer here, has no properties to set beyond colour.
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("Fichier PDF"));
    const QWidget* expected[] = {form.Combo1,   form.Command1, form.Combo2, form.Option1,
                                 form.Command2, form.Command3, form.Combo1};
    for (const QWidget* w : expected) {
        EXPECT_EQ(QApplication::focusWidget(), w)
            << QApplication::focusWidget()->objectName().toStdString();
        QAccessibleInterface* a =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(PrinterSetUp, isAppliedToThePrinterWithoutTouchingItsCopies) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setCopyCount(3);
    PrinterSettings settings = settingsOf(printer);
    EXPECT_TRUE(settings.printer.isEmpty());
    settings.pageSize = QPageSize(QPageSize::A5);
    settings.orientation = QPageLayout::Landscape;
    settings.colorMode = QPrinter::GrayScale;
    applySettings(printer, settings);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(printer.copyCount(), 3);
}

}  // namespace
}  // namespace ondalis::testing
