// What a screen reader finds in the value grid.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include "platform/widgets/valuegrid.h"

namespace ondalis {

// ---------------------------------------------------------------------------------------------
// Accessibility: the grid reads as a table whose cells are its cells; the header cells, which
// show pictures, read as their column descriptions.

class ValueGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ValueGridCellAccessible(ValueGrid* grid, int row, int col)
        : grid_(grid), row_(row), col_(col) {}

    bool isValid() const override { return grid_ && row_ < grid_->rows() && col_ < grid_->cols(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name)
            return row_ == 0 ? grid_->columnDescription(col_) : grid_->text(row_, col_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = grid_->cellRect(row_, col_);
        if (r.isEmpty()) return {};
        return QRect(grid_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        if (row_ == 0) return QAccessible::ColumnHeader;
        if (col_ == 0) return QAccessible::RowHeader;
        return QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = row_ > 0 && col_ > 0;
        s.selected = isSelected();
        s.invisible = grid_->cellRect(row_, col_).isEmpty();
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override {
        return isValid() && row_ > 0 && col_ > 0 && grid_->isSelected(row_, col_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<ValueGrid> grid_;
    int row_;
    int col_;
};

class ValueGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ValueGridAccessible(ValueGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~ValueGridAccessible() override {
        for (const auto& [key, id] : cellIds_) QAccessible::deleteAccessibleInterface(id);
    }

    ValueGrid* grid() const { return static_cast<ValueGrid*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return grid()->rows() * grid()->cols(); }
    QAccessibleInterface* child(int index) const override {
        const int cols = grid()->cols();
        if (index < 0 || cols == 0 || index >= childCount()) return nullptr;
        return cellAt(index / cols, index % cols);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->role() == QAccessible::Table) return -1;
        auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (!cell) return -1;
        return cell->rowIndex() * grid()->cols() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = grid()->viewport()->mapFromGlobal(QPoint(x, y));
        const auto [r, c] = grid()->cellAt(p);
        return r < 0 ? nullptr : cellAt(r, c);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= grid()->rows() || column >= grid()->cols())
            return nullptr;
        const auto key = std::make_pair(row, column);
        auto it = cellIds_.find(key);
        if (it == cellIds_.end()) {
            auto* cell = new ValueGridCellAccessible(grid(), row, column);
            it = cellIds_.emplace(key, QAccessible::registerAccessibleInterface(cell)).first;
        }
        return QAccessible::accessibleInterface(it->second);
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> list;
        for (int r = 1; r < grid()->rows(); ++r)
            for (int c = 1; c < grid()->cols(); ++c)
                if (grid()->isSelected(r, c)) list.append(cellAt(r, c));
        return list;
    }
    QString columnDescription(int column) const override {
        return grid()->columnDescription(column);
    }
    QString rowDescription(int row) const override { return grid()->text(row, 0); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return grid()->cols(); }
    int rowCount() const override { return grid()->rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Cells are identified by their position and check it themselves, so nothing to renew.
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> cellIds_;
};

QList<QAccessibleInterface*> ValueGridCellAccessible::columnHeaderCells() const {
    if (!isValid() || row_ == 0) return {};
    auto* table = parent() ? parent()->tableInterface() : nullptr;
    return table ? QList<QAccessibleInterface*>{table->cellAt(0, col_)}
                 : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> ValueGridCellAccessible::rowHeaderCells() const {
    if (!isValid() || col_ == 0) return {};
    auto* table = parent() ? parent()->tableInterface() : nullptr;
    return table ? QList<QAccessibleInterface*>{table->cellAt(row_, 0)}
                 : QList<QAccessibleInterface*>{};
}

namespace {

QAccessibleInterface* valueGridAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ondalis::ValueGrid") && object && object->isWidgetType())
        return new ValueGridAccessible(static_cast<ValueGrid*>(object));
    return nullptr;
}

}  // namespace

void installValueGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(valueGridAccessibleFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace ondalis
