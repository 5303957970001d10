#include "platform/widgets/valuelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QStyle>
#include <QTextLayout>
#include <QVarLengthArray>
#include <array>

namespace ondalis {

namespace {

// Name: the quantity; value, description and text content: the shown text. The text
// interface is read-only: no caret, no selection.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(ValueLabel* label)
        : QAccessibleWidget(label, label->role() == ValueLabel::Role::StatusLine
                                       ? QAccessible::StatusBar
                                       : QAccessible::StaticText) {}
    const ValueLabel* label() const { return static_cast<const ValueLabel*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return label()->text().mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return int(label()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return label()->accessibleName();
            case QAccessible::Value:
            case QAccessible::Description:
                return label()->text();
            default:
                return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* valueLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ondalis::ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<ValueLabel*>(object));
    return nullptr;
}

// The characters of the readouts' texts. A text made of them only is drawn from their glyphs,
// laid out once per character and per pair of characters (so that kerning is kept), instead of
// being shaped again at each paint: the pixels are those QLabel draws.
constexpr char readoutCharacters[] = "0123456789,.-+ m";
constexpr int readoutCharacterCount = int(sizeof(readoutCharacters)) - 1;

int readoutCharacter(QChar c) {
    for (int i = 0; i < readoutCharacterCount; ++i)
        if (c == QLatin1Char(readoutCharacters[i])) return i;
    return -1;
}

// A text in which each ordered pair of the readout characters follows each other once (a de
// Bruijn sequence: each character, then each with every later one), so that one layout gives
// the advance of every character followed by every other.
QString everyPair() {
    QString text;
    for (int i = 0; i < readoutCharacterCount; ++i) {
        text += QLatin1Char(readoutCharacters[i]);
        for (int j = i + 1; j < readoutCharacterCount; ++j) {
            text += QLatin1Char(readoutCharacters[i]);
            text += QLatin1Char(readoutCharacters[j]);
        }
    }
    return text + text.front();
}

QTextLine layOut(QTextLayout& layout) {
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

}  // namespace

// The glyphs of the readout characters in one font, laid out once: each one's glyph, its
// advance before each other character and at the end of a text, and the line's metrics.
class ValueLabel::Glyphs {
public:
    explicit Glyphs(const QFont& font) {
        for (int c = 0; c < readoutCharacterCount; ++c) {
            QTextLayout layout(QString(QLatin1Char(readoutCharacters[c])), font);
            const QTextLine line = layOut(layout);
            advances_[c][readoutCharacterCount] = line.horizontalAdvance();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            if (runs.size() != 1 || runs.front().glyphIndexes().size() != 1) continue;
            const QGlyphRun& run = runs.front();
            if (!raw_.isValid()) {
                raw_ = run.rawFont();
                ascent_ = line.ascent();
                height_ = line.height();
            } else if (run.rawFont() != raw_) {
                continue;  // drawn from a fallback font
            }
            index_[c] = run.glyphIndexes().front();
            ink_[c] = raw_.boundingRect(index_[c]);
            usable_[c] = true;
        }
        const QString pairs = everyPair();
        QTextLayout layout(pairs, font);
        const QTextLine line = layOut(layout);
        for (qsizetype i = 0; i + 1 < pairs.size(); ++i)
            advances_[readoutCharacter(pairs[i])][readoutCharacter(pairs[i + 1])] =
                line.cursorToX(int(i + 1)) - line.cursorToX(int(i));
    }

