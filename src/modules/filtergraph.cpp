#include "filtergraph.h"

#include "filtergraphscale.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr std::array<float, FilterResponse::kMaxBands> kInitialFrequencies = {
    100, 300, 500, 800, 1000, 3000, 5000, 8000, 1000, 2000, 3000, 4000, 5000, 6000, 8000, 10000};
constexpr int kGridRows = 6;
constexpr double kLabelPointSize = 8.0;
constexpr double kHandlePointSize = 9.0;

struct GraphColours
{
    QColor background;
    QColor grid;
    QColor text;
    QColor curve;
    QColor label;
    QColor currentFill;
    QColor currentOutline;
    QColor passFill;
    QColor passOutline;
    QColor bandFill;
    QColor bandOutline;
};

GraphColours coloursFor(bool dark)
{
    GraphColours c;
    c.background = dark ? QColor(30, 33, 35) : QColor(255, 255, 255);
    c.grid = dark ? QColor(86, 86, 87) : QColor(230, 230, 230);
    c.text = dark ? QColor(118, 119, 121) : QColor(146, 146, 146);
    c.curve = QColor(21, 124, 186);
    c.label = QColor(255, 255, 255);
    c.currentFill = QColor(246, 22, 23, dark ? 100 : 150);
    c.currentOutline = QColor(246, 22, 23);
    c.passFill = QColor(97, 232, 129, dark ? 100 : 200);
    c.passOutline = QColor(97, 232, 129);
    c.bandFill = QColor(19, 47, 54, 100);
    c.bandOutline = QColor(154, 156, 157);
    return c;
}

// Vertical grid lines: 10, 20, ... 90, 100, 200, ... up to the last one below the axis end.
std::vector<int> gridFrequencies()
{
    std::vector<int> frequencies;
    int step = 10;
    for (int f = 10; f < FilterGraphScale::kMaxFrequency; f += step) {
        if (f == step * 10)
            step *= 10;
        frequencies.push_back(f);
    }
    return frequencies;
}
} // namespace

FilterGraph::FilterGraph(QWidget* parent) : QWidget(parent)
{
    // The keyboard reaches the graph; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    m_lowPass.freq = float(kMaxDragFrequency);
    for (int i = 0; i < FilterResponse::kMaxBands; ++i)
        m_bands[i].freq = kInitialFrequencies[i];
    recompute();
}

void FilterGraph::setBandCount(uchar count)
{
    m_bandCount = std::min<uchar>(count, FilterResponse::kMaxBands);
    // Handle indices of H and L move with the count; a drag in progress must not jump to another
    // handle.
    m_pressed.fill(false);
    recompute();
    update();
}

void FilterGraph::setHPFilter(uchar bypass, uchar type, uchar slope, float freq)
{
    m_highPass = PassFilter{bypass != 0, type, slope, freq};
    recompute();
    update();
}

void FilterGraph::setLPFilter(uchar bypass, uchar type, uchar slope, float freq)
{
    m_lowPass = PassFilter{bypass != 0, type, slope, freq};
    recompute();
    update();
}

void FilterGraph::setPEQ(uchar band, uchar bypass, uchar type, float freq, float gain, uchar qIndex)
{
    if (band >= FilterResponse::kMaxBands)
        return;
    m_bands[band] = FilterBand{bypass != 0, type, freq, gain, FilterResponse::bandQ(type, qIndex)};
    recompute();
    update();
}

void FilterGraph::setAllBandsBypassed(bool bypassed)
{
    for (int i = 0; i < m_bandCount; ++i)
        m_bands[i].bypass = bypassed;
    recompute();
    update();
}

void FilterGraph::setCurrentBand(uchar band)
{
    if (band == m_currentBand)
        return;
    m_currentBand = band;
    update();
}

void FilterGraph::setDark(bool dark)
{
    m_dark = dark;
    update();
}

QSize FilterGraph::sizeHint() const
{
    return QSize(700, 300);
}

QSize FilterGraph::minimumSizeHint() const
{
    return QSize(240, 120);
}

void FilterGraph::recompute()
{
    FilterResponse::compute(m_highPass, m_lowPass, m_bands.data(), m_bandCount, m_response);
}

QRectF FilterGraph::handleRect(int handle, const FilterGraphScale& scale) const
{
    double x = 0;
    double y = scale.middle();
    if (handle < m_bandCount) {
        x = scale.xAt(m_bands[handle].freq);
        y = scale.yAt(m_bands[handle].gain);
    } else {
        x = scale.xAt(handle == m_bandCount ? m_highPass.freq : m_lowPass.freq);
    }
    const double half = kHandleSize / 2.0;
    return QRectF(x - half, y - half, kHandleSize, kHandleSize);
}

