// The value table as data, without any window: row texts and the copy.
#include <gtest/gtest.h>

#include "recording/recordedtable.h"

namespace ondalis {
namespace {

struct RowCase {
    MotionSample sample;
    const char* texts;  // the seven cells, separated by '|'
};

class RowTexts : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowTexts, are_the_time_in_general_form_and_six_values_to_three_digits) {
    const RowCase& c = GetParam();
    EXPECT_EQ(tableRowTexts(c.sample).join(QLatin1Char('|')), QString::fromUtf8(c.texts));
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RowTexts,
    ::testing::Values(
        RowCase{{0, 5, 0, -3.44828f, 0, 0.0125f, 0.0125f}, "0|5|0|-3,45|0|0,0125|0,0125"},
        RowCase{{0.1, 4.4567f, -0.0123456f, 2.5f, 0.000456789f, 0.00993f, 0.0103868f},
                "0,1|4,46|-0,0123|2,5|0,000457|0,00993|0,0104"},
        RowCase{{12, -0.00098765f, 4567, -1000.4f, 1, 0, 1}, "12|-0,000988|4570|-1000|1|0|1"},
        RowCase{{0.00004, 10, 0, 0, 0, 0, 0}, "0,00004|10|0|0|0|0|0"}));

TEST(CopyText, is_a_header_line_of_tabs_then_a_line_per_sample_joined_by_lf) {
    const RecordedSamples samples{{0, 5, 0, -3.5f, 0, 0.0125f, 0.0125f},
                                  {0.1, 4.5f, 0, -3.5f, 0, 0.0125f, 0.0125f}};
    EXPECT_EQ(copitabText(samples),
              QStringLiteral("\t\t\t\t\t\t\n0\t5\t0\t-3,5\t0\t0,0125\t0,0125\n"
                             "0,1\t4,5\t0\t-3,5\t0\t0,0125\t0,0125"));
    EXPECT_EQ(copitabText({}), QStringLiteral("\t\t\t\t\t\t"));
    EXPECT_EQ(copitabText({}, 1), QStringLiteral("\t\t\t\t\t\t\n\t\t\t\t\t\t"));
}

}  // namespace
}  // namespace ondalis
