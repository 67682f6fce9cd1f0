#include "controlaccessible.h"

#include <QAbstractButton>
#include <QMetaClassInfo>

namespace {

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QMetaObject* meta = widget->metaObject();
    const int info = meta->indexOfClassInfo("accessibleRole");
    if (info < 0 || meta->indexOfProperty("valueText") < 0)
        return nullptr;
    const int role = QString::fromLatin1(meta->classInfo(info).value()).toInt();
    return new ControlAccessible(widget, QAccessible::Role(role));
}

} // namespace

ControlAccessible::ControlAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{}

QString ControlAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return widget()->property("valueText").toString();
    return QAccessibleWidget::text(t);
}

QAccessible::State ControlAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget())) {
        s.checkable = button->isCheckable();
        s.checked = button->isChecked();
    }
    return s;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant ControlAccessible::currentValue() const
{
    return widget()->property("value");
}

void ControlAccessible::setCurrentValue(const QVariant&)
{
    // Values change through the control's own keys, which send them to the unit; an assistive
    // tool setting a raw number would bypass the edit's rules.
}

QVariant ControlAccessible::maximumValue() const
{
    return widget()->property("maximum");
}

QVariant ControlAccessible::minimumValue() const
{
    return widget()->property("minimum");
}

QVariant ControlAccessible::minimumStepSize() const
{
    return {};
}

void ControlAccessible::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

void ControlAccessible::notifyValueChanged(QWidget* widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(widget, widget->property("value"));
    QAccessible::updateAccessibility(&event);
}
