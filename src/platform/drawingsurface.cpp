#include "drawingsurface.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
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

// A described surface reads as a graphic whose description follows what it shows.
class DrawingSurfaceAccessible : public QAccessibleWidget {
public:
    explicit DrawingSurfaceAccessible(DrawingSurface* s) : QAccessibleWidget(s) {}
    const DrawingSurface* surface() const { return static_cast<const DrawingSurface*>(widget()); }
    QAccessible::Role role() const override {
        return surface()->isDescribed() ? QAccessible::Graphic : QAccessibleWidget::role();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) return surface()->description();
        return QAccessibleWidget::text(t);
    }
};

// Only plain surfaces: the controls built on a surface keep their own interfaces.
QAccessibleInterface* drawingSurfaceFactory(const QString&, QObject* object) {
    if (object && object->metaObject() == &DrawingSurface::staticMetaObject)
        return new DrawingSurfaceAccessible(static_cast<DrawingSurface*>(object));
    return nullptr;
}

}  // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(drawingSurfaceFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    font_ = makeFont(QStringLiteral("Arial"), 8);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(backColor_);
}

DrawingSurface::~DrawingSurface() = default;

QFont DrawingSurface::makeFont(const QString& family, double points, bool bold, bool italic) {
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

void DrawingSurface::setSurfaceSize(int w, int h) {
    resize(w, h);
    ensureImageSize();
}

void DrawingSurface::ensureImageSize() {
    const QSize s = size().expandedTo(QSize(1, 1));
    if (image_.size() == s) return;
    batchPainter_.reset();  // a batch's painter would paint on the old image
    QImage next(s, QImage::Format_RGB32);
    next.fill(backColor_);
    QPainter p(&next);
    p.drawImage(0, 0, image_);
    p.end();
    image_ = next;
    ++revision_;
}

uchar* DrawingSurface::writableBits() {
    if (batchPainter_ && !image_.isDetached()) batchPainter_.reset();
    ++revision_;
    return image_.bits();
}

void DrawingSurface::changed(const QRect& area) {
    if (batchDepth_ == 0)
        update(area);
    else if (!batchChanged_.contains(area))
        batchChanged_ += area;
}

void DrawingSurface::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    ++revision_;
}

void DrawingSurface::setPictureFromImage() {
    picture_ = image_.copy();
    ++revision_;
}

void DrawingSurface::clearPicture() {
    picture_ = QImage();
    ++revision_;
}

void DrawingSurface::clear() {
    ensureImageSize();
    clear(image_.rect());
}

// Row by row: the picture where it reaches, the back colour beyond (both are opaque, so this
// is what filling and then laying the picture over gives).
void DrawingSurface::clear(const QRect& area) {
    ensureImageSize();
    curX_ = 0;
    curY_ = 0;
    const QRect r = area & image_.rect();
    if (r.isEmpty()) return;
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

void DrawingSurface::setBackColor(const QColor& c) {
    backColor_ = c;
    clear();
}

// Draws into the image and schedules a repaint of the part that changed only.
template <typename F>
void DrawingSurface::paint(const QRect& area, F&& f) {
    ensureImageSize();
    ++revision_;
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
    const int m = drawWidth_ + 1;
    changed(area.normalized().adjusted(-m, -m, m, m));
}

DrawingSurface::Batch::Batch(DrawingSurface& surface) : surface_(surface) {
    ++surface_.batchDepth_;
}

DrawingSurface::Batch::~Batch() {
    if (--surface_.batchDepth_ > 0) return;
    surface_.batchPainter_.reset();
    if (!surface_.batchChanged_.isEmpty()) surface_.update(surface_.batchChanged_);
    surface_.batchChanged_ = QRegion();
}

namespace {
QRect spanning(double x1, double y1, double x2, double y2) {
    return QRect(QPoint(px(std::min(x1, x2)), px(std::min(y1, y2))),
                 QPoint(px(std::max(x1, x2)), px(std::max(y1, y2))));
}
}  // namespace

namespace {

void strokeLine(QPainter& p, QPoint a, QPoint b, const QColor& c, int width) {
    p.setPen(makePen(c, width));
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
}

}  // namespace

const DrawingSurface::Stroke& DrawingSurface::stroke(QPoint delta) {
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
bool DrawingSurface::drawStroke(QPoint a, QPoint b, const QColor& c) {
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
bool DrawingSurface::drawOutline(const QRect& r, const QColor& c) {
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

void DrawingSurface::line(double x1, double y1, double x2, double y2, const QColor& c) {
    const QPoint a(px(x1), px(y1));
    const QPoint b(px(x2), px(y2));
    ensureImageSize();
    if (drawStroke(a, b, c)) return;
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) { strokeLine(p, a, b, c, drawWidth_); });
}

void DrawingSurface::box(double x1, double y1, double x2, double y2, const QColor& c) {
    // Not QRect::normalized(): with the corners swapped it drops the first and last pixels.
    const QRect r(QPoint(std::min(px(x1), px(x2)), std::min(px(y1), px(y2))),
                  QPoint(std::max(px(x1), px(x2)), std::max(px(y1), px(y2))));
    ensureImageSize();
    if (drawOutline(r, c)) return;
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.setBrush(Qt::NoBrush);
        // An aliased 1-pixel outline of QRect(x, y, w, h) covers x .. x + w.
        p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    });
}

