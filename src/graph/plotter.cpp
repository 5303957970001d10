#include "graph/plotter.h"

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

bool tracegraphe(Canvas& f, const GraphScale& scale, PlotMemory& memory, const MotionSample& sample,
                 float duration, bool bold, const CurveColors& colors) {
    // A motion without amplitude (x0 = 0) has no full scale and no curve.
    if (duration <= 0 || float(sample.t) > duration || scale.ymax == 0) return false;
    if (bold) f.setDrawWidth(2);
    const double x = 50 + 500 * sample.t / double(duration);
    const bool energy = scale.quantity == PlotEnergies;
    double y1 = 0, y2 = 0, y3 = 0;
    QColor c1 = colors.position;
    if (energy) {
        y1 = 200.0f - 180.0f * sample.ec / scale.ymax;
        y2 = 200.0f - 180.0f * sample.epe / scale.ymax;
        y3 = 200.0f - 180.0f * sample.em / scale.ymax;
        c1 = colors.ec;
    } else {
        float value = sample.x;
        if (scale.quantity == PlotVelocity) {
            value = sample.v;
            c1 = colors.velocity;
        } else if (scale.quantity == PlotAcceleration) {
            value = sample.a;
            c1 = colors.acceleration;
        }
        y1 = 115.0f - 100.0f * value / scale.ymax;
    }
    if (sample.t != 0) {
        f.line(memory.previousX, memory.previousY1, x, y1, c1);
        if (energy) {
            f.line(memory.previousX, memory.previousY2, x, y2, colors.epe);
            f.line(memory.previousX, memory.previousY3, x, y3, colors.em);
        }
    } else {
        f.point(x, y1, c1);
        if (energy) {
            f.point(x, y2, colors.epe);
            f.point(x, y3, colors.em);
        }
    }
    memory.previousX = x;
    memory.previousY1 = y1;
    if (energy) {
        memory.previousY2 = y2;
        memory.previousY3 = y3;
    }
    f.setDrawWidth(1);
    return true;
}

CursorReadout cursorReadout(int x, float duration) {
    if (x < 50 || x > 550) return {};
    const float t = float(x - 50) * duration / 500.0f;
    return {true, QStringLiteral("t = ") + formatThreeSignificant(t) + QStringLiteral(" s")};
}

QString graphHint() {
    return QStringLiteral("Le tableau de valeurs correspondant est dans l'onglet Enregistrement");
}

}  // namespace ondalis
