#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include "fake_dialogs.h"
#include "platform/services/printerservice.h"

namespace ondalis::testing {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The real service with its pages going to a PDF file, as on a machine without a printer.
class PdfPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        service.qtPrinter()->setOutputFormat(QPrinter::PdfFormat);
    }
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QTemporaryDir folder;
    FakeDialogs dialogs;
    QtPrinterService service{dialogs};
};

TEST_F(PdfPrinting, writesTheDocumentIntoTheFileAskedFor) {
    EXPECT_TRUE(service.printsToFile());
    EXPECT_TRUE(service.deviceName().isEmpty());
    EXPECT_GT(service.pageSize().width(), 9000);  // A4 or Letter less the margins, in twips
    EXPECT_GT(service.pageSize().height(), 13000);
    dialogs.fileAnswers = {path("page.pdf")};
    ASSERT_TRUE(service.beginDocument(QStringLiteral("Calvane - Ondalis")));
    // Nothing reaches the file before the document is complete.
    EXPECT_FALSE(QFile::exists(path("page.pdf")));
    service.setFont(QStringLiteral("Arial"), 12, true);
    service.printText(0, 0, QStringLiteral("Calvane - Ondalis"));
    QImage picture(617, 225, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    service.drawPicture(1200, 900, picture);
    EXPECT_TRUE(service.newPage());
    service.drawPicture(-1500, -2250, picture);
    EXPECT_TRUE(service.endDocument());
    EXPECT_TRUE(service.errorText().isEmpty());
    const QByteArray pdf = contents(path("page.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>"),
              2);

    QTextDocument text;
    text.setPlainText(QStringLiteral("Énoncé de l'exercice"));
    dialogs.fileAnswers = {path("texte.pdf")};
    EXPECT_TRUE(service.printDocument(text, QStringLiteral("Exercice")));
    EXPECT_TRUE(contents(path("texte.pdf")).startsWith("%PDF"));
}

TEST_F(PdfPrinting, aRefusedNameOrOverwriteLeavesEverythingAndAFailedWriteSaysWhy) {
    dialogs.fileAnswers = {std::nullopt};
    EXPECT_FALSE(service.beginDocument(QStringLiteral("Ondalis")));
    EXPECT_TRUE(service.errorText().isEmpty());

    QFile old(path("ancien.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("ancien");
    old.close();
    dialogs.fileAnswers = {path("ancien.pdf")};
    dialogs.messageAnswers = {MessageResult::No};
    EXPECT_FALSE(service.beginDocument(QStringLiteral("Ondalis")));
    EXPECT_TRUE(service.errorText().isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(contents(path("ancien.pdf")), QByteArray("ancien"));

    dialogs.fileAnswers = {path("absent/page.pdf")};
    ASSERT_TRUE(service.beginDocument(QStringLiteral("Ondalis")));
    service.printText(0, 0, QStringLiteral("Titre"));
    EXPECT_FALSE(service.endDocument());
    EXPECT_TRUE(service.errorText().startsWith(QStringLiteral("Impossible d'écrire le fichier")))
        << service.errorText().toStdString();
}

}  // namespace
}  // namespace ondalis::testing
