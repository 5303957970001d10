#include "platform/richtext/rtfwriter.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cmath>

#include "platform/richtext/rtfreader.h"
#include "platform/richtext/symbolfont.h"

namespace ondalis::rtf {

namespace {

constexpr double twipsPerPixel = 15.0;
// The width given to a table whose columns have no fixed width: an A4 page's text, in twips.
constexpr int tableWidth = 9638;

int twips(double pixels) { return int(std::lround(pixels * twipsPerPixel)); }

QByteArray number(int n) { return QByteArray::number(n); }

// \'hh: one byte of the document's code page.
QByteArray byteEscape(unsigned char byte) {
    static const char hex[] = "0123456789abcdef";
    return QByteArray("\\'") + hex[byte >> 4] + hex[byte & 15];
}

// Windows-1252 bytes 0x80 to 0xFF by the character they stand for, from Qt's converter.
QHash<char16_t, unsigned char> windows1252() {
    QHash<char16_t, unsigned char> map;
    QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QString s = decoder.decode(QByteArray(1, char(b)));
        if (s.size() == 1 && s[0] != QChar::ReplacementCharacter)
            map.insert(s[0].unicode(), static_cast<unsigned char>(b));
    }
    return map;
}

const char* fontClass(const QString& family) {
    const QString f = family.toLower();
    for (const char* mono : {"courier", "mono", "consolas", "typewriter"})
        if (f.contains(QLatin1String(mono))) return "\\fmodern\\fcharset0";
    for (const char* serif : {"times", "serif", "roman", "georgia", "cambria", "garamond"})
        if (f.contains(QLatin1String(serif)) && !f.contains(QLatin1String("sans")))
            return "\\froman\\fcharset0";
    for (const char* sans :
         {"arial", "helvetica", "sans", "verdana", "tahoma", "calibri", "nimbus", "liberation"})
        if (f.contains(QLatin1String(sans))) return "\\fswiss\\fcharset0";
    return "\\fnil\\fcharset0";
}

class Writer {
public:
    explicit Writer(const QTextDocument& document)
        : doc_(document), cp1252_(windows1252()), defaultFont_(document.defaultFont()) {
        fontNumber(defaultFamily());
    }

    QByteArray run();

private:
    QString defaultFamily() const {
        const QStringList families = defaultFont_.families();
        return families.isEmpty() ? defaultFont_.family() : families.first();
    }
    double defaultPoints() const {
        if (defaultFont_.pointSizeF() > 0) return defaultFont_.pointSizeF();
        if (defaultFont_.pixelSize() > 0) return defaultFont_.pixelSize() * 72.0 / 96.0;
        return 12;
    }
    int fontNumber(const QString& family);
    int colorNumber(const QColor& color);
    QByteArray text(const QString& s) const;
    QByteArray fontName(const QString& s) const;
    QByteArray charProperties(const QTextCharFormat& f);
    QByteArray paragraphProperties(const QTextBlockFormat& f, bool inTable) const;
    void frameContents(const QTextFrame* frame, bool inTable);
    void block(const QTextBlock& b, bool inTable, const char* end);
    void table(const QTextTable* t);
    void picture(const QTextImageFormat& f);

    const QTextDocument& doc_;
    const QHash<char16_t, unsigned char> cp1252_;
    const QFont defaultFont_;
    QStringList fonts_;
    QHash<QString, int> fontNumbers_;
    QList<QColor> colors_;
    QHash<QRgb, int> colorNumbers_;
    QByteArray out_;
};

// Text in the Symbol font is read through that font's table; the document's text is Unicode,
// so a run that names the Symbol font is saved in the family a Symbol text is read into.
int Writer::fontNumber(const QString& name) {
    const QString family = symbolfont::isSymbolFont(name) ? symbolfont::unicodeFamily() : name;
    const auto it = fontNumbers_.constFind(family);
    if (it != fontNumbers_.constEnd()) return *it;
    const int n = int(fonts_.size());
    fonts_ << family;
    fontNumbers_.insert(family, n);
    return n;
}

int Writer::colorNumber(const QColor& color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    const auto it = colorNumbers_.constFind(rgb);
    if (it != colorNumbers_.constEnd()) return *it;
    colors_ << QColor(rgb);
    const int n = int(colors_.size());  // entry 0 is the automatic colour
    colorNumbers_.insert(rgb, n);
    return n;
}

QByteArray Writer::text(const QString& s) const {
    QByteArray out;
    out.reserve(s.size() + 16);
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        switch (c) {
            case u'\\':
                out += "\\\\";
                continue;
            case u'{':
                out += "\\{";
                continue;
            case u'}':
                out += "\\}";
                continue;
            case u'\t':
                out += "\\tab ";
                continue;
            case u'\u2028':
                out += "\\line ";
                continue;
            case u'\u2029':
                out += "\\par ";
                continue;
            case u'\u00A0':
                out += "\\~";
                continue;
            case u'\u00AD':
                out += "\\-";
                continue;
            case u'\u2011':
                out += "\\_";
                continue;
            case u'\uFFFC':
                continue;
            default:
                break;
        }
        if (c < 0x20) continue;
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        const auto it = cp1252_.constFind(c);
        if (it != cp1252_.constEnd()) {
            out += byteEscape(*it);
            continue;
        }
        out += "\\u" + number(c > 32767 ? int(c) - 65536 : int(c)) + '?';
    }
    return out;
}

