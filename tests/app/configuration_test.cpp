// Configuration files through the real main window: saving and reopening with the dialogs,
// bad files that must change nothing, failed saves, and the platform's dialogs in French.
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/translations.h"
#include "configfile/configuration.h"
#include "configfile/widgets/enregistrer.h"
#include "configfile/widgets/ouvrir.h"
#include "file_bytes.h"
#include "mainwindow_fixture.h"
#include "modal.h"
#include "platform/canvas/palette.h"
#include "platform/core/recordfile.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/filebrowser.h"
#include "recording/widgets/recordingpanel.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"
#include "startup_configuration.h"
#include "unprivileged.h"

namespace ondalis::testing {
namespace {

// Everything a configuration restores, as the window shows it.
struct WindowSnapshot {
    Configuration configuration;
    QString caption;
    QImage scene;
    QImage graph;
    friend bool operator==(const WindowSnapshot&, const WindowSnapshot&) = default;
};

WindowSnapshot snapshot(const feuilleP& w) {
    return {w.configuration(), w.windowTitle(), w.Picture2->image(), w.Frame1->image()};
}

// A configuration in which every record that holds a value differs from a fresh window's.
Configuration everythingChanged() {
    Configuration c;
    c.parameters = {QStringLiteral("0,2"), QStringLiteral("250"), QStringLiteral("35,5"),
                    QStringLiteral("1,25")};
    c.durationIndex = 7;
    c.velocityScale = 40;
    c.forceScale = 25;
    c.axisShown = false;
    c.boldTrace = true;
    c.velocityShown = true;
    c.rulerShown = false;
    c.forcesShown = true;
    c.slowMotion = true;
    c.quantity = 2;
    for (int i = 0; i < ConfigurationColors; ++i) c.colors[i] = 0x102030 + 0x030201 * i;
    return c;
}

class ConfigurationFiles : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        QDir::setCurrent(previousFolder);
    }

    // Sets every control as a user would, then brings the motion back to its start.
    static void setControls(feuilleP& w, const Configuration& c) {
        for (int i = 0; i < 4; ++i) {
            w.Text5(i)->setText(c.parameters[i]);
            w.Text5_LostFocus(i);
        }
        w.Picture6->setDurationIndex(c.durationIndex);
        w.Frame2->VScroll1()->setValue(c.velocityScale);
        w.Frame2->VScroll3()->setValue(c.forceScale);
        w.Picture1->Check1()->setChecked(c.axisShown);
        w.Picture1->Check3()->setChecked(c.boldTrace);
        w.Frame2->Check5()->setChecked(c.velocityShown);
        w.Picture1->Check6()->setChecked(c.rulerShown);
        w.Frame2->Check12()->setChecked(c.forcesShown);
        w.Picture1->speed()->setChecked(c.slowMotion);
        w.Picture1->setQuantity(c.quantity);
        for (int i = 0; i < ConfigurationColors; ++i)
            w.Label4(i)->setColor(fromColorValue(c.colors[i]));
        w.Command18_Click();
    }

    // Saves through Ctrl+S and the save dialog under `name`.
    void saveAs(feuilleP& w, const QString& name) {
        OnModal<enregistrer> save([&](enregistrer& d) {
            d.Text1->clear();
            QTest::keyClicks(d.Text1, name);
            QTest::keyClick(d.Text1, Qt::Key_Return);
        });
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &w, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(save.seen());
    }

    QString previousFolder = QDir::currentPath();
};

TEST_F(ConfigurationFiles, savingTheStartUpConfigurationWritesTheKnownBytes) {
    feuilleP& w = open();
    saveAs(w, QStringLiteral("essai"));
    const QString path = folder.filePath("essai.P19");
    EXPECT_EQ(fileBytes(path), startupConfigurationBytes());
    EXPECT_EQ(w.configurationPath, path);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis - ") + path);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConfigurationFiles, theButtonsTheirAcceleratorsAndCtrlKeysOpenTheDialogs) {
    feuilleP& w = open();
    const WindowSnapshot before = snapshot(w);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool save;
    } keys[] = {{Qt::Key_O, Qt::AltModifier, false},
                {Qt::Key_O, Qt::ControlModifier, false},
                {Qt::Key_E, Qt::AltModifier, true},
                {Qt::Key_S, Qt::ControlModifier, true}};
    for (const auto& k : keys) {
        QString title;
        OnModal<BrowserDialog> dialog([&](BrowserDialog& d) {
            title = d.windowTitle();
            EXPECT_EQ(d.pos(), w.pos() + QPoint(20, 20));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, k.key, k.modifiers);
        // An accelerator presses its button a moment later.
        for (int i = 0; i < 100 && !dialog.seen(); ++i) QTest::qWait(10);
        EXPECT_TRUE(dialog.seen());
        EXPECT_EQ(title, k.save ? QStringLiteral("Enregistrer les paramètres.")
                                : QStringLiteral("Ouvrir une configuration"));
    }
    OnModal<ouvrir> open([](ouvrir& d) { QTest::mouseClick(d.Command2, Qt::LeftButton); });
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_TRUE(open.seen());
    EXPECT_EQ(snapshot(w), before);
    EXPECT_TRUE(w.configurationPath.isEmpty());

    // Ctrl+S from a parameter field validates the field before the configuration is taken.
    w.Text5(FrictionField)->setFocus();
    w.Text5(FrictionField)->clear();
    QTest::keyClicks(w.Text5(FrictionField), "3.14159");
    saveAs(w, QStringLiteral("frottement"));
    EXPECT_EQ(w.Text5(FrictionField)->text(), QStringLiteral("3,14"));
    EXPECT_EQ(RecordFile::readOne(folder.filePath("frottement.P19"), 5), QStringLiteral("3,14"));
}

