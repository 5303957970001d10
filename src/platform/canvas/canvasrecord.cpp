// The canvas's record of its drawing calls, and their replay at any scale onto any paint device.

#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/canvas/canvas_p.h"

namespace ondalis {

using canvasdetail::arcAngles;
using canvasdetail::covers;

namespace {
constexpr size_t kRecordLimit = 100000;  // items; beyond it render() enlarges the image
constexpr size_t kPolylineChunk = 256;   // points per polyline, so that clipping skips most
}  // namespace

// The items before the run that it hides are dropped; a clear or a laid record that it hides
// in part keeps only the part still shown (both are drawn within their bounds only).
void Canvas::Recorder::endRun() {
    if (!inRun) return;
    inRun = false;
    std::vector<Item>& kept = spare;
    kept.clear();
    const QRect reach = runCleared.boundingRect();
    for (size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        // The first item, a full clear, stays whole.
        if (i >= runStart || i == 0 || !item.bounds.intersects(reach)) {
            kept.push_back(std::move(item));
            continue;
        }
        if (covers(runCleared, item.bounds)) continue;
        if ((item.kind == Item::Clear || item.kind == Item::Sub) &&
            runCleared.intersects(item.bounds)) {
            const QRegion shown = QRegion(item.bounds) - runCleared;
            if (shown.rectCount() <= 4) {
                for (const QRect& part : shown) {
                    Item piece = item;
                    piece.bounds = part;
                    kept.push_back(std::move(piece));
                }
                continue;
            }
        }
        kept.push_back(std::move(item));
    }
    items.swap(kept);
    runCleared = QRegion();
}

// Drops every item that later clears and opaque boxes hide entirely.
void Canvas::Recorder::compact() {
    endRun();
    QRegion covered;
    std::vector<bool> hidden(items.size(), false);
    for (size_t i = items.size(); i-- > 0;) {
        const Item& item = items[i];
        if (covers(covered, item.bounds)) {
            hidden[i] = true;
            continue;
        }
        if (item.kind == Item::Clear || (item.kind == Item::Fill && qAlpha(item.colour) == 255))
            covered += item.bounds;
    }
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (hidden[i]) continue;
        if (kept != i) items[kept] = std::move(items[i]);
        ++kept;
    }
    items.resize(kept);
    if (items.size() > kRecordLimit) {
        items.clear();
        complete = false;
    }
    compactAt = std::max<size_t>(1024, 2 * items.size());
}

std::shared_ptr<const Canvas::Record> Canvas::Recorder::snapshot(QSize size) {
    endRun();
    auto r = std::make_shared<Record>();
    r->items = items;
    r->size = size;
    r->complete = complete;
    return r;
}

void Canvas::record(Item&& item) {
    Recorder& r = *recorder_;
    if (!r.complete) return;
    if (item.kind != Item::Clear) r.endRun();
    if (r.items.size() + 1 >= r.compactAt) r.compact();
    r.items.push_back(std::move(item));
}

void Canvas::recordClear(const QRect& area) {
    Recorder& r = *recorder_;
    Item item;
    item.kind = Item::Clear;
    item.colour = backColor_.rgba();
    item.bounds = area;
    item.record = r.picture;
    if (area.contains(image_.rect())) {
        // A full clear starts the record again.
        r.items.clear();
        r.inRun = false;
        r.runCleared = QRegion();
        r.complete = true;
        r.compactAt = 1024;
        r.items.push_back(std::move(item));
        return;
    }
    if (!r.complete) return;
    if (!r.inRun) {
        r.inRun = true;
        r.runStart = r.items.size();
    }
    r.runCleared += area;
    r.items.push_back(std::move(item));
}

