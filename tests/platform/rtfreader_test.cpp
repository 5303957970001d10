#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <optional>

#include "platform/richtext/rtfreader.h"
#include "platform/widgets/richtextpane.h"
#include "rtf_samples.h"

namespace ondalis::testing {
namespace {

// What a run of the text must look like: `part`, found inside the first occurrence of
// `context`, has each property that is given.
struct Expect {
    QString context;
    QString part = {};
    std::optional<bool> bold = {};
    std::optional<bool> italic = {};
    std::optional<bool> underline = {};
    std::optional<QColor> color = {};
    std::optional<QTextCharFormat::VerticalAlignment> script = {};
    std::optional<double> points = {};
    std::optional<QString> family = {};
    std::optional<Qt::Alignment> alignment = {};
    std::optional<int> leftTwips = {};
    std::optional<int> firstLineTwips = {};
};

constexpr auto Super = QTextCharFormat::AlignSuperScript;
constexpr auto Sub = QTextCharFormat::AlignSubScript;
const QColor blue200(0, 0, 200), red192(192, 0, 0);

void check(const QTextDocument& doc, const Expect& e) {
    const QString text = doc.toRawText();
    const qsizetype at = text.indexOf(e.context);
    ASSERT_GE(at, 0) << e.context.toStdString();
    const QString part = e.part.isEmpty() ? e.context : e.part;
    const qsizetype start = at + e.context.indexOf(part);
    for (qsizetype i = start; i < start + part.size(); ++i) {
        QTextCursor c(const_cast<QTextDocument*>(&doc));
        c.setPosition(int(i) + 1);
        const QTextCharFormat f = c.charFormat();
        const std::string where = e.context.toStdString() + " / " + part.toStdString();
        if (e.bold) {
            EXPECT_EQ(f.fontWeight() >= QFont::DemiBold, *e.bold) << where;
        }
        if (e.italic) {
            EXPECT_EQ(f.fontItalic(), *e.italic) << where;
        }
        if (e.underline) {
            EXPECT_EQ(f.fontUnderline(), *e.underline) << where;
        }
        if (e.color) {
            EXPECT_EQ(f.foreground().color(), *e.color) << where;
        }
        if (e.script) {
            EXPECT_EQ(f.verticalAlignment(), *e.script) << where;
        }
        if (!e.script) {
            EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal) << where;
        }
        if (e.points) {
            EXPECT_DOUBLE_EQ(f.fontPointSize(), *e.points) << where;
        }
        if (e.family) {
            EXPECT_EQ(f.fontFamilies().toStringList().value(0), *e.family) << where;
        }
        const QTextBlockFormat p = c.blockFormat();
        if (e.alignment) {
            EXPECT_EQ(p.alignment() & Qt::AlignHorizontal_Mask, *e.alignment) << where;
        }
        if (e.leftTwips) {
            EXPECT_EQ(qRound(p.leftMargin() * 15), *e.leftTwips) << where;
        }
        if (e.firstLineTwips) {
            EXPECT_EQ(qRound(p.textIndent() * 15), *e.firstLineTwips) << where;
        }
    }
}

void read(const QByteArray& rtf, QTextDocument& doc) { rtf::read(rtf, doc); }

TEST(RtfReader, wordPadStatementWithWindows1252AndTheSymbolFont) {
    QTextDocument doc;
    read(fileBytes(rtfSample(QStringLiteral("regime-wordpad.rtf"))), doc);
    EXPECT_EQ(plainTextOf(doc),
              QStringLiteral("Régime critique\r\n"
                             "\r\n"
                             "Le solide est lâché en x0 = 5 cm. On note λ = h/m et ω0² = k/m.\r\n"
                             "Question 1 : pour quelle valeur de h a-t-on Δ = λ2 – 4ω0² = 0 ?\r\n"
                             "Conseil : utiliser l'onglet « Paramètres » puis la calculatrice."
                             "\t(2 points)\r\n"
                             "Énoncé n° 3"));
    const Expect expected[] = {
        {.context = "Régime critique",
         .bold = true,
         .color = blue200,
         .points = 18,
         .alignment = Qt::AlignHCenter},
        {.context = "Le solide est",
         .bold = false,
         .points = 10,
         .family = "Arial",
         .alignment = Qt::AlignLeft,
         .leftTwips = 284},
        {.context = "λ2 –", .part = "2", .script = Super},
        {.context = "ω0² = k", .part = "0", .script = Sub},
        {.context = "x0 = 5", .part = "x", .italic = true},
        {.context = "x0 = 5", .part = "0", .italic = false, .script = Sub},
        {.context = "Question 1 :", .bold = true},
        {.context = " pour quelle", .bold = false},
        {.context = "Conseil", .underline = true, .color = red192},
        {.context = " : utiliser", .underline = false},
        {.context = "Énoncé n° 3",
         .italic = true,
         .points = 12,
         .family = "Times New Roman",
         .alignment = Qt::AlignRight,
         .leftTwips = 0},
    };
    for (const Expect& e : expected) check(doc, e);
}

TEST(RtfReader, pandocCorrectionWithUnicodeEscapesAndHangingBullets) {
    QTextDocument doc;
    read(fileBytes(rtfSample(QStringLiteral("corrige-pandoc.rtf"))), doc);
    EXPECT_EQ(plainTextOf(doc),
              QStringLiteral("Corrigé : période propre\r\n"
                             "La période propre vaut T0 = 2π√(m/k), soit T0 = 0,628 s pour m = "
                             "200 g et k = 20 N·m-1.\r\n"
                             "•\tL’énergie mécanique initiale : Em = ½·k·x0² = 0,016 J.\r\n"
                             "•\tAvec frottement, Em décroît : l’énergie est dissipée sous forme "
                             "de chaleur.\r\n"
                             "Remarque : ω₀ = 10 rad·s⁻¹ ; Δ = λ² − 4·ω₀².\r\n"
                             "\uFFFC"));
    const Expect expected[] = {
        {.context = "Corrigé : période propre", .bold = true, .points = 18},
        {.context = "La période", .bold = false, .points = 12},
        {.context = "T0 = 2π", .part = "T", .italic = true},
        {.context = "T0 = 2π", .part = "0", .script = Sub},
        {.context = "T0 = 0,628 s", .part = "T", .bold = true},
        {.context = "T0 = 0,628 s", .part = " = 0,628 s", .bold = true},
        {.context = "décroît", .bold = true},
        {.context = "x0²", .part = "0", .script = Sub},
        {.context = "Em = ½", .part = "m", .script = Sub},
        {.context = "N·m-1", .part = "-1", .script = Super},
        {.context = "L’énergie mécanique", .leftTwips = 360, .firstLineTwips = -360},
        {.context = "Avec frottement", .leftTwips = 360, .firstLineTwips = -360},
        {.context = "Remarque", .leftTwips = 720, .firstLineTwips = 0},
    };
    for (const Expect& e : expected) check(doc, e);
    // The bullet's tab stops at the indent (\tx360), where the hanging line's text starts.
    const QTextBlock bullet = doc.findBlockByNumber(2);
    ASSERT_EQ(bullet.blockFormat().tabPositions().size(), 1);
    EXPECT_EQ(bullet.blockFormat().tabPositions()[0].position, 24);
}

TEST(RtfReader, libreOfficeStatementWithTableAndPicture) {
    QTextDocument doc;
    read(fileBytes(rtfSample(QStringLiteral("enonce-libreoffice.rtf"))), doc);
    EXPECT_EQ(plainTextOf(doc),
              QStringLiteral("Oscillateur amorti : étude énergétique\r\n"
                             "Un solide de masse m = 200 g est accroché à un ressort de raideur "
                             "k = 20 N·m-1. On l'écarte de x0 = 4 cm et on le lâche sans vitesse "
                             "initiale.\r\n"
                             "1. Calculer la période propre T0 = 2π√(m/k).\r\n"
                             "2. Exprimer l'énergie mécanique Em à l'instant initial.\r\n"
                             "Attention : le frottement fluide vaut f = −h·v ; que devient Em au "
                             "cours du temps ?\r\n"
                             "Grandeur\tValeur\r\n"
                             "m\t200 g\r\n"
                             "k\t20 N·m-1\r\n"
                             "Élève : « à compléter »\r\n"
                             "\uFFFC"));
    const Expect expected[] = {
        {.context = "Oscillateur amorti",
         .color = blue200,
         .points = 24,
         .alignment = Qt::AlignHCenter},
        {.context = "Un solide de", .points = 12, .leftTwips = 567},
        {.context = "N·m-1. On", .part = "-1", .script = Super},
        {.context = "x0 = 4", .part = "0", .script = Sub},
        {.context = "Em à l'instant", .part = "m", .script = Sub},
        {.context = " m = 200", .part = "m", .italic = true},
        {.context = "raideur k", .part = "k", .italic = true},
        {.context = "x0 = 4", .part = "x", .italic = true},
        {.context = "T0 = 2π", .part = "T", .italic = true},
        {.context = "Em à l'instant", .part = "E", .italic = true},
        {.context = "vaut f", .part = "f", .italic = true},
        {.context = "−h·v", .part = "h", .italic = true, .color = red192},
        {.context = "−h·v", .part = "v", .italic = true, .color = red192},
        {.context = "1. Calculer", .part = "1.", .bold = true},
        {.context = "2. Exprimer", .part = "2.", .bold = true},
        {.context = "Attention", .underline = true, .color = red192},
        {.context = " : le frottement", .underline = false, .color = red192},
        {.context = "Élève", .alignment = Qt::AlignRight},
    };
    for (const Expect& e : expected) check(doc, e);

    // The table: two columns, three rows, the exponent kept in its last cell.
    QTextCursor c(&doc);
    c.setPosition(int(doc.toRawText().indexOf(QStringLiteral("Grandeur"))));
    const QTextTable* table = c.currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(table->columns(), 2);
    const auto cellText = [&](int r, int col) {
        const QTextTableCell cell = table->cellAt(r, col);
        QTextCursor s(&doc);
        s.setPosition(cell.firstPosition());
        s.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        return s.selectedText();
    };
    EXPECT_EQ(cellText(0, 1), QStringLiteral("Valeur"));
    EXPECT_EQ(cellText(2, 1), QStringLiteral("20 N·m-1"));
    check(doc, {.context = "20 N·m-1", .part = "-1", .script = Super});

    // The PNG picture, shown at its 120 × 60 pixels with the pixels of courbe.png.
    const QTextBlock last = doc.lastBlock();
    const QTextCharFormat f = last.begin().fragment().charFormat();
    ASSERT_TRUE(f.isImageFormat());
    const QTextImageFormat image = f.toImageFormat();
    EXPECT_EQ(image.width(), 120);
    EXPECT_EQ(image.height(), 60);
    const QImage shown =
        doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    const QImage original(rtfSample(QStringLiteral("courbe.png")));
    ASSERT_FALSE(original.isNull());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              original.convertToFormat(QImage::Format_RGB32));
}

