#include "knob.h"

#include "controlaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kStartAngle = 225.0; // degrees, counter-clockwise from three o'clock
constexpr double kSweep = 270.0;
constexpr int kWheelNotch = 120;

// Sensitivities like 0.005 are not exact in binary; without the tolerance a drag that should
// cover exactly n steps could floor to n - 1.
int floorTerm(double x)
{
    return int(std::floor(x + 1e-9));
}
} // namespace

Knob::Knob(QWidget* parent) : Knob(Normal, parent) {}

Knob::Knob(int mode, QWidget* parent)
    : QWidget(parent), m_mode(mode == Reversed ? Reversed : (mode == Normal1 ? Normal1 : Normal)),
      m_palette(ControlPalette::forAppearance(false))
{
    setFocusPolicy(Qt::WheelFocus);
}

void Knob::setRange(int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    setRange(minimum, maximum, minimum < 0 && minimum == -maximum ? 0 : minimum);
}

void Knob::setRange(int minimum, int maximum, int origin)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    m_origin = std::clamp(origin, minimum, maximum);
    m_value = clamped(m_value);
    update();
}

void Knob::setValue(int value)
{
    const int v = clamped(value);
    if (v == m_value)
        return;
    m_value = v;
    update();
    ControlAccessible::notifyValueChanged(this);
}

QString Knob::valueText() const
{
    return m_valueText ? m_valueText(m_value) : QString::number(m_value);
}

void Knob::setStep(int step)
{
    m_step = step;
}

void Knob::setSteps(int singleStep, int pageStep)
{
    m_singleStep = singleStep;
    m_pageStep = pageStep;
}

void Knob::setSensitivity(double horizontal, double vertical)
{
    m_horizontalSensitivity = horizontal;
    m_verticalSensitivity = vertical;
}

QSize Knob::sizeHint() const
{
    return QSize(40, 40);
}

QSize Knob::minimumSizeHint() const
{
    return QSize(24, 24);
}

int Knob::clamped(qint64 value) const
{
    return int(std::clamp<qint64>(value, m_minimum, m_maximum));
}

// A user action always announces the result, even when the range held the value where it was:
// the editor then re-sends the value the knob shows.
void Knob::applyUserValue(qint64 value)
{
    const int v = clamped(value);
    if (v != m_value) {
        m_value = v;
        update();
        ControlAccessible::notifyValueChanged(this);
    }
    emit valueChanged(m_value);
}

void Knob::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    m_pressed = true;
    m_lastPosition = event->pos();
    emit mousePressed(m_value);
}

void Knob::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const QPoint position = event->pos();
    const double dx = position.x() - m_lastPosition.x();
    const double dy = position.y() - m_lastPosition.y();
    const double span = double(m_maximum) - double(m_minimum);
    // Each term is floored on its own per move event: dragging up (dy < 0) rounds towards a
    // larger raise, so slow upward drags move at least one step per event.
    const int horizontal = floorTerm(dx * m_horizontalSensitivity * span);
    const int vertical = floorTerm(span * dy * m_verticalSensitivity);
    const qint64 delta =
        m_mode == Reversed ? qint64(-horizontal) - vertical : qint64(horizontal) - vertical;
    m_lastPosition = position;
    applyUserValue(qint64(m_value) + delta);
}

void Knob::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_pressed = false;
    emit mouseReleased();
}

void Knob::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (m_mode == Reversed)
        delta = -delta;
    event->accept();
    // High-resolution wheels and touchpads deliver fractions of a notch; they add up to whole
    // notches instead of being dropped one by one.
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / kWheelNotch;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * kWheelNotch;
    const int step = event->modifiers() & Qt::ControlModifier ? m_singleStep : m_step;
    applyUserValue(qint64(m_value) + qint64(notches) * step);
}

void Knob::keyPressEvent(QKeyEvent* event)
{
    const bool reversed = m_mode == Reversed;
    const int step = event->modifiers() & Qt::ControlModifier ? m_singleStep : m_step;
    qint64 delta = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        delta = step;
        break;
    case Qt::Key_Down:
        delta = -step;
        break;
    case Qt::Key_Right:
        delta = reversed ? -step : step;
        break;
    case Qt::Key_Left:
        delta = reversed ? step : -step;
        break;
    case Qt::Key_PageUp:
        delta = m_pageStep;
        break;
    case Qt::Key_PageDown:
        delta = -m_pageStep;
        break;
    case Qt::Key_Home:
        delta = qint64(m_minimum) - m_value;
        break;
    case Qt::Key_End:
        delta = qint64(m_maximum) - m_value;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    applyUserValue(qint64(m_value) + delta);
}

