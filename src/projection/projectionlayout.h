#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

#include "platform/canvas/canvas.h"
#include "scene/readouts.h"

class QPainter;

namespace ondalis {

// Where the projection puts the main window's three pictures on a screen: the readout panel
// and the graph side by side, the scene below them across the whole width, all at one scale,
// as large as the screen allows with a margin, centred. Rectangles in the screen's pixels.
struct ProjectionLayout {
    double scale = 1.0;  // screen pixels per pixel of the main window's pictures
    QRect readouts;
    QRect graph;
    QRect scene;
};

// The pictures' sizes in the main window.
inline constexpr QSize ReadoutPanelSize{161, 169};
inline constexpr QSize GraphSize{617, 225};
inline constexpr QSize SceneSize{785, 57};

ProjectionLayout projectionLayout(const QSize& screen);

// What the projection shows: the three canvases as the main window drew them, and the texts of
// the seven readouts (which are labels over the panel, not drawn on it).
struct ProjectionContent {
    const Canvas* readouts = nullptr;
    const Canvas* graph = nullptr;
    const Canvas* scene = nullptr;
    std::array<QString, ReadoutCount> values;
};

// The pictures that changed rarely (the readout panel, the graph once its recording is
// complete), kept at the screen's scale between two paints and drawn again only when their
// canvas has changed.
struct ProjectionCache {
    struct Entry {
        quint64 revision = ~quint64(0);
        QSize size;
        bool highContrast = false;
        QImage image;
        QImage source;  // the canvas's image when `image` was drawn
    };
    Entry readouts, graph;
    // The scene's background and decorations at the screen's scale, under its moving parts.
    Canvas::RenderCache scene;
};

// The smallest rectangle holding every pixel where `kept` differs from `now` (all of `now` when
// their sizes or formats differ), after which `kept` is made equal to `now`: in its own pixels,
// copying only the rows that changed (a copy sharing the pixels of a canvas would make the
// canvas copy them at its next drawing).
QRect takeChanges(QImage& kept, const QImage& now);

// `area`, in units of a picture drawn at `place` with `scale` screen pixels per unit, in screen
// pixels with a margin of two units (for the lines drawn thicker than at one pixel per unit).
QRect screenArea(const QRect& area, const QRect& place, double scale);

// Draws the content on `painter` (a device of `layout`'s screen size) by replaying each canvas
// at the layout's scale: lines at the device's resolution, text in real fonts at the scaled
// size. High contrast: strokes twice as thick, the values larger, dark on a white ground.
// Only what touches `area` is drawn (the whole screen when it is empty).
void drawProjection(QPainter& painter, const QSize& screen, const ProjectionLayout& layout,
                    const ProjectionContent& content, bool highContrast,
                    const QRect& area = QRect(), ProjectionCache* cache = nullptr);

}  // namespace ondalis
