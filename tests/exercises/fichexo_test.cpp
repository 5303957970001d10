#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <set>

#include "exercise_files.h"
#include "exercises/widgets/fichexo.h"
#include "fake_dialogs.h"
#include "platform/core/filepaths.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/filebrowser.h"

namespace ondalis::testing {
namespace {

using exercises::Fichexo;

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = withTrailingSeparator(dir.path());
    }

    // The catalogue on the test folder, shown as the menu shows it (without its modal loop).
    Fichexo& open() {
        catalogue = std::make_unique<Fichexo>(
            exerciseFolder, folder,
            [this](const QString& path) {
                opened.push_back(path);
                loadingShown = catalogue->Frame2->isVisible();
                return openResult;
            },
            nullptr);
        catalogue->show();
        QApplication::setActiveWindow(catalogue.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(catalogue.get()));
        return *catalogue;
    }

    void clickFile(int row) {
        FileList* list = catalogue->File1;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    // Opens the subfolder `name` of the folder list from the keyboard: highlight, then Enter.
    void openFolder(const QString& name) {
        FolderList* list = catalogue->Dir1;
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setFocus();
        list->setCurrentItem(found.first());
        QTest::keyClick(list, Qt::Key_Return);
    }

    std::vector<QWidget*> previewFields() const {
        std::vector<QWidget*> fields{catalogue->Label4, catalogue->Label1, catalogue->Label2,
                                     catalogue->Label3, catalogue->Text1,  catalogue->Text2,
                                     catalogue->ouvreur};
        fields.insert(fields.end(), catalogue->Image4.begin(), catalogue->Image4.end());
        return fields;
    }

    QTemporaryDir dir;
    QString folder;
    QString exerciseFolder = QStringLiteral("/avant/");
    std::unique_ptr<Fichexo> catalogue;
    std::vector<QString> opened;
    bool openResult = false;
    bool loadingShown = false;
};

TEST_F(Catalogue, aFolderWithoutExercisesSelectsNothingAndKeepsThePreviewHidden) {
    writeFileIn(folder + "reglage.P19", "x");
    Fichexo& c = open();
    EXPECT_EQ(c.File1->count(), 0);
    EXPECT_EQ(c.File1->path(), dir.path());
    EXPECT_TRUE(c.fichierexo->text().isEmpty());
    EXPECT_TRUE(c.intratro->isVisible());
    EXPECT_TRUE(c.titratexo->text().isEmpty());
    for (QWidget* w : previewFields())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_FALSE(c.Frame2->isVisible());
    EXPECT_EQ(exerciseFolder, QStringLiteral("/avant/"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Ondalis"));
}

TEST_F(Catalogue, showsThePreviewOfTheFirstExerciseThenOfEachFileChosen) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"},
                                              {4, "a-cor.P19"},
                                              {5, "1.5"},
                                              {7, "Période ; "},
                                              {9, "énergie"},
                                              {11, " La période "},
                                              {12, "3"}}));
    writeFileIn(folder + "b.e41", indexBytes({{1, "b.rtf"}, {5, "0"}, {11, "Sans correction"}}));
    Fichexo& c = open();

    // State: the first file is chosen on opening, the list has the keys.
    ASSERT_EQ(c.File1->count(), 2);
    EXPECT_EQ(c.File1->fileName(), QStringLiteral("a.E41"));
    EXPECT_EQ(QApplication::focusWidget(), c.File1);
    EXPECT_EQ(c.fichierexo->text(), folder + "a.E41");
    EXPECT_EQ(exerciseFolder, folder);
    EXPECT_EQ(withTrailingSeparator(QDir::currentPath()), folder);
    EXPECT_FALSE(c.intratro->isVisible());
    for (QWidget* w : previewFields()) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(c.titratexo->text(), QStringLiteral("La période"));
    EXPECT_EQ(c.Text1->toPlainText(), QStringLiteral("Période ; énergie"));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("Exercice corrigé"));
    EXPECT_EQ(c.Label3->text(), c.Label2->text());
    EXPECT_EQ(c.Label3->pos(), c.Label2->pos() + QPoint(2, 2));
    const QImage lit = c.Imagalu->pixmap().toImage(), dark = c.Imagenoir->pixmap().toImage();
    EXPECT_NE(lit, dark);
    EXPECT_FALSE(c.Imagalu->isVisible());
    EXPECT_FALSE(c.Imagenoir->isVisible());
    const QImage twoStars[] = {lit, lit, dark};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(c.Image4[i]->pixmap().toImage(), twoStars[i]) << i;
    EXPECT_EQ(c.Text2->text(), QString(3, QChar(0x231B)));
    EXPECT_TRUE(QFontMetrics(c.Text2->font()).inFontUcs4(0x231B));

    // Action: a click on the second file.
    clickFile(1);
    EXPECT_EQ(c.fichierexo->text(), folder + "b.e41");
    EXPECT_EQ(c.titratexo->text(), QStringLiteral("Sans correction"));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("Non corrigé"));
    EXPECT_TRUE(c.Text1->toPlainText().isEmpty());
    EXPECT_TRUE(c.Text2->text().isEmpty());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(c.Image4[i]->pixmap().toImage(), dark) << i;

    // The arrow keys choose too.
    QTest::keyClick(c.File1, Qt::Key_Up);
    EXPECT_EQ(c.fichierexo->text(), folder + "a.E41");
    EXPECT_TRUE(opened.empty());
}

