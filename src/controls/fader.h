#pragma once

#include "controlpalette.h"

#include <QRect>
#include <QWidget>

// A vertical gain fader with a console scale: the 0 position sits a third of the way down the
// track, the part above it spreads the positive gains and the part below the negative ones, each
// linearly. Values are whole numbers of 10^-decimals units (0.1 dB with one decimal); the public
// interface speaks in the outer unit. Setting the value from code never emits.
class Fader : public QWidget
{
    Q_OBJECT
    // Set by the style sheets of the two appearances.
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
    // Read by screen readers (see ControlAccessible); 51 is QAccessible::Slider.
    Q_CLASSINFO("accessibleRole", "51")
    Q_PROPERTY(float value READ value)
    Q_PROPERTY(float minimum READ minimum)
    Q_PROPERTY(float maximum READ maximum)
    Q_PROPERTY(QString valueText READ valueText)
public:
    explicit Fader(QWidget* parent = nullptr);

    // Both limits in the outer unit (dB); the value is clamped into them.
    void setRange(float minimum, float maximum);
    float minimum() const;
    float maximum() const;

    // Clamped to the range and rounded to the resolution; emits nothing.
    void setValue(float value);
    float value() const;

    // The value with its unit, e.g. "-6.0 dB".
    QString valueText() const;

    // Step of one wheel notch (and of the arrow keys) and of one click beside the handle (and
    // of Page Up and Down), in the outer unit. Home and End go to the limits.
    void setWheelStep(float step);
    float wheelStep() const { return m_wheelStep; }
    void setPageStep(float step);
    float pageStep() const { return m_pageStep; }

    // The resolution is 10^-decimals; changing it keeps the range and the value.
    void setDecimals(int decimals);
    int decimals() const { return m_decimals; }

    // Where the handle is drawn and grabbed, and the handle's height.
    QRect handleRect() const;
    static constexpr int kHandleHeight = 22;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);

signals:
    void valueChanged(float value);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double scale() const;
    int toRaw(double value) const;
    int clampedRaw(qint64 raw) const;
    // The 0 position, from the top.
    double zeroPosition() const;
    int positionToRaw(double y) const;
    double rawToPosition(int raw) const;
    void applyUserRaw(qint64 raw);
    int labelWidth() const;
    int trackCentreX() const;

    int m_value = 0;
    int m_minimum = -56;
    int m_maximum = 12;
    int m_decimals = 0;
    float m_wheelStep = 1.0f;
    float m_pageStep = 6.0f;
    bool m_grabbed = false;
    bool m_dragged = false;
    bool m_pressedBeside = false;
    int m_grabOffset = 0;
    int m_grabValue = 0;
    QPoint m_pressPosition;
    int m_wheelRemainder = 0;
    ControlPalette m_palette;
};
