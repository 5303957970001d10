#pragma once

#include <QLabel>
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

protected:
    // A readout is drawn from glyphs laid out once, as QLabel would draw it.
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool paintFromGlyphs();

    class Glyphs;
    Role role_;
    std::unique_ptr<Glyphs> glyphs_;
    QString paintedText_;  // until the glyphs are laid out
};

// Tells a listening screen reader that the text shown by `label` changed (for texts that change
// at the user's pace, like the status line); does nothing when no screen reader listens.
void announceTextChange(QWidget* label);

}  // namespace ondalis
