// The canvas drawn at other scales and onto other devices: crisp lines, real text, a bounded
// record, and files that independent readers open.
#include "platform/canvas/canvas.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "graph/graphframe.h"
#include "platform/widgets/drawingsurface.h"
#include "recording_run.h"
#include "scene/scenedrawing.h"

namespace ondalis {
namespace {

const QRgb Black = qRgb(0, 0, 0);

// The device pixels of `image` that are not white, as a bounding rectangle.
QRect inkBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) r |= QRect(x, y, 1, 1);
    return r;
}

class CanvasAtTwice : public ::testing::Test {
protected:
    CanvasAtTwice() {
        canvas_.setImageSize(QSize(617, 225));
        canvas_.setBackColor(Qt::white);
    }
    Canvas canvas_;
};

// A line along a row or a column covers exactly the device pixels of its unit pixels: the same
// place and thickness as on a screen at one pixel per unit, with edges on device pixels.
TEST_F(CanvasAtTwice, StraightLinesCoverExactlyTheSquaresOfTheirPixels) {
    const struct {
        QPoint a, b;
        int width;
        QRect device;  // what they cover at twice the scale
    } cases[] = {
        {{50, 115}, {580, 115}, 1, QRect(QPoint(100, 230), QPoint(1161, 231))},
        {{50, 215}, {50, 5}, 1, QRect(QPoint(100, 10), QPoint(101, 431))},
        {{7, 7}, {7, 7}, 1, QRect(14, 14, 2, 2)},
    };
    for (const auto& c : cases) {
        canvas_.clear();
        canvas_.setDrawWidth(c.width);
        canvas_.line(c.a.x(), c.a.y(), c.b.x(), c.b.y(), Qt::black);
        const QImage twice = canvas_.scaledImage(2);
        ASSERT_EQ(twice.size(), QSize(1234, 450));
        EXPECT_EQ(inkBounds(twice), c.device) << c.a.x() << "," << c.a.y();
        for (int y = c.device.top(); y <= c.device.bottom(); ++y)
            for (int x = c.device.left(); x <= c.device.right(); ++x)
                ASSERT_EQ(twice.pixel(x, y), Black) << x << "," << y;
    }
}

// Thin, a line is one device pixel wide at any scale: one pixel per column along a line that
// runs more across than down, one per row along the others, between its scaled ends.
TEST_F(CanvasAtTwice, ThinLinesAreOneDevicePixelWideAtAnyScale) {
    const struct {
        QPoint a, b;
    } lines[] = {{{50, 115}, {580, 115}}, {{50, 215}, {50, 5}}, {{10, 10}, {110, 60}}};
    for (const double scale : {2.0, 3.0})
        for (const auto& l : lines) {
            canvas_.clear();
            canvas_.line(l.a.x(), l.a.y(), l.b.x(), l.b.y(), Qt::black);
            const QImage thin = canvas_.scaledImage(scale, Canvas::Lines::Thin);
            const bool across = std::abs(l.b.x() - l.a.x()) >= std::abs(l.b.y() - l.a.y());
            const QRect ink = inkBounds(thin);
            const int first = across ? ink.left() : ink.top();
            const int last = across ? ink.right() : ink.bottom();
            EXPECT_NEAR(first,
                        scale * std::min(across ? l.a.x() : l.a.y(), across ? l.b.x() : l.b.y()),
                        scale);
            for (int i = first; i <= last; ++i) {
                int count = 0;
                for (int j = 0; j < (across ? thin.height() : thin.width()); ++j)
                    count += (across ? thin.pixel(i, j) : thin.pixel(j, i)) == Black;
                ASSERT_EQ(count, 1) << "scale " << scale << ", line from " << l.a.x() << ","
                                    << l.a.y() << ", at " << i;
            }
        }
}

