// Every dialog the program can open, shown for real with the program's translations: none
// may show a word of Qt's that its French catalogue leaves in English.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>

#include "app/translations.h"
#include "configfile/widgets/enregistrer.h"
#include "configfile/widgets/ouvrir.h"
#include "exercises/widgets/exercisemenu.h"
#include "file_bytes.h"
#include "mainwindow/widgets/tabstrip.h"
#include "mainwindow_fixture.h"
#include "modal.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "platform/services/printersetupform.h"
#include "platform/widgets/colorswatch.h"
#include "printing/confimp.h"

namespace ondalis::testing {
namespace {

// Texts of Qt's dialogs that its French catalogue has been seen to leave in English, and the
// words of its dialogs most likely to be left so by a later catalogue.
const char* const englishWords[] = {
    // The file dialogs and their file list.
    "Folder", "Drive", "File", "Shortcut", "Unknown", "Look in", "File name", "Files of type",
    "Open", "Save", "Cancel", "Back", "Forward", "Parent Directory", "Create New Folder",
    "New Folder", "List View", "Detail View", "Name", "Size", "Date Modified", "Rename", "Delete",
    "Show hidden files", "Computer", "My Computer", "Recent Places", "All Files", "Directory",
    "Directories",
    // The colour dialog.
    "Select Color", "Basic colors", "Custom colors", "Add to Custom Colors", "Pick Screen Color",
    "Hue", "Sat", "Val", "Red", "Green", "Blue", "Alpha channel", "Cursor at",
    // The printer set-up and its properties.
    "Double Sided Printing", "Off", "Long side binding", "Short side binding", "Printer Properties",
    "Advanced", "Printer", "Properties", "Copies", "Paper", "Landscape", "Color", "Grayscale",
    "Print", "Collate", "Reverse", "Pages per sheet", "Margins", "Print to File",
    // Message boxes and buttons.
    "Yes", "No", "Apply", "Close", "Help", "Abort", "Retry", "Ignore", "Discard", "Show Details",
    "Hide Details", "Yes to All", "No to All", "Restore Defaults", "Reset",
    // Edit fields.
    "Undo", "Redo", "Cut", "Copy", "Paste", "Select All"};

// What a window shows and what it gives a screen reader: its title, the texts, tips and names
// of its visible controls, the items of its lists and the headers of their columns.
QStringList textsOf(QWidget* window) {
    QStringList texts{window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window) && w != window) continue;
        texts << w->toolTip() << w->statusTip() << w->whatsThis() << w->accessibleName()
              << w->accessibleDescription();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* e = qobject_cast<QLineEdit*>(w)) texts << e->placeholderText();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) texts << t->tabText(i) << t->tabToolTip(i);
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int c = 0; c < m->columnCount(v->rootIndex()); ++c) {
                texts << m->headerData(c, Qt::Horizontal).toString();
                for (int r = 0; r < m->rowCount(v->rootIndex()); ++r) {
                    const QModelIndex i = m->index(r, c, v->rootIndex());
                    texts << i.data().toString() << i.data(Qt::ToolTipRole).toString();
                }
            }
        }
        for (QAction* a : w->actions()) texts << a->text() << a->toolTip() << a->statusTip();
    }
    for (QAction* a : window->findChildren<QAction*>()) texts << a->text() << a->toolTip();
    texts.replaceInStrings(QStringLiteral("&"), QString());
    texts.removeAll(QString());
    return texts;
}

// The English words found in `texts`, each with the text it was found in.
QStringList englishIn(const QStringList& texts) {
    QStringList found;
    for (const char* word : englishWords) {
        const QRegularExpression pattern(
            QStringLiteral("(^|[^\\p{L}])%1($|[^\\p{L}])")
                .arg(QRegularExpression::escape(QString::fromUtf8(word))));
        for (const QString& text : texts)
            if (pattern.match(text).hasMatch())
                found << QStringLiteral("%1 (in « %2 »)").arg(QString::fromUtf8(word), text);
    }
    return found;
}

// The real dialogs, in French, over the real window; each dialog that comes up is read, then
// closed.
class FrenchDialogs : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        static const bool installed = installFrenchTranslations(*qApp);
        ASSERT_TRUE(installed);
        ASSERT_TRUE(files.isValid());
        ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("Exercices")));
        writeFileBytes(files.filePath(QStringLiteral("texte.rtf")), "{\\rtf1 texte}");
        writeFileBytes(files.filePath(QStringLiteral("page.pdf")), "%PDF-1.4");
        pdf.qtPrinter()->setOutputFormat(QPrinter::PdfFormat);
        printerInUse = &pdf;
        feuilleP& w = open();
        real.setParent(&w);
        dialogs.forward = &real;
    }
    void TearDown() override {
        dialogs.forward = nullptr;
        MainWindowTest::TearDown();
    }

    // Reads the window, then lets `next` close it (or go further).
    template <typename Window>
    std::unique_ptr<OnModal<Window>> read(const char* name,
                                          std::function<void(Window&)> next = {}) {
        return std::make_unique<OnModal<Window>>([this, name, next](Window& window) {
            const QStringList english = englishIn(textsOf(&window));
            EXPECT_TRUE(english.isEmpty())
                << name << ": " << english.join(QStringLiteral(", ")).toStdString();
            ++read_;
            if (next)
                next(window);
            else
                window.reject();
        });
    }

    QTemporaryDir files;
    QtDialogService real;
    QtPrinterService pdf{dialogs};
    int read_ = 0;
};

