#include "scene/scenegeometry.h"

#include <cmath>

#include "simulation/parameters.h"

namespace ondalis {

float positionFromPointer(int x) {
    return validatedParameter(PositionField, float(x - 450) / 30.0f);
}

bool pointerOverSolid(int x, int y, float position) {
    return std::abs(x - sceneX(position)) < 15 && y > 6 && y < 32;
}

}  // namespace ondalis
