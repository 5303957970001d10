#include "platform/richtext/rtfreader.h"

#include <QTextDocument>
#include <algorithm>
#include <limits>

#include "platform/richtext/rtfreader_p.h"
#include "platform/richtext/symbolfont.h"

namespace ondalis::rtf {

namespace detail {

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

void Reader::colorTableByte(unsigned char byte) {
    if (byte != ';') return;
    colors_.push_back(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    colorGiven_ = false;
    formatSet_ = false;
}

}  // namespace detail

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
    detail::Reader(data, document).run();
    document.setUndoRedoEnabled(undo);
}

}  // namespace ondalis::rtf