// Small documents: what each gives as plain text.
TEST(RtfReader, codePagesEscapesDestinationsAndDamagedInput) {
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y}";
    struct Case {
        const char* what;
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"\\ansicpg1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", QStringLiteral("При")},
        {"\\fcharset204 in a Windows-1252 document",
         "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial "
         "CYR;}}\\f0 \\'e9 \\f1 \\'e9}",
         QStringLiteral("é й")},
        {"Shift_JIS double bytes",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'93\\'fa}", QStringLiteral("日")},
        {"\\uc1 fallback skipped", "{\\rtf1 p\\u233\\'e9riode}", QStringLiteral("période")},
        {"\\uc2, two fallbacks", "{\\rtf1\\uc2 \\u955\\'6c\\'6c x}", QStringLiteral("λ x")},
        {"\\uc0, no fallback", "{\\rtf1\\uc0 \\u955 abc}", QStringLiteral("λabc")},
        {"\\uc is kept by its group", "{\\rtf1{\\uc0 \\u955 a}\\u955 ?b}", QStringLiteral("λaλb")},
        {"a fallback ends with its group", "{\\rtf1\\uc3 {\\u955 a}b}", QStringLiteral("λb")},
        {"huge \\uc", "{\\rtf1{\\uc2147483647 \\u955 abc}def}", QStringLiteral("λdef")},
        {"surrogate pair", "{\\rtf1 \\u-10187?\\u-9216?}", QStringLiteral("\U0001D400")},
        {"Symbol font letters", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1 lwD\\'ae}",
         QStringLiteral("λωΔ→")},
        {"font made the Symbol font in the middle of a run",
         "{\\rtf1{\\fonttbl{\\f1 Arial;}}\\f1 l{\\fonttbl{\\f1 Symbol;}}l}", QStringLiteral("lλ")},
        {"Symbol font in the private use area",
         "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1\\u-3988?}", QStringLiteral("λ")},
        {"special characters",
         "{\\rtf1 \\~\\-\\_\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\tab "
         "a\\line b}",
         QStringLiteral("\u00A0\u00AD\u2011—–•‘’“”\ta\r\nb")},
        {"escaped braces and backslash", "{\\rtf1 \\\\\\{\\}}", QStringLiteral("\\{}")},
        {"unknown and skipped destinations",
         "{\\rtf1 a{\\*\\unknown b}c{\\info{\\title t}}d{\\header h}e{\\stylesheet{\\s1 s;}}"
         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt f}}g{\\v hidden}h}",
         QStringLiteral("acdefgh")},
        {"embedded object shows its result",
         "{\\rtf1 a{\\object\\objemb{\\*\\objclass Eq}{\\*\\objdata 0102}{\\result b}}c}",
         QStringLiteral("abc")},
        {"old list numbers as text", "{\\rtf1{\\pntext 1.\\tab}x}", QStringLiteral("1.\tx")},
        {"paragraphs", "{\\rtf1 a\\par b\\par\\par c}", QStringLiteral("a\r\nb\r\n\r\nc")},
        {"page break", "{\\rtf1 a\\page b}", QStringLiteral("a\r\nb")},
        {"\\bin data is not text", "{\\rtf1 a{\\bin3 }}}b}c}", QStringLiteral("abc")},
        {"huge \\bin", "{\\rtf1 a\\bin999999999 xyz}", QStringLiteral("a")},
        {"deep nesting", deep, QStringLiteral("xy")},
        {"bad hexadecimal escape", "{\\rtf1 a\\'zzb}", QStringLiteral("azzb")},
        {"stray closing braces", "}}{\\rtf1 a}}b", QStringLiteral("ab")},
        {"unterminated", "{\\rtf1 {\\b abc", QStringLiteral("abc")},
        {"not RTF at all", "plain words", QStringLiteral("plain words")},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        read(c.rtf, doc);
        EXPECT_EQ(plainTextOf(doc), c.text) << c.what;
    }
    EXPECT_TRUE(rtf::isRtf("{\\rtf1\\ansi}"));
    EXPECT_TRUE(rtf::isRtf(" \r\n{\\rtf1}"));
    EXPECT_FALSE(rtf::isRtf("plain words"));
    EXPECT_FALSE(rtf::isRtf(""));
}

