// Pixel tests of the drawing surface: what each operation colours, exactly.
#include "platform/widgets/drawingsurface.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <set>
#include <utility>

namespace ondalis {
namespace {

using Pixel = std::pair<int, int>;  // x, y
using Pixels = std::set<Pixel>;

// The graph's surface: 617 x 225, white.
class DrawingSurfaceTest : public testing::Test {
protected:
    DrawingSurfaceTest() {
        surface_.setSurfaceSize(617, 225);
        surface_.setBackColor(Qt::white);
    }

    // Pixels that are no longer the back colour.
    Pixels drawn() const {
        Pixels result;
        const QImage& image = surface_.image();
        const QRgb back = surface_.backColor().rgb();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != back) result.insert({x, y});
        return result;
    }

    QRgb at(int x, int y) const { return surface_.image().pixel(x, y); }

    DrawingSurface surface_;
};

Pixels horizontal(int x1, int x2, int y) {
    Pixels p;
    for (int x = x1; x <= x2; ++x) p.insert({x, y});
    return p;
}

Pixels vertical(int x, int y1, int y2) {
    Pixels p;
    for (int y = y1; y <= y2; ++y) p.insert({x, y});
    return p;
}

Pixels unite(std::initializer_list<Pixels> parts) {
    Pixels all;
    for (const Pixels& part : parts) all.insert(part.begin(), part.end());
    return all;
}

TEST_F(DrawingSurfaceTest, StartsWithTheBackColourAtItsSize) {
    EXPECT_EQ(surface_.imageWidth(), 617);
    EXPECT_EQ(surface_.imageHeight(), 225);
    EXPECT_TRUE(drawn().empty());
}

TEST_F(DrawingSurfaceTest, StraightLinesColourBothEndsAndNothingElse) {
    const struct {
        int x1, y1, x2, y2;
        Pixels expected;
    } cases[] = {{50, 115, 580, 115, horizontal(50, 580, 115)},
                 {580, 115, 50, 115, horizontal(50, 580, 115)},
                 {50, 5, 50, 215, vertical(50, 5, 215)},
                 {50, 215, 50, 5, vertical(50, 5, 215)},
                 {100, 15, 100, 117, vertical(100, 15, 117)},
                 {7, 7, 7, 7, Pixels{{7, 7}}},
                 {0, 0, 616, 0, horizontal(0, 616, 0)}};
    for (const auto& c : cases) {
        surface_.clear();
        surface_.line(c.x1, c.y1, c.x2, c.y2, Qt::black);
        EXPECT_EQ(drawn(), c.expected) << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
        EXPECT_EQ(at(c.x1, c.y1), qRgb(0, 0, 0));
    }
}

TEST_F(DrawingSurfaceTest, SlantedLinesAreOnePixelPerStepFromEndToEnd) {
    const struct {
        int x1, y1, x2, y2;
    } cases[] = {{574, 112, 580, 115}, {574, 118, 580, 115}, {47, 11, 50, 5},
                 {53, 11, 50, 5},      {10, 10, 110, 60},    {200, 200, 150, 20}};
    for (const auto& c : cases) {
        surface_.clear();
        surface_.line(c.x1, c.y1, c.x2, c.y2, Qt::black);
        const Pixels p = drawn();
        const int steps = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
        EXPECT_EQ(int(p.size()), steps + 1) << c.x1 << "," << c.y1;
        EXPECT_TRUE(p.count({c.x1, c.y1})) << "first end " << c.x1 << "," << c.y1;
        EXPECT_TRUE(p.count({c.x2, c.y2})) << "last end " << c.x2 << "," << c.y2;
        for (const Pixel& px : p) {
            EXPECT_GE(px.first, std::min(c.x1, c.x2));
            EXPECT_LE(px.first, std::max(c.x1, c.x2));
            EXPECT_GE(px.second, std::min(c.y1, c.y2));
            EXPECT_LE(px.second, std::max(c.y1, c.y2));
        }
    }
}

TEST_F(DrawingSurfaceTest, ForeColourIsTheDefaultLineColour) {
    surface_.setForeColor(QColor(192, 192, 192));
    surface_.line(50, 20, 550, 20);
    EXPECT_EQ(at(50, 20), qRgb(192, 192, 192));
    EXPECT_EQ(at(550, 20), qRgb(192, 192, 192));
    EXPECT_EQ(drawn().size(), 501u);
}

TEST_F(DrawingSurfaceTest, BoxOutlineIncludesBothCorners) {
    const Pixels outline = unite({horizontal(10, 100, 20), horizontal(10, 100, 60),
                                  vertical(10, 20, 60), vertical(100, 20, 60)});
    for (const bool reversed : {false, true}) {
        surface_.clear();
        if (reversed)
            surface_.box(100, 60, 10, 20, Qt::black);
        else
            surface_.box(10, 20, 100, 60, Qt::black);
        EXPECT_EQ(drawn(), outline) << (reversed ? "reversed corners" : "");
    }
    // The rod of the scene: a box one pixel high is two lines.
    surface_.clear();
    surface_.box(10, 21, 600, 22, QColor(192, 192, 192));
    EXPECT_EQ(drawn(), unite({horizontal(10, 600, 21), horizontal(10, 600, 22)}));
}

TEST_F(DrawingSurfaceTest, FilledBoxIncludesBothCorners) {
    surface_.fillBox(10, 43, 0, 0, QColor(128, 128, 128));
    const Pixels p = drawn();
    EXPECT_EQ(p.size(), 11u * 44u);
    EXPECT_EQ(*p.begin(), Pixel(0, 0));
    EXPECT_EQ(*p.rbegin(), Pixel(10, 43));
    EXPECT_EQ(at(10, 43), qRgb(128, 128, 128));
}

TEST_F(DrawingSurfaceTest, PointColoursOnePixel) {
    surface_.point(60, 3, Qt::black);
    EXPECT_EQ(drawn(), (Pixels{{60, 3}}));
}

TEST_F(DrawingSurfaceTest, ClearReturnsToThePersistentPictureOrTheBackColour) {
    surface_.fillBox(0, 0, 9, 9, Qt::blue);
    surface_.setPictureFromImage();
    surface_.line(50, 115, 580, 115, Qt::black);
    surface_.moveTo(30, 40);
    surface_.clear();
    EXPECT_EQ(at(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(at(9, 9), qRgb(0, 0, 255));
    EXPECT_EQ(at(300, 115), qRgb(255, 255, 255));
    EXPECT_EQ(drawn().size(), 100u);
    EXPECT_EQ(surface_.currentX(), 0);
    EXPECT_EQ(surface_.currentY(), 0);

    surface_.clearPicture();
    surface_.clear();
    EXPECT_TRUE(drawn().empty());

    surface_.setBackColor(QColor(240, 235, 230));
    EXPECT_EQ(at(616, 224), qRgb(240, 235, 230));
}

TEST_F(DrawingSurfaceTest, APictureSetFromOutsideIsWhatClearShows) {
    QImage sky(617, 225, QImage::Format_ARGB32);
    sky.fill(QColor(155, 200, 255));
    surface_.setPicture(sky);
    surface_.clear();
    EXPECT_EQ(at(0, 0), qRgb(155, 200, 255));
    EXPECT_EQ(at(616, 224), qRgb(155, 200, 255));
}

TEST_F(DrawingSurfaceTest, TwoPixelLinesAreTwoPixelsThick) {
    for (const int width : {1, 2, 3}) {
        surface_.clear();
        surface_.setDrawWidth(width);
        surface_.line(100, 100, 300, 100, Qt::black);
        surface_.line(400, 20, 400, 200, Qt::black);
        int thicknessAcross = 0;
        for (int y = 90; y <= 110; ++y) thicknessAcross += at(200, y) == qRgb(0, 0, 0);
        int thicknessAlong = 0;
        for (int x = 390; x <= 410; ++x) thicknessAlong += at(x, 110) == qRgb(0, 0, 0);
        EXPECT_EQ(thicknessAcross, width) << "horizontal line, width " << width;
        EXPECT_EQ(thicknessAlong, width) << "vertical line, width " << width;
    }
    surface_.setDrawWidth(0);
    EXPECT_EQ(surface_.drawWidth(), 1);
}

// Pixels of an arc of the circle of radius r around (cx, cy), with a pixel of slack.
void expectOnCircle(const Pixels& pixels, double cx, double cy, double r) {
    for (const Pixel& p : pixels) {
        const double d = std::hypot(p.first - cx, p.second - cy);
        EXPECT_LE(std::fabs(d - r), 1.5) << p.first << "," << p.second;
    }
}

TEST_F(DrawingSurfaceTest, TinyCircleColoursThePixelsAroundItsCentre) {
    surface_.circle(60, 3, 1, Qt::black);
    const Pixels p = drawn();
    EXPECT_GE(p.size(), 4u);
    for (const Pixel& px : p) {
        EXPECT_LE(std::abs(px.first - 60), 1) << px.first << "," << px.second;
        EXPECT_LE(std::abs(px.second - 3), 1) << px.first << "," << px.second;
    }
    expectOnCircle(p, 60, 3, 1);
}

TEST_F(DrawingSurfaceTest, ArcsRunCounterClockwiseFromTheRight) {
    const double cx = 300, cy = 110, r = 40;
    // A quarter from 0 (right) to pi/2 (up).
    surface_.arc(cx, cy, r, r, 0, M_PI / 2, Qt::black);
    Pixels p = drawn();
    ASSERT_FALSE(p.empty());
    expectOnCircle(p, cx, cy, r);
    for (const Pixel& px : p) {
        EXPECT_GE(px.first, cx - 1) << "left of the centre: " << px.first << "," << px.second;
        EXPECT_LE(px.second, cy + 1) << "below the centre: " << px.first << "," << px.second;
    }
    const auto near = [&](double x, double y) {
        for (const Pixel& px : p)
            if (std::abs(px.first - x) <= 1 && std::abs(px.second - y) <= 1) return true;
        return false;
    };
    EXPECT_TRUE(near(cx + r, cy)) << "start at the right";
    EXPECT_TRUE(near(cx, cy - r)) << "end at the top";

    // A spring coil: an almost full ellipse with its gap on the right.
    surface_.clear();
    surface_.arc(cx, cy, 15, 8, 0.2, 6.08, Qt::black);
    p = drawn();
    EXPECT_TRUE(near(cx - 15, cy)) << "left side drawn";
    EXPECT_TRUE(near(cx, cy - 8)) << "top drawn";
    EXPECT_TRUE(near(cx, cy + 8)) << "bottom drawn";
    EXPECT_FALSE(p.count({int(cx + 15), int(cy)})) << "gap at the right";
    for (const Pixel& px : p) {
        EXPECT_LE(std::abs(px.first - cx), 16);
        EXPECT_LE(std::abs(px.second - cy), 9);
    }

    // The first coil: the upper half then a piece below on the right.
    surface_.clear();
    surface_.arc(cx, cy, 15, 8, 0, 3.14, Qt::black);
    p = drawn();
    for (const Pixel& px : p) EXPECT_LE(px.second, cy + 1) << px.first << "," << px.second;
    EXPECT_TRUE(near(cx - 15, cy));
    EXPECT_TRUE(near(cx + 15, cy));
}

TEST_F(DrawingSurfaceTest, PrintWritesAtTheCurrentPositionAndAdvances) {
    surface_.setFont(QStringLiteral("Arial"), 8);
    surface_.moveTo(57, 1);
    const int width = surface_.textWidth(QStringLiteral("x"));
    ASSERT_GT(width, 0);
    surface_.print(QStringLiteral("x"));
    EXPECT_EQ(surface_.currentX(), 57 + width);
    EXPECT_EQ(surface_.currentY(), 1);
    surface_.setFontItalic(false);
    const int rest = surface_.textWidth(QStringLiteral("  (cm)"));
    surface_.print(QStringLiteral("  (cm)"));
    EXPECT_EQ(surface_.currentX(), 57 + width + rest);

    const Pixels p = drawn();
    ASSERT_FALSE(p.empty());
    const int height = surface_.textHeight();
    for (const Pixel& px : p) {
        EXPECT_GE(px.first, 56);
        EXPECT_LE(px.first, 57 + width + rest + 1);
        EXPECT_GE(px.second, 1);
        EXPECT_LT(px.second, 1 + height);
    }
    // Printing nothing moves nothing.
    surface_.print(QString());
    EXPECT_EQ(surface_.currentX(), 57 + width + rest);
}

TEST_F(DrawingSurfaceTest, FontSizesAreInPointsAtNinetySixDotsPerInch) {
    surface_.setFont(QStringLiteral("Arial"), 8, true, true);
    EXPECT_EQ(surface_.textFont().pixelSize(), 11);
    EXPECT_TRUE(surface_.textFont().bold());
    EXPECT_TRUE(surface_.textFont().italic());
    surface_.setFontSize(14);
    EXPECT_EQ(surface_.textFont().pixelSize(), 19);
    const int narrow = surface_.textWidth(QStringLiteral("Animation :"));
    surface_.setFontSize(8);
    EXPECT_LT(surface_.textWidth(QStringLiteral("Animation :")), narrow);
}

TEST_F(DrawingSurfaceTest, TheWidgetShowsTheImage) {
    surface_.line(50, 115, 580, 115, Qt::black);
    surface_.fillBox(0, 0, 10, 43, QColor(128, 128, 128));
    const QImage shown = surface_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(617, 225));
    EXPECT_EQ(shown.pixel(50, 115), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(580, 115), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(581, 115), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(10, 43), qRgb(128, 128, 128));
}

TEST_F(DrawingSurfaceTest, GrowingKeepsWhatWasDrawnAtTheTopLeft) {
    surface_.point(616, 224, Qt::black);
    surface_.setSurfaceSize(785, 300);
    EXPECT_EQ(surface_.imageWidth(), 785);
    EXPECT_EQ(at(616, 224), qRgb(0, 0, 0));
    EXPECT_EQ(at(784, 299), qRgb(255, 255, 255));
}

// Lines and outlines are written from pixel runs worked out once per shape: wherever they are
// drawn, and cut by the edges, they must cover what a painter covers.
TEST_F(DrawingSurfaceTest, LinesAndOutlinesCoverWhatAPainterCovers) {
    QImage expected(surface_.image().size(), QImage::Format_RGB32);
    auto pen = [](int width) {
        QPen p(Qt::black);
        p.setWidth(width);
        p.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    };
    const QPoint places[] = {{300, 110}, {3, 2}, {610, 220}, {-5, 100}, {300, 224}};
    for (int width : {1, 2, 3}) {
        surface_.setDrawWidth(width);
        for (int dx = -24; dx <= 24; dx += 3)
            for (int dy = -24; dy <= 24; dy += 4)
                for (const QPoint& a : places) {
                    const QPoint b = a + QPoint(dx, dy);
                    surface_.clear();
                    surface_.line(a.x(), a.y(), b.x(), b.y(), Qt::black);
                    surface_.box(a.x(), a.y(), b.x(), b.y() + 1, Qt::black);
                    expected.fill(Qt::white);
                    QPainter p(&expected);
                    p.setPen(pen(width));
                    if (a == b)
                        p.drawPoint(a);
                    else
                        p.drawLine(a, b);
                    const QPoint c = b + QPoint(0, 1);
                    const QRect r(QPoint(std::min(a.x(), c.x()), std::min(a.y(), c.y())),
                                  QPoint(std::max(a.x(), c.x()), std::max(a.y(), c.y())));
                    p.drawRect(QRect(r.topLeft(), r.size() - QSize(1, 1)));
                    p.end();
                    ASSERT_EQ(surface_.image(), expected)
                        << "width " << width << " from " << a.x() << "," << a.y() << " by " << dx
                        << "," << dy;
                }
    }
}

}  // namespace
}  // namespace ondalis
