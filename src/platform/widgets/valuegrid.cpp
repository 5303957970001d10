#include "platform/widgets/valuegrid.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

ValueGrid::ValueGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    installValueGridAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(DrawingSurface::makeFont(QStringLiteral("MS Sans Serif"), 8));
    setCols(2);
    setRows(2);
}

ValueGrid::~ValueGrid() = default;

void ValueGrid::setRows(int rows) {
    rows = std::max(1, rows);
    const int old = this->rows();
    if (rows == old) return;
    cells_.resize(std::size_t(rows), std::vector<QString>(std::size_t(cols_)));
    rowHeights_.resize(std::size_t(rows), defaultRowHeight_);
    if (rows < old) {
        pictures_.erase(pictures_.lower_bound({rows, 0}), pictures_.end());
    }
    row_ = std::min(row_, rows - 1);
    rowSel_ = std::min(rowSel_, rows - 1);
    updateScrollBars();
    // Repaint from the first row that changed down to the bottom; the rows above stay.
    const int first = std::min(old, rows);
    const Span s = rowSpan(first);
    const int top = s.size > 0 ? s.start : (first <= topRow() ? 0 : viewport()->height());
    viewport()->update(QRect(0, top, viewport()->width(), viewport()->height() - top));
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent e(
            this, rows > old ? QAccessibleTableModelChangeEvent::RowsInserted
                             : QAccessibleTableModelChangeEvent::RowsRemoved);
        e.setFirstRow(first);
        e.setLastRow(std::max(old, rows) - 1);
        QAccessible::updateAccessibility(&e);
    }
}

void ValueGrid::setCols(int cols) {
    cols = std::max(1, cols);
    if (cols == cols_) return;
    const int old = cols_;
    cols_ = cols;
    for (auto& r : cells_) r.resize(std::size_t(cols));
    colWidths_.resize(std::size_t(cols), kDefaultColWidth);
    colAlignments_.resize(std::size_t(cols), Qt::AlignLeft | Qt::AlignVCenter);
    colDescriptions_.resize(std::size_t(cols));
    for (auto it = pictures_.begin(); it != pictures_.end();) {
        if (it->first.second >= cols)
            it = pictures_.erase(it);
        else
            ++it;
    }
    col_ = std::min(col_, cols - 1);
    colSel_ = std::min(colSel_, cols - 1);
    updateScrollBars();
    viewport()->update();
    if (QAccessible::isActive() && old > 0) {
        QAccessibleTableModelChangeEvent e(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&e);
    }
}

int ValueGrid::colWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidths_[std::size_t(col)] : 0;
}

void ValueGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= cols_) return;
    colWidths_[std::size_t(col)] = std::max(0, width);
    updateScrollBars();
    viewport()->update();
}

int ValueGrid::rowHeight(int row) const {
    return row >= 0 && row < rows() ? rowHeights_[std::size_t(row)] : 0;
}

void ValueGrid::setRowHeight(int row, int height) {
    if (row < 0 || row >= rows()) return;
    rowHeights_[std::size_t(row)] = std::max(0, height);
    updateScrollBars();
    viewport()->update();
}

Qt::Alignment ValueGrid::colAlignment(int col) const {
    return col >= 0 && col < cols_ ? colAlignments_[std::size_t(col)] : Qt::Alignment();
}

void ValueGrid::setColAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= cols_) return;
    colAlignments_[std::size_t(col)] = alignment;
    viewport()->update();
}

QString ValueGrid::text(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols_) return {};
    return cells_[std::size_t(row)][std::size_t(col)];
}

void ValueGrid::setText(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols_) return;
    cells_[std::size_t(row)][std::size_t(col)] = text;
    updateCell(row, col);
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent e(this, QAccessibleTableModelChangeEvent::DataChanged);
        e.setFirstRow(row);
        e.setLastRow(row);
        e.setFirstColumn(col);
        e.setLastColumn(col);
        QAccessible::updateAccessibility(&e);
    }
}

void ValueGrid::setRowTexts(int row, const QStringList& texts) {
    if (row < 0 || row >= rows()) return;
    const int n = std::min(int(texts.size()), cols_);
    for (int c = 0; c < n; ++c) cells_[std::size_t(row)][std::size_t(c)] = texts[c];
    updateRow(row);
    if (QAccessible::isActive() && n > 0) {
        QAccessibleTableModelChangeEvent e(this, QAccessibleTableModelChangeEvent::DataChanged);
        e.setFirstRow(row);
        e.setLastRow(row);
        e.setFirstColumn(0);
        e.setLastColumn(n - 1);
        QAccessible::updateAccessibility(&e);
    }
}

