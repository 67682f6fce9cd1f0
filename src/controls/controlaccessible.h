#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

// What screen readers see of a self-painted value control (knob, fader, meter, matrix cell): its
// accessible name, a role, and its value as text with the unit ("-6.0 dB") and as a number. A
// control takes part by declaring the properties "valueText", "value", "minimum" and "maximum"
// and its role as the class info "accessibleRole" (a QAccessible::Role number).
class ControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ControlAccessible(QWidget* widget, QAccessible::Role role);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Installs the factory once; the application and tests call it before showing windows.
    static void install();
    // Tells screen readers that `widget`'s value changed.
    static void notifyValueChanged(QWidget* widget);
};
