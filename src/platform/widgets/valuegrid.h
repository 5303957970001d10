#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

namespace ondalis {

// Makes screen readers find every value grid as a table of its cells (done once; each grid
// asks for it).
void installValueGridAccessibility();

// A grid of text cells with one fixed header row (row 0) and one fixed column (column 0),
// which stay in view while the other cells scroll by whole rows and columns.
//
// Sizes are pixels. Each cell's right and bottom pixel lines are its grid lines; its text and
// picture are drawn inside the rest. A cell picture is drawn centred and unscaled (clipped to
// the cell), under the cell's text. The area right of and below the last cell is painted in
// the outside colour.
//
// The selection runs from the current cell (row(), col()) to the selection end (rowSel(),
// colSel()), in either direction; its non-fixed cells are highlighted, with or without focus.
//
// Writing a cell or adding a row repaints only what changed (no relayout), so that a row per
// sampling instant costs little.
class ValueGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kDefaultRowHeight = 16;

    explicit ValueGrid(QWidget* parent = nullptr);
    ~ValueGrid() override;

    int rows() const { return int(cells_.size()); }
    int cols() const { return cols_; }
    // Counts below 1 are taken as 1 (the fixed row and column always exist). Rows and columns
    // removed lose their texts and pictures; added ones start empty. The current cell and the
    // selection end are clamped into the new grid.
    void setRows(int rows);
    void setCols(int cols);

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    // Every row added afterwards takes the default height; rows present keep theirs.
    int rowHeight(int row) const;
    void setRowHeight(int row, int height);
    void setDefaultRowHeight(int height) { defaultRowHeight_ = height < 1 ? 1 : height; }

    // Horizontal and vertical alignment of the text and picture of a column's cells.
    Qt::Alignment colAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);

    QString text(int row, int col) const;
    // Out-of-range cells are ignored.
    void setText(int row, int col, const QString& text);
    // Writes texts into row `row` from column 0 on (fewer texts leave the rest unchanged).
    void setRowTexts(int row, const QStringList& texts);
    // Empties every cell's text; pictures stay.
    void clearTexts();

    QImage cellPicture(int row, int col) const;
    void setCellPicture(int row, int col, const QImage& picture);

    QColor fixedBackground() const { return fixedBackground_; }
    void setFixedBackground(const QColor& c);
    QColor cellBackground() const { return cellBackground_; }
    void setCellBackground(const QColor& c);
    QColor outsideBackground() const { return outsideBackground_; }
    void setOutsideBackground(const QColor& c);

    // Width and height of all the cells together (without the grid's frame).
    int cellsWidth() const;
    int cellsHeight() const;

    // Selection.
    int row() const { return row_; }
    int col() const { return col_; }
    int rowSel() const { return rowSel_; }
    int colSel() const { return colSel_; }
    // Makes (row, col) the current cell and collapses the selection onto it.
    void setCurrentCell(int row, int col);
    void setSelectionEnd(int rowSel, int colSel);
    // Current cell (0, 0), selection end (last row, last column).
    void selectAll();
    // The selected cells as text: cells of a row separated by TAB, rows by CR, nothing after
    // the last row.
    QString clipText() const;

    // First non-fixed row and column shown (scroll position).
    int topRow() const;
    int leftCol() const;
    void setTopRow(int row);
    // Scrolls so that the cell is in view.
    void ensureVisible(int row, int col);

    // What a screen reader says for the heading of a column (the header cells show pictures).
    QString columnDescription(int col) const;
    void setColumnDescription(int col, const QString& text);

    QSize sizeHint() const override;

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class ValueGridAccessible;
    friend class ValueGridCellAccessible;

    struct Span {
        int start;
        int size;
    };
    // Viewport x of a column and y of a row, or size 0 when scrolled out of view.
    Span colSpan(int col) const;
    Span rowSpan(int row) const;
    QRect cellRect(int row, int col) const;
    // The cell under a viewport point, (-1, -1) outside the cells.
    std::pair<int, int> cellAt(const QPoint& p) const;
    bool isSelected(int row, int col) const;
    void paintCell(class QPainter& p, int row, int col, const QRect& r) const;
    void updateCell(int row, int col);
    void updateRow(int row);
    void updateScrollBars();
    void moveCurrent(int row, int col, bool extend);
    void notifyAccessibleSelection();
    void invalidateAccessibleCells();

    std::vector<std::vector<QString>> cells_;
    std::vector<int> rowHeights_;
    std::vector<int> colWidths_;
    std::vector<Qt::Alignment> colAlignments_;
    std::vector<QString> colDescriptions_;
    std::map<std::pair<int, int>, QImage> pictures_;
    int cols_ = 0;
    int defaultRowHeight_ = kDefaultRowHeight;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    QColor fixedBackground_{210, 205, 200};
    QColor cellBackground_{255, 255, 255};
    QColor outsideBackground_{128, 128, 128};
    QColor gridColor_{192, 192, 192};
    QColor fixedGridColor_{128, 128, 128};
};

}  // namespace ondalis
