#include "dragscrollarea.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace {
constexpr int kWheelNotch = 120;

void scrollBy(QScrollBar* bar, int amount)
{
    bar->setValue(bar->value() + amount);
}

bool hasRange(const QScrollBar* bar)
{
    return bar->maximum() > bar->minimum();
}
} // namespace

DragScrollArea::DragScrollArea(QWidget* parent) : QScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // A click on content that does not take the focus (a matrix cell, a fader, the space
    // between strips) leaves the focus where it was; Tab still reaches the area.
    setFocusPolicy(Qt::TabFocus);

    // Mouse events reach the area after the content and the viewport have let them pass; wheel
    // events are taken at the viewport, before the scroll area's own handling.
    installEventFilter(this);
    viewport()->installEventFilter(this);

    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    connect(h, &QScrollBar::rangeChanged, this, &DragScrollArea::setHorizontalScrollBarRange);
    connect(h, &QScrollBar::valueChanged, this, &DragScrollArea::setHorizontalScrollBarValue);
    connect(v, &QScrollBar::rangeChanged, this, &DragScrollArea::setVerticalScrollBarRange);
    connect(v, &QScrollBar::valueChanged, this, &DragScrollArea::setVerticalScrollBarValue);
    for (QScrollBar* bar : {h, v}) {
        connect(bar, &QScrollBar::sliderPressed, this, &DragScrollArea::scrollBarPressed);
        connect(bar, &QScrollBar::sliderReleased, this, &DragScrollArea::scrollBarReleased);
    }
}

void DragScrollArea::setScrollBars(QScrollBar* horizontal, QScrollBar* vertical)
{
    for (QScrollBar* old : {m_horizontal, m_vertical}) {
        if (old)
            disconnect(old, nullptr, this, nullptr);
    }
    m_horizontal = horizontal;
    m_vertical = vertical;

    const auto attach = [this](QScrollBar* external, QScrollBar* own) {
        if (!external)
            return;
        external->setRange(own->minimum(), own->maximum());
        external->setValue(own->value());
        connect(external, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
        connect(external, &QScrollBar::sliderPressed, this, &DragScrollArea::scrollBarPressed);
        connect(external, &QScrollBar::sliderReleased, this, &DragScrollArea::scrollBarReleased);
    };
    attach(m_horizontal, horizontalScrollBar());
    attach(m_vertical, verticalScrollBar());
    syncSteps();
}

void DragScrollArea::setHorizontalScrollEnabled(bool enabled)
{
    m_horizontalEnabled = enabled;
}

void DragScrollArea::setVerticalScrollEnabled(bool enabled)
{
    m_verticalEnabled = enabled;
}

void DragScrollArea::setHorizontalScrollBarRange(int minimum, int maximum)
{
    if (m_horizontal)
        m_horizontal->setRange(minimum, maximum);
    syncSteps();
}

void DragScrollArea::setHorizontalScrollBarValue(int value)
{
    if (m_horizontal)
        m_horizontal->setValue(value);
}

void DragScrollArea::setVerticalScrollBarRange(int minimum, int maximum)
{
    if (m_vertical)
        m_vertical->setRange(minimum, maximum);
    syncSteps();
}

void DragScrollArea::setVerticalScrollBarValue(int value)
{
    if (m_vertical)
        m_vertical->setValue(value);
}

// The pressed state crosses over from whichever bar of a pair was pressed to its partner, so
// that listeners of either see a slider drag begin and end.
void DragScrollArea::scrollBarPressed()
{
    const QObject* bar = sender();
    if (bar && bar == m_horizontal)
        horizontalScrollBar()->setSliderDown(true);
    else if (bar && bar == m_vertical)
        verticalScrollBar()->setSliderDown(true);
    else if (bar && bar == horizontalScrollBar() && m_horizontal)
        m_horizontal->setSliderDown(true);
    else if (bar && bar == verticalScrollBar() && m_vertical)
        m_vertical->setSliderDown(true);
}

void DragScrollArea::scrollBarReleased()
{
    const QObject* bar = sender();
    if (bar && bar == m_horizontal)
        horizontalScrollBar()->setSliderDown(false);
    else if (bar && bar == m_vertical)
        verticalScrollBar()->setSliderDown(false);
    else if (bar && bar == horizontalScrollBar() && m_horizontal)
        m_horizontal->setSliderDown(false);
    else if (bar && bar == verticalScrollBar() && m_vertical)
        m_vertical->setSliderDown(false);
}

void DragScrollArea::syncSteps()
{
    if (m_horizontal) {
        m_horizontal->setSingleStep(horizontalScrollBar()->singleStep());
        m_horizontal->setPageStep(horizontalScrollBar()->pageStep());
    }
    if (m_vertical) {
        m_vertical->setSingleStep(verticalScrollBar()->singleStep());
        m_vertical->setPageStep(verticalScrollBar()->pageStep());
    }
}

void DragScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    syncSteps();
    emit resized();
}

void DragScrollArea::endDrag()
{
    if (m_dragging)
        viewport()->unsetCursor();
    m_dragging = false;
    m_tracking = false;
}

bool DragScrollArea::handleWheel(QWheelEvent* event)
{
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const QPoint angle = event->angleDelta();
    // A plain wheel scrolls vertically; where the area cannot (switched off or nothing to
    // scroll) it scrolls a horizontal row instead of doing nothing.
    QScrollBar* forY = m_verticalEnabled && hasRange(v)     ? v
                       : m_horizontalEnabled && hasRange(h) ? h
                                                            : nullptr;
    QScrollBar* forX = m_horizontalEnabled && hasRange(h) ? h : nullptr;
    // The area's own wheel handling never runs: a wheel the area cannot use is left ignored, so
    // that it travels on to the parents.
    if ((angle.y() == 0 || !forY) && (angle.x() == 0 || !forX)) {
        event->ignore();
        return true;
    }

    if (angle.x() != 0 && forX)
        m_wheelRemainder.rx() += angle.x();
    if (angle.y() != 0 && forY)
        m_wheelRemainder.ry() += angle.y();
    const int notchesX = m_wheelRemainder.x() / kWheelNotch;
    const int notchesY = m_wheelRemainder.y() / kWheelNotch;
    m_wheelRemainder -= QPoint(notchesX, notchesY) * kWheelNotch;
    if (notchesX != 0 && forX)
        scrollBy(forX, -notchesX * forX->singleStep());
    if (notchesY != 0 && forY)
        scrollBy(forY, -notchesY * forY->singleStep());
    event->accept();
    return true;
}

bool DragScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && (watched == this || watched == viewport()))
        return handleWheel(static_cast<QWheelEvent*>(event));
    if (watched != this)
        return QScrollArea::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        endDrag();
        break;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            endDrag();
            break;
        }
        const QPoint position = mouse->globalPos();
        if (!m_tracking) {
            m_tracking = true;
            m_startPosition = position;
            m_lastPosition = position;
            break;
        }
        if (!m_dragging) {
            const QPoint moved = position - m_startPosition;
            if (std::abs(moved.x()) <= kDragThreshold && std::abs(moved.y()) <= kDragThreshold)
                break;
            m_dragging = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        const QPoint delta = position - m_lastPosition;
        m_lastPosition = position;
        if (m_horizontalEnabled)
            scrollBy(horizontalScrollBar(), -delta.x());
        if (m_verticalEnabled)
            scrollBy(verticalScrollBar(), -delta.y());
        event->accept();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const bool dragged = m_dragging;
            endDrag();
            if (dragged)
                event->accept();
            return dragged;
        }
        break;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}
