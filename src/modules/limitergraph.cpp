#include "limitergraph.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {
constexpr double PlotLeft = 30.0;
constexpr double PlotTop = 15.0;
constexpr double PlotRightMargin = 10.0;
constexpr double PlotBottomMargin = 25.0;
// Transfer table steps per dB.
constexpr double StepsPerDb =
    dynamics::LimiterTableSize / (dynamics::LimiterAxisMax - dynamics::LimiterAxisMin);
} // namespace

LimiterGraph::LimiterGraph(QWidget* parent) : DynamicsGraph(parent)
{
    recompute();
}

void LimiterGraph::setThreshold(double threshold)
{
    m_threshold = threshold;
    recompute();
}

void LimiterGraph::setRatio(double ratio)
{
    m_ratio = ratio;
    recompute();
}

void LimiterGraph::setThresholdLimits(double minimum, double maximum)
{
    m_thresholdMinimum = std::min(minimum, maximum);
    m_thresholdMaximum = std::max(minimum, maximum);
}

QSize LimiterGraph::sizeHint() const
{
    return QSize(420, 320);
}

QSize LimiterGraph::minimumSizeHint() const
{
    return QSize(200, 160);
}

DynamicsGraph::Axes LimiterGraph::axes() const
{
    Axes a;
    a.plot = QRectF(PlotLeft, PlotTop, width() - PlotRightMargin - PlotLeft,
                    height() - PlotBottomMargin - PlotTop);
    a.min = dynamics::LimiterAxisMin;
    a.max = dynamics::LimiterAxisMax;
    return a;
}

QPointF LimiterGraph::tablePoint(QPointF step) const
{
    const double min = dynamics::LimiterAxisMin;
    return axes().toPixel(QPointF(min + step.x() / StepsPerDb, min + step.y() / StepsPerDb));
}

void LimiterGraph::recompute()
{
    m_transfer = dynamics::limiterTransfer(m_threshold, m_ratio);
    update();
}

QVector<QPointF> LimiterGraph::handleCentres() const
{
    return {tablePoint(m_transfer.kneePoint()), tablePoint(m_transfer.lastPoint())};
}

void LimiterGraph::dragHandle(int index, QPoint pos)
{
    const Axes a = axes();
    if (index == ThresholdHandle) {
        const double threshold = dynamics::limiterThresholdFromDrag(
            a.levelAtX(pos.x()), m_thresholdMinimum, m_thresholdMaximum);
        if (threshold == m_threshold)
            return;
        setThreshold(threshold);
        emit thresholdChanged(threshold);
        return;
    }
    // The slope is taken in dB rather than pixels so that the handle stays under the pointer
    // whatever the plot's aspect.
    const QPointF knee = tablePoint(m_transfer.kneePoint());
    const QPointF last = tablePoint(m_transfer.lastPoint());
    const double run = (last.x() - knee.x()) / a.pixelsPerUnitX();
    const double rise = (knee.y() - pos.y()) / a.pixelsPerUnitY();
    const double ratio = dynamics::limiterRatioFromDrag(run, rise);
    if (ratio == m_ratio)
        return;
    setRatio(ratio);
    emit ratioChanged(ratio);
}

void LimiterGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Axes a = axes();
    paintFrame(painter, a);

    const QPointF bottomLeft(a.plot.left(), a.plot.bottom());
    const QPointF bottomRight(a.plot.right(), a.plot.bottom());
    // Without a knee the knee point is the origin, the bottom-left corner.
    const QPointF knee = tablePoint(m_transfer.kneePoint());
    const QPointF last = tablePoint(m_transfer.lastPoint());
    paintCurve(painter, a, QPolygonF({bottomLeft, knee, last}),
               QPolygonF({bottomLeft, knee, last, bottomRight}));
    paintHandles(painter);
}
