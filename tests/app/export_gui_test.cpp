// The copies and exports for Regressi, spreadsheets and Python, through the real main window
// and the scripted dialogs.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "printing/graphexport.h"
#include "recording/tableexport.h"

namespace ondalis::testing {
namespace {

class Export : public MainWindowTest {
protected:
    // x0 = 5 cm, started and ticked until the table holds its 51 rows.
    feuilleP& recorded() {
        feuilleP& w = openAt(QStringLiteral("5"));
        w.command15_Click();
        for (int i = 0; i < 5000 && w.run().rows() < 51; ++i) tick();
        EXPECT_EQ(w.run().rows(), 51);
        return w;
    }
    QAction* entry(const char* name) {
        return window->menucopie->findChild<QAction*>(QLatin1String(name));
    }
    QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Export, theCopyMenuGainsFourEntriesAfterASeparatorEachWithItsHint) {
    feuilleP& w = open();
    const QList<QAction*> actions = w.menucopie->actions();
    ASSERT_EQ(actions.size(), 8);
    const char* const names[] = {"copim",          "copigraph",     "copitab",    "",
                                 "copitabentetes", "copitabpython", "exportetab", "exportegraph"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(actions[i]->objectName(), QLatin1String(names[i]));
    EXPECT_TRUE(actions[3]->isSeparator());
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } entries[] = {
        {"copitabentetes", "Copier le tableau avec les en-têtes (Regressi, tableur)",
         "Le tableau avec le nom et l'unité de chaque colonne, à coller dans Regressi ou un "
         "tableur"},
        {"copitabpython", "Copier le tableau pour Python",
         "Une liste numpy par colonne, à coller dans un carnet Python"},
        {"exportetab", "Exporter le tableau…",
         "Enregistrer le tableau pour un tableur (CSV), Regressi (RW3) ou Python"},
        {"exportegraph", "Exporter le graphe…",
         "Enregistrer le graphe en image PNG, en dessin SVG ou en document PDF"},
    };
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    ASSERT_TRUE(w.menucopie->isVisible());
    // The existing entries have no hint: the status line stays as it was.
    const QString before = w.info->text();
    QTest::mouseMove(w.menucopie, w.menucopie->actionGeometry(entry("copitab")).center());
    EXPECT_EQ(w.info->text(), before);
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name);
        QAction* a = entry(e.name);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        QTest::mouseMove(w.menucopie, w.menucopie->actionGeometry(a).center());
        EXPECT_EQ(w.info->text(), QString::fromUtf8(e.hint));
    }
    w.menucopie->hide();
}

TEST_F(Export, theNewCopiesPutTheHeadedTableAndThePythonArraysOnTheClipboard) {
    feuilleP& w = recorded();
    QClipboard* clipboard = QGuiApplication::clipboard();
    entry("copitabentetes")->trigger();
    EXPECT_EQ(clipboard->text(), headedTableText(w.run().samples()));
    EXPECT_TRUE(clipboard->text().startsWith(QStringLiteral("t (s)\tx (cm)\t")));
    EXPECT_EQ(w.info->text(), w.copyMessage);
    entry("copitabpython")->trigger();
    EXPECT_EQ(clipboard->text(), pythonFragment(recordedExport(w.run().samples())));
    // The existing copy is unchanged: its first line is still seven empty cells.
    entry("copitab")->trigger();
    EXPECT_TRUE(clipboard->text().startsWith(QStringLiteral("\t\t\t\t\t\t\n0\t5\t")));
}

