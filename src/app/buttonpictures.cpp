#include "app/buttonpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace ondalis {

namespace {

QPixmap draw(QSize size, const std::function<void(QPainter&)>& paint) {
    QPixmap pm(size * 2);
    pm.setDevicePixelRatio(2);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return pm;
}

QPixmap draw(int size, const std::function<void(QPainter&)>& paint) {
    return draw(QSize(size, size), paint);
}

}  // namespace

QIcon startPicture() {
    return QIcon(draw(20, [](QPainter& p) {
        QPainterPath path;
        path.moveTo(5, 3);
        path.lineTo(17, 10);
        path.lineTo(5, 17);
        path.closeSubpath();
        p.fillPath(path, QColor(0, 140, 0));
    }));
}

QIcon stepPicture(bool forward) {
    return QIcon(draw(QSize(16, 10), [forward](QPainter& p) {
        if (!forward) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(3, 1.5);
        path.lineTo(10, 5);
        path.lineTo(3, 8.5);
        path.closeSubpath();
        p.fillPath(path, QColor(0, 0, 160));
        p.fillRect(QRectF(11, 1.5, 2, 7), QColor(0, 0, 160));
    }));
}

QIcon pausePicture() {
    return QIcon(draw(20, [](QPainter& p) {
        p.fillRect(QRectF(5, 4, 4, 12), QColor(0, 0, 160));
        p.fillRect(QRectF(11, 4, 4, 12), QColor(0, 0, 160));
    }));
}

QIcon stopPicture() {
    return QIcon(
        draw(20, [](QPainter& p) { p.fillRect(QRectF(5, 5, 10, 10), QColor(192, 0, 0)); }));
}

QIcon initialPositionPicture() {
    return QIcon(draw(20, [](QPainter& p) {
        QPen pen(QColor(60, 60, 60), 2);
        p.setPen(pen);
        p.drawArc(QRectF(4, 4, 12, 12), 90 * 16, 270 * 16);
        QPainterPath head;
        head.moveTo(10, 1);
        head.lineTo(14, 4);
        head.lineTo(10, 7);
        head.closeSubpath();
        p.fillPath(head, QColor(60, 60, 60));
    }));
}

QPixmap hintPicture() {
    return draw(32, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 160), 2));
        p.setBrush(QColor(255, 255, 220));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(20);
        f.setBold(true);
        f.setItalic(true);
        p.setFont(f);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("i"));
    });
}

QCursor dragPointer() {
    // Drawn once: the pointer is asked for at every move over the solid.
    static const QPixmap pm = draw(24, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        QPainterPath path;
        path.moveTo(1, 12);
        path.lineTo(7, 6);
        path.lineTo(7, 10);
        path.lineTo(17, 10);
        path.lineTo(17, 6);
        path.lineTo(23, 12);
        path.lineTo(17, 18);
        path.lineTo(17, 14);
        path.lineTo(7, 14);
        path.lineTo(7, 18);
        path.closeSubpath();
        p.drawPath(path);
    });
    return QCursor(pm, 12, 12);
}

}  // namespace ondalis
