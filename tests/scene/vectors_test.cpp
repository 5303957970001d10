// The vectors: their lengths, thresholds, places, colours and arrow heads.
#include "scene/vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/canvas/canvas.h"

namespace ondalis {
namespace {

const QColor Tension(0, 0, 192);
const QColor Friction(192, 0, 0);
const QColor Velocity(255, 128, 0);

struct LengthCase {
    double value;
    int scale;
    int exponent;
    long long length;
};

class VectorLength : public testing::TestWithParam<LengthCase> {};

TEST_P(VectorLength, IsValueTimesPixelsPerDecadeRoundedHalfToEven) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(vectorLength(c.value, c.scale, c.exponent), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VectorLength,
    testing::Values(LengthCase{-0.5, -10, 0, -55},  // tension for k = 10, x = 5 cm
                    LengthCase{0.5, 95, 0, 2},      // 2.5 -> 2
                    LengthCase{-0.5, 95, 0, -2},    // -2.5 -> -2
                    LengthCase{1.5, 95, 0, 8},      // 7.5 -> 8
                    LengthCase{5, 0, 1, 50},        // one decade of 10 N is 100 px
                    LengthCase{0.05, 10, -2, 450},  // 0.05 N at the 0.01 N decade, 90 px each
                    LengthCase{0.3, 70, 0, 9},      // default velocity scale: 30 px per m/s
                    LengthCase{2, -50, 2, 3}));     // 2 N at the 100 N decade, 150 px each

// A white 785 × 57 surface with the solid's centre at (600, 21).
class Vectors : public testing::Test {
protected:
    Vectors() {
        scene_.setImageSize(QSize(785, 57));
        scene_.setBackColor(Qt::white);
    }
    QColor at(int x, int y) const { return scene_.image().pixelColor(x, y); }
    int count(const QColor& c) const {
        int n = 0;
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < 785; ++x)
                if (at(x, y) == c) ++n;
        return n;
    }
    // Columns and rows holding the colour: {left, right, top, bottom}.
    std::array<int, 4> extent(const QColor& c) const {
        std::array<int, 4> e{785, -1, 57, -1};
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < 785; ++x)
                if (at(x, y) == c) {
                    e[0] = std::min(e[0], x);
                    e[1] = std::max(e[1], x);
                    e[2] = std::min(e[2], y);
                    e[3] = std::max(e[3], y);
                }
        return e;
    }

    Canvas scene_;
    static constexpr int gx = 600, gy = 21;
};

TEST_F(Vectors, TensionOfMinus55PixelsPointsFromTheSolidTowardsTheWall) {
    VectorView view;
    view.forcesShown = true;  // force scale -10, nF = 0
    lesvecteurs(scene_, gx, gy, view, 5, 0, 0, 10, 0);
    // Shaft from Gx - 15 - 55 = 530 to the solid's left face at 585, two pixels thick.
    for (int x = 530; x <= 585; ++x) EXPECT_EQ(at(x, gy), Tension) << x;
    EXPECT_NE(at(586, gy), Tension);
    // Head: two strokes from the tip back to (540, 16) and (540, 26).
    EXPECT_EQ(at(540, 16), Tension);
    EXPECT_EQ(at(540, 26), Tension);
    EXPECT_EQ(at(535, 18), Tension);
    EXPECT_EQ(at(535, 24), Tension);
    const auto e = extent(Tension);
    EXPECT_GE(e[0], 529) << "nothing left of the tip";
    EXPECT_EQ(e[2], 15);
    EXPECT_EQ(e[3], 26);
    for (int y : {15, 16, 17, 24, 25, 26})
        for (int x = 541; x < 785; ++x) ASSERT_NE(at(x, y), Tension) << x << "," << y;
    EXPECT_EQ(scene_.drawWidth(), 1) << "line width back to 1";
}

