// The scene's geometry: the pointer's position along the rod and the solid under it.
#include "scene/scenegeometry.h"

#include <gtest/gtest.h>

namespace ondalis {
namespace {

struct PointerCase {
    int x, y;
    float position;  // the solid's position, cm
    float x0;        // what the pointer gives
    bool overSolid;
};

class ScenePointer : public testing::TestWithParam<PointerCase> {};

TEST_P(ScenePointer, GivesAClampedRoundedPositionAndFindsTheSolid) {
    const PointerCase& c = GetParam();
    EXPECT_EQ(positionFromPointer(c.x), c.x0);
    EXPECT_EQ(pointerOverSolid(c.x, c.y, c.position), c.overSolid);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, ScenePointer,
    testing::Values(PointerCase{900, 21, 0, 10, false}, PointerCase{0, 21, 0, -10, false},
                    PointerCase{463, 21, 0, 0.433f, true}, PointerCase{436, 7, 0, -0.467f, true},
                    PointerCase{435, 21, 0, -0.5f, false}, PointerCase{465, 21, 0, 0.5f, false},
                    PointerCase{600, 6, 5, 5, false}, PointerCase{600, 32, 5, 5, false},
                    PointerCase{614, 31, 5, 5.47f, true}));

}  // namespace
}  // namespace ondalis
