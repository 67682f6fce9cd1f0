#include "aecdiagram.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

const QRectF AecDiagram::kFarEndIn{10, 20, 190, 72};
const QRectF AecDiagram::kFarEndOut{10, 238, 190, 72};
const QRectF AecDiagram::kAmplifier{610, 20, 200, 72};
const QRectF AecDiagram::kSource{610, 238, 200, 72};
const QRectF AecDiagram::kCanceller{226, 190, 214, 132};
const QRectF AecDiagram::kLocal{460, 104, 350, 116};

namespace {

constexpr double kTopLine = 56;
constexpr double kBottomLine = 274;

void arrowHead(QPainter& p, QPointF tip, QPointF from)
{
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0.0)
        return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const double size = 9.0;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - u * size + n * size * 0.5);
    head.lineTo(tip - u * size - n * size * 0.5);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    arrowHead(p, to, from);
}

} // namespace

AecDiagram::AecDiagram(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aecDiagram"));
    m_palette = ControlPalette::forAppearance(false);
}

void AecDiagram::setDark(bool dark)
{
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

QSize AecDiagram::sizeHint() const
{
    return {kWidth, kHeight};
}

QSize AecDiagram::minimumSizeHint() const
{
    return {kWidth, kHeight};
}

void AecDiagram::place(QWidget* child, const QRectF& rect)
{
    m_placed.append({child, rect});
    child->setGeometry(mapped(rect));
}

QRect AecDiagram::mapped(const QRectF& rect) const
{
    const double sx = width() / double(kWidth);
    const double sy = height() / double(kHeight);
    return QRectF(rect.x() * sx, rect.y() * sy, rect.width() * sx, rect.height() * sy)
        .toAlignedRect();
}

void AecDiagram::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void AecDiagram::layoutChildren()
{
    for (const Placed& p : m_placed)
        p.widget->setGeometry(mapped(p.rect));
}

void AecDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / double(kWidth), height() / double(kHeight));

    const QColor line = m_palette.text;
    const QColor accent = m_palette.accent;
    const QColor panel = ControlPalette::mix(m_palette.background, line, 0.08);
    const QColor accentPanel = ControlPalette::mix(m_palette.background, accent, 0.18);

    // The four ends of the two signal paths.
    p.setPen(QPen(ControlPalette::mix(m_palette.background, line, 0.45), 1.2));
    p.setBrush(panel);
    for (const QRectF& end : {kFarEndIn, kFarEndOut, kAmplifier, kSource})
        p.drawRoundedRect(end, 6, 6);

    // The room: its settings and its devices inside one dashed frame.
    QPen dashed(ControlPalette::mix(m_palette.background, line, 0.55), 1.2, Qt::DashLine);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(kLocal.left() - 12, 8, kWidth - kLocal.left() + 6, kHeight - 16), 8,
                      8);
    p.setBrush(panel);
    p.drawRoundedRect(kLocal, 6, 6);

    // The canceller.
    p.setPen(QPen(accent, 1.6));
    p.setBrush(accentPanel);
    p.drawRoundedRect(kCanceller, 8, 8);

    // Far end to the amplifier along the top; the microphones back along the bottom through
    // the canceller; the canceller's reference taken from the top path.
    p.setPen(QPen(line, 2.0));
    arrow(p, {kFarEndIn.right(), kTopLine}, {kAmplifier.left(), kTopLine});
    arrow(p, {kSource.left(), kBottomLine}, {kCanceller.right(), kBottomLine});
    arrow(p, {kCanceller.left(), kBottomLine}, {kFarEndOut.right(), kBottomLine});
    const double tap = kCanceller.center().x();
    p.setBrush(line);
    p.drawEllipse(QPointF(tap, kTopLine), 3.5, 3.5);
    p.setPen(QPen(accent, 2.0, Qt::DashLine));
    arrow(p, {tap, kTopLine}, {tap, kCanceller.top()});
    // The room's settings act on the canceller.
    p.setPen(QPen(ControlPalette::mix(m_palette.background, accent, 0.7), 1.4, Qt::DotLine));
    p.drawLine(QPointF(kLocal.left(), kLocal.center().y()),
               QPointF(kCanceller.right() - 30, kLocal.center().y()));
    arrow(p, {kCanceller.right() - 30, kLocal.center().y()},
          {kCanceller.right() - 30, kCanceller.top()});
}
