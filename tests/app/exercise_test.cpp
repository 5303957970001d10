#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "configfile/configuration.h"
#include "exercise_files.h"
#include "exercise_menu.h"
#include "exercises/exerciseindex.h"
#include "exercises/widgets/fichexo.h"
#include "exercises/widgets/intro.h"
#include "mainwindow_fixture.h"
#include "modal.h"
#include "platform/core/filepaths.h"
#include "platform/widgets/filebrowser.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

using exercises::Fichexo;

class Exercises : public MainWindowTest {
protected:
    QString programFolder() const { return withTrailingSeparator(folder.path()); }

    void writeExercise(const QString& name, const std::map<int, QString>& records) {
        writeFileIn(programFolder() + name, indexBytes(records));
    }
    void writeStatement(const QString& name, const QString& text) {
        writeFileIn(programFolder() + name, rtfText(text));
    }
    void writeConfiguration(const QString& name, const std::array<QString, 4>& parameters) {
        Configuration c;
        c.parameters = parameters;
        c.quantity = 3;
        QDir().mkpath(QFileInfo(programFolder() + name).absolutePath());
        ASSERT_TRUE(writeConfigurationFile(programFolder() + name, c));
    }

    // A corrected exercise whose stored names use "\" and another letter case than the files.
    void writeCorrectedExercise() {
        writeExercise("periode.E41", {{1, "Textes\\enonce.RTF"},
                                      {2, "textes\\Depart.p19"},
                                      {3, "TEXTES\\correction.rtf"},
                                      {4, "Textes\\Correction.P19"},
                                      {5, "2"},
                                      {11, "La période"}});
        writeStatement("Textes/Enonce.rtf", "Enonce de la periode");
        writeConfiguration("Textes/Depart.P19", {"5", "100", "10", "0"});
        writeStatement("Textes/Correction.rtf", "Correction de la periode");
        writeConfiguration("Textes/Correction.P19", {"-3", "400", "10", "0,5"});
    }

    Snapshot snapshot() const { return snapshotOf(*window); }

    // "Ouvrir un exercice (énoncé + configuration)", then in the catalogue a click on `file`
    // and on the open button. Returns whether the catalogue was still open after that (it is
    // then closed with its close button).
    bool openFromCatalogue(const QString& file) {
        bool stayedOpen = false;
        OnModal<Fichexo> catalogue([&](Fichexo& c) {
            const auto found = c.File1->findItems(file, Qt::MatchExactly);
            if (found.size() != 1) {
                ADD_FAILURE() << "not listed: " << file.toStdString();
                c.reject();
                return;
            }
            QTest::mouseClick(c.File1->viewport(), Qt::LeftButton, {},
                              c.File1->visualItemRect(found.first()).center());
            EXPECT_EQ(c.fichierexo->text(), QDir(c.File1->path()).filePath(file));
            QTest::mouseClick(c.ouvreur, Qt::LeftButton);
            stayedOpen = c.isVisible();
            if (stayedOpen) QTest::mouseClick(c.Image5, Qt::LeftButton);
        });
        chooseExerciseEntry(*window, window->optionexo->openexo);
        EXPECT_TRUE(catalogue.seen());
        return stayedOpen;
    }

    bool correctionOffered() { return exerciseEntryEnabled(*window, window->optionexo->opencor); }
    bool closeOffered() { return exerciseEntryEnabled(*window, window->optionexo->Closexo); }
};

