#pragma once

// What the pieces of the RTF reader share: the group state, the control words, the code pages
// and the reader itself. The tokenizer and the group state are in rtfreader.cpp, the control-word
// table in rtfwords.cpp, the code pages and the font table in rtfcodepages.cpp, the document
// builder in rtfdocument.cpp.

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class QTextDocument;
class QTextTable;

namespace ondalis::rtf::detail {

// One pixel of the screen is 15 twips (1440 twips per inch at 96 pixels per inch).
inline constexpr double twipsPerPixel = 15.0;
// Deeper groups share the state of the deepest one kept: no input can make the reader hold
// more than this many group states.
inline constexpr std::size_t maxGroupDepth = 512;
// Pictures and placeholders are never drawn larger than this, whatever the file claims.
inline constexpr int maxPictureSide = 4000;

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

// The control words the reader knows, by name.
const std::unordered_map<std::string_view, WordInfo>& words();

inline int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A byte that is text wherever it stands: not a group, not a control word, not a line end.
inline bool isRunByte(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != '\\' && c != '{' && c != '}';
}

inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The code page of a font-table \fcharset; 0 stands for the document's own code page.
int codePageOfCharset(int charset);
// The name Qt knows a Windows code page by.
QByteArray converterName(int codePage);

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

}  // namespace ondalis::rtf::detail
