// The graph frame: what is drawn where in both layouts.
#include <gtest/gtest.h>

#include "graph/graphframe.h"
#include "graph/widgets/graphsurface.h"
#include "platform/widgets/drawingsurface.h"

namespace ondalis {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(192, 192, 192);

// Dark pixels in a rectangle, and their horizontal extent.
struct Extent {
    int count = 0, left = 10000, right = -1;
};
Extent darkIn(const QImage& img, int x0, int y0, int x1, int y1, int below = 100) {
    Extent e;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (img.pixelColor(x, y).lightness() < below) {
                ++e.count;
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
            }
    return e;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override { setUpGraphFrame(frame); }
    QImage draw(int quantity, float duration = 5, float x0 = 5, float m = 200, float k = 10) {
        echgraph(frame, scale, quantity, duration, x0, m, k, colors);
        return frame.image();
    }
    DrawingSurface frame;
    GraphScale scale;
    CurveColors colors;
};

TEST_F(Frame, surface_is_617_by_225_white_and_named) {
    EXPECT_EQ(frame.image().size(), QSize(617, 225));
    EXPECT_EQ(frame.backColor(), kWhite);
    EXPECT_EQ(frame.objectName(), QStringLiteral("Frame1"));
    EXPECT_FALSE(frame.accessibleName().isEmpty());
}

TEST_F(Frame, signed_layout_axes_arrow_heads_and_grid) {
    const QImage img = draw(PlotPosition);
    // Time axis at Y = 115 up to X = 580 with its arrow head.
    for (int x : {50, 51, 300, 551, 580}) EXPECT_EQ(img.pixelColor(x, 115), kBlack) << x;
    EXPECT_EQ(img.pixelColor(581, 115), kWhite);
    for (auto [x, y] : {std::pair{574, 112}, {576, 113}, {574, 118}, {578, 116}})
        EXPECT_EQ(img.pixelColor(x, y), kBlack) << x << "," << y;
    // Vertical axis from Y = 5 to 215 with its arrow head.
    for (int y : {5, 14, 100, 215}) EXPECT_EQ(img.pixelColor(50, y), kBlack) << y;
    EXPECT_EQ(img.pixelColor(50, 216), kWhite);
    for (auto [x, y] : {std::pair{47, 11}, {53, 11}, {48, 9}, {52, 9}})
        EXPECT_EQ(img.pixelColor(x, y), kBlack) << x << "," << y;
    // Vertical grid lines at X = 100 … 550 in two pieces: 15 to 117 and 127 to 215.
    for (int x = 100; x <= 550; x += 50) {
        EXPECT_EQ(img.pixelColor(x, 16), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 60), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 116), kGrey) << x;  // the labels start below
        EXPECT_EQ(img.pixelColor(x, 127), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 214), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 14), kWhite) << x;
        EXPECT_EQ(img.pixelColor(x, 216), kWhite) << x;
    }
    // Horizontal grid lines at Y = 15, 35, …, 215 (the one at 115 is under the axis).
    for (int y = 15; y <= 215; y += 20) {
        if (y == 115) continue;
        EXPECT_EQ(img.pixelColor(75, y), kGrey) << y;
        EXPECT_EQ(img.pixelColor(550, y), kGrey) << y;
        EXPECT_EQ(img.pixelColor(551, y), kWhite) << y;
        EXPECT_EQ(img.pixelColor(75, y + 1), kWhite) << y;
    }
}

TEST_F(Frame, energy_layout_axes_arrow_heads_and_grid) {
    const QImage img = draw(PlotEnergies);
    for (int x : {51, 300, 580}) EXPECT_EQ(img.pixelColor(x, 200), kBlack) << x;
    EXPECT_NE(img.pixelColor(300, 115), kBlack);
    for (auto [x, y] : {std::pair{574, 197}, {574, 203}, {578, 199}, {578, 201}})
        EXPECT_EQ(img.pixelColor(x, y), kBlack) << x << "," << y;
    for (int y : {5, 100, 200}) EXPECT_EQ(img.pixelColor(50, y), kBlack) << y;
    for (auto [x, y] : {std::pair{47, 11}, {53, 11}}) EXPECT_EQ(img.pixelColor(x, y), kBlack);
    // Vertical grid lines from 20 to 200, horizontal ones every 18 pixels from 20.
    for (int x = 100; x <= 550; x += 50) {
        EXPECT_EQ(img.pixelColor(x, 20), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 120), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 199), kGrey) << x;
        EXPECT_EQ(img.pixelColor(x, 19), kWhite) << x;
    }
    for (int y = 20; y < 200; y += 18) {
        EXPECT_EQ(img.pixelColor(75, y), kGrey) << y;
        EXPECT_EQ(img.pixelColor(550, y), kGrey) << y;
        EXPECT_EQ(img.pixelColor(75, y + 1), kWhite) << y;
    }
}

