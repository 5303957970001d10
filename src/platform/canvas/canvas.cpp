#include "canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace ondalis {

namespace {

int px(double v) { return int(std::lround(v)); }

QPen makePen(const QColor& c, int width) {
    QPen pen(c);
    pen.setWidth(width);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Arc angles in sixteenths of a degree, as a painter takes them.
std::pair<int, int> arcAngles(double start, double end) {
    double span = end - start;
    if (span <= 0) span += 2 * M_PI;
    return {int(std::lround(start * 180.0 / M_PI * 16)),
            int(std::lround(span * 180.0 / M_PI * 16))};
}

QRect spanning(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(px(std::min(x1, x2)), px(std::min(y1, y2))),
                 QPoint(px(std::max(x1, x2)), px(std::max(y1, y2))));
}

// Not QRect::normalized(): with the corners swapped it drops the first and last pixels.
QRect corners(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(std::min(px(x1), px(x2)), std::min(px(y1), px(y2))),
                 QPoint(std::max(px(x1), px(x2)), std::max(px(y1), px(y2))));
}

// Whether `region` covers all of `r` (QRegion::contains tells only whether they overlap).
// A region's rectangles come in bands of rows, from the top, and touching rectangles of a band
// are one: `r` is covered when the bands that hold a rectangle spanning its columns reach over
// all its rows without a gap. (Without making a region: this runs for every drawing call.)
bool covers(const QRegion& region, const QRect& r) {
    if (r.isEmpty()) return true;
    if (!region.boundingRect().contains(r)) return false;
    int coveredTo = r.top() - 1;  // the last row covered so far
    for (const QRect& part : region) {
        if (part.top() > coveredTo + 1) break;
        if (part.bottom() <= coveredTo || part.left() > r.left() || part.right() < r.right())
            continue;
        coveredTo = part.bottom();
        if (coveredTo >= r.bottom()) return true;
    }
    return false;
}

void strokeLine(QPainter& p, QPoint a, QPoint b, const QColor& c, int width) {
    p.setPen(makePen(c, width));
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
}

}  // namespace

// --- The record.
//
// One item per drawing call since the last full clear, in units. A partial clear is an item that
// lays the back colour and the persistent picture (itself a record) over its area; the items it
// hides entirely are dropped, so that an animation that clears where it moves keeps a record of
// about one frame. The segments of a curve join into polylines.

struct Canvas::Item {
    enum Kind : quint8 {
        Clear,
        Fill,
        Line,
        Polyline,
        Outline,
        Arc,
        Point,
        Points,
        Text,
        Image,
        Sub
    };
    Kind kind;
    quint8 width = 1;
    QRgb colour = 0;
    QRect bounds;  // the units the item may touch
    double g[6] = {};
    // Text, image, pixels or polyline.
    struct Payload {
        QString text;
        QFont font;
        QImage image;
        QRect source;
        std::vector<QPoint> points;
    };
    std::shared_ptr<Payload> payload;
    std::shared_ptr<const Record> record;  // the picture of a clear, the record laid over
};

struct Canvas::Record {
    std::vector<Item> items;
    QSize size;
    bool complete = true;
};

struct Canvas::Recorder {
    std::vector<Item> items;
    bool complete = true;
    std::shared_ptr<const Record> picture;  // the persistent picture, as a record
    // Partial clears in a row: the items before them that they hide are dropped once they end.
    size_t runStart = 0;
    bool inRun = false;
    QRegion runCleared;
    size_t compactAt = 1024;
    std::vector<Item> spare;  // room for the items kept, from one run to the next

    void endRun();
    void compact();
    // A new item at the end, made in place (the drawing calls of an animation frame add dozens).
    Item& add(Item::Kind kind, const QRect& bounds, QRgb colour, int width) {
        endRun();
        if (items.size() + 1 >= compactAt) compact();
        Item& item = items.emplace_back();
        item.kind = kind;
        item.width = quint8(std::min(width, 255));
        item.colour = colour;
        item.bounds = bounds;
        return item;
    }
    std::shared_ptr<const Record> snapshot(QSize size);
};

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

