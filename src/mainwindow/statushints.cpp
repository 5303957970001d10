#include "statushints.h"

#include <QEvent>
#include <QWidget>

namespace ondalis {

StatusHints::StatusHints(std::function<void(const QString&)> show, std::function<QString()> current,
                         QObject* parent)
    : QObject(parent), show_(std::move(show)), current_(std::move(current)) {}

void StatusHints::add(QWidget* control, const QString& hint) {
    hints_.insert(control, {hint, QString()});
    control->installEventFilter(this);
}

void StatusHints::addUnlessShowing(QWidget* control, const QString& hint, const QString& keep) {
    hints_.insert(control, {hint, keep});
    control->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const auto it = hints_.constFind(watched);
        if (it != hints_.constEnd()) {
            const bool keepShown = !it->keep.isEmpty() && current_() == it->keep;
            if (!keepShown && current_() != it->text) show_(it->text);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ondalis
