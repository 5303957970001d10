// The open and save dialogs driven with real clicks and keys, shown without blocking; the
// scripted dialog service answers their questions.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "configfile/configuration.h"
#include "configfile/widgets/enregistrer.h"
#include "configfile/widgets/ouvrir.h"
#include "fake_dialogs.h"
#include "file_bytes.h"
#include "platform/widgets/filebrowser.h"
#include "startup_configuration.h"
#include "unprivileged.h"

namespace ondalis::testing {
namespace {

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir d(dir.path());
        ASSERT_TRUE(d.mkdir("mes.docs"));
        ASSERT_TRUE(d.mkdir("sous"));
        for (const char* name : {"essai.p19", "B.P19", "notes.txt"}) {
            QFile f(d.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(name);
        }
        // The lists start on the process's current folder.
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        owner.setGeometry(100, 80, 400, 300);
        owner.show();
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    // Shows a dialog the way exec() would, without blocking.
    template <typename Dialog>
    void show(Dialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void clickFile(FileList* list, const QString& name, bool twice = false) {
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        const QPoint at = list->visualItemRect(found.first()).center();
        // A double click is a click, then a second press that the system reports as double.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<ouvrir> openDialog() {
        return std::make_unique<ouvrir>(
            dialogs, configurationPath,
            [this] {
                loadedPaths << configurationPath;
                noticeShownWhileLoading = opened && opened->Frame1->isVisible();
                return true;
            },
            &owner);
    }

    std::unique_ptr<enregistrer> saveDialog() {
        return std::make_unique<enregistrer>(
            dialogs, configurationPath, [] { return Configuration{}; }, &owner);
    }

    // The focus chain from `first`, following Tab.
    static QStringList tabOrder(QWidget* first, int count) {
        QStringList names;
        first->setFocus();
        for (int i = 0; i < count; ++i) {
            QWidget* focused = QApplication::focusWidget();
            names << (focused ? focused->objectName() : QStringLiteral("?"));
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        return names;
    }

    static void expectSpokenNames(QWidget& dialog) {
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisible() || w->parentWidget() != &dialog)
                continue;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }

    QString previousFolder = QDir::currentPath();
    QTemporaryDir dir;
    QWidget owner;
    FakeDialogs dialogs;
    QString configurationPath;
    QStringList loadedPaths;
    ouvrir* opened = nullptr;
    bool noticeShownWhileLoading = false;
};

TEST_F(Dialogs, TheOpenDialogHasItsTextsPlaceAndKeyboardOrder) {
    auto d = openDialog();
    show(*d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Ouvrir une configuration"));
    EXPECT_EQ(d->pos(), owner.pos() + QPoint(20, 20));
    EXPECT_EQ(d->Label1->text(), QStringLiteral("Lecteur:"));
    EXPECT_EQ(d->Label2->text(), QStringLiteral("Répertoire"));
    EXPECT_EQ(d->Label3->text(), QStringLiteral("Fichiers"));
    EXPECT_EQ(d->Command1->text(), QStringLiteral("OUVRIR"));
    EXPECT_EQ(d->Command2->text(), QStringLiteral("ANNULER"));
    EXPECT_FALSE(d->Frame1->isVisible());
    EXPECT_EQ(d->Frame1->findChild<QLabel*>("notice")->text(),
              QStringLiteral("Patience: chargement du fichier"));
    EXPECT_EQ(d->File1->fileNames(), QStringList({"B.P19", "essai.p19"}));
    EXPECT_EQ(d->Dir1->path(), dir.path());
    EXPECT_EQ(QApplication::focusWidget(), d->File1);
    expectSpokenNames(*d);
    EXPECT_EQ(tabOrder(d->Drive1, 7), QStringList({"Drive1", "Dir1", "File1", "ficharge",
                                                   "Command1", "Command2", "Drive1"}));
}

TEST_F(Dialogs, TheSaveDialogHasItsTextsPlaceAndKeyboardOrder) {
    configurationPath = dir.filePath("essai.p19");
    auto d = saveDialog();
    show(*d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Enregistrer les paramètres."));
    EXPECT_EQ(d->pos(), owner.pos() + QPoint(20, 20));
    EXPECT_EQ(d->Label1->text(), QStringLiteral("Lecteur:"));
    EXPECT_EQ(d->Label2->text(), QStringLiteral("Répertoire:"));
    EXPECT_EQ(d->Label3->text(), QStringLiteral("Fichiers enregistrés"));
    EXPECT_EQ(d->Label4->text(), QStringLiteral("Nom du fichier:"));
    EXPECT_EQ(d->Command1->text(), QStringLiteral("ENREGISTRER"));
    EXPECT_EQ(d->Command2->text(), QStringLiteral("ANNULER"));
    // The name box starts with the current configuration path, and keeps only the file name
    // once the lists move to another folder.
    EXPECT_EQ(d->Text1->text(), dir.filePath("essai.p19"));
    EXPECT_EQ(QApplication::focusWidget(), d->Text1);
    expectSpokenNames(*d);
    EXPECT_EQ(tabOrder(d->Drive1, 7),
              QStringList({"Drive1", "Dir1", "File1", "Text1", "Command1", "Command2", "Drive1"}));
    d->Dir1->setFocus();
    d->Dir1->setCurrentRow(d->Dir1->count() - 1);  // "sous"
    QTest::keyClick(d->Dir1, Qt::Key_Return);
    EXPECT_EQ(d->File1->path(), dir.filePath("sous"));
    EXPECT_EQ(d->Text1->text(), QStringLiteral("essai.p19"));
}

TEST_F(Dialogs, AFileClickedFillsThePathAndOuvrirLoadsIt) {
    for (bool doubleClick : {false, true}) {
        loadedPaths.clear();
        QDir::setCurrent(QDir::rootPath());
        auto d = openDialog();
        opened = d.get();
        d->browser()->setFolder(dir.path());
        show(*d);
        clickFile(d->File1, "essai.p19", doubleClick);
        EXPECT_EQ(d->ficharge->text(), dir.filePath("essai.p19"));
        EXPECT_EQ(QDir::currentPath(), dir.path());
        if (!doubleClick) QTest::mouseClick(d->Command1, Qt::LeftButton);
        EXPECT_EQ(loadedPaths, QStringList({dir.filePath("essai.p19")}));
        EXPECT_TRUE(noticeShownWhileLoading);
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(Dialogs, OuvrirWithoutAFileDoesNothingOrSaysSo) {
    auto d = openDialog();
    show(*d);
    QTest::keyClicks(d->ficharge, "   ");
    QTest::keyClick(d->ficharge, Qt::Key_Return);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(d->isVisible());

    d->ficharge->clear();
    const QString typed = dir.filePath("absent.P19");
    QTest::keyClicks(d->ficharge, typed);
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt,
              QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("impossible d'ouvrir ce fichier"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->ficharge->text(), typed);
    EXPECT_EQ(configurationPath, typed);
    EXPECT_TRUE(loadedPaths.isEmpty());

    // A name typed in another letter case finds the file.
    d->ficharge->setText(dir.filePath("ESSAI.P19"));
    QTest::keyClick(d->ficharge, Qt::Key_Return);
    EXPECT_EQ(loadedPaths, QStringList({dir.filePath("essai.p19")}));
}

TEST_F(Dialogs, AnnulerAndEscapeCloseWithoutAnything) {
    for (bool escape : {false, true}) {
        configurationPath = QStringLiteral("avant");
        auto d = openDialog();
        show(*d);
        clickFile(d->File1, "B.P19");
        if (escape)
            QTest::keyClick(d->File1, Qt::Key_Escape);
        else
            QTest::mouseClick(d->Command2, Qt::LeftButton);
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(configurationPath, QStringLiteral("avant"));
        EXPECT_TRUE(loadedPaths.isEmpty());
    }
    auto s = saveDialog();
    show(*s);
    QTest::keyClicks(s->Text1, "rien");
    QTest::keyClick(s->Text1, Qt::Key_Escape);
    EXPECT_EQ(s->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(dir.filePath("rien.P19")));
}

TEST_F(Dialogs, TheTypedNameBecomesTheFullPathOfAP19File) {
    const QString lists = dir.filePath("vide");
    ASSERT_TRUE(QDir().mkpath(lists + "/sous"));
    const struct {
        QString typed;
        QString written;
    } cases[] = {
        {"essai", lists + "/essai.P19"},
        {"  essai.txt  ", lists + "/essai.P19"},
        {"essai.P19", lists + "/essai.P19"},
        {"a.b.c", lists + "/a.P19"},
        {"sous/essai", lists + "/sous/essai.P19"},
        {dir.filePath("sous/ressort"), dir.filePath("sous/ressort.P19")},
        {dir.filePath("mes.docs/essai.txt"), dir.filePath("mes.docs/essai.P19")},
    };
    for (const auto& c : cases) {
        QFile::remove(c.written);
        configurationPath.clear();
        auto d = saveDialog();
        d->browser()->setFolder(lists);
        show(*d);
        QTest::keyClicks(d->Text1, c.typed);
        QTest::keyClick(d->Text1, Qt::Key_Return);
        EXPECT_EQ(d->result(), QDialog::Accepted) << c.typed.toStdString();
        EXPECT_EQ(d->Text1->text(), c.written);
        EXPECT_EQ(configurationPath, c.written);
        EXPECT_EQ(fileBytes(c.written), startupConfigurationBytes()) << c.typed.toStdString();
        EXPECT_EQ(QDir::currentPath(), lists);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Dialogs, AnEmptyNameOrNonToTheOverwriteQuestionKeepsTheDialogOpen) {
    auto d = saveDialog();
    show(*d);
    // Blanks, or nothing but an extension (which would give a hidden ".P19"), name no file.
    const auto listing = [&] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    };
    const QStringList entries = listing();
    for (const char* typed : {"   ", ".txt", "  .P19 ", "sous/.txt", "sous/"}) {
        SCOPED_TRACE(typed);
        dialogs.messages.clear();
        d->Text1->clear();
        QTest::keyClicks(d->Text1, typed);
        QTest::mouseClick(d->Command1, Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("Il faut donner un nom au fichier!"));
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Enregistrement impossible"));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(QFile::exists(dir.filePath("sous/.P19")));
    }
    EXPECT_EQ(listing(), entries);
    EXPECT_TRUE(configurationPath.isEmpty());
    dialogs.messages.clear();
    d->Text1->clear();

    // "essai" names the listed "essai.p19": the question comes, "Non" keeps the old file.
    dialogs.messageAnswers = {MessageResult::No};
    QTest::keyClicks(d->Text1, "essai");
    QTest::keyClick(d->Text1, Qt::Key_Return);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("Ecraser le fichier existant?"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Ce fichier existe déjà!"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->Text1->text(), dir.filePath("essai.p19"));
    EXPECT_EQ(fileBytes(dir.filePath("essai.p19")), QByteArray("essai.p19"));
    EXPECT_FALSE(QFile::exists(dir.filePath("essai.P19")));
    EXPECT_TRUE(d->cursor().shape() != Qt::WaitCursor);

    // A double click on the file answered "Oui" writes over it.
    dialogs.messageAnswers = {MessageResult::Yes};
    clickFile(d->File1, "essai.p19", true);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(fileBytes(dir.filePath("essai.p19")), startupConfigurationBytes());
}

TEST_F(Dialogs, AFolderThatCannotBeWrittenGivesTheMessageAndKeepsTheOldFile) {
    const QString folder = dir.filePath("sous");
    QFile old(folder + "/essai.P19");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("ancien");
    old.close();
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly));
    configurationPath = QStringLiteral("avant");
    {
        WithoutPrivileges nobody;
        ASSERT_TRUE(nobody.effective());
        auto d = saveDialog();
        ASSERT_TRUE(d->browser()->setFolder(folder));
        show(*d);
        for (const char* name : {"nouveau", "essai"}) {
            dialogs.messageAnswers = {MessageResult::Yes};
            d->Text1->setText(QString::fromLatin1(name));
            QTest::keyClick(d->Text1, Qt::Key_Return);
            EXPECT_EQ(dialogs.messages.back().prompt,
                      QStringLiteral("Ecriture impossible sur disque"));
            EXPECT_EQ(dialogs.messages.back().title, QStringLiteral("Enregistrement impossible"));
            EXPECT_TRUE(d->isVisible());
        }
        ASSERT_EQ(dialogs.messages.size(), 3u);  // two failures and the overwrite question
        EXPECT_EQ(dialogs.messages[1].prompt, QStringLiteral("Ecraser le fichier existant?"));
    }
    QFile::setPermissions(folder, readOnly | QFileDevice::WriteOwner);
    EXPECT_EQ(fileBytes(folder + "/essai.P19"), QByteArray("ancien"));
    EXPECT_FALSE(QFile::exists(folder + "/nouveau.P19"));
}

}  // namespace
}  // namespace ondalis::testing
