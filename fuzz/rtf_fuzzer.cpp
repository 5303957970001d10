// Any bytes at all handed to the RTF reader: it must end, never crash, and give a document;
// that document written as RTF and read again gives the same text.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

namespace {

// The text a reader can be asked to give back: what the writer cannot store (control
// characters, an object character that is not a picture) left out, line ends unified.
QString comparable(const QTextDocument& doc) {
    QString out;
    for (const QChar c : doc.toPlainText()) {
        if (c == QChar::ObjectReplacementCharacter || (c < QChar(0x20) && c != u'\t' && c != u'\n'))
            continue;
        out += c;
    }
    return out;
}

// Every group the writer opens it closes; escaped braces are text.
bool balanced(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rtf_fuzzer";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument doc;
    ondalis::rtf::read(bytes, doc);
    const QString text = doc.toPlainText();

    // Bytes without any RTF syntax are plain text, read as they are.
    bool plain = true;
    for (const char c : bytes)
        plain = plain && c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
    if (plain && text != QString::fromLatin1(bytes)) std::abort();

    const QByteArray saved = ondalis::rtf::write(doc);
    if (!ondalis::rtf::isRtf(saved) || !balanced(saved)) std::abort();
    QTextDocument again;
    ondalis::rtf::read(saved, again);
    if (comparable(again) != comparable(doc)) std::abort();
    return 0;
}
