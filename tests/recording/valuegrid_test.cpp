// The grid control: cells, selection and its text, drawing, scrolling, keyboard and mouse,
// and what screen readers get.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "platform/widgets/valuegrid.h"

namespace ondalis {
namespace {

const QColor kFixed(210, 205, 200);
const QColor kOutside(240, 235, 230);

// A 7 × 4 grid with texts "r.c" in every cell.
void fill(ValueGrid& g, int rows, int cols) {
    g.setCols(cols);
    g.setRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g.setText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
}

TEST(ValueGrid, starts_with_two_rows_and_two_columns_and_never_goes_below_one) {
    ValueGrid g;
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.cols(), 2);
    g.setRows(0);
    g.setCols(-3);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.cols(), 1);
}

TEST(ValueGrid, removed_rows_lose_their_texts_and_pictures_and_come_back_empty) {
    ValueGrid g;
    fill(g, 5, 3);
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::red);
    g.setCellPicture(3, 1, pic);
    g.setCellPicture(0, 1, pic);
    g.setRows(2);
    g.setRows(5);
    EXPECT_EQ(g.text(1, 2), QStringLiteral("1.2"));
    EXPECT_EQ(g.text(3, 1), QString());
    EXPECT_TRUE(g.cellPicture(3, 1).isNull());
    EXPECT_FALSE(g.cellPicture(0, 1).isNull());
    // Removed columns too.
    g.setCols(1);
    g.setCols(3);
    EXPECT_EQ(g.text(1, 2), QString());
    EXPECT_TRUE(g.cellPicture(0, 1).isNull());
}

TEST(ValueGrid, out_of_range_cells_are_ignored) {
    ValueGrid g;
    fill(g, 2, 2);
    g.setText(2, 0, QStringLiteral("x"));
    g.setText(0, -1, QStringLiteral("x"));
    g.setRowTexts(5, {QStringLiteral("x")});
    EXPECT_EQ(g.text(2, 0), QString());
    EXPECT_EQ(g.clipText(), QStringLiteral("1.1"));
}

TEST(ValueGrid, row_texts_fill_from_column_zero_and_leave_the_rest) {
    ValueGrid g;
    fill(g, 3, 4);
    g.setRowTexts(2, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(g.text(2, 0), QStringLiteral("a"));
    EXPECT_EQ(g.text(2, 1), QStringLiteral("b"));
    EXPECT_EQ(g.text(2, 2), QStringLiteral("2.2"));
    g.clearTexts();
    EXPECT_EQ(g.text(2, 2), QString());
}

struct ClipCase {
    int row, col, rowSel, colSel;
    const char* expected;
};

class ValueGridClip : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ValueGridClip, selection_text_has_tabs_between_cells_and_cr_between_rows) {
    const ClipCase& c = GetParam();
    ValueGrid g;
    fill(g, 3, 3);
    g.setCurrentCell(c.row, c.col);
    g.setSelectionEnd(c.rowSel, c.colSel);
    EXPECT_EQ(g.clipText(), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ValueGridClip,
    ::testing::Values(ClipCase{1, 1, 1, 1, "1.1"}, ClipCase{1, 1, 2, 2, "1.1\t1.2\r2.1\t2.2"},
                      ClipCase{2, 2, 1, 1, "1.1\t1.2\r2.1\t2.2"},  // dragged upwards
                      ClipCase{0, 0, 2, 2, "0.0\t0.1\t0.2\r1.0\t1.1\t1.2\r2.0\t2.1\t2.2"},
                      ClipCase{0, 2, 2, 2, "0.2\r1.2\r2.2"}, ClipCase{1, 0, 1, 2, "1.0\t1.1\t1.2"},
                      // A selection end past the grid is taken at the last row and column.
                      ClipCase{2, 1, 9, 9, "2.1\t2.2"}));

TEST(ValueGrid, select_all_covers_the_whole_grid_and_follows_no_later_growth) {
    ValueGrid g;
    fill(g, 4, 3);
    QSignalSpy spy(&g, &ValueGrid::selectionChanged);
    g.selectAll();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.row(), 0);
    EXPECT_EQ(g.col(), 0);
    EXPECT_EQ(g.rowSel(), 3);
    EXPECT_EQ(g.colSel(), 2);
    g.setRows(2);
    EXPECT_EQ(g.rowSel(), 1);
    EXPECT_EQ(g.clipText(), QStringLiteral("0.0\t0.1\t0.2\r1.0\t1.1\t1.2"));
}

