// The duration table and the first step of a duration change.
#include <gtest/gtest.h>

#include <QString>

#include "recording/recordingsettings.h"

namespace ondalis {
namespace {

struct DurationCase {
    int index;
    const char* label;
    const char* decimal;  // D as written in the table
};

class DurationTable : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationTable, index_gives_its_label_and_the_single_nearest_to_its_decimal_value) {
    const DurationCase& c = GetParam();
    RecordingSettings settings;
    const auto label = applyDurationIndex(settings, c.index);
    ASSERT_TRUE(label.has_value());
    EXPECT_EQ(*label, QString::fromUtf8(c.label));
    EXPECT_EQ(settings.duration, QString::fromLatin1(c.decimal).toFloat());
    EXPECT_EQ(settings.durationIndex, c.index);
}

INSTANTIATE_TEST_SUITE_P(
    AllNineteen, DurationTable,
    ::testing::Values(DurationCase{-8, "1 ms", "0.001"}, DurationCase{-7, "2 ms", "0.002"},
                      DurationCase{-6, "5 ms", "0.005"}, DurationCase{-5, "10 ms", "0.01"},
                      DurationCase{-4, "20 ms", "0.02"}, DurationCase{-3, "50 ms", "0.05"},
                      DurationCase{-2, "100 ms", "0.1"}, DurationCase{-1, "200 ms", "0.2"},
                      DurationCase{0, "500 ms", "0.5"}, DurationCase{1, "1 s", "1"},
                      DurationCase{2, "2 s", "2"}, DurationCase{3, "5 s", "5"},
                      DurationCase{4, "10 s", "10"}, DurationCase{5, "20 s", "20"},
                      DurationCase{6, "30 s", "30"}, DurationCase{7, "1 min", "60"},
                      DurationCase{8, "2 min", "120"}, DurationCase{9, "5 min", "300"},
                      DurationCase{10, "10 min", "600"}));

TEST(RecordingSettings, start_with_index_three_and_five_seconds) {
    const RecordingSettings s;
    EXPECT_EQ(s.durationIndex, 3);
    EXPECT_EQ(s.duration, 5.0f);
    EXPECT_FALSE(s.sampleDue);
    EXPECT_EQ(QString::fromUtf8(durationEntry(s.durationIndex)->label), QStringLiteral("5 s"));
}

TEST(RecordingSettings, index_outside_the_table_keeps_the_previous_duration) {
    for (int index : {-9, 11, 1000, -32768, 100000}) {
        // State: a duration of 2 min chosen.
        RecordingSettings s;
        ASSERT_TRUE(applyDurationIndex(s, 8));
        s.sampleDue = true;
        // Action: an index no row of the table has.
        const auto label = applyDurationIndex(s, index);
        // Expected: no label to show, D unchanged; the index itself is kept when it fits.
        EXPECT_FALSE(label.has_value()) << index;
        EXPECT_EQ(s.duration, 120.0f) << index;
        EXPECT_TRUE(s.sampleDue);
        EXPECT_EQ(s.durationIndex, index == 100000 ? 8 : index);
    }
}

TEST(RecordingSettings, panel_hint_text) {
    EXPECT_EQ(
        recordingPanelHint(),
        QStringLiteral("Vous pouvez choisir la durée de l'enregistrement (tableau et graphe)"));
}

}  // namespace
}  // namespace ondalis
