#include "meter.h"

#include "controlaccessible.h"
#include "controlpalette.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

namespace {
constexpr qreal kRadius = 4.0;
constexpr int kWidth = 10;
} // namespace

Meter::Meter(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setFocusPolicy(Qt::TabFocus);
}

void Meter::setDark(bool dark)
{
    m_dark = dark;
    update();
}

void Meter::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void Meter::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void Meter::setRange(int minimum, int maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

int Meter::unlitRows(int value) const
{
    const double span = double(m_maximum) - m_minimum;
    if (span <= 0)
        return value >= m_maximum ? 0 : height();
    const double share = std::clamp((m_maximum - value) / span, 0.0, 1.0);
    return int(std::lround(height() * share));
}

QString Meter::valueText() const
{
    return tr("%1 dBFS").arg(m_value);
}

void Meter::setValue(int value)
{
    const int clamped = std::clamp(value, m_minimum, m_maximum);
    if (clamped == m_value)
        return;
    const int before = unlitRows(m_value);
    m_value = clamped;
    const int after = unlitRows(m_value);
    // Only the band between the old and the new level changes.
    if (after != before)
        update(0, std::min(before, after), width(), std::abs(after - before));
    // Only the meter the user is on speaks, and only when its level changes: ten reports a
    // second from every meter would drown a screen reader.
    if (hasFocus())
        ControlAccessible::notifyValueChanged(this);
}

void Meter::setDisplay(bool alternative)
{
    if (alternative == m_display)
        return;
    m_display = alternative;
    update();
}

QSize Meter::sizeHint() const
{
    return QSize(kWidth, 120);
}

QSize Meter::minimumSizeHint() const
{
    return QSize(kWidth, 20);
}

QPixmap Meter::renderLayer(bool lower) const
{
    const qreal dpr = devicePixelRatioF();
    QPixmap pixmap(QSize(int(std::ceil(width() * dpr)), int(std::ceil(height() * dpr))));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const QRectF r(0, 0, width(), height());
    QPainterPath outline;
    outline.addRoundedRect(r, kRadius, kRadius);
    p.setClipPath(outline);

    // The gradients run from the top-left to the bottom-right corner; 0 dB sits at z.
    const double span = double(m_maximum) - m_minimum;
    const double z = span > 0 ? std::clamp(m_maximum / span, 0.0, 1.0) : 0.0;
    QLinearGradient gradient(r.topLeft(), r.bottomRight());
    if (!m_display && lower) {
        gradient.setColorAt(0.0, QColor(231, 38, 53));
        gradient.setColorAt(z, QColor(133, 233, 37));
        gradient.setColorAt(1.0, QColor(0, 233, 37));
    } else if (!m_display) {
        gradient.setColorAt(0.0, QColor(83, 0, 0));
        gradient.setColorAt(z, QColor(85, 49, 0));
        gradient.setColorAt(1.0, QColor(0, 58, 0));
    } else if (lower) {
        gradient.setColorAt(0.0, QColor(210, 227, 34));
        gradient.setColorAt(1.0, QColor(221, 156, 42));
    } else {
        gradient.setColorAt(0.0, QColor(85, 49, 0));
        gradient.setColorAt(1.0, QColor(65, 29, 0));
    }
    p.fillRect(r, gradient);

    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2.0));
    p.drawRoundedRect(r.adjusted(1.0, 1.0, -1.0, -1.0), kRadius, kRadius);
    return pixmap;
}

void Meter::updateLayers()
{
    const LayerShape shape{size(), devicePixelRatioF(), m_minimum, m_maximum, m_display};
    if (shape == m_layerShape && !m_upper.isNull() && !m_lower.isNull())
        return;
    m_layerShape = shape;
    // Meters of one size, range and style share their layers.
    const QString key = QStringLiteral("kv-meter %1x%2@%3 %4..%5 %6")
                            .arg(shape.size.width())
                            .arg(shape.size.height())
                            .arg(shape.dpr)
                            .arg(shape.minimum)
                            .arg(shape.maximum)
                            .arg(shape.display ? 1 : 0);
    const QString upperKey = key + QStringLiteral(" upper");
    const QString lowerKey = key + QStringLiteral(" lower");
    if (!QPixmapCache::find(upperKey, &m_upper)) {
        m_upper = renderLayer(false);
        QPixmapCache::insert(upperKey, m_upper);
    }
    if (!QPixmapCache::find(lowerKey, &m_lower)) {
        m_lower = renderLayer(true);
        QPixmapCache::insert(lowerKey, m_lower);
    }
}

void Meter::paintEvent(QPaintEvent* event)
{
    if (width() <= 0 || height() <= 0)
        return;
    updateLayers();
    QPainter p(this);
    const qreal dpr = m_upper.devicePixelRatio();
    const auto source = [dpr](const QRect& r) {
        return QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    };
    const int split = unlitRows(m_value);
    const QRect dirty = event->rect();
    const QRect upper = dirty & QRect(0, 0, width(), split);
    const QRect lower = dirty & QRect(0, split, width(), height() - split);
    if (!upper.isEmpty())
        p.drawPixmap(QRectF(upper), m_upper, source(upper));
    if (!lower.isEmpty())
        p.drawPixmap(QRectF(lower), m_lower, source(lower));
    if (hasFocus()) {
        // The ring takes the place of the black outline: the bar is too narrow for one beside it.
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ControlPalette::forAppearance(m_dark).focus, 2.0));
        p.drawRoundedRect(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0), kRadius, kRadius);
    }
}
