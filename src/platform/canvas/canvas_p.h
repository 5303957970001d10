#pragma once

// What the two halves of the canvas share: the record's items and the helpers both use. Only
// canvas.cpp (the image) and canvasrecord.cpp (the record and its replay) include it.

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/canvas/canvas.h"

namespace ondalis {

namespace canvasdetail {

// Arc angles in sixteenths of a degree, as a painter takes them.
std::pair<int, int> arcAngles(double start, double end);
// Whether `region` covers all of `r` (QRegion::contains tells only whether they overlap).
bool covers(const QRegion& region, const QRect& r);

}  // namespace canvasdetail

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

}  // namespace ondalis
