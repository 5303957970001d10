#pragma once

// The graph's own commands on the surface `Frame1`: its context menu (right click, the menu key,
// Shift+F10) and the pointer dragged with the left button to lay two time cursors.
#include <QObject>
#include <QPoint>

class QAction;
class QMenu;

namespace ondalis {

class DrawingSurface;

class GraphCommands : public QObject {
    Q_OBJECT
public:
    explicit GraphCommands(DrawingSurface& frame);

    QMenu* menu() const { return menu_; }
    QAction* measurePeriod = nullptr;  // "Mesurer la pseudo-période"
    QAction* keepCurve = nullptr;      // "Garder la courbe"
    QAction* clearKept = nullptr;      // "Effacer les courbes gardées"
    QAction* clearCursors = nullptr;   // "Effacer les curseurs"

    // Shows the menu at a point of the surface, without waiting for a choice.
    void popUpMenu(const QPoint& at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The left button pressed at surface x `anchor` and dragged to `x` (while it moves and at
    // the release): the two cursors.
    void cursorsDragged(int anchor, int x);
    // The left button pressed and released without moving: a click on the graph.
    void clicked(int x);

private:
    DrawingSurface& frame_;
    QMenu* menu_ = nullptr;
    int anchor_ = -1;
    bool dragged_ = false;
};

}  // namespace ondalis
