// The graph's scales: full scales and the texts of the time and vertical labels.
#include <gtest/gtest.h>

#include "graph/graphframe.h"
#include "platform/canvas/canvas.h"

namespace ondalis {
namespace {

struct ScaleCase {
    int quantity;
    float x0, m, k;
    float ymax;
};

class FullScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(FullScale, is_the_undamped_largest_magnitude_rounded_to_two_significant_digits) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(graphFullScale(c.quantity, c.x0, c.m, c.k), c.ymax);
    Canvas frame;
    frame.setImageSize(QSize(kGraphWidth, kGraphHeight));
    GraphScale scale;
    echgraph(frame, scale, c.quantity, 5, c.x0, c.m, c.k, CurveColors{});
    EXPECT_EQ(scale.ymax, c.ymax);
    EXPECT_EQ(scale.quantity, c.quantity);
}

INSTANTIATE_TEST_SUITE_P(Examples, FullScale,
                         ::testing::Values(ScaleCase{PlotPosition, 5, 200, 10, 5.0f},
                                           ScaleCase{PlotPosition, -7.25f, 200, 10, 7.3f},
                                           ScaleCase{PlotVelocity, 5, 200, 10, 0.35f},  // 0.35355
                                           ScaleCase{PlotVelocity, -5, 100, 10, 0.5f},  // ω0 = 10
                                           ScaleCase{PlotAcceleration, 5, 200, 10, 2.5f},
                                           ScaleCase{PlotAcceleration, 1.96f, 100, 10, 2.0f},
                                           ScaleCase{PlotAcceleration, -10, 10, 1000, 10000.0f},
                                           ScaleCase{PlotEnergies, 5, 200, 10, 0.013f},  // 0.0125
                                           ScaleCase{PlotEnergies, -10, 145, 1000, 5.0f},
                                           ScaleCase{PlotVelocity, 0, 145, 10, 0.0f}));

struct LabelCase {
    float value;
    int quantity;
    std::vector<const char*> texts;
};

class TimeLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(TimeLabels, are_tenths_of_the_duration_in_general_format) {
    const LabelCase& c = GetParam();
    const QStringList labels = graphTimeLabels(c.value, c.quantity);
    ASSERT_EQ(labels.size(), qsizetype(c.texts.size()));
    for (std::size_t i = 0; i < c.texts.size(); ++i)
        EXPECT_EQ(labels[qsizetype(i)], QString::fromUtf8(c.texts[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Durations, TimeLabels,
    ::testing::Values(
        LabelCase{5, PlotPosition, {"0,5", "1", "1,5", "2", "2,5", "3", "3,5", "4", "4,5", "5"}},
        LabelCase{600,
                  PlotVelocity,
                  {"60", "120", "180", "240", "300", "360", "420", "480", "540", "600"}},
        LabelCase{
            5, PlotEnergies, {"0", "0,5", "1", "1,5", "2", "2,5", "3", "3,5", "4", "4,5", "5"}},
        LabelCase{0.001f,
                  PlotEnergies,
                  {"0", "0,0001", "0,0002", "0,0003", "0,0004", "0,0005", "0,0006", "0,0007",
                   "0,0008", "0,0009", "0,001"}},
        LabelCase{0.2f,
                  PlotAcceleration,
                  {"0,02", "0,04", "0,06", "0,08", "0,1", "0,12", "0,14", "0,16", "0,18", "0,2"}}));

class VerticalLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(VerticalLabels, are_tenths_of_the_full_scale_from_bottom_to_top) {
    const LabelCase& c = GetParam();
    const QStringList labels = graphVerticalLabels(c.value, c.quantity);
    ASSERT_EQ(labels.size(), qsizetype(c.texts.size()));
    for (std::size_t i = 0; i < c.texts.size(); ++i)
        EXPECT_EQ(labels[qsizetype(i)], QString::fromUtf8(c.texts[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Scales, VerticalLabels,
    ::testing::Values(
        LabelCase{5, PlotPosition, {"-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5"}},
        LabelCase{0.35f,
                  PlotVelocity,
                  {"-0,35", "-0,28", "-0,21", "-0,14", "-0,07", "0", "0,07", "0,14", "0,21", "0,28",
                   "0,35"}},
        LabelCase{0.013f,
                  PlotEnergies,
                  {"0", "0,0013", "0,0026", "0,0039", "0,0052", "0,0065", "0,0078", "0,0091",
                   "0,0104", "0,0117", "0,013"}},
        LabelCase{0, PlotPosition, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}}));

}  // namespace
}  // namespace ondalis
