// Pixel probes of the animation scene: sky, rod, wall, spring, solid, ruler and axis.
#include "scene/scenedrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/canvas/canvas.h"

namespace ondalis {
namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);

bool isInk(const QColor& c) { return c.red() < 128 && c.green() < 128 && c.blue() < 128; }

// A white 785 × 57 surface, for the pieces drawn alone.
class ScenePieces : public testing::Test {
protected:
    ScenePieces() {
        scene_.setImageSize(QSize(SceneWidth, SceneHeight));
        scene_.setBackColor(Qt::white);
    }
    QColor at(int x, int y) const { return scene_.image().pixelColor(x, y); }
    // Columns holding anything but white, over the rows y1 … y2.
    std::pair<int, int> drawnColumns(int y1, int y2) const {
        int first = SceneWidth, last = -1;
        for (int y = y1; y <= y2; ++y)
            for (int x = 0; x < SceneWidth; ++x)
                if (at(x, y) != White) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }
    bool inkIn(int x1, int y1, int x2, int y2) const {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (isInk(at(x, y))) return true;
        return false;
    }

    Canvas scene_;
};

TEST_F(ScenePieces, SkyRunsFromBlueAtTheTopToNearWhiteAtTheBottom) {
    QImage cache;
    fond(scene_, cache);
    // Top row i = 0; bottom row i = 56 of n = 57.
    EXPECT_EQ(at(400, 0), QColor(155, 200, 255));
    EXPECT_EQ(at(400, 56), QColor(253, 249, 255));
    EXPECT_EQ(at(400, 28), QColor(204, 225, 255));  // 28/57 of the way
    // The gradient is horizontal: the same colour across a row, right edge included.
    EXPECT_EQ(at(784, 50), at(200, 50));
}

TEST_F(ScenePieces, RodIsLitFromAboveAndOutlinedInBlack) {
    QImage cache;
    fond(scene_, cache);
    const int rows[] = {19, 20, 21, 22, 23, 24};
    const QColor colours[] = {
        Black, White, QColor(192, 192, 192), QColor(192, 192, 192), QColor(128, 128, 128), Black};
    for (int x : {11, 400, 779}) {
        for (int i = 0; i < 6; ++i) EXPECT_EQ(at(x, rows[i]), colours[i]) << x << "," << rows[i];
        EXPECT_NE(at(x, 18), Black);
        EXPECT_NE(at(x, 25), Black);
    }
    // Its right end is closed at X = 780.
    EXPECT_EQ(at(780, 21), Black);
    EXPECT_NE(at(781, 21), Black);
}

TEST_F(ScenePieces, WallIsDarkGreyWithABlackOutlineUpToY43) {
    QImage cache;
    fond(scene_, cache);
    EXPECT_EQ(at(5, 20), QColor(128, 128, 128));
    EXPECT_EQ(at(1, 42), QColor(128, 128, 128));
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 43}, {10, 43}, {10, 30}, {5, 43}})
        EXPECT_EQ(at(x, y), Black) << x << "," << y;
    EXPECT_NE(at(5, 44), Black);
    EXPECT_NE(at(5, 44), QColor(128, 128, 128));
}

TEST_F(ScenePieces, BackgroundBecomesThePersistentPictureAndTheSkyIsPaintedOnce) {
    QImage cache;
    fond(scene_, cache);
    ASSERT_EQ(cache.width(), SceneWidth);
    const QImage first = scene_.image();
    scene_.line(300, 5, 300, 50, Qt::red);
    scene_.clear();
    EXPECT_EQ(scene_.image(), first) << "clear returns to the background";

    // A second fond takes the sky from the cache: a mark put in the cache shows up.
    cache.setPixelColor(400, 2, Qt::green);
    fond(scene_, cache);
    EXPECT_EQ(at(400, 2), QColor(Qt::green));
    EXPECT_EQ(at(400, 21), QColor(192, 192, 192)) << "rod painted over the cached sky";
    EXPECT_EQ(scene_.drawWidth(), 1);
}

