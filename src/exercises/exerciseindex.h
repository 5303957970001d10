#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Exercise index files (".E41") and the getting-started file "SPIREX.PEM", which has the same
// layout: fixed 128-byte records (a 16-bit little-endian length, then Windows-1252 text), read
// only. File names are relative to the folder that holds the index file.
//    1 the statement (RTF)                     5 the difficulty, a number: 0 to 3 stars
//    2 the starting configuration (".P19")     6 not used
//    3 the correction's text (RTF)             7 to 10 the notions covered, one per record
//    4 the correction's configuration          11 the title
//                                              12 a count of hourglasses
// Records 2, 3 and 4 are blank when there is no such file; the exercise is corrected when
// record 3 or record 4 is not blank.
namespace ondalis::exercises {

inline constexpr int StatementRecord = 1;
inline constexpr int ConfigurationRecord = 2;
inline constexpr int CorrectionTextRecord = 3;
inline constexpr int CorrectionConfigurationRecord = 4;
inline constexpr int DifficultyRecord = 5;
inline constexpr int FirstNotionRecord = 7;
inline constexpr int LastNotionRecord = 10;
inline constexpr int TitleRecord = 11;
inline constexpr int HourglassRecord = 12;
inline constexpr int IndexRecords = 12;

// Stars in the preview, and the most hourglasses shown (a count beyond it shows that many).
inline constexpr int MaxStars = 3;
inline constexpr int MaxHourglasses = 50;

// Empty once the spaces around it are trimmed.
bool isBlank(const QString& record);

// The stars lit for difficulty d: star i (0, 1, 2) is lit when d > i. 1.5 lights two.
int litStars(double difficulty);

// The hourglasses for a count read as a number: rounded (halves to even), none below 1, at
// most MaxHourglasses.
int hourglassCount(double count);

// The first records of an index file, which is all a reader needs (a longer file is not read
// further). nullopt when the file cannot be opened or read.
std::optional<QByteArray> readIndexBytes(const QString& path);

// The files an exercise names, records 1 to 4 as stored.
struct ExerciseFiles {
    QString statement;
    QString configuration;
    QString correctionText;
    QString correctionConfiguration;

    bool corrected() const { return !isBlank(correctionText) || !isBlank(correctionConfiguration); }
};

// Records 1 to 4 of an index file's bytes; nullopt when one of them cannot be read (its length
// says more than a record holds or runs past the end of the file). A record beyond the end of
// a shorter file reads as the empty text.
std::optional<ExerciseFiles> exerciseFiles(QByteArrayView bytes);

// What the catalogue shows of an exercise.
struct ExercisePreview {
    bool corrected = false;
    int stars = 0;        // lit stars, 0 to 3
    QString notions;      // records 7 to 10 that are not blank, joined as stored
    QString title;        // record 11 without the blanks around it
    int hourglasses = 0;  // from record 12
};

// The preview of an index file's bytes. nullopt when records 3 and 4 cannot be read; a later
// record that cannot be read counts as empty.
std::optional<ExercisePreview> exercisePreview(QByteArrayView bytes);

}  // namespace ondalis::exercises
