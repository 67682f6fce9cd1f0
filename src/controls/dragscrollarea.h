#pragma once

#include <QPoint>
#include <QScrollArea>

class QScrollBar;

// A scroll area whose content follows the pointer when dragged by its background, with its scroll
// bars placed by the owner outside it: the area's own bars stay hidden and the owner's bars are
// kept in step with them both ways. The content is resized with the area.
class DragScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit DragScrollArea(QWidget* parent = nullptr);

    // The owner's bars (either may be null). They take over range, value and steps from the
    // area's own bars and move them in turn.
    void setScrollBars(QScrollBar* horizontal, QScrollBar* vertical);
    QScrollBar* externalHorizontalScrollBar() const { return m_horizontal; }
    QScrollBar* externalVerticalScrollBar() const { return m_vertical; }

    // Whether dragging and the wheel scroll in that direction.
    void setHorizontalScrollEnabled(bool enabled);
    bool isHorizontalScrollEnabled() const { return m_horizontalEnabled; }
    void setVerticalScrollEnabled(bool enabled);
    bool isVerticalScrollEnabled() const { return m_verticalEnabled; }

    // Pointer travel, in pixels along either axis, that a press may wander before it drags.
    static constexpr int kDragThreshold = 9;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void resized();

public slots:
    void setHorizontalScrollBarRange(int minimum, int maximum);
    void setHorizontalScrollBarValue(int value);
    void setVerticalScrollBarRange(int minimum, int maximum);
    void setVerticalScrollBarValue(int value);
    void scrollBarPressed();
    void scrollBarReleased();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void syncSteps();
    void endDrag();
    bool handleWheel(QWheelEvent* event);

    QScrollBar* m_horizontal = nullptr;
    QScrollBar* m_vertical = nullptr;
    bool m_horizontalEnabled = true;
    bool m_verticalEnabled = true;
    bool m_tracking = false; // the first move of this press has been seen
    bool m_dragging = false;
    QPoint m_startPosition;
    QPoint m_lastPosition;
    QPoint m_wheelRemainder;
};
