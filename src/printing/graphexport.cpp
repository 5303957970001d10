#include "printing/graphexport.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/canvas/canvas.h"

namespace ondalis {

namespace {

constexpr double kDotsPerInch = 96;

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svgBytes(const Canvas& graph) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = graph.image().size();
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(int(kDotsPerInch));
    svg.setTitle(QStringLiteral("Graphe"));
    svg.setDescription(QStringLiteral("Ondalis"));
    QPainter painter(&svg);
    graph.render(painter);
    painter.end();
    // The generator gives the size in millimetres, which viewers round up to one pixel more:
    // the drawing's own size in pixels instead.
    const qsizetype svgStart = bytes.indexOf("<svg");
    const qsizetype viewBox = bytes.indexOf("viewBox", svgStart);
    if (svgStart >= 0 && viewBox > svgStart) {
        const QByteArray pixels = QStringLiteral("<svg width=\"%1\" height=\"%2\"\n ")
                                      .arg(size.width())
                                      .arg(size.height())
                                      .toLatin1();
        bytes.replace(svgStart, viewBox - svgStart, pixels);
    }
    return bytes;
}

QByteArray pdfBytes(const Canvas& graph) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = graph.image().size();
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Ondalis"));
    pdf.setTitle(QStringLiteral("Graphe"));
    // One unit of the drawing to a point: the page is the drawing's size in whole points (a
    // page in fractions of a point would be rounded up by the viewers). Text sizes are in pixels
    // and do not depend on the resolution.
    pdf.setResolution(72);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&pdf);
    graph.render(painter);
    painter.end();
    return bytes;
}

}  // namespace

QByteArray graphFileBytes(const Canvas& graph, GraphFormat format) {
    switch (format) {
        case GraphFormat::Png:
            return pngBytes(graph.image());
        case GraphFormat::PngDouble:
            return pngBytes(graph.scaledImage(2));
        case GraphFormat::Svg:
            return svgBytes(graph);
        case GraphFormat::Pdf:
            return pdfBytes(graph);
    }
    return {};
}

QString graphFormatFilter(GraphFormat format) {
    switch (format) {
        case GraphFormat::Png:
            return QStringLiteral("Image PNG à la taille de l'écran|*.png");
        case GraphFormat::PngDouble:
            return QStringLiteral("Image PNG deux fois plus grande|*.png");
        case GraphFormat::Svg:
            return QStringLiteral("Dessin vectoriel SVG|*.svg");
        case GraphFormat::Pdf:
            return QStringLiteral("Document PDF|*.pdf");
    }
    return {};
}

QString graphFormatSuffix(GraphFormat format) {
    switch (format) {
        case GraphFormat::Png:
        case GraphFormat::PngDouble:
            return QStringLiteral("png");
        case GraphFormat::Svg:
            return QStringLiteral("svg");
        case GraphFormat::Pdf:
            return QStringLiteral("pdf");
    }
    return {};
}

}  // namespace ondalis