int FilterGraph::pressedHandle() const
{
    const auto it = std::find(m_pressed.begin(), m_pressed.end(), true);
    return it == m_pressed.end() ? -1 : int(it - m_pressed.begin());
}

void FilterGraph::paintEvent(QPaintEvent*)
{
    const GraphColours colours = coloursFor(m_dark);
    const FilterGraphScale scale(width(), height());
    QPainter painter(this);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.background);
    painter.drawRoundedRect(QRectF(rect()), 4, 4);

    // Grid lines on whole pixels without antialiasing, so they stay one pixel wide and sharp.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.grid, 1));
    const int left = qRound(scale.left());
    const int top = qRound(scale.top());
    const int right = qRound(scale.right());
    const int bottom = qRound(scale.bottom());
    painter.drawRect(QRect(left, top, right - left, bottom - top));
    const double rowHeight = scale.height() / kGridRows;
    for (int i = 1; i < kGridRows; ++i) {
        const int y = qRound(scale.top() + i * rowHeight);
        painter.drawLine(left, y, right, y);
    }
    for (int f : gridFrequencies()) {
        const int x = qRound(scale.xAt(f));
        if (x > left && x < right)
            painter.drawLine(x, top, x, bottom);
    }

    // Gain labels right-aligned in the left margin, frequency labels centred under their lines.
    QFont labelFont = font();
    labelFont.setPointSizeF(kLabelPointSize);
    painter.setFont(labelFont);
    painter.setPen(colours.text);
    const QFontMetricsF labelMetrics(labelFont);
    const double labelRight = scale.left() - 6;
    for (int i = 0; i <= kGridRows; ++i) {
        const int gain = int(FilterGraphScale::kMaxGain) - 5 * i;
        const QString text = tr("%1dB").arg(gain);
        const double baseline = i == 0 ? scale.top() + 7 : scale.top() + i * rowHeight + 3;
        painter.drawText(QPointF(labelRight - labelMetrics.horizontalAdvance(text), baseline),
                         text);
    }
    for (int f : {10, 100, 1000, 10000}) {
        const QString text = f < 1000 ? tr("%1Hz").arg(f) : tr("%1KHz").arg(f / 1000);
        const double textWidth = labelMetrics.horizontalAdvance(text);
        const double x = std::clamp(scale.xAt(f) - textWidth / 2, 1.0, width() - textWidth - 1);
        painter.drawText(QPointF(x, scale.bottom() + 16), text);
    }

    // The curve, clamped into the plot.
    const FilterResponse::Grid& grid = FilterResponse::frequencies();
    QPolygonF curve;
    curve.reserve(FilterResponse::kGridSize);
    for (int k = 0; k < FilterResponse::kGridSize; ++k) {
        const double x = scale.xAt(grid[k]);
        if (x > scale.right() + 1e-9)
            break;
        const double y = std::clamp(scale.yAt(m_response[k]), scale.top(), scale.bottom());
        curve << QPointF(std::clamp(x, scale.left(), scale.right()), y);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.curve, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(curve);

    // Handles from the last to the first, so that where handles overlap the one a press would
    // pick is the one on top.
    QFont handleFont = font();
    handleFont.setPointSizeF(kHandlePointSize);
    painter.setFont(handleFont);
    for (int handle = handleCount() - 1; handle >= 0; --handle) {
        QColor fill = colours.bandFill;
        QColor outline = colours.bandOutline;
        QString text;
        if (handle < m_bandCount) {
            text = QString::number(handle + 1);
            if (handle == m_currentBand) {
                fill = colours.currentFill;
                outline = colours.currentOutline;
            }
        } else {
            //: Handle of the high-pass filter in the response graph, one character
            const QString highPass = tr("H");
            //: Handle of the low-pass filter in the response graph, one character
            const QString lowPass = tr("L");
            text = handle == m_bandCount ? highPass : lowPass;
            fill = colours.passFill;
            outline = colours.passOutline;
        }
        const QRectF r = handleRect(handle, scale);
        painter.setPen(QPen(outline, 2));
        painter.setBrush(fill);
        painter.drawEllipse(r.adjusted(1, 1, -1, -1));
        if (hasFocus() && handle == m_currentBand) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colours.currentOutline, 1.5, Qt::DotLine));
            painter.drawEllipse(r.adjusted(-4, -4, 4, 4));
        }
        painter.setPen(colours.label);
        painter.drawText(r, Qt::AlignCenter, text);
    }
}