void Canvas::drawRecord(const std::shared_ptr<const Record>& r, const QRect& area) {
    if (!r) return;
    ensureImageSize();
    const QRect inside = area & QRect(QPoint(0, 0), r->size);
    if (inside.isEmpty()) return;
    if (records()) {
        Item item = shape(Item::Sub, inside, Qt::black);
        item.record = r;
        record(std::move(item));
    }
    if (drawsImage()) {
        paint(inside, [&](QPainter& p) {
            p.save();
            p.setClipRect(inside, Qt::IntersectClip);
            if (r->complete) replay(p, r->items, inside, false);
            p.restore();
        });
    } else {
        ++revision_;
        changed(inside);
    }
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

void Canvas::replay(QPainter& p, const std::vector<Item>& items, const QRect& area, bool thin) {
    for (const Item& it : items) {
        if (!it.bounds.intersects(area)) continue;
        const QColor colour = QColor::fromRgba(it.colour);
        switch (it.kind) {
            case Item::Clear:
            case Item::Sub: {
                if (it.kind == Item::Clear) p.fillRect(QRectF(it.bounds), colour);
                if (!it.record || !it.record->complete) break;
                p.save();
                p.setClipRect(it.bounds, Qt::IntersectClip);
                replay(p, it.record->items, it.bounds & area, thin);
                p.restore();
                break;
            }
            case Item::Fill:
                p.fillRect(QRectF(it.bounds), colour);
                break;
            case Item::Line: {
                const QPoint a(int(it.g[0]), int(it.g[1])), b(int(it.g[2]), int(it.g[3]));
                if (it.width == 1 && !thin && (a.x() == b.x() || a.y() == b.y())) {
                    // Straight along a row or a column: exactly its pixels' squares.
                    p.fillRect(
                        QRectF(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))),
                        colour);
                } else {
                    setPen(p, it.colour, it.width, thin);
                    if (a == b)
                        p.drawPoint(centre(a.x(), a.y()));
                    else
                        p.drawLine(centre(a.x(), a.y()), centre(b.x(), b.y()));
                }
                break;
            }
            case Item::Polyline: {
                setPen(p, it.colour, it.width, thin);
                const std::vector<QPoint>& pts = it.payload->points;
                QVarLengthArray<QPointF, kPolylineChunk + 1> centres;
                for (const QPoint& q : pts) centres.append(centre(q.x(), q.y()));
                p.drawPolyline(centres.constData(), int(centres.size()));
                break;
            }
            case Item::Outline: {
                const QRect r(QPoint(int(it.g[0]), int(it.g[1])),
                              QPoint(int(it.g[2]), int(it.g[3])));
                if (it.width == 1 && !thin) {
                    p.fillRect(QRectF(QRect(r.topLeft(), QSize(r.width(), 1))), colour);
                    p.fillRect(QRectF(QRect(r.bottomLeft(), QSize(r.width(), 1))), colour);
                    p.fillRect(QRectF(QRect(r.topLeft(), QSize(1, r.height()))), colour);
                    p.fillRect(QRectF(QRect(r.topRight(), QSize(1, r.height()))), colour);
                } else {
                    setPen(p, it.colour, it.width, thin);
                    p.drawRect(QRectF(centre(r.left(), r.top()), centre(r.right(), r.bottom())));
                }
                break;
            }
            case Item::Arc: {
                setPen(p, it.colour, it.width, thin);
                const auto [start, span] = arcAngles(it.g[4], it.g[5]);
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
    replay(painter, recorder_->items, r, lines == Lines::Thin);
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

// --- The image.

Canvas::Canvas() : recorder_(std::make_unique<Recorder>()) {
    font_ = makeFont(QStringLiteral("Arial"), 8);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(backColor_);
    recordClear(image_.rect());
}

Canvas::~Canvas() = default;

QFont Canvas::makeFont(const QString& family, double points, bool bold, bool italic) {
    QString resolved = family;
    if (family == QLatin1String("Arial") || family == QLatin1String("MS Sans Serif"))
        resolved = QStringLiteral("Liberation Sans");
    else if (family == QLatin1String("Times New Roman"))
        resolved = QStringLiteral("Liberation Serif");
    else if (family == QLatin1String("Symbol") || family == QLatin1String("Wingdings"))
        resolved = QStringLiteral("DejaVu Sans");
    QFont f(resolved);
    f.setPixelSize(std::max(1, px(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

Canvas::State Canvas::saveState() const {
    return {curX_, curY_, foreColor_, drawWidth_, font_, fontFamily_, fontPoints_};
}

void Canvas::restoreState(const State& s) {
    curX_ = s.x;
    curY_ = s.y;
    foreColor_ = s.fore;
    drawWidth_ = s.width;
    font_ = s.font;
    fontFamily_ = s.family;
    fontPoints_ = s.points;
}

void Canvas::setImageSize(const QSize& size) {
    const QSize s = size.expandedTo(QSize(1, 1));
    if (image_.size() == s) return;
    batchPainter_.reset();  // a batch's painter would paint on the old image
    QImage next(s, QImage::Format_RGB32);
    next.fill(backColor_);
    QPainter p(&next);
    p.drawImage(0, 0, image_);
    p.end();
    // The record: the back colour everywhere, what was drawn within the old bounds over it.
    const std::shared_ptr<const Record> before = record();
    const QRect old = image_.rect();
    image_ = next;
    ++revision_;
    Recorder& r = *recorder_;
    r.items.clear();
    r.inRun = false;
    r.runCleared = QRegion();
    r.compactAt = 1024;
    Item fill = shape(Item::Fill, image_.rect(), backColor_);
    r.items.push_back(std::move(fill));
    if (before->complete) {
        Item sub = shape(Item::Sub, old, Qt::black);
        sub.record = before;
        r.items.push_back(std::move(sub));
        r.complete = true;
    } else {
        r.complete = false;
    }
}

void Canvas::ensureImageSize() {
    const QSize wanted = wantedImageSize();
    if (wanted != image_.size()) setImageSize(wanted);
}

uchar* Canvas::writableBits() {
    if (batchPainter_ && !image_.isDetached()) batchPainter_.reset();
    ++revision_;
    return image_.bits();
}

void Canvas::changed(const QRect& area) {
    if (!drawsImage()) return;  // told by the drawing into the image
    if (batchDepth_ == 0)
        imageChanged(area);
    else if (!covers(batchChanged_, area))
        batchChanged_ += area;
}

void Canvas::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    auto r = std::make_shared<Record>();
    r->size = picture_.size();
    Item item = shape(Item::Image, picture_.rect(), Qt::black);
    item.payload = std::make_shared<Item::Payload>();
    item.payload->image = picture_;
    item.payload->source = picture_.rect();
    r->items.push_back(std::move(item));
    recorder_->picture = std::move(r);
    ++revision_;
}

void Canvas::setPictureFromImage() {
    picture_ = image_.copy();
    std::shared_ptr<const Record> r = record();
    if (r->complete)
        recorder_->picture = std::move(r);
    else
        setPicture(picture_);
    ++revision_;
}

void Canvas::clearPicture() {
    picture_ = QImage();
    recorder_->picture = nullptr;
    ++revision_;
}

void Canvas::clear() {
    ensureImageSize();
    clear(image_.rect());
}

// Row by row: the picture where it reaches, the back colour beyond (both are opaque, so this
// is what filling and then laying the picture over gives).
void Canvas::clear(const QRect& area) {
    ensureImageSize();
    curX_ = 0;
    curY_ = 0;
    const QRect r = area & image_.rect();
    if (r.isEmpty()) return;
    if (records()) recordClear(r);
    if (!drawsImage()) {
        ++revision_;
        changed(r);
        return;
    }
    uchar* bits = writableBits();
    const qsizetype stride = image_.bytesPerLine();
    const QRgb back = backColor_.rgb();
    const QRect fromPicture = r & picture_.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
        int x = r.left();
        if (y >= fromPicture.top() && y <= fromPicture.bottom()) {
            std::fill(row + x, row + fromPicture.left(), back);
            const QRgb* source = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
            std::copy(source + fromPicture.left(), source + fromPicture.right() + 1,
                      row + fromPicture.left());
            x = fromPicture.right() + 1;
        }
        std::fill(row + x, row + r.right() + 1, back);
    }
    changed(r);
}

void Canvas::setBackColor(const QColor& c) {
    backColor_ = c;
    clear();
}

// Draws into the image and tells the change of the part that changed only.
template <typename F>
void Canvas::paint(const QRect& area, F&& f) {
    ensureImageSize();
    ++revision_;
    const int m = drawWidth_ + 1;
    if (!drawsImage()) {
        changed(area.normalized().adjusted(-m, -m, m, m));
        return;
    }
    if (batchDepth_ > 0) {
        if (batchPainter_ && !image_.isDetached()) batchPainter_.reset();
        if (!batchPainter_) {
            batchPainter_ = std::make_unique<QPainter>(&image_);
            batchPainter_->setRenderHint(QPainter::Antialiasing, false);
        }
        f(*batchPainter_);
    } else {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        f(p);
    }
    changed(area.normalized().adjusted(-m, -m, m, m));
}

Canvas::Batch::Batch(Canvas& canvas) : canvas_(canvas) { ++canvas_.batchDepth_; }

Canvas::Batch::~Batch() {
    if (--canvas_.batchDepth_ > 0) return;
    canvas_.batchPainter_.reset();
    if (!canvas_.batchChanged_.isEmpty()) canvas_.imageChanged(canvas_.batchChanged_);
    canvas_.batchChanged_ = QRegion();
}

const Canvas::Stroke& Canvas::stroke(QPoint delta) {
    const quint64 key = (quint64(quint16(delta.x())) << 32) | (quint64(quint16(delta.y())) << 16) |
                        quint64(quint16(drawWidth_));
    auto found = strokes_.constFind(key);
    if (found != strokes_.constEnd()) return *found;
    if (strokes_.size() >= 4096) strokes_.clear();

    // Drawn once in black on white, with room around for the line's width.
    const int m = drawWidth_ + 2;
    const QPoint a(m + std::max(0, -delta.x()), m + std::max(0, -delta.y()));
    QImage scratch(std::abs(delta.x()) + 2 * m + 1, std::abs(delta.y()) + 2 * m + 1,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter p(&scratch);
    p.setRenderHint(QPainter::Antialiasing, false);
    strokeLine(p, a, a + delta, Qt::black, drawWidth_);
    p.end();
    Stroke s;
    for (int y = 0; y < scratch.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] == 0xffffffff) continue;
            const int start = x;
            while (x + 1 < scratch.width() && row[x + 1] != 0xffffffff) ++x;
            s.runs.push_back({y - a.y(), start - a.x(), x - a.x()});
            s.bounds |= QRect(QPoint(start, y), QPoint(x, y)).translated(-a);
        }
    }
    return *strokes_.insert(key, std::move(s));
}

// An opaque line well inside the image, from its runs; false for the others (a line cut by the
// image's edge is drawn by a painter, which clips slanted lines its own way).
bool Canvas::drawStroke(QPoint a, QPoint b, const QColor& c) {
    const int m = drawWidth_ + 2;
    if (c.alpha() != 255 || std::abs(b.x() - a.x()) > 4096 || std::abs(b.y() - a.y()) > 4096 ||
        !image_.rect().contains(QRect(a, b).normalized().adjusted(-m, -m, m, m)))
        return false;
    const Stroke& s = stroke(b - a);
    uchar* bits = writableBits();
    const qsizetype stride = image_.bytesPerLine();
    const QRgb rgb = c.rgb();
    for (const StrokeRun& r : s.runs) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + (a.y() + r.dy) * stride);
        std::fill(row + a.x() + r.x0, row + a.x() + r.x1 + 1, rgb);
    }
    changed(s.bounds.translated(a));
    return true;
}

// The outline of an opaque box at least two pixels wide and high, well inside the image, with
// a 1-pixel line: its first and last rows and columns.
bool Canvas::drawOutline(const QRect& r, const QColor& c) {
    if (c.alpha() != 255 || drawWidth_ != 1 || r.width() < 2 || r.height() < 2 ||
        !image_.rect().contains(r))
        return false;
    uchar* bits = writableBits();
    const qsizetype stride = image_.bytesPerLine();
    const QRgb rgb = c.rgb();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
        if (y == r.top() || y == r.bottom()) {
            std::fill(row + r.left(), row + r.right() + 1, rgb);
        } else {
            row[r.left()] = rgb;
            row[r.right()] = rgb;
        }
    }
    changed(r);
    return true;
}