void DrawingSurface::fillBox(double x1, double y1, double x2, double y2, const QColor& c) {
    // Not QRect::normalized(): with the corners swapped it drops the first and last pixels.
    const QRect r(QPoint(std::min(px(x1), px(x2)), std::min(px(y1), px(y2))),
                  QPoint(std::max(px(x1), px(x2)), std::max(px(y1), px(y2))));
    if (c.alpha() == 255) {
        // An opaque box replaces the pixels: written straight into the image.
        ensureImageSize();
        const QRect inside = r & image_.rect();
        if (!inside.isEmpty()) {
            uchar* bits = writableBits();
            const qsizetype stride = image_.bytesPerLine();
            const QRgb rgb = c.rgb();
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
                std::fill(row + inside.left(), row + inside.right() + 1, rgb);
            }
            changed(inside);
        }
        return;
    }
    paint(spanning(x1, y1, x2, y2), [&](QPainter& p) { p.fillRect(r, c); });
}

void DrawingSurface::circle(double cx, double cy, double r, const QColor& c) {
    arc(cx, cy, r, r, 0, 2 * M_PI, c);
}

void DrawingSurface::arc(double cx, double cy, double rx, double ry, double start, double end,
                         const QColor& c) {
    paint(spanning(cx - rx, cy - ry, cx + rx, cy + ry), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.setBrush(Qt::NoBrush);
        const QRectF bounds(cx - rx, cy - ry, 2 * rx, 2 * ry);
        double span = end - start;
        if (span <= 0) span += 2 * M_PI;
        const int startQt = int(std::lround(start * 180.0 / M_PI * 16));
        const int spanQt = int(std::lround(span * 180.0 / M_PI * 16));
        p.drawArc(bounds, startQt, spanQt);
    });
}

void DrawingSurface::point(double x, double y, const QColor& c) {
    paint(spanning(x, y, x, y), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.drawPoint(px(x), px(y));
    });
}

