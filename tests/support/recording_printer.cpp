#include "recording_printer.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPainter>
#include <QTextDocument>
#include <cmath>
#include <memory>

#include "platform/widgets/drawingsurface.h"

namespace ondalis::testing {

namespace {

int pixels(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }

}  // namespace

void RecordingPrinter::addPage() {
    Page p;
    p.image = QImage(pixels(page.width()), pixels(page.height()), QImage::Format_RGB32);
    p.image.fill(Qt::white);
    pages.push_back(std::move(p));
}

bool RecordingPrinter::beginDocument(const QString& jobName) {
    EXPECT_FALSE(open_) << "a document begun inside another";
    error_.clear();
    if (declineStart) return false;
    if (!failAtStart.isEmpty()) {
        error_ = failAtStart;
        return false;
    }
    ++documentsBegun;
    jobNames.push_back(jobName);
    pages.clear();
    addPage();
    open_ = true;
    return true;
}

void RecordingPrinter::setFont(const QString& family, double points, bool bold, bool italic) {
    family_ = family;
    points_ = points;
    bold_ = bold;
    italic_ = italic;
}

void RecordingPrinter::printText(double x, double y, const QString& text) {
    EXPECT_TRUE(open_) << "text outside a document";
    if (!open_) return;
    Drawn d{Drawn::Text, {x, y}, text, family_, points_, bold_, italic_, {}};
    QPainter p(&pages.back().image);
    const QFont font = DrawingSurface::makeFont(family_, points_, bold_, italic_);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(pixels(x), pixels(y) + QFontMetrics(font).ascent()), text);
    pages.back().drawn.push_back(std::move(d));
}

void RecordingPrinter::drawPicture(double x, double y, const QImage& picture) {
    EXPECT_TRUE(open_) << "picture outside a document";
    if (!open_) return;
    QPainter p(&pages.back().image);
    p.drawImage(QPoint(pixels(x), pixels(y)), picture);
    pages.back().drawn.push_back({Drawn::Picture, {x, y}, {}, {}, 0, false, false, picture});
}

bool RecordingPrinter::newPage() {
    EXPECT_TRUE(open_) << "new page outside a document";
    if (!open_) return false;
    ++newPages;
    addPage();
    return true;
}

bool RecordingPrinter::endDocument() {
    EXPECT_TRUE(open_) << "end of a document never begun";
    if (!open_) return false;
    open_ = false;
    ++documentsEnded;
    if (!failAtEnd.isEmpty()) {
        error_ = failAtEnd;
        return false;
    }
    return true;
}

bool RecordingPrinter::printDocument(const QTextDocument& document, const QString& jobName) {
    if (!beginDocument(jobName)) return false;
    documentTexts.push_back(document.toPlainText());
    // Laid out on pages of the printable area, as the real printer does.
    std::unique_ptr<QTextDocument> copy(document.clone());
    const QSizeF size(pixels(page.width()), pixels(page.height()));
    copy->setPageSize(size);
    for (int i = 0; i < copy->pageCount(); ++i) {
        if (i > 0) newPage();
        QPainter p(&pages.back().image);
        p.translate(0, -i * size.height());
        copy->drawContents(&p, QRectF(QPointF(0, i * size.height()), size));
    }
    return endDocument();
}

}  // namespace ondalis::testing
