#include "graph/graphmeasures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

namespace {

struct QuantityText {
    const char* symbol;
    const char* unit;
};

QuantityText quantityText(int quantity) {
    switch (quantity) {
        case PlotVelocity:
            return {"v", "m/s"};
        case PlotAcceleration:
            return {"a", "m/s²"};
        case PlotEnergies:
            return {"Em", "J"};
        default:
            return {"x", "cm"};
    }
}

// The samples of a curve with one point per instant (a redraw while paused repeats one).
std::vector<MotionSample> distinctInstants(const std::vector<MotionSample>& samples) {
    std::vector<MotionSample> out;
    for (const MotionSample& s : samples)
        if (out.empty() || s.t > out.back().t) out.push_back(s);
    return out;
}

// The vertex of the parabola through three points (t, x), or the middle point when they do
// not make a summit.
std::pair<double, double> vertex(double t0, double x0, double t1, double x1, double t2, double x2) {
    const double d01 = (x1 - x0) / (t1 - t0);
    const double d12 = (x2 - x1) / (t2 - t1);
    const double a = (d12 - d01) / (t2 - t0);
    if (!(a < 0)) return {t1, x1};
    // x(t) = x0 + d01·(t - t0) + a·(t - t0)·(t - t1)
    const double tv = std::clamp((t0 + t1) / 2 - d01 / (2 * a), t0, t2);
    return {tv, x0 + d01 * (tv - t0) + a * (tv - t0) * (tv - t1)};
}

QString three(double v) { return formatThreeSignificant(v); }

double valueY(double value, const GraphScale& scale, int which) {
    (void)which;
    if (scale.quantity == PlotEnergies) return 200.0 - 180.0 * value / double(scale.ymax);
    return 115.0 - 100.0 * value / double(scale.ymax);
}

}  // namespace

double PseudoPeriod::decrement() const { return std::log(x1 / x2); }

std::optional<PseudoPeriod> pseudoPeriod(const std::vector<MotionSample>& recorded) {
    const std::vector<MotionSample> s = distinctInstants(recorded);
    std::vector<std::pair<double, double>> maxima;
    const std::size_t n = s.size();
    if (n >= 2 && s[0].t == 0 && s[0].x > 0 && s[1].x < s[0].x)
        maxima.push_back({0.0, double(s[0].x)});
    for (std::size_t i = 1; i + 1 < n && maxima.size() < 2; ++i) {
        const double x = s[i].x;
        if (!(x > s[i - 1].x && x >= s[i + 1].x && x > 0)) continue;
        const auto [t, top] = vertex(s[i - 1].t, s[i - 1].x, s[i].t, x, s[i + 1].t, s[i + 1].x);
        maxima.push_back({t, std::max(top, x)});
    }
    if (maxima.size() < 2) return std::nullopt;
    return PseudoPeriod{maxima[0].first, maxima[1].first, maxima[0].second, maxima[1].second};
}

double plottedValue(const MotionSample& s, int quantity) {
    switch (quantity) {
        case PlotVelocity:
            return s.v;
        case PlotAcceleration:
            return s.a;
        case PlotEnergies:
            return s.em;
        default:
            return s.x;
    }
}

std::optional<double> valueAt(const std::vector<MotionSample>& samples, int quantity, double t) {
    const std::vector<MotionSample> s = distinctInstants(samples);
    if (s.empty() || t < s.front().t || t > s.back().t) return std::nullopt;
    const auto after = std::lower_bound(s.begin(), s.end(), t,
                                        [](const MotionSample& a, double v) { return a.t < v; });
    if (after->t == t || after == s.begin()) return plottedValue(*after, quantity);
    const MotionSample& a = *(after - 1);
    const MotionSample& b = *after;
    const double va = plottedValue(a, quantity), vb = plottedValue(b, quantity);
    return va + (vb - va) * (t - a.t) / (b.t - a.t);
}

double cursorTime(int x, float duration) {
    return (std::clamp(x, 50, 550) - 50) * double(duration) / 500.0;
}

double timeX(double t, float duration) { return 50 + 500 * t / double(duration); }