// Shows the folder of test files in detail and waits for its list.
void showFolder(QFileDialog& d, const QString& folder) {
    d.setViewMode(QFileDialog::Detail);
    d.setDirectory(folder);
    auto* view = d.findChild<QAbstractItemView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    // The folder's type is known once the list has loaded it.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QAbstractItemModel* m = view->model();
        for (int r = 0; r < m->rowCount(view->rootIndex()); ++r)
            if (m->index(r, 0, view->rootIndex()).data().toString() == QLatin1String("Exercices"))
                return !m->index(r, 2, view->rootIndex()).data().toString().isEmpty();
        return false;
    }));
    // The program's own catalogue names it.
    const QModelIndex folderType = view->model()
                                       ->match(view->model()->index(0, 0, view->rootIndex()),
                                               Qt::DisplayRole, QStringLiteral("Exercices"))
                                       .value(0)
                                       .siblingAtColumn(2);
    EXPECT_EQ(folderType.data().toString(), QStringLiteral("Dossier"));
}

TEST_F(FrenchDialogs, theFileDialogsSpeakFrench) {
    auto opening = read<QFileDialog>("Retrouver un texte", [&](QFileDialog& d) {
        showFolder(d, files.path());
        const QStringList english = englishIn(textsOf(&d));
        EXPECT_TRUE(english.isEmpty()) << english.join(QStringLiteral(", ")).toStdString();
        d.reject();
    });
    window->optionexo->opentexte->trigger();
    auto saving = read<QFileDialog>("Enregistrer le texte", [&](QFileDialog& d) {
        showFolder(d, files.path());
        const QStringList english = englishIn(textsOf(&d));
        EXPECT_TRUE(english.isEmpty()) << english.join(QStringLiteral(", ")).toStdString();
        d.reject();
    });
    window->optionexo->savetexte->trigger();
    EXPECT_EQ(read_, 2);
}

TEST_F(FrenchDialogs, theExportDialogsSpeakFrenchAndOfferTheFormatsAndNumbersOfPoints) {
    auto points = read<QInputDialog>("Exporter le tableau", [](QInputDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Exporter le tableau"));
        EXPECT_EQ(d.labelText(), QStringLiteral("Nombre de points :"));
        EXPECT_EQ(d.comboBoxItems().size(), 5);
        d.setTextValue(d.comboBoxItems().last());
        d.accept();
    });
    auto saving = read<QFileDialog>("Exporter le tableau : fichier", [&](QFileDialog& d) {
        showFolder(d, files.path());
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Exporter le tableau"));
        EXPECT_EQ(d.nameFilters().size(), 4);
        EXPECT_EQ(d.selectedNameFilter(),
                  QStringLiteral("CSV pour un tableur en français (;) (*.csv)"));
        const QStringList english = englishIn(textsOf(&d));
        EXPECT_TRUE(english.isEmpty()) << english.join(QStringLiteral(", ")).toStdString();
        d.reject();
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(read_, 2);
}

TEST_F(FrenchDialogs, theColourDialogSpeaksFrench) {
    window->Onglets->selectTab(2);
    auto colour = read<QColorDialog>("Couleur");
    QTest::mouseClick(window->Label4(0), Qt::LeftButton);
    EXPECT_EQ(read_, 1);
}

TEST_F(FrenchDialogs, thePrintDialogItsPrinterSetUpAndThePdfFileNameSpeakFrench) {
    auto properties = read<proprietes>("Propriétés");
    auto setUp = read<confimprimante>("Configuration de l'impression", [](confimprimante& d) {
        QTest::mouseClick(d.Command1, Qt::LeftButton);
        d.reject();
    });
    auto pdfName = read<QFileDialog>("Fichier PDF", [&](QFileDialog& d) {
        showFolder(d, files.path());
        const QStringList english = englishIn(textsOf(&d));
        EXPECT_TRUE(english.isEmpty()) << english.join(QStringLiteral(", ")).toStdString();
        d.reject();
    });
    auto print = read<confimp>("Imprimer", [](confimp& d) {
        QTest::mouseClick(d.Command2, Qt::LeftButton);
        QTest::mouseClick(d.Command1, Qt::LeftButton);  // a PDF file's name, declined
        QTest::mouseClick(d.Command3, Qt::LeftButton);
    });
    QTest::mouseClick(window->Command10, Qt::LeftButton);
    EXPECT_EQ(read_, 4);
}

TEST_F(FrenchDialogs, theMessageBoxesAndTheConfigurationDialogsSpeakFrench) {
    // The three kinds of question, with their icons.
    auto quit = read<QMessageBox>("Quitter", [](QMessageBox& box) { box.escapeButton()->click(); });
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    auto error = read<QMessageBox>("Erreur");
    real.message(QStringLiteral("Erreur de lecture."), QStringLiteral("Ouvrir"), MessageIcon::Error,
                 MessageButtons::Ok);
    auto overwrite = read<QMessageBox>("Remplacer");
    real.message(QStringLiteral("Le fichier existe déjà.\nVoulez-vous le remplacer ?"),
                 QStringLiteral("Imprimer"), MessageIcon::Question, MessageButtons::YesNo);
    auto opening = read<ouvrir>("Ouvrir");
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    auto saving = read<enregistrer>("Enregistrer");
    QTest::mouseClick(window->Command11, Qt::LeftButton);
    EXPECT_EQ(read_, 5);
}

}  // namespace
}  // namespace ondalis::testing
