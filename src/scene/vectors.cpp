#include "scene/vectors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

long long vectorLength(double value, int scale, int exponent) {
    return roundHalfEven(value * (100 - scale) / std::pow(10.0, exponent));
}

VectorLengths vectorLengths(const VectorView& view, float x, float v, double t, float k, float h) {
    VectorLengths l;
    if (view.forcesShown) {
        const double tension = -double(k) * double(x) / 100;
        l.tension = vectorLength(tension, view.forceScale, view.forceExponent);
        if (std::llabs(l.tension) < 3) l.tension = 0;
        const double friction = -double(h) * double(v);
        l.friction = vectorLength(friction, view.forceScale, view.forceExponent);
        if (std::llabs(l.friction) < 3) l.friction = 0;
    }
    // No velocity at t = 0: the solid is at rest before the start.
    if (view.velocityShown && t != 0) {
        l.velocity = vectorLength(double(v), view.velocityScale, view.speedExponent);
        if (std::llabs(l.velocity) < 2) l.velocity = 0;
    }
    return l;
}

QRect vectorBounds(int gx, int gy, const VectorLengths& lengths) {
    QRect bounds;
    // A shaft from `tail` to tail + length, its head reaching 10 pixels back from the tip and
    // 5 on each side, the 2-pixel strokes a pixel beyond; lengths are clamped far off the scene.
    auto add = [&](long long tail, long long length, int row) {
        if (length == 0) return;
        const long long tip = tail + std::clamp(length, -100000LL, 100000LL);
        const long long back = length > 0 ? tip - 10 : tip + 10;
        const long long left = std::min({tail, tip, back}) - 2;
        const long long right = std::max({tail, tip, back}) + 2;
        bounds |= QRect(QPoint(int(left), row - 7), QPoint(int(right), row + 7));
    };
    add(gx - 15, lengths.tension, gy);
    add(gx, lengths.friction, gy + 1);
    add(gx, lengths.velocity, gy);
    return bounds;
}

void lesvecteurs(Canvas& scene, int gx, int gy, const VectorView& view, float x, float v, double t,
                 float k, float h) {
    lesvecteurs(scene, gx, gy, view, vectorLengths(view, x, v, t, k, h));
}

void lesvecteurs(Canvas& scene, int gx, int gy, const VectorView& view,
                 const VectorLengths& lengths) {
    scene.setDrawWidth(2);
    // Tension of the spring, applied where the spring meets the solid's left face.
    if (const long long lt = lengths.tension) {
        scene.line(gx - 15 + lt, gy, gx - 15, gy, view.tensionColor);
        fleche(scene, gx - 15, gy, double(lt), 0, view.tensionColor);
    }
    // Friction of the fluid, at the centre, one pixel below the velocity's line.
    if (const long long lf = lengths.friction) {
        scene.line(gx + lf, gy + 1, gx, gy + 1, view.frictionColor);
        fleche(scene, gx, gy + 1, double(lf), 0, view.frictionColor);
    }
    if (const long long lv = lengths.velocity) {
        scene.line(gx, gy, gx + lv, gy, view.velocityColor);
        fleche(scene, gx, gy, double(lv), 0, view.velocityColor);
    }
    scene.setDrawWidth(1);
}

void fleche(Canvas& scene, double bpx, double bpy, double cpx, double cpy, const QColor& color) {
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
