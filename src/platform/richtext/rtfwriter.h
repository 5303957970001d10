#pragma once

#include <QByteArray>

class QTextDocument;

namespace ondalis::rtf {

// A complete RTF document for `document`, as WordPad, Word and LibreOffice read it:
// "{\rtf1\ansi\ansicpg1252", a font table and a colour table, each paragraph with its
// alignment, indents and spacing, each run in its own group with its font, size, colour,
// bold, italic, underline, strike-through, exponent or index. Characters of Windows-1252 are
// written as themselves or \'hh, the others as \uN with "?" for readers without Unicode.
// Tables are written as RTF rows; pictures as they were read (PNG and JPEG bytes kept as
// they came), pictures from elsewhere as PNG.
QByteArray write(const QTextDocument& document);

}  // namespace ondalis::rtf
