#include "graph/widgets/graphcommands.h"

#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

GraphCommands::GraphCommands(DrawingSurface& frame) : QObject(&frame), frame_(frame) {
    menu_ = new QMenu(&frame);
    menu_->setObjectName(QStringLiteral("menugraphe"));
    menu_->setAccessibleName(QStringLiteral("Commandes du graphe"));
    measurePeriod = menu_->addAction(QStringLiteral("Mesurer la pseudo-période"));
    menu_->addSeparator();
    keepCurve = menu_->addAction(QStringLiteral("Garder la courbe"));
    clearKept = menu_->addAction(QStringLiteral("Effacer les courbes gardées"));
    menu_->addSeparator();
    clearCursors = menu_->addAction(QStringLiteral("Effacer les curseurs"));

    // Reached with Tab, so that the menu key and Shift+F10 open the menu from the keyboard; a
    // click leaves the focus where it is (a parameter field being edited stays so).
    frame.setFocusPolicy(Qt::TabFocus);
    frame.setFocusRing(2);
    frame.installEventFilter(this);
    auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &frame);
    shiftF10->setContext(Qt::WidgetShortcut);
    connect(shiftF10, &QShortcut::activated, this,
            [this] { popUpMenu(QPoint(frame_.width() / 2, frame_.height() / 3)); });

    connect(&frame, &DrawingSurface::mousePressed, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, int x, int y) {
                if (button == Qt::RightButton) popUpMenu(QPoint(x, y));
                if (button != Qt::LeftButton) return;
                anchor_ = x;
                dragged_ = false;
            });
    connect(&frame, &DrawingSurface::mouseMoved, this,
            [this](Qt::MouseButtons buttons, int x, int) {
                if (anchor_ < 0 || !(buttons & Qt::LeftButton)) return;
                if (x == anchor_ && !dragged_) return;
                dragged_ = true;
                emit cursorsDragged(anchor_, x);
            });
    connect(&frame, &DrawingSurface::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, int x, int) {
                if (button != Qt::LeftButton || anchor_ < 0) return;
                const int anchor = anchor_;
                anchor_ = -1;
                if (dragged_ || x != anchor)
                    emit cursorsDragged(anchor, x);
                else
                    emit clicked(x);
            });
}

// The right button opens the menu where it is pressed; the menu key where the graph is.
bool GraphCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &frame_ || event->type() != QEvent::ContextMenu) return false;
    const auto* e = static_cast<QContextMenuEvent*>(event);
    if (e->reason() != QContextMenuEvent::Mouse) popUpMenu(e->pos());
    return true;
}

void GraphCommands::popUpMenu(const QPoint& at) { menu_->popup(frame_.mapToGlobal(at)); }

}  // namespace ondalis
