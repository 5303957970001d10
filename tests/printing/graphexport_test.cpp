// "Exporter le graphe": the graph's files, read back by the programs that show them.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <iostream>

#include "printing/graphexport.h"
#include "recording_run.h"

namespace ondalis::testing {
namespace {

// A complete recording of x, as the window draws it.
struct RecordedGraph : ::testing::Test {
    void SetUp() override { run.runPastDuration(); }
    RecordingRun run{OscillatorParameters{5, 100, 10, 1}, 5};
    QTemporaryDir dir;
};

// The share of pixels of `a` and `b` (the same size) whose colours differ by more than
// `tolerance` in some channel.
double differingShare(const QImage& a, const QImage& b, int tolerance = 96) {
    if (a.size() != b.size()) return 1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    long differing = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++differing;
        }
    return double(differing) / (x.width() * x.height());
}

// `program` run on the file written from `bytes`; the PNG it makes, or a null image.
QImage renderedBy(const QTemporaryDir& dir, const QByteArray& bytes, const QString& name,
                  const QString& program, const QStringList& args, const QString& png) {
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(bytes);
    f.close();
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return {};
    }
    return QImage(dir.filePath(png));
}

TEST_F(RecordedGraph, asPngIsTheScreensPictureOrItsDrawingAtTwiceTheSize) {
    const QImage screen = run.frame.image();
    QImage one = QImage::fromData(graphFileBytes(run.frame, GraphFormat::Png), "PNG");
    EXPECT_EQ(one.convertToFormat(QImage::Format_RGB32),
              screen.convertToFormat(QImage::Format_RGB32));
    QImage two = QImage::fromData(graphFileBytes(run.frame, GraphFormat::PngDouble), "PNG");
    EXPECT_EQ(two.size(), screen.size() * 2);
    EXPECT_EQ(two.convertToFormat(QImage::Format_RGB32),
              run.frame.scaledImage(2).convertToFormat(QImage::Format_RGB32));
}

TEST_F(RecordedGraph, asSvgAndPdfHoldsVectorsThatRenderToTheScreensPictureAtOnceAndTwiceTheSize) {
    const QByteArray svg = graphFileBytes(run.frame, GraphFormat::Svg);
    const QByteArray pdf = graphFileBytes(run.frame, GraphFormat::Pdf);
    EXPECT_FALSE(svg.contains("<image"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    const QImage screen = run.frame.image();
    const QImage twice = run.frame.scaledImage(2);
    const struct {
        const char* tool;
        const QByteArray& bytes;
        const char* file;
        QStringList once;
        QStringList doubled;
        const char* out1;
        const char* out2;
    } renderers[] = {
        {"rsvg-convert",
         svg,
         "graphe.svg",
         {"-z", "1", "-b", "white", "-o", "svg1.png", "graphe.svg"},
         {"-z", "2", "-b", "white", "-o", "svg2.png", "graphe.svg"},
         "svg1.png",
         "svg2.png"},
        {"pdftoppm",
         pdf,
         "graphe.pdf",
         {"-r", "72", "-png", "-singlefile", "graphe.pdf", "pdf1"},
         {"-r", "144", "-png", "-singlefile", "graphe.pdf", "pdf2"},
         "pdf1.png",
         "pdf2.png"},
    };
    for (const auto& r : renderers) {
        SCOPED_TRACE(r.tool);
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(r.tool));
        if (program.isEmpty()) {
            std::cout << "[  SKIPPED ] " << r.tool << " is not installed\n";
            continue;
        }
        const QImage one =
            renderedBy(dir, r.bytes, QLatin1String(r.file), program, r.once, QLatin1String(r.out1));
        const QImage two = renderedBy(dir, r.bytes, QLatin1String(r.file), program, r.doubled,
                                      QLatin1String(r.out2));
        ASSERT_EQ(one.size(), screen.size());
        ASSERT_EQ(two.size(), twice.size());
        // Lines, grid and curve fall on the same pixels; only the edges of letters may differ.
        const double onceOff = differingShare(one, screen), twiceOff = differingShare(two, twice);
        RecordProperty(std::string(r.tool) + "_differing_1x", std::to_string(onceOff));
        RecordProperty(std::string(r.tool) + "_differing_2x", std::to_string(twiceOff));
        EXPECT_LT(onceOff, 0.01);
        EXPECT_LT(twiceOff, 0.01);
        // Twice the size is drawn again, not the screen's pixels enlarged.
        EXPECT_LT(differingShare(two, twice), differingShare(two, screen.scaled(twice.size())));
    }
}

}  // namespace
}  // namespace ondalis::testing