// Slanted lines, arcs and text are drawn again at the device's resolution: their stair steps
// are one device pixel, so the picture is not the one-pixel image enlarged; they stay where
// the one-pixel image has them, and text is a font twice as large.
TEST_F(CanvasAtTwice, SlantedLinesArcsAndTextAreDrawnAgainNotEnlarged) {
    const struct {
        const char* what;
        std::function<void(Canvas&)> draw;
    } cases[] = {
        {"slanted line", [](Canvas& c) { c.line(10, 10, 110, 60, Qt::black); }},
        {"arc", [](Canvas& c) { c.arc(300, 110, 15, 8, 0.2, 6.08, Qt::black); }},
        {"text",
         [](Canvas& c) {
             c.setFont(QStringLiteral("Arial"), 8);
             c.setForeColor(Qt::black);
             c.printAt(57, 1, QStringLiteral("Wx (cm)"));
         }},
    };
    for (const auto& c : cases) {
        canvas_.clear();
        c.draw(canvas_);
        const QImage once = canvas_.image();
        const QImage twice = canvas_.scaledImage(2);
        const QImage enlarged = once.scaled(once.size() * 2);
        EXPECT_NE(twice, enlarged) << c.what;
        // Two device pixels of one unit pixel that differ: a step of one device pixel, which
        // an enlarged image cannot have.
        bool fineStep = false;
        for (int y = 0; y + 1 < twice.height() && !fineStep; y += 2)
            for (int x = 0; x + 1 < twice.width() && !fineStep; x += 2)
                fineStep = twice.pixel(x, y) != twice.pixel(x + 1, y) ||
                           twice.pixel(x, y) != twice.pixel(x, y + 1);
        EXPECT_TRUE(fineStep) << c.what;
        const QRect one = inkBounds(once), two = inkBounds(twice);
        EXPECT_NEAR(two.left(), 2 * one.left(), 2) << c.what;
        EXPECT_NEAR(two.top(), 2 * one.top(), 2) << c.what;
        EXPECT_NEAR(two.width(), 2 * one.width(), 4) << c.what;
        EXPECT_NEAR(two.height(), 2 * one.height(), 4) << c.what;
    }
}

// An animation clears where the solid moved and draws it again: the record keeps about one
// frame, and drawn again at one pixel per unit it is the image but for the antialiased edges.
TEST(CanvasRecord, FollowsTheAnimatedSceneThroughItsPartialClearsAndStaysSmall) {
    DrawingSurface scene;
    scene.setSurfaceSize(SceneWidth, SceneHeight);
    QImage sky;
    fond(scene, sky);
    SceneAnimator animator;
    SceneView view;
    view.vectors.velocityShown = true;
    view.vectors.forcesShown = true;
    size_t longest = 0;
    for (int i = 0; i < 600; ++i) {
        view.t = 0.02 * i;
        view.x = float(9 * std::cos(view.t * 3));
        view.v = float(-0.27 * std::sin(view.t * 3));
        animator.draw(scene, view);
        longest = std::max(longest, scene.recordLength());
    }
    EXPECT_LT(longest, 200u);
    const QImage again = scene.scaledImage(1);
    const QImage& image = scene.image();
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) differing += again.pixel(x, y) != image.pixel(x, y);
    EXPECT_LT(differing, image.width() * image.height() / 50);
    // The solid at twice the scale: its lightest middle box where the image has it, above the
    // vectors.
    const int cx = int(std::lround(sceneX(view.x)));
    EXPECT_EQ(scene.scaledImage(2).pixel(2 * cx, 2 * 16), qRgb(245, 245, 245));
}

// A partial clear drops from the record what it hides, earlier clears included.
TEST(CanvasRecord, PartialClearsDropWhatTheyHide) {
    Canvas canvas;
    canvas.setImageSize(QSize(200, 100));
    canvas.setBackColor(Qt::white);
    for (int i = 0; i < 100; ++i) {
        canvas.fillBox(10 + i % 50, 10, 20 + i % 50, 20, Qt::red);
        canvas.line(5, 30, 90, 45, Qt::blue);
        canvas.clear(QRect(0, 0, 100, 50));
    }
    canvas.point(150, 50, Qt::black);
    EXPECT_EQ(canvas.recordLength(), 3u);  // the full clear, the last partial one, the point
    EXPECT_EQ(canvas.scaledImage(2).pixel(2 * 15, 2 * 15), qRgb(255, 255, 255));
}

// What a canvas tells its widget to show again.
class WatchedCanvas : public Canvas {
public:
    QRegion told;

protected:
    void imageChanged(const QRect& area) override { told += area; }
    void imageChanged(const QRegion& area) override { told += area; }
};

