#include "platform/widgets/richtextpane.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "platform/core/filepaths.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

namespace ondalis {

namespace {

void appendFrame(const QTextFrame* frame, QStringList& paragraphs);

void appendBlock(const QTextBlock& block, QStringList& paragraphs) {
    QString text = block.text();
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    paragraphs << text;
}

void appendCell(const QTextTableCell& cell, QStringList& paragraphs) {
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (it.currentBlock().isValid())
            appendBlock(it.currentBlock(), paragraphs);
        else if (it.currentFrame())
            appendFrame(it.currentFrame(), paragraphs);
    }
}

void appendFrame(const QTextFrame* frame, QStringList& paragraphs) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (it.currentBlock().isValid()) {
            appendBlock(it.currentBlock(), paragraphs);
            continue;
        }
        const QTextFrame* child = it.currentFrame();
        const auto* table = qobject_cast<const QTextTable*>(child);
        if (!table) {
            if (child) appendFrame(child, paragraphs);
            continue;
        }
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c) continue;
                QStringList inCell;
                appendCell(cell, inCell);
                cells << inCell.join(QLatin1Char(' '));
            }
            paragraphs << cells.join(QLatin1Char('\t'));
        }
    }
}

}  // namespace

QString plainTextOf(const QTextDocument& document) {
    QStringList paragraphs;
    appendFrame(document.rootFrame(), paragraphs);
    return paragraphs.join(QLatin1String("\r\n"));
}

QFont RichTextPane::defaultFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Arial")});
    f.setPointSizeF(10);
    return f;
}

RichTextPane::RichTextPane(QWidget* parent) : QTextEdit(parent) {
    document()->setDefaultFont(defaultFont());
    setAcceptRichText(true);
    setTabChangesFocus(false);
}

bool RichTextPane::loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError || !rtf::isRtf(data)) return false;
    // Read into a document that nothing shows yet: the view then lays the text out once,
    // as it is shown, instead of following the reading.
    auto* loaded = new QTextDocument(this);
    loaded->setDefaultFont(defaultFont());
    rtf::read(data, *loaded);
    QTextDocument* previous = document();
    const bool ownPrevious = previous->parent() == this;
    setDocument(loaded);
    if (ownPrevious) delete previous;
    moveCursor(QTextCursor::Start);
    return true;
}

QByteArray RichTextPane::rtf() const { return rtf::write(*document()); }

bool RichTextPane::saveFile(const QString& path, QString* error) const {
    return writeFileSafely(path, rtf(), error);
}

void RichTextPane::setEditable(bool editable) {
    setReadOnly(!editable);
    setTextInteractionFlags(editable ? Qt::TextEditorInteraction
                                     : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void RichTextPane::setSelection(int start, int length) {
    QTextCursor c(document());
    const int last = c.document()->characterCount() - 1;
    start = std::clamp(start, 0, last);
    c.setPosition(start);
    c.setPosition(std::clamp(start + std::max(0, length), 0, last), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int RichTextPane::selectionStart() const { return textCursor().selectionStart(); }

int RichTextPane::selectionLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString RichTextPane::selectedText() const {
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    s.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return s;
}

QTextCharFormat RichTextPane::selectionFormat() const {
    QTextCursor c = textCursor();
    if (c.hasSelection()) c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

Qt::Alignment RichTextPane::selectionAlignment() const {
    QTextCursor c = textCursor();
    c.setPosition(c.selectionStart());
    return c.blockFormat().alignment();
}

void RichTextPane::mergeSelectionFormat(const QTextCharFormat& format) {
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.mergeCharFormat(format);
    else
        mergeCurrentCharFormat(format);
}

namespace {

// Applies `change` to each paragraph the selection touches; a selection that ends at the
// start of a paragraph leaves that paragraph alone.
template <typename Change>
void forSelectedBlocks(QTextDocument* document, const QTextCursor& selection, Change change) {
    int end = selection.selectionEnd();
    if (selection.hasSelection() && document->findBlock(end).position() == end) --end;
    QTextCursor c(document);
    c.beginEditBlock();
    for (QTextBlock b = document->findBlock(selection.selectionStart()); b.isValid();
         b = b.next()) {
        if (b.position() > end) break;
        c.setPosition(b.position());
        QTextBlockFormat f = c.blockFormat();
        change(f);
        c.setBlockFormat(f);
    }
    c.endEditBlock();
}

}  // namespace

void RichTextPane::setSelectionAlignment(Qt::Alignment alignment) {
    forSelectedBlocks(document(), textCursor(),
                      [alignment](QTextBlockFormat& f) { f.setAlignment(alignment); });
}

void RichTextPane::setSelectionIndent(double pixels) {
    forSelectedBlocks(document(), textCursor(),
                      [pixels](QTextBlockFormat& f) { f.setLeftMargin(pixels); });
}

std::unique_ptr<QTextDocument> RichTextPane::documentToPrint() const {
    std::unique_ptr<QTextDocument> copy(document()->clone());
    const QTextCursor selection = textCursor();
    if (!selection.hasSelection()) return copy;
    // Everything after the selection, then everything before it.
    QTextCursor c(copy.get());
    c.setPosition(selection.selectionEnd());
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    c.setPosition(0);
    c.setPosition(selection.selectionStart(), QTextCursor::KeepAnchor);
    c.removeSelectedText();
    return copy;
}

}  // namespace ondalis
