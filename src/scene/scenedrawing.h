#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <array>
#include <utility>
#include <vector>

#include "platform/canvas/canvas.h"
#include "scene/scenegeometry.h"
#include "scene/vectors.h"

// The animation scene `Picture2`: a 785 × 57 picture of the oscillator. Positions x are in cm;
// the solid's centre is at X = 30·x + 450, Y = 21 (30 pixels per centimetre, x = 0 at X = 450,
// x = -10 … 10 giving X = 150 … 750). The wall's face is at X = 10, the rod runs to X = 780.
namespace ondalis {

inline constexpr int SceneWidth = 785;
inline constexpr int SceneHeight = 57;

// Everything one redraw of the scene reads: the current sample, the two scene options, the
// stiffness and friction as read from their entry fields, and the vector settings.
struct SceneView {
    float x = 0;   // cm
    float v = 0;   // m/s
    double t = 0;  // s
    bool rulerShown = true;
    bool axisShown = true;
    float k = 10;    // N/m
    float h = 0.2f;  // N·s/m
    VectorView vectors;
};

// The still background: sky gradient (painted once into `skyCache`, reused afterwards), guide
// rod and wall; the result becomes the scene's persistent picture, which every clear returns to.
void fond(Canvas& scene, QImage& skyCache);

// The 46-coil spring from the wall's face (X = 10) to one pixel before the solid's left face.
void drawSpring(Canvas& scene, float x);
// The shaded 30 × 28 block centred on (30·x + 450, 21) with its black outline.
void drawSolid(Canvas& scene, float x);
// Centimetre ruler from -10 to 10 (X = 150 … 750), ticks above and below the rod, labels.
void drawRuler(Canvas& scene);
// The x axis with its arrow head and "x"; with `originMark`, the tick and "O" at X = 450.
void drawAxis(Canvas& scene, bool originMark);

// The ruler and the axis drawn once for each combination of the two options, as a black layer
// on a transparent ground, then laid over every redraw: a redraw then costs one picture instead
// of the 21 graduation labels and 244 ticks. A layer is remade if the scene's size changes.
class SceneDecorations {
public:
    const QImage& layer(int width, int height, bool rulerShown, bool axisShown);
    // Lays the layer over `area` of the scene only, as drawing the picture's part would: its
    // opaque pixels are written straight in, the partly transparent ones (the letters' edges)
    // are laid by a painter where the area holds any.
    void overlay(Canvas& scene, const QRect& area, bool rulerShown, bool axisShown);
    // The layer as drawn, for the scene drawn at other scales (once layer() has made it).
    std::shared_ptr<const Canvas::Record> record(bool rulerShown, bool axisShown) const {
        return records_[(rulerShown ? 1 : 0) + (axisShown ? 2 : 0)];
    }

private:
    // Runs of a layer's pixels along each row, [first, last] columns.
    struct Ink {
        std::vector<std::vector<std::pair<int, int>>> opaque;
        std::vector<std::vector<std::pair<int, int>>> partial;
    };
    std::array<QImage, 4> layers_;
    std::array<Ink, 4> ink_;
    std::array<std::shared_ptr<const Canvas::Record>, 4> records_;
};

// The scene pixels that the spring, the solid and the vectors of `view` may cover: the band of
// rows 12 to 30 from the wall's face to the solid's right side and wherever the vectors reach,
// and the solid's rows 7 to 35.
QRegion movingArea(const SceneView& view);

// One redraw of the moving part of the scene, in this order: clear to the background, spring,
// solid, vectors (attached at Gx = 30·x + 450 rounded half to even, Gy = 21), ruler if shown,
// axis if shown (with the origin mark only when the ruler is not shown). The text font is left
// at Arial 8, not bold, and the drawing colour at black.
void drawScene(Canvas& scene, const SceneView& view);
// The same picture, with the ruler and axis taken from `decorations` (for the animation ticks).
void drawScene(Canvas& scene, const SceneView& view, SceneDecorations& decorations);

// The redraws of the animation: the picture drawScene(scene, view, decorations) gives, made by
// touching only the part of the scene that changes, where the spring, the solid and the vectors
// were drawn last time and where they are drawn now (elsewhere the scene already shows the
// background, the ruler and the axis). The whole scene is drawn again when something else drew
// on it since the last redraw, or when the ruler, the axis or the scene's size changed.
class SceneAnimator {
public:
    void draw(Canvas& scene, const SceneView& view);

private:
    SceneDecorations decorations_;
    const Canvas* scene_ = nullptr;
    quint64 revision_ = 0;  // the scene's revision after the last redraw
    QRegion moving_;        // what the moving parts covered then
    bool rulerShown_ = false;
    bool axisShown_ = false;
};

}  // namespace ondalis
