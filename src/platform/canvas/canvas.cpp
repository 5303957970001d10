#include "platform/canvas/canvas.h"

#include "platform/canvas/canvas_p.h"

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

QRect spanning(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(px(std::min(x1, x2)), px(std::min(y1, y2))),
                 QPoint(px(std::max(x1, x2)), px(std::max(y1, y2))));
}

// Not QRect::normalized(): with the corners swapped it drops the first and last pixels.
QRect corners(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(std::min(px(x1), px(x2)), std::min(px(y1), px(y2))),
                 QPoint(std::max(px(x1), px(x2)), std::max(px(y1), px(y2))));
}

void strokeLine(QPainter& p, QPoint a, QPoint b, const QColor& c, int width) {
    p.setPen(makePen(c, width));
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
}

}  // namespace

namespace canvasdetail {

// Arc angles in sixteenths of a degree, as a painter takes them.
std::pair<int, int> arcAngles(double start, double end) {
    double span = end - start;
    if (span <= 0) span += 2 * M_PI;
    return {int(std::lround(start * 180.0 / M_PI * 16)),
            int(std::lround(span * 180.0 / M_PI * 16))};
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

}  // namespace canvasdetail

using canvasdetail::arcAngles;
using canvasdetail::covers;

// --- The image.

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
            if (r->complete) replay(p, r->items, inside, Lines::OneUnit);
            p.restore();
        });
    } else {
        ++revision_;
        changed(inside);
    }
}

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
