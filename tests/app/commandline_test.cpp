// The file given on the command line, as the desktop gives it on a double-click: which file
// and kind the arguments name, then the real window opening it, or saying why it cannot.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "app/launchfile.h"
#include "configfile/configuration.h"
#include "exercise_files.h"
#include "exercise_menu.h"
#include "mainwindow_fixture.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

using Kind = LaunchFile::Kind;

// The process's current folder, given back at the end of a test that opens a file.
class CurrentFolderKept {
public:
    ~CurrentFolderKept() { QDir::setCurrent(folder_); }

private:
    QString folder_ = QDir::currentPath();
};

TEST(LaunchFile, theFirstArgumentNamesTheFileAndItsExtensionItsKind) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString d = dir.path();
    writeFileIn(d + "/Essai.P19", "x");
    writeFileIn(d + "/Exos/Periode.E41", "x");
    struct Case {
        QStringList arguments;
        LaunchFile expected;
    };
    const Case cases[] = {
        {{"ondalis"}, {}},
        {{"ondalis", ""}, {}},
        {{"ondalis", "--verbose"}, {}},
        {{"ondalis", "Essai.P19"}, {Kind::Configuration, d + "/Essai.P19"}},
        // Letter case is the desktop's or another system's: the file on disk is found.
        {{"ondalis", "essai.p19"}, {Kind::Configuration, d + "/Essai.P19"}},
        {{"ondalis", "EXOS/periode.e41"}, {Kind::Exercise, d + "/Exos/Periode.E41"}},
        {{"ondalis", "./Exos/../Essai.P19"}, {Kind::Configuration, d + "/Essai.P19"}},
        {{"ondalis", "file://" + d + "/Exos/Periode.E41"},
         {Kind::Exercise, d + "/Exos/Periode.E41"}},
        {{"ondalis", d + "/absent.E41"}, {Kind::Exercise, d + "/absent.E41"}},
        // Any other file is a configuration for the reader to check.
        {{"ondalis", "notes.txt"}, {Kind::Configuration, d + "/notes.txt"}},
        {{"ondalis", "--verbose", "Essai.P19", "Exos/Periode.E41"},
         {Kind::Configuration, d + "/Essai.P19"}},
        {{"ondalis", "--", "-x.E41"}, {Kind::Exercise, d + "/-x.E41"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const LaunchFile found = launchFile(c.arguments, d);
        EXPECT_EQ(int(found.kind), int(c.expected.kind));
        EXPECT_EQ(found.path, c.expected.path);
    }
}

class CommandLine : public MainWindowTest {
protected:
    QString in(const QString& name) const { return folder.filePath(name); }

    void writeConfiguration(const QString& name, const std::array<QString, 4>& parameters) {
        Configuration c;
        c.parameters = parameters;
        c.durationIndex = 6;
        c.quantity = 2;
        QDir().mkpath(QFileInfo(in(name)).absolutePath());
        ASSERT_TRUE(writeConfigurationFile(in(name), c));
    }

    CurrentFolderKept kept;
};

TEST_F(CommandLine, startedWithAConfigurationTheWindowShowsIt) {
    writeConfiguration("cours/Ressort.P19", {"-4", "300", "25", "0,5"});
    feuilleP& w = open();

    w.openCommandLineFile({"ondalis", in("COURS/ressort.p19")});
    EXPECT_TRUE(dialogs.messages.empty());
    const QString path = in("cours/Ressort.P19");
    EXPECT_EQ(w.configurationPath, path);
    EXPECT_EQ(w.windowTitle(), "Ondalis - " + path);
    const Configuration c = w.configuration();
    EXPECT_EQ(c.parameters, (std::array<QString, 4>{"-4", "300", "25", "0,5"}));
    EXPECT_EQ(c.durationIndex, 6);
    EXPECT_EQ(c.quantity, 2);
    // The solid waits at x0 = -4 cm, t = 0.
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_FLOAT_EQ(float(w.currentSample().x), -4.0f);
    EXPECT_EQ(QDir::currentPath(), in("cours"));
}

TEST_F(CommandLine, startedWithAnExerciseTheWindowShowsItAsTheCatalogueOpensIt) {
    writeFileIn(in("cours/Periode.E41"), indexBytes({{1, "Textes\\ENONCE.rtf"},
                                                     {2, "textes\\depart.P19"},
                                                     {3, "textes\\correction.rtf"},
                                                     {11, "La période"}}));
    writeFileIn(in("cours/Textes/Enonce.rtf"), rtfText("Enonce de la periode"));
    writeConfiguration("cours/Textes/Depart.P19", {"5", "100", "10", "0"});
    feuilleP& w = open();

    w.openCommandLineFile({"ondalis", in("cours/periode.e41")});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(w.supertext->plainText(), QStringLiteral("Enonce de la periode"));
    EXPECT_FALSE(w.supertext->isReadOnly());
    EXPECT_EQ(w.fich->text(), in("cours/Periode.E41"));
    EXPECT_EQ(w.exerciseFolder, in("cours/"));
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("5"));
    EXPECT_EQ(w.Text5(MassField)->text(), QStringLiteral("100"));
    EXPECT_EQ(w.windowTitle(), "Ondalis - " + in("cours/Textes/Depart.P19"));
    EXPECT_TRUE(w.correctionAvailable);
    EXPECT_FALSE(w.textModified);
}

TEST_F(CommandLine, aMissingOrBadFileGivesTheProgramsMessageAndChangesNothing) {
    writeFileIn(in("notes.txt"), "pas une configuration");
    writeFileIn(in("sans-enonce.E41"), indexBytes({{1, "absent.rtf"}}));
    feuilleP& w = open();
    const Snapshot before = snapshotOf(w);

    struct Case {
        QString argument;
        const char* title;
        QString prompt;
    };
    const Case cases[] = {
        {in("absente.P19"), "impossible d'ouvrir ce fichier",
         QStringLiteral("Nom de fichier incorrect ou chemin non valide")},
        {in("dossier-absent/absente.P19"), "impossible d'ouvrir ce fichier",
         QStringLiteral("Nom de fichier incorrect ou chemin non valide")},
        {in("absent.E41"), "Lecture impossible",
         QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.")},
        {in("notes.txt"), "Fichier non valide",
         QStringLiteral("Ce fichier ne correspond pas à cette application")},
        {in("sans-enonce.E41"), "Fichier absent",
         "Le fichier " + in("absent.rtf") + " est introuvable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        dialogs.messages.clear();
        w.openCommandLineFile({"ondalis", c.argument});
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(dialogs.messages[0].prompt, c.prompt);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(snapshotOf(w), before);
    }
    // Without an argument nothing happens at all.
    dialogs.messages.clear();
    w.openCommandLineFile({"ondalis"});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(snapshotOf(w), before);
}

}  // namespace
}  // namespace ondalis::testing
