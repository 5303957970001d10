#pragma once

#include <QColor>
#include <cstdint>

namespace ondalis {

// The classic 16-colour palette (0 black, 7 light grey, 8 dark grey, 9 light blue, 15 white).
QColor qbColor(int index);

// Colours stored as red + 256 * green + 65536 * blue.
inline std::int32_t toColorValue(const QColor& c) {
    return c.red() + 256 * c.green() + 65536 * c.blue();
}
inline QColor fromColorValue(std::int64_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

}  // namespace ondalis
