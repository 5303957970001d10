#include "scene/scenedrawing.h"

#include <QPoint>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/canvas/canvas.h"
#include "platform/canvas/palette.h"
#include "platform/core/numberformat.h"

namespace ondalis {

namespace {

// Sky gradient: from (155, 200, 255) on the top row to (255, 250, 255) at the bottom.
void paintSky(Canvas& scene) {
    const double height = scene.imageHeight();
    const int n = int(roundHalfEven(height));
    const double right = scene.imageWidth() - 1;
    for (int i = 0; i <= n; ++i) {
        const double f = double(i) / n;
        const QColor c(int(roundHalfEven(f * 100 + 155)), int(roundHalfEven(f * 50 + 200)), 255);
        const double y = double(roundHalfEven(height - n + i));
        scene.line(0, y, right, y, c);
    }
}

// Nearest pixel, halves upwards (as the surface rounds), without a library call.
int pixelOf(double v) {
    const double t = v + 0.5;
    const int r = int(t);
    return r - (r > t ? 1 : 0);
}

// The points of the elliptical arc of semi-axes rx, ry from `start` to `end` (radians,
// counter-clockwise from +x as seen on the screen), at most one pixel apart, the first and last
// on the arc's ends: their horizontal offsets from the centre, and their pixel rows for a centre
// on row cy (the same for every coil of the spring).
struct ArcTrace {
    std::vector<double> dx;
    std::vector<int> row;
    double leftmost = 0;  // the smallest dx
};

// Fills `trace` (its storage kept from one call to the next).
void arcTrace(ArcTrace& trace, double rx, double ry, double cy, double start, double end) {
    const double radius = std::max({rx, ry, 1.0});
    const int n = std::max(1, int(std::ceil((end - start) * radius)));
    const double step = (end - start) / n;
    const double cosStep = std::cos(step);
    const double sinStep = std::sin(step);
    double c = std::cos(start);
    double s = std::sin(start);
    trace.dx.clear();
    trace.row.clear();
    auto add = [&](double ox, double oy) {
        trace.dx.push_back(ox);
        trace.row.push_back(pixelOf(cy + oy));
    };
    for (int j = 0; j < n; ++j) {
        add(rx * c, -ry * s);
        const double next = c * cosStep - s * sinStep;  // rotation by one step
        s = s * cosStep + c * sinStep;
        c = next;
    }
    add(rx * std::cos(end), -ry * std::sin(end));
    trace.leftmost = *std::min_element(trace.dx.begin(), trace.dx.end());
}

// Writes the pixels of an arc centred on column cx at `out` and returns the end: its points
// rounded to the pixel, repeats skipped, and the corner pixel of each staircase step left out so
// that the trace is one pixel thin. `columns` is scratch room for the arc's rounded columns.
QPoint* appendArc(QPoint* out, double cx, const ArcTrace& arc, int* columns) {
    const size_t n = arc.dx.size();
    if ((cx + arc.leftmost) + 0.5 >= 0) {
        // Every point right of -0.5: rounding is truncating v + 0.5 (what pixelOf does there).
        for (size_t j = 0; j < n; ++j) columns[j] = int((cx + arc.dx[j]) + 0.5);
    } else {
        for (size_t j = 0; j < n; ++j) columns[j] = pixelOf(cx + arc.dx[j]);
    }
    int count = 0;
    int lastX = 0, lastY = 0, beforeX = 0, beforeY = 0;
    for (size_t j = 0; j < n; ++j) {
        const int x = columns[j];
        const int y = arc.row[j];
        if (count > 0 && x == lastX && y == lastY) continue;
        if (count >= 2 && std::abs(beforeX - x) == 1 && std::abs(beforeY - y) == 1) {
            out[-1] = QPoint(x, y);  // the corner gives way to the diagonal step
        } else {
            *out++ = QPoint(x, y);
            ++count;
            beforeX = lastX;
            beforeY = lastY;
        }
        lastX = x;
        lastY = y;
    }
    return out;
}

}  // namespace

void fond(Canvas& scene, QImage& skyCache) {
    scene.clearPicture();
    scene.clear();
    if (skyCache.width() >= 100) {
        scene.setPicture(skyCache);
        scene.clear();
    } else {
        paintSky(scene);
        skyCache = scene.image().copy();
    }

    // Guide rod from the wall to X = 780, lit from above.
    scene.box(10, 21, 780, 22, qbColor(7));
    scene.line(10, 20, 780, 20, qbColor(15));
    scene.line(10, 23, 780, 23, qbColor(8));
    scene.box(10, 19, 780, 24, Qt::black);

    // Wall; its face is at X = 10.
    scene.fillBox(0, 0, 10, 43, qbColor(8));
    scene.box(0, 0, 10, 43, Qt::black);

    scene.setDrawWidth(1);
    scene.setPictureFromImage();
}

void drawSpring(Canvas& scene, float x) {
    constexpr double halfHeight = 8;
    const double y = SolidCentreY;
    // The coils' half-width follows the spring's length: 2 px at x = -10, 15.3 px at x = 10.
    const double a = (30.0 * x + 390) / 45;
    const double first = 10 + a;                 // first ellipse touches the wall's face
    const double last = 30.0 * x + 435 - a - 1;  // last one ends a pixel before the solid
    const double step = (last - first) / 45;
    // Scratch room kept between calls: the spring is drawn at every tick of the animation.
    thread_local ArcTrace firstUpper, firstLower, middle, lastCoil;
    thread_local std::vector<QPoint> coils;
    thread_local std::vector<int> columns;
    arcTrace(firstUpper, a, halfHeight, y, 0, 3.14);
    arcTrace(firstLower, a, halfHeight, y, 5.28, 6.28);
    arcTrace(middle, a, halfHeight, y, 0.2, 6.08);  // gap on the right
    arcTrace(lastCoil, a, halfHeight, y, 2.94, 6.28);
    const size_t points = 2 * firstUpper.dx.size() + 2 * firstLower.dx.size() +
                          44 * middle.dx.size() + lastCoil.dx.size();
    if (coils.size() < points) coils.resize(points);
    const size_t longest = std::max(
        {firstUpper.dx.size(), firstLower.dx.size(), middle.dx.size(), lastCoil.dx.size()});
    if (columns.size() < longest) columns.resize(longest);
    QPoint* end = coils.data();
    for (int i = 0; i <= 45; ++i) {
        const double cx = first + i * step;
        if (i == 0) {
            end = appendArc(end, cx, firstUpper, columns.data());
            end = appendArc(end, cx, firstLower, columns.data());
        } else if (i < 45) {
            end = appendArc(end, cx, middle, columns.data());
        } else {
            end = appendArc(end, cx, lastCoil, columns.data());
        }
    }
    // From the wall's face to the solid, 8 pixels above and below the rod.
    const QRect bounds(QPoint(9, SolidCentreY - 9),
                       QPoint(int(std::ceil(last + a)) + 1, SolidCentreY + 9));
    // At other scales the coils are the arcs they were traced from.
    scene.drawTwoWays(
        [&] { scene.points(std::span<const QPoint>(coils.data(), end), Qt::black, bounds); },
        [&] {
            for (int i = 0; i <= 45; ++i) {
                const double cx = first + i * step;
                if (i == 0) {
                    scene.arc(cx, y, a, halfHeight, 0, 3.14, Qt::black);
                    scene.arc(cx, y, a, halfHeight, 5.28, 6.28, Qt::black);
                } else if (i < 45) {
                    scene.arc(cx, y, a, halfHeight, 0.2, 6.08, Qt::black);
                } else {
                    scene.arc(cx, y, a, halfHeight, 2.94, 6.28, Qt::black);
                }
            }
        });
}

void drawSolid(Canvas& scene, float x) {
    const double cx = sceneX(x);
    // Five nested boxes, lighter towards the middle.
    for (int w = 5; w >= 1; --w) {
        const int grey = 255 - 10 * w;
        scene.fillBox(cx - 3 * w, 17 - 2 * w, cx + 3 * w, 25 + 2 * w, QColor(grey, grey, grey));
    }
    scene.box(cx - 15, 7, cx + 15, 35, Qt::black);
}

void drawRuler(Canvas& scene) {
    for (int i = 0; i <= 20; ++i) {  // every centimetre
        const int xi = 30 * i + 150;
        scene.line(xi, 2, xi, 12, Qt::black);
        scene.line(xi, 31, xi, 41, Qt::black);
        const QString label = QString::number(i - 10);
        scene.printAt(xi - scene.textWidth(label) / 2.0, 40, label);
    }
    for (int i = 0; i <= 100; ++i) {  // every 2 mm
        const int xi = 6 * i + 150;
        scene.line(xi, 2, xi, 7, Qt::black);
        scene.line(xi, 36, xi, 41, Qt::black);
    }
}

void drawAxis(Canvas& scene, bool originMark) {
    scene.line(150, 40, 770, 40, Qt::black);
    scene.line(762, 36, 770, 40, Qt::black);
    scene.line(762, 44, 770, 40, Qt::black);
    scene.printAt(770, 25, QStringLiteral("x"));
    if (originMark) {
        scene.line(450, 38, 450, 42, Qt::black);
        scene.printAt(447, 40, QStringLiteral("O"));
    }
}

QRegion movingArea(const SceneView& view) {
    const double cx = sceneX(view.x);
    // The coils lie on rows 21 ± 8 from the wall's face, X = 10, to the solid, which spans
    // cx ± 15 and rows 7 … 35; the vectors keep to rows 14 … 29.
    const VectorLengths lengths =
        vectorLengths(view.vectors, view.x, view.v, view.t, view.k, view.h);
    const QRect vectors = vectorBounds(int(roundHalfEven(cx)), SolidCentreY, lengths);
    QRect band(QPoint(9, 12), QPoint(int(std::ceil(cx)) + 16, 30));
    if (!vectors.isEmpty()) band |= QRect(QPoint(vectors.left(), 12), QPoint(vectors.right(), 30));
    const QRect solid(QPoint(int(std::floor(cx)) - 16, 7), QPoint(int(std::ceil(cx)) + 16, 35));
    return QRegion(band) + solid;
}

namespace {

// Spring, solid and vectors, over what the scene shows.
void drawMovingParts(Canvas& scene, const SceneView& view) {
    drawSpring(scene, view.x);
    drawSolid(scene, view.x);
    const int gx = int(roundHalfEven(sceneX(view.x)));
    lesvecteurs(scene, gx, SolidCentreY, view.vectors,
                vectorLengths(view.vectors, view.x, view.v, view.t, view.k, view.h));
    scene.setFont(QStringLiteral("Arial"), 8, false, false);
    scene.setForeColor(Qt::black);
}

void drawDecorations(Canvas& scene, bool rulerShown, bool axisShown) {
    if (rulerShown) drawRuler(scene);
    if (axisShown) drawAxis(scene, !rulerShown);
}

}  // namespace

const QImage& SceneDecorations::layer(int width, int height, bool rulerShown, bool axisShown) {
    const int which = (rulerShown ? 1 : 0) + (axisShown ? 2 : 0);
    QImage& layer = layers_[which];
    if (layer.width() == width && layer.height() == height) return layer;

    // Drawn in black on white, the grey of each pixel gives the layer's opacity there.
    Canvas scratch;
    scratch.setImageSize(QSize(width, height));
    scratch.setBackColor(Qt::white);
    scratch.setFont(QStringLiteral("Arial"), 8, false, false);
    scratch.setForeColor(Qt::black);
    drawDecorations(scratch, rulerShown, axisShown);
    records_[which] = scratch.record(false);
    const QImage& drawn = scratch.image();
    layer = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    Ink& ink = ink_[which];
    ink.opaque.assign(height, {});
    ink.partial.assign(height, {});
    for (int y = 0; y < height; ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < width; ++x) to[x] = qRgba(0, 0, 0, 255 - qGray(from[x]));
        for (int x = 0; x < width; ++x) {
            const int alpha = qAlpha(to[x]);
            if (alpha == 0) continue;
            auto& runs = alpha == 255 ? ink.opaque[y] : ink.partial[y];
            if (!runs.empty() && runs.back().second == x - 1)
                runs.back().second = x;
            else
                runs.push_back({x, x});
        }
    }
    return layer;
}

