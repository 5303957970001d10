#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "exercise_files.h"
#include "exercises/exerciseindex.h"
#include "platform/core/filepaths.h"

namespace ondalis::testing {
namespace {

using exercises::ExercisePreview;

TEST(ExerciseIndex, previewFollowsTheRecordsAsTheCatalogueShowsThem) {
    struct Case {
        const char* what;
        std::map<int, QString> records;
        bool corrected;
        int stars;
        int hourglasses;
    };
    const QString none = QStringLiteral("   ");
    const Case cases[] = {
        {"records 3 and 4 blank", {{3, none}, {4, QString()}, {5, "2"}, {12, "3"}}, false, 2, 3},
        {"only record 4 filled", {{3, none}, {4, "cor.P19"}, {5, "0"}, {12, "0"}}, true, 0, 0},
        {"only record 3 filled", {{3, "cor.rtf"}, {5, " 1.5"}, {12, ""}}, true, 2, 0},
        {"blank difficulty", {{5, none}, {12, "-2"}}, false, 0, 0},
        {"above three stars", {{5, "4"}, {12, "0.6"}}, false, 3, 1},
        {"a number then text", {{5, "1abc"}, {12, "2.5"}}, false, 1, 2},
        {"not a number", {{5, "deux"}, {12, "beaucoup"}}, false, 0, 0},
        {"a huge count",
         {{5, "-1"}, {12, std::string(100, '9').c_str()}},
         false,
         0,
         exercises::MaxHourglasses},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<ExercisePreview> p = exercises::exercisePreview(indexBytes(c.records));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->corrected, c.corrected);
        EXPECT_EQ(p->stars, c.stars);
        EXPECT_EQ(p->hourglasses, c.hourglasses);
    }
}

TEST(ExerciseIndex, notionsSkipBlankRecordsAndJoinTheOthersAsStoredAndTheTitleIsTrimmed) {
    const auto p = exercises::exercisePreview(indexBytes({{6, "pas lu"},
                                                          {7, "Période, "},
                                                          {8, "  "},
                                                          {9, "énergie "},
                                                          {10, "- amortissement"},
                                                          {11, "  Un titre  "}}));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->notions, QStringLiteral("Période, énergie - amortissement"));
    EXPECT_EQ(p->title, QStringLiteral("Un titre"));
}

TEST(ExerciseIndex, aDamagedCorrectionRecordFailsTheReadingButLaterDamageIsIgnored) {
    QByteArray damaged = indexBytes({{1, "e.rtf"}, {3, "c.rtf"}, {11, "Titre"}});
    QByteArray tooLong = damaged;
    tooLong[2 * 128] = char(200);  // record 3 says 200 bytes
    EXPECT_FALSE(exercises::exercisePreview(tooLong));
    EXPECT_FALSE(exercises::exerciseFiles(tooLong));
    // Record 4's text runs past the end of the file.
    QByteArray cut = indexBytes({{4, "correction.P19"}}).left(3 * 128 + 6);
    EXPECT_FALSE(exercises::exercisePreview(cut));

    QByteArray lateDamage = damaged;
    lateDamage[10 * 128] = char(127);  // record 11
    const auto p = exercises::exercisePreview(lateDamage);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->corrected);
    EXPECT_EQ(p->title, QString());

    // A file shorter than its twelve records reads the missing ones as empty texts.
    const auto files = exercises::exerciseFiles(damaged.left(128));
    ASSERT_TRUE(files);
    EXPECT_EQ(files->statement, QStringLiteral("e.rtf"));
    EXPECT_TRUE(files->configuration.isEmpty());
    EXPECT_FALSE(files->corrected());
    EXPECT_TRUE(exercises::exercisePreview(QByteArray()));
}

TEST(ExerciseIndex, aSelectedFileJoinsItsFolderWithoutDoublingTheSeparator) {
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/")) + "a.E41", QStringLiteral("/a.E41"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("C:\\")) + "a.E41", QStringLiteral("C:\\a.E41"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/cours")) + "a.E41",
              QStringLiteral("/cours/a.E41"));
}

TEST(StoredNames, resolveWithBackslashesAndAnotherCaseButNeverGuess) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = withTrailingSeparator(dir.path());
    for (const char* name :
         {"Enonces/Periode.rtf", "Enonces/deux.rtf", "Enonces/DEUX.rtf", "config.P19", "a\\b.rtf"})
        writeFileIn(folder + QLatin1String(name), "x");
    QDir().mkpath(folder + "dossier");

    struct Case {
        const char* stored;
        const char* found;  // nullptr: missing
    };
    const Case cases[] = {
        {"Enonces\\Periode.rtf", "Enonces/Periode.rtf"},
        {"ENONCES\\periode.RTF", "Enonces/Periode.rtf"},
        {"\\enonces\\periode.rtf", "Enonces/Periode.rtf"},
        {"config.p19", "config.P19"},
        {"Enonces\\deux.rtf", "Enonces/deux.rtf"},  // an exact name is not ambiguous
        {"enonces\\Deux.rtf", nullptr},             // two files match: not guessed
        {"a\\b.rtf", "a\\b.rtf"},                   // a file really named so is found as is
        {"absent.rtf", nullptr},
        {"dossier", nullptr},  // a folder is no file
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const std::optional<QString> found = resolveStoredName(folder, QString::fromUtf8(c.stored));
        if (!c.found) {
            EXPECT_FALSE(found) << found->toStdString();
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, folder + QString::fromUtf8(c.found));
    }
    EXPECT_EQ(storedNamePath(folder, QStringLiteral("Enonces\\x.rtf")),
              QDir::toNativeSeparators(folder + "Enonces/x.rtf"));
    // A full path (the folder left empty), as a request of the collection gives it.
    EXPECT_EQ(resolveStoredName(QString(), folder + "enonces\\PERIODE.rtf"),
              folder + "Enonces/Periode.rtf");
}

}  // namespace
}  // namespace ondalis::testing
