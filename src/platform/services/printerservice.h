#pragma once

#include <QSizeF>
#include <QString>
#include <memory>

class QImage;
class QPrinter;
class QTextDocument;

namespace ondalis {

class DialogService;

// The printer as the program uses it. Positions and sizes are in twips (1/1440 inch) from the
// top-left corner of the printable area; a picture is drawn at 15 twips per pixel, whatever
// the printer's resolution. A document is begun, drawn page by page and ended; nothing reaches
// the printer before it is ended.
class PrinterService {
public:
    virtual ~PrinterService() = default;

    // Name of the printer that receives the pages; empty when they go to a PDF file (no
    // printer installed, or the PDF output chosen in the set-up dialog).
    virtual QString deviceName() const = 0;
    virtual bool printsToFile() const = 0;
    // Printable area, in twips.
    virtual QSizeF pageSize() const = 0;

    // Starts a document. false when it did not start: errorText() then says why, or is empty
    // when the user declined (no PDF file name given).
    virtual bool beginDocument(const QString& jobName) = 0;
    virtual void setFont(const QString& family, double points, bool bold, bool italic = false) = 0;
    // Writes text with its top-left corner at (x, y).
    virtual void printText(double x, double y, const QString& text) = 0;
    // Draws a picture at its own size, its top-left corner at (x, y); what falls outside the
    // printable area is clipped.
    virtual void drawPicture(double x, double y, const QImage& picture) = 0;
    virtual bool newPage() = 0;
    // Ends the document and sends it to the printer or the file; false when the job failed.
    virtual bool endDocument() = 0;
    // Prints a rich-text document as a job of its own, laid out on the printer's pages.
    virtual bool printDocument(const QTextDocument& document, const QString& jobName) = 0;

    // Why the last job failed, in French; empty after a job that succeeded or was declined.
    virtual QString errorText() const = 0;

    // The Qt printer behind the service, for the platform's set-up dialog; null when there is
    // none (tests).
    virtual QPrinter* qtPrinter() { return nullptr; }
};

inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kTwipsPerPixel = 15;

// Over Qt's printing (CUPS on Linux). The printer is set up on first use, so that starting
// the program never waits for the print system. With no printer installed the pages go to a
// PDF file whose name is asked through the dialog service, in the folder of the last PDF file
// written or else in the user's documents folder; the file is written only once the document
// is complete, and a failed write leaves any previous file as it was.
class QtPrinterService : public PrinterService {
public:
    explicit QtPrinterService(DialogService& dialogs);
    ~QtPrinterService() override;

    QString deviceName() const override;
    bool printsToFile() const override;
    QSizeF pageSize() const override;
    bool beginDocument(const QString& jobName) override;
    void setFont(const QString& family, double points, bool bold, bool italic = false) override;
    void printText(double x, double y, const QString& text) override;
    void drawPicture(double x, double y, const QImage& picture) override;
    bool newPage() override;
    bool endDocument() override;
    bool printDocument(const QTextDocument& document, const QString& jobName) override;
    QString errorText() const override { return error_; }
    QPrinter* qtPrinter() override;

private:
    struct Job;
    QPrinter& printer() const;
    bool prepareOutput(const QString& jobName);
    bool finishOutput(bool drawn);

    DialogService& dialogs_;
    mutable std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<Job> job_;
    QString error_;
    QString pdfFolder_;  // where the last PDF file was written
};

// The user's documents folder, or the home folder when there is none.
QString documentsFolder();

}  // namespace ondalis
