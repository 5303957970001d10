// Any bytes at all read as an exercise index file (".E41", "SPIREX.PEM"): the reader must end,
// never crash, and what it makes of the bytes must hold together: the preview reads records 3
// and 4 as the files do, and its stars and hourglasses stay within what the catalogue shows.
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

#include "exercises/exerciseindex.h"

namespace exercises = ondalis::exercises;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto files = exercises::exerciseFiles(bytes);
    const auto preview = exercises::exercisePreview(bytes);
    // Records 1 to 4 read: so do 3 and 4, and both see the same correction.
    if (files && (!preview || preview->corrected != files->corrected())) __builtin_trap();
    if (!preview) return 0;
    if (preview->stars < 0 || preview->stars > exercises::MaxStars) __builtin_trap();
    if (preview->hourglasses < 0 || preview->hourglasses > exercises::MaxHourglasses)
        __builtin_trap();
    // Four notions of at most 126 bytes each, one character per byte.
    if (preview->notions.size() > 4 * 126 || preview->title.size() > 126) __builtin_trap();
    return 0;
}
