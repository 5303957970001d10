#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// Configuration files (".P19"): everything the user has set up in the main window, kept in 29
// fixed 128-byte records (a 16-bit little-endian length, then Windows-1252 text):
//   1 the signature "ONDALIS"          10 axis shown (" 1" or " 0")    17 forces shown
//   2-5 the texts of x0, m, k, h         11 empty                         18 slow motion
//   6 duration index (" 3")              12 bold trace                    19 plotted quantity
//   7 velocity scale (" 70")             13 empty                         20-29 the ten colours,
//   8 force scale ("-10")                14 velocity shown                    red + 256 green
//   9 empty                              15 ruler shown; 16 empty             + 65536 blue
// Numbers are written with a sign position: a space before a non-negative number.
namespace ondalis {

inline constexpr int ConfigurationRecords = 29;
inline constexpr int ConfigurationColors = 10;
inline constexpr char ConfigurationSignature[] = "ONDALIS";

// The ranges of the controls the records go to; a value outside marks a damaged file.
struct ConfigurationRanges {
    static constexpr int minDurationIndex = -8;  // UpDown1
    static constexpr int maxDurationIndex = 10;
    static constexpr int minVelocityScale = 0;  // VScroll1
    static constexpr int maxVelocityScale = 90;
    static constexpr int minForceScale = -50;  // VScroll3
    static constexpr int maxForceScale = 90;
    static constexpr int maxQuantity = 3;  // Option1 0 … 3
    static constexpr std::int32_t maxColor = 0xFFFFFF;
};

// The value of every control a configuration file keeps; the defaults are those of a fresh
// window.
struct Configuration {
    // Texts of Text5(0) … Text5(3) as they stand in the fields (decimal comma).
    std::array<QString, 4> parameters{QStringLiteral("0"), QStringLiteral("145"),
                                      QStringLiteral("10"), QStringLiteral("0,2")};
    int durationIndex = 3;       // UpDown1
    int velocityScale = 70;      // VScroll1
    int forceScale = -10;        // VScroll3
    bool axisShown = true;       // Check1
    bool boldTrace = false;      // Check3
    bool velocityShown = false;  // Check5
    bool rulerShown = true;      // Check6
    bool forcesShown = false;    // Check12
    bool slowMotion = false;     // speed
    int quantity = 0;            // Option1: 0 Position, 1 Vitesse, 2 Accélération, 3 Energies
    // Label4(0) … Label4(9), red + 256 × green + 65536 × blue.
    std::array<std::int32_t, ConfigurationColors> colors{33023, 12582912, 12582912, 192,   12582912,
                                                         192,   49152,    16576,    32768, 8388608};

    friend bool operator==(const Configuration&, const Configuration&) = default;
};

// The file that `configuration` makes when it is written over `previous`, the bytes of the file
// it replaces (empty for a new one): records 1 to 29 take the new texts, and what the old file
// held beyond each text (padding, records after 29) is kept byte for byte. nullopt when a text
// needs more than 126 bytes.
std::optional<QByteArray> configurationFileBytes(const Configuration& configuration,
                                                 const QByteArray& previous = {});

enum class ConfigurationStatus {
    Read,        // every record is sound
    NotValid,    // record 1 is not exactly "ONDALIS"
    Unreadable,  // a read error, a file that ends before record 29, a value out of its range
};

struct ConfigurationReading {
    ConfigurationStatus status = ConfigurationStatus::Unreadable;
    Configuration configuration;  // meaningful only when status is Read
};

// Reads and checks every record of a file's bytes. Numbers are read leniently (leading blanks,
// a sign, digits with an optional "."; anything else ends the number; empty is 0) and rounded
// halves to even; a check box is ticked when its number is exactly 1. Records 9, 11, 13, 16 and
// what follows record 29 are not read.
ConfigurationReading parseConfiguration(QByteArrayView bytes);

// The file at `path`, read and checked; nothing is changed anywhere.
ConfigurationReading readConfigurationFile(const QString& path);

// Writes `configuration` to `path` safely: the new file is built beside the old one, keeping
// the old file's bytes beyond the new texts, and replaces it only once fully written. On
// failure (false) the old file is left exactly as it was.
bool writeConfigurationFile(const QString& path, const Configuration& configuration);

}  // namespace ondalis
