#include "automixermeter.h"

#include <QPainter>

#include <algorithm>

AutoMixerMeter::AutoMixerMeter(Kind kind, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_value(kind == Attenuation ? 0 : -100)
{
    m_palette = ControlPalette::forAppearance(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void AutoMixerMeter::setValue(int dB)
{
    if (dB == m_value)
        return;
    m_value = dB;
    update();
}

double AutoMixerMeter::fill(int dB) const
{
    if (m_kind == Attenuation)
        return std::clamp(double(dB) / kAttenuationFloor, 0.0, 1.0);
    return std::clamp(double(dB - kLevelFloor) / (kLevelTop - kLevelFloor), 0.0, 1.0);
}

void AutoMixerMeter::setDark(bool dark)
{
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

QSize AutoMixerMeter::sizeHint() const
{
    return {56, 8};
}

void AutoMixerMeter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(m_palette.slot);
    p.drawRoundedRect(track, 2, 2);
    const double share = fill(m_value);
    if (share <= 0.0)
        return;
    // Attenuation in a warm colour, growing from the right; the level in the accent from the
    // left.
    const QColor warm = m_palette.dark ? QColor(0xE0, 0x8A, 0x3A) : QColor(0xD9, 0x6F, 0x1C);
    const double w = track.width() * share;
    const QRectF bar = m_kind == Attenuation
                           ? QRectF(track.right() - w, track.top(), w, track.height())
                           : QRectF(track.left(), track.top(), w, track.height());
    p.setBrush(m_kind == Attenuation ? warm : m_palette.accent);
    p.drawRoundedRect(bar, 2, 2);
}