QColor keptShade(int index) {
    static const std::array<QColor, kMaxKeptCurves> shades = {
        QColor(255, 160, 64), QColor(176, 128, 240), QColor(64, 200, 200), QColor(240, 128, 176)};
    return shades[std::size_t(std::clamp(index, 0, kMaxKeptCurves - 1))];
}

void GraphMeasures::follow(const MotionSample& sample, bool bold, const GraphScale& scale,
                           float duration) {
    if (duration <= 0 || float(sample.t) > duration || scale.ymax == 0) return;
    if (sample.t == 0) trace_.clear();
    trace_.push_back({sample, bold});
}

void GraphMeasures::frameCleared() {
    trace_.clear();
    clearCursors();
}

void GraphMeasures::cutTraceAfter(double t) {
    while (!trace_.empty() && trace_.back().sample.t > t) trace_.pop_back();
}

std::vector<MotionSample> GraphMeasures::traceSamples() const {
    std::vector<MotionSample> out;
    out.reserve(trace_.size());
    for (const TracePoint& p : trace_) out.push_back(p.sample);
    return out;
}

bool GraphMeasures::keep(const OscillatorParameters& parameters, int quantity, float duration) {
    if (trace_.empty() || int(kept_.size()) >= kMaxKeptCurves) return false;
    if (kept_.empty()) {
        keptQuantity_ = quantity;
        keptDuration_ = duration;
    }
    kept_.push_back({traceSamples(), parameters, keptShade(int(kept_.size()))});
    return true;
}

bool GraphMeasures::dropKeptIfFrameChanged(int quantity, float duration) {
    if (kept_.empty() || (quantity == keptQuantity_ && duration == keptDuration_)) return false;
    kept_.clear();
    return true;
}

QStringList GraphMeasures::keptLabels(const OscillatorParameters& live) const {
    struct Field {
        const char* name;
        float OscillatorParameters::*value;
    };
    static const Field fields[] = {{"x0", &OscillatorParameters::x0},
                                   {"m", &OscillatorParameters::m},
                                   {"k", &OscillatorParameters::k},
                                   {"h", &OscillatorParameters::h}};
    std::vector<const Field*> differing;
    for (const Field& f : fields) {
        const bool differs = std::any_of(kept_.begin(), kept_.end(), [&](const KeptCurve& c) {
            return c.parameters.*f.value != live.*f.value ||
                   c.parameters.*f.value != kept_.front().parameters.*f.value;
        });
        if (differs) differing.push_back(&f);
    }
    if (differing.empty()) differing.push_back(&fields[3]);
    QStringList labels;
    for (const KeptCurve& c : kept_) {
        QStringList parts;
        for (const Field* f : differing)
            parts << QString::fromLatin1(f->name) + QStringLiteral(" = ") +
                         parameterText(c.parameters.*f->value);
        labels << parts.join(QStringLiteral(" ; "));
    }
    return labels;
}

void GraphMeasures::setCursors(double t1, double t2) {
    cursors_ = {t1, t2};
    measured_.reset();
}

void GraphMeasures::clearCursors() {
    cursors_.reset();
    measured_.reset();
}

bool GraphMeasures::measurePseudoPeriod() {
    const std::optional<PseudoPeriod> p = pseudoPeriod(traceSamples());
    if (!p) return false;
    cursors_ = {p->t1, p->t2};
    measured_ = p;
    return true;
}

QStringList GraphMeasures::readout(int quantity) const {
    if (!cursors_) return {};
    const double t1 = cursors_->first, t2 = cursors_->second;
    const QuantityText q = quantityText(quantity);
    const QString symbol = QString::fromUtf8(q.symbol), unit = QString::fromUtf8(q.unit);
    QStringList lines;
    lines << QStringLiteral("t1 = %1 s   t2 = %2 s   Δt = %3 s")
                 .arg(three(t1), three(t2), three(t2 - t1));
    const std::vector<MotionSample> samples = traceSamples();
    const std::optional<double> v1 = valueAt(samples, quantity, t1);
    const std::optional<double> v2 = valueAt(samples, quantity, t2);
    const auto shown = [](const std::optional<double>& v) {
        return v ? three(*v) : QStringLiteral("–");
    };
    const QString space = QStringLiteral(" ") + unit + QStringLiteral("   ");
    lines << symbol + QStringLiteral("1 = ") + shown(v1) + space + symbol + QStringLiteral("2 = ") +
                 shown(v2) + space + QStringLiteral("Δ") + symbol + QStringLiteral(" = ") +
                 (v1 && v2 ? three(*v2 - *v1) : QStringLiteral("–")) + QStringLiteral(" ") + unit;
    if (measured_) {
        lines << QStringLiteral("T = %1 s   δ = ln(x1/x2) = %2")
                     .arg(three(measured_->period()), three(measured_->decrement()));
    }
    return lines;
}