TEST_F(Frame, time_labels_sit_centred_under_their_grid_lines) {
    for (int quantity : {PlotPosition, PlotEnergies}) {
        const QImage img = draw(quantity, 600);
        const int top = quantity == PlotEnergies ? 200 : 115;
        for (int i = quantity == PlotEnergies ? 1 : 1; i <= 10; ++i) {
            const int x = 50 + 50 * i;
            const Extent e = darkIn(img, x - 20, top + 2, x + 20, top + 13);
            ASSERT_GT(e.count, 5) << i;
            EXPECT_NEAR((e.left + e.right) / 2.0, x, 1.5) << quantity << " " << i;
        }
    }
    // No label at the origin in the signed layout, "0" there in the energy layout.
    EXPECT_EQ(darkIn(draw(PlotPosition), 44, 117, 49, 128).count, 0);
    EXPECT_GT(darkIn(draw(PlotEnergies), 44, 202, 56, 213).count, 3);
}

TEST_F(Frame, vertical_labels_end_at_x_45_level_with_their_lines) {
    const QImage img = draw(PlotVelocity);
    for (int i = -10; i <= 10; i += 2) {
        const int top = 107 - 10 * i;
        const Extent e = darkIn(img, 0, top + 2, 46, top + 11);
        ASSERT_GT(e.count, 3) << i;
        EXPECT_LE(e.right, 45) << i;
        EXPECT_GE(e.right, 42) << i;
    }
    const QImage energy = draw(PlotEnergies);
    for (int i = 0; i <= 10; ++i) {
        const int top = 192 - 18 * i;
        const Extent e = darkIn(energy, 0, top + 2, 46, top + 11);
        ASSERT_GT(e.count, 3) << i;
        EXPECT_LE(e.right, 45) << i;
    }
}

TEST_F(Frame, titles_and_the_dots_over_x) {
    QImage img = draw(PlotPosition);
    EXPECT_GT(darkIn(img, 570, 97, 610, 110).count, 10);
    EXPECT_GT(darkIn(img, 57, 1, 110, 14).count, 20);
    EXPECT_EQ(darkIn(img, 59, 2, 61, 4).count, 0);
    img = draw(PlotVelocity);
    EXPECT_EQ(img.pixelColor(60, 3), kBlack);
    EXPECT_EQ(img.pixelColor(60, 2), kBlack);
    EXPECT_EQ(img.pixelColor(61, 3), kBlack);
    img = draw(PlotAcceleration);
    EXPECT_EQ(img.pixelColor(58, 3), kBlack);
    EXPECT_EQ(img.pixelColor(62, 3), kBlack);
    EXPECT_EQ(img.pixelColor(60, 3), kWhite);
    img = draw(PlotEnergies);
    EXPECT_GT(darkIn(img, 570, 182, 610, 195).count, 10);
    EXPECT_EQ(darkIn(img, 570, 97, 610, 110).count, 0);
}

TEST_F(Frame, energy_title_is_the_legend_in_the_curve_colours) {
    colors.ec = QColor(255, 0, 0);
    colors.epe = QColor(0, 255, 0);
    colors.em = QColor(0, 0, 255);
    const QImage img = draw(PlotEnergies);
    // The three coloured symbols follow each other from x = 57, black " ; " between them.
    // (Text is smoothed: a pixel counts when its colour's own channel dominates.)
    const auto firstColumn = [&](const QColor& c) {
        for (int x = 57; x < 200; ++x)
            for (int y = 0; y < 18; ++y) {
                const QColor p = img.pixelColor(x, y);
                const int own = c == colors.ec ? p.red() : c == colors.epe ? p.green() : p.blue();
                const int others = p.red() + p.green() + p.blue() - own;
                if (own > 150 && others < 150) return x;
            }
        return -1;
    };
    const int ec = firstColumn(colors.ec), epe = firstColumn(colors.epe),
              em = firstColumn(colors.em);
    ASSERT_GE(ec, 57);
    EXPECT_GT(epe, ec + 8);
    EXPECT_GT(em, epe + 8);
    EXPECT_GT(darkIn(img, ec + 8, 1, epe - 1, 14).count, 1);  // black " ; "
}

TEST_F(Frame, zero_duration_only_clears) {
    draw(PlotPosition);
    const float ymax = scale.ymax;
    frame.line(0, 0, 616, 224, kBlack);
    const QImage img = draw(PlotVelocity, 0);
    EXPECT_EQ(darkIn(img, 0, 0, 616, 224, 250).count, 0);
    EXPECT_EQ(scale.ymax, ymax);
}

}  // namespace
}  // namespace ondalis
