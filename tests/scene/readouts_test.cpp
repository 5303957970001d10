// The readouts: their texts, and the panel drawn around them.
#include "scene/readouts.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <algorithm>

#include "platform/canvas/canvas.h"

namespace ondalis {
namespace {

struct TextCase {
    double value;
    const char* text;
};

class ReadoutText : public testing::TestWithParam<TextCase> {};

TEST_P(ReadoutText, HasTwoDecimalsAndTheDecimalComma) {
    EXPECT_EQ(readoutText(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadoutText,
                         testing::Values(TextCase{0, "0,00"}, TextCase{0.37, "0,37"},
                                         TextCase{-0.433, "-0,43"}, TextCase{5, "5,00"},
                                         TextCase{12345.678, "12345,68"},
                                         TextCase{-1234.567, "-1234,57"}));

struct EnergyCase {
    float joules;
    const char* text;
};

class EnergyReadout : public testing::TestWithParam<EnergyCase> {};

TEST_P(EnergyReadout, ShowsMillijoulesBelowOneJoule) {
    EXPECT_EQ(energyReadoutText(GetParam().joules), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, EnergyReadout,
                         testing::Values(EnergyCase{0.5f, "500,00 m"}, EnergyCase{1, "1,00"},
                                         EnergyCase{0, "0,00 m"}, EnergyCase{0.0125f, "12,50 m"},
                                         EnergyCase{0.99f, "990,00 m"}, EnergyCase{2.5f, "2,50"},
                                         EnergyCase{1234, "1234,00"}));

TEST(Readouts, SevenTextsInPanelOrderWithThePositionInCentimetres) {
    MotionSample s;
    s.t = 0.37;
    s.x = 4.33f;
    s.v = -0.123f;
    s.a = 5;
    s.ec = 0.5f;
    s.epe = 1;
    s.em = 1.5f;
    const auto texts = readoutTexts(s);
    const char* expected[] = {"0,37", "4,33", "-0,12", "5,00", "500,00 m", "1,00", "1,50"};
    for (int i = 0; i < ReadoutCount; ++i) EXPECT_EQ(texts[i], QString::fromUtf8(expected[i]));
}

TEST(Readouts, LabelsAreStackedAt42WithTheirNames) {
    const auto rects = readoutLabelRects();
    const int tops[] = {8, 30, 52, 74, 96, 118, 140};
    for (int i = 0; i < ReadoutCount; ++i) EXPECT_EQ(rects[i], QRect(42, tops[i], 69, 19)) << i;
    const char* names[] = {"Label3", "Label1", "Label6", "Label7", "Label5", "Label8", "Label9"};
    for (int i = 0; i < ReadoutCount; ++i) EXPECT_STREQ(readoutLabelNames()[i], names[i]);
}

// The readout panel, 161 × 169, painted over a light grey.
class ReadoutPanel : public testing::Test {
protected:
    ReadoutPanel() {
        panel_.setImageSize(QSize(161, 169));
        panel_.setBackColor(QColor(192, 192, 192));
        appareil(panel_, readoutLabelRects());
        measure_.setFont(QStringLiteral("Arial"), 8, true, true);
    }
    QColor at(int x, int y) const { return panel_.image().pixelColor(x, y); }
    static bool dark(const QColor& c) { return c.red() < 110; }
    bool darkIn(int x1, int y1, int x2, int y2) const {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (dark(at(x, y))) return true;
        return false;
    }
    // Left end of a name written in bold italic so that `measured` would end at x = 42.
    int nameLeft(const char* measured) const {
        return 42 - measure_.textWidth(QString::fromUtf8(measured));
    }

    Canvas panel_;
    Canvas measure_;
};

TEST_F(ReadoutPanel, FrameIsARaisedBevel) {
    EXPECT_EQ(at(0, 0), QColor(Qt::white));
    EXPECT_EQ(at(0, 100), QColor(Qt::white));
    EXPECT_EQ(at(100, 0), QColor(Qt::white));
    EXPECT_EQ(at(1, 100), QColor(230, 230, 230));
    EXPECT_EQ(at(100, 1), QColor(230, 230, 230));
    EXPECT_EQ(at(159, 100), QColor(100, 100, 100));
    EXPECT_EQ(at(160, 100), QColor(70, 70, 70));
    EXPECT_EQ(at(160, 0), QColor(70, 70, 70));
    EXPECT_EQ(at(100, 168), QColor(70, 70, 70));
    EXPECT_EQ(at(100, 167), QColor(100, 100, 100)) << "shadow kept under the shading";
}

TEST_F(ReadoutPanel, ShadingIsWhiteInTheMiddleAndGreyAtTheSides) {
    // Grey 255 - 130·|i - 80.5| / 80.5, cut to an integer, on every row inside the frame.
    for (int y : {2, 5, 166}) {
        EXPECT_EQ(at(2, y), QColor(128, 128, 128)) << y;
        EXPECT_EQ(at(40, y), QColor(189, 189, 189)) << y;
        EXPECT_EQ(at(80, y), QColor(254, 254, 254)) << y;
        EXPECT_EQ(at(81, y), QColor(254, 254, 254)) << y;
        EXPECT_EQ(at(158, y), QColor(129, 129, 129)) << y;
    }
}

TEST_F(ReadoutPanel, NamesEndAtTheLabelsAndUnitsStartAfterThem) {
    const auto rects = readoutLabelRects();
    for (int i = 0; i < ReadoutCount; ++i) {
        const QRect& r = rects[i];
        EXPECT_TRUE(darkIn(20, r.top() + 2, 41, r.bottom())) << "name of " << i;
        EXPECT_FALSE(darkIn(42, r.top(), 110, r.bottom())) << "nothing under label " << i;
        EXPECT_TRUE(darkIn(111, r.top(), 140, r.bottom())) << "unit of " << i;
        EXPECT_FALSE(darkIn(2, r.top(), 6, r.bottom())) << "names fit inside the frame " << i;
    }
}

TEST_F(ReadoutPanel, DotsOverTheXOfTheVelocityAndTheAcceleration) {
    const int lx = nameLeft("x = ");
    // One dot at (Lx + 2, Ly + 1) for the velocity, two for the acceleration, none for x.
    EXPECT_TRUE(dark(at(lx + 2, 52 + 2 + 1)));
    EXPECT_TRUE(dark(at(lx + 1, 74 + 2 + 1)));
    EXPECT_TRUE(dark(at(lx + 4, 74 + 2 + 1)));
    EXPECT_FALSE(darkIn(lx, 30 + 2, lx + 6, 30 + 3)) << "plain x";
}

TEST_F(ReadoutPanel, EnergySubscriptsAreLowered) {
    // Below the baseline of "E" there is ink only for the subscripts.
    const int baseline = 2 + QFontMetrics(measure_.textFont()).ascent();
    for (int top : {96, 118, 140}) EXPECT_TRUE(darkIn(20, top + baseline + 1, 41, top + 16)) << top;
    EXPECT_FALSE(darkIn(20, 8 + baseline + 1, 41, 8 + 16)) << "t = has no subscript";
}

TEST_F(ReadoutPanel, VelocityAndAccelerationUnitsHaveRaisedExponents) {
    Canvas upright;
    upright.setFont(QStringLiteral("Arial"), 8, true, false);
    const int after = 111 + upright.textWidth(QStringLiteral(" m · s"));
    for (int top : {52, 74}) {
        EXPECT_TRUE(darkIn(after, top - 2, after + 12, top + 3)) << top;
        EXPECT_FALSE(darkIn(after + 13, top - 2, 158, top + 18)) << top;
    }
    // " cm": lower-case letters only, nothing high up.
    EXPECT_FALSE(darkIn(111, 30 - 2, 158, 30 + 4));
}

}  // namespace
}  // namespace ondalis
