#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the exercise catalogue, drawn here: the stars of the difficulty, the open
// button and the close button. Pixmaps are drawn for the screen's pixel ratio.
namespace ondalis::exercises {

inline constexpr int StarSize = 24;

// A five-pointed star: gold with a brown edge when lit, slate grey when dark.
QPixmap starPicture(bool lit);
// An open book with a green arrow: open the exercise.
QIcon openExercisePicture();
// A red cross in a circle: close without loading.
QIcon closeCataloguePicture();

}  // namespace ondalis::exercises