void SceneDecorations::overlay(Canvas& scene, const QRect& area, bool rulerShown, bool axisShown) {
    const QImage& picture = layer(scene.imageWidth(), scene.imageHeight(), rulerShown, axisShown);
    const Ink& ink = ink_[(rulerShown ? 1 : 0) + (axisShown ? 2 : 0)];
    const QRect r = area & picture.rect();
    std::vector<QPoint> black;
    QRect blended;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (auto [first, last] : ink.opaque[y])
            for (int x = std::max(first, r.left()); x <= std::min(last, r.right()); ++x)
                black.emplace_back(x, y);
        for (auto [first, last] : ink.partial[y])
            if (first <= r.right() && last >= r.left())
                blended |= QRect(QPoint(std::max(first, r.left()), y),
                                 QPoint(std::min(last, r.right()), y));
    }
    scene.drawTwoWays(
        [&] {
            scene.points(black, Qt::black);
            if (!blended.isEmpty())
                scene.drawImage(blended.left(), blended.top(), picture, blended);
        },
        [&] { scene.drawRecord(records_[(rulerShown ? 1 : 0) + (axisShown ? 2 : 0)], r); });
}

void drawScene(Canvas& scene, const SceneView& view) {
    scene.clear();
    drawMovingParts(scene, view);
    drawDecorations(scene, view.rulerShown, view.axisShown);
}

