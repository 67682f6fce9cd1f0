#include "agcgraph.h"

#include "dynamicscurves.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {
constexpr double MarginLeft = 30.0;
constexpr double MarginTop = 15.0;
constexpr double MarginRight = 10.0;
constexpr double MarginBottom = 25.0;
} // namespace

AGCGraph::AGCGraph(QWidget* parent) : DynamicsGraph(parent) {}

void AGCGraph::setThreshold(float threshold)
{
    m_threshold = threshold;
    update();
}

void AGCGraph::setTarget(float target)
{
    m_target = float(dynamics::agcTargetAtLeastThreshold(target, m_threshold));
    update();
}

void AGCGraph::setRatio(float ratio)
{
    m_ratio = ratio;
    update();
}

QSize AGCGraph::sizeHint() const
{
    return QSize(340, 340);
}

QSize AGCGraph::minimumSizeHint() const
{
    return QSize(180, 180);
}

// The largest square that fits between the label margins, centred in the spare room.
DynamicsGraph::Axes AGCGraph::axes() const
{
    const double roomX = width() - MarginLeft - MarginRight;
    const double roomY = height() - MarginTop - MarginBottom;
    const double side = std::min(roomX, roomY);
    Axes a;
    a.plot = QRectF(MarginLeft + (roomX - side) / 2, MarginTop + (roomY - side) / 2, side, side);
    a.min = dynamics::AgcAxisMin;
    a.max = dynamics::AgcAxisMax;
    return a;
}

QPointF AGCGraph::levelPoint(QPointF levels) const
{
    return axes().toPixel(levels);
}

QVector<QPointF> AGCGraph::handleCentres() const
{
    const dynamics::AgcHandles h = dynamics::agcHandles(m_threshold, m_target, m_ratio);
    return {levelPoint(h.threshold), levelPoint(h.ratio), levelPoint(h.target)};
}

void AGCGraph::dragHandle(int index, QPoint pos)
{
    const Axes a = axes();
    if (index == ThresholdHandle) {
        const float threshold =
            float(dynamics::agcThresholdFromDrag(a.levelAtX(pos.x()), m_target));
        if (threshold == m_threshold)
            return;
        setThreshold(threshold);
        emit thresholdChanged(threshold);
    } else if (index == TargetHandle) {
        const float target = float(dynamics::agcTargetFromDrag(a.levelAtX(pos.x()), m_threshold));
        if (target == m_target)
            return;
        setTarget(target);
        emit targetChanged(target);
    } else {
        const QPointF anchor = levelPoint(QPointF(m_target, m_target));
        const double run = (anchor.x() - pos.x()) / a.pixelsPerUnitX();
        const double drop = (pos.y() - anchor.y()) / a.pixelsPerUnitY();
        const float ratio = float(dynamics::agcRatioFromDrag(run, drop));
        if (ratio == m_ratio)
            return;
        setRatio(ratio);
        emit ratioChanged(ratio);
    }
}

void AGCGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Axes a = axes();
    paintFrame(painter, a);

    QPolygonF curve;
    for (const QPointF& corner : dynamics::agcCurve(m_threshold, m_target, m_ratio))
        curve << levelPoint(corner);
    QPolygonF area = curve;
    area.prepend(QPointF(a.plot.left(), a.plot.bottom()));
    area.append(QPointF(a.plot.right(), a.plot.bottom()));
    paintCurve(painter, a, curve, area);
    paintHandles(painter);
}