void GraphMeasures::drawKept(Canvas& f, const GraphScale& scale, float duration,
                             const OscillatorParameters& live) const {
    if (kept_.empty() || duration <= 0) return;
    const QStringList labels = keptLabels(live);
    f.setFont(QStringLiteral("Arial"), 8.25);
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const KeptCurve& c = kept_[i];
        if (scale.ymax != 0) {
            const std::vector<MotionSample> s = distinctInstants(c.samples);
            const bool energy = scale.quantity == PlotEnergies;
            for (std::size_t j = 0; j < s.size(); ++j) {
                const double x = timeX(s[j].t, duration);
                const std::array<double, 3> values = {
                    energy ? double(s[j].ec) : plottedValue(s[j], scale.quantity), s[j].epe,
                    s[j].em};
                for (int k = 0; k < (energy ? 3 : 1); ++k) {
                    const double y = valueY(values[std::size_t(k)], scale, k);
                    if (j == 0) {
                        f.point(x, y, c.shade);
                    } else {
                        const double px = timeX(s[j - 1].t, duration);
                        const std::array<double, 3> before = {
                            energy ? double(s[j - 1].ec) : plottedValue(s[j - 1], scale.quantity),
                            s[j - 1].epe, s[j - 1].em};
                        f.line(px, valueY(before[std::size_t(k)], scale, k), x, y, c.shade);
                    }
                }
            }
        }
        // The legend in the right margin: a short stroke in the shade, then the label.
        const QString label = labels.value(int(i));
        const int top = 4 + 12 * int(i);
        const double textLeft = 615 - f.textWidth(label);
        f.line(textLeft - 11, top + 6, textLeft - 3, top + 6, c.shade);
        f.line(textLeft - 11, top + 7, textLeft - 3, top + 7, c.shade);
        f.setForeColor(Qt::black);
        f.printAt(textLeft, top, label);
    }
}

void GraphMeasures::drawTrace(Canvas& f, const GraphScale& scale, PlotMemory& memory,
                              float duration, const CurveColors& colors) const {
    for (const TracePoint& p : trace_)
        tracegraphe(f, scale, memory, p.sample, duration, p.bold, colors);
}

void GraphMeasures::drawCursors(Canvas& f, const GraphScale& scale, float duration) const {
    if (!cursors_ || duration <= 0) return;
    const QColor cursorColor(128, 0, 128);
    const int bottom = scale.quantity == PlotEnergies ? 200 : 215;
    for (double t : {cursors_->first, cursors_->second}) {
        const double x = std::round(timeX(t, duration));
        for (int y = 5; y < bottom; y += 6) f.line(x, y, x, std::min(y + 3, bottom), cursorColor);
    }
    const QStringList lines = readout(scale.quantity);
    f.setFont(QStringLiteral("Arial"), 8.25);
    int width = 0;
    for (const QString& l : lines) width = std::max(width, f.textWidth(l));
    const int lineHeight = 12;
    const int right = 548, left = right - width - 8, top = 16;
    const int bottomBox = top + lineHeight * int(lines.size()) + 4;
    f.fillBox(left, top, right, bottomBox, QColor(255, 255, 240));
    f.box(left, top, right, bottomBox, cursorColor);
    f.setForeColor(Qt::black);
    for (int i = 0; i < lines.size(); ++i) f.printAt(left + 4, top + 2 + lineHeight * i, lines[i]);
}

}  // namespace ondalis