double FilterGraph::currentFrequency() const
{
    return m_currentBand < m_bandCount ? double(m_bands[m_currentBand].freq) : 0.0;
}

QString FilterGraph::valueText() const
{
    if (m_currentBand >= m_bandCount)
        return {};
    const FilterBand& b = m_bands[m_currentBand];
    return tr("Band %1: %2 Hz, %3 dB")
        .arg(m_currentBand + 1)
        .arg(double(b.freq), 0, 'f', 0)
        .arg(double(b.gain), 0, 'f', 1);
}

void FilterGraph::moveCurrentBand(float freq, float gain)
{
    FilterBand& band = m_bands[m_currentBand];
    freq = float(std::clamp(double(freq), kMinDragFrequency, kMaxDragFrequency));
    gain = float(std::clamp(double(gain), FilterGraphScale::kMinGain, FilterGraphScale::kMaxGain));
    if (band.freq == freq && band.gain == gain)
        return;
    band.freq = freq;
    band.gain = gain;
    emit peqChanged(m_currentBand, freq, gain);
    recompute();
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, currentFrequency());
        QAccessible::updateAccessibility(&changed);
    }
}

void FilterGraph::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + m_bandCount) {
        event->accept();
        const auto band = uchar(key - Qt::Key_1);
        if (band != m_currentBand) {
            m_currentBand = band;
            update();
            emit currentBandChanged(band);
        }
        return;
    }
    if (m_currentBand >= m_bandCount) {
        QWidget::keyPressEvent(event);
        return;
    }
    const FilterBand& b = m_bands[m_currentBand];
    const double octaves = event->modifiers() & Qt::ControlModifier ? 1.0 : kFineOctaves;
    double freq = b.freq;
    double gain = b.gain;
    switch (key) {
    case Qt::Key_Left:
        freq /= std::pow(2.0, octaves);
        break;
    case Qt::Key_Right:
        freq *= std::pow(2.0, octaves);
        break;
    case Qt::Key_Up:
        gain += kFineGain;
        break;
    case Qt::Key_Down:
        gain -= kFineGain;
        break;
    case Qt::Key_PageUp:
        gain += kCoarseGain;
        break;
    case Qt::Key_PageDown:
        gain -= kCoarseGain;
        break;
    case Qt::Key_Home:
        freq = kMinDragFrequency;
        break;
    case Qt::Key_End:
        freq = kMaxDragFrequency;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    moveCurrentBand(float(freq), float(gain));
}

void FilterGraph::mousePressEvent(QMouseEvent* event)
{
    event->ignore();
    const QPointF position = event->localPos().toPoint();
    const FilterGraphScale scale(width(), height());
    m_pressed.fill(false);
    for (int handle = 0; handle < handleCount(); ++handle) {
        const QRectF area =
            handleRect(handle, scale).adjusted(-kHitMargin, -kHitMargin, kHitMargin, kHitMargin);
        if (!area.contains(position))
            continue;
        m_pressed[handle] = true;
        if (handle < m_bandCount && handle != m_currentBand) {
            m_currentBand = uchar(handle);
            update();
            emit currentBandChanged(m_currentBand);
        }
        return;
    }
}

void FilterGraph::mouseMoveEvent(QMouseEvent* event)
{
    const int handle = pressedHandle();
    if (handle < 0 || !(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    event->accept();
    const FilterGraphScale scale(width(), height());
    const float freq = float(
        std::clamp(scale.frequencyAt(event->localPos().x()), kMinDragFrequency, kMaxDragFrequency));
    // Values are compared after clamping: a pointer held beyond the plot announces nothing new.
    if (handle < m_bandCount) {
        const float gain =
            float(std::clamp(scale.gainAt(event->localPos().y()), FilterGraphScale::kMinGain,
                             FilterGraphScale::kMaxGain));
        FilterBand& band = m_bands[handle];
        if (band.freq == freq && band.gain == gain)
            return;
        band.freq = freq;
        band.gain = gain;
        emit peqChanged(uchar(handle), freq, gain);
    } else if (handle == m_bandCount) {
        if (m_highPass.freq == freq)
            return;
        m_highPass.freq = freq;
        emit HPFilterChanged(freq);
    } else {
        if (m_lowPass.freq == freq)
            return;
        m_lowPass.freq = freq;
        emit LPFilterChanged(freq);
    }
    recompute();
    update();
}

void FilterGraph::mouseReleaseEvent(QMouseEvent* event)
{
    event->ignore();
    m_pressed.fill(false);
}
