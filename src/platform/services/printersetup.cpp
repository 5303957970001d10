#include "platform/services/printersetup.h"

#include <QLocale>
#include <QPrinterInfo>
#include <algorithm>

namespace ondalis {

namespace {

QString frenchPageName(const QPageSize& size) {
    switch (size.id()) {
        case QPageSize::Letter:
            return QStringLiteral("Lettre US");
        case QPageSize::Legal:
            return QStringLiteral("Légal US");
        case QPageSize::Executive:
            return QStringLiteral("Exécutif US");
        case QPageSize::Tabloid:
            return QStringLiteral("Tabloïd US");
        case QPageSize::Ledger:
            return QStringLiteral("Registre US");
        case QPageSize::Custom:
            return QStringLiteral("Personnalisé");
        default:
            return size.name();
    }
}

PrinterDescription describe(const QPrinterInfo& info) {
    PrinterDescription d;
    d.name = info.printerName();
    d.state = printerStateText(info.state());
    d.type = info.makeAndModel();
    d.location = info.location();
    d.comment = info.description();
    d.pageSizes = info.supportedPageSizes();
    d.defaultPageSize = info.defaultPageSize();
    for (QPrinter::DuplexMode mode : info.supportedDuplexModes())
        if (mode != QPrinter::DuplexNone && !d.duplexModes.contains(mode))
            d.duplexModes.append(mode);
    d.colorModes = info.supportedColorModes();
    return d;
}

}  // namespace

PrinterDescription pdfFileDescription() {
    PrinterDescription d;
    d.state = QStringLiteral("Prêt : le nom du fichier est demandé à l'impression");
    d.type = QStringLiteral("Document PDF");
    d.comment = QStringLiteral("Les pages sont enregistrées dans un fichier PDF");
    for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal})
        d.pageSizes.append(QPageSize(id));
    d.defaultPageSize = QPageSize(QPageSize::A4);
    d.colorModes = {QPrinter::Color, QPrinter::GrayScale};
    return d;
}

std::vector<PrinterDescription> installedPrinters() {
    std::vector<PrinterDescription> printers;
    const QString preferred = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.push_back(describe(info));
    std::stable_partition(printers.begin(), printers.end(),
                          [&](const PrinterDescription& d) { return d.name == preferred; });
    printers.push_back(pdfFileDescription());
    return printers;
}

PrinterSettings settingsOf(const QPrinter& printer) {
    PrinterSettings s;
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty();
    s.printer = toFile ? QString() : printer.printerName();
    s.pageSize = printer.pageLayout().pageSize();
    s.orientation = printer.pageLayout().orientation();
    s.duplex = printer.duplex();
    s.colorMode = printer.colorMode();
    return s;
}

void applySettings(QPrinter& printer, const PrinterSettings& settings) {
    if (settings.printer.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(settings.printer);
    }
    printer.setPageSize(settings.pageSize);
    printer.setPageOrientation(settings.orientation);
    printer.setDuplex(settings.duplex);
    printer.setColorMode(settings.colorMode);
}

QString printerStateText(QPrinter::PrinterState state) {
    switch (state) {
        case QPrinter::Idle:
            return QStringLiteral("Prête");
        case QPrinter::Active:
            return QStringLiteral("Impression en cours");
        case QPrinter::Aborted:
            return QStringLiteral("Interrompue");
        case QPrinter::Error:
            return QStringLiteral("Arrêtée ou en erreur");
    }
    return QString();
}

QString duplexText(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexNone:
            return QStringLiteral("Désactivé");
        case QPrinter::DuplexAuto:
            return QStringLiteral("Automatique");
        case QPrinter::DuplexLongSide:
            return QStringLiteral("Reliure bord long");
        case QPrinter::DuplexShortSide:
            return QStringLiteral("Reliure bord court");
    }
    return QString();
}

QString colorModeText(QPrinter::ColorMode mode) {
    return mode == QPrinter::Color ? QStringLiteral("Couleur") : QStringLiteral("Niveaux de gris");
}

QString pageSizeText(const QPageSize& size) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return QStringLiteral("%1 (%2 × %3 mm)")
        .arg(frenchPageName(size), QLocale().toString(qRound(mm.width())),
             QLocale().toString(qRound(mm.height())));
}

}  // namespace ondalis
