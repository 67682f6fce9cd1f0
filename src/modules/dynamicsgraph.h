#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <QWidget>

class QPainter;
class QPolygonF;

// Common ground of the limiter and AGC transfer graphs: a grid with one level range on both axes,
// the curve with the area under it, and round handles the user drags. Subclasses place the handles
// and turn a drag into their parameters; this class does the hit testing and the mouse bookkeeping.
class DynamicsGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    static constexpr int HandleSize = 16;
    static constexpr int HitMargin = 5;

    explicit DynamicsGraph(QWidget* parent = nullptr);

    // Set by the style sheets of the two appearances.
    bool isDark() const { return m_dark; }
    void setDark(bool dark);

    // Whether the block is switched on; a block that is off draws its curve greyed out. The
    // handles stay draggable either way.
    bool isActive() const { return m_active; }
    void setActive(bool active);

    // Handle centres in widget coordinates; on a tie a press takes the earlier one.
    virtual QVector<QPointF> handleCentres() const = 0;
    // The handle being dragged, -1 when none.
    int pressedHandle() const { return m_pressed; }

protected:
    // A plot rectangle with the same level range on both axes (input across, output up).
    struct Axes
    {
        QRectF plot;
        double min = 0.0;
        double max = 0.0;

        QPointF toPixel(QPointF levels) const;
        double levelAtX(double x) const;
        double pixelsPerUnitX() const { return plot.width() / (max - min); }
        double pixelsPerUnitY() const { return plot.height() / (max - min); }
    };

    struct Colours
    {
        QColor background;
        QColor grid;
        QColor text;
        QColor diagonal;
        QColor curve;
        QColor fillTop;
        QColor fillBottom;
        QColor handleFill;
        QColor handlePressedFill;
    };
    Colours colours() const;

    // The pointer dragging handle `index` is at `pos`.
    virtual void dragHandle(int index, QPoint pos) = 0;

    // Background, grid with its level labels every (max - min) / 5 and the unity diagonal.
    void paintFrame(QPainter& painter, const Axes& axes) const;
    // The curve (widget coordinates) over its filled area, both held within the plot. `area` is
    // the outline of the fill.
    void paintCurve(QPainter& painter, const Axes& axes, const QPolygonF& curve,
                    const QPolygonF& area) const;
    void paintHandles(QPainter& painter) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int handleAt(QPoint pos) const;

    bool m_dark = false;
    bool m_active = true;
    int m_pressed = -1;
};