void drawScene(Canvas& scene, const SceneView& view, SceneDecorations& decorations) {
    Canvas::Batch batch(scene);
    scene.clear();
    drawMovingParts(scene, view);
    if (view.rulerShown || view.axisShown) {
        const QImage& layer = decorations.layer(scene.imageWidth(), scene.imageHeight(),
                                                view.rulerShown, view.axisShown);
        scene.drawTwoWays([&] { scene.drawImage(0, 0, layer); },
                          [&] {
                              scene.drawRecord(decorations.record(view.rulerShown, view.axisShown),
                                               layer.rect());
                          });
    }
}

void SceneAnimator::draw(Canvas& scene, const SceneView& view) {
    const QRegion now = movingArea(view);
    const bool unchanged = &scene == scene_ && scene.revision() == revision_ &&
                           view.rulerShown == rulerShown_ && view.axisShown == axisShown_;
    if (!unchanged) {
        drawScene(scene, view, decorations_);
    } else {
        // Outside `area` the scene shows the background and the decorations already.
        // At other scales, the frame is drawn again whole over the background.
        const QRegion area = moving_ + (now & scene.image().rect());
        Canvas::Batch batch(scene);
        scene.drawTwoWays(
            [&] {
                for (const QRect& r : area) scene.clear(r);
            },
            [&] { scene.restartRecord(); });
        drawMovingParts(scene, view);
        if (view.rulerShown || view.axisShown)
            scene.drawTwoWays(
                [&] {
                    for (const QRect& r : area)
                        decorations_.overlay(scene, r, view.rulerShown, view.axisShown);
                },
                [&] {
                    scene.drawRecord(decorations_.record(view.rulerShown, view.axisShown),
                                     scene.image().rect());
                });
    }
    scene_ = &scene;
    revision_ = scene.revision();
    moving_ = now & scene.image().rect();
    rulerShown_ = view.rulerShown;
    axisShown_ = view.axisShown;
}

}  // namespace ondalis
