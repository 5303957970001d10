#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"
#include "platform/widgets/richtextpane.h"
#include "rtf_samples.h"

namespace ondalis::testing {
namespace {

const char* const samples[] = {"regime-wordpad.rtf", "corrige-pandoc.rtf",
                               "enonce-libreoffice.rtf"};

TEST(RtfWriter, writesACompleteWindows1252DocumentWithUnicodeEscapesAndPictures) {
    QTextDocument doc;
    rtf::read(fileBytes(rtfSample(QStringLiteral("corrige-pandoc.rtf"))), doc);
    const QByteArray out = rtf::write(doc);
    EXPECT_TRUE(out.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << out.left(40).constData();
    EXPECT_TRUE(out.contains("{\\fonttbl{\\f0"));
    EXPECT_TRUE(out.contains("{\\colortbl ;"));
    EXPECT_TRUE(out.contains("Corrig\\'e9"));        // é in Windows-1252
    EXPECT_TRUE(out.contains("L\\'92\\'e9nergie"));  // ’ is in Windows-1252 too
    EXPECT_TRUE(out.contains("\\u969?\\u8320?"));    // ω₀ is not
    EXPECT_TRUE(out.contains("{\\pict\\pngblip\\picw120\\pich60\\picwgoal2400\\pichgoal1200"));
    EXPECT_TRUE(out.contains("\\li360\\fi-360"));
    EXPECT_TRUE(out.trimmed().endsWith('}'));
    EXPECT_EQ(out.count('{'), out.count('}'));
}

// Load, save, load again: the same text with the same formatting, tables and pictures.
TEST(RtfWriter, samplesComeBackUnchangedFromARoundTrip) {
    for (const char* name : samples) {
        QTextDocument first, second;
        rtf::read(fileBytes(rtfSample(QLatin1String(name))), first);
        const QByteArray saved = rtf::write(first);
        rtf::read(saved, second);
        EXPECT_EQ(plainTextOf(second), plainTextOf(first)) << name;
        EXPECT_EQ(formattingOf(second), formattingOf(first)) << name;
        // A second round gives the very same bytes.
        EXPECT_EQ(rtf::write(second), saved) << name;
    }
}

TEST(RtfWriter, picturesOfOtherKindsAndTypedCharactersSurviveARoundTrip) {
    QTextDocument doc;
    rtf::read(
        "{\\rtf1 a{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1500\\pichgoal750 "
        "0100090000031e56}b}",
        doc);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral(" {x}\\y\t€ Ω\u00A0z"));
    const QByteArray out = rtf::write(doc);
    EXPECT_TRUE(
        out.contains("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1500\\pichgoal750"
                     "\r\n0100090000031e56\r\n}"));
    EXPECT_TRUE(out.contains("\\{x\\}\\\\y\\tab \\'80 \\u937?\\~z"));
    QTextDocument back;
    rtf::read(out, back);
    EXPECT_EQ(plainTextOf(back), plainTextOf(doc));
}

// Saved and read again, a text reads as it did, whatever its fonts are named: a Symbol-font
// text is read as Unicode once and never through the Symbol font a second time, and a font name
// comes back whole (a character dropped from "\x1aSymbol" used to make it the Symbol font).
TEST(RtfWriter, textsInAnyFontComeBackUnchangedFromARoundTrip) {
    struct Case {
        const char* what;
        QByteArray rtf;
        QString text;  // as read the first time
    };
    const QByteArray symbolRun = "}}\\f1 \\\\\\{\\}\\'5c\\'7b\\'ff\\'f0 l\\u-3988?\\u955?}";
    const Case cases[] = {
        {"fuzz finding",
         fileBytes(QStringLiteral(ONDALIS_RTF_FUZZ_CORPUS "/rtf-roundtrip-symbol-backslash.rtf")),
         QString()},
        {"Symbol font", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;" + symbolRun,
         QStringLiteral("∴{}∴{ÿð λλλ")},
        {"Symbol named with \\uN", "{\\rtf1{\\fonttbl{\\f1 Sym\\u98?ol;" + symbolRun,
         QStringLiteral("∴{}∴{ÿð λλλ")},
        {"control character in the name", "{\\rtf1{\\fonttbl{\\f1 \\'1aSymbol;" + symbolRun,
         QStringLiteral("\\{}\\{ÿð l\uF06Cλ")},
        {"tab in the name", "{\\rtf1{\\fonttbl{\\f1 Sym\\'09bol;" + symbolRun,
         QStringLiteral("\\{}\\{ÿð l\uF06Cλ")},
        {"soft hyphen in the name", "{\\rtf1{\\fonttbl{\\f1 Sym\\'adbol;" + symbolRun,
         QStringLiteral("\\{}\\{ÿð l\uF06Cλ")},
        {"no-break space in the name", "{\\rtf1{\\fonttbl{\\f1 Sym\\'a0bol;" + symbolRun,
         QStringLiteral("\\{}\\{ÿð l\uF06Cλ")},
        {"semicolon in the name", "{\\rtf1{\\fonttbl{\\f1 Symbol\\u59?x;" + symbolRun,
         QStringLiteral("\\{}\\{ÿð l\uF06Cλ")},
        {"Greek code page", "{\\rtf1{\\fonttbl{\\f1\\fcharset161 Arial;}}\\f1 \\'eb\\\\\\{}",
         QStringLiteral("λ\\{")},
        {"Shift_JIS name and text",
         "{\\rtf1{\\fonttbl{\\f1\\fcharset128 S\\'81\\'40;}}\\f1 \\'93\\'fa\\\\}",
         QStringLiteral("日\\")},
    };
    for (const Case& c : cases) {
        QTextDocument first, second;
        rtf::read(c.rtf, first);
        if (!c.text.isNull()) {
            EXPECT_EQ(plainTextOf(first), c.text) << c.what;
        }
        rtf::read(rtf::write(first), second);
        EXPECT_EQ(plainTextOf(second), plainTextOf(first)) << c.what;
        EXPECT_EQ(formattingOf(second), formattingOf(first)) << c.what;
    }

    // Text in the Symbol font from elsewhere (pasted) is Unicode: saved, it stays what it is.
    QTextDocument typed, back;
    QTextCharFormat symbol;
    symbol.setFontFamilies({QStringLiteral(" symbol")});
    QTextCursor(&typed).insertText(QStringLiteral("\\{}l λ \uF06C ;"), symbol);
    rtf::read(rtf::write(typed), back);
    EXPECT_EQ(plainTextOf(back), plainTextOf(typed));
}

// The saved file read by another program: unrtf gives the same text. unrtf writes Latin-1,
// shows other characters as their fallback and spaces tables its own way: the comparison
// lets any one character stand for a character outside Latin-1, and any white space for any
// white space.
TEST(RtfWriter, anIndependentReaderFindsTheSameText) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : samples) {
        QTextDocument doc;
        rtf::read(fileBytes(rtfSample(QLatin1String(name))), doc);
        const QString path = dir.filePath(QStringLiteral("out.rtf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rtf::write(doc));
        file.close();

        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(unrtf, {QStringLiteral("--nopict"), QStringLiteral("--text"), path});
        ASSERT_TRUE(process.waitForFinished(30000)) << name;
        const QString output = QString::fromLatin1(process.readAllStandardOutput());
        const qsizetype body = output.indexOf(QStringLiteral("-----------------\n"));
        ASSERT_GE(body, 0) << output.toStdString();
        // unrtf's own remarks are lines that start with "###".
        QStringList lines = output.mid(body + 18).split(QLatin1Char('\n'));
        lines.removeIf([](const QString& l) { return l.startsWith(QLatin1String("###")); });
        const QString text = lines.join(QLatin1Char('\n')).trimmed();

        QString pattern = QStringLiteral("^");
        bool space = false;
        for (const QChar ch : plainTextOf(doc).trimmed()) {
            if (ch.isSpace() || ch == QChar::ObjectReplacementCharacter) {
                space = true;
                continue;
            }
            if (space) pattern += QStringLiteral("\\s+");
            space = false;
            pattern += ch.unicode() <= 0xFF ? QRegularExpression::escape(QString(ch))
                                            : QStringLiteral(".");
        }
        pattern += QStringLiteral("\\s*$");
        EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << name << "\n"
                                                                        << text.toStdString();
    }
}

}  // namespace
}  // namespace ondalis::testing