// A shown grid of 7 columns of 78 pixels, header 18 high, rows 16.
class ShownGrid : public ::testing::Test {
protected:
    void SetUp() override {
        g.setCols(7);
        g.setRows(4);
        g.setRowHeight(0, 18);
        for (int c = 0; c < 7; ++c) {
            g.setColWidth(c, 78);
            g.setColAlignment(c, Qt::AlignCenter);
        }
        g.setFixedBackground(kFixed);
        g.setOutsideBackground(kOutside);
        g.resize(700, 200);
        g.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    }
    QImage shot() { return g.viewport()->grab().toImage(); }
    ValueGrid g;
};

TEST_F(ShownGrid, fixed_cells_cells_and_the_outside_take_their_colours) {
    const QImage img = shot();
    EXPECT_EQ(img.pixelColor(40, 8), kFixed);                    // header row
    EXPECT_EQ(img.pixelColor(40, 30), kFixed);                   // fixed column
    EXPECT_EQ(img.pixelColor(120, 30), Qt::white);               // a data cell
    EXPECT_EQ(img.pixelColor(7 * 78 + 20, 30), kOutside);        // right of the last column
    EXPECT_EQ(img.pixelColor(120, 18 + 3 * 16 + 10), kOutside);  // below the last row
    // Grid lines on the last pixel column and row of each cell.
    EXPECT_EQ(img.pixelColor(78 + 77, 30), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(120, 18 + 15), QColor(192, 192, 192));
}

TEST_F(ShownGrid, cell_picture_is_centred_unscaled_and_clipped_to_the_cell) {
    QImage pic(10, 6, QImage::Format_RGB32);
    pic.fill(kFixed);
    pic.setPixelColor(0, 0, Qt::red);
    pic.setPixelColor(9, 5, Qt::blue);
    g.setCellPicture(0, 1, pic);
    // A picture as wide as the whole cell loses its last column to the grid line.
    QImage wide(78, 18, QImage::Format_RGB32);
    wide.fill(kFixed);
    wide.setPixelColor(0, 0, Qt::green);
    wide.setPixelColor(76, 16, Qt::red);
    wide.setPixelColor(77, 17, Qt::blue);
    g.setCellPicture(0, 2, wide);
    const QImage img = shot();
    // Inside of the cell: 77 × 17 pixels.
    EXPECT_EQ(img.pixelColor(78 + 33, 5), Qt::red);
    EXPECT_EQ(img.pixelColor(78 + 42, 10), Qt::blue);
    EXPECT_EQ(img.pixelColor(78 + 32, 5), kFixed);
    EXPECT_EQ(img.pixelColor(156, 0), Qt::green);
    EXPECT_EQ(img.pixelColor(156 + 76, 16), Qt::red);
    EXPECT_NE(img.pixelColor(156 + 77, 17), Qt::blue);
}

TEST_F(ShownGrid, text_is_centred_in_its_cell) {
    g.setText(1, 3, QStringLiteral("-0,0123"));
    const QImage img = shot();
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 18; y < 18 + 15; ++y)
        for (int x = 3 * 78; x < 4 * 78 - 1; ++x)
            if (img.pixelColor(x, y).lightness() < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    const double centreX = (left + right) / 2.0 - 3 * 78;
    const double centreY = (top + bottom) / 2.0 - 18;
    EXPECT_NEAR(centreX, 38.5, 2.0);
    EXPECT_NEAR(centreY, 7.5, 2.5);
}

