#pragma once

#include <optional>

// Where the solid stands in the scene `Picture2`, and back: x in cm maps to the scene pixel
// X = 30·x + 450 (30 pixels per centimetre, x = 0 at X = 450); the solid's centre is at Y = 21.
namespace ondalis {

inline constexpr int SolidCentreY = 21;

// Scene abscissa of a position in cm.
inline double sceneX(double x) { return 30.0 * x + 450.0; }

// The starting position the pointer at scene abscissa `x` gives: (x - 450) / 30 cm, clamped to
// -10 … 10 and rounded to three significant digits.
float positionFromPointer(int x);

// Whether the pointer at (x, y) is over the solid standing at `position` cm: within 15 pixels of
// its centre across, strictly between rows 6 and 32.
bool pointerOverSolid(int x, int y, float position);

// The solid moved from the keyboard, as a slider is: the starting position that `key` (a
// Qt::Key) gives from `x0` cm. Left/Down 1 cm back, Right/Up 1 cm on, 0,2 cm with Shift;
// PageDown/PageUp 2 cm; Home -10 and End 10. The result goes through the position field's
// validation (clamped to -10 … 10, three significant digits). Other keys give nothing.
std::optional<float> keyedPosition(int key, bool fine, float x0);

}  // namespace ondalis
