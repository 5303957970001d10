#include "mainwindow/widgets/statushints.h"

#include <QMouseEvent>
#include <QWidget>
#include <optional>

namespace ondalis {

StatusHints::StatusHints(std::function<void(const QString&)> show, std::function<QString()> current,
                         QObject* parent)
    : QObject(parent), show_(std::move(show)), current_(std::move(current)) {}

namespace {

// Where the pointer is in the watched control, for the events that bring it there; an entry
// without a position counts as over the control itself.
std::optional<QPointF> pointerPosition(QEvent* event) {
    if (event->type() != QEvent::Enter && event->type() != QEvent::MouseMove) return std::nullopt;
    if (const auto* pointer = dynamic_cast<const QSinglePointEvent*>(event))
        return pointer->position();
    return QPointF(-1, -1);
}

}  // namespace

void StatusHints::add(QWidget* control, const QString& hint) {
    addUnlessShowing(control, hint, QString());
}

void StatusHints::addUnlessShowing(QWidget* control, const QString& hint, const QString& keep) {
    hints_.insert(control, {hint, keep});
    // Moves over the control itself reach the filter, not only its entry.
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<QPointF> at = pointerPosition(event);
    if (at) {
        const auto it = hints_.constFind(watched);
        // Over one of the control's children the child speaks for itself (or says nothing).
        const bool overChild = it != hints_.constEnd() &&
                               static_cast<QWidget*>(watched)->childAt(at->toPoint()) != nullptr;
        if (it != hints_.constEnd() && !overChild) {
            const bool keepShown = !it->keep.isEmpty() && current_() == it->keep;
            if (!keepShown && current_() != it->text) show_(it->text);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ondalis