TEST_F(ShownGrid, selection_stays_highlighted_without_focus) {
    g.clearFocus();
    g.selectAll();
    ASSERT_FALSE(g.hasFocus());
    const QImage img = shot();
    const QColor highlight = g.palette().color(QPalette::Highlight);
    EXPECT_EQ(img.pixelColor(120, 30), highlight);
    EXPECT_EQ(img.pixelColor(6 * 78 + 20, 18 + 2 * 16 + 5), highlight);
    EXPECT_EQ(img.pixelColor(40, 8), kFixed);  // fixed cells are not highlighted
    // A single current cell is not highlighted.
    g.setCurrentCell(1, 1);
    EXPECT_EQ(shot().pixelColor(120, 30), Qt::white);
}

TEST_F(ShownGrid, header_row_and_fixed_column_stay_while_rows_scroll) {
    g.setRows(60);
    for (int r = 1; r < 60; ++r) g.setText(r, 0, QString::number(r));
    g.setTopRow(30);
    EXPECT_EQ(g.topRow(), 30);
    // The viewport holds the header and ten full rows; the last row can come to the bottom.
    g.setTopRow(1000);
    const int visible = (g.viewport()->height() - 18) / 16;
    EXPECT_EQ(g.topRow(), 60 - visible);
    QImage pic(10, 6, QImage::Format_RGB32);
    pic.fill(Qt::red);
    g.setCellPicture(0, 1, pic);
    EXPECT_EQ(shot().pixelColor(78 + 33, 6), Qt::red);
    g.ensureVisible(3, 1);
    EXPECT_EQ(g.topRow(), 3);
    g.ensureVisible(59, 1);
    EXPECT_EQ(g.topRow(), 60 - visible);
}

TEST_F(ShownGrid, arrow_keys_move_the_current_cell_and_shift_extends_the_selection) {
    g.setRows(40);
    g.setFocus();
    g.setCurrentCell(1, 1);
    QTest::keyClick(&g, Qt::Key_Down);
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.col(), 2);
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.rowSel(), 3);
    EXPECT_EQ(g.colSel(), 3);
    // The fixed row and column are never reached by the keys.
    QTest::keyClick(&g, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&g, Qt::Key_Up);
    QTest::keyClick(&g, Qt::Key_Left);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.col(), 1);
    // Ctrl+End goes to the last cell and scrolls it into view.
    QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.row(), 39);
    EXPECT_EQ(g.col(), 6);
    EXPECT_GT(g.topRow(), 1);
}

TEST_F(ShownGrid, click_selects_a_cell_and_shift_click_extends_fixed_cells_ignore_clicks) {
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(2 * 78 + 10, 18 + 16 + 5));
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.col(), 2);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(4 * 78 + 10, 18 + 2 * 16 + 5));
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.rowSel(), 3);
    EXPECT_EQ(g.colSel(), 4);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.col(), 2);
}

TEST(ValueGridAccessibility, reads_as_a_table_of_cells_with_column_headings) {
    ValueGrid g;
    g.setAccessibleName(QStringLiteral("Tableau de valeurs"));
    fill(g, 3, 3);
    g.setText(0, 1, QString());
    g.setColumnDescription(1, QStringLiteral("position x (cm)"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&g);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Tableau de valeurs"));
    QAccessibleTableInterface* table = iface->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 3);
    QAccessibleInterface* cell = table->cellAt(2, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("2.1"));
    QAccessibleTableCellInterface* ci = cell->tableCellInterface();
    ASSERT_NE(ci, nullptr);
    ASSERT_EQ(ci->columnHeaderCells().size(), 1);
    EXPECT_EQ(ci->columnHeaderCells()[0]->text(QAccessible::Name),
              QStringLiteral("position x (cm)"));
    EXPECT_EQ(ci->rowHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("2.0"));
    EXPECT_EQ(iface->indexOfChild(cell), 7);
    // Cells past a shrunk grid are no longer valid.
    g.setRows(2);
    EXPECT_FALSE(cell->isValid());
    EXPECT_EQ(table->cellAt(2, 1), nullptr);
    g.selectAll();
    EXPECT_EQ(table->selectedCellCount(), 2);
}

}  // namespace
}  // namespace ondalis
