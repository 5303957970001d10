#include "vectors.h"

#include <cmath>
#include <cstdlib>

#include "drawingsurface.h"
#include "numberformat.h"

namespace ondalis {

long long vectorLength(double value, int scale, int exponent) {
    return roundHalfEven(value * (100 - scale) / std::pow(10.0, exponent));
}

void lesvecteurs(DrawingSurface& scene, int gx, int gy, const VectorView& view, float x, float v,
                 double t, float k, float h) {
    scene.setDrawWidth(2);
    if (view.forcesShown) {
        // Tension of the spring, applied where the spring meets the solid's left face.
        const double tension = -double(k) * double(x) / 100;
        const long long lt = vectorLength(tension, view.forceScale, view.forceExponent);
        if (std::llabs(lt) >= 3) {
            scene.line(gx - 15 + lt, gy, gx - 15, gy, view.tensionColor);
            fleche(scene, gx - 15, gy, double(lt), 0, view.tensionColor);
        }
        // Friction of the fluid, at the centre, one pixel below the velocity's line.
        const double friction = -double(h) * double(v);
        const long long lf = vectorLength(friction, view.forceScale, view.forceExponent);
        if (std::llabs(lf) >= 3) {
            scene.line(gx + lf, gy + 1, gx, gy + 1, view.frictionColor);
            fleche(scene, gx, gy + 1, double(lf), 0, view.frictionColor);
        }
    }
    // No velocity at t = 0: the solid is at rest before the start.
    if (view.velocityShown && t != 0) {
        const long long lv = vectorLength(double(v), view.velocityScale, view.speedExponent);
        if (std::llabs(lv) >= 2) {
            scene.line(gx, gy, gx + lv, gy, view.velocityColor);
            fleche(scene, gx, gy, double(lv), 0, view.velocityColor);
        }
    }
    scene.setDrawWidth(1);
}

void fleche(DrawingSurface& scene, double bpx, double bpy, double cpx, double cpy,
            const QColor& color) {
    const double px = bpx + cpx;
    const double py = bpy + cpy;
    if (cpy == 0) {
        const double back = cpx >= 0 ? px - 10 : px + 10;
        scene.line(px, py, back, py - 5, color);
        scene.line(px, py, back, py + 5, color);
        return;
    }
    // Base of the head, 10 pixels back from the tip along the shaft.
    double bx = px;
    double by = cpy >= 0 ? py - 10 : py + 10;
    if (cpx != 0) {
        const double p = cpy / cpx;
        double d = 10 / std::sqrt(p * p + 1);
        if (cpx < 0) d = -d;
        bx = px - d;
        by = py - p * d;
    }
    // Ends of the strokes, 5 pixels on each side of the shaft.
    const double q = cpx / cpy;
    const double e = 5 / std::sqrt(q * q + 1);
    scene.line(px, py, bx + e, by - q * e, color);
    scene.line(px, py, bx - e, by + q * e, color);
}

}  // namespace ondalis
