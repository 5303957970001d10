// The print dialog and the image copies of the main window.
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "app/feuillep.h"
#include "platform/widgets/drawingsurface.h"
#include "printing/confimp.h"
#include "printing/imagecopy.h"

namespace ondalis {

void feuilleP::createPrinting() {
    connect(Command10, &QPushButton::clicked, this, &feuilleP::Command10_Click);
    auto* print = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    print->setObjectName(QStringLiteral("printShortcut"));
    connect(print, &QShortcut::activated, this, &feuilleP::Command10_Click);
}

void feuilleP::Command10_Click() {
    confimp dialog(dialogs_, printer_, *Picture2, *Frame1, this);
    dialog.exec();
}

void feuilleP::copim() { copySurfaceImage(*Picture2); }
void feuilleP::copigraph() { copySurfaceImage(*Frame1); }

}  // namespace ondalis
