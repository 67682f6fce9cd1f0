#include "modulewidget.h"

#include "datamodel.h"
#include "wire/commands.h"

ModuleWidget::ModuleWidget(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("modulewidget"));
}

void ModuleWidget::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                      quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;
}

void ModuleWidget::setAllPhantomPower(bool on)
{
    DataModel* model = DataModel::instance();
    if (!model)
        return;
    for (int ch = 0; ch < 16; ++ch) {
        if (m_hiddenInputs & (1u << ch))
            continue;
        DataModel::InputChannel& in = model->input(ch);
        if (in.inputMode != 0) {
            in.inputMode = 0;
            wire::deliver(*model, wire::cmd::inputMode(quint8(ch), 0));
        }
        if (in.phantom != on) {
            in.phantom = on;
            wire::deliver(*model, wire::cmd::inputPhantom(quint8(ch), on));
        }
    }
}
