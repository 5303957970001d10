#include "printing/printpage.h"

#include <algorithm>

#include "platform/services/printerservice.h"

namespace ondalis {

QPointF imageOffset(const QSizeF& page, const QSize& image, bool centreAcross, bool centreDown) {
    const double x =
        centreAcross ? (page.width() - image.width() * kTwipsPerPixel) / 2 : page.width() / 10;
    const double y =
        centreDown ? (page.height() - image.height() * kTwipsPerPixel) / 2 : page.height() / 20;
    return {x, y};
}

PrintOutcome printCopies(PrinterService& printer, const PrintJob& job,
                         const std::function<void()>& started) {
    const QString jobName = job.title.trimmed().isEmpty() ? QStringLiteral("Ondalis") : job.title;
    if (!printer.beginDocument(jobName))
        return printer.errorText().isEmpty() ? PrintOutcome::Declined : PrintOutcome::Failed;
    if (started) started();
    const int copies = std::max(1, job.copies);
    for (int i = 1; i <= copies; ++i) {
        printer.setFont(QStringLiteral("Arial"), 12, true);
        if (!job.title.isEmpty()) printer.printText(0, 0, job.title);
        const QPointF at =
            imageOffset(printer.pageSize(), job.image.size(), job.centreAcross, job.centreDown);
        printer.drawPicture(at.x(), at.y(), job.image);
        if (i == copies) {
            if (!printer.endDocument()) return PrintOutcome::Failed;
        } else if (!printer.newPage()) {
            printer.endDocument();
            return PrintOutcome::Failed;
        }
    }
    return PrintOutcome::Printed;
}

}  // namespace ondalis
