#include "analysis/energybars.h"

#include <algorithm>
#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

void EnergyBars::reset(const MotionSample& atRelease) { e0_ = atRelease.em; }

EnergyValues EnergyBars::valuesAt(const MotionSample& s) const {
    return {s.ec, s.epe, s.em, e0_ - double(s.em)};
}

int EnergyBars::barHeight(double joules) const {
    if (!(e0_ > 0) || !(joules > 0)) return 0;
    const double full = Base - FullTop;
    return int(std::lround(std::min(1.0, joules / e0_) * full));
}

QString EnergyBars::barName(int index) {
    static const char* const names[] = {"Ec", "Epe", "Em", "Dissipée"};
    return QString::fromUtf8(names[std::clamp(index, 0, 3)]);
}

void EnergyBars::draw(Canvas& canvas, const MotionSample& s) const {
    static const QColor colours[] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 128, 0),
                                     QColor(128, 128, 128)};
    const EnergyValues v = valuesAt(s);
    const double values[] = {v.ec, v.epe, v.em, v.dissipated};
    Canvas::Batch batch(canvas);
    canvas.clear();
    canvas.setFont(QStringLiteral("Arial"), 8);
    // The scale: the initial energy at the top, 0 at the base.
    canvas.line(20, FullTop, Width - 10, FullTop, QColor(190, 190, 190));
    canvas.line(20, Base, Width - 10, Base, Qt::black);
    canvas.setForeColor(Qt::black);
    canvas.printAt(22, FullTop - 14,
                   QStringLiteral("E(0) = %1 J").arg(formatThreeSignificant(e0_)));
    for (int i = 0; i < 4; ++i) {
        const int left = barLeft(i);
        const int hgt = barHeight(values[i]);
        if (hgt > 0) canvas.fillBox(left, Base - hgt, left + BarWidth - 1, Base - 1, colours[i]);
        canvas.setForeColor(Qt::black);
        const QString name = barName(i);
        canvas.printAt(left + (BarWidth - canvas.textWidth(name)) / 2.0, Base + 3, name);
        const QString value = formatThreeSignificant(values[i]);
        canvas.printAt(left + (BarWidth - canvas.textWidth(value)) / 2.0, Base + 16, value);
    }
}

}  // namespace ondalis
