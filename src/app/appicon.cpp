#include "appicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, QColor(0x4A, 0x90, 0xE8));
    fill.setColorAt(1, QColor(0x1F, 0x5F, 0xB8));
    p.fillPath(body, fill);

    // Three fader slots with their caps at different heights.
    const qreal caps[3] = {0.62, 0.34, 0.50};
    for (int i = 0; i < 3; ++i) {
        const qreal x = s * (0.28 + 0.22 * i);
        p.setPen(
            QPen(QColor(255, 255, 255, 130), qMax(1.0, s * 0.05), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, s * 0.2), QPointF(x, s * 0.8));
        const QRectF cap(x - s * 0.09, s * caps[i] - s * 0.05, s * 0.18, s * 0.1);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(cap, s * 0.02, s * 0.02);
    }
    return pixmap;
}

} // namespace

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(size));
    return icon;
}