void Canvas::line(double x1, double y1, double x2, double y2, const QColor& c) {
    const QPoint a(px(x1), px(y1));
    const QPoint b(px(x2), px(y2));
    ensureImageSize();
    if (records()) recordLine(a, b, c);
    if (drawsImage() && drawStroke(a, b, c)) return;
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) { strokeLine(p, a, b, c, drawWidth_); });
}

void Canvas::box(double x1, double y1, double x2, double y2, const QColor& c) {
    const QRect r = corners(x1, y1, x2, y2);
    ensureImageSize();
    if (records()) {
        const int m = drawWidth_ / 2;
        Item item = shape(Item::Outline, r.adjusted(-m, -m, m, m), c);
        item.g[0] = r.left();
        item.g[1] = r.top();
        item.g[2] = r.right();
        item.g[3] = r.bottom();
        record(std::move(item));
    }
    if (drawsImage() && drawOutline(r, c)) return;
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.setBrush(Qt::NoBrush);
        // An aliased 1-pixel outline of QRect(x, y, w, h) covers x .. x + w.
        p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    });
}

void Canvas::fillBox(double x1, double y1, double x2, double y2, const QColor& c) {
    const QRect r = corners(x1, y1, x2, y2);
    ensureImageSize();
    if (records()) record(shape(Item::Fill, r, c));
    if (c.alpha() == 255) {
        // An opaque box replaces the pixels: written straight into the image.
        const QRect inside = r & image_.rect();
        if (inside.isEmpty()) return;
        if (!drawsImage()) {
            ++revision_;
            changed(inside);
            return;
        }
        uchar* bits = writableBits();
        const qsizetype stride = image_.bytesPerLine();
        const QRgb rgb = c.rgb();
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(row + inside.left(), row + inside.right() + 1, rgb);
        }
        changed(inside);
        return;
    }
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) { p.fillRect(r, c); });
}

