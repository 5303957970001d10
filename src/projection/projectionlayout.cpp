#include "projection/projectionlayout.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/canvas/canvas.h"

namespace ondalis {

namespace {

// Gaps between the pictures, in their own pixels (scaled with them).
constexpr int Gap = 8;

QRect scaled(double x, double y, const QSize& size, double scale) {
    return QRect(int(std::lround(x)), int(std::lround(y)), int(std::lround(size.width() * scale)),
                 int(std::lround(size.height() * scale)));
}

}  // namespace

ProjectionLayout projectionLayout(const QSize& screen) {
    const int contentWidth =
        std::max(ReadoutPanelSize.width() + Gap + GraphSize.width(), SceneSize.width());
    const int contentHeight =
        std::max(ReadoutPanelSize.height(), GraphSize.height()) + Gap + SceneSize.height();
    const double margin = std::min(screen.width(), screen.height()) * 0.03;
    ProjectionLayout l;
    l.scale = std::max(0.1, std::min((screen.width() - 2 * margin) / contentWidth,
                                     (screen.height() - 2 * margin) / contentHeight));
    const double left = (screen.width() - contentWidth * l.scale) / 2;
    const double top = (screen.height() - contentHeight * l.scale) / 2;
    const double rowHeight = std::max(ReadoutPanelSize.height(), GraphSize.height()) * l.scale;
    l.readouts = scaled(left, top + (rowHeight - ReadoutPanelSize.height() * l.scale) / 2,
                        ReadoutPanelSize, l.scale);
    l.graph = scaled(left + (ReadoutPanelSize.width() + Gap) * l.scale, top, GraphSize, l.scale);
    l.scene = scaled(left + (contentWidth - SceneSize.width()) * l.scale / 2,
                     top + rowHeight + Gap * l.scale, SceneSize, l.scale);
    return l;
}

QRect takeChanges(QImage& kept, const QImage& now) {
    if (kept.size() != now.size() || kept.format() != now.format() || now.depth() != 32 ||
        !kept.isDetached()) {
        kept = now.copy();
        return now.rect();
    }
    const int width = now.width();
    const size_t rowBytes = size_t(width) * 4;
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < now.height(); ++y) {
        auto* a = reinterpret_cast<quint32*>(kept.scanLine(y));
        const auto* b = reinterpret_cast<const quint32*>(now.constScanLine(y));
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x = 0;
        while (x < left && a[x] == b[x]) ++x;
        left = std::min(left, x);
        x = width - 1;
        while (x > right && a[x] == b[x]) --x;
        right = std::max(right, x);
        std::memcpy(a, b, rowBytes);
    }
    if (top < 0) return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect screenArea(const QRect& area, const QRect& place, double scale) {
    if (area.isEmpty()) return QRect();
    const QRect units = area.adjusted(-2, -2, 2, 2);
    return QRectF(place.x() + units.x() * scale, place.y() + units.y() * scale,
                  units.width() * scale, units.height() * scale)
               .toAlignedRect() &
           place;
}

namespace {

// Replays what of `canvas` falls in `drawn` (screen pixels), the canvas standing at `place`.
void replayAt(QPainter& p, const Canvas* canvas, const QRect& place, double scale,
              Canvas::Lines lines, const QRect& drawn, Canvas::RenderCache* cache = nullptr) {
    if (!canvas) return;
    const QRect units = QRectF((drawn.x() - place.x()) / scale, (drawn.y() - place.y()) / scale,
                               drawn.width() / scale, drawn.height() / scale)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1);
    p.save();
    p.translate(place.topLeft());
    p.scale(scale, scale);
    if (cache)
        canvas->render(p, units, lines, *cache);
    else
        canvas->render(p, units, lines);
    p.restore();
}

// As replayAt, through the picture kept in `entry` while the canvas has not changed.
void drawCached(QPainter& p, const Canvas* canvas, const QRect& place, double scale,
                Canvas::Lines lines, const QRect& drawn, bool highContrast,
                ProjectionCache::Entry* entry) {
    if (!entry || !canvas) {
        replayAt(p, canvas, place, scale, lines, drawn);
        return;
    }
    if (entry->size != place.size() || entry->highContrast != highContrast) {
        entry->image = QImage(place.size(), QImage::Format_RGB32);
        entry->image.fill(canvas->backColor());
        QPainter q(&entry->image);
        replayAt(q, canvas, QRect(QPoint(0, 0), place.size()), scale, lines,
                 QRect(QPoint(0, 0), place.size()));
        q.end();
        entry->revision = canvas->revision();
        entry->source = canvas->image().copy();
        entry->size = place.size();
        entry->highContrast = highContrast;
    } else if (entry->revision != canvas->revision()) {
        // Only where the canvas changed since (a graph gaining a point).
        const QRect local(QPoint(0, 0), place.size());
        const QRect redrawn = screenArea(takeChanges(entry->source, canvas->image()), local, scale);
        if (!redrawn.isEmpty()) {
            QPainter q(&entry->image);
            q.setClipRect(redrawn);
            q.fillRect(redrawn, canvas->backColor());
            replayAt(q, canvas, local, scale, lines, redrawn);
        }
        entry->revision = canvas->revision();
    }
    const QRect part = drawn & place;
    p.drawImage(part.topLeft(), entry->image, part.translated(-place.topLeft()));
}

}  // namespace

