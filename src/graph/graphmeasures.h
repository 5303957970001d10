#pragma once

// Measuring on the graph and comparing runs: the live curve as it was plotted (so that the
// graph can be drawn again from it), two time cursors with their readout, the pseudo-period
// measured on the recorded x, and up to four kept curves drawn in lighter shades under the live
// one. Everything is drawn on the graph's Canvas, so that its copy and print show it.
#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "graph/graphframe.h"
#include "graph/plotter.h"
#include "simulation/motion.h"
#include "simulation/parameters.h"

namespace ondalis {

class Canvas;

inline constexpr int kMaxKeptCurves = 4;

// One drawing of the plotter: the sample and the width it was drawn at.
struct TracePoint {
    MotionSample sample;
    bool bold = false;
};

// A curve kept for comparison: what it plotted, the parameters it ran with, its shade.
struct KeptCurve {
    std::vector<MotionSample> samples;
    OscillatorParameters parameters;
    QColor shade;
};

// The two maxima of x a pseudo-period is measured between.
struct PseudoPeriod {
    double t1 = 0, t2 = 0;  // s
    double x1 = 0, x2 = 0;  // cm
    double period() const { return t2 - t1; }
    // The logarithmic decrement ln(x1/x2).
    double decrement() const;
};

// The two successive maxima of x first reached in `samples` (a release at rest counts at
// t = 0), each refined by the parabola through the sample and its two neighbours; none when x
// has fewer than two positive maxima.
std::optional<PseudoPeriod> pseudoPeriod(const std::vector<MotionSample>& samples);

// The value the graph plots for `quantity` (for the energies, the mechanical energy).
double plottedValue(const MotionSample& s, int quantity);
// The plotted value at `t` on a curve, linearly between its points; none outside the curve.
std::optional<double> valueAt(const std::vector<MotionSample>& samples, int quantity, double t);

// Time at surface x, the cursor's own rule: (x - 50)·D/500, x held within 50 … 550.
double cursorTime(int x, float duration);
// Surface x of a time.
double timeX(double t, float duration);

class GraphMeasures {
public:
    // The live curve follows the plotter: called with every sample it is given. It mirrors the
    // plotter's own rule (nothing past D, nothing without a full scale); the curve starts again
    // at t = 0.
    void follow(const MotionSample& sample, bool bold, const GraphScale& scale, float duration);
    // The live curve and the cursors gone (the frame was cleared).
    void frameCleared();
    // The live curve cut back to its points up to `t` (the run went back to that instant).
    void cutTraceAfter(double t);
    const std::vector<TracePoint>& trace() const { return trace_; }
    std::vector<MotionSample> traceSamples() const;

    // Keeps the live curve (false when there is none or four are kept already).
    bool keep(const OscillatorParameters& parameters, int quantity, float duration);
    void clearKept() { kept_.clear(); }
    const std::vector<KeptCurve>& kept() const { return kept_; }
    // Kept curves hold while the plotted quantity and the duration stay those they were kept
    // with; returns true when they were cleared because one changed.
    bool dropKeptIfFrameChanged(int quantity, float duration);
    // Labels of the kept curves: the parameters that differ between them and `live` ("h = 0,2";
    // several joined by " ; "); the damping when none differs.
    QStringList keptLabels(const OscillatorParameters& live) const;

    // Cursors, as times.
    void setCursors(double t1, double t2);
    void clearCursors();
    bool hasCursors() const { return bool(cursors_); }
    double cursor(int i) const { return i == 0 ? cursors_->first : cursors_->second; }
    // The pseudo-period measured on the live curve, cursors on its two maxima; false without.
    bool measurePseudoPeriod();
    const std::optional<PseudoPeriod>& measured() const { return measured_; }
    // The readout lines: t1, t2, Δt; the plotted quantity at both and its difference; T and δ
    // after a pseudo-period measure. Empty without cursors.
    QStringList readout(int quantity) const;

    // Drawing. The kept curves with their legend in the right margin (under the live curve:
    // drawn right after the frame); the live curve again from its trace; the cursors and their
    // readout box on top.
    void drawKept(Canvas& frame, const GraphScale& scale, float duration,
                  const OscillatorParameters& live) const;
    void drawTrace(Canvas& frame, const GraphScale& scale, PlotMemory& memory, float duration,
                   const CurveColors& colors) const;
    void drawCursors(Canvas& frame, const GraphScale& scale, float duration) const;

private:
    std::vector<TracePoint> trace_;
    std::vector<KeptCurve> kept_;
    int keptQuantity_ = PlotPosition;
    float keptDuration_ = 0;
    std::optional<std::pair<double, double>> cursors_;
    std::optional<PseudoPeriod> measured_;
};

// The four shades of the kept curves, in the order they are kept.
QColor keptShade(int index);

}  // namespace ondalis
