#include "simulation/widgets/parameterspanel.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "simulation/parameters.h"

namespace ondalis {

namespace {

struct FieldLabel {
    const char* heading;
    const char* measure;  // the label ends where this text, written from its start, would end
    const char* symbol;
    const char* lowered;
    const char* range;
    const char* unit;
    const char* raised;
    const char* accessible;
};

constexpr FieldLabel labels[4] = {
    {"Position initiale", "x0 (-10 à 10) = ", "x", "0", " (-10 à 10) =", " cm", "",
     "Position initiale x0 en centimètres, de -10 à 10"},
    {"Masse", "m (1 à 50 000) = ", "m", "", " (10 à 5 000) =", " g", "",
     "Masse m en grammes, de 10 à 5 000"},
    {"Raideur du ressort", "k (1 à 1 000) = ", "k", "", " (1 à 1 000) =", " N · m", "-1",
     "Raideur du ressort k en newtons par mètre, de 1 à 1 000"},
    {"Coefficient de frottement", "h (0 à 1 000) = ", "h", "", " (0 à 1 000) =", " N · s · m", "-1",
     "Coefficient de frottement h en newtons seconde par mètre, de 0 à 1 000"},
};

constexpr int fieldTops[4] = {16, 44, 74, 104};

// Writes text shifted vertically by dy, then returns to the line.
void printShifted(DrawingSurface& s, const QString& text, int dy) {
    if (text.isEmpty()) return;
    const double y = s.currentY();
    s.setCurrentY(y + dy);
    s.print(text);
    s.setCurrentY(y);
}

bool isWindowSwitch(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

void paintParametersPanel(DrawingSurface& s, const std::array<QRect, 4>& fields) {
    s.clearPicture();
    s.setBackColor(panelColor());
    s.setForeColor(Qt::black);
    s.setFont(QStringLiteral("Arial"), 8, true, false);
    for (int i = 0; i < 4; ++i)
        s.printAt(18, fields[i].top() + 2, QString::fromUtf8(labels[i].heading));

    s.setFontBold(false);
    for (int i = 0; i < 4; ++i) {
        const FieldLabel& l = labels[i];
        const QRect& f = fields[i];
        s.moveTo(f.left() - s.textWidth(QString::fromUtf8(l.measure)), f.top() + 2);
        s.setFontItalic(true);
        s.print(QString::fromUtf8(l.symbol));
        s.setFontItalic(false);
        printShifted(s, QString::fromUtf8(l.lowered), 4);
        s.print(QString::fromUtf8(l.range));

        s.moveTo(f.left() + f.width(), f.top() + 2);
        s.print(QString::fromUtf8(l.unit));
        printShifted(s, QString::fromUtf8(l.raised), -4);
    }
}

ParameterEdit::ParameterEdit(QWidget* parent) : QLineEdit(parent) {}

void ParameterEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    const QString text = event->text();
    // Character keys go through the filter; editing, navigation and shortcut keys
    // (arrows, Delete, Ctrl+V, Tab…) keep their usual meaning.
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        const auto accepted = filterParameterKey(text[0]);
        if (!accepted) return;
        if (*accepted != text[0]) {
            insert(QString(*accepted));
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void ParameterEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!isWindowSwitch(event->reason())) emit entered();
}

void ParameterEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!isWindowSwitch(event->reason())) emit left();
}

ParametersPanel::ParametersPanel(QWidget* parent) : DrawingSurface(parent) {
    setObjectName(QStringLiteral("Picture3"));
    setAccessibleName(QStringLiteral("Paramètres"));
    const auto defaults = defaultParameterTexts();
    for (int i = 0; i < 4; ++i) {
        auto* edit = new ParameterEdit(this);
        edit->setObjectName(QStringLiteral("Text5_%1").arg(i));
        edit->setAccessibleName(QString::fromUtf8(labels[i].accessible));
        edit->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
        edit->setGeometry(256, fieldTops[i], 81, 21);
        edit->setText(defaults[i]);
        Text5[i] = edit;
    }
    setTabOrder(Text5[0], Text5[1]);
    setTabOrder(Text5[1], Text5[2]);
    setTabOrder(Text5[2], Text5[3]);
}

void ParametersPanel::Picture3_Paint() {
    std::array<QRect, 4> fields;
    for (int i = 0; i < 4; ++i) fields[i] = Text5[i]->geometry();
    paintParametersPanel(*this, fields);
}

void ParametersPanel::resizeEvent(QResizeEvent* event) {
    DrawingSurface::resizeEvent(event);
    Picture3_Paint();
}

}  // namespace ondalis