// A font-table name, read back as it is: ";" ends a name, and the characters that text()
// writes as control words or leaves out would be lost in the table.
QByteArray Writer::fontName(const QString& s) const {
    QByteArray out;
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        const auto it = cp1252_.constFind(c);
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x80 && c != u';') {
            out += char(c);
        } else if (c < 0x20) {
            out += byteEscape(static_cast<unsigned char>(c));
        } else if (it != cp1252_.constEnd()) {
            out += byteEscape(*it);
        } else {
            out += "\\u" + number(c > 32767 ? int(c) - 65536 : int(c)) + '?';
        }
    }
    return out;
}

QByteArray Writer::charProperties(const QTextCharFormat& f) {
    QString family;
    const QVariant families = f.property(QTextFormat::FontFamilies);
    if (families.isValid() && !families.toStringList().isEmpty())
        family = families.toStringList().first();
    else if (f.hasProperty(QTextFormat::FontFamily))
        family = f.stringProperty(QTextFormat::FontFamily);
    if (family.isEmpty()) family = defaultFamily();
    double points = f.fontPointSize();
    if (points <= 0 && f.hasProperty(QTextFormat::FontPixelSize))
        points = f.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    if (points <= 0) points = defaultPoints();
    const bool bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold
                                                             : defaultFont_.bold();
    const bool italic =
        f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaultFont_.italic();
    const bool underline = f.underlineStyle() != QTextCharFormat::NoUnderline ||
                           (!f.hasProperty(QTextFormat::TextUnderlineStyle) &&
                            !f.hasProperty(QTextFormat::FontUnderline) && defaultFont_.underline());
    const bool strike =
        f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaultFont_.strikeOut();

    QByteArray p = "\\f" + number(fontNumber(family)) + "\\fs" +
                   number(std::max(1, int(std::lround(points * 2))));
    if (bold) p += "\\b";
    if (italic) p += "\\i";
    if (underline) p += "\\ul";
    if (strike) p += "\\strike";
    if (f.foreground().style() != Qt::NoBrush)
        p += "\\cf" + number(colorNumber(f.foreground().color()));
    if (f.background().style() != Qt::NoBrush)
        p += "\\highlight" + number(colorNumber(f.background().color()));
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) p += "\\super";
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) p += "\\sub";
    return p;
}

QByteArray Writer::paragraphProperties(const QTextBlockFormat& f, bool inTable) const {
    QByteArray p = "\\pard";
    if (inTable) p += "\\intbl";
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        p += "\\qj";
    else if (a & Qt::AlignHCenter)
        p += "\\qc";
    else if (a & Qt::AlignRight)
        p += "\\qr";
    else
        p += "\\ql";
    const int left = twips(f.leftMargin() + f.indent() * doc_.indentWidth());
    if (left != 0) p += "\\li" + number(left);
    if (const int right = twips(f.rightMargin()); right != 0) p += "\\ri" + number(right);
    if (const int first = twips(f.textIndent()); first != 0) p += "\\fi" + number(first);
    if (const int before = twips(f.topMargin()); before != 0) p += "\\sb" + number(before);
    if (const int after = twips(f.bottomMargin()); after != 0) p += "\\sa" + number(after);
    switch (f.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            if (std::lround(f.lineHeight()) != 100)
                p += "\\sl" + number(int(std::lround(f.lineHeight() * 240 / 100))) + "\\slmult1";
            break;
        case QTextBlockFormat::FixedHeight:
            p += "\\sl-" + number(twips(f.lineHeight())) + "\\slmult0";
            break;
        case QTextBlockFormat::MinimumHeight:
            p += "\\sl" + number(twips(f.lineHeight())) + "\\slmult0";
            break;
        default:
            break;
    }
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) p += "\\pagebb";
    for (const QTextOption::Tab& tab : f.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            p += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            p += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            p += "\\tqdec";
        p += "\\tx" + number(twips(tab.position));
    }
    return p;
}

void Writer::picture(const QTextImageFormat& f) {
    const QUrl name(f.name());
    QByteArray kind, data;
    int picw = 0, pich = 0;
    const QVariant source = doc_.resource(PictureSourceResource, pictureSourceName(f.name()));
    if (source.canConvert<PictureSource>()) {
        const PictureSource s = source.value<PictureSource>();
        kind = s.kind;
        data = s.data;
        picw = s.width;
        pich = s.height;
    }
    QImage image;
    const QVariant shown = doc_.resource(QTextDocument::ImageResource, name);
    if (shown.userType() == QMetaType::QImage)
        image = shown.value<QImage>();
    else if (shown.userType() == QMetaType::QPixmap)
        image = shown.value<QPixmap>().toImage();
    else if (shown.userType() == QMetaType::QByteArray)
        image.loadFromData(shown.toByteArray());
    if (kind.isEmpty() || data.isEmpty()) {
        if (image.isNull()) return;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        kind = "pngblip";
        picw = image.width();
        pich = image.height();
    }
    if ((picw <= 0 || pich <= 0) && !image.isNull()) {
        picw = image.width();
        pich = image.height();
    }
    const double w = f.width() > 0 ? f.width() : image.width();
    const double h = f.height() > 0 ? f.height() : image.height();
    out_ += "{\\pict\\" + kind + "\\picw" + number(picw) + "\\pich" + number(pich) + "\\picwgoal" +
            number(twips(w)) + "\\pichgoal" + number(twips(h)) + "\r\n";
    const QByteArray hex = data.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out_.append(hex.constData() + i, std::min<qsizetype>(128, hex.size() - i));
        out_ += "\r\n";
    }
    out_ += "}";
}

