#include "parameterspanel.h"

#include "drawingsurface.h"

namespace ondalis {

namespace {

struct FieldLabel {
    const char* heading;
    const char* measure;  // the label ends where this text, drawn from its start, would end
    const char* symbol;
    const char* lowered;
    const char* range;
    const char* unit;
    const char* raised;
};

constexpr FieldLabel labels[4] = {
    {"Position initiale", "x0 (-10 à 10) = ", "x", "0", " (-10 à 10) =", " cm", ""},
    {"Masse", "m (1 à 50 000) = ", "m", "", " (10 à 5 000) =", " g", ""},
    {"Raideur du ressort", "k (1 à 1 000) = ", "k", "", " (1 à 1 000) =", " N · m", "-1"},
    {"Coefficient de frottement", "h (0 à 1 000) = ", "h", "", " (0 à 1 000) =", " N · s · m",
     "-1"},
};

// Writes text shifted vertically by dy, then returns to the line.
void printShifted(DrawingSurface& s, const QString& text, int dy) {
    if (text.isEmpty()) return;
    const double y = s.currentY();
    s.setCurrentY(y + dy);
    s.print(text);
    s.setCurrentY(y);
}

}  // namespace

void paintParametersPanel(DrawingSurface& s, const std::array<QRect, 4>& fields) {
    s.clearPicture();
    s.setBackColor(QColor(PanelRed, PanelGreen, PanelBlue));
    s.setForeColor(Qt::black);
    s.setFont(QStringLiteral("Arial"), 8, true, false);
    for (int i = 0; i < 4; ++i) s.printAt(18, fields[i].top() + 2, QString::fromUtf8(labels[i].heading));

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

}  // namespace ondalis