TEST_F(ScenePieces, ACacheNarrowerThan100PixelsIsPaintedAgain) {
    QImage cache(50, 57, QImage::Format_RGB32);
    cache.fill(Qt::green);
    fond(scene_, cache);
    EXPECT_EQ(at(400, 0), QColor(155, 200, 255));
    EXPECT_EQ(cache.width(), SceneWidth);
}

class SpringEnds : public ScenePieces, public testing::WithParamInterface<float> {};

TEST_P(SpringEnds, TouchesTheWallFaceAndStopsOnePixelBeforeTheSolid) {
    const float x = GetParam();
    drawSpring(scene_, x);
    const auto [first, last] = drawnColumns(0, SceneHeight - 1);
    EXPECT_EQ(first, 10) << "wall face";
    EXPECT_EQ(last, int(30 * x + 435) - 1) << "one pixel before the solid's left face";
    // Coils 16 pixels high, centred on the rod.
    EXPECT_TRUE(inkIn(0, 13, SceneWidth - 1, 13));
    EXPECT_TRUE(inkIn(0, 29, SceneWidth - 1, 29));
    EXPECT_FALSE(inkIn(0, 0, SceneWidth - 1, 12));
    EXPECT_FALSE(inkIn(0, 30, SceneWidth - 1, SceneHeight - 1));
}

INSTANTIATE_TEST_SUITE_P(Positions, SpringEnds, testing::Values(-10.f, -5.f, 0.f, 5.f, 10.f));

TEST_F(ScenePieces, StretchedSpringShows46Coils) {
    drawSpring(scene_, 10);
    // Half-width A = 690/45, centres from 10 + A to 734 - A, 45 steps apart.
    const double a = 690.0 / 45;
    const double first = 10 + a;
    const double step = (734 - a - first) / 45;
    auto centre = [&](int i) { return int(std::lround(first + i * step)); };
    auto runs = [&](int y) {
        int n = 0;
        bool inside = false;
        for (int x = 0; x < SceneWidth; ++x) {
            const bool ink = isInk(at(x, y));
            if (ink && !inside) ++n;
            inside = ink;
        }
        return n;
    };
    // Tops on Y = 13 for coils 0 … 44 (the last is a lower half), bottoms on Y = 29 for
    // coils 1 … 45 (the first lacks its lower left part).
    EXPECT_EQ(runs(13), 45);
    EXPECT_EQ(runs(29), 45);
    for (int i = 0; i < 45; ++i) EXPECT_TRUE(isInk(at(centre(i), 13))) << "top of " << i;
    for (int i = 1; i <= 45; ++i) EXPECT_TRUE(isInk(at(centre(i), 29))) << "bottom of " << i;
    EXPECT_FALSE(isInk(at(centre(0), 29)));
    EXPECT_FALSE(isInk(at(centre(45), 13)));
    // The first coil's left end is on the wall face, the last one's right end on X = 734; the
    // gap of coil 44 on its right side is the only one no other coil covers.
    EXPECT_TRUE(isInk(at(10, 21)));
    EXPECT_TRUE(isInk(at(734, 21)));
    EXPECT_FALSE(isInk(at(int(std::lround(first + 44 * step + a)), 21)));
    EXPECT_TRUE(isInk(at(int(std::lround(first + 43 * step + a)), 21))) << "covered by coil 45";
}

TEST_F(ScenePieces, RulerHasCentimetreAndTwoMillimetreTicks) {
    drawRuler(scene_);
    for (int i = 0; i <= 20; ++i) {
        const int x = 30 * i + 150;
        for (int y : {2, 12, 31, 41}) EXPECT_EQ(at(x, y), Black) << x << "," << y;
        EXPECT_EQ(at(x, 13), White) << x;
        EXPECT_EQ(at(x, 30), White) << x;
    }
    for (int i = 0; i <= 100; ++i) {
        const int x = 6 * i + 150;
        if (i % 5 == 0) continue;
        for (int y : {2, 7, 36, 41}) EXPECT_EQ(at(x, y), Black) << x << "," << y;
        EXPECT_EQ(at(x, 8), White) << x;
        EXPECT_EQ(at(x, 35), White) << x;
    }
    // Nothing between the ticks, nor left of -10 or right of 10.
    EXPECT_EQ(at(153, 5), White);
    EXPECT_FALSE(inkIn(0, 0, 140, 56));
    EXPECT_FALSE(inkIn(762, 0, 784, 56));
}

