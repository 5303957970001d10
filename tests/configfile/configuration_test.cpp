// The ".P19" records without a window: the bytes written, what an old file keeps, and how the
// reader checks every record before anything is used.
#include "configfile/configuration.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "file_bytes.h"
#include "platform/core/recordfile.h"
#include "startup_configuration.h"
#include "unprivileged.h"

namespace ondalis {
namespace {

using testing::fileBytes;
using testing::startupConfigurationBytes;
using testing::writeFileBytes;

// The start-up file with record n holding `text` instead.
QByteArray withRecord(int record, const QString& text) {
    QByteArray bytes = startupConfigurationBytes();
    EXPECT_TRUE(RecordFile::putRecord(bytes, record, text));
    return bytes;
}

TEST(ConfigurationFile, TheStartUpConfigurationIsWrittenAsTheKnownBytes) {
    EXPECT_EQ(configurationFileBytes(Configuration{}), startupConfigurationBytes());
    const ConfigurationReading back = parseConfiguration(startupConfigurationBytes());
    EXPECT_EQ(back.status, ConfigurationStatus::Read);
    EXPECT_EQ(back.configuration, Configuration{});
}

TEST(ConfigurationFile, AnOldLongerFileKeepsItsPaddingAndItsTailByteForByte) {
    QByteArray old(40 * 128 + 17, '\0');
    for (qsizetype i = 0; i < old.size(); ++i) old[i] = char(0xA5 ^ (i * 7));
    const QByteArray written = *configurationFileBytes(Configuration{}, old);
    ASSERT_EQ(written.size(), old.size());
    const QByteArray expected = startupConfigurationBytes();
    for (int r = 0; r < 29; ++r) {
        const QByteArray record = expected.mid(r * 128, 128);
        const int used = 2 + quint8(record[0]);
        EXPECT_EQ(written.mid(r * 128, used), record.left(used)) << "record " << r + 1;
        EXPECT_EQ(written.mid(r * 128 + used, 128 - used), old.mid(r * 128 + used, 128 - used))
            << "padding of record " << r + 1;
    }
    EXPECT_EQ(written.mid(29 * 128), old.mid(29 * 128));
    // Such a file reads back whatever its padding holds; so does one padded with zeros.
    EXPECT_EQ(parseConfiguration(written).status, ConfigurationStatus::Read);
    const QByteArray padded = expected + QByteArray(128 - (expected.size() - 28 * 128), '\0');
    EXPECT_EQ(parseConfiguration(padded).status, ConfigurationStatus::Read);
}

TEST(ConfigurationFile, NumbersAreReadLenientlyAndRoundedHalvesToEven) {
    const struct {
        int record;
        const char* text;
        std::function<bool(const Configuration&)> holds;
    } cases[] = {
        {6, "2.5", [](const Configuration& c) { return c.durationIndex == 2; }},
        {6, "9.5xyz", [](const Configuration& c) { return c.durationIndex == 10; }},
        {6, "  -8", [](const Configuration& c) { return c.durationIndex == -8; }},
        {7, "", [](const Configuration& c) { return c.velocityScale == 0; }},
        {7, "90", [](const Configuration& c) { return c.velocityScale == 90; }},
        {8, "-50.4", [](const Configuration& c) { return c.forceScale == -50; }},
        {10, " 1.0", [](const Configuration& c) { return c.axisShown; }},
        {10, " 2", [](const Configuration& c) { return !c.axisShown; }},
        {12, "01", [](const Configuration& c) { return c.boldTrace; }},
        {19, " 3", [](const Configuration& c) { return c.quantity == 3; }},
        {19, "0,9", [](const Configuration& c) { return c.quantity == 0; }},  // "," ends it
        {29, " 16777215", [](const Configuration& c) { return c.colors[9] == 0xFFFFFF; }},
    };
    for (const auto& c : cases) {
        const ConfigurationReading r = parseConfiguration(withRecord(c.record, c.text));
        EXPECT_EQ(r.status, ConfigurationStatus::Read) << c.record << " " << c.text;
        EXPECT_TRUE(c.holds(r.configuration)) << c.record << " " << c.text;
    }
}

TEST(ConfigurationFile, EveryDamagedRecordIsFoundBeforeAnythingIsUsed) {
    const QByteArray good = startupConfigurationBytes();
    QByteArray random(4000, '\0');
    quint32 seed = 12345;
    for (char& b : random) b = char((seed = seed * 1103515245u + 12345u) >> 24);
    QByteArray badLength = good;
    badLength[4 * 128] = char(127);  // record 5 says 127 bytes
    const struct {
        const char* what;
        QByteArray bytes;
        ConfigurationStatus expected;
    } cases[] = {
        {"empty", {}, ConfigurationStatus::NotValid},
        {"random bytes", random, ConfigurationStatus::NotValid},
        {"lower-case signature", withRecord(1, "ondalis"), ConfigurationStatus::NotValid},
        {"signature and a space", withRecord(1, "ONDALIS "), ConfigurationStatus::NotValid},
        {"one record", good.left(9), ConfigurationStatus::Unreadable},
        {"ends before record 29", good.left(28 * 128 + 1), ConfigurationStatus::Unreadable},
        {"record 29 cut short", good.left(good.size() - 1), ConfigurationStatus::Unreadable},
        {"length over 126", badLength, ConfigurationStatus::Unreadable},
        {"duration 11", withRecord(6, " 11"), ConfigurationStatus::Unreadable},
        {"duration -9", withRecord(6, "-9"), ConfigurationStatus::Unreadable},
        {"velocity scale 91", withRecord(7, " 91"), ConfigurationStatus::Unreadable},
        {"velocity scale -1", withRecord(7, "-1"), ConfigurationStatus::Unreadable},
        {"force scale -51", withRecord(8, "-51"), ConfigurationStatus::Unreadable},
        {"quantity 3.5 -> 4", withRecord(19, "3.5"), ConfigurationStatus::Unreadable},
        {"quantity -1", withRecord(19, "-1"), ConfigurationStatus::Unreadable},
        {"colour 2^24", withRecord(25, " 16777216"), ConfigurationStatus::Unreadable},
        {"colour -1", withRecord(20, "-1"), ConfigurationStatus::Unreadable},
        {"huge number", withRecord(6, QString(100, QLatin1Char('9'))),
         ConfigurationStatus::Unreadable},
    };
    for (const auto& c : cases) EXPECT_EQ(parseConfiguration(c.bytes).status, c.expected) << c.what;
}

class ConfigurationFileOnDisk : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("essai.P19")) const {
        return dir.filePath(name);
    }
    QTemporaryDir dir;
};

