// The value table: its build, its header pictures, its rows and its copy.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/valuetable.h"

namespace ondalis {
namespace {

struct RowCase {
    MotionSample sample;
    std::array<const char*, 7> texts;
};

class TableRowTexts : public ::testing::TestWithParam<RowCase> {};

TEST_P(TableRowTexts, time_in_general_format_and_the_rest_with_three_significant_digits) {
    const RowCase& c = GetParam();
    const QStringList texts = tableRowTexts(c.sample);
    ASSERT_EQ(texts.size(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(texts[i], QString::fromUtf8(c.texts[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TableRowTexts,
    ::testing::Values(
        RowCase{{0, 5, 0, -3.44827f, 0, 0.0125f, 0.0125f},
                {"0", "5", "0", "-3,45", "0", "0,0125", "0,0125"}},
        RowCase{{0.1, 4.9139f, -0.0123456f, 4567, 0.000456789f, 1.23456e-7f, 0.012345f},
                {"0,1", "4,91", "-0,0123", "4570", "0,000457", "1,23E-07", "0,0123"}},
        RowCase{{0.00002, -0.00098765f, 0.99951f, -12.3456f, 1, 0, 1},
                {"0,00002", "-0,000988", "1", "-12,3", "1", "0", "1"}},
        RowCase{{12, 1e-30f, 0, 0, 0, 0, 0}, {"12", "1E-30", "0", "0", "0", "0", "0"}},
        RowCase{{4.9, 0, 0, 0, 0, 0, 0}, {"4,9", "0", "0", "0", "0", "0", "0"}}));

class BuiltTable : public ::testing::Test {
protected:
    void SetUp() override {
        // Texts left from an earlier use must go.
        grid.setCols(3);
        grid.setRows(3);
        grid.setText(1, 1, QStringLiteral("old"));
        tetetab(grid, 785, canvas);
    }
    ValueGrid grid;
    DrawingSurface canvas;
};

TEST_F(BuiltTable, has_two_rows_seven_centred_columns_of_78_pixels_and_no_text) {
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.cols(), 7);
    EXPECT_EQ(grid.width(), 785);
    EXPECT_EQ(grid.fixedBackground(), QColor(210, 205, 200));
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid.colWidth(c), 78);
        EXPECT_EQ(grid.colAlignment(c), Qt::AlignCenter);
        EXPECT_EQ(grid.text(0, c), QString());
        EXPECT_EQ(grid.text(1, c), QString());
        EXPECT_FALSE(grid.columnDescription(c).isEmpty());
        const QImage pic = grid.cellPicture(0, c);
        EXPECT_EQ(pic.size(), QSize(78, grid.rowHeight(0))) << c;
        EXPECT_EQ(pic.pixelColor(0, 0), QColor(210, 205, 200));
        EXPECT_EQ(pic.pixelColor(77, grid.rowHeight(0) - 1), QColor(210, 205, 200));
    }
    EXPECT_EQ(grid.columnDescription(1), QStringLiteral("position x (cm)"));
}

// Dark pixels of a header picture, column by column.
struct Ink {
    explicit Ink(const QImage& img) : img(img) {}
    bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < img.width() && y < img.height() &&
               img.pixelColor(x, y).lightness() < 140;
    }
    // Lowest and highest dark rows in columns [x0, x1), or -1.
    int bottom(int x0, int x1) const {
        for (int y = img.height() - 1; y >= 0; --y)
            for (int x = x0; x < x1; ++x)
                if (dark(x, y)) return y;
        return -1;
    }
    int top(int x0, int x1) const {
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (dark(x, y)) return y;
        return -1;
    }
    int left() const {
        for (int x = 0; x < img.width(); ++x)
            for (int y = 0; y < img.height(); ++y)
                if (dark(x, y)) return x;
        return -1;
    }
    int right() const {
        for (int x = img.width() - 1; x >= 0; --x)
            for (int y = 0; y < img.height(); ++y)
                if (dark(x, y)) return x;
        return -1;
    }
    // Separate dark runs along row y between x0 and x1.
    int runs(int y, int x0, int x1) const {
        int n = 0;
        bool in = false;
        for (int x = x0; x < x1; ++x) {
            const bool d = dark(x, y);
            if (d && !in) ++n;
            in = d;
        }
        return n;
    }
    QImage img;
};

int width(const QString& text, bool italic) {
    DrawingSurface s;
    s.setFont(QStringLiteral("Arial"), 8, false, italic);
    return s.textWidth(text);
}

TEST_F(BuiltTable, headers_are_centred_on_their_text) {
    for (int c : {0, 1, 4, 5, 6}) {
        const Ink ink(grid.cellPicture(0, c));
        const int leftMargin = ink.left();
        const int rightMargin = 77 - ink.right();
        EXPECT_NEAR(leftMargin, rightMargin, 3) << c;
    }
}

TEST_F(BuiltTable, velocity_and_acceleration_headers_carry_their_dots_over_the_x) {
    const int symbolX = (78 - width(QStringLiteral("x (m · s-1)"), true)) / 2;
    const Ink velocity(grid.cellPicture(0, 2));
    const Ink acceleration(grid.cellPicture(0, 3));
    // Above the top of the x's body, as the position header shows it.
    const Ink position(grid.cellPicture(0, 1));
    const int positionX = (78 - width(QStringLiteral("x (cm)"), true)) / 2;
    const int xTop = position.top(positionX, positionX + width(QStringLiteral("x"), true));
    ASSERT_GT(xTop, 2);
    EXPECT_EQ(position.top(positionX, positionX + 9), xTop);  // no dot on the position
    int velocityDots = 0, accelerationDots = 0;
    for (int y = 0; y < xTop - 1; ++y) {
        velocityDots = std::max(velocityDots, velocity.runs(y, symbolX, symbolX + 9));
        accelerationDots = std::max(accelerationDots, acceleration.runs(y, symbolX, symbolX + 9));
    }
    EXPECT_EQ(velocityDots, 1);
    EXPECT_EQ(accelerationDots, 2);
}

TEST_F(BuiltTable, exponents_are_raised_two_pixels_and_subscripts_lowered_three) {
    {
        // Velocity: "x", " (m · s", then "-1" raised by 2.
        const int start = (78 - width(QStringLiteral("x (m · s-1)"), true)) / 2;
        const int sStart =
            start + width(QStringLiteral("x"), true) + width(QStringLiteral(" (m · "), false);
        const int sEnd = sStart + width(QStringLiteral("s"), false);
        const int oneEnd = sEnd + width(QStringLiteral("-1"), false);
        const Ink ink(grid.cellPicture(0, 2));
        const int sBottom = ink.bottom(sStart, sEnd);
        const int digitBottom = ink.bottom(sEnd + width(QStringLiteral("-"), false), oneEnd);
        EXPECT_EQ(sBottom - digitBottom, 2);
    }
    {
        // Energies: italic "E", then "c" / "pe" / "m" lowered by 3.
        struct Sub {
            int column;
            const char* measured;
            const char* sub;
        };
        for (const Sub s : {Sub{4, "Ec (J)", "c"}, Sub{6, "Em (J)", "m"}}) {
            const int start = (78 - width(QString::fromUtf8(s.measured), true)) / 2;
            const int eEnd = start + width(QStringLiteral("E"), true);
            const int subEnd = eEnd + width(QString::fromUtf8(s.sub), false);
            const Ink ink(grid.cellPicture(0, s.column));
            EXPECT_EQ(ink.bottom(eEnd + 1, subEnd) - ink.bottom(start, eEnd - 1), 3) << s.column;
        }
    }
}

TEST_F(BuiltTable, first_row_sets_one_data_row_next_rows_append_and_cut_keeps_the_header) {
    MotionSample s{0, 5, 0, -3.5f, 0, 0.0125f, 0.0125f};
    writeFirstRow(grid, s);
    EXPECT_EQ(recordedRows(grid), 1);
    EXPECT_EQ(grid.text(1, 0), QStringLiteral("0"));
    EXPECT_EQ(grid.text(1, 3), QStringLiteral("-3,5"));
    s.t = 0.1;
    s.x = 4.5f;
    writeNextRow(grid, s);
    writeNextRow(grid, s);
    EXPECT_EQ(recordedRows(grid), 3);
    EXPECT_EQ(grid.text(3, 0), QStringLiteral("0,1"));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("4,5"));
    // A first row again (a redraw at t = 0) leaves one data row only.
    s.t = 0;
    writeFirstRow(grid, s);
    EXPECT_EQ(recordedRows(grid), 1);
    writeNextRow(grid, s);
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("4,5"));
    cutTableToHeader(grid);
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_FALSE(grid.cellPicture(0, 3).isNull());
    writeNextRow(grid, s);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("4,5"));
}

