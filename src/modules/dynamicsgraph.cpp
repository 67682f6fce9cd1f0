#include "dynamicsgraph.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

constexpr int GridDivisions = 5;

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// Not std::clamp: a widget squeezed below its margins has a plot of negative size.
QPointF heldIn(const QRectF& r, QPointF p)
{
    return QPointF(std::max(r.left(), std::min(p.x(), r.right())),
                   std::max(r.top(), std::min(p.y(), r.bottom())));
}

} // namespace

QPointF DynamicsGraph::Axes::toPixel(QPointF levels) const
{
    return QPointF(plot.left() + (levels.x() - min) * pixelsPerUnitX(),
                   plot.bottom() - (levels.y() - min) * pixelsPerUnitY());
}

double DynamicsGraph::Axes::levelAtX(double x) const
{
    return min + (x - plot.left()) / pixelsPerUnitX();
}

DynamicsGraph::DynamicsGraph(QWidget* parent) : QWidget(parent)
{
    // Hover feedback over the handles.
    setMouseTracking(true);
}

void DynamicsGraph::setDark(bool dark)
{
    m_dark = dark;
    update();
}

void DynamicsGraph::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    update();
}

DynamicsGraph::Colours DynamicsGraph::colours() const
{
    Colours c;
    c.background = m_dark ? QColor(30, 33, 35) : QColor(255, 255, 255);
    c.grid = m_dark ? QColor(86, 86, 87) : QColor(230, 230, 230);
    c.text = m_dark ? QColor(118, 119, 121) : QColor(146, 146, 146);
    c.diagonal = withAlpha(c.text, m_dark ? 150 : 170);
    const QColor on(21, 124, 186);
    const QColor off = m_dark ? QColor(104, 107, 112) : QColor(168, 171, 176);
    c.curve = m_active ? on : off;
    // The fill fades towards the bottom so that the grid stays readable under it.
    c.fillTop = withAlpha(c.curve, m_active ? (m_dark ? 120 : 90) : (m_dark ? 70 : 60));
    c.fillBottom = withAlpha(c.curve, m_dark ? 18 : 12);
    c.handleFill = withAlpha(c.curve, m_dark ? 100 : 150);
    c.handlePressedFill = m_dark ? c.curve.lighter(135) : c.curve.lighter(120);
    return c;
}

void DynamicsGraph::paintFrame(QPainter& painter, const Axes& axes) const
{
    const Colours c = colours();
    painter.save();

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(c.background);
    painter.drawRoundedRect(QRectF(rect()), 4, 4);

    // Grid lines on whole pixels stay crisp.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF& r = axes.plot;
    const int left = qRound(r.left());
    const int right = qRound(r.right());
    const int top = qRound(r.top());
    const int bottom = qRound(r.bottom());
    const int step = qRound((axes.max - axes.min) / GridDivisions);
    QFont labelFont = font();
    labelFont.setPointSize(8);
    painter.setFont(labelFont);
    const int labelHeight = painter.fontMetrics().height();
    // On a narrow plot every other input label is left out rather than letting them touch.
    const int widest = painter.fontMetrics().horizontalAdvance(QString::number(qRound(axes.min)));
    const int inputLabelEvery = widest + 6 > r.width() / GridDivisions ? 2 : 1;
    for (int i = 0; i <= GridDivisions; ++i) {
        const int y = qRound(r.top() + i * r.height() / GridDivisions);
        const int x = qRound(r.left() + i * r.width() / GridDivisions);
        painter.setPen(c.grid);
        painter.drawLine(left, y, right, y);
        painter.drawLine(x, top, x, bottom);

        painter.setPen(c.text);
        const QString output = QString::number(qRound(axes.max) - i * step);
        painter.drawText(QRectF(0, y - labelHeight / 2.0, left - 5, labelHeight),
                         Qt::AlignRight | Qt::AlignVCenter, output);
        if (i % inputLabelEvery == 0) {
            const QString input = QString::number(qRound(axes.min) + i * step);
            painter.drawText(QRectF(x - 30, bottom + 5, 60, labelHeight),
                             Qt::AlignHCenter | Qt::AlignTop, input);
        }
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(c.diagonal, 1, Qt::DashLine));
    painter.drawLine(QPointF(left, bottom), QPointF(right, top));
    painter.restore();
}

void DynamicsGraph::paintCurve(QPainter& painter, const Axes& axes, const QPolygonF& curve,
                               const QPolygonF& area) const
{
    const Colours c = colours();
    QPolygonF line;
    for (const QPointF& p : curve)
        line << heldIn(axes.plot, p);
    QPolygonF fill;
    for (const QPointF& p : area)
        fill << heldIn(axes.plot, p);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient gradient(axes.plot.topLeft(), axes.plot.bottomLeft());
    gradient.setColorAt(0.0, c.fillTop);
    gradient.setColorAt(1.0, c.fillBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawPolygon(fill);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(c.curve, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    painter.restore();
}

void DynamicsGraph::paintHandles(QPainter& painter) const
{
    const Colours c = colours();
    const QVector<QPointF> centres = handleCentres();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Drawn last to first so that the handle a press would pick lies on top.
    for (int i = centres.size() - 1; i >= 0; --i) {
        const QPointF centre = centres.at(i);
        const double radius = HandleSize / 2.0 - 1.0; // the 2-pixel outline stays inside 16 x 16
        painter.setPen(QPen(c.curve, 2));
        painter.setBrush(i == m_pressed ? c.handlePressedFill : c.handleFill);
        painter.drawEllipse(centre, radius, radius);
        painter.setPen(Qt::NoPen);
        painter.setBrush(i == m_pressed ? c.background : c.curve);
        painter.drawEllipse(centre, 2.0, 2.0);
    }
    painter.restore();
}

// Of the handles within reach the nearest is taken, and on a tie the earlier one (the threshold
// handle comes first). Taking simply the first within reach would make a handle a few pixels
// from the threshold handle impossible to grab by its centre, as the AGC's ratio handle is at
// the factory settings.
int DynamicsGraph::handleAt(QPoint pos) const
{
    const QVector<QPointF> centres = handleCentres();
    const double reach = HandleSize / 2.0 + HitMargin;
    int best = -1;
    double bestDistance = 0.0;
    for (int i = 0; i < centres.size(); ++i) {
        const QPointF d = QPointF(pos) - centres.at(i);
        if (std::abs(d.x()) > reach || std::abs(d.y()) > reach)
            continue;
        const double distance = QPointF::dotProduct(d, d);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Presses and moves that grab no handle are left to the parent, so that a scrolling page can
// still be dragged from the empty parts of the graph.
void DynamicsGraph::mousePressEvent(QMouseEvent* event)
{
    const int hit = event->button() == Qt::LeftButton ? handleAt(event->pos()) : -1;
    if (hit < 0) {
        event->ignore();
        return;
    }
    m_pressed = hit;
    setCursor(Qt::ClosedHandCursor);
    update();
    event->accept();
}

void DynamicsGraph::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed >= 0 && (event->buttons() & Qt::LeftButton)) {
        dragHandle(m_pressed, event->pos());
        event->accept();
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        if (handleAt(event->pos()) >= 0)
            setCursor(Qt::OpenHandCursor);
        else
            unsetCursor();
    }
    event->ignore();
}

void DynamicsGraph::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0) {
        event->ignore();
        return;
    }
    m_pressed = -1;
    if (handleAt(event->pos()) >= 0)
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
    update();
    event->accept();
}
