#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QUrl>

class QTextDocument;

namespace ondalis::rtf {

// Rich Text Format, as WordPad, Word and LibreOffice write it, read into a Qt text document.
//
// The reader keeps what a statement needs: the text in its code pages (\ansicpg, the font
// table's \fcharset, \uN with its \ucN fallback), the Symbol font's letters as Unicode, fonts,
// sizes, colours, bold, italic, underline, strike-through, exponents and indices, paragraph
// alignment, indents and spacing, tabs, line and page breaks, simple tables (as QTextTable) and
// pictures. PNG and JPEG pictures are shown; other kinds (metafiles, bitmaps) show a framed
// placeholder of the picture's size. Destinations it does not know are skipped; a field shows
// its result.
//
// Any input at all gives a document: the reader never fails, never recurses and reads every
// byte at most a fixed number of times.

// The first bytes are those of an RTF file ("{\rtf", leading white space allowed).
bool isRtf(const QByteArray& data);

// Replaces the whole content of `document` with the text read from `data`.
void read(const QByteArray& data, QTextDocument& document);

// The bytes a picture was read from, kept as a document resource (of this type, under the
// name pictureSourceName() gives) beside the picture shown, so that saving writes the picture
// back as it came.
inline constexpr int PictureSourceResource = 100;  // QTextDocument::UserResource
QUrl pictureSourceName(const QString& imageName);

struct PictureSource {
    QByteArray kind;  // the picture's control word and parameter: "pngblip", "wmetafile8"...
    QByteArray data;  // the picture's bytes
    int width = 0;    // \picw, \pich: pixels for bitmaps, hundredths of a millimetre for
    int height = 0;   //   metafiles
};

}  // namespace ondalis::rtf

Q_DECLARE_METATYPE(ondalis::rtf::PictureSource)