TEST_F(ScenePieces, RulerLabelsAreCentredUnderTheirTicks) {
    drawRuler(scene_);
    for (int i = 0; i <= 20; ++i) {
        const int tick = 30 * i + 150;
        // Ink of the label, below the tick's end.
        int left = SceneWidth, right = -1, top = SceneHeight;
        for (int y = 42; y < SceneHeight; ++y)
            for (int x = tick - 14; x <= tick + 14; ++x)
                if (isInk(at(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
        ASSERT_LE(left, right) << "label " << i - 10;
        EXPECT_NEAR((left + right) / 2.0, tick, 1.5) << "label " << i - 10;
        EXPECT_GE(top, 40);
        // "-10" … "-1" are wider than "0" … "9"; "10" wider again.
        const int width = right - left + 1;
        if (i == 10) {
            EXPECT_LE(width, 7);
        }
        if (i == 0 || i == 20) {
            EXPECT_GE(width, 10);
        }
    }
}

TEST_F(ScenePieces, AxisHasItsArrowHeadAndItsLetter) {
    scene_.setFont(QStringLiteral("Arial"), 8);
    drawAxis(scene_, false);
    for (int x : {150, 300, 770}) EXPECT_EQ(at(x, 40), Black) << x;
    EXPECT_EQ(at(149, 40), White);
    EXPECT_EQ(at(771, 40), White);
    for (auto [x, y] : {std::pair{762, 36}, {766, 38}, {762, 44}, {766, 42}})
        EXPECT_EQ(at(x, y), Black) << x << "," << y;
    EXPECT_EQ(at(762, 40 - 6), White);
    EXPECT_TRUE(inkIn(770, 25, 784, 39)) << "the letter x";
    EXPECT_FALSE(inkIn(440, 42, 460, 56)) << "no origin mark";
    EXPECT_EQ(at(450, 38), White);
}

TEST_F(ScenePieces, OriginMarkIsATickAndTheLetterO) {
    scene_.setFont(QStringLiteral("Arial"), 8);
    drawAxis(scene_, true);
    for (int y = 38; y <= 42; ++y) EXPECT_EQ(at(450, y), Black) << y;
    EXPECT_EQ(at(450, 37), White);
    EXPECT_FALSE(isInk(at(450, 43))) << "tick ends at 42";
    EXPECT_TRUE(inkIn(447, 43, 458, 54));
    EXPECT_FALSE(inkIn(430, 43, 445, 56));
}

// The whole scene, drawn directly or with the cached ruler and axis.
class Scene : public testing::TestWithParam<bool> {
protected:
    Scene() {
        scene_.setImageSize(QSize(SceneWidth, SceneHeight));
        fond(scene_, sky_);
    }
    void draw(const SceneView& view) {
        if (GetParam())
            drawScene(scene_, view, decorations_);
        else
            drawScene(scene_, view);
    }
    QColor at(int x, int y) const { return scene_.image().pixelColor(x, y); }

    Canvas scene_;
    QImage sky_;
    SceneDecorations decorations_;
};

SceneView bare(float x) {
    SceneView v;
    v.x = x;
    v.rulerShown = false;
    v.axisShown = false;
    return v;
}

TEST_P(Scene, SolidIsFiveShadesOfGreyInABlackOutline) {
    for (float x : {-10.f, 0.f, 10.f}) {
        SCOPED_TRACE(x);
        draw(bare(x));
        const int c = int(30 * x + 450);
        for (auto [dx, dy] : {std::pair{-15, 7},
                              {15, 7},
                              {-15, 35},
                              {15, 35},
                              {-15, 21},
                              {15, 21},
                              {0, 7},
                              {0, 35}})
            EXPECT_EQ(at(c + dx, dy), Black) << dx << "," << dy;
        // From the edge to the middle, along the rod's line and along the centre column.
        const int greys[] = {205, 215, 225, 235, 245};
        const int across[] = {-14, -11, -8, -5, 0};
        const int down[] = {8, 10, 12, 14, 21};
        for (int w = 0; w < 5; ++w) {
            EXPECT_EQ(at(c + across[w], 21), QColor(greys[w], greys[w], greys[w])) << across[w];
            EXPECT_EQ(at(c - across[w], 21), QColor(greys[w], greys[w], greys[w])) << -across[w];
            EXPECT_EQ(at(c, down[w]), QColor(greys[w], greys[w], greys[w])) << down[w];
        }
        EXPECT_EQ(at(c + 3, 15), QColor(245, 245, 245));
        EXPECT_EQ(at(c + 4, 15), QColor(235, 235, 235));
        // Outside: the rod on the right, the sky above.
        EXPECT_EQ(at(c + 16, 21), QColor(192, 192, 192));
        EXPECT_EQ(at(c, 6).blue(), 255);
    }
}

TEST_P(Scene, SolidCoversTheEndOfTheSpring) {
    draw(bare(0));
    // The spring's last pixel, just left of the outline; inside, only greys.
    EXPECT_EQ(at(434, 21), Black);
    for (int x = 436; x <= 464; ++x) EXPECT_NE(at(x, 29), Black) << x;
}

TEST_P(Scene, RedrawReturnsToTheBackgroundFirst) {
    draw(bare(-10));
    draw(bare(10));
    EXPECT_EQ(at(150, 21), QColor(192, 192, 192)) << "no solid left behind at x = -10";
    EXPECT_EQ(at(150, 8).blue(), 255);
}

TEST_P(Scene, RulerAndAxisAreDrawnOverTheSolid) {
    SceneView v = bare(0);
    v.rulerShown = true;
    v.axisShown = true;
    draw(v);
    // Centimetre tick at X = 450 crosses the solid's top and bottom.
    EXPECT_EQ(at(450, 10), Black);
    EXPECT_EQ(at(450, 33), Black);
    EXPECT_EQ(at(456, 5), Black) << "2 mm tick";
    EXPECT_EQ(at(770, 40), Black) << "axis";
    EXPECT_EQ(at(766, 38), Black) << "arrow head";
}

TEST_P(Scene, OriginMarkOnlyWithTheAxisAndWithoutTheRuler) {
    SceneView v = bare(5);
    v.axisShown = true;
    draw(v);
    EXPECT_EQ(at(450, 38), Black) << "ruler off, axis on: origin tick";

    v.axisShown = false;
    draw(v);
    EXPECT_NE(at(450, 38), Black) << "axis off: no tick";
    EXPECT_NE(at(450, 40), Black);

    // Ruler on, axis on: exactly the ruler and the axis without its mark.
    v.rulerShown = true;
    v.axisShown = true;
    draw(v);
    const QImage both = scene_.image();
    v.axisShown = false;
    draw(v);
    scene_.setFont(QStringLiteral("Arial"), 8);
    drawAxis(scene_, false);
    if (!GetParam()) {
        EXPECT_EQ(scene_.image(), both);
    } else {
        // The cached layer may differ by a level of grey on the letters' edges.
        for (int y = 0; y < SceneHeight; ++y)
            for (int x = 0; x < SceneWidth; ++x) {
                const QColor a = both.pixelColor(x, y), b = at(x, y);
                ASSERT_LE(std::abs(a.red() - b.red()) + std::abs(a.blue() - b.blue()), 6)
                    << x << "," << y;
            }
    }
}

TEST_P(Scene, LeavesTheFontAndColourForTheLabelsAndLineWidthOne) {
    SceneView v = bare(3);
    v.t = 1;
    v.v = 0.5f;
    v.vectors.velocityShown = true;
    v.vectors.forcesShown = true;
    scene_.setFont(QStringLiteral("Arial"), 12, true, true);
    scene_.setForeColor(Qt::red);
    draw(v);
    EXPECT_EQ(scene_.drawWidth(), 1);
    EXPECT_EQ(scene_.foreColor(), QColor(Qt::black));
    EXPECT_FALSE(scene_.textFont().bold());
    EXPECT_FALSE(scene_.textFont().italic());
    EXPECT_EQ(scene_.textFont().pixelSize(), 11);
}

TEST_P(Scene, VectorsAreAttachedToTheCentreRoundedHalfToEven) {
    // x = 0.75: 30·x + 450 = 472.5 exactly, so Gx = 472.
    SceneView v = bare(0.75f);
    v.t = 1;
    v.v = -1;
    v.vectors.velocityShown = true;
    v.vectors.velocityScale = 0;  // 100 pixels per m/s
    draw(v);
    const QColor orange(255, 128, 0);
    // Tip at 372; the head's upper stroke ends at (382, 16).
    EXPECT_EQ(at(372, 21), orange);
    EXPECT_EQ(at(382, 16), orange);
    EXPECT_NE(at(383, 16), orange);
}

INSTANTIATE_TEST_SUITE_P(DirectAndCached, Scene, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Cached" : "Direct";
                         });

TEST(SceneDecorationsTest, CachedRulerAndAxisMatchTheDirectDrawing) {
    Canvas direct, cached;
    QImage sky;
    for (Canvas* s : {&direct, &cached}) {
        s->setImageSize(QSize(SceneWidth, SceneHeight));
        fond(*s, sky);
    }
    SceneDecorations decorations;
    for (bool ruler : {false, true})
        for (bool axis : {false, true}) {
            SceneView v;
            v.x = 2.5f;
            v.rulerShown = ruler;
            v.axisShown = axis;
            drawScene(direct, v);
            drawScene(cached, v, decorations);
            int differing = 0;
            for (int y = 0; y < SceneHeight; ++y)
                for (int x = 0; x < SceneWidth; ++x) {
                    const QColor a = direct.image().pixelColor(x, y);
                    const QColor b = cached.image().pixelColor(x, y);
                    const int d =
                        std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                  std::abs(a.blue() - b.blue())});
                    EXPECT_LE(d, 3) << ruler << axis << " at " << x << "," << y;
                    if (d) ++differing;
                }
            EXPECT_LT(differing, 200) << "only anti-aliased letter edges may differ";
        }
}

