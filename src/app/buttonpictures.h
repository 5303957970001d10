#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// Pictures of the animation buttons, the status-line picture and the drag pointer, drawn in
// code so that they stay sharp at any screen scale.
namespace ondalis {

QIcon startPicture();
QIcon pausePicture();
// A triangle and a bar, pointing forwards or backwards: the step buttons.
QIcon stepPicture(bool forward);
QIcon stopPicture();
QIcon initialPositionPicture();
QPixmap hintPicture();
QCursor dragPointer();

}  // namespace ondalis