TEST_F(ConfigurationFiles, aSavedSituationReopensAsTheSameWindowAnotherDay) {
    const QString path = folder.filePath("seance.P19");
    WindowSnapshot saved;
    {
        feuilleP& teacher = open();
        setControls(teacher, everythingChanged());
        saveAs(teacher, QStringLiteral("seance.txt"));
        saved = snapshot(teacher);
        EXPECT_EQ(saved.configuration, everythingChanged());
        EXPECT_EQ(saved.caption, QStringLiteral("Ondalis - ") + path);
        dialogs.messageAnswers.assign(2, MessageResult::Ok);
        teacher.close();
        window.reset();
        dialogs.messages.clear();
    }
    // Every record that holds a value differs from the start-up file's.
    const QByteArray bytes = fileBytes(path);
    const QByteArray fresh = startupConfigurationBytes();
    for (int r = 2; r <= 29; ++r) {
        if (r == 9 || r == 11 || r == 13 || r == 16) continue;
        EXPECT_NE(RecordFile::recordText(bytes, r), RecordFile::recordText(fresh, r)) << r;
    }

    QDir::setCurrent(QDir::rootPath());
    feuilleP& pupil = open();
    EXPECT_NE(snapshot(pupil), saved);
    OnModal<ouvrir> reopen([&](ouvrir& d) {
        d.browser()->setFolder(folder.path());
        const auto item = d.File1->findItems("seance.P19", Qt::MatchExactly);
        ASSERT_EQ(item.size(), 1);
        QTest::mouseClick(d.File1->viewport(), Qt::LeftButton, {},
                          d.File1->visualItemRect(item.first()).center());
        EXPECT_EQ(d.ficharge->text(), path);
        QTest::mouseClick(d.Command1, Qt::LeftButton);
    });
    QTest::keyClick(&pupil, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(reopen.seen());
    const WindowSnapshot loaded = snapshot(pupil);
    EXPECT_EQ(loaded.configuration, saved.configuration);
    EXPECT_EQ(pupil.Text5(PositionField)->text(), QStringLiteral("0,2"));
    EXPECT_EQ(loaded.caption, saved.caption);
    EXPECT_EQ(pupil.configurationPath, path);
    EXPECT_TRUE(loaded.scene == saved.scene);
    EXPECT_FALSE(pupil.isRunning());
    EXPECT_EQ(pupil.currentSample().t, 0.0);
    EXPECT_EQ(pupil.duration(), 60.0f);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ConfigurationFiles, aBadFileChangesNothingAndSaysWhy) {
    feuilleP& w = open();
    // Every record of the file would change the window, so that a half load would show.
    const QByteArray good = *configurationFileBytes(everythingChanged());
    auto damaged = [&good](int record, const QString& text) {
        QByteArray bytes = good;
        RecordFile::putRecord(bytes, record, text);
        return bytes;
    };
    QByteArray random(3000, '\0');
    quint32 seed = 7;
    for (char& b : random) b = char((seed = seed * 1664525u + 1013904223u) >> 24);
    const QString notValid = QStringLiteral("Ce fichier ne correspond pas à cette application");
    const QString unreadable = QStringLiteral("Lecture impossible sur disque");
    const struct {
        const char* what;
        QByteArray bytes;
        QString prompt;
    } cases[] = {
        {"no signature", damaged(1, "Ondalis"), notValid},
        {"empty file", {}, notValid},
        {"random bytes", random, notValid},
        {"one record", good.left(128), unreadable},
        {"ends before record 29", good.left(27 * 128), unreadable},
        {"velocity scale out of range", damaged(7, " 95"), unreadable},
        {"force scale out of range", damaged(8, "-60"), unreadable},
        {"quantity out of range", damaged(19, " 4"), unreadable},
        {"duration index out of range", damaged(6, " 11"), unreadable},
        {"last colour out of range", damaged(29, " 99999999"), unreadable},
    };
    const QString path = folder.filePath("mauvais.P19");
    for (const auto& c : cases) {
        dialogs.messages.clear();
        writeFileBytes(path, c.bytes);
        const WindowSnapshot before = snapshot(w);
        w.configurationPath = path;
        EXPECT_FALSE(w.chargeconfig()) << c.what;
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.messages[0].prompt, c.prompt) << c.what;
        EXPECT_EQ(dialogs.messages[0].title, c.prompt == notValid
                                                 ? QStringLiteral("Fichier non valide")
                                                 : QStringLiteral("Erreur lors du chargement du "
                                                                  "fichier"))
            << c.what;
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(snapshot(w) == before) << c.what;
    }

    // A file that cannot be read: a folder by that name, or a file its user may not read.
    ASSERT_TRUE(QDir(folder.path()).mkdir("dossier.P19"));
    writeFileBytes(path, good);
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                             QFileDevice::ExeOther);
    for (const QString& unread : {folder.filePath("dossier.P19"), path}) {
        dialogs.messages.clear();
        const WindowSnapshot before = snapshot(w);
        w.configurationPath = unread;
        {
            WithoutPrivileges nobody;
            ASSERT_TRUE(nobody.effective());
            EXPECT_FALSE(w.chargeconfig());
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, unreadable);
        EXPECT_TRUE(snapshot(w) == before);
    }

    // Through the open dialog, which closes after the message in every case.
    writeFileBytes(path, damaged(19, " 7"));
    dialogs.messages.clear();
    OnModal<ouvrir> bad([&](ouvrir& d) {
        d.ficharge->setText(path);
        QTest::keyClick(d.ficharge, Qt::Key_Return);
    });
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_TRUE(bad.seen());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, unreadable);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis"));
}