// The animation's redraws, which touch only what moves, against whole redraws of every frame:
// a damped swing with long and short vectors, a drag across the scene, the ruler and axis
// switched, a mark drawn by someone else and a new background.
TEST(SceneAnimatorTest, EachRedrawGivesTheWholeRedrawsPicture) {
    Canvas animated, whole;
    QImage sky;
    for (Canvas* s : {&animated, &whole}) {
        s->setImageSize(QSize(SceneWidth, SceneHeight));
        fond(*s, sky);
    }
    SceneAnimator animator;
    SceneDecorations decorations;
    SceneView v;
    v.vectors.velocityShown = true;
    v.vectors.forcesShown = true;
    for (int frame = 0; frame < 240; ++frame) {
        const double t = frame * 0.0151;
        v.t = frame % 60 == 0 ? 0 : t;
        v.x = float(8 * std::exp(-t / 1.45) * std::cos(8.3 * t));
        v.v = float(-0.66 * std::exp(-t / 1.45) * std::sin(8.3 * t));
        if (frame == 40) v.vectors.velocityScale = 0;  // arrows off the scene's right edge
        if (frame == 60) v.vectors.forceScale = -50, v.h = 40;
        if (frame >= 80 && frame < 90) v.x = frame % 2 ? 10.f : -10.f;  // dragged end to end
        if (frame == 100) v.rulerShown = false;
        if (frame == 120) v.axisShown = false;
        if (frame == 140) v.rulerShown = v.axisShown = true, v.vectors.forcesShown = false;
        if (frame == 160) animated.line(300, 2, 300, 50, Qt::red);  // someone else draws
        if (frame == 200) {
            for (Canvas* s : {&animated, &whole}) fond(*s, sky);
        }
        animator.draw(animated, v);
        drawScene(whole, v, decorations);
        ASSERT_EQ(animated.image(), whole.image()) << "frame " << frame;
    }
}

}  // namespace
}  // namespace ondalis