TEST_F(Export, exportingTheTableWritesTheChosenFormatWithTheChosenNumberOfPoints) {
    feuilleP& w = recorded();
    const struct {
        int count;  // index among 51, 101, 201, 501, 1001
        int filter;
        const char* name;  // typed without extension: the format's is added
        TableFormat format;
        const char* file;
    } cases[] = {
        {0, 0, "fr", TableFormat::CsvFrench, "fr.csv"},
        {0, 1, "int.csv", TableFormat::CsvInternational, "int.csv"},
        {0, 2, "regressi", TableFormat::Regressi, "regressi.RW3"},
        {4, 3, "dense", TableFormat::Python, "dense.py"},
        {2, 2, "dense201", TableFormat::Regressi, "dense201.RW3"},
    };
    const OscillatorParameters p = *w.run().parametersInForce();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs.itemAnswers.push_back(c.count);
        dialogs.formatFileAnswers.push_back(
            DialogService::SaveChoice{folder.filePath(QLatin1String(c.name)), c.filter});
        entry("exportetab")->trigger();
        ASSERT_EQ(dialogs.itemRequests.back().items.size(), 5);
        EXPECT_EQ(dialogs.itemRequests.back().title, QStringLiteral("Exporter le tableau"));
        EXPECT_EQ(dialogs.formatFilters.back().size(), 4);
        EXPECT_EQ(dialogs.formatTitles.back(), QStringLiteral("Exporter le tableau"));
        const int points = exportPointCounts[size_t(c.count)];
        ExportTable expected = points == 51
                                   ? recordedExport(w.run().samples())
                                   : denseExport(w.motionConstants(), p, w.duration(), points);
        expected.memo = motionMemo(p, w.motionConstants().regime, w.duration());
        EXPECT_EQ(bytesOf(folder.filePath(QLatin1String(c.file))),
                  tableFileBytes(expected, c.format));
    }
    EXPECT_EQ(w.run().rows(), 51);  // the table itself keeps its rows
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Export, ctrlEAndCtrlShiftEOpenTheExportsAndACancelWritesNothing) {
    feuilleP& w = open();
    dialogs.itemAnswers.push_back(std::nullopt);
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(dialogs.itemRequests.size(), 1u);
    EXPECT_TRUE(dialogs.formatFilters.empty());
    dialogs.itemAnswers.push_back(1);
    dialogs.formatFileAnswers.push_back(std::nullopt);
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    dialogs.formatFileAnswers.push_back(std::nullopt);
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(dialogs.formatFilters.size(), 2u);
    EXPECT_EQ(dialogs.formatFilters.back().size(), 4);
    EXPECT_TRUE(QDir(folder.path())
                    .entryList({QStringLiteral("*.csv"), QStringLiteral("*.png")})
                    .isEmpty());
}

TEST_F(Export, exportingTheGraphWritesThePictureShownOrItsDrawing) {
    feuilleP& w = recorded();
    const struct {
        int filter;
        const char* file;
        GraphFormat format;
    } cases[] = {{0, "graphe.png", GraphFormat::Png},
                 {1, "graphe2.png", GraphFormat::PngDouble},
                 {2, "graphe.svg", GraphFormat::Svg},
                 {3, "graphe.pdf", GraphFormat::Pdf}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs.formatFileAnswers.push_back(
            DialogService::SaveChoice{folder.filePath(QLatin1String(c.file)), c.filter});
        entry("exportegraph")->trigger();
        const QByteArray bytes = bytesOf(folder.filePath(QLatin1String(c.file)));
        ASSERT_FALSE(bytes.isEmpty());
        switch (c.format) {
            case GraphFormat::Png:
                EXPECT_EQ(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32),
                          w.Frame1->image().convertToFormat(QImage::Format_RGB32));
                break;
            case GraphFormat::PngDouble:
                EXPECT_EQ(QImage::fromData(bytes).size(), w.Frame1->image().size() * 2);
                break;
            case GraphFormat::Svg:
                EXPECT_TRUE(bytes.contains("<svg"));
                break;
            case GraphFormat::Pdf:
                EXPECT_TRUE(bytes.startsWith("%PDF"));
                break;
        }
    }
}

TEST_F(Export, aFileThatCannotBeWrittenGivesAFrenchMessageAndLeavesNoHalfWrittenFile) {
    open();
    const QString missingFolder = folder.filePath(QStringLiteral("absent/tableau.csv"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("dossier.csv")));
    const QString aFolder = folder.filePath(QStringLiteral("dossier.csv"));
    for (const QString& path : {missingFolder, aFolder}) {
        SCOPED_TRACE(path.toStdString());
        dialogs.itemAnswers.push_back(0);
        dialogs.formatFileAnswers.push_back(DialogService::SaveChoice{path, 0});
        entry("exportetab")->trigger();
        ASSERT_FALSE(dialogs.messages.empty());
        const auto& m = dialogs.messages.back();
        EXPECT_EQ(m.title, QStringLiteral("Exporter le tableau"));
        EXPECT_TRUE(m.prompt.startsWith(QStringLiteral("Le fichier ") +
                                        QDir::toNativeSeparators(path) +
                                        QStringLiteral(" n'a pas pu être enregistré")));
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
    EXPECT_TRUE(QFileInfo(aFolder).isDir());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".csv").size(), 0);
}

}  // namespace
}  // namespace ondalis::testing
