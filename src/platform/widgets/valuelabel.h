#pragma once

#include <QLabel>
#include <QPointF>
#include <QVarLengthArray>
#include <memory>

namespace ondalis {

// A label that shows a value: a readout of the motion or the status line. A plain label's
// accessible name replaces its text, so a screen reader would hear only the name; this one
// gives the accessible name as the quantity and the shown text as the value and the
// description, read when the screen reader asks (nothing is done when the text changes).
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    enum class Role { Readout, StatusLine };
    explicit ValueLabel(QWidget* parent = nullptr, Role role = Role::Readout);
    ~ValueLabel() override;

    Role role() const { return role_; }
    // setText for a value that changes often: repaints only where the digits change.
    void setValueText(const QString& text);

protected:
    // A readout is drawn from glyphs laid out once, as QLabel would draw it. A label with
    // Qt::WA_OpaquePaintEvent and autoFillBackground paints its background itself.
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct GlyphLine {
        QString text;  // null: nothing laid out
        QRect area;    // the contents rectangle and alignment it was laid out in
        Qt::Alignment alignment;
        QVarLengthArray<quint32, 16> indexes;
        QVarLengthArray<QPointF, 16> positions;
        QPointF origin;  // of the first glyph, on the baseline
        bool clipped = false;
        QRect ink;
    };
    bool glyphsUsable() const;
    const GlyphLine* layOutGlyphs(const QString& text);
    bool paintFromGlyphs(bool background);

    class Glyphs;
    Role role_;
    std::unique_ptr<Glyphs> glyphs_;
    GlyphLine lines_[2];
    int nextLine_ = 0;
    QString paintedText_;  // until the glyphs are laid out
};

// Tells a listening screen reader that the text shown by `label` changed (for texts that change
// at the user's pace, like the status line); does nothing when no screen reader listens.
void announceTextChange(QWidget* label);

}  // namespace ondalis