TEST_F(Vectors, FrictionIsAtTheCentreOnePixelLowerAgainstTheVelocity) {
    VectorView view;
    view.forcesShown = true;
    // f = -0.2 × 1 = -0.2 N: 22 pixels to the left of Gx, on the line Gy + 1.
    lesvecteurs(scene_, gx, gy, view, 0, 1, 1, 10, 0.2f);
    EXPECT_EQ(count(Tension), 0);
    for (int x = 578; x <= 600; ++x) EXPECT_EQ(at(x, gy + 1), Friction) << x;
    EXPECT_EQ(at(588, gy + 1 - 5), Friction) << "head's upper stroke end";
    EXPECT_EQ(at(588, gy + 1 + 5), Friction) << "head's lower stroke end";
    EXPECT_NE(at(601, gy + 1), Friction);
}

TEST_F(Vectors, VelocityStartsAtTheCentre) {
    VectorView view;
    view.velocityShown = true;  // scale 70: 30 px per m/s
    lesvecteurs(scene_, gx, gy, view, 0, 2, 0.5, 10, 0.2f);
    for (int x = 600; x <= 660; ++x) EXPECT_EQ(at(x, gy), Velocity) << x;
    EXPECT_EQ(at(650, 16), Velocity) << "head points right";
    EXPECT_EQ(at(650, 26), Velocity);
    EXPECT_LE(extent(Velocity)[1], 661);
    EXPECT_GE(extent(Velocity)[0], 599);
}

TEST_F(Vectors, VelocityIsDrawnOverTheForces) {
    VectorView view;
    view.velocityShown = true;
    view.forcesShown = true;
    view.velocityScale = 0;
    // Tension to the left of the solid's face, velocity to the left of the centre: they overlap.
    lesvecteurs(scene_, gx, gy, view, 5, -1, 0.5, 10, 0);
    EXPECT_EQ(at(560, gy), Velocity);
    EXPECT_EQ(at(540, gy), Velocity);
    EXPECT_GT(count(Tension), 0);
}

TEST_F(Vectors, UsesTheSwatchColours) {
    VectorView view;
    view.velocityShown = true;
    view.forcesShown = true;
    view.velocityColor = QColor(1, 2, 3);
    view.tensionColor = QColor(4, 5, 6);
    view.frictionColor = QColor(7, 8, 9);
    lesvecteurs(scene_, gx, gy, view, 5, 1, 0.5, 10, 1);
    EXPECT_GT(count(QColor(1, 2, 3)), 0);
    EXPECT_GT(count(QColor(4, 5, 6)), 0);
    EXPECT_GT(count(QColor(7, 8, 9)), 0);
    EXPECT_EQ(count(Velocity) + count(Tension) + count(Friction), 0);
}

struct Threshold {
    const char* name;
    bool forces, velocity;
    float x, v;
    double t;
    float h;
    bool tension, friction, velocityDrawn;
};

class VectorThresholds : public Vectors, public testing::WithParamInterface<Threshold> {};

TEST_P(VectorThresholds, DrawOnlyLongEnoughVectors) {
    const Threshold& c = GetParam();
    VectorView view;
    view.forcesShown = c.forces;
    view.velocityShown = c.velocity;
    view.forceScale = 0;     // 100 px per newton
    view.velocityScale = 0;  // 100 px per m/s
    lesvecteurs(scene_, gx, gy, view, c.x, c.v, c.t, 10, c.h);
    EXPECT_EQ(count(Tension) > 0, c.tension);
    EXPECT_EQ(count(Friction) > 0, c.friction);
    EXPECT_EQ(count(Velocity) > 0, c.velocityDrawn);
    EXPECT_EQ(scene_.drawWidth(), 1);
}

