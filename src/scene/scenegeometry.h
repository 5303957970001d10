#pragma once

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

}  // namespace ondalis
