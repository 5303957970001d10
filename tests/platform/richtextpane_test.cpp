#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "file_size_limit.h"
#include "platform/widgets/richtextpane.h"
#include "rtf_samples.h"

namespace ondalis::testing {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(RichTextPane, aFileThatCannotBeReadOrIsNotRtfLeavesTheTextAsItWas) {
    QTemporaryDir dir;
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(rtfSample(QStringLiteral("regime-wordpad.rtf"))));
    const QString before = pane.plainText();
    const QString notRtf = dir.filePath(QStringLiteral("notes.rtf"));
    writeFile(notRtf, "Juste du texte.");
    for (const QString& path : {notRtf, dir.filePath(QStringLiteral("absent.rtf")), dir.path()}) {
        EXPECT_FALSE(pane.loadFile(path)) << path.toStdString();
        EXPECT_EQ(pane.plainText(), before) << path.toStdString();
    }
}

TEST(RichTextPane, savingWritesRtfAndAFailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("réponse.rtf"));
    const QByteArray old = "{\\rtf1 ancienne version}";
    writeFile(path, old);
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(rtfSample(QStringLiteral("enonce-libreoffice.rtf"))));
    {
        // The disk fills up in the middle of the write.
        FileSizeLimit limit(512);
        QString error;
        EXPECT_FALSE(pane.saveFile(path, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("réponse.rtf")});

    ASSERT_TRUE(pane.saveFile(path));
    RichTextPane again;
    ASSERT_TRUE(again.loadFile(path));
    EXPECT_EQ(again.plainText(), pane.plainText());
    EXPECT_EQ(formattingOf(*again.document()), formattingOf(*pane.document()));
}

TEST(RichTextPane, readOnlyIgnoresTypingAndEditableTakesIt) {
    RichTextPane pane;
    pane.setPlainText(QStringLiteral("abc"));
    pane.setEditable(false);
    pane.moveCursor(QTextCursor::End);
    QTest::keyClicks(&pane, QStringLiteral("xy"));
    EXPECT_EQ(pane.plainText(), QStringLiteral("abc"));
    EXPECT_TRUE(pane.textInteractionFlags() & Qt::TextSelectableByKeyboard);
    pane.setEditable(true);
    pane.moveCursor(QTextCursor::End);
    QTest::keyClicks(&pane, QStringLiteral("xy"));
    EXPECT_EQ(pane.plainText(), QStringLiteral("abcxy"));
}

TEST(RichTextPane, selectionFormattingAndTheDocumentToPrint) {
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(rtfSample(QStringLiteral("regime-wordpad.rtf"))));
    // Nothing selected: everything is printed, pictures and formatting included.
    EXPECT_EQ(plainTextOf(*pane.documentToPrint()), pane.plainText());
    EXPECT_EQ(formattingOf(*pane.documentToPrint()), formattingOf(*pane.document()));

    // "Question 1 : pour" selected: only that is printed, with its bold.
    const int start = int(pane.document()->toRawText().indexOf(QStringLiteral("Question")));
    pane.setSelection(start, 17);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("Question 1 : pour"));
    EXPECT_EQ(pane.selectionStart(), start);
    EXPECT_EQ(pane.selectionLength(), 17);
    const auto printed = pane.documentToPrint();
    EXPECT_EQ(plainTextOf(*printed), QStringLiteral("Question 1 : pour"));
    EXPECT_TRUE(QTextCursor(printed.get()).block().begin().fragment().charFormat().fontWeight() >=
                QFont::Bold);

    // A selection that ends at the start of a paragraph does not reach that paragraph.
    const int title = 0, titleLength = int(QStringLiteral("Régime critique").size()) + 1;
    pane.setSelection(title, titleLength);
    pane.setSelectionIndent(40);
    pane.setSelectionAlignment(Qt::AlignRight);
    EXPECT_EQ(pane.document()->firstBlock().blockFormat().leftMargin(), 40);
    EXPECT_EQ(pane.selectionAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_NE(pane.document()->firstBlock().next().blockFormat().leftMargin(), 40);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    pane.mergeSelectionFormat(red);
    EXPECT_EQ(pane.selectionFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(pane.selectionFormat().fontPointSize(), 18);
}

}  // namespace
}  // namespace ondalis::testing