void Canvas::circle(double cx, double cy, double r, const QColor& c) {
    arc(cx, cy, r, r, 0, 2 * M_PI, c);
}

void Canvas::arc(double cx, double cy, double rx, double ry, double start, double end,
                 const QColor& c) {
    const QRect span = spanning(cx - rx, cy - ry, cx + rx, cy + ry);
    if (records() && recorder_->complete) {
        const int m = drawWidth_ / 2 + 1;  // the ends are rounded to pixels
        Item& item = recorder_->add(Item::Arc, span.adjusted(-m, -m, m, m), c.rgba(), drawWidth_);
        item.g[0] = cx;
        item.g[1] = cy;
        item.g[2] = rx;
        item.g[3] = ry;
        item.g[4] = start;
        item.g[5] = end;
    }
    if (!drawsImage()) {
        ++revision_;
        return;
    }
    paint(span, [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.setBrush(Qt::NoBrush);
        const QRectF bounds(cx - rx, cy - ry, 2 * rx, 2 * ry);
        const auto [startQt, spanQt] = arcAngles(start, end);
        p.drawArc(bounds, startQt, spanQt);
    });
}

void Canvas::point(double x, double y, const QColor& c) {
    if (records()) {
        const int m = drawWidth_ / 2;
        Item item = shape(Item::Point, QRect(px(x) - m, px(y) - m, 2 * m + 1, 2 * m + 1), c);
        item.g[0] = px(x);
        item.g[1] = px(y);
        record(std::move(item));
    }
    paint(spanning(x, y, x, y), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.drawPoint(px(x), px(y));
    });
}

