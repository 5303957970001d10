#include "exercises/cataloguepictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace ondalis::exercises {

namespace {

// A transparent pixmap of `size` logical pixels for the screen's pixel ratio, and a painter
// on it that draws in logical pixels.
QPixmap canvas(int size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(QSize(size, size) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    return picture;
}

QPainterPath star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF p = centre + QPointF(r * std::cos(angle), r * std::sin(angle));
        i ? path.lineTo(p) : path.moveTo(p);
    }
    path.closeSubpath();
    return path;
}

}  // namespace

QPixmap starPicture(bool lit) {
    QPixmap picture = canvas(StarSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = star(QPointF(12, 12.8), 11, 4.6);
    if (lit) {
        QRadialGradient glow(QPointF(10, 9), 12);
        glow.setColorAt(0, QColor(255, 248, 170));
        glow.setColorAt(1, QColor(245, 180, 0));
        p.setBrush(glow);
        p.setPen(QPen(QColor(150, 90, 0), 1.2));
    } else {
        p.setBrush(QColor(105, 110, 120));
        p.setPen(QPen(QColor(60, 62, 70), 1.2));
    }
    p.drawPath(shape);
    return picture;
}

QIcon openExercisePicture() {
    QPixmap picture = canvas(48);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // The two pages of an open book.
    p.setPen(QPen(QColor(60, 60, 90), 1.5));
    p.setBrush(QColor(250, 250, 240));
    p.drawPolygon(QPolygonF({{4, 14}, {22, 18}, {22, 42}, {4, 38}}));
    p.drawPolygon(QPolygonF({{22, 18}, {40, 14}, {40, 38}, {22, 42}}));
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(8, 21 + 4.5 * i), QPointF(19, 23.5 + 4.5 * i));
        p.drawLine(QPointF(25, 23.5 + 4.5 * i), QPointF(36, 21 + 4.5 * i));
    }
    // A green arrow leaving it, up and to the right.
    p.setPen(QPen(QColor(0, 100, 0), 1.5));
    p.setBrush(QColor(40, 170, 60));
    p.drawPolygon(QPolygonF({{30, 12}, {38, 4}, {35, 1}, {46, 1}, {46, 12}, {43, 9}, {35, 17}}));
    return QIcon(picture);
}

QIcon closeCataloguePicture() {
    QPixmap picture = canvas(48);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 0, 0), 2));
    p.setBrush(QColor(215, 40, 40));
    p.drawEllipse(QPointF(24, 24), 19, 19);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(32, 32));
    p.drawLine(QPointF(32, 16), QPointF(16, 32));
    return QIcon(picture);
}

}  // namespace ondalis::exercises
