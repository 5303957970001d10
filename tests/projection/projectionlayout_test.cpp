// The projection's layout on screens of several shapes, and its drawing at the screen's scale.
#include "projection/projectionlayout.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <ostream>

#include "platform/canvas/canvas.h"

namespace ondalis {
namespace {

struct ScreenCase {
    QSize screen;
    double scale;  // what the width allows, the height being larger than needed
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.screen.width() << "x" << c.screen.height();
}

class ProjectionLayoutOn : public testing::TestWithParam<ScreenCase> {};

TEST_P(ProjectionLayoutOn, FillsTheScreenWidthWithTheThreePicturesApartAndInside) {
    const ScreenCase& c = GetParam();
    const ProjectionLayout l = projectionLayout(c.screen);
    EXPECT_NEAR(l.scale, c.scale, 0.01);
    const QRect screen(QPoint(0, 0), c.screen);
    for (const QRect& r : {l.readouts, l.graph, l.scene}) EXPECT_TRUE(screen.contains(r));
    EXPECT_FALSE(l.readouts.intersects(l.graph));
    EXPECT_FALSE(l.graph.intersects(l.scene));
    EXPECT_FALSE(l.readouts.intersects(l.scene));
    // Each picture keeps its proportions; the readouts stand left of the graph, the scene below.
    EXPECT_NEAR(l.graph.width(), 617 * l.scale, 1);
    EXPECT_NEAR(l.graph.height(), 225 * l.scale, 1);
    EXPECT_NEAR(l.scene.width(), 785 * l.scale, 1);
    EXPECT_LT(l.readouts.right(), l.graph.left());
    EXPECT_GT(l.scene.top(), l.graph.bottom());
    // Centred across.
    EXPECT_NEAR(l.readouts.left(), c.screen.width() - 1 - l.graph.right(), 2);
}

INSTANTIATE_TEST_SUITE_P(Screens, ProjectionLayoutOn,
                         testing::Values(ScreenCase{QSize(1920, 1080), 2.360},
                                         ScreenCase{QSize(1280, 1024), 1.550},
                                         ScreenCase{QSize(3840, 2160), 4.721}));

TEST(ProjectionLayout, AWideShortScreenIsFilledToItsHeight) {
    const ProjectionLayout l = projectionLayout(QSize(3000, 400));
    EXPECT_LE(l.scene.bottom(), 400 - 12);
    EXPECT_GE(l.graph.top(), 12);
    EXPECT_NEAR(l.scale, (400 - 24) / 290.0, 0.01);
}

// A canvas with one black vertical line of one unit at x = 10, as the scene's outlines are.
class Line : public Canvas {
public:
    Line() {
        setImageSize(QSize(40, 20));
        setBackColor(Qt::white);
        setForeColor(Qt::black);
        line(10, 2, 10, 17);
    }
};

int darkRun(const QImage& image, int y, int from, int to) {
    int n = 0;
    for (int x = from; x < to; ++x) n += qGray(image.pixel(x, y)) < 128;
    return n;
}

TEST(ProjectionDrawing, DrawsLinesAtTheScreensResolutionTwiceAsThickInHighContrast) {
    Line scene;
    ProjectionContent content;
    content.scene = &scene;
    const QSize screen(1920, 1080);
    const ProjectionLayout l = projectionLayout(screen);
    for (bool high : {false, true}) {
        QImage image(screen, QImage::Format_RGB32);
        QPainter p(&image);
        drawProjection(p, screen, l, content, high);
        p.end();
        const int y = l.scene.top() + int(10 * l.scale);
        const int x = l.scene.left() + int(10 * l.scale);
        // One unit is scale pixels wide (not a blurred enlargement), two in high contrast.
        EXPECT_NEAR(darkRun(image, y, x - 10, x + 20), (high ? 2 : 1) * l.scale, 1.01) << high;
        if (high) {
            EXPECT_EQ(image.pixel(5, image.height() - 5), qRgb(255, 255, 255));
        }
    }
}

// A scene as the animation draws it: a persistent ground, a box that moves, a ruler laid over.
class Animated : public Canvas {
public:
    Animated() {
        setImageSize(QSize(60, 20));
        ruler_.setImageSize(QSize(60, 20));
        ruler_.clear();
        for (int x = 5; x < 60; x += 10) ruler_.line(x, 0, x, 5, Qt::black);
        paintGround(QColor(200, 220, 255));
    }
    void paintGround(const QColor& ground) {
        clearPicture();
        setBackColor(Qt::white);
        fillBox(0, 0, 59, 19, ground);
        line(0, 10, 59, 10, Qt::darkGray);
        setPictureFromImage();
    }
    void frame(int x) {
        clear();
        fillBox(x, 4, x + 6, 16, Qt::red);
        drawRecord(ruler_.record(false), QRect(0, 0, 60, 20));
    }

private:
    Canvas ruler_;
};

enum class Change { Nothing, Ground, HighContrast, ScreenSize };

void PrintTo(Change c, std::ostream* os) {
    const char* names[] = {"Nothing", "Ground", "HighContrast", "ScreenSize"};
    *os << names[int(c)];
}

class ProjectionCacheAfter : public testing::TestWithParam<Change> {};

// Frames drawn through the cache, then a change, then a frame drawn with and without it: the
// two agree (but for the edges of what is copied to the nearest pixel), the ground in its
// colour of now.
TEST_P(ProjectionCacheAfter, DrawsTheSceneAsWithoutIt) {
    Animated scene;
    ProjectionContent content;
    content.scene = &scene;
    QSize screen(1920, 1080);
    bool high = false;
    ProjectionCache cache;
    const auto draw = [&](ProjectionCache* c) {
        QImage image(screen, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        drawProjection(p, screen, projectionLayout(screen), content, high, QRect(), c);
        return image;
    };
    for (int x = 10; x < 16; ++x) {
        scene.frame(x);
        draw(&cache);
    }
    QColor ground(200, 220, 255);
    switch (GetParam()) {
        case Change::Nothing:
            break;
        case Change::Ground:
            ground = QColor(255, 240, 200);
            scene.paintGround(ground);
            break;
        case Change::HighContrast:
            high = true;
            break;
        case Change::ScreenSize:
            screen = QSize(1280, 1024);
            break;
    }
    scene.frame(30);
    const QImage cached = draw(&cache);
    const QImage replayed = draw(nullptr);
    const ProjectionLayout l = projectionLayout(screen);
    int differing = 0;
    for (int y = l.scene.top(); y <= l.scene.bottom(); ++y)
        for (int x = l.scene.left(); x <= l.scene.right(); ++x)
            differing += cached.pixel(x, y) != replayed.pixel(x, y);
    EXPECT_LT(differing, l.scene.width() * l.scene.height() / 50);
    const QPoint ground1(l.scene.left() + int(2.5 * l.scale), l.scene.top() + int(15.5 * l.scale));
    EXPECT_EQ(cached.pixel(ground1), ground.rgb());
    const QPoint box(l.scene.left() + int(33.5 * l.scale), l.scene.top() + int(8.5 * l.scale));
    EXPECT_EQ(cached.pixel(box), QColor(Qt::red).rgb());
}

INSTANTIATE_TEST_SUITE_P(Changes, ProjectionCacheAfter,
                         testing::Values(Change::Nothing, Change::Ground, Change::HighContrast,
                                         Change::ScreenSize));

TEST(ProjectionChanges, AreTheBoundsOfTheChangedPixelsAndAreTakenOver) {
    QImage kept(20, 10, QImage::Format_RGB32);
    kept.fill(Qt::white);
    QImage now = kept.copy();
    EXPECT_TRUE(takeChanges(kept, now).isNull());
    now.setPixel(3, 7, qRgb(0, 0, 0));
    now.setPixel(12, 2, qRgb(0, 0, 0));
    EXPECT_EQ(takeChanges(kept, now), QRect(QPoint(3, 2), QPoint(12, 7)));
    EXPECT_EQ(kept, now);
    EXPECT_TRUE(takeChanges(kept, now).isNull());
    EXPECT_EQ(takeChanges(kept, QImage(30, 10, QImage::Format_RGB32)), QRect(0, 0, 30, 10));
}

}  // namespace
}  // namespace ondalis
