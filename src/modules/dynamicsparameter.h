#pragma once

#include "dynamicscurves.h"

class Knob;
class QLineEdit;
class QWidget;

// One parameter of a dynamics editor: the edit that shows its value and takes typed text, and
// the knob that turns it, following the parameter's knob and edit rules. It remembers the value
// shown, from which the editor builds its record. Showing a value never emits.
class DynamicsParameter
{
public:
    DynamicsParameter(const dynamics::Parameter& rules, QWidget* parent);

    const dynamics::Parameter& rules() const { return m_rules; }
    QLineEdit* edit() const { return m_edit; }
    Knob* knob() const { return m_knob; }
    double value() const { return m_value; }

    // Shows a value on the edit and, held in its range, on the knob.
    void show(double value);
    // The value the edit's text stands for, within min..max.
    double typed(double min, double max) const;
    double typed() const { return typed(m_rules.min, m_rules.max); }
    // The value a knob position stands for.
    double turnedTo(int position) const { return dynamics::knobValue(m_rules, position); }

    // Call first in the edit's editingFinished handler; false when the call comes from the
    // edit losing its focus after Return already finished it.
    bool finishEdit();

private:
    dynamics::Parameter m_rules;
    QLineEdit* m_edit;
    Knob* m_knob;
    double m_value = 0.0;
    bool m_finishing = false;
};