void ValueGrid::clearTexts() {
    for (auto& r : cells_)
        for (auto& s : r) s.clear();
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent e(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&e);
    }
}

QImage ValueGrid::cellPicture(int row, int col) const {
    const auto it = pictures_.find({row, col});
    return it == pictures_.end() ? QImage() : it->second;
}

void ValueGrid::setCellPicture(int row, int col, const QImage& picture) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols_) return;
    if (picture.isNull())
        pictures_.erase({row, col});
    else
        pictures_[{row, col}] = picture;
    updateCell(row, col);
}

void ValueGrid::setFixedBackground(const QColor& c) {
    fixedBackground_ = c;
    viewport()->update();
}

void ValueGrid::setCellBackground(const QColor& c) {
    cellBackground_ = c;
    viewport()->update();
}

void ValueGrid::setOutsideBackground(const QColor& c) {
    outsideBackground_ = c;
    viewport()->update();
}

int ValueGrid::cellsWidth() const {
    int w = 0;
    for (int cw : colWidths_) w += cw;
    return w;
}

int ValueGrid::cellsHeight() const {
    int h = 0;
    for (int rh : rowHeights_) h += rh;
    return h;
}

void ValueGrid::setCurrentCell(int row, int col) {
    row_ = rowSel_ = std::clamp(row, 0, rows() - 1);
    col_ = colSel_ = std::clamp(col, 0, cols_ - 1);
    viewport()->update();
    notifyAccessibleSelection();
}

void ValueGrid::setSelectionEnd(int rowSel, int colSel) {
    rowSel_ = std::clamp(rowSel, 0, rows() - 1);
    colSel_ = std::clamp(colSel, 0, cols_ - 1);
    viewport()->update();
    notifyAccessibleSelection();
}

void ValueGrid::selectAll() {
    row_ = col_ = 0;
    rowSel_ = rows() - 1;
    colSel_ = cols_ - 1;
    viewport()->update();
    notifyAccessibleSelection();
}

QString ValueGrid::clipText() const {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0) out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) out += QLatin1Char('\t');
            out += cells_[std::size_t(r)][std::size_t(c)];
        }
    }
    return out;
}

