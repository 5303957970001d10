// The fixed 128-byte record file: layout on disk, Windows-1252 text, short and damaged files.
#include "platform/core/recordfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ondalis {
namespace {

class RecordFileTest : public testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("ZANTEK.TMP")) const {
        return dir_.filePath(name);
    }

    QByteArray contents(const QString& name = QStringLiteral("ZANTEK.TMP")) const {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }

    void setContents(const QByteArray& bytes, const QString& name = QStringLiteral("ZANTEK.TMP")) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir dir_;
};

TEST_F(RecordFileTest, AccentedTextMakesTheRoundTrip) {
    const QString text = QString::fromUtf8("Énoncé été à ç ÿ €");
    ASSERT_TRUE(RecordFile::writeOne(path(), 3, text));
    EXPECT_EQ(RecordFile::readOne(path(), 3), text);

    // One byte per character on disk, in the Windows code page.
    const QByteArray expected("\xC9nonc\xE9 \xE9t\xE9 \xE0 \xE7 \xFF \x80");
    EXPECT_EQ(RecordFile::encode(text), expected);
    const QByteArray record = contents().mid(2 * RecordFile::RecordSize);
    EXPECT_EQ(record, QByteArray(1, char(expected.size())) + QByteArray(1, '\0') + expected);
}

TEST_F(RecordFileTest, EveryByteOfTheCodePageDecodesAndEncodesBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = RecordFile::decode(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0xE9], QChar(0xE9));
    EXPECT_EQ(RecordFile::encode(text), all);
}