TEST_F(Catalogue, aFileThatCannotBeReadSaysSoInThePreviewAndTheArrowsGoOn) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"}, {11, "Premier"}}));
    QByteArray bytes = indexBytes({{3, "cor.rtf"}, {11, "Titre"}});
    bytes[2 * 128] = char(127);  // record 3 says more than a record holds
    writeFileIn(folder + "abime.E41", bytes);
    writeFileIn(folder + "c.E41", indexBytes({{1, "c.rtf"}, {11, "Dernier"}}));
    Fichexo& c = open();

    QTest::keyClick(c.File1, Qt::Key_Down);
    EXPECT_EQ(c.fichierexo->text(), folder + "abime.E41");
    EXPECT_TRUE(c.Label8->isVisible());
    EXPECT_EQ(c.Label8->text(),
              QStringLiteral("Lecture impossible\nVérifier:\n- le nom du fichier,\n"
                             "- l'état du lecteur."));
    EXPECT_FALSE(c.intratro->isVisible());
    EXPECT_TRUE(c.titratexo->text().isEmpty());
    for (QWidget* w : previewFields())
        EXPECT_EQ(w->isVisible(), w == c.ouvreur) << w->objectName().toStdString();
    // No box took the keys: the next arrow goes on to the next file.
    QTest::keyClick(c.File1, Qt::Key_Down);
    EXPECT_EQ(c.fichierexo->text(), folder + "c.E41");
    EXPECT_EQ(c.titratexo->text(), QStringLiteral("Dernier"));
    EXPECT_FALSE(c.Label8->isVisible());

    // Opening it is still asked of the main window, which says what is wrong.
    QTest::keyClick(c.File1, Qt::Key_Up);
    QTest::mouseClick(c.ouvreur, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QString>{folder + "abime.E41"});
}

TEST_F(Catalogue, anotherFolderClearsThePreviewAndLeavesNothingToOpen) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"}, {11, "Ici"}}));
    QDir(folder).mkpath(QStringLiteral("vide"));
    QDir(folder).mkpath(QStringLiteral("autres"));
    writeFileIn(folder + "autres/b.E41", indexBytes({{1, "b.rtf"}, {11, "Ailleurs"}}));
    Fichexo& c = open();
    ASSERT_EQ(c.titratexo->text(), QStringLiteral("Ici"));

    for (const char* sub : {"vide", "autres"}) {
        SCOPED_TRACE(sub);
        openFolder(QString::fromLatin1(sub));
        EXPECT_EQ(c.File1->path(), folder + sub);
        EXPECT_TRUE(c.fichierexo->text().isEmpty());
        EXPECT_TRUE(c.intratro->isVisible());
        EXPECT_TRUE(c.titratexo->text().isEmpty());
        for (QWidget* w : previewFields())
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_FALSE(c.ouvreur->isEnabled());
        // Neither Enter nor the button's accelerator opens the exercise left behind.
        QTest::keyClick(c.File1, Qt::Key_Return);
        QTest::keyClick(&c, Qt::Key_O, Qt::AltModifier);
        QTest::qWait(20);
        EXPECT_TRUE(opened.empty());
        EXPECT_TRUE(c.isVisible());
        openFolder(QFileInfo(dir.path()).fileName());  // back up
    }
}

