#include "recording/widgets/valuetable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuegrid.h"

namespace ondalis {

QColor tableFixedBackground() { return QColor(210, 205, 200); }

QString tableColumnDescription(int column) {
    switch (column) {
        case 0:
            return QStringLiteral("temps t (s)");
        case 1:
            return QStringLiteral("position x (cm)");
        case 2:
            return QStringLiteral("vitesse (m · s-1)");
        case 3:
            return QStringLiteral("accélération (m · s-2)");
        case 4:
            return QStringLiteral("énergie cinétique Ec (J)");
        case 5:
            return QStringLiteral("énergie potentielle élastique Epe (J)");
        case 6:
            return QStringLiteral("énergie mécanique Em (J)");
        default:
            return {};
    }
}

QImage drawTableHeader(Canvas& canvas, int column) {
    // Text whose italic width centres each header; the acceleration is centred like the
    // velocity.
    static const char* const kMeasured[kTableColumns] = {
        "t (s)", "x (cm)", "x (m · s-1)", "x (m · s-1)", "Ec (J)", "Epe (J)", "Em (J)"};
    canvas.clear();
    canvas.setForeColor(Qt::black);
    canvas.setFont(QStringLiteral("Arial"), 8, false, true);
    if (column < 0 || column >= kTableColumns) return canvas.image().copy();
    const int w = canvas.textWidth(QString::fromUtf8(kMeasured[column]));
    canvas.moveTo((canvas.imageWidth() - w) / 2.0, 1);
    const double symbolX = canvas.currentX();
    const auto symbol = [&](const char* s) {
        canvas.setFontItalic(true);
        canvas.print(QString::fromUtf8(s));
        canvas.setFontItalic(false);
    };
    const auto text = [&](const char* s) { canvas.print(QString::fromUtf8(s)); };
    const auto shiftY = [&](double dy) { canvas.setCurrentY(canvas.currentY() + dy); };
    switch (column) {
        case 0:
            symbol("t");
            text(" (s)");
            break;
        case 1:
            symbol("x");
            text(" (cm)");
            break;
        case 2:
        case 3:
            symbol("x");
            text(" (m · s");
            shiftY(-2);
            text(column == 2 ? "-1" : "-2");
            shiftY(2);
            text(")");
            canvas.printAt(symbolX + (column == 2 ? 3 : 2), -4, column == 2 ? "·" : "··");
            break;
        default:
            symbol("E");
            shiftY(3);
            text(column == 4 ? "c" : column == 5 ? "pe" : "m");
            shiftY(-3);
            text(" (J)");
            break;
    }
    return canvas.image().copy();
}

void tetetab(ValueGrid& grid, int gridWidth, DrawingSurface& canvas) {
    grid.clearTexts();
    grid.setDefaultRowHeight(kTableRowHeight);
    grid.setCols(kTableColumns);
    grid.setRows(2);
    grid.setRowHeight(0, kTableHeaderHeight);
    grid.setRowHeight(1, kTableRowHeight);
    for (int c = 0; c < kTableColumns; ++c) {
        grid.setColWidth(c, kTableColumnWidth);
        grid.setColAlignment(c, Qt::AlignCenter);
        grid.setColumnDescription(c, tableColumnDescription(c));
    }
    grid.resize(gridWidth, grid.height());
    grid.setFixedBackground(tableFixedBackground());
    canvas.setSurfaceSize(grid.colWidth(0), grid.rowHeight(0));
    canvas.setBackColor(grid.fixedBackground());
    for (int c = 0; c < kTableColumns; ++c) grid.setCellPicture(0, c, drawTableHeader(canvas, c));
}

int recordedRows(const ValueGrid& grid) { return grid.rows() - 1; }

void writeFirstRow(ValueGrid& grid, const MotionSample& sample) {
    grid.setRows(2);
    grid.setRowTexts(1, tableRowTexts(sample));
}

void writeNextRow(ValueGrid& grid, const MotionSample& sample) {
    grid.setRows(grid.rows() + 1);
    grid.setRowTexts(grid.rows() - 1, tableRowTexts(sample));
}

void cutTableToHeader(ValueGrid& grid) { grid.setRows(1); }

void showRecordedRows(ValueGrid& grid, const RecordedSamples& samples) {
    const int n = int(samples.size());
    if (n == 0) {
        cutTableToHeader(grid);
    } else if (n == 1) {
        writeFirstRow(grid, samples.front());
    } else {
        if (recordedRows(grid) > n) grid.setRows(n);
        for (int r = recordedRows(grid); r < n; ++r) writeNextRow(grid, samples[std::size_t(r)]);
    }
}

QString copitab(ValueGrid& grid, const RecordedSamples& samples) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    grid.selectAll();
    const int emptyRows = std::max(0, recordedRows(grid) - int(samples.size()));
    const QString text = copitabText(samples, emptyRows);
    clipboard->clear();
    clipboard->setText(text);
    return text;
}

}  // namespace ondalis