// The units a line of width w covers beyond the pixels of its path: a 1-unit line none, a wider
// one half its width (its round ends and sides).
//
// A segment that continues one of the last curves (same colour and width, starting where it
// ended, with only other segments drawn since) extends that curve: the curves of a recording
// are a few polylines, whatever the number of segments. Where two curves cross, the one drawn
// on top may then differ from the image's.
void Canvas::recordLine(QPoint a, QPoint b, const QColor& c) {
    Recorder& r = *recorder_;
    const int m = drawWidth_ / 2;
    const QRect bounds = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
                             .adjusted(-m, -m, m, m);
    const QRgb colour = c.rgba();
    if (r.complete) {
        r.endRun();
        const size_t n = r.items.size();
        for (size_t back = 1; back <= std::min<size_t>(n, 4); ++back) {
            Item& it = r.items[n - back];
            const bool joins =
                it.width == drawWidth_ && it.colour == colour &&
                ((it.kind == Item::Line && QPoint(int(it.g[2]), int(it.g[3])) == a) ||
                 (it.kind == Item::Polyline && it.payload->points.back() == a &&
                  it.payload->points.size() < kPolylineChunk));
            if (joins) {
                if (a == b) return;  // the curve's end is drawn already
                if (it.kind == Item::Line) {
                    auto payload = std::make_shared<Item::Payload>();
                    payload->points = {QPoint(int(it.g[0]), int(it.g[1])), a};
                    it.payload = std::move(payload);
                    it.kind = Item::Polyline;
                } else if (it.payload.use_count() > 1) {
                    it.payload = std::make_shared<Item::Payload>(*it.payload);
                }
                it.payload->points.push_back(b);
                it.bounds |= bounds;
                return;
            }
            if (it.kind != Item::Line && it.kind != Item::Polyline) break;
        }
    }
    Item item;
    item.kind = Item::Line;
    item.width = quint8(std::min(drawWidth_, 255));
    item.colour = colour;
    item.bounds = bounds;
    item.g[0] = a.x();
    item.g[1] = a.y();
    item.g[2] = b.x();
    item.g[3] = b.y();
    record(std::move(item));
}

std::shared_ptr<const Canvas::Record> Canvas::record(bool withBackground) const {
    std::shared_ptr<const Record> r = recorder_->snapshot(image_.size());
    if (withBackground || r->items.empty() || r->items.front().kind != Item::Clear) return r;
    auto drawn = std::make_shared<Record>(*r);
    drawn->items.erase(drawn->items.begin());
    return drawn;
}

void Canvas::restartRecord() {
    if (!records()) return;
    Recorder& r = *recorder_;
    r.inRun = false;
    r.runCleared = QRegion();
    if (!r.complete || r.items.empty() || r.items.front().kind != Item::Clear ||
        r.items.front().bounds != image_.rect())
        return;  // not started by a full clear: kept as it is
    r.items.resize(1);
}

size_t Canvas::recordLength() const {
    recorder_->endRun();
    return recorder_->items.size();
}

bool Canvas::isScalable() const { return recorder_->complete; }

Canvas::Item Canvas::shape(int kind, const QRect& bounds, const QColor& c) const {
    Item item;
    item.kind = Item::Kind(kind);
    item.width = quint8(std::min(drawWidth_, 255));
    item.colour = c.rgba();
    item.bounds = bounds;
    return item;
}

// --- Replay. A unit pixel is the square [x, x + 1) × [y, y + 1) of the painter's coordinates;
// lines run through the centres of their end pixels, boxes cover their corner pixels.