void Writer::block(const QTextBlock& b, bool inTable, const char* end) {
    out_ += paragraphProperties(b.blockFormat(), inTable);
    out_ += "\\plain" + charProperties(b.charFormat()) + ' ';
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        const QTextCharFormat f = fragment.charFormat();
        const QString s = fragment.text();
        // Each run sets all of its properties: none is taken from the paragraph's.
        out_ += "{\\plain" + charProperties(f) + ' ';
        if (f.isImageFormat()) {
            for (qsizetype i = 0; i < s.size(); ++i)
                if (s[i] == QChar::ObjectReplacementCharacter) picture(f.toImageFormat());
        } else {
            out_ += text(s);
        }
        out_ += "}";
    }
    out_ += end;
    out_ += "\r\n";
}

void Writer::table(const QTextTable* t) {
    const QTextTableFormat format = t->format();
    const int columns = t->columns();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    // Right edges of the cells, in twips.
    QList<int> rights;
    int fixed = 0, variable = 0;
    QList<int> widths(columns, 0);
    for (int c = 0; c < columns; ++c) {
        const QTextLength l = c < constraints.size() ? constraints[c] : QTextLength();
        if (l.type() == QTextLength::FixedLength)
            widths[c] = twips(l.rawValue());
        else if (l.type() == QTextLength::PercentageLength)
            widths[c] = int(l.rawValue() * tableWidth / 100);
        if (widths[c] > 0)
            fixed += widths[c];
        else
            ++variable;
    }
    for (int c = 0; c < columns; ++c)
        if (widths[c] <= 0) widths[c] = std::max(300, (tableWidth - fixed) / std::max(1, variable));
    int right = 0;
    for (int w : widths) rights << (right += w);
    const QByteArray border = format.border() > 0 ? "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs"
                                                    "\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr"
                                                    "\\brdrs\\brdrw10"
                                                  : "";
    for (int r = 0; r < t->rows(); ++r) {
        out_ += "\\trowd\\trgaph70";
        for (int c = 0; c < columns; ++c) out_ += border + "\\cellx" + number(rights[c]);
        out_ += "\r\n";
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (!cell.isValid() || cell.row() != r || cell.column() != c) {
                out_ += "\\pard\\intbl\\cell\r\n";
                continue;
            }
            QList<QTextBlock> blocks;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (it.currentBlock().isValid())
                    blocks << it.currentBlock();
                else if (const QTextFrame* inner = it.currentFrame())
                    for (QTextBlock b = doc_.findBlock(inner->firstPosition());
                         b.isValid() && b.position() < inner->lastPosition(); b = b.next())
                        blocks << b;
            }
            if (blocks.isEmpty()) out_ += "\\pard\\intbl\\cell\r\n";
            for (qsizetype i = 0; i < blocks.size(); ++i)
                block(blocks[i], true, i + 1 == blocks.size() ? "\\cell" : "\\par");
        }
        out_ += "\\row\r\n";
    }
}

void Writer::frameContents(const QTextFrame* frame, bool inTable) {
    bool first = true;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            if (const auto* t = qobject_cast<const QTextTable*>(child))
                table(t);
            else
                frameContents(child, inTable);
            first = false;
            continue;
        }
        const QTextBlock b = it.currentBlock();
        if (!b.isValid()) continue;
        // The empty paragraph that a document starting with a table holds before it.
        auto next = it;
        ++next;
        if (first && b.length() <= 1 && !next.atEnd() &&
            qobject_cast<const QTextTable*>(next.currentFrame())) {
            first = false;
            continue;
        }
        first = false;
        block(b, inTable, "\\par");
    }
}

QByteArray Writer::run() {
    frameContents(doc_.rootFrame(), false);
    QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i)
        head += "{\\f" + number(int(i)) + fontClass(fonts_[i]) + ' ' + fontName(fonts_[i]) + ";}";
    head += "}\r\n{\\colortbl ;";
    for (const QColor& c : colors_)
        head += "\\red" + number(c.red()) + "\\green" + number(c.green()) + "\\blue" +
                number(c.blue()) + ';';
    head += "}\r\n{\\*\\generator Ondalis;}\\viewkind4\\uc1\r\n";
    return head + out_ + "}\r\n";
}

}  // namespace

QByteArray write(const QTextDocument& document) { return Writer(document).run(); }

}  // namespace ondalis::rtf
