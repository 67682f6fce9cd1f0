#pragma once

// Pixel mapping of the filter response plot: logarithmic frequency from 10 Hz to 24 kHz across,
// gain from +15 dB at the top to -15 dB at the bottom. The plot sits inside the widget with fixed
// margins for the labels; all coordinates are widget coordinates.
class FilterGraphScale
{
public:
    static constexpr double kMinFrequency = 10.0;
    static constexpr double kMaxFrequency = 24000.0;
    static constexpr double kMaxGain = 15.0;
    static constexpr double kMinGain = -15.0;
    static constexpr double kLeftMargin = 40.0;
    static constexpr double kTopMargin = 10.0;
    static constexpr double kRightMargin = 5.0;
    static constexpr double kBottomMargin = 20.0;

    FilterGraphScale(double widgetWidth, double widgetHeight);

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    double right() const { return m_left + m_width; }
    double bottom() const { return m_top + m_height; }
    double middle() const { return m_top + m_height / 2.0; }

    double xAt(double frequency) const;
    double frequencyAt(double x) const;
    double yAt(double gainDb) const;
    double gainAt(double y) const;

private:
    double m_left;
    double m_top;
    double m_width;
    double m_height;
};
