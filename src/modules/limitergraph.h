#pragma once

#include "dynamicscurves.h"
#include "dynamicsgraph.h"

// Static transfer curve of a limiter, input and output from -100 to +20 dB. The threshold handle
// sits on the knee and moves the threshold; the ratio handle sits on the curve's right end and
// sets the slope above the knee. Drags are reported through the signals; the graph never writes
// to the model.
class LimiterGraph : public DynamicsGraph
{
    Q_OBJECT
public:
    enum Handle
    {
        ThresholdHandle = 0,
        RatioHandle = 1
    };

    explicit LimiterGraph(QWidget* parent = nullptr);

    double threshold() const { return m_threshold; }
    void setThreshold(double threshold);
    double ratio() const { return m_ratio; }
    void setRatio(double ratio);

    // Range a threshold drag may reach, -100..18 dB unless set.
    void setThresholdLimits(double minimum, double maximum);
    double thresholdMinimum() const { return m_thresholdMinimum; }
    double thresholdMaximum() const { return m_thresholdMaximum; }

    const dynamics::LimiterTransfer& transfer() const { return m_transfer; }
    // Widget coordinates of a point of the transfer table.
    QPointF tablePoint(QPointF step) const;

    QVector<QPointF> handleCentres() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void thresholdChanged(double threshold);
    void ratioChanged(double ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragHandle(int index, QPoint pos) override;

private:
    Axes axes() const;
    void recompute();

    double m_threshold = 0.0;
    double m_ratio = 2.0;
    double m_thresholdMinimum = dynamics::LimiterThresholdMin;
    double m_thresholdMaximum = dynamics::LimiterThresholdMax;
    dynamics::LimiterTransfer m_transfer;
};
