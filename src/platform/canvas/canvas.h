#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QTransform>
#include <memory>
#include <span>
#include <vector>

class QPainter;

namespace ondalis {

// A drawing that keeps a persistent image of everything drawn on it, without a window: the
// image is what gets shown, copied and printed. A persistent picture may be set; clear()
// returns the image to it (or to the back colour when none).
//
// Coordinates are units of the drawing, origin top-left, y downwards. In the image one unit is
// one pixel and every operation is aliased and pixel-exact: lines include both end points, boxes
// include both corners. Text is written at a current position, which advances past each piece.
//
// The calls since the last full clear are also kept as a compact record, which render() draws
// at any scale onto any paint device: lines and arcs at the device's resolution, text in real
// fonts at the scaled size.
class Canvas {
public:
    Canvas();
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const QImage& image() const { return image_; }
    int imageWidth() const { return image_.width(); }
    int imageHeight() const { return image_.height(); }

    // Persistent picture.
    void setPicture(const QImage& picture);
    void setPictureFromImage();
    void clearPicture();
    const QImage& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    void clear();
    // Clears `area` only, as clear() clears the whole image: the area returns to the persistent
    // picture (the back colour where there is none) and the current position to the top-left
    // corner; the rest of the image stays as it is.
    void clear(const QRect& area);

    // Changes whenever the image or the persistent picture changes, so that a caller who noted
    // it can tell whether anything was drawn since.
    quint64 revision() const { return revision_; }

    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& c);  // also clears, like a picture box does
    QColor foreColor() const { return foreColor_; }
    void setForeColor(const QColor& c) { foreColor_ = c; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }

    void line(double x1, double y1, double x2, double y2, const QColor& c);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }
    void box(double x1, double y1, double x2, double y2, const QColor& c);
    void fillBox(double x1, double y1, double x2, double y2, const QColor& c);
    void circle(double cx, double cy, double r, const QColor& c);
    // Elliptical arc with semi-axes rx, ry; angles in radians, counter-clockwise from +x.
    void arc(double cx, double cy, double rx, double ry, double start, double end, const QColor& c);
    void point(double x, double y, const QColor& c);
    // Many pixels in one colour at once, each as point() colours it: for curves traced pixel
    // by pixel.
    void points(const QList<QPoint>& pixels, const QColor& c) {
        points(std::span<const QPoint>(pixels.constData(), size_t(pixels.size())), c);
    }
    void points(std::span<const QPoint> pixels, const QColor& c);
    // The same, for pixels the caller knows to lie within `bounds` (which only the repaint uses).
    void points(std::span<const QPoint> pixels, const QColor& c, const QRect& bounds);
    // Lays a picture (with its transparency) over the image, its top-left corner at (x, y).
    void drawImage(double x, double y, const QImage& picture);
    // Lays the part `source` of a picture over the image, its top-left corner at (x, y).
    void drawImage(double x, double y, const QImage& picture, const QRect& source);

    // While a Batch lives, the drawing operations share one painter, and the change is told
    // once, when the batch ends, for the area covering all of them.
    class Batch {
    public:
        explicit Batch(Canvas& canvas);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Canvas& canvas_;
    };

    // Text. Sizes are in points at 96 dots per inch (8 points is 11 pixels).
    void setFont(const QString& family, double points, bool bold = false, bool italic = false);
    void setFontBold(bool bold);
    void setFontItalic(bool italic);
    void setFontSize(double points);
    const QFont& textFont() const { return font_; }
    double currentX() const { return curX_; }
    double currentY() const { return curY_; }
    void setCurrentX(double x) { curX_ = x; }
    void setCurrentY(double y) { curY_ = y; }
    void moveTo(double x, double y) {
        curX_ = x;
        curY_ = y;
    }
    // Writes text with its top-left corner at the current position, in the fore colour, then
    // moves the current x past it.
    void print(const QString& text);
    void printAt(double x, double y, const QString& text) {
        moveTo(x, y);
        print(text);
    }
    int textWidth(const QString& text) const;
    int textHeight(const QString& text = QStringLiteral("W")) const;

    // Maps program font names to installed fonts: "Arial" and "MS Sans Serif" to a sans serif,
    // "Times New Roman" to a serif, "Symbol" and "Wingdings" to a font with the Unicode symbols.
    static QFont makeFont(const QString& family, double points, bool bold = false,
                          bool italic = false);

    // Resizes the image; what was drawn stays at the top-left, the rest takes the back colour.
    void setImageSize(const QSize& size);

    // --- The drawing at other scales.

    // How lines one unit wide are drawn at other scales: one unit wide, as the image has them
    // but with edges and steps at the device's resolution (what areas painted with adjacent
    // lines, like a bevel or a gradient, need); or thin, one device pixel wide whatever the
    // scale (for drawings of separate lines, like the graph); or thick, every line twice its
    // width (for a drawing seen from afar).
    enum class Lines { OneUnit, Thin, Thick };
    // Draws what the image shows onto `painter`, one unit of the canvas being one unit of the
    // painter's coordinates: the painter's transform, or its device's pixel ratio, gives the
    // scale. Only what touches `area` (in units) is drawn.
    void render(QPainter& painter, const QRect& area, Lines lines = Lines::OneUnit) const;
    void render(QPainter& painter) const { render(painter, image_.rect()); }
    // What a caller who renders the canvas again and again at one scale keeps between renders
    // (an animation followed on a large screen): the persistent picture and the drawings laid
    // over it that stay the same from one render to the next, as images at that scale, so that
    // a render replays only what moved. A drawing becomes an image the second time it is met.
    class RenderCache {
    public:
        RenderCache();
        ~RenderCache();
        RenderCache(const RenderCache&) = delete;
        RenderCache& operator=(const RenderCache&) = delete;
        // The images kept.
        int imageCount() const;

    private:
        friend class Canvas;
        struct Entry;
        struct Stamp;
        std::vector<Entry> entries_;
        std::vector<Stamp> stamps_;  // arcs of one shape, drawn once per render
        QTransform transform_;
        Lines lines_ = Lines::OneUnit;
    };
    // As render(painter, area, lines), through `cache` where the painter's transform allows it
    // (a scale and a move, on a device of one pixel per unit of the painter).
    void render(QPainter& painter, const QRect& area, Lines lines, RenderCache& cache) const;
    // The drawing as an image of `scale` pixels per unit.
    QImage scaledImage(double scale, Lines lines = Lines::OneUnit) const;
    // False while render() can only enlarge the image: when the record outgrew its bounds, until
    // the next full clear.
    bool isScalable() const;

    // One thing drawn in two ways: `onePixel` draws it into the image only (where it may write
    // pixels its own fast way, and where the changes are told), `anyScale` into the record only
    // (as lines, arcs and text). Both start from the same position, colours, width and font;
    // afterwards they are what `onePixel` left.
    template <typename OnePixel, typename AnyScale>
    void drawTwoWays(OnePixel&& onePixel, AnyScale&& anyScale) {
        const Mode mode = mode_;
        const State before = saveState();
        mode_ = mode == Mode::RecordOnly ? Mode::Skip : Mode::ImageOnly;
        onePixel();
        const State after = saveState();
        restoreState(before);
        mode_ = mode == Mode::ImageOnly ? Mode::Skip : Mode::RecordOnly;
        anyScale();
        restoreState(after);
        mode_ = mode;
    }
    // The record forgets what was drawn since the last full clear (the image keeps it), for a
    // caller who draws all of it again over a few partial clears of the image: an animation
    // frame. Used as the `anyScale` part of those clears.
    void restartRecord();

    // What the canvas has drawn since its last full clear, to be laid over another canvas;
    // without its background, what was drawn after that clear only.
    struct Record;
    std::shared_ptr<const Record> record(bool withBackground = true) const;
    // The number of drawing calls the record holds.
    size_t recordLength() const;
    // Lays a record made by another canvas over this one, its origin at (0, 0), within `area`.
    void drawRecord(const std::shared_ptr<const Record>& record, const QRect& area);

