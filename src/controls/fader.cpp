#include "fader.h"

#include "controlaccessible.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int kWheelNotch = 120;
constexpr int kMaxDecimals = 4;
// A click beside the handle that wanders further than this is a drag of whatever lies beneath
// (the scroll area of the strips), not a page step.
constexpr int kClickSlop = 4;
constexpr double kScaleMarks[] = {12, 6, 0, -6, -12, -20, -30, -40, -56};
constexpr double kScaleFontPoints = 7.0;

// Truncation towards 0 that forgives rounding error in the scale arithmetic, so that a pixel
// that lies exactly on a whole unit gives that unit and not its neighbour.
double truncate(double v)
{
    return std::trunc(v >= 0 ? v + 1e-6 : v - 1e-6);
}

QFont scaleFont(const QFont& base)
{
    QFont f = base;
    f.setPointSizeF(kScaleFontPoints);
    return f;
}
} // namespace

Fader::Fader(QWidget* parent) : QWidget(parent), m_palette(ControlPalette::forAppearance(false))
{
    // The keyboard reaches it; a click does not take the focus from a value being typed.
    setFocusPolicy(Qt::TabFocus);
}

double Fader::scale() const
{
    return std::pow(10.0, m_decimals);
}

int Fader::toRaw(double value) const
{
    const double raw = std::round(value * scale());
    constexpr double low = std::numeric_limits<int>::min() / 2;
    constexpr double high = std::numeric_limits<int>::max() / 2;
    return int(std::clamp(raw, low, high));
}

int Fader::clampedRaw(qint64 raw) const
{
    return int(std::clamp<qint64>(raw, m_minimum, m_maximum));
}

void Fader::setRange(float minimum, float maximum)
{
    int low = toRaw(minimum);
    int high = toRaw(maximum);
    if (high < low)
        std::swap(low, high);
    m_minimum = low;
    m_maximum = high;
    m_value = clampedRaw(m_value);
    update();
}

float Fader::minimum() const
{
    return float(m_minimum / scale());
}

float Fader::maximum() const
{
    return float(m_maximum / scale());
}

void Fader::setValue(float value)
{
    const int raw = clampedRaw(toRaw(value));
    if (raw == m_value)
        return;
    m_value = raw;
    update();
    ControlAccessible::notifyValueChanged(this);
}

QString Fader::valueText() const
{
    return tr("%1 dB").arg(double(value()), 0, 'f', m_decimals);
}

float Fader::value() const
{
    return float(m_value / scale());
}

void Fader::setWheelStep(float step)
{
    m_wheelStep = step;
}

void Fader::setPageStep(float step)
{
    m_pageStep = step;
}

void Fader::setDecimals(int decimals)
{
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (decimals == m_decimals)
        return;
    const double minimumValue = minimum();
    const double maximumValue = maximum();
    const double current = value();
    m_decimals = decimals;
    m_minimum = toRaw(minimumValue);
    m_maximum = toRaw(maximumValue);
    m_value = clampedRaw(toRaw(current));
    update();
}

double Fader::zeroPosition() const
{
    const double top = kHandleHeight / 2.0;
    const double bottom = height() - kHandleHeight / 2.0;
    const double z = (height() - 43) / 3.0 + kHandleHeight / 2.0;
    return std::clamp(z, top, std::max(top, bottom));
}

int Fader::positionToRaw(double y) const
{
    const double top = kHandleHeight / 2.0;
    const double bottom = height() - kHandleHeight / 2.0;
    if (m_maximum >= 1 && m_minimum < 0) {
        const double z = zeroPosition();
        if (y <= z) {
            const double v = z > top ? m_maximum - (y - top) * m_maximum / (z - top) : m_maximum;
            return int(std::min<double>(m_maximum, truncate(v)));
        }
        const double v = bottom > z ? (y - z) * m_minimum / (bottom - z) : m_minimum;
        return int(std::max<double>(m_minimum, truncate(v)));
    }
    // A range on one side of 0 (the USB play strip ends at 0 dB) spreads over the whole track.
    if (bottom <= top)
        return m_maximum;
    const double v = m_maximum + (y - top) * (double(m_minimum) - m_maximum) / (bottom - top);
    return clampedRaw(qint64(truncate(std::clamp(v, double(m_minimum), double(m_maximum)))));
}

double Fader::rawToPosition(int raw) const
{
    const double top = kHandleHeight / 2.0;
    const double bottom = std::max(top, height() - kHandleHeight / 2.0);
    if (m_maximum >= 1 && m_minimum < 0) {
        const double z = zeroPosition();
        if (raw >= 0)
            return top + double(m_maximum - raw) * (z - top) / m_maximum;
        return z + double(raw) * (bottom - z) / m_minimum;
    }
    if (m_maximum == m_minimum)
        return top;
    return top + double(m_maximum - raw) * (bottom - top) / (double(m_maximum) - m_minimum);
}