TEST_F(Exercises, aCorrectedExerciseOpensWithItsConfigurationThenShowsItsCorrection) {
    writeCorrectedExercise();
    feuilleP& w = open();

    EXPECT_FALSE(openFromCatalogue("periode.E41"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Enonce de la periode"));
    EXPECT_FALSE(w.supertext->isReadOnly());
    EXPECT_EQ(w.fich->text(), programFolder() + "periode.E41");
    EXPECT_EQ(w.exerciseFolder, programFolder());
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("5"));
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("100"));
    EXPECT_EQ(w.configurationPath, programFolder() + "Textes/Depart.P19");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis - ") + w.configurationPath);
    EXPECT_TRUE(w.correctionAvailable);
    EXPECT_FALSE(w.textModified);
    EXPECT_TRUE(correctionOffered());
    EXPECT_TRUE(closeOffered());

    // The pupil types an answer: the correction asks first, and Cancel keeps everything.
    w.supertext->setFocus();
    QTest::keyClicks(w.supertext, QStringLiteral("T = "));
    EXPECT_TRUE(w.textModified);
    const Snapshot typed = snapshot();
    dialogs.messageAnswers = {MessageResult::Cancel};
    chooseExerciseEntry(w, w.optionexo->opencor);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(snapshot(), typed);

    // OK: the correction's text, read-only, and its configuration.
    dialogs.messageAnswers = {MessageResult::Ok};
    chooseExerciseEntry(w, w.optionexo->opencor);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Correction de la periode"));
    EXPECT_TRUE(w.supertext->isReadOnly());
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("400"));
    EXPECT_EQ(w.Text5(FrictionField)->text(), QStringLiteral("0,5"));
    EXPECT_EQ(w.fich->text(), programFolder() + "periode.E41");
    EXPECT_FALSE(w.textModified);
    QTest::keyClicks(w.supertext, QStringLiteral("xyz"));
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Correction de la periode"));
    EXPECT_FALSE(w.textModified);
    EXPECT_TRUE(correctionOffered());
    EXPECT_TRUE(closeOffered());
}