QByteArray imageHex(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

TEST(RtfReader, picturesShownOrReplacedByAFramedPlaceholder) {
    QImage square(30, 20, QImage::Format_RGB32);
    square.fill(QColor(10, 200, 30));
    const QByteArray rtf = "{\\rtf1 a{\\pict\\jpegblip\\picw30\\pich20 " +
                           imageHex(square, "JPEG") +
                           "}b{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1500\\pichgoal750 "
                           "0100090000031e56}c{\\*\\shppict{\\pict\\pngblip\\picscalex200"
                           "\\picscaley50 " +
                           imageHex(square, "PNG") + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}d}";
    QTextDocument doc;
    read(rtf, doc);
    EXPECT_EQ(plainTextOf(doc), QStringLiteral("a\uFFFCb\uFFFCc\uFFFCd"));
    struct Shown {
        int width, height;
        QPoint probe;
        QColor color;
    };
    const Shown expected[] = {
        {30, 20, {15, 10}, QColor(10, 200, 30)},    // the JPEG, at its own size
        {100, 50, {0, 25}, QColor(128, 128, 128)},  // the metafile's placeholder: its frame
        {60, 10, {15, 10}, QColor(10, 200, 30)},    // the PNG scaled by 200 % and 50 %
    };
    int n = 0;
    for (auto it = doc.begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (!f.isImageFormat()) continue;
        ASSERT_LT(n, 3);
        const QTextImageFormat i = f.toImageFormat();
        EXPECT_EQ(i.width(), expected[n].width) << n;
        EXPECT_EQ(i.height(), expected[n].height) << n;
        const QImage shown =
            doc.resource(QTextDocument::ImageResource, QUrl(i.name())).value<QImage>();
        ASSERT_FALSE(shown.isNull()) << n;
        const QColor probe = shown.pixelColor(expected[n].probe);
        EXPECT_NEAR(probe.red(), expected[n].color.red(), 8) << n;
        EXPECT_NEAR(probe.green(), expected[n].color.green(), 8) << n;
        EXPECT_NEAR(probe.blue(), expected[n].color.blue(), 8) << n;
        ++n;
    }
    EXPECT_EQ(n, 3);
}

}  // namespace
}  // namespace ondalis::testing
