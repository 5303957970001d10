#include "printing/imagecopy.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

void copySurfaceImage(const DrawingSurface& surface) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    clipboard->clear();
    clipboard->setImage(surface.image());
}

}  // namespace ondalis
