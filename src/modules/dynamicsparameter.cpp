#include "dynamicsparameter.h"

#include "knob.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kEditWidth = 56;

} // namespace

DynamicsParameter::DynamicsParameter(const dynamics::Parameter& rules, QWidget* parent)
    : m_rules(rules), m_edit(new QLineEdit(parent)), m_knob(new Knob(parent))
{
    m_edit->setFixedWidth(kEditWidth);
    m_edit->setAlignment(Qt::AlignCenter);
    m_knob->setRange(rules.knobMin, rules.knobMax);
    // About a hundred steps across the range with the page keys, single steps otherwise.
    m_knob->setStep(1);
    m_knob->setSteps(1, std::max(1, (rules.knobMax - rules.knobMin) / 100));
    m_knob->setFixedSize(m_knob->sizeHint());
}

void DynamicsParameter::show(double value)
{
    m_value = value;
    m_knob->setValue(dynamics::knobPosition(m_rules, value));
    m_edit->setText(dynamics::editText(m_rules, value));
}

double DynamicsParameter::typed(double min, double max) const
{
    return dynamics::editValue(m_rules, m_edit->text(), min, max);
}

bool DynamicsParameter::finishEdit()
{
    if (m_finishing)
        return false;
    // Return ends the edit, and the focus leaving would end it a second time.
    m_finishing = true;
    m_edit->clearFocus();
    m_finishing = false;
    return true;
}