namespace {

QPointF centre(double x, double y) { return QPointF(x + 0.5, y + 0.5); }

// A thin pen is one device pixel wide.
void setPen(QPainter& p, QRgb colour, int width, bool thin = false) {
    QPen pen(QColor::fromRgba(colour));
    pen.setWidthF(width);
    if (thin && width == 1) pen.setWidth(0);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

void Canvas::replay(QPainter& p, const std::vector<Item>& items, const QRect& area, Lines lines,
                    RenderCache* cache) {
    const bool thin = lines == Lines::Thin;
    const int widen = lines == Lines::Thick ? 2 : 1;
    for (const Item& it : items) {
        if (!it.bounds.intersects(area)) continue;
        const QColor colour = QColor::fromRgba(it.colour);
        switch (it.kind) {
            case Item::Clear:
            case Item::Sub: {
                if (cache && drawCached(p, it, lines, *cache)) break;
                if (it.kind == Item::Clear) p.fillRect(QRectF(it.bounds), colour);
                if (!it.record || !it.record->complete) break;
                p.save();
                p.setClipRect(it.bounds, Qt::IntersectClip);
                replay(p, it.record->items, it.bounds & area, lines);
                p.restore();
                break;
            }
            case Item::Fill:
                p.fillRect(QRectF(it.bounds), colour);
                break;
            case Item::Line: {
                const QPoint a(int(it.g[0]), int(it.g[1])), b(int(it.g[2]), int(it.g[3]));
                if (it.width * widen == 1 && !thin && (a.x() == b.x() || a.y() == b.y())) {
                    // Straight along a row or a column: exactly its pixels' squares.
                    p.fillRect(
                        QRectF(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))),
                        colour);
                } else {
                    setPen(p, it.colour, it.width * widen, thin);
                    if (a == b)
                        p.drawPoint(centre(a.x(), a.y()));
                    else
                        p.drawLine(centre(a.x(), a.y()), centre(b.x(), b.y()));
                }
                break;
            }
            case Item::Polyline: {
                setPen(p, it.colour, it.width * widen, thin);
                const std::vector<QPoint>& pts = it.payload->points;
                QVarLengthArray<QPointF, kPolylineChunk + 1> centres;
                for (const QPoint& q : pts) centres.append(centre(q.x(), q.y()));
                p.drawPolyline(centres.constData(), int(centres.size()));
                break;
            }
            case Item::Outline: {
                const QRect r(QPoint(int(it.g[0]), int(it.g[1])),
                              QPoint(int(it.g[2]), int(it.g[3])));
                if (it.width * widen == 1 && !thin) {
                    p.fillRect(QRectF(QRect(r.topLeft(), QSize(r.width(), 1))), colour);
                    p.fillRect(QRectF(QRect(r.bottomLeft(), QSize(r.width(), 1))), colour);
                    p.fillRect(QRectF(QRect(r.topLeft(), QSize(1, r.height()))), colour);
                    p.fillRect(QRectF(QRect(r.topRight(), QSize(1, r.height()))), colour);
                } else {
                    setPen(p, it.colour, it.width * widen, thin);
                    p.drawRect(QRectF(centre(r.left(), r.top()), centre(r.right(), r.bottom())));
                }
                break;
            }
            case Item::Arc: {
                const auto [start, span] = arcAngles(it.g[4], it.g[5]);
                if (cache) {
                    stampArc(p, it, start, span, lines, *cache);
                    break;
                }
                setPen(p, it.colour, it.width * widen, thin);
                p.drawArc(QRectF(centre(it.g[0] - it.g[2], it.g[1] - it.g[3]),
                                 QSizeF(2 * it.g[2], 2 * it.g[3])),
                          start, span);
                break;
            }
            case Item::Point:
                if (it.width == 1) {
                    p.fillRect(QRectF(it.g[0], it.g[1], 1, 1), colour);
                } else {
                    setPen(p, it.colour, it.width);
                    p.drawPoint(centre(it.g[0], it.g[1]));
                }
                break;
            case Item::Points:
                if (it.width == 1) {
                    for (const QPoint& q : it.payload->points)
                        p.fillRect(QRectF(q, QSizeF(1, 1)), colour);
                } else {
                    setPen(p, it.colour, it.width);
                    for (const QPoint& q : it.payload->points) p.drawPoint(centre(q.x(), q.y()));
                }
                break;
            case Item::Text:
                p.setFont(it.payload->font);
                p.setPen(colour);
                p.drawText(QPointF(it.g[0], it.g[1]), it.payload->text);
                break;
            case Item::Image:
                p.drawImage(QRectF(it.g[0], it.g[1], it.payload->source.width(),
                                   it.payload->source.height()),
                            it.payload->image, QRectF(it.payload->source));
                break;
        }
    }
}