void drawProjection(QPainter& p, const QSize& screen, const ProjectionLayout& l,
                    const ProjectionContent& c, bool highContrast, const QRect& area,
                    ProjectionCache* cache) {
    const QRect whole(QPoint(0, 0), screen);
    const QRect drawn = area.isEmpty() ? whole : area & whole;
    // Each picture covers its whole place: the ground only shows around them.
    const bool covered =
        l.scene.contains(drawn) || l.graph.contains(drawn) || l.readouts.contains(drawn);
    if (!covered && highContrast) p.fillRect(drawn, Qt::white);
    if (!covered && !highContrast) {
        // The main window's ground: white at the top to a light khaki at the bottom.
        QLinearGradient ground(0, 0, 0, screen.height());
        ground.setColorAt(0, QColor(255, 255, 255));
        ground.setColorAt(1, QColor(200, 200, 180));
        p.fillRect(drawn, ground);
    }
    const Canvas::Lines lines = highContrast ? Canvas::Lines::Thick : Canvas::Lines::OneUnit;
    if (drawn.intersects(l.graph))
        drawCached(p, c.graph, l.graph, l.scale,
                   highContrast ? Canvas::Lines::Thick : Canvas::Lines::Thin, drawn, highContrast,
                   cache ? &cache->graph : nullptr);
    if (drawn.intersects(l.scene))
        replayAt(p, c.scene, l.scene, l.scale, lines, drawn, cache ? &cache->scene : nullptr);
    if (highContrast) {
        p.setPen(QPen(Qt::black, std::max(2.0, 2 * l.scale)));
        p.setBrush(Qt::NoBrush);
        for (const QRect& r : {l.graph, l.scene})
            if (drawn.intersects(r.adjusted(-8, -8, 8, 8))) p.drawRect(r);
    }
    if (!drawn.intersects(l.readouts)) return;
    drawCached(p, c.readouts, l.readouts, l.scale, lines, drawn, highContrast,
               cache ? &cache->readouts : nullptr);

    // The readout labels: white on black as in the window, or black on white, larger.
    p.save();
    p.translate(l.readouts.topLeft());
    p.scale(l.scale, l.scale);
    const auto rects = readoutLabelRects();
    QFont font = Canvas::makeFont(QStringLiteral("Arial"), highContrast ? 10 : 8.25, true);
    p.setFont(font);
    const QRectF units = p.transform().inverted().mapRect(QRectF(drawn));
    for (int i = 0; i < ReadoutCount; ++i) {
        const QRect r = rects[size_t(i)];
        if (!units.intersects(QRectF(r).adjusted(-2, -2, 2, 2))) continue;
        p.fillRect(r, highContrast ? Qt::white : Qt::black);
        if (highContrast) {
            p.setPen(QPen(Qt::black, 1.5));
            p.drawRect(QRectF(r).adjusted(0.75, 0.75, -0.75, -0.75));
        }
        p.setPen(highContrast ? Qt::black : Qt::white);
        p.drawText(QRectF(r).adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                   c.values[size_t(i)]);
    }
    p.restore();
}

}  // namespace ondalis
