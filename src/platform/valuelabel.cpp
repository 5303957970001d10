#include "valuelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ondalis {

namespace {

// Name: the quantity; value, description and text content: the shown text. The text
// interface is read-only: no caret, no selection.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(ValueLabel* label)
        : QAccessibleWidget(label, label->role() == ValueLabel::Role::StatusLine
                                       ? QAccessible::StatusBar
                                       : QAccessible::StaticText) {}
    const ValueLabel* label() const { return static_cast<const ValueLabel*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return label()->text().mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return int(label()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return label()->accessibleName();
            case QAccessible::Value:
            case QAccessible::Description:
                return label()->text();
            default:
                return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* valueLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ondalis::ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<ValueLabel*>(object));
    return nullptr;
}

}  // namespace

ValueLabel::ValueLabel(QWidget* parent, Role role) : QLabel(parent), role_(role) {
    static const bool installed = [] {
        QAccessible::installFactory(valueLabelFactory);
        return true;
    }();
    (void)installed;
}

void announceTextChange(QWidget* label) {
    if (!label || !QAccessible::isActive()) return;
    QAccessibleEvent description(label, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

}  // namespace ondalis