TEST_F(Catalogue, opensWithTheButtonADoubleClickOrEnterAndClosesOnlyOnceOpened) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"}}));
    writeFileIn(folder + "b.E41", indexBytes({{1, "b.rtf"}}));
    Fichexo& c = open();

    // A failed opening leaves the catalogue open, its loading panel hidden again.
    QTest::mouseClick(c.ouvreur, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], folder + "a.E41");
    EXPECT_TRUE(loadingShown);
    EXPECT_FALSE(c.Frame2->isVisible());
    EXPECT_TRUE(c.isVisible());

    QTest::keyClick(c.File1, Qt::Key_Return);
    const QPoint second = c.File1->visualItemRect(c.File1->item(1)).center();
    QTest::mouseClick(c.File1->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(c.File1->viewport(), Qt::LeftButton, {}, second);
    QTest::keyClick(&c, Qt::Key_O, Qt::AltModifier);
    // An accelerator presses its button a moment later.
    for (int i = 0; i < 100 && opened.size() < 4; ++i) QTest::qWait(10);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[1], folder + "a.E41");
    EXPECT_EQ(opened[2], folder + "b.E41");
    EXPECT_EQ(opened[3], folder + "b.E41");
    EXPECT_TRUE(c.isVisible());

    openResult = true;
    QTest::keyClick(c.File1, Qt::Key_Enter);
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(c.result(), QDialog::Accepted);
    EXPECT_EQ(exerciseFolder, folder);
}

TEST_F(Catalogue, closingWithoutOpeningGivesTheExerciseFolderBack) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"}}));
    for (bool escape : {false, true}) {
        Fichexo& c = open();
        EXPECT_EQ(exerciseFolder, folder);
        if (escape)
            QTest::keyClick(c.File1, Qt::Key_Escape);
        else
            QTest::mouseClick(c.Image5, Qt::LeftButton);
        EXPECT_FALSE(c.isVisible());
        EXPECT_EQ(c.result(), QDialog::Rejected);
        EXPECT_EQ(exerciseFolder, QStringLiteral("/avant/"));
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(Catalogue, everyControlIsNamedForScreenReadersAndReachedWithTab) {
    writeFileIn(folder + "a.E41", indexBytes({{1, "a.rtf"}, {11, "Titre"}}));
    Fichexo& c = open();
    for (QWidget* w : c.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        const auto* l = qobject_cast<QLabel*>(w);
        const bool named = !w->accessibleName().isEmpty() || (l && !l->text().isEmpty());
        EXPECT_TRUE(named || !w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_EQ(c.ouvreur->toolTip(), QStringLiteral("Ouvrir l'exercice sélectionné"));
    EXPECT_EQ(c.Image5->toolTip(), QStringLiteral("Fermer sans charger d'exercice"));
    EXPECT_EQ(c.Label5->text(), QStringLiteral("Liste des exercices:"));
    EXPECT_EQ(c.Label5->buddy(), c.File1);

    QWidget* order[] = {c.File1,   c.fichierexo, c.Text1,  c.Text2,
                        c.ouvreur, c.Image5,     c.Drive1, c.Dir1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        ASSERT_EQ(QApplication::focusWidget(), order[i]) << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(Catalogue, theTitleStripFadesFromPaleYellowToWhiteFromX30) {
    Fichexo& c = open();
    const QImage strip = c.tito->image();
    const QString title = QStringLiteral("Ouvrir un exercice");
    std::set<int> allowed;
    for (int i = 1; i <= title.size(); ++i) allowed.insert(int(std::lround(i * 100.0 / 18 + 155)));
    std::set<int> blues;
    int left = strip.width();
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QColor p = strip.pixelColor(x, y);
            if (p.red() != 255 || p.green() != 255) continue;
            blues.insert(p.blue());
            left = std::min(left, x);
        }
    EXPECT_GE(left, 30);
    EXPECT_LE(left, 34);
    ASSERT_FALSE(blues.empty());
    EXPECT_EQ(*blues.begin(), 161);  // "O": 1 / 18 × 100 + 155
    EXPECT_EQ(*blues.rbegin(), 255);
    for (int b : blues) EXPECT_TRUE(allowed.count(b)) << b;
}

}  // namespace
}  // namespace ondalis::testing