protected:
    // Asked before each operation: the size the image must have (by default the one it has).
    virtual QSize wantedImageSize() const { return image_.size(); }
    // Told where the image changed: area by area outside a batch, all at once when one ends.
    virtual void imageChanged(const QRect& area) { (void)area; }
    virtual void imageChanged(const QRegion& area) { (void)area; }
    // Brings the image to wantedImageSize().
    void ensureImageSize();

private:
    enum class Mode { Both, ImageOnly, RecordOnly, Skip };
    struct State {
        double x, y;
        QColor fore;
        int width;
        QFont font;
        QString family;
        double points;
    };
    State saveState() const;
    void restoreState(const State& s);
    bool drawsImage() const { return mode_ == Mode::Both || mode_ == Mode::ImageOnly; }
    bool records() const { return mode_ == Mode::Both || mode_ == Mode::RecordOnly; }

    template <typename F>
    void paint(const QRect& changed, F&& f);
    // The image's pixels for writing without a painter; a shared image is detached first.
    uchar* writableBits();
    // Tells the change, now or when the batch ends.
    void changed(const QRect& area);

    // The pixels of a line, as runs along its rows relative to its first end. A painter's
    // aliased line covers the same pixels wherever its ends are (whole pixels), so each shape is
    // drawn by a painter once and then written straight into the image.
    struct StrokeRun {
        int dy, x0, x1;
    };
    struct Stroke {
        std::vector<StrokeRun> runs;
        QRect bounds;  // of the runs
    };
    const Stroke& stroke(QPoint delta);
    bool drawStroke(QPoint a, QPoint b, const QColor& c);
    bool drawOutline(const QRect& r, const QColor& c);

    // The record.
    struct Item;
    struct Recorder;
    void recordClear(const QRect& area);
    void recordLine(QPoint a, QPoint b, const QColor& c);
    void record(Item&& item);
    Item shape(int kind, const QRect& bounds, const QColor& c) const;
    static void replay(QPainter& p, const std::vector<Item>& items, const QRect& area, Lines lines,
                       RenderCache* cache = nullptr);
    // Draws a clear or a laid record from the cache; false when it is to be replayed.
    static bool drawCached(QPainter& p, const Item& item, Lines lines, RenderCache& cache);
    // Draws an arc as a copy of the first of its shape drawn in this render.
    static void stampArc(QPainter& p, const Item& item, int start, int span, Lines lines,
                         RenderCache& cache);

    QImage image_;
    QImage picture_;
    QColor backColor_ = Qt::white;
    QColor foreColor_ = Qt::black;
    int drawWidth_ = 1;
    QFont font_;
    QString fontFamily_;      // what setFont was given for font_, so that the same font is kept
    double fontPoints_ = -1;  // -1: font_ made otherwise
    double curX_ = 0;
    double curY_ = 0;
    quint64 revision_ = 0;
    int batchDepth_ = 0;
    QRegion batchChanged_;
    std::unique_ptr<QPainter> batchPainter_;  // opened by the first operation of a batch
    QHash<quint64, Stroke> strokes_;          // by line shape and width
    Mode mode_ = Mode::Both;
    std::unique_ptr<Recorder> recorder_;
};

}  // namespace ondalis
