#include <gtest/gtest.h>

#include "printing/printpage.h"
#include "recording_printer.h"

namespace ondalis::testing {
namespace {

struct OffsetCase {
    const char* name;
    QSize image;
    bool across;
    bool down;
    QPointF expected;
};

class ImageOffset : public ::testing::TestWithParam<OffsetCase> {};

// Page of 12000 × 18000 twips; the animation is 785 × 57 pixels, the graph 617 × 225.
TEST_P(ImageOffset, followsTheCentringBoxes) {
    const OffsetCase& c = GetParam();
    EXPECT_EQ(imageOffset(QSizeF(12000, 18000), c.image, c.across, c.down), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Page, ImageOffset,
    ::testing::Values(
        OffsetCase{"tenthAndTwentiethWithoutCentring", {785, 57}, false, false, {1200, 900}},
        OffsetCase{"sameWhateverTheSize", {2000, 3000}, false, false, {1200, 900}},
        OffsetCase{"centredAcross", {785, 57}, true, false, {112.5, 900}},
        OffsetCase{"centredDown", {617, 225}, false, true, {1200, 7312.5}},
        OffsetCase{"centredBoth", {617, 225}, true, true, {1372.5, 7312.5}},
        OffsetCase{"negativeWhenLargerThanThePage", {1000, 1500}, true, true, {-1500, -2250}}),
    [](const ::testing::TestParamInfo<OffsetCase>& info) { return info.param.name; });

QImage sample(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    return image;
}

TEST(PrintCopies, nCopiesAreNPagesOfOneDocumentWithTitleAndImage) {
    RecordingPrinter printer;
    PrintJob job;
    job.title = QStringLiteral("Calvane - Ondalis");
    job.image = sample(617, 225);
    job.copies = 3;
    job.centreAcross = false;
    EXPECT_EQ(printCopies(printer, job), PrintOutcome::Printed);
    EXPECT_EQ(printer.documentsBegun, 1);
    EXPECT_EQ(printer.newPages, 2);
    EXPECT_EQ(printer.documentsEnded, 1);
    EXPECT_EQ(printer.jobNames.front(), job.title);
    ASSERT_EQ(printer.pages.size(), 3u);
    for (const RecordingPrinter::Page& page : printer.pages) {
        ASSERT_EQ(page.drawn.size(), 2u);
        const RecordingPrinter::Drawn& title = page.drawn[0];
        EXPECT_EQ(title.kind, RecordingPrinter::Drawn::Text);
        EXPECT_EQ(title.at, QPointF(0, 0));
        EXPECT_EQ(title.text, job.title);
        EXPECT_EQ(title.fontFamily, QStringLiteral("Arial"));
        EXPECT_EQ(title.fontPoints, 12);
        EXPECT_TRUE(title.bold);
        EXPECT_FALSE(title.italic);
        const RecordingPrinter::Drawn& picture = page.drawn[1];
        EXPECT_EQ(picture.kind, RecordingPrinter::Drawn::Picture);
        EXPECT_EQ(picture.at, QPointF(1200, 900));
        // At 15 twips per pixel the image lies on the page pixel for pixel, from (80, 60).
        EXPECT_EQ(page.image.copy(80, 60, 617, 225), job.image);
        // The title is black ink in the top-left corner, above the image.
        bool ink = false;
        for (int y = 0; y < 20 && !ink; ++y)
            for (int x = 0; x < 60 && !ink; ++x) ink = qGray(page.image.pixel(x, y)) < 100;
        EXPECT_TRUE(ink);
    }
}

TEST(PrintCopies, anEmptyTitleLeavesOnlyTheImage) {
    RecordingPrinter printer;
    PrintJob job;
    job.image = sample(785, 57);
    EXPECT_EQ(printCopies(printer, job), PrintOutcome::Printed);
    ASSERT_EQ(printer.pages.size(), 1u);
    ASSERT_EQ(printer.pages[0].drawn.size(), 1u);
    EXPECT_EQ(printer.pages[0].drawn[0].kind, RecordingPrinter::Drawn::Picture);
    EXPECT_EQ(printer.jobNames.front(), QStringLiteral("Ondalis"));
}

TEST(PrintCopies, tellsADeclinedJobFromAFailedOne) {
    PrintJob job;
    job.image = sample(10, 10);
    RecordingPrinter declining;
    declining.declineStart = true;
    EXPECT_EQ(printCopies(declining, job), PrintOutcome::Declined);
    EXPECT_TRUE(declining.pages.empty());

    RecordingPrinter refusing;
    refusing.failAtEnd = QStringLiteral("L'impression a échoué.");
    job.copies = 2;
    EXPECT_EQ(printCopies(refusing, job), PrintOutcome::Failed);
    EXPECT_EQ(refusing.errorText(), refusing.failAtEnd);
    EXPECT_EQ(refusing.documentsEnded, 1);
}

}  // namespace
}  // namespace ondalis::testing
