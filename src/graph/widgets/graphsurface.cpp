// The graph surface as a widget: its name and size, the pointer's shape and tooltip.
#include <QCursor>
#include <QToolTip>
#include <QWidget>

#include "graph/graphframe.h"
#include "graph/plotter.h"
#include "graph/widgets/graphsurface.h"
#include "platform/widgets/drawingsurface.h"

namespace ondalis {

void setUpGraphFrame(DrawingSurface& frame) {
    frame.setObjectName(QStringLiteral("Frame1"));
    frame.setAccessibleName(QStringLiteral("Graphe"));
    frame.setSurfaceSize(kGraphWidth, kGraphHeight);
    frame.setBackColor(Qt::white);
}

void applyCursorReadout(QWidget& frame, const CursorReadout& readout) {
    frame.setCursor(readout.crossHair ? Qt::CrossCursor : Qt::ArrowCursor);
    frame.setToolTip(readout.toolTip);
    if (!QToolTip::isVisible()) return;
    if (readout.toolTip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), readout.toolTip, &frame);
}

}  // namespace ondalis
