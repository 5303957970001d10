#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <functional>

// The page that "&OK" prints: the title at the top-left corner, then the image of the
// animation or of the graph at its screen size (one pixel = 15 twips). Positions in twips.
namespace ondalis {

class PrinterService;

// Where the image goes on a page of `page` twips. Across: centred, (page width − image width
// × 15) / 2, or one tenth of the page width; down: centred, (page height − image height × 15)
// / 2, or one twentieth of the page height. An image larger than the page gets a negative
// centred offset and is clipped on both sides.
QPointF imageOffset(const QSizeF& page, const QSize& image, bool centreAcross, bool centreDown);

struct PrintJob {
    QString title;
    QImage image;
    int copies = 1;
    bool centreAcross = true;
    bool centreDown = false;
};

enum class PrintOutcome { Printed, Declined, Failed };

// Prints the copies as the pages of one document: for each, the title in Arial 12 bold at
// (0, 0) (nothing when it is empty) and the image at its offset; a new page between copies
// and the end of the document after the last. Failed leaves the reason in the printer's
// errorText(); Declined means the user gave no file name for the PDF. `started` runs once the
// document has begun (after the PDF file's name has been asked for), before the first page.
PrintOutcome printCopies(PrinterService& printer, const PrintJob& job,
                         const std::function<void()>& started = {});

}  // namespace ondalis