TEST_F(Exercises, anExerciseWithoutConfigurationOrCorrectionKeepsTheParameters) {
    writeExercise("libre.E41", {{1, "libre.rtf"}, {3, "  "}, {11, "Libre"}});
    writeStatement("libre.rtf", "Exploration libre");
    feuilleP& w = open();
    w.Text5(MassField)->setText(QStringLiteral("250"));
    w.correctionAvailable = true;

    EXPECT_FALSE(openFromCatalogue("libre.E41"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Exploration libre"));
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("250"));
    EXPECT_TRUE(w.configurationPath.isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis"));
    EXPECT_FALSE(w.correctionAvailable);
    EXPECT_FALSE(correctionOffered());
}

TEST_F(Exercises, aFailedOpeningChangesNothingAndLeavesTheCatalogueOpen) {
    writeStatement("enonce.rtf", "Enonce");
    writeConfiguration("depart.P19", {"5", "100", "10", "0"});
    writeFileIn(programFolder() + "autre.P19", "pas une configuration");
    QByteArray damaged = indexBytes({{1, "enonce.rtf"}});
    damaged[0] = char(127);
    writeFileIn(programFolder() + "abime.E41", damaged);
    writeExercise("sans-enonce.E41", {{1, "Textes\\absent.rtf"}, {2, "depart.P19"}});
    writeExercise("sans-config.E41", {{1, "enonce.rtf"}, {2, "absente.P19"}});
    writeExercise("mauvaise-config.E41", {{1, "enonce.rtf"}, {2, "AUTRE.p19"}});
    writeExercise("deux-config.E41", {{1, "enonce.rtf"}, {2, "double.p19"}});
    writeFileIn(programFolder() + "notes.rtf", "Un texte sans mise en forme");
    writeExercise("pas-rtf.E41", {{1, "notes.rtf"}});
    writeConfiguration("Double.P19", {"1", "100", "10", "0"});
    writeConfiguration("DOUBLE.P19", {"2", "100", "10", "0"});
    open();

    struct Case {
        const char* file;
        const char* title;
        QString prompt;
    };
    const QString missing = QStringLiteral("Le fichier ") + programFolder();
    const Case cases[] = {
        {"abime.E41", "Lecture impossible",
         QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.")},
        {"sans-enonce.E41", "Fichier absent", missing + "Textes/absent.rtf est introuvable"},
        {"sans-config.E41", "Fichier absent", missing + "absente.P19 est introuvable"},
        {"deux-config.E41", "Fichier absent", missing + "double.p19 est introuvable"},
        {"pas-rtf.E41", "Fichier illisible",
         missing + "notes.rtf n'est pas un texte au format RTF : il ne peut pas être lu"},
        {"mauvaise-config.E41", "Fichier non valide",
         QStringLiteral("Ce fichier ne correspond pas à cette application")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs.messages.clear();
        const Snapshot before = snapshot();
        EXPECT_TRUE(openFromCatalogue(QString::fromUtf8(c.file)));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(dialogs.messages[0].prompt, c.prompt);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(Exercises, theCatalogueShowsADamagedFileInPlaceAndBoxesItOnlyWhenAskedToOpenIt) {
    writeExercise("a.E41", {{1, "a.rtf"}, {11, "Premier"}});
    QByteArray damaged = indexBytes({{1, "b.rtf"}, {11, "Abime"}});
    damaged[3 * 128] = char(127);  // record 4 says more than a record holds
    writeFileIn(programFolder() + "b.E41", damaged);
    writeExercise("c.E41", {{1, "c.rtf"}, {11, "Dernier"}});
    feuilleP& w = open();
    const Snapshot before = snapshot();

    OnModal<Fichexo> catalogue([&](Fichexo& c) {
        QTest::keyClick(c.File1, Qt::Key_Down);
        EXPECT_EQ(c.File1->fileName(), QStringLiteral("b.E41"));
        EXPECT_TRUE(c.Label8->isVisible());
        EXPECT_TRUE(dialogs.messages.empty());
        QTest::keyClick(c.File1, Qt::Key_Down);
        EXPECT_EQ(c.titratexo->text(), QStringLiteral("Dernier"));
        QTest::keyClick(c.File1, Qt::Key_Up);
        EXPECT_TRUE(dialogs.messages.empty());
        QTest::keyClick(c.File1, Qt::Key_Return);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Lecture impossible"));
        EXPECT_TRUE(c.isVisible());
        QTest::mouseClick(c.Image5, Qt::LeftButton);
    });
    chooseExerciseEntry(w, w.optionexo->openexo);
    EXPECT_TRUE(catalogue.seen());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Exercises, aFolderWithoutExercisesLeavesNothingToOpenInTheCatalogue) {
    writeExercise("a.E41", {{1, "a.rtf"}, {11, "Premier"}});
    writeStatement("a.rtf", "Enonce");
    QDir(programFolder()).mkpath(QStringLiteral("vide"));
    feuilleP& w = open();
    const Snapshot before = snapshot();

    OnModal<Fichexo> catalogue([&](Fichexo& c) {
        ASSERT_EQ(c.titratexo->text(), QStringLiteral("Premier"));
        c.Dir1->setFocus();
        c.Dir1->setCurrentItem(c.Dir1->findItems(QStringLiteral("vide"), Qt::MatchExactly)[0]);
        QTest::keyClick(c.Dir1, Qt::Key_Return);
        EXPECT_EQ(c.File1->count(), 0);
        EXPECT_TRUE(c.titratexo->text().isEmpty());
        EXPECT_TRUE(c.intratro->isVisible());
        EXPECT_FALSE(c.ouvreur->isEnabled());
        QTest::keyClick(c.File1, Qt::Key_Return);
        QTest::keyClick(c.fichierexo, Qt::Key_Return);
        EXPECT_TRUE(c.isVisible());
        QTest::keyClick(c.File1, Qt::Key_Escape);
    });
    chooseExerciseEntry(w, w.optionexo->openexo);
    EXPECT_TRUE(catalogue.seen());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Exercises, theCaptionShowsTheCleanPathOfTheConfigurationNamedInTheExercise) {
    writeExercise("depart.E41", {{1, "./Textes/../enonce.rtf"}, {2, "./Textes/Depart.P19"}});
    writeStatement("enonce.rtf", "Enonce");
    writeConfiguration("Textes/Depart.P19", {"5", "100", "10", "0"});
    feuilleP& w = open();
    EXPECT_FALSE(openFromCatalogue("depart.E41"));
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Ondalis - ") + programFolder() + "Textes/Depart.P19");
    EXPECT_EQ(w.configurationPath, programFolder() + "Textes/Depart.P19");
}

TEST_F(Exercises, theGuardComesBeforeTheCatalogueAndAClosedCatalogueKeepsTheChanges) {
    writeCorrectedExercise();
    feuilleP& w = open();
    EXPECT_FALSE(openFromCatalogue("periode.E41"));
    QTest::keyClicks(w.supertext, QStringLiteral("Ma reponse"));
    const Snapshot typed = snapshot();

    // Cancel: no catalogue at all.
    dialogs.messageAnswers = {MessageResult::Cancel};
    chooseExerciseEntry(w, w.optionexo->openexo);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(snapshot(), typed);

    // OK, then the catalogue closed without opening: the text is still marked as modified,
    // and the exercise keeps its folder for its correction.
    OnModal<Fichexo> catalogue([](Fichexo& c) { QTest::keyClick(c.File1, Qt::Key_Escape); });
    dialogs.messageAnswers = {MessageResult::Ok};
    chooseExerciseEntry(w, w.optionexo->openexo);
    EXPECT_TRUE(catalogue.seen());
    EXPECT_EQ(snapshot(), typed);
}

TEST_F(Exercises, gettingStartedOpensSpirexOrDoesNothingWithoutIt) {
    feuilleP& w = open();
    // No "SPIREX.PEM": nothing at all, not even the guard.
    QTest::keyClicks(w.supertext, QStringLiteral("x"));
    w.textModified = true;
    const Snapshot start = snapshot();
    chooseExerciseEntry(w, w.optionexo->PRISENMAIN);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(snapshot(), start);
    w.textModified = false;

    // One that names a missing statement: the installation is incomplete; nothing changes.
    writeFileIn(programFolder() + "SPIREX.PEM", indexBytes({{1, "Prise\\absente.rtf"}}));
    chooseExerciseEntry(w, w.optionexo->PRISENMAIN);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Erreur lors du chargement"));
    EXPECT_EQ(dialogs.messages[0].prompt,
              QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."));
    w.textModified = false;
    EXPECT_EQ(snapshot().text, start.text);

    writeFileIn(programFolder() + "SPIREX.PEM",
                indexBytes({{1, "Prise\\Accueil.rtf"}, {2, "prise\\accueil.p19"}}));
    writeStatement("Prise/Accueil.rtf", "Bienvenue");
    writeConfiguration("Prise/Accueil.P19", {"4", "200", "10", "0,1"});
    w.correctionAvailable = true;
    chooseExerciseEntry(w, w.optionexo->PRISENMAIN);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Bienvenue"));
    EXPECT_FALSE(w.supertext->isReadOnly());
    EXPECT_EQ(w.fich->text(), programFolder() + "SPIREX.PEM");
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("200"));
    EXPECT_EQ(w.exerciseFolder, programFolder());
    EXPECT_FALSE(w.correctionAvailable);
    EXPECT_FALSE(w.textModified);
}

TEST_F(Exercises, seeingTheCorrectionIsOfferedExactlyWhenTheOpenExerciseHasOne) {
    writeCorrectedExercise();
    writeExercise("libre.E41", {{1, "libre.rtf"}});
    writeStatement("libre.rtf", "Libre");
    writeFileIn(programFolder() + "SPIREX.PEM", indexBytes({{1, "libre.rtf"}}));
    const QString text = programFolder() + "libre.rtf";
    feuilleP& w = open();

    struct Step {
        const char* what;
        std::function<void()> act;
        bool correction;
        bool close;
    };
    const Step steps[] = {
        {"start", [] {}, false, false},
        {"a corrected exercise", [&] { openFromCatalogue("periode.E41"); }, true, true},
        {"its correction", [&] { chooseExerciseEntry(w, w.optionexo->opencor); }, true, true},
        {"getting started", [&] { chooseExerciseEntry(w, w.optionexo->PRISENMAIN); }, false, true},
        {"the corrected exercise again", [&] { openFromCatalogue("periode.E41"); }, true, true},
        {"a text retrieved",
         [&] {
             dialogs.fileAnswers = {text};
             chooseExerciseEntry(w, w.optionexo->opentexte);
         },
         false, true},
        {"the corrected exercise once more", [&] { openFromCatalogue("periode.E41"); }, true, true},
        {"an exercise without correction", [&] { openFromCatalogue("libre.E41"); }, false, true},
        {"closed", [&] { chooseExerciseEntry(w, w.optionexo->Closexo); }, false, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(correctionOffered(), s.correction);
        EXPECT_EQ(closeOffered(), s.close);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Exercises, anExerciseRequestIsServedAtStartUpAndServedOnce) {
    writeCorrectedExercise();
    writeExercise("libre.E41", {{1, "libre.rtf"}});
    writeStatement("libre.rtf", "Libre");
    struct Case {
        const char* request;
        bool opens;
        bool corrected;
    };
    const Case cases[] = {
        {"PERIODE.e41", true, true},
        {"libre.E41", true, false},  // the correction comes from the exercise, not the request
        {"   ", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        ASSERT_TRUE(RecordFile::writeOne(handshakePath(), CompanionHandshake::RequestRecord,
                                         QString::fromUtf8(c.request)));
        feuilleP& w = open();
        EXPECT_EQ(RecordFile::readOne(handshakePath(), CompanionHandshake::RequestRecord),
                  QString());
        EXPECT_TRUE(dialogs.messages.empty());
        if (c.opens) {
            EXPECT_FALSE(w.supertext->isReadOnly());
            EXPECT_FALSE(w.fich->text().isEmpty());
            EXPECT_TRUE(QFileInfo(w.fich->text()).isFile());
            EXPECT_EQ(w.exerciseFolder, programFolder());
        } else {
            EXPECT_TRUE(w.fich->text().isEmpty());
            EXPECT_TRUE(w.supertext->isReadOnly());
        }
        EXPECT_EQ(w.correctionAvailable, c.corrected);
        TearDown();
        dialogs.messageAnswers.clear();
        dialogs.messages.clear();
    }
    ASSERT_TRUE(RecordFile::writeOne(handshakePath(), CompanionHandshake::RequestRecord,
                                     QStringLiteral("periode.E41")));
    feuilleP& w = open();
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Enonce de la periode"));
    EXPECT_EQ(w.fich->text(), programFolder() + "periode.E41");
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("100"));
}

TEST_F(Exercises, everyExerciseOfThePackOpensFromTheCatalogueWithItsCorrection) {
    // The pack as built, copied into the test's program folder.
    QDirIterator pack(QStringLiteral(ONDALIS_PACK_DIR), QDir::Files, QDirIterator::Subdirectories);
    QStringList indexes;
    while (pack.hasNext()) {
        const QString path = pack.next();
        const QString name = QDir(QStringLiteral(ONDALIS_PACK_DIR)).relativeFilePath(path);
        writeFileIn(programFolder() + name, fileBytes(path));
        if (name.endsWith(QLatin1String(".E41"))) indexes << name;
    }
    ASSERT_GE(indexes.size(), 6);
    feuilleP& w = open();

    chooseExerciseEntry(w, w.optionexo->PRISENMAIN);
    EXPECT_EQ(w.fich->text(), programFolder() + "SPIREX.PEM");
    EXPECT_TRUE(w.supertext->plainText().startsWith(QStringLiteral("Prise en main")));
    for (const QString& exercise : indexes) {
        SCOPED_TRACE(exercise.toStdString());
        const QByteArray bytes = fileBytes(programFolder() + exercise);
        const auto preview = exercises::exercisePreview(bytes);
        ASSERT_TRUE(preview);
        EXPECT_FALSE(openFromCatalogue(exercise));
        EXPECT_EQ(w.fich->text(), programFolder() + exercise);
        // Each statement starts with its title.
        EXPECT_TRUE(w.supertext->plainText().startsWith(preview->title));
        if (preview->corrected) {
            chooseExerciseEntry(w, w.optionexo->opencor);
            EXPECT_TRUE(w.supertext->isReadOnly());
            EXPECT_TRUE(w.supertext->plainText().startsWith(QStringLiteral("Correction")));
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace ondalis::testing
