#include "modulewidget.h"

#include "datamodel.h"
#include "inputsetupedits.h"

ModuleWidget::ModuleWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : QFrame(parent), m_model(model), m_router(router)
{
    setObjectName(QStringLiteral("modulewidget"));
}

void ModuleWidget::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
}

void ModuleWidget::setAllPhantomPower(bool on)
{
    InputSetupEdits edits(m_model);
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch) {
        if (!m_profile.inputShown(ch))
            continue;
        // The mode change brings the gain to 0 dB first, as from the input setup page.
        edits.setMode(ch, 0);
        if (m_model.input(ch).phantom != on)
            edits.setPhantom(ch, on);
    }
}
