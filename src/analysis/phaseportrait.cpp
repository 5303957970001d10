#include "analysis/phaseportrait.h"

#include <cmath>

#include "platform/canvas/canvas.h"
#include "platform/core/numberformat.h"

namespace ondalis {

namespace {
// Pixels kept free between the largest value and the edge of the plotting area.
constexpr int Margin = 8;
}  // namespace

QPoint PhasePortrait::pixelFor(double x, double v) const {
    const QRect a = plotArea();
    const QPoint c = a.center();
    const double sx = (a.width() / 2.0 - Margin) / xmax_;
    const double sy = (a.height() / 2.0 - Margin) / vmax_;
    return QPoint(int(std::lround(c.x() + x * sx)), int(std::lround(c.y() - v * sy)));
}

void PhasePortrait::reset(Canvas& canvas, const OscillatorParameters& p, const MotionSample& from) {
    const double x0 = std::abs(double(p.x0));
    const double omega0 = std::sqrt(double(p.k) / (double(p.m) / 1000));
    xmax_ = x0 > 0 ? x0 : 1;
    const double vmax = x0 / 100 * omega0;
    vmax_ = vmax > 0 && std::isfinite(vmax) ? vmax : 1;
    canvas.clearPicture();
    canvas.clear();
    drawFrame(canvas);
    canvas.setPictureFromImage();
    last_.reset();
    pointArea_ = QRect();
    add(canvas, from);
}

void PhasePortrait::drawFrame(Canvas& canvas) const {
    Canvas::Batch batch(canvas);
    const QRect a = plotArea();
    const QPoint c = a.center();
    const QColor axis(96, 96, 96);
    canvas.box(a.left(), a.top(), a.right(), a.bottom(), QColor(190, 190, 190));
    canvas.line(a.left(), c.y(), a.right(), c.y(), axis);
    canvas.line(c.x(), a.top(), c.x(), a.bottom(), axis);
    canvas.setFont(QStringLiteral("Arial"), 8);
    canvas.setForeColor(Qt::black);
    // The axes' names and units, and the values at the scale's ends.
    const QString xName = QStringLiteral("x (cm)");
    canvas.printAt(a.right() - canvas.textWidth(xName), a.bottom() + 4, xName);
    canvas.printAt(c.x() + 4, 1, QStringLiteral("v (m·s⁻¹)"));
    const QPoint right = pixelFor(xmax_, 0);
    const QPoint left = pixelFor(-xmax_, 0);
    const QString xr = formatThreeSignificant(xmax_);
    const QString xl = formatThreeSignificant(-xmax_);
    canvas.line(right.x(), c.y() - 2, right.x(), c.y() + 2, axis);
    canvas.line(left.x(), c.y() - 2, left.x(), c.y() + 2, axis);
    canvas.printAt(right.x() - canvas.textWidth(xr) / 2.0, c.y() + 4, xr);
    canvas.printAt(left.x() - canvas.textWidth(xl) / 2.0, c.y() + 4, xl);
    const QPoint top = pixelFor(0, vmax_);
    const QPoint bottom = pixelFor(0, -vmax_);
    canvas.line(c.x() - 2, top.y(), c.x() + 2, top.y(), axis);
    canvas.line(c.x() - 2, bottom.y(), c.x() + 2, bottom.y(), axis);
    const QString vt = formatThreeSignificant(vmax_);
    const QString vb = formatThreeSignificant(-vmax_);
    canvas.printAt(c.x() - 6 - canvas.textWidth(vt), top.y() - 6, vt);
    canvas.printAt(c.x() - 6 - canvas.textWidth(vb), bottom.y() - 6, vb);
}

void PhasePortrait::drawPoint(Canvas& canvas, QPoint at) {
    pointArea_ = QRect(at.x() - 2, at.y() - 2, 5, 5);
    canvas.fillBox(pointArea_.left(), pointArea_.top(), pointArea_.right(), pointArea_.bottom(),
                   PointColour);
}

void PhasePortrait::add(Canvas& canvas, const MotionSample& s) {
    if (!std::isfinite(s.x) || !std::isfinite(s.v)) return;
    const QPoint at = pixelFor(s.x, s.v);
    // The current point is not part of the trail: its area goes back to the trail first.
    if (pointArea_.isValid()) canvas.clear(pointArea_);
    if (last_)
        canvas.line(last_->x(), last_->y(), at.x(), at.y(), TrailColour);
    else
        canvas.point(at.x(), at.y(), TrailColour);
    last_ = at;
    canvas.setPictureFromImage();
    drawPoint(canvas, at);
}

}  // namespace ondalis
