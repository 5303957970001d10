// The plotter called by hand with the run's recording of the drawn samples, and the cursor
// readout.
#include <gtest/gtest.h>

#include <QWidget>

#include "recording_view.h"

namespace ondalis {
namespace {

const QColor kWhite(255, 255, 255);

class Plotter : public ::testing::Test, public testing::RecordingView {
protected:
    void SetUp() override {
        cutTableToHeader(grid);
        scale = {PlotPosition, 5};
    }
    bool plot(double t, float x, float duration = 5, bool bold = false) {
        MotionSample s;
        s.t = t;
        s.x = x;
        return draw(s, duration, bold);
    }
    // A drawing of the sample as the window makes it: the run records it, the plotter draws it,
    // the grid shows the recording.
    bool draw(const MotionSample& s, float duration = 5, bool bold = false) {
        settings.duration = duration;
        if (recording.record(s)) showRecordedRows(grid, recording.samples());
        return tracegraphe(frame, scale, memory, s, duration, bold, colors);
    }
    int countColour(const QColor& c) const {
        int n = 0;
        const QImage& img = frame.image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == c;
        return n;
    }

    Recording recording;
    RecordingSettings& settings = recording.settings;
};

struct GuardCase {
    float duration;
    float ymax;
    double t;
};

class PlotterGuard : public Plotter, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(PlotterGuard, draws_nothing_and_writes_no_row) {
    const GuardCase& c = GetParam();
    scale.ymax = c.ymax;
    settings.sampleDue = true;
    memory = {60, 20, 0, 0};
    EXPECT_FALSE(plot(c.t, 3, c.duration));
    EXPECT_EQ(countColour(kWhite), 617 * 225);
    EXPECT_EQ(recordedRows(grid), 0);
    EXPECT_TRUE(settings.sampleDue);
    EXPECT_EQ(memory.previousX, 60);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlotterGuard,
                         ::testing::Values(GuardCase{0, 5, 0}, GuardCase{-1, 5, 0},
                                           GuardCase{5, 0, 1}, GuardCase{5, 5, 5.001},
                                           GuardCase{0.001f, 5, 0.00102}));

TEST_F(Plotter, a_time_just_past_d_that_rounds_onto_d_is_still_plotted) {
    EXPECT_TRUE(plot(5.0000001, 0));
}

TEST_F(Plotter, at_time_zero_draws_one_point_and_writes_the_first_row) {
    ASSERT_TRUE(plot(0, 5));
    EXPECT_EQ(frame.image().pixelColor(50, 15), colors.position);
    EXPECT_EQ(countColour(colors.position), 1);
    EXPECT_EQ(recordedRows(grid), 1);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("5"));
    EXPECT_EQ(memory.previousX, 50);
    EXPECT_EQ(memory.previousY1, 15);
    // x = 2.5 cm lands on Y = 65.
    ASSERT_TRUE(plot(0, 2.5f));
    EXPECT_EQ(frame.image().pixelColor(50, 65), colors.position);
    EXPECT_EQ(recordedRows(grid), 1);
}

TEST_F(Plotter, later_call_draws_a_segment_from_the_remembered_point) {
    plot(0, 5);
    ASSERT_TRUE(plot(2.5, 0));
    // From (50, 15) to (300, 115).
    EXPECT_EQ(frame.image().pixelColor(175, 65), colors.position);
    EXPECT_EQ(frame.image().pixelColor(300, 115), colors.position);
    EXPECT_EQ(frame.image().pixelColor(301, 115), kWhite);
    EXPECT_EQ(memory.previousX, 300);
    EXPECT_EQ(recordedRows(grid), 1);  // no sampling instant flagged
}

TEST_F(Plotter, without_amplitude_draws_nothing_but_writes_the_rows) {
    scale.ymax = 0;
    EXPECT_FALSE(plot(0, 0));
    settings.sampleDue = true;
    EXPECT_FALSE(plot(0.1, 0));
    EXPECT_EQ(countColour(kWhite), 617 * 225);
    ASSERT_EQ(recordedRows(grid), 2);
    EXPECT_EQ(grid.text(2, 0), QStringLiteral("0,1"));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("0"));
}

TEST_F(Plotter, flagged_instant_appends_one_row_and_clears_the_flag) {
    plot(0, 5);
    settings.sampleDue = true;
    // A sample of another instant (drawn again while paused) is not the flagged instant's row.
    plot(0.05, 4.8f);
    EXPECT_EQ(recordedRows(grid), 1);
    plot(0.1, 4.5f);
    EXPECT_EQ(recordedRows(grid), 2);
    EXPECT_EQ(grid.text(2, 0), QStringLiteral("0,1"));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("4,5"));
    EXPECT_FALSE(settings.sampleDue);
    // A redraw at the same instant (paused) adds no second row.
    plot(0.1, 4.5f);
    EXPECT_EQ(recordedRows(grid), 2);
}

