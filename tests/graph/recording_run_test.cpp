// Complete recordings driven tick by tick: the table against the closed-form motion, the curve
// against the table, and the copy of a full table.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/numberformat.h"
#include "recording_run.h"

namespace ondalis {
namespace {

using testing::RecordingRun;

// The damped oscillator m·x'' + h·x' + k·x = 0, x(0) = x0, x'(0) = 0, solved here with the
// damping rate γ = h/2m and ω0² = k/m (SI units inside, x in cm).
struct Exact {
    double x, v, a, ec, epe, em;
};

Exact exactMotion(const OscillatorParameters& p, double t) {
    const double m = p.m / 1000.0, k = p.k, h = p.h, x0 = p.x0;
    const double g = h / (2 * m), w0sq = k / m;
    const double d = g * g - w0sq;
    const double e = std::exp(-g * t);
    double x, v;  // cm and cm/s
    if (std::fabs(d) < 1e-9 * w0sq) {
        x = x0 * e * (1 + g * t);
        v = -x0 * w0sq * t * e;
    } else if (d < 0) {
        const double w = std::sqrt(-d);
        x = x0 * e * (std::cos(w * t) + g / w * std::sin(w * t));
        v = -x0 * w0sq / w * e * std::sin(w * t);
    } else {
        const double w = std::sqrt(d);
        x = x0 * e * (std::cosh(w * t) + g / w * std::sinh(w * t));
        v = -x0 * w0sq / w * e * std::sinh(w * t);
    }
    const double a = -w0sq * x - 2 * g * v;
    Exact r{x, v / 100, a / 100, 0, 0, 0};
    r.ec = 0.5 * m * r.v * r.v;
    r.epe = 0.5 * k * (x / 100) * (x / 100);
    r.em = r.ec + r.epe;
    return r;
}

double cellValue(const QString& text) {
    bool ok = false;
    const double v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    EXPECT_TRUE(ok) << text.toStdString();
    return v;
}

// n·step written as a plain decimal with a comma, step given in units of 1e-5 s.
QString instantText(long long n, long long stepUnits) {
    const long long units = n * stepUnits;
    QString text = QString::number(units / 100000);
    QString fraction = QString::number(units % 100000).rightJustified(5, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (!fraction.isEmpty()) text += QLatin1Char(',') + fraction;
    return text;
}

struct RunCase {
    const char* name;
    OscillatorParameters params;
    int durationIndex;
    long long stepUnits;  // D/50 in units of 1e-5 s
    bool slowMotion;
    bool onePerTick;  // clock step at least D/50: every drawing lands on the next instant
};

class CompleteRecording : public ::testing::TestWithParam<RunCase> {};

TEST_P(CompleteRecording, holds_51_rows_at_exact_instants_with_the_closed_form_values) {
    const RunCase& c = GetParam();
    const float duration = durationEntry(c.durationIndex)->duration;
    RecordingRun run(c.params, duration, PlotPosition, false, c.slowMotion);
    run.runPastDuration(5);

    ASSERT_EQ(recordedRows(run.grid), 51);
    if (c.onePerTick) {
        EXPECT_EQ(run.drawings, 51);
    }
    const double amplitude[6] = {std::fabs(c.params.x0), 1, 10, 0.1, 0.1, 0.1};
    for (int row = 1; row <= 51; ++row) {
        const QString t = run.grid.text(row, 0);
        ASSERT_EQ(t, instantText(row - 1, c.stepUnits)) << "row " << row;
        const Exact e = exactMotion(c.params, cellValue(t));
        const double expected[6] = {e.x, e.v, e.a, e.ec, e.epe, e.em};
        for (int col = 1; col <= 6; ++col) {
            const double shown = cellValue(run.grid.text(row, col));
            // Three significant digits, plus a little for the single-precision computation.
            EXPECT_NEAR(shown, expected[col - 1],
                        0.0051 * std::fabs(expected[col - 1]) + 1e-5 * amplitude[col - 1])
                << "row " << row << " col " << col << " text "
                << run.grid.text(row, col).toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Durations, CompleteRecording,
    ::testing::Values(
        // Defaults with x0 = 5: step ≈ 0.0151 s.
        RunCase{"FiveSeconds", {5, 145, 10, 0.2f}, 3, 10000, false, false},
        RunCase{"OneSecond", {5, 145, 10, 0.2f}, 1, 2000, false, false},
        // m = 200 g, k = 10: step 0.0178 s, larger than D/50 = 0.01 s.
        RunCase{"HalfSecondLargeStep", {5, 200, 10, 0.2f}, 0, 1000, false, true},
        RunCase{"OneMillisecond", {5, 145, 10, 0.2f}, -8, 2, false, true},
        RunCase{"UndampedTwoSeconds", {-7.5f, 100, 10, 0}, 2, 4000, false, false},
        RunCase{"OverdampedTwoHundredMs", {10, 100, 10, 5}, -1, 400, false, false},
        RunCase{"CriticalOneSecond", {5, 100, 10, 2}, 1, 2000, false, false},
        // m = 5000 g, k = 1: step 0.05 s, 0.005 s in slow motion.
        RunCase{"SlowMotion", {3, 5000, 1, 1}, -2, 200, true, false}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST(Recording, ten_minutes_pull_the_clock_back_onto_every_twelfth_second) {
    // m = 200 g, k = 10: about 675 ticks between two rows.
    RecordingRun run({5, 200, 10, 0.2f}, 600);
    run.runPastDuration(2);
    ASSERT_EQ(recordedRows(run.grid), 51);
    for (int row = 1; row <= 51; ++row)
        EXPECT_EQ(run.grid.text(row, 0), QString::number(12 * (row - 1))) << row;
    EXPECT_GT(run.drawings, 50 * 670);
    EXPECT_LT(run.drawings, 50 * 680);
}

TEST(Recording, no_row_past_d_even_when_the_clock_stops_on_51_fiftieths) {
    // Step 0.0178 s > D/50: after the row at D the clock stops once more on 51·D/50.
    RecordingRun run({5, 200, 10, 0.2f}, 0.5f);
    run.runPastDuration(0);
    EXPECT_DOUBLE_EQ(run.t(), samplingInstant(0.5f, 51));
    EXPECT_TRUE(run.settings().sampleDue);
    // Redraws past D, of the flagged instant itself included, add nothing.
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(run.animation.showClockInstant().rowAdded);
        run.tick();
    }
    EXPECT_EQ(recordedRows(run.grid), 51);
    EXPECT_EQ(run.grid.text(51, 0), QStringLiteral("0,5"));
}

TEST(Recording, the_row_at_instant_k_carries_the_point_drawn_at_x_50_plus_10k) {
    RecordingRun run({5, 145, 10, 0.2f}, 5);
    run.runPastDuration();
    const QImage img = run.frame.image();
    // The first point, at (50, 15).
    EXPECT_EQ(img.pixelColor(50, 15), run.colors.position);
    for (int k = 0; k <= 50; ++k) {
        const float x = float(cellValue(run.grid.text(k + 1, 1)));
        const int y = int(std::lround(115 - 100 * x / 5));
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
            near |= img.pixelColor(50 + 10 * k, y + dy) == run.colors.position;
        EXPECT_TRUE(near) << "k = " << k << " y = " << y;
    }
    // At t = 2.5 s the curve is at X = 300.
    EXPECT_EQ(run.grid.text(26, 0), QStringLiteral("2,5"));
    // Nothing right of the end of the time band.
    for (int y = 0; y < 225; ++y) EXPECT_NE(img.pixelColor(551, y), run.colors.position) << y;
}

TEST(Recording, bold_energy_curves_are_two_pixels_thick) {
    for (bool bold : {false, true}) {
        // Undamped: Em is the horizontal line Y = 200 - 180·E0/ymax (E0 = 0.0125, ymax 0.013).
        RecordingRun run({5, 200, 10, 0}, 5, PlotEnergies, bold);
        run.runPastDuration();
        ASSERT_EQ(run.scale.ymax, 0.013f);
        const QImage img = run.frame.image();
        int em = 0, top = 0;
        for (int y = 0; y < 225; ++y)
            if (img.pixelColor(300, y) == run.colors.em) {
                ++em;
                top = top ? top : y;
            }
        EXPECT_EQ(em, bold ? 2 : 1) << bold;
        EXPECT_NEAR(top, 200 - 180 * 0.0125 / 0.013, 1.5);
        // The exchange between Ec and Epe reaches the time axis and the Em line.
        int ec = 0, epe = 0;
        for (int x = 51; x < 550; ++x)
            for (int y = 20; y <= 201; ++y) {
                ec += img.pixelColor(x, y) == run.colors.ec;
                epe += img.pixelColor(x, y) == run.colors.epe;
            }
        EXPECT_GT(ec, 500);
        EXPECT_GT(epe, 500);
    }
}

TEST(Recording, zero_start_position_records_51_zero_rows_and_draws_no_curve) {
    RecordingRun run({0, 145, 10, 0.2f}, 5);
    run.runPastDuration();
    EXPECT_EQ(run.scale.ymax, 0);
    ASSERT_EQ(recordedRows(run.grid), 51);
    for (int r = 1; r <= 51; ++r) {
        EXPECT_EQ(run.grid.text(r, 0), formatGeneral((r - 1) / 10.0));
        for (int c = 1; c < 7; ++c) ASSERT_EQ(run.grid.text(r, c), QStringLiteral("0"));
    }
    EXPECT_GT(run.t(), 5.0);
    const QImage img = run.frame.image();
    for (int y = 0; y < 225; ++y)
        for (int x = 0; x < 617; ++x) ASSERT_NE(img.pixelColor(x, y), run.colors.position);
}

TEST(Recording, copy_of_a_complete_table_is_52_lf_lines_and_selects_everything) {
    RecordingRun run({5, 145, 10, 0.2f}, 5);
    run.runPastDuration();
    const QString text = copitab(run.grid, run.animation.samples());
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    EXPECT_FALSE(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], QStringLiteral("\t\t\t\t\t\t"));
    for (int i = 1; i < 52; ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 7) << i;
        EXPECT_EQ(cells[0], run.grid.text(i, 0));
        EXPECT_EQ(cells[6], run.grid.text(i, 6));
    }
    EXPECT_EQ(lines[51].split(QLatin1Char('\t'))[0], QStringLiteral("5"));
    EXPECT_EQ(run.grid.row(), 0);
    EXPECT_EQ(run.grid.col(), 0);
    EXPECT_EQ(run.grid.rowSel(), 51);
    EXPECT_EQ(run.grid.colSel(), 6);
}

}  // namespace
}  // namespace ondalis
