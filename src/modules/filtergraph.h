#pragma once

#include "filterresponse.h"

#include <QWidget>

#include <array>

class FilterGraphScale;

// Response curve of one channel's filter block on a log-frequency / dB grid, with a handle per
// band (frequency and gain) and one per pass filter (frequency) to drag. It only displays what it
// is given and reports drags; the editor that owns it keeps the parameters.
class FilterGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
    // Read by screen readers (see ControlAccessible); 17 is QAccessible::Chart. The value is
    // the current band's frequency.
    Q_CLASSINFO("accessibleRole", "17")
    Q_PROPERTY(double value READ currentFrequency)
    Q_PROPERTY(double minimum READ minimumFrequency)
    Q_PROPERTY(double maximum READ maximumFrequency)
    Q_PROPERTY(QString valueText READ valueText)
public:
    static constexpr double kMinDragFrequency = 20.0;
    static constexpr double kMaxDragFrequency = 20000.0;
    static constexpr int kHandleSize = 16;
    static constexpr int kHitMargin = 5;

    explicit FilterGraph(QWidget* parent = nullptr);

    // Every setter stores its arguments, recomputes the curve and repaints. A bypass argument
    // other than 0 leaves the filter out.
    void setBandCount(uchar count); // at most 16
    void setHPFilter(uchar bypass, uchar type, uchar slope, float freq);
    void setLPFilter(uchar bypass, uchar type, uchar slope, float freq);
    // Peaking bands store the Q of the Q index, shelves 0.71. Indices of no band are ignored.
    void setPEQ(uchar band, uchar bypass, uchar type, float freq, float gain, uchar qIndex);
    void setAllBandsBypassed(bool bypassed);
    // Selects the band drawn as current, without announcing it.
    void setCurrentBand(uchar band);

    uchar bandCount() const { return m_bandCount; }
    uchar currentBand() const { return m_currentBand; }
    const PassFilter& highPass() const { return m_highPass; }
    const PassFilter& lowPass() const { return m_lowPass; }
    const FilterBand& band(int index) const { return m_bands.at(index); }
    const FilterResponse::Curve& response() const { return m_response; }

    // The keyboard moves the current band: Left and Right by a twelfth of an octave (Ctrl: an
    // octave), Up and Down by 0.5 dB, Page Up and Down by 3 dB, Home and End to the lowest and
    // highest frequency; the digits 1 to 8 choose the band.
    static constexpr double kFineOctaves = 1.0 / 12.0;
    static constexpr double kFineGain = 0.5;
    static constexpr double kCoarseGain = 3.0;
    double currentFrequency() const;
    static double minimumFrequency() { return kMinDragFrequency; }
    static double maximumFrequency() { return kMaxDragFrequency; }
    // "Band 3: 1000 Hz, -3.0 dB".
    QString valueText() const;

    bool isDark() const { return m_dark; }
    void setDark(bool dark);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentBandChanged(uchar band);
    void peqChanged(uchar band, float freq, float gain);
    void HPFilterChanged(float freq);
    void LPFilterChanged(float freq);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Presses and releases are left unaccepted so that they also reach the parent; only a move
    // that drags a handle is accepted.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void recompute();
    // Handles in hit-test order: bands 0..count-1, then the high-pass, then the low-pass.
    int handleCount() const { return m_bandCount + 2; }
    QRectF handleRect(int handle, const FilterGraphScale& scale) const;
    int pressedHandle() const;
    // Moves the current band as a drag would, announcing what changed.
    void moveCurrentBand(float freq, float gain);

    bool m_dark = false;
    uchar m_bandCount = FilterResponse::kMaxBands;
    uchar m_currentBand = 0;
    PassFilter m_highPass;
    PassFilter m_lowPass;
    std::array<FilterBand, FilterResponse::kMaxBands> m_bands;
    std::array<bool, FilterResponse::kMaxBands + 2> m_pressed{};
    FilterResponse::Curve m_response{};
};