void Canvas::points(std::span<const QPoint> pixels, const QColor& c) {
    if (pixels.empty()) return;
    ensureImageSize();
    int left = pixels.front().x(), right = left, top = pixels.front().y(), bottom = top;
    for (const QPoint& q : pixels) {
        left = std::min(left, q.x());
        right = std::max(right, q.x());
        top = std::min(top, q.y());
        bottom = std::max(bottom, q.y());
    }
    const QRect bounds(QPoint(left, top), QPoint(right, bottom));
    if (records()) {
        const int m = drawWidth_ / 2;
        Item item = shape(Item::Points, bounds.adjusted(-m, -m, m, m), c);
        item.payload = std::make_shared<Item::Payload>();
        item.payload->points.assign(pixels.begin(), pixels.end());
        record(std::move(item));
    }
    if (drawWidth_ == 1 && c.alpha() == 255) {
        if (!drawsImage()) {
            ++revision_;
            changed(bounds & image_.rect());
            return;
        }
        // Single opaque pixels: written straight into the image.
        const QRgb rgb = c.rgb();
        const int w = image_.width();
        const int h = image_.height();
        uchar* bits = writableBits();
        const qsizetype stride = image_.bytesPerLine();
        for (const QPoint& q : pixels) {
            const int x = q.x(), y = q.y();
            if (unsigned(x) < unsigned(w) && unsigned(y) < unsigned(h))
                reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
        }
        changed(bounds & image_.rect());
        return;
    }
    paint(bounds, [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.drawPoints(pixels.data(), int(pixels.size()));
    });
}

