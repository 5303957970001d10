#include "calculator/keyfaces.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

namespace ondalis::calculator {

QIcon powerPicture(const QString& base, const QString& exponent) {
    QFont baseFont(QStringLiteral("DejaVu Serif"));
    baseFont.setPixelSize(15);
    baseFont.setItalic(base != QLatin1String("10"));
    QFont exponentFont(QStringLiteral("DejaVu Serif"));
    exponentFont.setPixelSize(10);
    exponentFont.setItalic(exponent != QLatin1String("2"));

    const QFontMetrics baseMetrics(baseFont);
    const QFontMetrics exponentMetrics(exponentFont);
    const int baseWidth = baseMetrics.horizontalAdvance(base);
    const int width = baseWidth + 1 + exponentMetrics.horizontalAdvance(exponent) + 2;
    const int height = 22;

    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(width * scale, height * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(Qt::black);
        const int baseline = height - 4;
        painter.setFont(baseFont);
        painter.drawText(QPoint(0, baseline), base);
        painter.setFont(exponentFont);
        painter.drawText(QPoint(baseWidth + 1, baseline - 8), exponent);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace ondalis::calculator
