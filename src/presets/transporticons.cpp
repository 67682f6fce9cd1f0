#include "transporticons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 32;
constexpr qreal kScale = 2.0; // drawn for high-density screens, shown at half size

QPolygonF triangle(qreal left, qreal right, qreal top, qreal bottom, bool pointingRight)
{
    const qreal mid = (top + bottom) / 2;
    if (pointingRight)
        return QPolygonF({QPointF(left, top), QPointF(right, mid), QPointF(left, bottom)});
    return QPolygonF({QPointF(right, top), QPointF(left, mid), QPointF(right, bottom)});
}

void draw(QPainter& p, TransportSymbol symbol, const QColor& ink)
{
    const QColor red(224, 65, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (symbol) {
    case TransportSymbol::Play:
        p.drawPolygon(triangle(10, 25, 7, 25, true));
        break;
    case TransportSymbol::Pause:
        p.drawRoundedRect(QRectF(9, 7, 5, 18), 1, 1);
        p.drawRoundedRect(QRectF(18, 7, 5, 18), 1, 1);
        break;
    case TransportSymbol::Stop:
        p.drawRoundedRect(QRectF(9, 9, 14, 14), 2, 2);
        break;
    case TransportSymbol::Previous:
        p.drawRect(QRectF(7, 8, 3, 16));
        p.drawPolygon(triangle(10, 24, 8, 24, false));
        break;
    case TransportSymbol::Next:
        p.drawRect(QRectF(22, 8, 3, 16));
        p.drawPolygon(triangle(8, 22, 8, 24, true));
        break;
    case TransportSymbol::Record:
        p.setBrush(red);
        p.drawEllipse(QPointF(16, 16), 8, 8);
        break;
    case TransportSymbol::StopRecording:
        p.setPen(QPen(red, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawRoundedRect(QRectF(11, 11, 10, 10), 1.5, 1.5);
        break;
    }
}

QPixmap render(TransportSymbol symbol, const QColor& ink)
{
    QPixmap pixmap(int(kSize * kScale), int(kSize * kScale));
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    draw(p, symbol, ink);
    p.end();
    pixmap.setDevicePixelRatio(kScale);
    return pixmap;
}

} // namespace

QIcon transportIcon(TransportSymbol symbol, bool dark)
{
    const QColor ink = dark ? QColor(227, 229, 232) : QColor(48, 49, 51);
    QIcon icon;
    icon.addPixmap(render(symbol, ink), QIcon::Normal);
    QColor faded = ink;
    faded.setAlpha(90);
    icon.addPixmap(render(symbol, faded), QIcon::Disabled);
    return icon;
}
