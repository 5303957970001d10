#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace ondalis {

// The status line explains whatever the pointer is over: each registered control puts its own
// text there when the pointer enters or moves over it (over the control itself, not over one
// of its children). The text stays until another control sets its own; nothing is restored.
class StatusHints : public QObject {
    Q_OBJECT
public:
    // `show` receives the text to display; `current` gives the text displayed now.
    StatusHints(std::function<void(const QString&)> show, std::function<QString()> current,
                QObject* parent = nullptr);

    void add(QWidget* control, const QString& hint);
    // The "Copier" rule: the hint is not shown while the status line holds `keep`.
    void addUnlessShowing(QWidget* control, const QString& hint, const QString& keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Hint {
        QString text;
        QString keep;
    };
    QHash<QObject*, Hint> hints_;
    std::function<void(const QString&)> show_;
    std::function<QString()> current_;
};

}  // namespace ondalis
