#include "graph/graphframe.h"

#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/canvas/palette.h"
#include "platform/core/numberformat.h"

namespace ondalis {

double fullScaleValue(int quantity, float x0, float m, float k) {
    const double ax0 = std::fabs(double(x0));
    switch (quantity) {
        case PlotVelocity:
            return ax0 / 100.0 * std::sqrt(double(k) / (double(m) / 1000.0));
        case PlotAcceleration:
            return ax0 * 10.0 * double(k) / double(m);
        case PlotEnergies: {
            const double xm = double(x0) / 100.0;
            return 0.5 * double(k) * xm * xm;
        }
        default:
            return ax0;
    }
}

float graphFullScale(int quantity, float x0, float m, float k) {
    return roundTwoSignificant(fullScaleValue(quantity, x0, m, k));
}

QStringList graphTimeLabels(float duration, int quantity) {
    QStringList labels;
    for (int i = quantity == PlotEnergies ? 0 : 1; i <= 10; ++i)
        labels << formatGeneral(float(i) * duration / 10.0f);
    return labels;
}

QStringList graphVerticalLabels(float ymax, int quantity) {
    QStringList labels;
    const bool energy = quantity == PlotEnergies;
    for (int i = energy ? 0 : -10; i <= 10; i += energy ? 1 : 2)
        labels << formatGeneral(float(i) * ymax / 10.0f);
    return labels;
}

namespace {

void drawVerticalTitle(Canvas& f, int quantity, const CurveColors& colors) {
    const QColor black(Qt::black);
    const auto italic = [&](const QString& s) {
        f.setFontItalic(true);
        f.print(s);
        f.setFontItalic(false);
    };
    const auto shiftY = [&](double dy) { f.setCurrentY(f.currentY() + dy); };
    const auto dot = [&](double x, double y) {
        f.circle(x, y, 1, black);
        f.point(x, y, black);
    };
    f.moveTo(57, 1);
    switch (quantity) {
        case PlotVelocity:
        case PlotAcceleration:
            italic(QStringLiteral("x"));
            f.print(QStringLiteral("  (m · s"));
            shiftY(-3);
            f.print(quantity == PlotVelocity ? QStringLiteral("-1") : QStringLiteral("-2"));
            shiftY(3);
            f.print(QStringLiteral(")"));
            if (quantity == PlotVelocity) {
                dot(60, 3);
            } else {
                dot(58, 3);
                dot(62, 3);
            }
            break;
        case PlotEnergies: {
            const auto energy = [&](const QColor& c, const QString& subscript) {
                f.setForeColor(c);
                italic(QStringLiteral("E"));
                shiftY(3);
                f.print(subscript);
                shiftY(-3);
            };
            energy(colors.ec, QStringLiteral("c"));
            f.setForeColor(black);
            f.print(QStringLiteral(" ; "));
            energy(colors.epe, QStringLiteral("pe"));
            f.setForeColor(black);
            f.print(QStringLiteral(" ; "));
            energy(colors.em, QStringLiteral("m"));
            f.setForeColor(black);
            f.print(QStringLiteral(" (J)"));
            break;
        }
        default:
            italic(QStringLiteral("x"));
            f.print(QStringLiteral("  (cm)"));
            break;
    }
}

}  // namespace

void echgraph(Canvas& f, GraphScale& scale, int quantity, float duration, float x0, float m,
              float k, const CurveColors& colors) {
    f.clear();
    scale.quantity = quantity;
    if (duration == 0) return;
    const QColor black(Qt::black);
    const QColor grey = qbColor(7);
    f.setForeColor(black);
    f.setFont(QStringLiteral("Arial"), 8);
    const double fullScale = fullScaleValue(quantity, x0, m, k);
    const bool energy = quantity == PlotEnergies;

    // Vertical grid lines, each with its time label centred under it.
    const QStringList times = graphTimeLabels(duration, quantity);
    for (int i = 0; i <= 10; ++i) {
        const int x = 50 + 50 * i;
        if (energy) {
            f.line(x, 20, x, 200, grey);
        } else {
            f.line(x, 15, x, 117, grey);
            f.line(x, 127, x, 215, grey);
        }
        if (energy || i > 0) {
            const QString& s = times[energy ? i : i - 1];
            f.printAt(x - f.textWidth(s) / 2.0, energy ? 200 : 115, s);
        }
    }
    // Horizontal grid lines.
    for (int j = 0; j <= 10; ++j) {
        const int y = energy ? 20 + 18 * j : 15 + 20 * j;
        f.line(50, y, 550, y, grey);
    }
    // Time axis and its arrow head, vertical axis and its arrow head.
    const int axisY = energy ? 200 : 115;
    f.line(50, axisY, 580, axisY, black);
    f.line(574, axisY - 3, 580, axisY, black);
    f.line(574, axisY + 3, 580, axisY, black);
    f.line(50, 5, 50, energy ? 200 : 215, black);
    f.line(47, 11, 50, 5, black);
    f.line(53, 11, 50, 5, black);

    // Titles.
    f.moveTo(570, energy ? 182 : 97);
    f.setFontItalic(true);
    f.print(QStringLiteral("t"));
    f.setFontItalic(false);
    f.print(QStringLiteral("  (s)"));
    drawVerticalTitle(f, quantity, colors);

    // Full scale rounded to two significant digits, and the vertical labels.
    scale.ymax = roundTwoSignificant(fullScale);
    const QStringList values = graphVerticalLabels(scale.ymax, quantity);
    for (int n = 0; n < values.size(); ++n) {
        const int i = energy ? n : -10 + 2 * n;
        const int top = energy ? 192 - 18 * i : 107 - 10 * i;
        f.printAt(45 - f.textWidth(values[n]), top, values[n]);
    }
}

}  // namespace ondalis
