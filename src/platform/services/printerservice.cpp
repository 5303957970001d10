#include "platform/services/printerservice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include "platform/core/filepaths.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/drawingsurface.h"

namespace ondalis {

namespace {

const QString printTitle = QStringLiteral("Imprimer");

QString quoted(const QString& name) {
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(name));
}

}  // namespace

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// One document under way. For a PDF file the pages are written into a scratch file first,
// then copied into the chosen file once the document is complete.
struct QtPrinterService::Job {
    QPainter painter;
    QFont font = DrawingSurface::makeFont(QStringLiteral("Arial"), 12);
    QString target;
    std::unique_ptr<QTemporaryDir> scratch;
    QString scratchFile;
    bool failed = false;
};

QtPrinterService::QtPrinterService(DialogService& dialogs) : dialogs_(dialogs) {}
QtPrinterService::~QtPrinterService() {
    if (job_ && job_->painter.isActive()) job_->painter.end();
}

QPrinter& QtPrinterService::printer() const {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without any printer the pages go to a PDF file.
        if (printer_->outputFormat() == QPrinter::NativeFormat && printer_->printerName().isEmpty())
            printer_->setOutputFormat(QPrinter::PdfFormat);
    }
    return *printer_;
}

QPrinter* QtPrinterService::qtPrinter() { return &printer(); }

bool QtPrinterService::printsToFile() const {
    return printer().outputFormat() == QPrinter::PdfFormat || printer().printerName().isEmpty();
}

QString QtPrinterService::deviceName() const {
    return printsToFile() ? QString() : printer().printerName();
}

QSizeF QtPrinterService::pageSize() const {
    return printer().pageLayout().paintRect(QPageLayout::Point).size() * 20.0;
}

bool QtPrinterService::prepareOutput(const QString& jobName) {
    error_.clear();
    job_ = std::make_unique<Job>();
    QPrinter& p = printer();
    p.setDocName(jobName);
    // The program prints its own copies, one page each.
    p.setCopyCount(1);
    if (!printsToFile()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(p.printerName());
        if (info.isNull()) {
            error_ =
                QStringLiteral("L'imprimante %1 est introuvable.").arg(quoted(p.printerName()));
        } else if (info.state() == QPrinter::Error) {
            error_ = QStringLiteral("L'imprimante %1 est arrêtée ou signale une erreur.")
                         .arg(quoted(p.printerName()));
        }
        if (!error_.isEmpty()) {
            job_.reset();
            return false;
        }
        return true;
    }

    const std::optional<QString> name =
        dialogs_.saveFileName(QStringLiteral("Document PDF|*.pdf"), QStringLiteral("pdf"),
                              pdfFolder_.isEmpty() ? documentsFolder() : pdfFolder_);
    if (!name || name->isEmpty()) {
        job_.reset();
        return false;
    }
    if (QFileInfo::exists(*name) &&
        dialogs_.message(QStringLiteral("Le fichier %1 existe déjà.\nVoulez-vous le remplacer ?")
                             .arg(quoted(*name)),
                         printTitle, MessageIcon::Question,
                         MessageButtons::YesNo) != MessageResult::Yes) {
        job_.reset();
        return false;
    }
    job_->target = *name;
    job_->scratch = std::make_unique<QTemporaryDir>();
    if (!job_->scratch->isValid()) {
        error_ = QStringLiteral("Impossible de préparer le fichier PDF %1.").arg(quoted(*name));
        job_.reset();
        return false;
    }
    job_->scratchFile = job_->scratch->filePath(QStringLiteral("pages.pdf"));
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(job_->scratchFile);
    return true;
}

bool QtPrinterService::finishOutput(bool drawn) {
    QPrinter& p = printer();
    bool ok = drawn && !job_->failed && p.printerState() != QPrinter::Error &&
              p.printerState() != QPrinter::Aborted;
    if (!ok && error_.isEmpty()) {
        error_ = job_->target.isEmpty()
                     ? QStringLiteral("L'impression sur %1 a échoué.").arg(quoted(p.printerName()))
                     : QStringLiteral("Impossible d'écrire le fichier PDF %1.")
                           .arg(quoted(job_->target));
    }
    if (ok && !job_->target.isEmpty()) {
        QFile pages(job_->scratchFile);
        QString why;
        if (!pages.open(QIODevice::ReadOnly) ||
            !writeFileSafely(job_->target, pages.readAll(), &why)) {
            error_ = QStringLiteral("Impossible d'écrire le fichier %1 : %2")
                         .arg(quoted(job_->target), why.isEmpty() ? pages.errorString() : why);
            ok = false;
        } else {
            pdfFolder_ = QFileInfo(job_->target).absolutePath();
        }
    }
    job_.reset();
    return ok;
}

bool QtPrinterService::beginDocument(const QString& jobName) {
    if (job_ && job_->painter.isActive()) job_->painter.end();
    if (!prepareOutput(jobName)) return false;
    if (!job_->painter.begin(&printer())) {
        error_ = job_->target.isEmpty()
                     ? QStringLiteral("Impossible de commencer l'impression sur %1.")
                           .arg(quoted(printer().printerName()))
                     : QStringLiteral("Impossible de créer le fichier PDF %1.")
                           .arg(quoted(job_->target));
        job_.reset();
        return false;
    }
    return true;
}

void QtPrinterService::setFont(const QString& family, double points, bool bold, bool italic) {
    if (!job_) return;
    job_->font = DrawingSurface::makeFont(family, points, bold, italic);
    job_->font.setPointSizeF(points);
}

void QtPrinterService::printText(double x, double y, const QString& text) {
    if (!job_ || !job_->painter.isActive() || text.isEmpty()) return;
    const double scale = printer().resolution() / kTwipsPerInch;
    QPainter& painter = job_->painter;
    painter.setFont(job_->font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(job_->font, &printer());
    painter.drawText(QPointF(x * scale, y * scale + metrics.ascent()), text);
}

void QtPrinterService::drawPicture(double x, double y, const QImage& picture) {
    if (!job_ || !job_->painter.isActive() || picture.isNull()) return;
    const double scale = printer().resolution() / kTwipsPerInch;
    const QRectF target(x * scale, y * scale, picture.width() * kTwipsPerPixel * scale,
                        picture.height() * kTwipsPerPixel * scale);
    job_->painter.drawImage(target, picture);
}

bool QtPrinterService::newPage() {
    if (!job_ || !job_->painter.isActive()) return false;
    if (printer().newPage()) return true;
    job_->failed = true;
    return false;
}

bool QtPrinterService::endDocument() {
    if (!job_) return false;
    const bool drawn = job_->painter.isActive() && job_->painter.end();
    return finishOutput(drawn);
}

bool QtPrinterService::printDocument(const QTextDocument& document, const QString& jobName) {
    if (job_ && job_->painter.isActive()) job_->painter.end();
    if (!prepareOutput(jobName)) return false;
    document.print(&printer());
    return finishOutput(true);
}

}  // namespace ondalis