TEST_F(ConfigurationFiles, loadedParametersGoThroughTheFieldValidation) {
    feuilleP& w = open();
    Configuration c;
    c.parameters = {QStringLiteral("25"), QStringLiteral("0"), QStringLiteral("abc"),
                    QStringLiteral("-3")};
    const QString path = folder.filePath("limites.P19");
    ASSERT_TRUE(writeConfigurationFile(path, c));
    w.configurationPath = path;
    EXPECT_TRUE(w.chargeconfig());
    EXPECT_EQ(w.Text5(0)->text(), QStringLiteral("10"));
    EXPECT_EQ(w.Text5(1)->text(), QStringLiteral("10"));
    EXPECT_EQ(w.Text5(2)->text(), QStringLiteral("1"));
    EXPECT_EQ(w.Text5(3)->text(), QStringLiteral("0"));
    EXPECT_EQ(w.parameters().m, 10.0f);
    EXPECT_EQ(w.motionConstants().regime, Regime::Undamped);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis - ") + path);
}

TEST_F(ConfigurationFiles, aFailedSaveKeepsTheOldFileTheCaptionAndTheDialog) {
    feuilleP& w = open();
    const QString locked = folder.filePath("verrou");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString path = locked + "/essai.P19";
    const QByteArray old = *configurationFileBytes(everythingChanged()) + QByteArray("suite");
    writeFileBytes(path, old);
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(folder.path(), readOnly | QFileDevice::WriteOwner);
    QFile::setPermissions(locked, readOnly);
    dialogs.messageAnswers = {MessageResult::Yes};
    bool stayedOpen = false;
    {
        WithoutPrivileges nobody;
        ASSERT_TRUE(nobody.effective());
        OnModal<enregistrer> save([&](enregistrer& d) {
            QTest::keyClicks(d.Text1, path);
            QTest::keyClick(d.Text1, Qt::Key_Return);
            stayedOpen = d.isVisible();
            QTest::mouseClick(d.Command2, Qt::LeftButton);
        });
        QTest::mouseClick(w.Command11, Qt::LeftButton);
        EXPECT_TRUE(save.seen());
    }
    QFile::setPermissions(locked, readOnly | QFileDevice::WriteOwner);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, QStringLiteral("Ecriture impossible sur disque"));
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis"));
}

TEST(FrenchTranslations, thePlatformDialogsAndButtonsSpeakFrench) {
    ASSERT_TRUE(installFrenchTranslations(*QCoreApplication::instance()));
    QColorDialog colors;
    auto* colorButtons = colors.findChild<QDialogButtonBox*>();
    ASSERT_NE(colorButtons, nullptr);
    EXPECT_EQ(colorButtons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(colors.windowTitle(), QStringLiteral("Sélectionner une couleur"));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto* fileButtons = files.findChild<QDialogButtonBox*>();
    ASSERT_NE(fileButtons, nullptr);
    EXPECT_EQ(fileButtons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
}

}  // namespace
}  // namespace ondalis::testing
