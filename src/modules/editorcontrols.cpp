#include "editorcontrols.h"

#include "datamodel.h"
#include "knob.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>

namespace editorcontrols {

namespace {

constexpr int kEditWidth = 56;
const char kChannel[] = "channel";

void name(QWidget* w, const QString& objectName, int channel)
{
    w->setObjectName(channel < 0 ? objectName : objectName + QString::number(channel));
    if (channel >= 0)
        w->setProperty(kChannel, channel);
}

QString named(QString label, const QString& defaultName)
{
    label = model::withoutLineBreaks(label);
    return label.isEmpty() ? model::withoutLineBreaks(defaultName) : label;
}

} // namespace

QPushButton* toggleButton(QWidget* parent, const QString& objectName, int channel)
{
    auto* b = new QPushButton(parent);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    name(b, objectName, channel);
    return b;
}

QLineEdit* valueEdit(QWidget* parent, const QString& objectName, int channel)
{
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(kEditWidth);
    edit->setAlignment(Qt::AlignCenter);
    name(edit, objectName, channel);
    return edit;
}

Knob* valueKnob(QWidget* parent, const QString& objectName, int minimum, int maximum, int channel)
{
    auto* k = new Knob(parent);
    k->setRange(minimum, maximum);
    name(k, objectName, channel);
    return k;
}

int channelOf(const QObject* control)
{
    if (!control)
        return -1;
    bool ok = false;
    const int channel = control->property(kChannel).toInt(&ok);
    return ok ? channel : -1;
}

QString withUnit(const QString& caption, const QString& unit)
{
    return caption + QLatin1Char('\n') + unit;
}

QString inputName(const DataModel& model, int channel)
{
    return named(model.input(channel).label, model.input(channel).defaultName);
}

QString outputName(const DataModel& model, int channel)
{
    return named(model.output(channel).label, model.output(channel).defaultName);
}

void nameForScreenReaders(Knob* knob, QLineEdit* edit, const QString& name, const QString& unit)
{
    knob->setAccessibleName(name);
    edit->setAccessibleName(name);
    knob->setValueText([edit, unit](int) {
        return unit.isEmpty() ? edit->text() : edit->text() + QLatin1Char(' ') + unit;
    });
}

void setName(QLabel* label, const QString& name, int width)
{
    label->setFixedWidth(width);
    const QString shown = label->fontMetrics().elidedText(name, Qt::ElideRight, width - 4);
    label->setText(shown);
    label->setToolTip(shown == name ? QString() : name);
}

bool finishEdit(QLineEdit* edit, bool& finishing)
{
    if (finishing)
        return false;
    finishing = true;
    edit->clearFocus();
    finishing = false;
    return true;
}

} // namespace editorcontrols