TEST_F(BuiltTable, copy_selects_the_whole_table_and_uses_lf_line_ends) {
    MotionSample s{0, 5, 0, -3.5f, 0, 0.0125f, 0.0125f};
    RecordedSamples samples{s};
    s.t = 0.1;
    samples.push_back(s);
    showRecordedRows(grid, {samples[0]});
    showRecordedRows(grid, samples);
    grid.setCurrentCell(1, 1);
    const QString text = copitab(grid, samples);
    EXPECT_EQ(text, QStringLiteral("\t\t\t\t\t\t\n0\t5\t0\t-3,5\t0\t0,0125\t0,0125\n"
                                   "0,1\t5\t0\t-3,5\t0\t0,0125\t0,0125"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    EXPECT_EQ(grid.row(), 0);
    EXPECT_EQ(grid.col(), 0);
    EXPECT_EQ(grid.rowSel(), 2);
    EXPECT_EQ(grid.colSel(), 6);
}

TEST_F(BuiltTable, copy_of_the_header_alone_is_six_tabs) {
    cutTableToHeader(grid);
    EXPECT_EQ(copitab(grid, {}), QStringLiteral("\t\t\t\t\t\t"));
    // Right after the build: the header and one empty row.
    tetetab(grid, 785, canvas);
    EXPECT_EQ(copitab(grid, {}), QStringLiteral("\t\t\t\t\t\t\n\t\t\t\t\t\t"));
}

}  // namespace
}  // namespace ondalis
