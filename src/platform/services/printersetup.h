#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <vector>

namespace ondalis {

// What the printer set-up form shows of one printer of the system. The PDF file (used when no
// printer is installed, or chosen in the form) is the entry with an empty name.
struct PrinterDescription {
    QString name;
    QString state;     // in French: "Prête", "Impression en cours"...
    QString type;      // make and model
    QString location;  // where it stands
    QString comment;   // its description
    QList<QPageSize> pageSizes;
    QPageSize defaultPageSize;
    QList<QPrinter::DuplexMode> duplexModes;  // beyond DuplexNone, which every printer has
    QList<QPrinter::ColorMode> colorModes;
};

// The choices of the set-up: the printer, its paper and orientation, and its properties.
struct PrinterSettings {
    QString printer;  // empty: the PDF file
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode colorMode = QPrinter::Color;
};

// The printers of the system, the default one first, then the PDF file.
std::vector<PrinterDescription> installedPrinters();
PrinterDescription pdfFileDescription();

PrinterSettings settingsOf(const QPrinter& printer);
// Sets the printer up; the number of copies and what is printed are left as they were.
void applySettings(QPrinter& printer, const PrinterSettings& settings);

// The texts the form shows, in French.
QString printerStateText(QPrinter::PrinterState state);
QString duplexText(QPrinter::DuplexMode mode);
QString colorModeText(QPrinter::ColorMode mode);
// "A4 (210 × 297 mm)", with the French names of the American sizes.
QString pageSizeText(const QPageSize& size);

}  // namespace ondalis
