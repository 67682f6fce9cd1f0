#pragma once

#include "deviceprofile.h"

#include <QFrame>

class DataModel;
class ReportRouter;

// The processing page: one editor page per processing block of the selected channel.
class ModuleWidget : public QFrame
{
    Q_OBJECT
public:
    ModuleWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    void setProfile(const DeviceProfile& profile);

    // Factory 48 V test: every shown analogue input to microphone mode with phantom power on
    // or off, sending only what differs from the unit's state.
    void setAllPhantomPower(bool on);

private:
    DataModel& m_model;
    ReportRouter& m_router;
    DeviceProfile m_profile;
};
