#pragma once

#include <QColor>
#include <QRect>

// Vectors drawn on the scene as horizontal arrows attached to the solid: its velocity, the
// tension of the spring T = -k·x/100 (N, x in cm) at the solid's left face, and the friction
// force f = -h·v (N) at its centre, one pixel lower. A value V of a quantity of decade n drawn
// with the scale value s is L = V·(100 - s)/10ⁿ pixels long, rounded half to even: one decade
// takes 100 - s pixels.
namespace ondalis {

class Canvas;

struct VectorView {
    bool velocityShown = false;         // Check5
    bool forcesShown = false;           // Check12
    int velocityScale = 70;             // VScroll1, 0 … 90
    int forceScale = -10;               // VScroll3, -50 … 90
    int forceExponent = 0;              // nF, decade of the largest spring force
    int speedExponent = 0;              // nV, decade of the largest speed
    QColor velocityColor{255, 128, 0};  // Label4(0)
    QColor tensionColor{0, 0, 192};     // Label4(2)
    QColor frictionColor{192, 0, 0};    // Label4(3)
};

// Length in pixels of a vector of value `value`, decade `exponent`, scale value `scale`.
long long vectorLength(double value, int scale, int exponent);

// The signed lengths in pixels of the vectors one redraw draws, 0 for a vector it does not
// draw: a force only when forces are shown and |L| ≥ 3, the velocity only when it is shown,
// t ≠ 0 and |L| ≥ 2. x in cm, v in m/s, t in s, k in N/m, h in N·s/m.
struct VectorLengths {
    long long tension = 0;
    long long friction = 0;
    long long velocity = 0;
};
VectorLengths vectorLengths(const VectorView& view, float x, float v, double t, float k, float h);

// The rectangle of scene pixels that the vectors of these lengths cover when the solid's
// centre is (gx, gy), shafts, heads and the round ends of the 2-pixel lines included; empty
// when none is drawn.
QRect vectorBounds(int gx, int gy, const VectorLengths& lengths);

// Forces first (if shown; each only when |L| ≥ 3), then the velocity (if shown, t ≠ 0 and
// |L| ≥ 2), with 2-pixel lines; the line width is 1 again afterwards. (gx, gy) is the solid's
// centre; x in cm, v in m/s, t in s, k in N/m, h in N·s/m.
void lesvecteurs(Canvas& scene, int gx, int gy, const VectorView& view, float x, float v, double t,
                 float k, float h);
void lesvecteurs(Canvas& scene, int gx, int gy, const VectorView& view,
                 const VectorLengths& lengths);

// Arrow head of the vector whose tail is (bpx, bpy) and whose components are (cpx, cpy): two
// strokes from the tip, 10 pixels back along the shaft and 5 pixels to each side of it.
void fleche(Canvas& scene, double bpx, double bpy, double cpx, double cpy, const QColor& color);

}  // namespace ondalis