void Canvas::points(std::span<const QPoint> pixels, const QColor& c, const QRect& bounds) {
    if (pixels.empty()) return;
    if (drawWidth_ != 1 || c.alpha() != 255 || records()) {
        points(pixels, c);
        return;
    }
    ensureImageSize();
    if (!drawsImage()) return;
    const QRgb rgb = c.rgb();
    const unsigned w = unsigned(image_.width());
    const unsigned h = unsigned(image_.height());
    uchar* bits = writableBits();
    const qsizetype stride = image_.bytesPerLine();
    for (const QPoint& q : pixels) {
        Q_ASSERT(bounds.contains(q));
        if (unsigned(q.x()) < w && unsigned(q.y()) < h)
            reinterpret_cast<QRgb*>(bits + q.y() * stride)[q.x()] = rgb;
    }
    changed(bounds & image_.rect());
}

void Canvas::drawImage(double x, double y, const QImage& picture) {
    drawImage(x, y, picture, picture.rect());
}

void Canvas::drawImage(double x, double y, const QImage& picture, const QRect& source) {
    const QRect part = source & picture.rect();
    if (part.isEmpty()) return;
    const QPoint at = QPoint(px(x), px(y)) + (part.topLeft() - source.topLeft());
    if (records()) {
        Item item = shape(Item::Image, QRect(at, part.size()), Qt::black);
        item.g[0] = at.x();
        item.g[1] = at.y();
        item.payload = std::make_shared<Item::Payload>();
        item.payload->image = picture;
        item.payload->source = part;
        record(std::move(item));
    }
    paint(QRect(at, part.size()), [&](QPainter& p) { p.drawImage(at, picture, part); });
}

void Canvas::setFont(const QString& family, double points, bool bold, bool italic) {
    // The animation sets the same font at every tick: keep the one made already.
    if (fontFamily_ == family && fontPoints_ == points && font_.bold() == bold &&
        font_.italic() == italic)
        return;
    font_ = makeFont(family, points, bold, italic);
    fontFamily_ = family;
    fontPoints_ = points;
}

void Canvas::setFontBold(bool bold) { font_.setBold(bold); }
void Canvas::setFontItalic(bool italic) { font_.setItalic(italic); }
void Canvas::setFontSize(double points) {
    fontPoints_ = -1;
    font_.setPixelSize(std::max(1, px(points * 96.0 / 72.0)));
}

void Canvas::print(const QString& text) {
    if (text.isEmpty()) return;
    const QFontMetrics metrics(font_);
    const QRect area(px(curX_), px(curY_), metrics.horizontalAdvance(text) + 2, metrics.height());
    if (records()) {
        Item item = shape(Item::Text, area.adjusted(-2, -2, 2, 2), foreColor_);
        item.g[0] = px(curX_);
        item.g[1] = px(curY_) + metrics.ascent();
        item.payload = std::make_shared<Item::Payload>();
        item.payload->text = text;
        item.payload->font = font_;
        record(std::move(item));
    }
    paint(area, [&](QPainter& p) {
        p.setFont(font_);
        p.setPen(foreColor_);
        const QFontMetrics fm(font_);
        p.drawText(QPointF(px(curX_), px(curY_) + fm.ascent()), text);
    });
    curX_ += textWidth(text);
}

int Canvas::textWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::textHeight(const QString& text) const {
    Q_UNUSED(text);
    return QFontMetrics(font_).height();
}

}  // namespace ondalis