    // False when the character is not drawn as a glyph of the label's own font.
    bool glyph(int c, quint32& index) const {
        index = index_[c];
        return usable_[c];
    }
    // Advance of character c followed by `next` (-1: at the end of the text).
    qreal advance(int c, int next) const {
        return advances_[c][next < 0 ? readoutCharacterCount : next];
    }
    // Where the glyph of character c has ink, from its origin on the baseline.
    const QRectF& ink(int c) const { return ink_[c]; }
    const QRawFont& rawFont() const { return raw_; }
    qreal ascent() const { return ascent_; }
    qreal height() const { return height_; }

private:
    QRawFont raw_;
    qreal ascent_ = 0;
    qreal height_ = 0;
    std::array<bool, readoutCharacterCount> usable_{};
    std::array<quint32, readoutCharacterCount> index_{};
    std::array<QRectF, readoutCharacterCount> ink_{};
    std::array<std::array<qreal, readoutCharacterCount + 1>, readoutCharacterCount> advances_{};
};

ValueLabel::ValueLabel(QWidget* parent, Role role) : QLabel(parent), role_(role) {
    static const bool installed = [] {
        QAccessible::installFactory(valueLabelFactory);
        return true;
    }();
    (void)installed;
}

ValueLabel::~ValueLabel() = default;

void ValueLabel::paintEvent(QPaintEvent* event) {
    // An opaque label that fills its background paints it itself, with the painter of its text,
    // instead of Qt opening another painter for it first.
    const bool background = testAttribute(Qt::WA_OpaquePaintEvent) && autoFillBackground();
    if (paintFromGlyphs(background)) return;
    if (background) QPainter(this).fillRect(rect(), palette().brush(backgroundRole()));
    QLabel::paintEvent(event);
}

void ValueLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        glyphs_.reset();
    QLabel::changeEvent(event);
}

// Shows `text`. A readout drawn from its glyphs repaints only where the old or the new text has
// ink, not the whole label: the rest of it shows the background either way.
void ValueLabel::setValueText(const QString& text) {
    if (text == this->text()) return;
    const GlyphLine* before = isVisible() && glyphsUsable() ? layOutGlyphs(this->text()) : nullptr;
    const QRect beforeInk = before ? before->ink : QRect();
    const GlyphLine* after = before ? layOutGlyphs(text) : nullptr;
    if (!after) {
        setText(text);
        return;
    }
    // QLabel repaints all of its contents for a new text; the value alone is enough here.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    update(beforeInk | after->ink);
}

// What QLabel draws for a plain one-line text with the Fusion style is drawn from the glyphs:
// the text in the foreground colour, placed in the contents rectangle by the alignment, clipped
// to it when it does not fit. Anything else is left to QLabel.
bool ValueLabel::glyphsUsable() const {
    return role_ == Role::Readout && !wordWrap() && margin() == 0 && indent() < 0 &&
           frameWidth() == 0 && textFormat() != Qt::RichText && isEnabled() &&
           layoutDirection() == Qt::LeftToRight && devicePixelRatioF() == 1.0 &&
           style()->name() == QLatin1String("fusion");
}

// The glyphs of `text` laid out in the label, or null when they cannot be drawn that way. The
// last two layouts are kept: a new value is laid out once for its update and its paint.
const ValueLabel::GlyphLine* ValueLabel::layOutGlyphs(const QString& text) {
    const qsizetype n = text.size();
    if (n == 0 || n > 64 || text.back() == QLatin1Char(' ')) return nullptr;
    if (!glyphs_) {
        // Laid out once the value changes: a label that keeps its text is left to QLabel.
        const bool changing = !paintedText_.isNull() && paintedText_ != text;
        paintedText_ = text;
        if (!changing) return nullptr;
        glyphs_ = std::make_unique<Glyphs>(font());
        lines_[0].text.clear();
        lines_[1].text.clear();
    }
    const QRect r = contentsRect();
    const Qt::Alignment align = alignment();
    for (const GlyphLine& kept : lines_)
        if (!kept.text.isNull() && kept.text == text && kept.area == r && kept.alignment == align)
            return &kept;

    GlyphLine& line = lines_[nextLine_];
    nextLine_ = 1 - nextLine_;
    line.text.clear();
    line.indexes.resize(n);
    line.positions.resize(n);
    qreal width = 0;
    QRectF ink;
    int c = readoutCharacter(text.front());
    for (qsizetype i = 0; i < n; ++i) {
        const int next = i + 1 < n ? readoutCharacter(text[i + 1]) : -1;
        if (c < 0 || (i + 1 < n && next < 0) || !glyphs_->glyph(c, line.indexes[i])) return nullptr;
        line.positions[i] = QPointF(width, 0);
        ink |= glyphs_->ink(c).translated(width, 0);
        width += glyphs_->advance(c, next);
        c = next;
    }

    const qreal height = glyphs_->height();
    qreal dx = 0;
    qreal dy = 0;
    if (align & Qt::AlignRight)
        dx = r.width() - width;
    else if (align & Qt::AlignHCenter)
        dx = (r.width() - width) / 2;
    if (align & Qt::AlignBottom)
        dy = r.height() - height;
    else if (align & Qt::AlignVCenter)
        dy = (r.height() - height) / 2;
    line.origin = QPointF(r.x() + dx, r.y() + dy + glyphs_->ascent());
    line.clipped = width > r.width() || height > r.height();
    // The glyphs' ink, a pixel wider on every side for the antialiased edges.
    line.ink = ink.translated(line.origin).toAlignedRect().adjusted(-1, -1, 1, 1) & r;
    line.area = r;
    line.alignment = align;
    line.text = text;
    return &line;
}

bool ValueLabel::paintFromGlyphs(bool background) {
    const GlyphLine* line = glyphsUsable() ? layOutGlyphs(text()) : nullptr;
    if (!line) return false;
    QGlyphRun run;
    run.setRawFont(glyphs_->rawFont());
    run.setRawData(line->indexes.constData(), line->positions.constData(),
                   int(line->indexes.size()));
    QPainter p(this);
    if (background) p.fillRect(rect(), palette().brush(backgroundRole()));
    p.setPen(QPen(palette().brush(foregroundRole()), 1));
    if (line->clipped) p.setClipRect(line->area, Qt::IntersectClip);
    p.drawGlyphRun(line->origin, run);
    return true;
}

void announceTextChange(QWidget* label) {
    if (!label || !QAccessible::isActive()) return;
    QAccessibleEvent description(label, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

}  // namespace ondalis
