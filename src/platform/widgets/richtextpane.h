#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextEdit>
#include <memory>

class QTextDocument;

namespace ondalis {

// The paragraphs of `document` as plain text: paragraphs separated by CR LF, the cells of a
// table row by TAB, a line break inside a paragraph as CR LF, a picture as U+FFFC.
QString plainTextOf(const QTextDocument& document);

// The rich-text pane: a text edit that loads and saves RTF files, with the selection
// operations the program's texts are written with. Typing stays fast in a long text: nothing
// here looks at the whole document on a key press.
class RichTextPane : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget* parent = nullptr);

    // Replaces the text with the RTF file at `path`, in a new document (document() changes;
    // the pane's textChanged() is the signal to follow). When the file cannot be read or is
    // not RTF, returns false and the pane keeps its text.
    bool loadFile(const QString& path);
    // Writes the text to `path` as RTF, through a temporary file that replaces the old one
    // only once complete: a failed save leaves the old file as it was. On failure returns
    // false with the reason in `error` (when given).
    bool saveFile(const QString& path, QString* error = nullptr) const;
    // The text as RTF.
    QByteArray rtf() const;

    QString plainText() const { return plainTextOf(*document()); }

    // Editable, or read-only: a read-only text can still be selected and read with the
    // keyboard, but typing changes nothing.
    void setEditable(bool editable);

    // Selection, in characters of the document (a paragraph break counts as one).
    void setSelection(int start, int length);
    int selectionStart() const;
    int selectionLength() const;
    QString selectedText() const;
    // The font and colour of the selection's first character (of the character before the
    // caret when nothing is selected) and the alignment of its first paragraph.
    QTextCharFormat selectionFormat() const;
    Qt::Alignment selectionAlignment() const;
    // Apply to the selected characters, or to the paragraphs the selection touches. A
    // selection ending at the very start of a paragraph does not touch that paragraph.
    void mergeSelectionFormat(const QTextCharFormat& format);
    void setSelectionAlignment(Qt::Alignment alignment);
    void setSelectionIndent(double pixels);

    // The document to print: a copy of the selection, or of the whole text when nothing is
    // selected, with its formatting and pictures.
    std::unique_ptr<QTextDocument> documentToPrint() const;

    // The font new text takes in an empty pane: "Arial" 10 points.
    static QFont defaultFont();
};

}  // namespace ondalis