TEST_F(Plotter, bold_segments_are_two_pixels_wide_and_the_width_is_put_back) {
    plot(0, 2);
    plot(1, 2, 5, true);  // horizontal segment at Y = 75, X 50 to 150
    int bold = 0;
    for (int y = 70; y < 80; ++y) bold += frame.image().pixelColor(100, y) == colors.position;
    EXPECT_EQ(bold, 2);
    EXPECT_EQ(frame.drawWidth(), 1);
    plot(2, 2, 5, false);  // X 150 to 250, thin again
    int thin = 0;
    for (int y = 70; y < 80; ++y) thin += frame.image().pixelColor(200, y) == colors.position;
    EXPECT_EQ(thin, 1);
}

TEST_F(Plotter, each_signed_quantity_uses_its_value_and_colour) {
    struct Case {
        int quantity;
        QColor colour;
    };
    for (const Case c :
         {Case{PlotVelocity, colors.velocity}, Case{PlotAcceleration, colors.acceleration}}) {
        frame.clear();
        scale = {c.quantity, 0.5f};
        MotionSample s;
        s.x = 5;
        s.v = c.quantity == PlotVelocity ? -0.25f : 0.5f;
        s.a = c.quantity == PlotAcceleration ? -0.25f : 0.5f;
        draw(s);
        EXPECT_EQ(frame.image().pixelColor(50, 165), c.colour) << c.quantity;
    }
}

TEST_F(Plotter, energies_give_three_points_then_three_segments_in_their_colours) {
    scale = {PlotEnergies, 0.01f};
    MotionSample s;
    s.ec = 0;
    s.epe = 0.01f;
    s.em = 0.005f;
    draw(s);
    EXPECT_EQ(frame.image().pixelColor(50, 200), colors.ec);
    EXPECT_EQ(frame.image().pixelColor(50, 20), colors.epe);
    EXPECT_EQ(frame.image().pixelColor(50, 110), colors.em);
    EXPECT_EQ(memory.previousY2, 20);
    EXPECT_EQ(memory.previousY3, 110);
    s.t = 2.5;
    s.ec = 0.01f;
    s.epe = 0;
    draw(s);
    EXPECT_EQ(frame.image().pixelColor(300, 20), colors.ec);
    EXPECT_EQ(frame.image().pixelColor(300, 200), colors.epe);
    // Em is drawn last, over the crossing of the other two.
    EXPECT_EQ(frame.image().pixelColor(175, 110), colors.em);
    EXPECT_EQ(frame.image().pixelColor(300, 110), colors.em);
}

struct ReadoutCase {
    int x;
    float duration;
    bool crossHair;
    const char* tip;
};

class CursorReadoutCases : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(CursorReadoutCases, gives_the_time_under_the_pointer_inside_the_band) {
    const ReadoutCase& c = GetParam();
    const CursorReadout r = cursorReadout(c.x, c.duration);
    EXPECT_EQ(r.crossHair, c.crossHair);
    EXPECT_EQ(r.toolTip, QString::fromUtf8(c.tip));
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, CursorReadoutCases,
    ::testing::Values(ReadoutCase{49, 5, false, ""}, ReadoutCase{551, 5, false, ""},
                      ReadoutCase{-3, 5, false, ""}, ReadoutCase{50, 5, true, "t = 0 s"},
                      ReadoutCase{300, 5, true, "t = 2,5 s"}, ReadoutCase{550, 5, true, "t = 5 s"},
                      ReadoutCase{299, 5, true, "t = 2,49 s"},
                      ReadoutCase{333, 1, true, "t = 0,566 s"},
                      ReadoutCase{123, 600, true, "t = 87,6 s"},
                      ReadoutCase{51, 0.001f, true, "t = 2E-06 s"},
                      ReadoutCase{300, 0, true, "t = 0 s"}));

TEST(CursorReadout, sets_pointer_shape_and_tooltip_of_the_surface) {
    QWidget w;
    applyCursorReadout(w, cursorReadout(300, 5));
    EXPECT_EQ(w.cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(w.toolTip(), QStringLiteral("t = 2,5 s"));
    applyCursorReadout(w, cursorReadout(20, 5));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.toolTip(), QString());
    EXPECT_EQ(
        graphHint(),
        QStringLiteral("Le tableau de valeurs correspondant est dans l'onglet Enregistrement"));
}

}  // namespace
}  // namespace ondalis
