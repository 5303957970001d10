#include "platform/rtfreader.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/symbolfont.h"

namespace ondalis::rtf {

namespace {

// One pixel of the screen is 15 twips (1440 twips per inch at 96 pixels per inch).
constexpr double twipsPerPixel = 15.0;
// Deeper groups share the state of the deepest one kept: no input can make the reader hold
// more than this many group states.
constexpr std::size_t maxGroupDepth = 512;
// Pictures and placeholders are never drawn larger than this, whatever the file claims.
constexpr int maxPictureSide = 4000;

enum class Destination : std::uint8_t {
    Text,        // the document's text
    FontTable,   // \fonttbl
    ColorTable,  // \colortbl
    Picture,     // \pict: hexadecimal or \bin picture data
    Discard,     // text ignored, but groups inside may hold text (\object and its \result)
    Skip,        // everything ignored, groups inside included
};

enum class Script : std::uint8_t { Normal, Super, Sub };

struct CharState {
    int font = -1;
    int halfPoints = 24;
    int color = 0;       // colour-table index; 0 is the automatic colour
    int background = 0;  // colour-table index; 0 is none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    Script script = Script::Normal;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0, right = 0, first = 0;  // twips
    int before = 0, after = 0;           // twips
    int lineSpacing = 0;                 // \sl, twips; 0 is single spacing
    bool lineMultiple = false;           // \slmult1: \sl counts 240ths of a line
    bool inTable = false;
    bool pageBreakBefore = false;
    // Tab stops (\txN, twips), each with the kind given before it (\tqr, \tqc, \tqdec).
    std::vector<std::pair<int, QTextOption::TabType>> tabs;
    QTextOption::TabType nextTab = QTextOption::LeftTab;
};

struct GroupState {
    CharState chr;
    ParaState para;
    int uc = 1;
    Destination destination = Destination::Text;
};

struct FontEntry {
    QString name;
    int codePage = 0;  // 0: the document's code page
    bool symbol = false;
};

enum class Word : std::uint8_t {
    // Document.
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    Uc,
    U,
    // Destinations.
    FontTable,
    ColorTable,
    Pict,
    SkipDestination,
    Transparent,
    Object,
    // Font and colour tables.
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Characters.
    Plain,
    F,
    Fs,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    V,
    Cf,
    Cb,
    Highlight,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    // Paragraphs.
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Sl,
    SlMult,
    InTable,
    PageBreakBefore,
    TabStop,
    TabKind,
    Par,
    Line,
    Tab,
    Page,
    Cell,
    Row,
    RowDefinition,
    CellRight,
    NestedCell,
    NestedRow,
    // Special characters.
    Character,
    // Pictures.
    PictureKind,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    Bin,
};

struct WordInfo {
    Word word;
    char16_t character = 0;  // for Word::Character
};

const std::unordered_map<std::string_view, WordInfo>& words() {
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t = {
            {"rtf", {Word::Rtf}},
            {"ansi", {Word::Ansi}},
            {"mac", {Word::Mac}},
            {"pc", {Word::Pc}},
            {"pca", {Word::Pca}},
            {"ansicpg", {Word::AnsiCpg}},
            {"deff", {Word::Deff}},
            {"uc", {Word::Uc}},
            {"u", {Word::U}},
            {"fonttbl", {Word::FontTable}},
            {"colortbl", {Word::ColorTable}},
            {"pict", {Word::Pict}},
            {"object", {Word::Object}},
            {"fcharset", {Word::FontCharset}},
            {"cpg", {Word::FontCodePage}},
            {"red", {Word::Red}},
            {"green", {Word::Green}},
            {"blue", {Word::Blue}},
            {"plain", {Word::Plain}},
            {"f", {Word::F}},
            {"fs", {Word::Fs}},
            {"b", {Word::B}},
            {"i", {Word::I}},
            {"ulnone", {Word::UlNone}},
            {"strike", {Word::Strike}},
            {"striked", {Word::Strike}},
            {"v", {Word::V}},
            {"cf", {Word::Cf}},
            {"cb", {Word::Cb}},
            {"chcbpat", {Word::Cb}},
            {"highlight", {Word::Highlight}},
            {"super", {Word::Super}},
            {"sub", {Word::Sub}},
            {"nosupersub", {Word::NoSuperSub}},
            {"up", {Word::Up}},
            {"dn", {Word::Dn}},
            {"pard", {Word::Pard}},
            {"ql", {Word::Ql}},
            {"qc", {Word::Qc}},
            {"qr", {Word::Qr}},
            {"qj", {Word::Qj}},
            {"qd", {Word::Qj}},
            {"li", {Word::Li}},
            {"ri", {Word::Ri}},
            {"fi", {Word::Fi}},
            {"sb", {Word::Sb}},
            {"sa", {Word::Sa}},
            {"sl", {Word::Sl}},
            {"slmult", {Word::SlMult}},
            {"intbl", {Word::InTable}},
            {"pagebb", {Word::PageBreakBefore}},
            {"tx", {Word::TabStop}},
            {"tqr", {Word::TabKind, char16_t(QTextOption::RightTab)}},
            {"tqc", {Word::TabKind, char16_t(QTextOption::CenterTab)}},
            {"tqdec", {Word::TabKind, char16_t(QTextOption::DelimiterTab)}},
            {"par", {Word::Par}},
            {"sect", {Word::Par}},
            {"line", {Word::Line}},
            {"tab", {Word::Tab}},
            {"page", {Word::Page}},
            {"cell", {Word::Cell}},
            {"row", {Word::Row}},
            {"trowd", {Word::RowDefinition}},
            {"cellx", {Word::CellRight}},
            {"nestcell", {Word::NestedCell}},
            {"nestrow", {Word::NestedRow}},
            {"emdash", {Word::Character, u'\u2014'}},
            {"endash", {Word::Character, u'\u2013'}},
            {"bullet", {Word::Character, u'\u2022'}},
            {"lquote", {Word::Character, u'\u2018'}},
            {"rquote", {Word::Character, u'\u2019'}},
            {"ldblquote", {Word::Character, u'\u201C'}},
            {"rdblquote", {Word::Character, u'\u201D'}},
            {"emspace", {Word::Character, u'\u2003'}},
            {"enspace", {Word::Character, u'\u2002'}},
            {"qmspace", {Word::Character, u'\u2005'}},
            {"zwj", {Word::Character, u'\u200D'}},
            {"zwnj", {Word::Character, u'\u200C'}},
            {"zwbo", {Word::Character, u'\u200B'}},
            {"pngblip", {Word::PictureKind}},
            {"jpegblip", {Word::PictureKind}},
            {"emfblip", {Word::PictureKind}},
            {"wmetafile", {Word::PictureKind}},
            {"macpict", {Word::PictureKind}},
            {"pmmetafile", {Word::PictureKind}},
            {"dibitmap", {Word::PictureKind}},
            {"wbitmap", {Word::PictureKind}},
            {"picw", {Word::PicW}},
            {"pich", {Word::PicH}},
            {"picwgoal", {Word::PicWGoal}},
            {"pichgoal", {Word::PicHGoal}},
            {"picscalex", {Word::PicScaleX}},
            {"picscaley", {Word::PicScaleY}},
            {"bin", {Word::Bin}},
        };
        // Every kind of underline is an underline.
        for (std::string_view u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                   "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
                                   "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.emplace(u, WordInfo{Word::Ul});
        // Destinations whose content is not text of the document: document information, style
        // sheet, headers and footers, footnotes, fields' instructions, the older representation
        // of a picture, bookmarks, index entries, list definitions...
        for (std::string_view s : {"info",
                                   "stylesheet",
                                   "header",
                                   "headerl",
                                   "headerr",
                                   "headerf",
                                   "footer",
                                   "footerl",
                                   "footerr",
                                   "footerf",
                                   "footnote",
                                   "fldinst",
                                   "nonshppict",
                                   "xe",
                                   "tc",
                                   "txe",
                                   "rxe",
                                   "bkmkstart",
                                   "bkmkend",
                                   "listtable",
                                   "listoverridetable",
                                   "revtbl",
                                   "rsidtbl",
                                   "generator",
                                   "filetbl",
                                   "latentstyles",
                                   "themedata",
                                   "colorschememapping",
                                   "datastore",
                                   "xmlnstbl",
                                   "pgdsctbl",
                                   "template",
                                   "userprops",
                                   "comment",
                                   "author",
                                   "operator",
                                   "title",
                                   "subject",
                                   "keywords",
                                   "company",
                                   "doccomm",
                                   "creatim",
                                   "revtim",
                                   "printim",
                                   "buptim",
                                   "ftnsep",
                                   "ftnsepc",
                                   "ftncn",
                                   "aftnsep",
                                   "aftnsepc",
                                   "aftncn",
                                   "annotation",
                                   "atnid",
                                   "atnauthor",
                                   "atndate",
                                   "atnref",
                                   "objdata",
                                   "objclass",
                                   "objname",
                                   "picprop",
                                   "blipuid",
                                   "shpinst",
                                   "falt",
                                   "panose",
                                   "fontemb",
                                   "fontfile",
                                   "private",
                                   "pn",
                                   "pnseclvl",
                                   "do",
                                   "mmathPr",
                                   "docvar"})
            t.emplace(s, WordInfo{Word::SkipDestination});
        // Destinations whose content is ordinary text: a field's result, the fallback text of
        // a list number, the picture of a shape, the result of an embedded object.
        for (std::string_view s : {"fldrslt", "pntext", "listtext", "shppict", "shprslt", "result"})
            t.emplace(s, WordInfo{Word::Transparent});
        return t;
    }();
    return table;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A byte that is text wherever it stands: not a group, not a control word, not a line end.
bool isRunByte(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != '\\' && c != '{' && c != '}';
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The code page of a font-table \fcharset; 0 stands for the document's own code page.
int codePageOfCharset(int charset) {
    switch (charset) {
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

QByteArray converterName(int codePage) {
    switch (codePage) {
        case 932:
            return "Shift_JIS";
        case 936:
            return "GBK";
        case 949:
            return "windows-949";
        case 950:
            return "Big5";
        case 1361:
            return "Johab";
        case 10000:
            return "macintosh";
        case 20127:
            return "US-ASCII";
        case 28591:
            return "ISO-8859-1";
        case 65001:
            return "UTF-8";
        default:
            break;
    }
    if (codePage == 437 || codePage == 850 || codePage == 852 || codePage == 866)
        return "IBM" + QByteArray::number(codePage);
    return "windows-" + QByteArray::number(codePage);
}

// A framed, crossed box: a picture of a kind that the pane cannot draw. It is drawn at most
// 400 pixels a side and scaled to the size the picture is shown at.
QImage placeholder(int width, int height) {
    QImage image(std::clamp(width, 8, 400), std::clamp(height, 8, 400), QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    const int r = image.width() - 1, b = image.height() - 1;
    p.drawRect(0, 0, r, b);
    p.drawLine(0, 0, r, b);
    p.drawLine(0, b, r, 0);
    return image;
}

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument& document)
        : p_(data.constData()), end_(data.constData() + data.size()), doc_(document) {}

    void run();

private:
    struct Picture {
        QByteArray kind;
        QByteArray data;
        int picw = 0, pich = 0, goalW = 0, goalH = 0, scaleX = 100, scaleY = 100;
        int pendingNibble = -1;
        std::size_t depth = 0;  // the group that holds it
    };

    GroupState& state() { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view name, bool hasParam, int param);
    void controlSymbol(char c);
    void textByte(unsigned char byte);
    void textRun(const char* bytes, qsizetype n);
    void unicode(int value);
    void character(char16_t c);
    bool skipFallback();

    void appendChar(char16_t c);
    void decodeBytes();
    void flush();
    QTextCharFormat charFormat(const CharState& s);
    QTextBlockFormat blockFormat(const ParaState& p) const;
    QStringDecoder& decoder(int codePage);
    int codePageOf(int font) const;
    bool symbolFont(int font) const;

    void ensureContext(bool forceTable = false);
    void openParagraph();
    void startTable();
    void endTable();
    void moveToCell();
    void endParagraph();
    void endCell();
    void endRow();
    void finishPicture();
    void finishDocument();

    // Font and colour tables.
    void fontTableByte(unsigned char byte);
    void fontTableChar(char16_t c);
    int fontTableCodePage() const;
    void commitFont();
    void colorTableByte(unsigned char byte);

    const char* p_;
    const char* end_;
    QTextDocument& doc_;
    QTextCursor cursor_;

    std::vector<GroupState> stack_;
    std::size_t overflow_ = 0;  // groups opened beyond maxGroupDepth
    bool star_ = false;
    int ucSkip_ = 0;

    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    std::map<int, FontEntry> fonts_;
    int fontNumber_ = -1;
    int fontCharset_ = 0;
    int fontCodePage_ = 0;
    QByteArray fontName_;   // bytes of the name not yet decoded
    QString fontNameText_;  // the name decoded so far (\uN characters break it up)
    std::vector<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;

    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;

    // Text read but not yet in the document, all with the format of `pendingState_`.
    QByteArray bytes_;
    int bytesCodePage_ = 0;
    QString text_;
    CharState pendingState_;
    bool pendingSet_ = false;
    CharState formatState_;
    QTextCharFormat format_;
    bool formatSet_ = false;

    // Tables.
    QTextTable* table_ = nullptr;
    int row_ = 0, column_ = 0;
    bool rowDone_ = false;
    bool cellPending_ = false;
    std::vector<int> cellRight_;

    std::unique_ptr<Picture> picture_;
    int pictures_ = 0;
    bool pageBreak_ = false;
    // The cursor's paragraph has been ended by \par: the next content opens a new one.
    bool paragraphEnded_ = false;
};

void Reader::run() {
    doc_.clear();
    cursor_ = QTextCursor(&doc_);
    // One edit block for the whole text: the document's layout (and a view showing it) hears
    // of the change once, at the end, instead of at every run.
    QTextCursor(&doc_).beginEditBlock();
    stack_.reserve(64);
    stack_.push_back(GroupState{});
    while (p_ < end_) {
        const char c = *p_++;
        switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\': {
                if (p_ >= end_) break;
                if (!isLetter(*p_)) {
                    controlSymbol(*p_++);
                    break;
                }
                const char* start = p_;
                while (p_ < end_ && isLetter(*p_) && p_ - start < 32) ++p_;
                const std::string_view name(start, std::size_t(p_ - start));
                bool negative = false, hasParam = false;
                long long value = 0;
                if (p_ < end_ && *p_ == '-' && p_ + 1 < end_ && isDigit(p_[1])) {
                    negative = true;
                    ++p_;
                }
                const char* digits = p_;
                while (p_ < end_ && isDigit(*p_)) {
                    if (p_ - digits < 12) value = value * 10 + (*p_ - '0');
                    ++p_;
                }
                hasParam = p_ > digits;
                if (p_ < end_ && *p_ == ' ') ++p_;
                if (negative) value = -value;
                value = std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max());
                controlWord(name, hasParam, int(value));
                break;
            }
            case '\r':
            case '\n':
                break;
            case '\t':
                if (!skipFallback()) character(u'\t');
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20) {
                    const char* start = p_ - 1;
                    while (p_ < end_ && isRunByte(*p_)) ++p_;
                    textRun(start, p_ - start);
                }
                break;
        }
    }
    finishDocument();
    QTextCursor(&doc_).endEditBlock();
}

void Reader::openGroup() {
    ucSkip_ = 0;
    star_ = false;
    if (stack_.size() >= maxGroupDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(stack_.back());
}

void Reader::closeGroup() {
    ucSkip_ = 0;
    star_ = false;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) return;  // a stray closing brace
    const Destination leaving = state().destination;
    if (leaving == Destination::FontTable &&
        stack_[stack_.size() - 2].destination != Destination::FontTable) {
        commitFont();
    }
    stack_.pop_back();
    if (picture_ && stack_.size() < picture_->depth) finishPicture();
}

bool Reader::skipFallback() {
    if (ucSkip_ <= 0) return false;
    --ucSkip_;
    return true;
}

void Reader::controlSymbol(char c) {
    if (c == '\'') {
        int value = -1;
        if (end_ - p_ >= 2) {
            const int hi = hexValue(p_[0]), lo = hexValue(p_[1]);
            if (hi >= 0 && lo >= 0) value = hi * 16 + lo;
        }
        if (value < 0) return;
        p_ += 2;
        if (skipFallback()) return;
        textByte(static_cast<unsigned char>(value));
        return;
    }
    if (c == '*') {
        star_ = true;
        return;
    }
    if (skipFallback()) return;
    switch (c) {
        case '\\':
        case '{':
        case '}':
            textByte(static_cast<unsigned char>(c));
            break;
        case '~':
            character(u'\u00A0');
            break;
        case '-':
            character(u'\u00AD');
            break;
        case '_':
            character(u'\u2011');
            break;
        case '\r':
        case '\n':
            if (state().destination == Destination::Text) endParagraph();
            break;
        default:
            break;
    }
}

void Reader::controlWord(std::string_view name, bool hasParam, int param) {
    const bool starred = star_;
    star_ = false;
    const auto& table = words();
    const auto found = table.find(name);
    GroupState& s = state();

    if (s.destination == Destination::Skip) {
        if (found != table.end() && found->second.word == Word::Bin) {
            const long long n = std::clamp<long long>(param, 0, end_ - p_);
            p_ += n;
        }
        return;
    }
    if (found == table.end()) {
        // An unknown destination marked as ignorable is skipped with everything in it.
        if (starred)
            s.destination = Destination::Skip;
        else if (skipFallback())
            return;
        return;
    }
    const WordInfo info = found->second;
    if (starred && info.word != Word::Transparent && info.word != Word::Pict &&
        info.word != Word::FontTable && info.word != Word::ColorTable &&
        info.word != Word::Object) {
        s.destination = Destination::Skip;
        return;
    }
    if (info.word != Word::Bin && info.word != Word::U && skipFallback()) return;

    const auto on = [&] { return !hasParam || param != 0; };
    switch (info.word) {
        case Word::Rtf:
            break;
        case Word::Ansi:
            documentCodePage_ = 1252;
            break;
        case Word::Mac:
            documentCodePage_ = 10000;
            break;
        case Word::Pc:
            documentCodePage_ = 437;
            break;
        case Word::Pca:
            documentCodePage_ = 850;
            break;
        case Word::AnsiCpg:
            if (param > 0) documentCodePage_ = param;
            break;
        case Word::Deff:
            defaultFont_ = param;
            if (s.chr.font < 0) s.chr.font = param;
            break;
        case Word::Uc:
            s.uc = std::max(0, param);
            break;
        case Word::U:
            if (skipFallback()) return;
            unicode(param);
            ucSkip_ = s.uc;
            break;

        case Word::FontTable:
            s.destination = Destination::FontTable;
            fontNumber_ = -1;
            fontName_.clear();
            fontNameText_.clear();
            break;
        case Word::ColorTable:
            s.destination = Destination::ColorTable;
            colors_.clear();
            colorGiven_ = false;
            red_ = green_ = blue_ = 0;
            break;
        case Word::Pict:
            flush();
            s.destination = Destination::Picture;
            picture_ = std::make_unique<Picture>();
            picture_->depth = stack_.size();
            break;
        case Word::SkipDestination:
            s.destination = Destination::Skip;
            break;
        case Word::Transparent:
            if (s.destination == Destination::Discard) s.destination = Destination::Text;
            break;
        case Word::Object:
            if (s.destination == Destination::Text) s.destination = Destination::Discard;
            break;

        case Word::FontCharset:
            if (s.destination == Destination::FontTable) fontCharset_ = param;
            break;
        case Word::FontCodePage:
            if (s.destination == Destination::FontTable) fontCodePage_ = param;
            break;
        case Word::Red:
        case Word::Green:
        case Word::Blue:
            if (s.destination == Destination::ColorTable) {
                const int v = std::clamp(param, 0, 255);
                (info.word == Word::Red ? red_ : info.word == Word::Green ? green_ : blue_) = v;
                colorGiven_ = true;
            }
            break;

        case Word::Plain:
            s.chr = CharState{};
            s.chr.font = defaultFont_;
            break;
        case Word::F:
            if (s.destination == Destination::FontTable) {
                commitFont();
                fontNumber_ = param;
            } else {
                s.chr.font = param;
            }
            break;
        case Word::Fs:
            s.chr.halfPoints = param > 0 ? std::min(param, 3276) : 24;
            break;
        case Word::B:
            s.chr.bold = on();
            break;
        case Word::I:
            s.chr.italic = on();
            break;
        case Word::Ul:
            s.chr.underline = on();
            break;
        case Word::UlNone:
            s.chr.underline = false;
            break;
        case Word::Strike:
            s.chr.strike = on();
            break;
        case Word::V:
            s.chr.hidden = on();
            break;
        case Word::Cf:
            s.chr.color = std::max(0, param);
            break;
        case Word::Cb:
        case Word::Highlight:
            s.chr.background = std::max(0, param);
            break;
        case Word::Super:
            s.chr.script = Script::Super;
            break;
        case Word::Sub:
            s.chr.script = Script::Sub;
            break;
        case Word::NoSuperSub:
            s.chr.script = Script::Normal;
            break;
        case Word::Up:
            s.chr.script = (!hasParam || param > 0) ? Script::Super : Script::Normal;
            break;
        case Word::Dn:
            s.chr.script = (!hasParam || param > 0) ? Script::Sub : Script::Normal;
            break;

        case Word::Pard:
            s.para = ParaState{};
            break;
        case Word::Ql:
            s.para.alignment = Qt::AlignLeft;
            break;
        case Word::Qc:
            s.para.alignment = Qt::AlignHCenter;
            break;
        case Word::Qr:
            s.para.alignment = Qt::AlignRight;
            break;
        case Word::Qj:
            s.para.alignment = Qt::AlignJustify;
            break;
        case Word::Li:
            s.para.left = param;
            break;
        case Word::Ri:
            s.para.right = param;
            break;
        case Word::Fi:
            s.para.first = param;
            break;
        case Word::Sb:
            s.para.before = param;
            break;
        case Word::Sa:
            s.para.after = param;
            break;
        case Word::Sl:
            s.para.lineSpacing = param;
            break;
        case Word::SlMult:
            s.para.lineMultiple = on();
            break;
        case Word::InTable:
            s.para.inTable = true;
            break;
        case Word::PageBreakBefore:
            s.para.pageBreakBefore = on();
            break;
        case Word::TabStop:
            if (s.para.tabs.size() < 64) s.para.tabs.emplace_back(param, s.para.nextTab);
            s.para.nextTab = QTextOption::LeftTab;
            break;
        case Word::TabKind:
            s.para.nextTab = QTextOption::TabType(info.character);
            break;

        case Word::Par:
            if (s.destination == Destination::Text) endParagraph();
            break;
        case Word::Line:
            character(u'\u2028');
            break;
        case Word::Tab:
            character(u'\t');
            break;
        case Word::Page:
            if (s.destination == Destination::Text) {
                endParagraph();
                pageBreak_ = true;
            }
            break;
        case Word::Cell:
            if (s.destination == Destination::Text) endCell();
            break;
        case Word::Row:
            if (s.destination == Destination::Text) endRow();
            break;
        case Word::RowDefinition:
            cellRight_.clear();
            break;
        case Word::CellRight:
            if (cellRight_.size() < 64) cellRight_.push_back(param);
            break;
        case Word::NestedCell:
            character(u'\t');
            break;
        case Word::NestedRow:
            character(u'\u2028');
            break;

        case Word::Character:
            character(info.character);
            break;

        case Word::PictureKind:
            if (picture_ && s.destination == Destination::Picture) {
                picture_->kind = QByteArray(name.data(), qsizetype(name.size()));
                if (hasParam) picture_->kind += QByteArray::number(param);
            }
            break;
        case Word::PicW:
        case Word::PicH:
        case Word::PicWGoal:
        case Word::PicHGoal:
        case Word::PicScaleX:
        case Word::PicScaleY:
            if (picture_ && s.destination == Destination::Picture) {
                const int v = std::max(0, param);
                switch (info.word) {
                    case Word::PicW:
                        picture_->picw = v;
                        break;
                    case Word::PicH:
                        picture_->pich = v;
                        break;
                    case Word::PicWGoal:
                        picture_->goalW = v;
                        break;
                    case Word::PicHGoal:
                        picture_->goalH = v;
                        break;
                    case Word::PicScaleX:
                        picture_->scaleX = v;
                        break;
                    default:
                        picture_->scaleY = v;
                        break;
                }
            }
            break;
        case Word::Bin: {
            const long long n = std::clamp<long long>(param, 0, end_ - p_);
            if (skipFallback()) {
                p_ += n;
                return;
            }
            if (picture_ && s.destination == Destination::Picture)
                picture_->data.append(p_, qsizetype(n));
            p_ += n;
            break;
        }
    }
}

void Reader::textByte(unsigned char byte) {
    GroupState& s = state();
    switch (s.destination) {
        case Destination::Text:
            break;
        case Destination::FontTable:
            if (!skipFallback()) fontTableByte(byte);
            return;
        case Destination::ColorTable:
            colorTableByte(byte);
            return;
        case Destination::Picture:
            if (picture_) {
                const int v = hexValue(char(byte));
                if (v < 0) return;
                if (picture_->pendingNibble < 0) {
                    picture_->pendingNibble = v;
                } else {
                    picture_->data.append(char(picture_->pendingNibble * 16 + v));
                    picture_->pendingNibble = -1;
                }
            }
            return;
        case Destination::Discard:
        case Destination::Skip:
            return;
    }
    if (skipFallback() || s.chr.hidden) return;
    if (!pendingSet_ || !(pendingState_ == s.chr)) {
        flush();
        pendingState_ = s.chr;
        pendingSet_ = true;
    }
    if (symbolFont(s.chr.font)) {
        decodeBytes();
        text_.append(QChar(symbolfont::toUnicode(byte)));
        return;
    }
    const int cp = codePageOf(s.chr.font);
    if (!bytes_.isEmpty() && cp != bytesCodePage_) decodeBytes();
    bytesCodePage_ = cp;
    bytes_.append(char(byte));
}

// Consecutive text bytes: picture data decoded at once, plain text appended at once.
void Reader::textRun(const char* bytes, qsizetype n) {
    while (n > 0 && ucSkip_ > 0) {
        textByte(static_cast<unsigned char>(*bytes++));
        --n;
    }
    if (n <= 0) return;
    GroupState& s = state();
    if (s.destination == Destination::Picture) {
        if (!picture_) return;
        QByteArray& data = picture_->data;
        const qsizetype before = data.size();
        data.resize(before + n / 2 + 1);
        char* out = data.data() + before;
        int& pending = picture_->pendingNibble;
        for (qsizetype i = 0; i < n; ++i) {
            const int v = hexValue(bytes[i]);
            if (v < 0) continue;
            if (pending < 0) {
                pending = v;
            } else {
                *out++ = char(pending * 16 + v);
                pending = -1;
            }
        }
        data.resize(out - data.constData());
        return;
    }
    if (s.destination != Destination::Text || s.chr.hidden || symbolFont(s.chr.font)) {
        for (qsizetype i = 0; i < n; ++i) textByte(static_cast<unsigned char>(bytes[i]));
        return;
    }
    if (!pendingSet_ || !(pendingState_ == s.chr)) {
        flush();
        pendingState_ = s.chr;
        pendingSet_ = true;
    }
    const int cp = codePageOf(s.chr.font);
    if (!bytes_.isEmpty() && cp != bytesCodePage_) decodeBytes();
    bytesCodePage_ = cp;
    bytes_.append(bytes, n);
}

void Reader::unicode(int value) {
    char16_t c = char16_t(value < 0 ? value + 65536 : value);
    if (c == 0) return;
    if (state().destination == Destination::FontTable) {
        fontTableChar(c);
        return;
    }
    // Word writes the Symbol font's glyphs at U+F020 to U+F0FF.
    if (c >= 0xF020 && c <= 0xF0FF && symbolFont(state().chr.font))
        c = symbolfont::toUnicode(static_cast<unsigned char>(c & 0xFF));
    appendChar(c);
}

void Reader::character(char16_t c) {
    if (skipFallback()) return;
    appendChar(c);
}

void Reader::appendChar(char16_t c) {
    GroupState& s = state();
    if (s.destination != Destination::Text || s.chr.hidden) return;
    if (!pendingSet_ || !(pendingState_ == s.chr)) {
        flush();
        pendingState_ = s.chr;
        pendingSet_ = true;
    }
    decodeBytes();
    text_.append(QChar(c));
}

QStringDecoder& Reader::decoder(int codePage) {
    auto& d = decoders_[codePage];
    if (!d) {
        d = std::make_unique<QStringDecoder>(converterName(codePage).constData(),
                                             QStringConverter::Flag::Stateless);
        if (!d->isValid())
            d = std::make_unique<QStringDecoder>("windows-1252", QStringConverter::Flag::Stateless);
    }
    return *d;
}

int Reader::codePageOf(int font) const {
    const auto it = fonts_.find(font);
    if (it != fonts_.end() && it->second.codePage != 0) return it->second.codePage;
    return documentCodePage_;
}

bool Reader::symbolFont(int font) const {
    const auto it = fonts_.find(font);
    return it != fonts_.end() && it->second.symbol;
}

void Reader::decodeBytes() {
    if (bytes_.isEmpty()) return;
    text_.append(QString(decoder(bytesCodePage_).decode(bytes_)));
    bytes_.clear();
}

QTextCharFormat Reader::charFormat(const CharState& s) {
    if (formatSet_ && formatState_ == s) return format_;
    QTextCharFormat f;
    const auto it = fonts_.find(s.font);
    QString family = it != fonts_.end() ? it->second.name : QString();
    if (family.isEmpty() || (it != fonts_.end() && it->second.symbol))
        family = it != fonts_.end() && it->second.symbol ? symbolfont::unicodeFamily()
                                                         : QStringLiteral("Times New Roman");
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(s.halfPoints / 2.0);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontStrikeOut(s.strike);
    if (s.color > 0 && std::size_t(s.color) < colors_.size() && colors_[s.color].isValid())
        f.setForeground(colors_[s.color]);
    if (s.background > 0 && std::size_t(s.background) < colors_.size() &&
        colors_[s.background].isValid())
        f.setBackground(colors_[s.background]);
    if (s.script == Script::Super) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (s.script == Script::Sub) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    formatState_ = s;
    format_ = f;
    formatSet_ = true;
    return f;
}

QTextBlockFormat Reader::blockFormat(const ParaState& p) const {
    QTextBlockFormat f;
    f.setAlignment(p.alignment);
    f.setLeftMargin(p.left / twipsPerPixel);
    f.setRightMargin(p.right / twipsPerPixel);
    f.setTextIndent(p.first / twipsPerPixel);
    f.setTopMargin(p.before / twipsPerPixel);
    f.setBottomMargin(p.after / twipsPerPixel);
    if (p.lineSpacing != 0) {
        if (p.lineMultiple)
            f.setLineHeight(std::abs(p.lineSpacing) * 100.0 / 240.0,
                            QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing / twipsPerPixel, QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(-double(p.lineSpacing) / twipsPerPixel, QTextBlockFormat::FixedHeight);
    }
    if (p.pageBreakBefore || pageBreak_) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    // Word processors also stop a tab at the left indent of a hanging first line.
    QList<QTextOption::Tab> tabs;
    for (const auto& [at, kind] : p.tabs)
        if (at > 0 && at < 100000)
            tabs << QTextOption::Tab(at / twipsPerPixel, kind,
                                     kind == QTextOption::DelimiterTab ? QChar(u',') : QChar());
    if (p.first < 0 && p.left > 0 && p.tabs.empty())
        tabs << QTextOption::Tab(p.left / twipsPerPixel, QTextOption::LeftTab);
    if (!tabs.isEmpty()) f.setTabPositions(tabs);
    return f;
}

void Reader::flush() {
    decodeBytes();
    if (text_.isEmpty()) return;
    ensureContext();
    openParagraph();
    cursor_.insertText(text_, charFormat(pendingState_));
    text_.clear();
}

// Puts the cursor where the next paragraph content goes: into the table when the paragraph is
// one of its cells, out of it when it is not.
void Reader::ensureContext(bool forceTable) {
    const bool inTable = forceTable || state().para.inTable;
    if (!inTable) {
        if (table_) endTable();
        return;
    }
    if (!table_) {
        startTable();
        return;
    }
    if (rowDone_) {
        table_->appendRows(1);
        ++row_;
        column_ = 0;
        rowDone_ = false;
        cellPending_ = true;
    }
    if (column_ >= table_->columns()) {
        table_->appendColumns(column_ - table_->columns() + 1);
        cellPending_ = true;
    }
    if (cellPending_) moveToCell();
}

void Reader::openParagraph() {
    if (!paragraphEnded_) return;
    cursor_.insertBlock();
    paragraphEnded_ = false;
}

void Reader::startTable() {
    const int columns = std::max<int>(1, int(cellRight_.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QColor(128, 128, 128));
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    if (int(cellRight_.size()) == columns && columns > 0) {
        QList<QTextLength> widths;
        int left = 0;
        for (int right : cellRight_) {
            widths << QTextLength(QTextLength::FixedLength,
                                  std::clamp(right - left, 30, 30000) / twipsPerPixel);
            left = right;
        }
        format.setColumnWidthConstraints(widths);
    }
    // The table follows the paragraph that \par ended; the document always has a paragraph
    // after a table, where the text goes on.
    paragraphEnded_ = false;
    table_ = cursor_.insertTable(1, columns, format);
    row_ = 0;
    column_ = 0;
    rowDone_ = false;
    cellPending_ = true;
    moveToCell();
}

void Reader::endTable() {
    table_ = nullptr;
    cursor_.movePosition(QTextCursor::End);
    paragraphEnded_ = false;
}

void Reader::moveToCell() {
    cursor_ = table_->cellAt(row_, column_).lastCursorPosition();
    cellPending_ = false;
    paragraphEnded_ = false;
}

void Reader::endParagraph() {
    flush();
    ensureContext();
    openParagraph();
    const GroupState& s = state();
    cursor_.setBlockFormat(blockFormat(s.para));
    cursor_.setBlockCharFormat(charFormat(s.chr));
    pageBreak_ = false;
    paragraphEnded_ = true;
}

void Reader::endCell() {
    flush();
    ensureContext(true);
    openParagraph();
    const GroupState& s = state();
    cursor_.setBlockFormat(blockFormat(s.para));
    cursor_.setBlockCharFormat(charFormat(s.chr));
    pageBreak_ = false;
    ++column_;
    cellPending_ = true;
}

void Reader::endRow() {
    flush();
    if (!table_) return;
    rowDone_ = true;
    cellPending_ = false;
}

void Reader::finishPicture() {
    const std::unique_ptr<Picture> pict = std::move(picture_);
    if (!pict || state().destination != Destination::Text) return;
    const bool bitmap = pict->kind == "pngblip" || pict->kind == "jpegblip";
    QImage image;
    if (bitmap) image = QImage::fromData(pict->data);
    // The size shown: the goal size in twips, else the picture's own size (pixels for bitmaps,
    // hundredths of a millimetre for metafiles), scaled in percent.
    double w = pict->goalW / twipsPerPixel, h = pict->goalH / twipsPerPixel;
    if (w <= 0 || h <= 0) {
        if (!image.isNull()) {
            w = image.width();
            h = image.height();
        } else if (bitmap) {
            w = pict->picw;
            h = pict->pich;
        } else {
            w = pict->picw * 96.0 / 2540.0;
            h = pict->pich * 96.0 / 2540.0;
        }
    }
    w = w * pict->scaleX / 100.0;
    h = h * pict->scaleY / 100.0;
    if (w < 1 || h < 1) {
        w = image.isNull() ? 96 : image.width();
        h = image.isNull() ? 48 : image.height();
    }
    w = std::min<double>(w, maxPictureSide);
    h = std::min<double>(h, maxPictureSide);
    if (image.isNull()) image = placeholder(int(w), int(h));

    QUrl name;
    do {
        name = QUrl(QStringLiteral("rtfimage:%1").arg(++pictures_));
    } while (doc_.resource(QTextDocument::ImageResource, name).isValid());
    doc_.addResource(QTextDocument::ImageResource, name, image);
    doc_.addResource(
        PictureSourceResource, pictureSourceName(name.toString()),
        QVariant::fromValue(PictureSource{pict->kind, pict->data, pict->picw, pict->pich}));
    flush();
    ensureContext();
    openParagraph();
    // The picture carries the font around it, which text typed after it takes.
    QTextImageFormat format;
    format.merge(charFormat(state().chr));
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    format.setName(name.toString());
    format.setWidth(w);
    format.setHeight(h);
    cursor_.insertImage(format);
}

void Reader::finishDocument() {
    flush();
    while (stack_.size() > 1) stack_.pop_back();
    if (picture_) picture_.reset();
    if (table_) endTable();
    // The last paragraph, when no \par ended it, takes the properties in force at the end.
    if (paragraphEnded_) return;
    const QTextBlock block = cursor_.block();
    if (block.length() > 1 || !block.previous().isValid()) {
        cursor_.setBlockFormat(blockFormat(state().para));
        if (block.length() <= 1) cursor_.setBlockCharFormat(charFormat(state().chr));
    }
}

void Reader::fontTableByte(unsigned char byte) {
    if (byte == ';') {
        commitFont();
        return;
    }
    if (fontNumber_ >= 0) fontName_.append(char(byte));
}

// A font name's character given as \uN: the bytes before it are decoded in the font's code
// page first.
void Reader::fontTableChar(char16_t c) {
    if (fontNumber_ < 0) return;
    fontNameText_ += QString(decoder(fontTableCodePage()).decode(fontName_));
    fontName_.clear();
    fontNameText_ += QChar(c);
}

int Reader::fontTableCodePage() const {
    const int cp = fontCodePage_ > 0 ? fontCodePage_ : codePageOfCharset(fontCharset_);
    return cp > 0 ? cp : documentCodePage_;
}

void Reader::commitFont() {
    if (fontNumber_ < 0) return;
    FontEntry entry;
    entry.codePage = fontCodePage_ > 0 ? fontCodePage_ : codePageOfCharset(fontCharset_);
    entry.name =
        (fontNameText_ + QString(decoder(fontTableCodePage()).decode(fontName_))).trimmed();
    entry.symbol = symbolfont::isSymbolFont(entry.name);
    if (!fonts_.count(fontNumber_) || !entry.name.isEmpty()) fonts_[fontNumber_] = entry;
    fontNumber_ = -1;
    fontCharset_ = 0;
    fontCodePage_ = 0;
    fontName_.clear();
    fontNameText_.clear();
    formatSet_ = false;
}

void Reader::colorTableByte(unsigned char byte) {
    if (byte != ';') return;
    colors_.push_back(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    colorGiven_ = false;
    formatSet_ = false;
}

}  // namespace

QUrl pictureSourceName(const QString& imageName) {
    return QUrl(QStringLiteral("rtfsource:") + imageName);
}

bool isRtf(const QByteArray& data) {
    qsizetype i = 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

void read(const QByteArray& data, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    Reader(data, document).run();
    document.setUndoRedoEnabled(undo);
}

}  // namespace ondalis::rtf
