#include "scene/readouts.h"

#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

namespace {

// How a quantity's name is drawn before its label.
enum class Mark { None, OneDot, TwoDots, Subscript };

struct ReadoutDecoration {
    const char* name;  // written in bold italic
    Mark mark;
    const char* lowered;   // subscript of an energy
    const char* measured;  // the text whose width places the name
    const char* unit;
    const char* raised;  // exponent of the unit
};

constexpr ReadoutDecoration decorations[ReadoutCount] = {
    {"t = ", Mark::None, "", "t = ", " s", ""},
    {"x = ", Mark::None, "", "x = ", " cm", ""},
    {"x = ", Mark::OneDot, "", "x = ", " m · s", "-1"},
    {"x = ", Mark::TwoDots, "", "x = ", " m · s", "-2"},
    {"E", Mark::Subscript, "c", "Ec = ", " J", ""},
    {"E", Mark::Subscript, "pe", "Epe = ", " J", ""},
    {"E", Mark::Subscript, "m", "Em = ", " J", ""},
};

void dot(Canvas& panel, double x, double y) {
    panel.circle(x, y, 1, Qt::black);
    panel.point(x, y, Qt::black);
}

}  // namespace

const std::array<const char*, ReadoutCount>& readoutLabelNames() {
    static const std::array<const char*, ReadoutCount> names = {
        "Label3", "Label1", "Label6", "Label7", "Label5", "Label8", "Label9"};
    return names;
}

std::array<QRect, ReadoutCount> readoutLabelRects() {
    std::array<QRect, ReadoutCount> rects;
    for (int i = 0; i < ReadoutCount; ++i) rects[i] = QRect(42, 8 + 22 * i, 69, 19);
    return rects;
}

QString readoutText(double v) { return formatFixed2(v); }

QString energyReadoutText(float e) {
    float s = e;
    if (s < 1) s = s * 1000;
    QString text = formatFixed2(s);
    if (e < 1) text += QStringLiteral(" m");
    return text;
}

std::array<QString, ReadoutCount> readoutTexts(const MotionSample& s) {
    return {readoutText(s.t),       readoutText(s.x),        readoutText(s.v),
            readoutText(s.a),       energyReadoutText(s.ec), energyReadoutText(s.epe),
            energyReadoutText(s.em)};
}

void appareil(Canvas& panel, const std::array<QRect, ReadoutCount>& labels) {
    panel.clear();
    const int w = panel.imageWidth();
    const int h = panel.imageHeight();

    // Raised bevel: white and light grey on the top and left, greys on the bottom and right.
    panel.box(0, 0, w - 1, h - 1, QColor(70, 70, 70));
    panel.box(0, 0, w - 2, h - 2, Qt::white);
    panel.box(1, 1, w - 2, h - 2, QColor(100, 100, 100));
    panel.box(1, 1, w - 3, h - 3, QColor(230, 230, 230));

    // Shading: white in the middle, grey 125 at the sides. The columns stop above the bevel's
    // bottom shadow so that the frame stays whole.
    const double m = w / 2.0;
    const int lastColumn = int(roundHalfEven(w - 3.0));
    for (int i = 2; i <= lastColumn; ++i) {
        const int c = int(255 - 130 * std::abs(i - m) / m);
        panel.line(i, 2, i, h - 3, QColor(c, c, c));
    }

    panel.setFont(QStringLiteral("Arial"), 8, true, true);
    panel.setForeColor(Qt::black);
    for (int i = 0; i < ReadoutCount; ++i) {
        const ReadoutDecoration& d = decorations[i];
        const QRect& r = labels[i];
        const double lx = r.left() - panel.textWidth(QString::fromUtf8(d.measured));
        const double ly = r.top() + 2;
        panel.setFontItalic(true);
        panel.printAt(lx, ly, QString::fromUtf8(d.name));
        switch (d.mark) {
            case Mark::None:
                break;
            case Mark::OneDot:
                dot(panel, lx + 2, ly + 1);
                break;
            case Mark::TwoDots:
                dot(panel, lx + 1, ly + 1);
                dot(panel, lx + 4, ly + 1);
                break;
            case Mark::Subscript:
                panel.setFontItalic(false);
                panel.setCurrentY(ly + 3);
                panel.print(QString::fromUtf8(d.lowered));
                panel.setCurrentY(ly);
                panel.print(QStringLiteral(" ="));
                break;
        }
    }

    // Units, upright after the energies' subscripts switched italic off.
    panel.setFontItalic(false);
    for (int i = 0; i < ReadoutCount; ++i) {
        const ReadoutDecoration& d = decorations[i];
        const QRect& r = labels[i];
        const double ly = r.top() + 2;
        panel.printAt(r.left() + r.width(), ly, QString::fromUtf8(d.unit));
        if (*d.raised != '\0') {
            panel.setCurrentY(ly - 4);
            panel.print(QString::fromUtf8(d.raised));
            panel.setCurrentY(ly);
        }
    }
}

}  // namespace ondalis
