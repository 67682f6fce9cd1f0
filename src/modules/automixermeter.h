#pragma once

#include "controlpalette.h"

#include <QWidget>

// A thin horizontal bar for one auto-mixer reading: the attenuation the mixer applies (0 dB
// down to its floor, the bar growing with the attenuation) or the level after it (the bar
// growing with the level). Values are whole dB as the unit reports them.
class AutoMixerMeter : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    enum Kind
    {
        Attenuation,
        Level,
    };

    static constexpr int kAttenuationFloor = -40;
    static constexpr int kLevelFloor = -60;
    static constexpr int kLevelTop = 12;

    explicit AutoMixerMeter(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    int value() const { return m_value; }
    void setValue(int dB);
    // Share of the bar lit at a value, 0..1.
    double fill(int dB) const;

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    int m_value;
    ControlPalette m_palette;
};
