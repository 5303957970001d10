#include <QString>

#include "platform/richtext/rtfreader_p.h"
#include "platform/richtext/symbolfont.h"

namespace ondalis::rtf::detail {

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

}  // namespace ondalis::rtf::detail
