#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QWidget>

class QPainter;
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace ondalis {

// A picture area that keeps a persistent image of everything drawn on it: the widget is
// repainted from that image, and the image is what gets copied and printed. A persistent
// picture may be set; clear() returns the image to it (or to the back colour when none).
//
// Coordinates are pixels of the image, origin top-left, y downwards; every operation is
// aliased and pixel-exact: lines include both end points, boxes include both corners.
// Text is written at a current position, which advances past each piece of text.
class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget* parent = nullptr);
    ~DrawingSurface() override;

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
    // it can tell whether anything was drawn on the surface since.
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

    // While a Batch lives, the drawing operations on the surface share one painter, and the
    // widget is asked once, when the batch ends, to repaint the rectangle covering all of them
    // (one repaint request per redraw instead of one per line).
    class Batch {
    public:
        explicit Batch(DrawingSurface& surface);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        DrawingSurface& surface_;
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

    // Resizes the widget and its image together; what was drawn stays at the top-left.
    void setSurfaceSize(int w, int h);

    // Shows the image now (used where the program forces an immediate refresh).
    void refreshNow();

    // What a screen reader hears as the picture's description, computed only when it asks, so
    // that it follows what is drawn at no cost while drawing. A described surface is reported
    // as a graphic.
    void setDescriber(std::function<QString()> describe) { describer_ = std::move(describe); }
    bool isDescribed() const { return bool(describer_); }
    QString description() const { return describer_ ? describer_() : accessibleDescription(); }

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void mouseReleased(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ensureImageSize();
    template <typename F>
    void paint(const QRect& changed, F&& f);
    // The image's pixels for writing without a painter; a shared image is detached first.
    uchar* writableBits();
    // Asks for the widget to show `changed` again, now or when the batch ends.
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
    std::function<QString()> describer_;
    quint64 revision_ = 0;
    int batchDepth_ = 0;
    QRegion batchChanged_;
    std::unique_ptr<QPainter> batchPainter_;  // opened by the first operation of a batch
    QHash<quint64, Stroke> strokes_;          // by line shape and width
};

}  // namespace ondalis