TEST_F(RecordFileTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(RecordFile::encode(QString::fromUtf8("ω=2π")), QByteArray("?=2?"));
    EXPECT_EQ(RecordFile::encode(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(RecordFile::encode(QString::fromUtf8("é\u001A")), QByteArray("\xE9\x1A"));
}

TEST_F(RecordFileTest, RecordTwelveHoldsItsLengthThenItsBytes) {
    ASSERT_TRUE(RecordFile::writeOne(path(), 12, QStringLiteral("NON")));
    const QByteArray bytes = contents();
    ASSERT_EQ(bytes.size(), 11 * 128 + 5);
    EXPECT_EQ(bytes.mid(11 * 128), QByteArray("\x03\x00NON", 5));
    EXPECT_EQ(bytes.left(11 * 128), QByteArray(11 * 128, '\0'));
}

TEST_F(RecordFileTest, TextsAreMeasuredInCodePageBytes) {
    const struct {
        QString text;
        bool accepted;
    } cases[] = {{QString(126, QLatin1Char('a')), true},
                 {QString(127, QLatin1Char('a')), false},
                 {QString(126, QChar(0x20AC)), true},  // 126 euro signs: 378 bytes in UTF-8
                 {QString(126, QChar(0xE9)), true},
                 {QString(127, QChar(0x3C9)), false},  // 127 question marks
                 {QString(), true}};
    for (const auto& c : cases) {
        setContents(QByteArray(4 * 128, 'x'));
        EXPECT_EQ(RecordFile::writeOne(path(), 2, c.text), c.accepted) << c.text.size();
        const QByteArray after = contents();
        if (c.accepted) {
            EXPECT_EQ(RecordFile::readOne(path(), 2), c.text);
        } else {
            EXPECT_EQ(after, QByteArray(4 * 128, 'x')) << "a refused text writes nothing";
        }
    }
}

TEST_F(RecordFileTest, OnlyTheLengthAndTheTextAreWritten) {
    // An existing longer file keeps its size and everything past the new text.
    setContents(QByteArray(40 * 128, '\xAB'));
    ASSERT_TRUE(RecordFile::writeOne(path(), 2, QStringLiteral("abc")));
    const QByteArray bytes = contents();
    ASSERT_EQ(bytes.size(), 40 * 128);
    EXPECT_EQ(bytes.mid(128, 5), QByteArray("\x03\x00"
                                            "abc",
                                            5));
    EXPECT_EQ(bytes.mid(133), QByteArray(40 * 128 - 133, '\xAB'));
    EXPECT_EQ(bytes.left(128), QByteArray(128, '\xAB'));
}

TEST_F(RecordFileTest, AGapBeforeANewRecordIsZeroFilled) {
    ASSERT_TRUE(RecordFile::writeOne(path(), 1, QStringLiteral("ONDALIS")));
    ASSERT_TRUE(RecordFile::writeOne(path(), 31, QString()));
    const QByteArray bytes = contents();
    ASSERT_EQ(bytes.size(), 30 * 128 + 2);
    EXPECT_EQ(bytes.left(9), QByteArray("\x07\x00ONDALIS", 9));
    EXPECT_EQ(bytes.mid(9), QByteArray(30 * 128 + 2 - 9, '\0'));
    EXPECT_EQ(RecordFile::readOne(path(), 1), QStringLiteral("ONDALIS"));
    EXPECT_EQ(RecordFile::readOne(path(), 17), QString());
    EXPECT_EQ(RecordFile::readOne(path(), 31), QString());
}

TEST_F(RecordFileTest, ShortAndDamagedFilesReadWhatIsThere) {
    const struct {
        const char* what;
        QByteArray bytes;
        int record;
        QString expected;
    } cases[] = {
        {"empty file", QByteArray(), 1, QString()},
        {"record beyond the end", QByteArray("\x02\x00OK", 4), 5, QString()},
        {"half a length field", QByteArray(128, '\0') + QByteArray("\x05", 1), 2, QString()},
        {"text cut by the end",
         QByteArray("\x0A\x00"
                    "abcd",
                    6),
         1, QStringLiteral("abcd")},
        {"length of zero",
         QByteArray("\x00\x00"
                    "abcd",
                    6),
         1, QString()},
        {"length beyond the record", QByteArray("\xFF\xFF", 2) + QByteArray(300, 'z'), 1,
         QString(126, QLatin1Char('z'))},
        {"length 126 exactly", QByteArray("\x7E\x00", 2) + QByteArray(126, 'q'), 1,
         QString(126, QLatin1Char('q'))}};
    for (const auto& c : cases) {
        setContents(c.bytes);
        EXPECT_EQ(RecordFile::readOne(path(), c.record), c.expected) << c.what;
    }
}

TEST_F(RecordFileTest, ManyRecordsThroughOneOpenFile) {
    {
        RecordFile file(path(QStringLiteral("essai.P19")));
        ASSERT_TRUE(file.openForWriting());
        EXPECT_TRUE(file.isOpen());
        for (int n = 1; n <= 29; ++n) ASSERT_TRUE(file.write(n, QString::number(n * 7)));
        EXPECT_EQ(file.read(20), QStringLiteral("140"));
        file.close();
        EXPECT_FALSE(file.isOpen());
    }
    RecordFile file(path(QStringLiteral("essai.P19")));
    ASSERT_TRUE(file.openForReading());
    for (int n = 29; n >= 1; --n) EXPECT_EQ(file.read(n), QString::number(n * 7));
    EXPECT_FALSE(file.write(1, QStringLiteral("x"))) << "opened for reading only";
}

TEST_F(RecordFileTest, InvalidRequestsFailWithoutTouchingTheFile) {
    setContents(QByteArray("\x01\x00Z", 3));
    RecordFile file(path());
    EXPECT_EQ(file.read(1), std::nullopt) << "not open";
    EXPECT_FALSE(file.write(1, QStringLiteral("a"))) << "not open";
    ASSERT_TRUE(file.openForWriting());
    for (const int record : {0, -1, INT_MIN}) {
        EXPECT_EQ(file.read(record), std::nullopt) << record;
        EXPECT_FALSE(file.write(record, QStringLiteral("a"))) << record;
    }
    file.close();
    EXPECT_EQ(contents(), QByteArray("\x01\x00Z", 3));
}

TEST_F(RecordFileTest, OpeningForWritingCreatesTheFileButReadingDoesNot) {
    EXPECT_EQ(RecordFile::readOne(path(), 1), std::nullopt);
    RecordFile reader(path());
    EXPECT_FALSE(reader.openForReading());
    EXPECT_FALSE(QFile::exists(path()));

    RecordFile writer(path());
    EXPECT_TRUE(writer.openForWriting());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(writer.read(1), QString()) << "an empty file reads as empty records";
}

TEST_F(RecordFileTest, AFolderThatIsAFileFailsCleanly) {
    // A parent that is a plain file can never hold the record file, whoever runs the test.
    setContents(QByteArray("not a folder"), QStringLiteral("plain"));
    const QString impossible = path(QStringLiteral("plain/ZANTEK.TMP"));
    EXPECT_FALSE(RecordFile::writeOne(impossible, 12, QStringLiteral("OUI")));
    EXPECT_EQ(RecordFile::readOne(impossible, 12), std::nullopt);
}

TEST_F(RecordFileTest, AReadOnlyFolderFailsCleanly) {
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(locked + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    EXPECT_FALSE(
        RecordFile::writeOne(locked + QStringLiteral("/ZANTEK.TMP"), 12, QStringLiteral("OUI")));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace ondalis
