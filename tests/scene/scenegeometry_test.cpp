// The scene's geometry: the pointer's position along the rod and the solid under it.
#include "scene/scenegeometry.h"

#include <gtest/gtest.h>

#include <QtCore/qnamespace.h>

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

namespace ondalis {
namespace {

struct KeyCase {
    int key;
    bool fine;
    float from, to;
};

class SceneKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(SceneKeys, MoveTheStartingPositionAsASliderWithinTheFieldsRange) {
    const KeyCase& c = GetParam();
    const std::optional<float> x0 = keyedPosition(c.key, c.fine, c.from);
    ASSERT_TRUE(x0.has_value());
    EXPECT_EQ(*x0, c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SceneKeys,
    testing::Values(KeyCase{Qt::Key_Right, false, 0, 1}, KeyCase{Qt::Key_Left, false, 0, -1},
                    KeyCase{Qt::Key_Up, false, 2, 3}, KeyCase{Qt::Key_Down, false, 2, 1},
                    KeyCase{Qt::Key_Right, true, 3, 3.2f}, KeyCase{Qt::Key_Right, true, 3.2f, 3.4f},
                    KeyCase{Qt::Key_Left, true, 0, -0.2f}, KeyCase{Qt::Key_PageUp, false, 0, 2},
                    KeyCase{Qt::Key_PageDown, false, -9, -10}, KeyCase{Qt::Key_Home, false, 4, -10},
                    KeyCase{Qt::Key_End, true, 4, 10}, KeyCase{Qt::Key_Right, false, 9.5f, 10},
                    KeyCase{Qt::Key_Left, false, -10, -10},
                    // From a dragged position the step keeps three significant digits.
                    KeyCase{Qt::Key_Right, false, 0.433f, 1.43f},
                    KeyCase{Qt::Key_Right, true, -0.2f, 0}));

TEST(SceneKeys, OtherKeysGiveNothing) {
    for (int key : {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_A, Qt::Key_F11})
        EXPECT_FALSE(keyedPosition(key, false, 0).has_value()) << key;
}

}  // namespace
}  // namespace ondalis