void Canvas::render(QPainter& painter, const QRect& area, Lines lines) const {
    const QRect r = area & image_.rect();
    if (r.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!recorder_->complete) {
        painter.drawImage(QRectF(r), image_, QRectF(r));
        painter.restore();
        return;
    }
    recorder_->endRun();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(r, Qt::IntersectClip);
    replay(painter, recorder_->items, r, lines);
    painter.restore();
}

// --- The render cache.

struct Canvas::RenderCache::Entry {
    std::shared_ptr<const Record> record;
    QRgb ground = 0;           // a clear's colour under its picture
    bool opaque = false;       // a clear, else a record laid over
    QRect place;               // of the image, in device pixels
    QImage image;              // made the second time the drawing is met
    std::vector<QRect> inked;  // bands of the image with something drawn, in device pixels
};

// An arc drawn once at the cache's scale, its centre at `centre` in the image.
struct Canvas::RenderCache::Stamp {
    double rx, ry;
    int start, span, width;
    QRgb colour;
    QImage image;
    QPointF centre;
};

Canvas::RenderCache::RenderCache() = default;
Canvas::RenderCache::~RenderCache() = default;

int Canvas::RenderCache::imageCount() const {
    return int(std::count_if(entries_.begin(), entries_.end(),
                             [](const Entry& e) { return !e.image.isNull(); }));
}

namespace {

// The device pixels an aliased fill of `units` covers.
QRect devicePixels(const QTransform& t, const QRect& units) {
    const QRectF d = t.mapRect(QRectF(units));
    return QRect(QPoint(qRound(d.left()), qRound(d.top())),
                 QPoint(qRound(d.right()) - 1, qRound(d.bottom()) - 1));
}

void setRenderHints(QPainter& p) {
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

}  // namespace

bool Canvas::drawCached(QPainter& p, const Item& it, Lines lines, RenderCache& cache) {
    const std::shared_ptr<const Record>& r = it.record;
    if (!r || !r->complete || r->size.isEmpty()) return false;
    const bool opaque = it.kind == Item::Clear;
    const QRgb ground = opaque ? it.colour : 0;
    auto e = std::find_if(cache.entries_.begin(), cache.entries_.end(), [&](const auto& x) {
        return x.record == r && x.ground == ground && x.opaque == opaque;
    });
    if (e == cache.entries_.end()) {
        // Met once: perhaps a drawing of this render only.
        RenderCache::Entry entry;
        entry.record = r;
        entry.ground = ground;
        entry.opaque = opaque;
        cache.entries_.push_back(std::move(entry));
        return false;
    }
    const QTransform& t = cache.transform_;
    if (e->image.isNull()) {
        e->place = devicePixels(t, QRect(QPoint(0, 0), r->size));
        if (e->place.isEmpty()) return false;
        e->image = QImage(e->place.size(),
                          opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        e->image.fill(opaque ? QColor::fromRgba(ground) : QColor(Qt::transparent));
        QPainter q(&e->image);
        setRenderHints(q);
        q.setTransform(t * QTransform::fromTranslate(-e->place.x(), -e->place.y()));
        q.setClipRect(QRect(QPoint(0, 0), r->size));
        replay(q, r->items, QRect(QPoint(0, 0), r->size), lines);
        q.end();
        e->inked.clear();
        if (opaque) {
            e->inked.push_back(e->place);
        } else {
            // A layer laid over (a ruler) is mostly clear: only its bands with ink are drawn.
            constexpr int Band = 16;
            const int w = e->image.width();
            for (int y0 = 0; y0 < e->image.height(); y0 += Band) {
                const int y1 = std::min(e->image.height(), y0 + Band);
                int left = w, right = -1;
                for (int y = y0; y < y1; ++y) {
                    const auto* row = reinterpret_cast<const QRgb*>(e->image.constScanLine(y));
                    int x = 0;
                    while (x < left && qAlpha(row[x]) == 0) ++x;
                    left = std::min(left, x);
                    x = w - 1;
                    while (x > right && qAlpha(row[x]) == 0) --x;
                    right = std::max(right, x);
                }
                if (right >= left)
                    e->inked.push_back(QRect(QPoint(left, y0), QPoint(right, y1 - 1))
                                           .translated(e->place.topLeft()));
            }
        }
    }
    const QRect target = devicePixels(t, it.bounds) & e->place;
    if (target.isEmpty()) return true;
    p.save();
    p.resetTransform();
    for (const QRect& band : e->inked) {
        const QRect part = target & band;
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), e->image, part.translated(-e->place.topLeft()));
    }
    p.restore();
    return true;
}

