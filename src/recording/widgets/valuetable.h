#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "recording/recordedtable.h"

// The value table: one row per sampling instant, seven centred columns t, x, ẋ, ẍ, Ec, Epe,
// Em. Row 0 is the header, whose cells show small pictures with the quantity symbols; data
// rows 1 … 51 hold the samples. x is held in centimetres, like the graph, so its column is
// headed "x (cm)"; v in m/s, a in m/s², energies in J.
namespace ondalis {

class Canvas;
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

// Draws the header of `column` on the canvas (cleared first; its size is that of a header
// cell, its back colour the fixed-cell colour) and returns a copy of the drawing. The symbol is
// italic; a dot "·" over x for the velocity (two for the acceleration), exponents 2 pixels up,
// subscripts 3 pixels down; each header is centred on the width of its text in italic.
QImage drawTableHeader(Canvas& canvas, int column);

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
// The grid shows the recorded samples after the recording gained one: the header alone when
// there is none, the first row written again when there is one, the rows it lacks appended.
void showRecordedRows(ValueGrid& grid, const RecordedSamples& samples);

// The copy of the table (`copitab`): selects the whole grid (it keeps the selection) and puts
// the copy of `samples`, the samples it shows, on the clipboard (cleared first), with the empty
// row the build leaves while no sample is shown. Returns the text. The caller shows the copy
// confirmation in the status line.
QString copitab(ValueGrid& grid, const RecordedSamples& samples);

}  // namespace ondalis
