#include "scene/scenegeometry.h"

#include <QtCore/qnamespace.h>
#include <cmath>

#include "simulation/parameters.h"

namespace ondalis {

float positionFromPointer(int x) {
    return validatedParameter(PositionField, float(x - 450) / 30.0f);
}

bool pointerOverSolid(int x, int y, float position) {
    return std::abs(x - sceneX(position)) < 15 && y > 6 && y < 32;
}

std::optional<float> keyedPosition(int key, bool fine, float x0) {
    const double step = fine ? 0.2 : 1.0;
    double x = x0;
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            x -= step;
            break;
        case Qt::Key_Right:
        case Qt::Key_Up:
            x += step;
            break;
        case Qt::Key_PageUp:
            x += 2.0;
            break;
        case Qt::Key_PageDown:
            x -= 2.0;
            break;
        case Qt::Key_Home:
            x = -10.0;
            break;
        case Qt::Key_End:
            x = 10.0;
            break;
        default:
            return std::nullopt;
    }
    // x0 is a float of at most three significant digits: the sum is taken back to a tenth of a
    // micrometre, so that -0,2 + 0,2 gives 0 and not a float's residue.
    return validatedParameter(PositionField, float(std::round(x * 1e4) / 1e4));
}

}  // namespace ondalis
