#pragma once

#include <QString>

namespace ondalis {

// The "Symbol" font is not a code page but a font encoding: its byte 0x6C draws λ, 0x77 ω,
// 0x44 Δ, 0xAE →. Texts written in that font (physics statements do it for Greek letters and
// arrows) are read as the Unicode characters the glyphs show, which any Unicode font draws.
namespace symbolfont {

// Whether a font-table name is the Symbol font.
bool isSymbolFont(const QString& family);

// The family that shows a Symbol-font text once it is read as Unicode ("DejaVu Sans", which
// has the Greek letters and the signs). A document never holds Unicode text in the Symbol font
// itself: its text would be read through the table below when saved and read again.
QString unicodeFamily();

// The Unicode character drawn by byte `byte` of the Symbol font (0x20 to 0xFE; other bytes and
// the unassigned 0xF0 map to themselves as Latin-1).
char16_t toUnicode(unsigned char byte);

}  // namespace symbolfont
}  // namespace ondalis
