#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "simulation/motion.h"

// The value table: one row per sampling instant, seven centred columns t, x, ẋ, ẍ, Ec, Epe,
// Em. Row 0 is the header, whose cells show small pictures with the quantity symbols; data
// rows 1 … 51 hold the samples. x is held in centimetres, like the graph, so its column is
// headed "x (cm)"; v in m/s, a in m/s², energies in J.
namespace ondalis {

class DrawingSurface;
class ValueGrid;

inline constexpr int kTableColumns = 7;
// 1170 twips at 15 twips per pixel.
inline constexpr int kTableColumnWidth = 78;
inline constexpr int kTableHeaderHeight = 18;
inline constexpr int kTableRowHeight = 16;

// Background of the fixed cells, and of the header pictures.
QColor tableFixedBackground();

// The heading of a column in words, for screen readers ("position x (cm)" …).
QString tableColumnDescription(int column);

// The texts of a data row: t in the general number format, then x, v, a, Ec, Epe, Em in the
// three-significant-digit form.
QStringList tableRowTexts(const MotionSample& sample);

// Draws the header of `column` on the canvas (cleared first; its size is that of a header
// cell, its back colour the fixed-cell colour) and returns a copy of the drawing. The symbol is
// italic; a dot "·" over x for the velocity (two for the acceleration), exponents 2 pixels up,
// subscripts 3 pixels down; each header is centred on the width of its text in italic.
QImage drawTableHeader(DrawingSurface& canvas, int column);

// Builds the table (`tetetab`): texts cleared, 2 rows and 7 columns of 78 pixels centred both
// ways, the grid `gridWidth` wide, and the seven header pictures drawn on `canvas` (the hidden
// picture box) and put into row 0.
void tetetab(ValueGrid& grid, int gridWidth, DrawingSurface& canvas);

// Number of data rows (the row count without the header).
int recordedRows(const ValueGrid& grid);

// First row, for the point at t = 0: the table gets exactly one data row, written from sample.
void writeFirstRow(ValueGrid& grid, const MotionSample& sample);
// Next row, at a sampling instant: one more row, written from sample.
void writeNextRow(ValueGrid& grid, const MotionSample& sample);
// Back to the header row alone (the reset of the motion does this).
void cutTableToHeader(ValueGrid& grid);

// The copy of the table (`copitab`): selects the whole grid (it keeps the selection) and
// returns its text, cells separated by TAB and lines by LF, no line end after the last row.
QString copitabText(ValueGrid& grid);
// The same, then puts the text on the clipboard (cleared first). The caller shows the copy
// confirmation in the status line.
QString copitab(ValueGrid& grid);

}  // namespace ondalis