// A drawing in a batch that overlaps the ones before it and reaches beyond them is shown again
// wherever it reaches.
TEST(CanvasChanges, ABatchTellsEveryAreaItsDrawingsReach) {
    WatchedCanvas canvas;
    canvas.setImageSize(QSize(200, 100));
    canvas.told = QRegion();
    {
        Canvas::Batch batch(canvas);
        canvas.fillBox(10, 10, 50, 50, Qt::red);
        canvas.fillBox(40, 40, 90, 60, Qt::blue);
        canvas.line(45, 20, 150, 20, Qt::black);
    }
    const QRegion drawn = QRegion(QRect(QPoint(10, 10), QPoint(50, 50))) +
                          QRect(QPoint(40, 40), QPoint(90, 60)) +
                          QRect(QPoint(45, 20), QPoint(150, 20));
    EXPECT_TRUE((drawn - canvas.told).isEmpty());
}

OscillatorParameters slowOscillator() {
    OscillatorParameters p;
    p.x0 = 8;
    p.m = 5000;
    p.k = 1;
    p.h = 0.1f;
    return p;
}

// A recording of thousands of segments is a few polylines in the record.
TEST(CanvasRecord, KeepsTheCurvesOfAWholeRecordingAsAFewPolylines) {
    testing::RecordingRun run(slowOscillator(), 300, PlotEnergies);
    run.runPastDuration();
    ASSERT_GT(run.drawings, 5000);
    EXPECT_LT(run.frame.recordLength(), 400u);
}

// The graph through an SVG generator and a PDF writer, read back by independent programs.
struct Reader {
    const char* format;
    const char* program;
};

class GraphFile : public ::testing::TestWithParam<Reader> {};

TEST_P(GraphFile, OpensInAnIndependentReaderWithItsAxesAndCurve) {
    const Reader reader = GetParam();
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(reader.program));
    if (program.isEmpty())
        GTEST_SKIP() << reader.program << " is not installed (librsvg2-bin, poppler-utils)";
    OscillatorParameters p;
    p.x0 = 5;
    p.m = 145;
    p.k = 10;
    p.h = 0.2f;
    testing::RecordingRun run(p, 5, PlotPosition);
    run.runPastDuration();
    const DrawingSurface& graph = run.frame;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("graph.") + QLatin1String(reader.format));
    const QString png = dir.filePath(QStringLiteral("graph"));
    QStringList arguments;
    if (QLatin1String(reader.format) == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setResolution(96);
        svg.setSize(graph.image().size());
        svg.setViewBox(graph.image().rect());
        QPainter painter(&svg);
        graph.render(painter);
        painter.end();
        arguments = {QStringLiteral("-z"), QStringLiteral("2"), QStringLiteral("-o"),
                     png + QStringLiteral(".png"), file};
    } else {
        QPdfWriter pdf(file);
        // One unit is a pixel of a screen at 96 dots per inch, 0.75 point.
        pdf.setResolution(192);
        pdf.setPageSize(QPageSize(QSizeF(graph.image().size()) * 0.75, QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        painter.scale(2, 2);
        graph.render(painter);
        painter.end();
        arguments = {QStringLiteral("-png"),
                     QStringLiteral("-r"),
                     QStringLiteral("192"),
                     QStringLiteral("-singlefile"),
                     file,
                     png};
    }
    QProcess process;
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QImage read(png + QStringLiteral(".png"));
    ASSERT_FALSE(read.isNull());
    // Read back at two pixels per unit: the time axis at y = 115 and the curve's blue.
    const double sx = read.width() / double(graph.image().width());
    const double sy = read.height() / double(graph.image().height());
    EXPECT_NEAR(sx, 2, 0.05);
    EXPECT_NEAR(sy, 2, 0.05);
    int axis = 0, curve = 0;
    for (int x = int(60 * sx); x < int(560 * sx); ++x) {
        const QColor c = read.pixelColor(x, int(115.5 * sy));
        axis += c.red() < 80 && c.green() < 80 && c.blue() < 80;
    }
    for (int y = 0; y < read.height(); ++y)
        for (int x = 0; x < read.width(); ++x) {
            const QColor c = read.pixelColor(x, y);
            curve += c.blue() > 150 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_GT(axis, int(450 * sx)) << "time axis";
    EXPECT_GT(curve, 500) << "position curve";
}

INSTANTIATE_TEST_SUITE_P(SvgAndPdf, GraphFile,
                         ::testing::Values(Reader{"svg", "rsvg-convert"},
                                           Reader{"pdf", "pdftoppm"}),
                         [](const auto& info) { return std::string(info.param.format); });

}  // namespace
}  // namespace ondalis
