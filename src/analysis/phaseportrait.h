#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <optional>

#include "simulation/motion.h"
#include "simulation/parameters.h"

namespace ondalis {

class Canvas;

// The phase portrait v(x), drawn as the motion runs: the trail of the samples shown since the
// last reset, joined by lines, and the current point. The scale is fixed at each reset to x0
// and to the largest speed the motion can reach, |x0|·ω0 (the whole initial energy as kinetic
// energy), so that the undamped ellipse just fills the frame and a damped spiral stays inside.
class PhasePortrait {
public:
    static constexpr int Width = 360;
    static constexpr int Height = 240;
    static constexpr QColor TrailColour{0, 0, 192};
    static constexpr QColor PointColour{220, 0, 0};

    // New scale, the frame and axes drawn, the trail started at `from` (the release, or the
    // instant shown when the portrait starts during the run).
    void reset(Canvas& canvas, const OscillatorParameters& p, const MotionSample& from);
    // One more sample: the trail extended to it, the current point moved there.
    void add(Canvas& canvas, const MotionSample& s);

    // The pixel of (x cm, v m/s).
    QPoint pixelFor(double x, double v) const;
    double xScale() const { return xmax_; }
    double vScale() const { return vmax_; }
    // The plotting area: the axes cross at its centre.
    static QRect plotArea() { return QRect(50, 16, 300, 196); }

private:
    void drawFrame(Canvas& canvas) const;
    void drawPoint(Canvas& canvas, QPoint at);

    double xmax_ = 1;
    double vmax_ = 1;
    std::optional<QPoint> last_;
    QRect pointArea_;
};

}  // namespace ondalis
