#include "infobutton.h"

#include <QPainter>

InfoButton::InfoButton(QWidget* parent) : QAbstractButton(parent)
{
    m_palette = ControlPalette::forAppearance(false);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void InfoButton::setDark(bool dark)
{
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

QSize InfoButton::sizeHint() const
{
    return {24, 24};
}

void InfoButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height()) - 2.0;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const QColor colour = isDown() || underMouse() ? m_palette.accent : m_palette.text;
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
    // The dot and the stem of the "i".
    const QPointF c = circle.center();
    const double u = side / 12.0;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(c.x(), c.y() - 3.0 * u), 0.95 * u, 0.95 * u);
    p.drawRoundedRect(QRectF(c.x() - 0.8 * u, c.y() - 1.2 * u, 1.6 * u, 5.0 * u), 0.5 * u, 0.5 * u);
}