void DrawingSurface::points(std::span<const QPoint> pixels, const QColor& c) {
    if (pixels.empty()) return;
    ensureImageSize();
    int left = pixels.front().x(), right = left, top = pixels.front().y(), bottom = top;
    if (drawWidth_ == 1 && c.alpha() == 255) {
        // Single opaque pixels: written straight into the image.
        const QRgb rgb = c.rgb();
        const int w = image_.width();
        const int h = image_.height();
        uchar* bits = writableBits();
        const qsizetype stride = image_.bytesPerLine();
        for (const QPoint& q : pixels) {
            const int x = q.x(), y = q.y();
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            if (unsigned(x) < unsigned(w) && unsigned(y) < unsigned(h))
                reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
        }
        changed(QRect(QPoint(left, top), QPoint(right, bottom)) & image_.rect());
        return;
    }
    for (const QPoint& q : pixels) {
        left = std::min(left, q.x());
        right = std::max(right, q.x());
        top = std::min(top, q.y());
        bottom = std::max(bottom, q.y());
    }
    paint(QRect(QPoint(left, top), QPoint(right, bottom)), [&](QPainter& p) {
        p.setPen(makePen(c, drawWidth_));
        p.drawPoints(pixels.data(), int(pixels.size()));
    });
}

void DrawingSurface::points(std::span<const QPoint> pixels, const QColor& c, const QRect& bounds) {
    if (pixels.empty()) return;
    if (drawWidth_ != 1 || c.alpha() != 255) {
        points(pixels, c);
        return;
    }
    ensureImageSize();
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

void DrawingSurface::drawImage(double x, double y, const QImage& picture) {
    paint(QRect(QPoint(px(x), px(y)), picture.size()),
          [&](QPainter& p) { p.drawImage(QPoint(px(x), px(y)), picture); });
}

void DrawingSurface::drawImage(double x, double y, const QImage& picture, const QRect& source) {
    const QRect part = source & picture.rect();
    if (part.isEmpty()) return;
    const QPoint at = QPoint(px(x), px(y)) + (part.topLeft() - source.topLeft());
    paint(QRect(at, part.size()), [&](QPainter& p) { p.drawImage(at, picture, part); });
}

void DrawingSurface::setFont(const QString& family, double points, bool bold, bool italic) {
    // The animation sets the same font at every tick: keep the one made already.
    if (fontFamily_ == family && fontPoints_ == points && font_.bold() == bold &&
        font_.italic() == italic)
        return;
    font_ = makeFont(family, points, bold, italic);
    fontFamily_ = family;
    fontPoints_ = points;
}

void DrawingSurface::setFontBold(bool bold) { font_.setBold(bold); }
void DrawingSurface::setFontItalic(bool italic) { font_.setItalic(italic); }
void DrawingSurface::setFontSize(double points) {
    fontPoints_ = -1;
    font_.setPixelSize(std::max(1, px(points * 96.0 / 72.0)));
}

void DrawingSurface::print(const QString& text) {
    if (text.isEmpty()) return;
    const QFontMetrics metrics(font_);
    const QRect area(px(curX_), px(curY_), metrics.horizontalAdvance(text) + 2, metrics.height());
    paint(area, [&](QPainter& p) {
        p.setFont(font_);
        p.setPen(foreColor_);
        const QFontMetrics fm(font_);
        p.drawText(QPointF(px(curX_), px(curY_) + fm.ascent()), text);
    });
    curX_ += textWidth(text);
}

int DrawingSurface::textWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

int DrawingSurface::textHeight(const QString& text) const {
    Q_UNUSED(text);
    return QFontMetrics(font_).height();
}

void DrawingSurface::refreshNow() { repaint(); }

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    for (const QRect& r : event->region()) {
        const QRect area = r & image_.rect();
        if (!area.isEmpty()) p.drawImage(area.topLeft(), image_, area);
    }
    if (image_.width() < width() || image_.height() < height()) {
        p.fillRect(QRect(image_.width(), 0, width() - image_.width(), height()), backColor_);
        p.fillRect(QRect(0, image_.height(), width(), height() - image_.height()), backColor_);
    }
}

void DrawingSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureImageSize();
    emit resized();
}

void DrawingSurface::mousePressEvent(QMouseEvent* e) {
    emit mousePressed(e->button(), e->buttons(), px(e->position().x()), px(e->position().y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMoved(e->buttons(), px(e->position().x()), px(e->position().y()));
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseReleased(e->button(), e->buttons(), px(e->position().x()), px(e->position().y()));
}

}  // namespace ondalis