int Fader::labelWidth() const
{
    // Narrow faders leave the scale out and keep only the marks.
    if (width() < 36)
        return 0;
    return QFontMetrics(scaleFont(font())).horizontalAdvance(QStringLiteral("-56")) + 3;
}

int Fader::trackCentreX() const
{
    const int left = labelWidth();
    return left + (width() - left) / 2;
}

QRect Fader::handleRect() const
{
    const int available = width() - labelWidth() - 4;
    const int capWidth = std::max(12, std::min(30, available));
    const int centreY = int(std::lround(rawToPosition(m_value)));
    return QRect(trackCentreX() - capWidth / 2, centreY - kHandleHeight / 2, capWidth,
                 kHandleHeight);
}

QSize Fader::sizeHint() const
{
    return QSize(48, 200);
}

QSize Fader::minimumSizeHint() const
{
    return QSize(24, 80);
}

void Fader::applyUserRaw(qint64 raw)
{
    const int v = clampedRaw(raw);
    if (v != m_value) {
        m_value = v;
        update();
        ControlAccessible::notifyValueChanged(this);
    }
    emit valueChanged(value());
}

void Fader::mousePressEvent(QMouseEvent* event)
{
    m_dragged = false;
    m_pressedBeside = false;
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (handleRect().contains(event->pos())) {
        event->accept();
        m_grabbed = true;
        // The point of the cap that was grabbed stays under the pointer rather than the cap
        // jumping to centre itself there, and the pixel of the press stands for the value at
        // the grab (the scale, truncated to whole units, might map it to a neighbour).
        m_grabOffset = event->pos().y() - int(std::lround(rawToPosition(m_value)));
        m_pressPosition = event->pos();
        m_grabValue = m_value;
        return;
    }
    // Beside the handle the press belongs to the parent (the strip row scrolls by dragging);
    // the release decides on a page step.
    m_pressedBeside = true;
    m_pressPosition = event->pos();
    event->ignore();
}

void Fader::mouseMoveEvent(QMouseEvent* event)
{
    if (m_grabbed) {
        event->accept();
        m_dragged = true;
        const int y = event->pos().y();
        const int raw = y == m_pressPosition.y() ? m_grabValue : positionToRaw(y - m_grabOffset);
        if (raw != m_value) {
            m_value = raw;
            update();
            emit valueChanged(value());
        }
        return;
    }
    if (m_pressedBeside) {
        const QPoint moved = event->pos() - m_pressPosition;
        if (std::abs(moved.x()) > kClickSlop || std::abs(moved.y()) > kClickSlop)
            m_dragged = true;
    }
    event->ignore();
}

void Fader::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool wasGrabbed = m_grabbed;
    const bool page = m_pressedBeside && !m_dragged && rect().contains(event->pos()) &&
                      !handleRect().contains(event->pos());
    m_grabbed = false;
    m_pressedBeside = false;
    m_dragged = false;
    if (page) {
        const int step = std::max(1, toRaw(m_pageStep));
        const bool up = event->pos().y() < rawToPosition(m_value);
        applyUserRaw(qint64(m_value) + (up ? step : -step));
    }
    // The parent saw the press of a click beside the handle, so it also sees its release.
    if (wasGrabbed)
        event->accept();
    else
        event->ignore();
}

void Fader::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit doubleClicked();
}

void Fader::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    event->accept();
    // Fractions of a notch from high-resolution wheels add up instead of each counting as a
    // step down.
    m_wheelRemainder += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = m_wheelRemainder / kWheelNotch;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * kWheelNotch;
    const int step = std::max(1, toRaw(m_wheelStep));
    applyUserRaw(qint64(m_value) + qint64(notches) * step);
}

void Fader::keyPressEvent(QKeyEvent* event)
{
    const qint64 step = std::max(1, toRaw(m_wheelStep));
    const qint64 page = std::max(1, toRaw(m_pageStep));
    qint64 raw = m_value;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        raw += step;
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        raw -= step;
        break;
    case Qt::Key_PageUp:
        raw += page;
        break;
    case Qt::Key_PageDown:
        raw -= page;
        break;
    case Qt::Key_Home:
        raw = m_minimum;
        break;
    case Qt::Key_End:
        raw = m_maximum;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    applyUserRaw(raw);
}