// The coils of a spring are many arcs of one shape: each is stroked once and copied, to the
// nearest device pixel.
void Canvas::stampArc(QPainter& p, const Item& it, int start, int span, Lines lines,
                      RenderCache& cache) {
    const QTransform& t = cache.transform_;
    const int width = it.width * (lines == Lines::Thick ? 2 : 1);
    auto s = std::find_if(cache.stamps_.begin(), cache.stamps_.end(), [&](const auto& x) {
        return x.rx == it.g[2] && x.ry == it.g[3] && x.start == start && x.span == span &&
               x.width == width && x.colour == it.colour;
    });
    if (s == cache.stamps_.end()) {
        RenderCache::Stamp stamp{it.g[2], it.g[3], start, span, width, it.colour, {}, {}};
        const QRectF box(-it.g[2], -it.g[3], 2 * it.g[2], 2 * it.g[3]);
        const double margin = width + 1;
        const QRectF reach = QTransform::fromScale(t.m11(), t.m22())
                                 .mapRect(box.adjusted(-margin, -margin, margin, margin));
        stamp.image = QImage(int(std::ceil(reach.width())), int(std::ceil(reach.height())),
                             QImage::Format_ARGB32_Premultiplied);
        stamp.image.fill(Qt::transparent);
        stamp.centre = -reach.topLeft();
        QPainter q(&stamp.image);
        setRenderHints(q);
        q.translate(stamp.centre);
        q.scale(t.m11(), t.m22());
        setPen(q, it.colour, width, lines == Lines::Thin);
        q.drawArc(box, start, span);
        q.end();
        cache.stamps_.push_back(std::move(stamp));
        s = cache.stamps_.end() - 1;
    }
    const QPointF c = t.map(centre(it.g[0], it.g[1])) - s->centre;
    p.save();
    p.resetTransform();
    p.drawImage(QPoint(qRound(c.x()), qRound(c.y())), s->image);
    p.restore();
}

void Canvas::render(QPainter& painter, const QRect& area, Lines lines, RenderCache& cache) const {
    const QTransform t = painter.transform();
    if (!recorder_->complete || t.type() > QTransform::TxScale || t != painter.deviceTransform()) {
        render(painter, area, lines);
        return;
    }
    const QRect r = area & image_.rect();
    if (r.isEmpty()) return;
    recorder_->endRun();
    if (cache.transform_ != t || cache.lines_ != lines) {
        cache.entries_.clear();
        cache.transform_ = t;
        cache.lines_ = lines;
    }
    cache.stamps_.clear();
    // The drawings no longer in the record are forgotten.
    const std::vector<Item>& items = recorder_->items;
    std::erase_if(cache.entries_, [&](const RenderCache::Entry& e) {
        return std::none_of(items.begin(), items.end(),
                            [&](const Item& it) { return it.record == e.record; });
    });
    painter.save();
    setRenderHints(painter);
    painter.setClipRect(r, Qt::IntersectClip);
    replay(painter, items, r, lines, &cache);
    painter.restore();
}

QImage Canvas::scaledImage(double scale, Lines lines) const {
    const QSize size(int(std::ceil(image_.width() * scale)),
                     int(std::ceil(image_.height() * scale)));
    QImage out(size, QImage::Format_RGB32);
    out.fill(backColor_);
    QPainter p(&out);
    p.scale(scale, scale);
    render(p, image_.rect(), lines);
    p.end();
    return out;
}

}  // namespace ondalis