// k = 10: the tension is -0.1·x N, so x = 0.2 cm gives -2 px and 0.3 cm -3 px.
INSTANTIATE_TEST_SUITE_P(
    Cases, VectorThresholds,
    testing::Values(
        Threshold{"VelocityOf2PixelsDrawn", false, true, 0, 0.02f, 1, 0, false, false, true},
        Threshold{"VelocityOfMinus2PixelsDrawn", false, true, 0, -0.02f, 1, 0, false, false, true},
        Threshold{"VelocityOf1PixelNotDrawn", false, true, 0, 0.01f, 1, 0, false, false, false},
        Threshold{"VelocityNotDrawnAtTimeZero", false, true, 0, 1, 0, 0, false, false, false},
        Threshold{"TensionOf2PixelsNotDrawn", true, false, 0.2f, 0, 1, 0, false, false, false},
        Threshold{"TensionOfMinus3PixelsDrawn", true, false, 0.3f, 0, 1, 0, true, false, false},
        Threshold{"TensionOf3PixelsDrawn", true, false, -0.3f, 0, 1, 0, true, false, false},
        Threshold{"FrictionOf2PixelsNotDrawn", true, false, 0, 0.02f, 1, 1, false, false, false},
        Threshold{"FrictionOf3PixelsDrawn", true, false, 0, -0.03f, 1, 1, false, true, false},
        Threshold{"NoFrictionWithoutFriction", true, true, 0, 1, 1, 0, false, false, true},
        Threshold{"NothingAtRestAtEquilibrium", true, true, 0, 0, 1, 1, false, false, false},
        Threshold{"ForcesHidden", false, false, 5, 1, 1, 1, false, false, false},
        Threshold{"AllThree", true, true, 5, 1, 1, 1, true, true, true}),
    [](const testing::TestParamInfo<Threshold>& info) { return info.param.name; });

struct Head {
    double bpx, bpy, cpx, cpy;
    QPoint tip, end1, end2;
};

class ArrowHead : public testing::TestWithParam<Head> {};

TEST_P(ArrowHead, HasTwoStrokesTenBackAndFiveAside) {
    const Head& h = GetParam();
    Canvas s;
    s.setImageSize(QSize(200, 200));
    s.setBackColor(Qt::white);
    fleche(s, h.bpx, h.bpy, h.cpx, h.cpy, Qt::black);
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.image().pixelColor(x, y) != QColor(Qt::white)) drawn.insert({x, y});
    for (const QPoint& p : {h.tip, h.end1, h.end2})
        EXPECT_TRUE(drawn.count({p.x(), p.y()})) << p.x() << "," << p.y();
    // Nothing outside the triangle's bounding box.
    const int left = std::min({h.tip.x(), h.end1.x(), h.end2.x()});
    const int right = std::max({h.tip.x(), h.end1.x(), h.end2.x()});
    const int top = std::min({h.tip.y(), h.end1.y(), h.end2.y()});
    const int bottom = std::max({h.tip.y(), h.end1.y(), h.end2.y()});
    for (auto [x, y] : drawn) {
        EXPECT_GE(x, left);
        EXPECT_LE(x, right);
        EXPECT_GE(y, top);
        EXPECT_LE(y, bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArrowHead,
    testing::Values(
        // Horizontal, both ways (the case in use).
        Head{100, 100, 40, 0, {140, 100}, {130, 95}, {130, 105}},
        Head{100, 100, -40, 0, {60, 100}, {70, 95}, {70, 105}},
        Head{100, 100, 0, 0, {100, 100}, {90, 95}, {90, 105}},
        // General: a 3-4-5 shaft puts the base 6 and 8 back, the strokes 4 and 3 aside.
        Head{100, 100, 30, 40, {130, 140}, {128, 129}, {120, 135}},
        Head{100, 100, -30, -40, {70, 60}, {80, 65}, {72, 71}},
        // Vertical, both ways.
        Head{100, 100, 0, 20, {100, 120}, {105, 110}, {95, 110}},
        Head{100, 100, 0, -20, {100, 80}, {105, 90}, {95, 90}}));

}  // namespace
}  // namespace ondalis