void Fader::setDark(bool dark)
{
    if (dark == m_palette.dark)
        return;
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

void Fader::paintEvent(QPaintEvent*)
{
    const ControlPalette& pal = m_palette;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!isEnabled())
        p.setOpacity(0.5);

    const double cx = trackCentreX();
    const int left = labelWidth();
    const double top = kHandleHeight / 2.0;
    const double bottom = std::max(top, height() - kHandleHeight / 2.0);
    const double slotWidth = 4.0;
    const QRect cap = handleRect();

    // Scale: marks on both sides of the slot, labels on the left. Labels that would crowd each
    // other give way, 0 dB and the ends of the range first.
    const QFont font = scaleFont(this->font());
    const QFontMetrics fm(font);
    p.setFont(font);
    QVector<double> marks;
    for (double mark : kScaleMarks) {
        if (mark <= maximum() + 1e-6 && mark >= minimum() - 1e-6)
            marks.append(mark);
    }
    QVector<double> labelled;
    auto tryLabel = [&](double mark) {
        const double y = rawToPosition(toRaw(mark));
        for (double other : labelled) {
            if (other == mark || std::abs(rawToPosition(toRaw(other)) - y) < fm.height() - 1)
                return;
        }
        labelled.append(mark);
    };
    if (marks.contains(0.0))
        tryLabel(0.0);
    if (!marks.isEmpty()) {
        tryLabel(marks.first());
        tryLabel(marks.last());
    }
    for (double mark : marks)
        tryLabel(mark);

    const double tickLeft = left + 1.0;
    const double tickRight = width() - 1.0;
    const double innerLeft = cx - slotWidth / 2.0 - 2.0;
    const double innerRight = cx + slotWidth / 2.0 + 2.0;
    for (double mark : marks) {
        const double y = std::round(rawToPosition(toRaw(mark))) + 0.5;
        const bool zero = mark == 0.0;
        p.setPen(QPen(zero ? pal.tickStrong : pal.tick, zero ? 1.4 : 1.0));
        const double inset = zero ? 0.0 : 3.0;
        p.drawLine(QPointF(tickLeft + inset, y), QPointF(innerLeft, y));
        p.drawLine(QPointF(innerRight, y), QPointF(tickRight - inset, y));
        if (left > 0 && labelled.contains(mark)) {
            p.setPen(zero ? pal.tickStrong : pal.text);
            const QRectF box(0, y - fm.height() / 2.0, left - 3, fm.height());
            p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(mark));
        }
    }

    // Slot: a narrow recess with a lit lower edge.
    const QRectF slot(cx - slotWidth / 2.0, top - 4.0, slotWidth, bottom - top + 8.0);
    p.setPen(Qt::NoPen);
    p.setBrush(pal.grooveEdge);
    p.drawRoundedRect(slot.adjusted(-0.5, 0, 0.5, 1.0), 2.0, 2.0);
    p.setBrush(pal.slot);
    p.drawRoundedRect(slot, 2.0, 2.0);
    QColor inner = pal.shadow;
    inner.setAlpha(inner.alpha() / 2);
    p.setBrush(inner);
    p.drawRoundedRect(QRectF(slot.left(), slot.top(), 1.2, slot.height()), 0.6, 0.6);

    // Cap: a drop shadow, a grey body shaded like a ridged console cap and its centre line.
    // The cap stays opaque when disabled (the slot must not show through it) and fades instead.
    p.setOpacity(1.0);
    const double fade = isEnabled() ? 0.0 : 0.55;
    const auto faded = [&](const QColor& c) {
        return ControlPalette::mix(c, pal.background, fade);
    };
    const QRectF body = QRectF(cap).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor shade = pal.shadow;
    for (int i = 3; i >= 1; --i) {
        shade.setAlpha(int(pal.shadow.alpha() * (1.0 - fade)) / (i + 1));
        p.setBrush(shade);
        p.drawRoundedRect(body.translated(0, 1.0 + i * 0.6).adjusted(-i * 0.5, 0, i * 0.5, 0), 3.0,
                          3.0);
    }
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    gradient.setColorAt(0.0, faded(pal.capTop));
    gradient.setColorAt(0.44, faded(pal.capMiddle));
    gradient.setColorAt(0.56, faded(pal.capMiddle.darker(112)));
    gradient.setColorAt(1.0, faded(pal.capBottom));
    p.setPen(QPen(faded(pal.capEdge), 1.0));
    p.setBrush(gradient);
    p.drawRoundedRect(body, 2.5, 2.5);

    // Grip ridges above and below the centre, each a dark groove over a lit line.
    const double cy = body.center().y();
    const double gripLeft = body.left() + 3.0;
    const double gripRight = body.right() - 3.0;
    QColor ridgeDark = faded(pal.capEdge);
    ridgeDark.setAlpha(110);
    QColor ridgeLight = faded(pal.capTop.lighter(115));
    ridgeLight.setAlpha(pal.dark ? 70 : 160);
    for (double offset : {-7.0, -4.5, 4.5, 7.0}) {
        const double y = std::round(cy + offset) + 0.5;
        p.setPen(QPen(ridgeDark, 1.0));
        p.drawLine(QPointF(gripLeft, y), QPointF(gripRight, y));
        p.setPen(QPen(ridgeLight, 1.0));
        p.drawLine(QPointF(gripLeft, y + 1.0), QPointF(gripRight, y + 1.0));
    }
    p.setPen(QPen(faded(pal.capLine), 2.0, Qt::SolidLine, Qt::FlatCap));
    const double lineY = std::round(cy);
    p.drawLine(QPointF(body.left() + 1.5, lineY), QPointF(body.right() - 1.5, lineY));

    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(pal.focus, 1.5));
        p.drawRoundedRect(QRectF(body).adjusted(-2.5, -2.5, 2.5, 2.5), 4.0, 4.0);
    }
}
