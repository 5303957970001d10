#pragma once

#include <QByteArray>
#include <QString>

// "Exporter le graphe…": the graph as a file, drawn again through its Canvas record at the
// resolution of the file, so that lines and text stay sharp and SVG and PDF hold vectors.
namespace ondalis {

class Canvas;

enum class GraphFormat { Png, PngDouble, Svg, Pdf };

// The file's bytes: PNG at the screen's size (the very pixels shown) or at twice it; SVG with one
// unit of the drawing to a pixel; PDF with one unit to a point (a page of the drawing's size).
QByteArray graphFileBytes(const Canvas& graph, GraphFormat format);

// The save dialog's filter ("Label|*.EXT") and the extension of each format.
QString graphFormatFilter(GraphFormat format);
QString graphFormatSuffix(GraphFormat format);

}  // namespace ondalis