TEST_F(ConfigurationFileOnDisk, AFailedWriteLeavesTheOldFileAsItWas) {
    const QByteArray tail("tail");
    const QByteArray old = withRecord(3, "250") + tail;
    writeFileBytes(path(), old);
    Configuration tooLong;
    tooLong.parameters[1] = QString(127, QLatin1Char('1'));
    EXPECT_FALSE(writeConfigurationFile(path(), tooLong));
    EXPECT_EQ(fileBytes(path()), old);

    // A folder where nothing can be created: the file in it is not touched either.
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly));
    {
        testing::WithoutPrivileges nobody;
        ASSERT_TRUE(nobody.effective());
        ASSERT_TRUE(QFileInfo(path()).isReadable());
        EXPECT_FALSE(writeConfigurationFile(path(), Configuration{}));
        EXPECT_FALSE(writeConfigurationFile(path(QStringLiteral("autre.P19")), Configuration{}));
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(fileBytes(path()), old);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("autre.P19"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left

    // Written for good: the new records over the old file, its tail kept.
    EXPECT_TRUE(writeConfigurationFile(path(), Configuration{}));
    EXPECT_EQ(fileBytes(path()), startupConfigurationBytes() + tail);
}

TEST_F(ConfigurationFileOnDisk, AFileThatCannotBeReadIsUnreadable) {
    EXPECT_EQ(readConfigurationFile(path(QStringLiteral("absent.P19"))).status,
              ConfigurationStatus::Unreadable);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dossier.P19")));
    EXPECT_EQ(readConfigurationFile(path(QStringLiteral("dossier.P19"))).status,
              ConfigurationStatus::Unreadable);
    writeFileBytes(path(), startupConfigurationBytes() + QByteArray(50000, 'x'));
    EXPECT_EQ(readConfigurationFile(path()).status, ConfigurationStatus::Read);
}

}  // namespace
}  // namespace ondalis