void Knob::setDark(bool dark)
{
    if (dark == m_palette.dark)
        return;
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

double Knob::angleOf(int value) const
{
    const double span = double(m_maximum) - double(m_minimum);
    const double t = span > 0 ? (double(value) - m_minimum) / span : 0.0;
    // The reversed knob is the mirror image: its minimum sits at the lower right.
    return m_mode == Reversed ? 180.0 - kStartAngle + kSweep * t : kStartAngle - kSweep * t;
}

void Knob::paintEvent(QPaintEvent*)
{
    const ControlPalette& pal = m_palette;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const double side = std::min(width(), height());
    const QPointF c(width() / 2.0, height() / 2.0);
    const double arcWidth = std::max(3.0, side * 0.085);
    const double arcRadius = side / 2.0 - 1.0 - arcWidth / 2.0;
    const double bodyRadius = arcRadius - arcWidth / 2.0 - std::max(2.0, side * 0.06);
    const QRectF arcRect(c.x() - arcRadius, c.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
    const bool enabled = isEnabled();

    // Arc track, recessed: a dark groove with a lit lower edge.
    const double trackStart = angleOf(m_minimum);
    const double trackSpan = angleOf(m_maximum) - trackStart;
    QPen pen(pal.grooveEdge, arcWidth + 1.2, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.drawArc(arcRect.translated(0, 0.6), int(trackStart * 16), int(trackSpan * 16));
    pen.setColor(pal.groove);
    pen.setWidthF(arcWidth);
    p.setPen(pen);
    p.drawArc(arcRect, int(trackStart * 16), int(trackSpan * 16));

    // Value arc from the origin.
    const double originAngle = angleOf(m_origin);
    const double valueAngle = angleOf(m_value);
    const QColor arcColour = enabled ? pal.accent : pal.accentMuted;
    if (std::abs(valueAngle - originAngle) > 0.01) {
        pen.setColor(arcColour);
        pen.setWidthF(arcWidth - 0.6);
        p.setPen(pen);
        p.drawArc(arcRect, int(std::lround(originAngle * 16)),
                  int(std::lround((valueAngle - originAngle) * 16)));
    }
    // Origin mark for knobs that do not start at an end.
    if (m_origin != m_minimum && m_origin != m_maximum) {
        const double a = qDegreesToRadians(originAngle);
        const QPointF dir(std::cos(a), -std::sin(a));
        p.setPen(QPen(enabled ? pal.tickStrong : pal.tick, 1.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + dir * (arcRadius - arcWidth / 2.0 - 0.5),
                   c + dir * (arcRadius + arcWidth / 2.0 + 0.5));
    }

    // Body: drop shadow, skirt with a rim lit from above, and a slightly domed cap.
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(c + QPointF(0, 1.5), bodyRadius + 2.5);
    shadow.setColorAt(0.8, pal.shadow);
    shadow.setColorAt(1.0, Qt::transparent);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 1.5), bodyRadius + 2.5, bodyRadius + 2.5);

    QLinearGradient rim(c.x(), c.y() - bodyRadius, c.x(), c.y() + bodyRadius);
    rim.setColorAt(0.0, pal.knobRimLight);
    rim.setColorAt(1.0, pal.knobRimDark);
    p.setBrush(rim);
    p.drawEllipse(c, bodyRadius, bodyRadius);

    QLinearGradient skirt(c.x(), c.y() - bodyRadius, c.x(), c.y() + bodyRadius);
    skirt.setColorAt(0.0, pal.knobBodyTop);
    skirt.setColorAt(1.0, pal.knobBodyBottom);
    p.setBrush(skirt);
    p.drawEllipse(c, bodyRadius - 1.0, bodyRadius - 1.0);

    const double capRadius = bodyRadius * 0.74;
    QRadialGradient cap(c + QPointF(-capRadius * 0.3, -capRadius * 0.45), capRadius * 1.6);
    cap.setColorAt(0.0, pal.knobBodyTop.lighter(118));
    cap.setColorAt(1.0, pal.knobBodyBottom);
    p.setBrush(cap);
    p.drawEllipse(c, capRadius, capRadius);

    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        QColor ring = pal.focus;
        ring.setAlpha(170);
        p.setPen(QPen(ring, 1.2));
        p.drawEllipse(c, bodyRadius + 0.6, bodyRadius + 0.6);
    }

    // Pointer line.
    const double a = qDegreesToRadians(valueAngle);
    const QPointF dir(std::cos(a), -std::sin(a));
    QColor pointer = pal.knobPointer;
    if (!enabled)
        pointer.setAlpha(110);
    p.setPen(QPen(pointer, std::max(1.6, side * 0.05), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (bodyRadius * 0.3), c + dir * (bodyRadius - 2.2));
}
