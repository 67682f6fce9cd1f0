#pragma once

#include "controlpalette.h"

#include <QPoint>
#include <QWidget>
#include <functional>

// A rotary control over an integer range. Dragging up raises the value, dragging sideways raises
// or lowers it by the direction mode; the wheel and the arrow keys move it by the step. Setting
// the value from code never emits, so views can show values reported by the unit without sending
// them back.
class Knob : public QWidget
{
    Q_OBJECT
    // Set by the style sheets of the two appearances.
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
    // Read by screen readers (see ControlAccessible); 49 is QAccessible::Dial.
    Q_CLASSINFO("accessibleRole", "49")
    Q_PROPERTY(int value READ value)
    Q_PROPERTY(int minimum READ minimum)
    Q_PROPERTY(int maximum READ maximum)
    Q_PROPERTY(QString valueText READ valueText)
public:
    // Direction modes, fixed at construction. Modes 0 and 1 raise the value to the right, the
    // reversed mode raises it to the left (and turns the wheel around).
    enum Mode
    {
        Normal = 0,
        Normal1 = 1,
        Reversed = 2
    };

    explicit Knob(QWidget* parent = nullptr);
    explicit Knob(int mode, QWidget* parent = nullptr);

    int mode() const { return m_mode; }

    // The arc is drawn from the origin to the value. The two-value form takes 0 as the origin
    // when the range is symmetric about it, otherwise the minimum.
    void setRange(int minimum, int maximum);
    void setRange(int minimum, int maximum, int origin);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int origin() const { return m_origin; }

    // Clamped to the range; emits nothing.
    void setValue(int value);
    int value() const { return m_value; }

    // The value as a person reads it, with its unit; by default the bare number. The editors
    // map the knob's integer onto their parameter, so they say how it reads.
    void setValueText(std::function<QString(int)> text) { m_valueText = std::move(text); }
    QString valueText() const;

    // Step of the wheel and the arrow keys; Home and End go to the limits.
    void setStep(int step);
    int step() const { return m_step; }
    // The fine step (wheel and arrow keys with Ctrl held) and the page step (Page Up and Down).
    void setSteps(int singleStep, int pageStep);
    int singleStep() const { return m_singleStep; }
    int pageStep() const { return m_pageStep; }

    // Share of the range one pixel of drag covers.
    void setSensitivity(double horizontal, double vertical);
    double horizontalSensitivity() const { return m_horizontalSensitivity; }
    double verticalSensitivity() const { return m_verticalSensitivity; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);

signals:
    void valueChanged(int value);
    void mousePressed(int value);
    void mouseReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int clamped(qint64 value) const;
    void applyUserValue(qint64 value);
    double angleOf(int value) const;

    int m_mode = Normal;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_origin = 50;
    int m_value = 0;
    double m_horizontalSensitivity = 0.005;
    double m_verticalSensitivity = 0.005;
    int m_step = 1;
    int m_singleStep = 1;
    int m_pageStep = 10;
    bool m_pressed = false;
    QPoint m_lastPosition;
    int m_wheelRemainder = 0;
    ControlPalette m_palette;
    std::function<QString(int)> m_valueText;
};
