#include "meterpanel.h"

#include "meter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QStaticText laidOut(const QString& text, const QFont& font)
{
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font);
    return layout;
}

} // namespace

MeterPanel::MeterPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("meterPanel"));
    m_readingHeight = QFontMetrics(font()).height();
}

void MeterPanel::setReading(const QString& text)
{
    if (text == m_reading)
        return;
    m_reading = text;
    m_textLaidOut = false; // when next shown: a hidden panel never lays its readings out
    update(readingRect());
}

void MeterPanel::setScale(int minimum, int maximum, const QVector<int>& marks)
{
    m_scaleMinimum = minimum;
    m_scaleMaximum = maximum;
    m_marks = marks;
    update();
}

QRect MeterPanel::meterRect() const
{
    QRect united;
    const auto meters = findChildren<Meter*>(QString(), Qt::FindDirectChildrenOnly);
    for (const Meter* m : meters) {
        if (m->isVisibleTo(this))
            united |= m->geometry();
    }
    return united;
}

int MeterPanel::markY(int level) const
{
    const QRect meters = meterRect();
    const int span = m_scaleMaximum - m_scaleMinimum;
    if (meters.isEmpty() || span <= 0 || level < m_scaleMinimum || level > m_scaleMaximum)
        return -1;
    // Where the meter's lit part ends at this level.
    return meters.top() +
           int(std::lround(meters.height() * double(m_scaleMaximum - level) / double(span)));
}

QFont MeterPanel::markFont() const
{
    // As small as it must be for the widest mark to fit beside the meters, but legible.
    QFont f = font();
    const int room = meterRect().left() - 4;
    const int wide = QFontMetrics(f).horizontalAdvance(QStringLiteral("-40"));
    if (wide > room && room > 0 && f.pointSizeF() > 0)
        f.setPointSizeF(std::max(5.0, f.pointSizeF() * room / wide));
    return f;
}

bool MeterPanel::marksLabelled() const
{
    return meterRect().left() - 4 >=
           QFontMetrics(markFont()).horizontalAdvance(QStringLiteral("-40"));
}

void MeterPanel::paintScale(QPainter& p, const QRect& dirty) const
{
    const QRect meters = meterRect();
    if (m_marks.isEmpty() || meters.isEmpty())
        return;
    const QColor ink = palette().color(foregroundRole());
    QColor tick = ink;
    tick.setAlphaF(0.55);
    const bool labels = marksLabelled();
    const QFont small = markFont();
    const QFontMetrics fm(small);
    p.setFont(small);
    for (int level : m_marks) {
        const int y = markY(level);
        if (y < 0)
            continue;
        const QRect band(0, y - fm.height(), meters.left(), 2 * fm.height());
        if (!dirty.intersects(band))
            continue;
        p.setPen(tick);
        p.drawLine(meters.left() - 3, y, meters.left() - 1, y);
        if (!labels)
            continue;
        p.setPen(ink);
        const QRect text(0, y - fm.height() / 2, meters.left() - 4, fm.height());
        p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
}

void MeterPanel::setReadingHeight(int height)
{
    m_readingHeight = std::max(height, QFontMetrics(font()).height());
    update();
}

QRect MeterPanel::readingRect() const
{
    return QRect(0, 0, width(), m_readingHeight);
}

void MeterPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        m_readingHeight = std::max(m_readingHeight, QFontMetrics(font()).height());
        m_fontKey.clear();
        m_textLaidOut = false;
    }
    QWidget::changeEvent(event);
}

void MeterPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_textLaidOut = false;
}

void MeterPanel::layOutText()
{
    m_textLaidOut = true;
    m_textFont = font();
    // Readings come from a small set (whole decibels), so every panel of one font shares their
    // layouts instead of shaping the same text again and again.
    static QHash<QString, QHash<QString, QStaticText>> shared;
    if (m_fontKey.isEmpty())
        m_fontKey = m_textFont.key();
    QHash<QString, QStaticText>& layouts = shared[m_fontKey];
    const auto known = layouts.constFind(m_reading);
    if (known != layouts.constEnd()) {
        m_text = *known;
    } else {
        m_text = laidOut(m_reading, m_textFont);
        if (layouts.size() < 1024)
            layouts.insert(m_reading, m_text);
    }
    // A reading wider than the panel (the stereo pair on a narrow strip) gets a smaller font.
    const qreal room = width() - 2.0;
    const qreal wide = m_text.size().width();
    if (room > 0 && wide > room && m_textFont.pointSizeF() > 0) {
        m_textFont.setPointSizeF(std::max(5.0, m_textFont.pointSizeF() * room / wide));
        m_text = laidOut(m_reading, m_textFont);
    }
}

void MeterPanel::paintEvent(QPaintEvent* event)
{
    // A plain colour: the style sheet's background of the panel, which it puts in the palette.
    QPainter p(this);
    const QColor background = palette().color(backgroundRole());
    for (const QRect& r : event->region())
        p.fillRect(r, background);
    paintScale(p, event->rect());
    const QRect text = readingRect();
    if (m_reading.isEmpty() || !event->rect().intersects(text))
        return;
    if (!m_textLaidOut)
        layOutText();
    p.setPen(palette().color(foregroundRole()));
    p.setFont(m_textFont);
    const QSizeF size = m_text.size();
    p.drawStaticText(QPointF(text.left() + (text.width() - size.width()) / 2.0,
                             text.top() + (text.height() - size.height()) / 2.0),
                     m_text);
}
