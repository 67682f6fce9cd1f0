#pragma once

#include "dynamicsgraph.h"

// Static curve of an automatic gain control on a square plot, input and output from -120 to
// 0 dB: unity below the threshold, from there a line of slope 1/ratio through the target. Three
// handles: the threshold on the diagonal, the start of the ratio segment above it, and the
// target on the diagonal. Drags are reported through the signals; the graph never writes to the
// model.
class AGCGraph : public DynamicsGraph
{
    Q_OBJECT
public:
    enum Handle
    {
        ThresholdHandle = 0,
        RatioHandle = 1,
        TargetHandle = 2
    };

    explicit AGCGraph(QWidget* parent = nullptr);

    float threshold() const { return m_threshold; }
    void setThreshold(float threshold);
    float target() const { return m_target; }
    // A target below the threshold is stored as the threshold.
    void setTarget(float target);
    float ratio() const { return m_ratio; }
    void setRatio(float ratio);

    // Widget coordinates of an (input, output) level pair.
    QPointF levelPoint(QPointF levels) const;

    QVector<QPointF> handleCentres() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void thresholdChanged(float threshold);
    void targetChanged(float target);
    void ratioChanged(float ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragHandle(int index, QPoint pos) override;

private:
    Axes axes() const;

    float m_threshold = -30.0f;
    float m_target = -20.0f;
    float m_ratio = 2.0f;
};
