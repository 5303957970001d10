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

}  // namespace
}  // namespace ondalis