bool ValueGrid::isSelected(int row, int col) const {
    return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
           col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

void ValueGrid::notifyAccessibleSelection() {
    emit selectionChanged();
    if (QAccessible::isActive()) {
        QAccessibleEvent e(this, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&e);
    }
}

// --- geometry --------------------------------------------------------------------------------

int ValueGrid::topRow() const { return 1 + verticalScrollBar()->value(); }
int ValueGrid::leftCol() const { return 1 + horizontalScrollBar()->value(); }

void ValueGrid::setTopRow(int row) { verticalScrollBar()->setValue(row - 1); }

ValueGrid::Span ValueGrid::colSpan(int col) const {
    if (col < 0 || col >= cols_) return {0, 0};
    if (col == 0) return {0, colWidths_[0]};
    const int left = leftCol();
    if (col < left) return {0, 0};
    int x = colWidths_[0];
    for (int c = left; c < col; ++c) x += colWidths_[std::size_t(c)];
    return {x, colWidths_[std::size_t(col)]};
}

ValueGrid::Span ValueGrid::rowSpan(int row) const {
    if (row < 0 || row >= rows()) return {0, 0};
    if (row == 0) return {0, rowHeights_[0]};
    const int top = topRow();
    if (row < top) return {0, 0};
    int y = rowHeights_[0];
    const int limit = viewport()->height();
    for (int r = top; r < row; ++r) {
        y += rowHeights_[std::size_t(r)];
        if (y >= limit) return {0, 0};
    }
    return {y, rowHeights_[std::size_t(row)]};
}

QRect ValueGrid::cellRect(int row, int col) const {
    const Span cs = colSpan(col);
    const Span rs = rowSpan(row);
    if (cs.size <= 0 || rs.size <= 0) return {};
    return QRect(cs.start, rs.start, cs.size, rs.size);
}

std::pair<int, int> ValueGrid::cellAt(const QPoint& p) const {
    int row = -1, col = -1;
    if (p.y() >= 0 && p.y() < rowHeights_[0]) {
        row = 0;
    } else {
        int y = rowHeights_[0];
        for (int r = topRow(); r < rows() && y <= p.y(); ++r) {
            y += rowHeights_[std::size_t(r)];
            if (p.y() < y) row = r;
        }
    }
    if (p.x() >= 0 && p.x() < colWidths_[0]) {
        col = 0;
    } else {
        int x = colWidths_[0];
        for (int c = leftCol(); c < cols_ && x <= p.x(); ++c) {
            x += colWidths_[std::size_t(c)];
            if (p.x() < x) col = c;
        }
    }
    if (row < 0 || col < 0) return {-1, -1};
    return {row, col};
}

void ValueGrid::updateCell(int row, int col) {
    const QRect r = cellRect(row, col);
    if (!r.isEmpty()) viewport()->update(r);
}

void ValueGrid::updateRow(int row) {
    const Span s = rowSpan(row);
    if (s.size > 0) viewport()->update(QRect(0, s.start, viewport()->width(), s.size));
}

void ValueGrid::updateScrollBars() {
    // Scrolling is by whole rows (columns): the scroll value is the number of non-fixed rows
    // (columns) hidden above (left of) the view. The last value brings the last row (column)
    // to the bottom (right) edge.
    const auto lastValue = [](const std::vector<int>& sizes, int available) {
        const int n = int(sizes.size());
        int used = 0, shown = 0;
        for (int i = n - 1; i >= 1; --i) {
            if (used + sizes[std::size_t(i)] > available && shown > 0) break;
            used += sizes[std::size_t(i)];
            ++shown;
        }
        return std::pair<int, int>{std::max(0, n - 1 - shown), std::max(1, shown)};
    };
    const QSize vp = viewport()->size();
    const auto [vMax, vPage] = lastValue(rowHeights_, vp.height() - (rows() ? rowHeights_[0] : 0));
    verticalScrollBar()->setRange(0, vMax);
    verticalScrollBar()->setPageStep(vPage);
    verticalScrollBar()->setSingleStep(1);
    const auto [hMax, hPage] = lastValue(colWidths_, vp.width() - (cols_ ? colWidths_[0] : 0));
    horizontalScrollBar()->setRange(0, hMax);
    horizontalScrollBar()->setPageStep(hPage);
    horizontalScrollBar()->setSingleStep(1);
}

void ValueGrid::ensureVisible(int row, int col) {
    if (row >= 1 && row < rows()) {
        if (row < topRow()) {
            setTopRow(row);
        } else {
            // Lower the top row until `row` fits entirely.
            const int available = viewport()->height() - rowHeights_[0];
            int top = topRow();
            auto fits = [&](int t) {
                int h = 0;
                for (int r = t; r <= row; ++r) h += rowHeights_[std::size_t(r)];
                return h <= available;
            };
            while (top < row && !fits(top)) ++top;
            setTopRow(top);
        }
    }
    if (col >= 1 && col < cols_) {
        if (col < leftCol()) {
            horizontalScrollBar()->setValue(col - 1);
        } else {
            const int available = viewport()->width() - colWidths_[0];
            int left = leftCol();
            auto fits = [&](int l) {
                int w = 0;
                for (int c = l; c <= col; ++c) w += colWidths_[std::size_t(c)];
                return w <= available;
            };
            while (left < col && !fits(left)) ++left;
            horizontalScrollBar()->setValue(left - 1);
        }
    }
}

QString ValueGrid::columnDescription(int col) const {
    return col >= 0 && col < cols_ ? colDescriptions_[std::size_t(col)] : QString();
}

void ValueGrid::setColumnDescription(int col, const QString& text) {
    if (col >= 0 && col < cols_) colDescriptions_[std::size_t(col)] = text;
}

QSize ValueGrid::sizeHint() const {
    const int f = 2 * frameWidth();
    return {cellsWidth() + f, cellsHeight() + f};
}

// --- painting --------------------------------------------------------------------------------

void ValueGrid::paintCell(QPainter& p, int row, int col, const QRect& r) const {
    const bool fixed = row == 0 || col == 0;
    const bool current = row == row_ && col == col_;
    const bool highlighted = !fixed && !current && isSelected(row, col);
    const QRect inner(r.x(), r.y(), r.width() - 1, r.height() - 1);
    p.fillRect(inner, fixed         ? fixedBackground_
                      : highlighted ? palette().color(QPalette::Highlight)
                                    : cellBackground_);
    const auto pic = pictures_.find({row, col});
    const Qt::Alignment align = colAlignments_[std::size_t(col)];
    if (pic != pictures_.end()) {
        const QImage& img = pic->second;
        int x = inner.x();
        int y = inner.y();
        if (align & Qt::AlignHCenter)
            x += (inner.width() - img.width()) / 2;
        else if (align & Qt::AlignRight)
            x += inner.width() - img.width();
        if (align & Qt::AlignVCenter)
            y += (inner.height() - img.height()) / 2;
        else if (align & Qt::AlignBottom)
            y += inner.height() - img.height();
        p.save();
        p.setClipRect(inner);
        p.drawImage(x, y, img);
        p.restore();
    }
    const QString& s = cells_[std::size_t(row)][std::size_t(col)];
    if (!s.isEmpty()) {
        p.setPen(highlighted ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
        p.drawText(inner.adjusted(2, 0, -2, 0), int(align), s);
    }
    // Grid lines: the cell's right column and bottom row of pixels.
    p.setPen(fixed ? fixedGridColor_ : gridColor_);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    if (current && !fixed && hasFocus()) {
        QPen pen(QColor(Qt::black));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(inner.adjusted(0, 0, -1, -1));
    }
}

void ValueGrid::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.setFont(font());
    p.setClipRegion(static_cast<QPaintEvent*>(event)->region());
    const QRect vp = viewport()->rect();
    // Cells, row by row: the fixed row first, then the rows from the top row down.
    std::vector<int> rowsShown{0};
    for (int r = topRow(), y = rows() ? rowHeights_[0] : 0; r < rows() && y < vp.height(); ++r) {
        rowsShown.push_back(r);
        y += rowHeights_[std::size_t(r)];
    }
    std::vector<int> colsShown{0};
    for (int c = leftCol(), x = cols_ ? colWidths_[0] : 0; c < cols_ && x < vp.width(); ++c) {
        colsShown.push_back(c);
        x += colWidths_[std::size_t(c)];
    }
    int bottom = 0, right = 0;
    for (int r : rowsShown) {
        for (int c : colsShown) {
            const QRect cell = cellRect(r, c);
            if (cell.isEmpty()) continue;
            if (event->region().intersects(cell)) paintCell(p, r, c, cell);
            bottom = std::max(bottom, cell.bottom() + 1);
            right = std::max(right, cell.right() + 1);
        }
    }
    if (right < vp.width())
        p.fillRect(QRect(right, 0, vp.width() - right, vp.height()), outsideBackground_);
    if (bottom < vp.height())
        p.fillRect(QRect(0, bottom, std::min(right, vp.width()), vp.height() - bottom),
                   outsideBackground_);
}

void ValueGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ValueGrid::scrollContentsBy(int, int) { viewport()->update(); }

// --- interaction -----------------------------------------------------------------------------

void ValueGrid::moveCurrent(int row, int col, bool extend) {
    if (rows() < 2 || cols_ < 2) return;
    row = std::clamp(row, 1, rows() - 1);
    col = std::clamp(col, 1, cols_ - 1);
    if (extend)
        setSelectionEnd(row, col);
    else
        setCurrentCell(row, col);
    ensureVisible(row, col);
}

void ValueGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const auto [r, c] = cellAt(event->position().toPoint());
    if (r < 1 || c < 1) return;
    moveCurrent(r, c, event->modifiers() & Qt::ShiftModifier);
}

void ValueGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const auto [r, c] = cellAt(event->position().toPoint());
    if (r < 1 || c < 1) return;
    if (r != rowSel_ || c != colSel_) moveCurrent(r, c, true);
}

void ValueGrid::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int r = extend ? rowSel_ : row_;
    const int c = extend ? colSel_ : col_;
    const int page = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
        case Qt::Key_Up:
            moveCurrent(r - 1, c, extend);
            break;
        case Qt::Key_Down:
            moveCurrent(r + 1, c, extend);
            break;
        case Qt::Key_Left:
            moveCurrent(r, c - 1, extend);
            break;
        case Qt::Key_Right:
            moveCurrent(r, c + 1, extend);
            break;
        case Qt::Key_PageUp:
            moveCurrent(r - page, c, extend);
            break;
        case Qt::Key_PageDown:
            moveCurrent(r + page, c, extend);
            break;
        case Qt::Key_Home:
            moveCurrent(ctrl ? 1 : r, 1, extend);
            break;
        case Qt::Key_End:
            moveCurrent(ctrl ? rows() - 1 : r, cols_ - 1, extend);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void ValueGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    updateCell(row_, col_);
}

void ValueGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    updateCell(row_, col_);
}

}  // namespace ondalis
