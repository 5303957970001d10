#include "platform/canvas/palette.h"

namespace ondalis {

QColor qbColor(int index) {
    static constexpr int rgb[16][3] = {
        {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
        {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    };
    const auto& c = rgb[index & 15];
    return QColor(c[0], c[1], c[2]);
}

}  // namespace ondalis
