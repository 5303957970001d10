#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

#include "platform/services/printerservice.h"

namespace ondalis::testing {

// A printer for tests: each page is kept as an image at the screen's scale (15 twips per
// pixel, so that a printed picture lands on the page pixel for pixel), together with what was
// drawn where. It can be told to decline or fail a job.
class RecordingPrinter : public PrinterService {
public:
    struct Drawn {
        enum Kind { Text, Picture } kind;
        QPointF at;  // twips
        QString text;
        QString fontFamily;  // as asked: "Arial"
        double fontPoints = 0;
        bool bold = false;
        bool italic = false;
        QImage picture;
    };
    struct Page {
        QImage image;
        std::vector<Drawn> drawn;
    };

    // Settings.
    QString device = QStringLiteral("Imprimante de la classe");
    bool toFile = false;
    QSizeF page{12000, 18000};  // printable area in twips (800 × 1200 pixels)
    bool declineStart = false;  // as when no PDF file name is given
    QString failAtStart;        // error text of a job that cannot start
    QString failAtEnd;          // error text of a job that fails when sent

    // Record.
    int documentsBegun = 0;
    int documentsEnded = 0;
    int newPages = 0;
    std::vector<QString> jobNames;
    std::vector<Page> pages;             // pages of the last document
    std::vector<QString> documentTexts;  // plain texts of the rich-text documents printed

    QString deviceName() const override { return toFile ? QString() : device; }
    bool printsToFile() const override { return toFile; }
    QSizeF pageSize() const override { return page; }
    bool beginDocument(const QString& jobName) override;
    void setFont(const QString& family, double points, bool bold, bool italic = false) override;
    void printText(double x, double y, const QString& text) override;
    void drawPicture(double x, double y, const QImage& picture) override;
    bool newPage() override;
    bool endDocument() override;
    bool printDocument(const QTextDocument& document, const QString& jobName) override;
    QString errorText() const override { return error_; }

private:
    void addPage();

    bool open_ = false;
    QString error_;
    QString family_ = QStringLiteral("Arial");
    double points_ = 10;
    bool bold_ = false;
    bool italic_ = false;
};

}  // namespace ondalis::testing
