#pragma once

#include "deviceprofile.h"
#include "dialog.h"
#include "refresher.h"
#include "reportrouter.h"

class DataModel;

// The base of the tool windows that show and edit the unit. It receives the model and the
// report router, holds the device profile (hidden and Dante channels, the USB channels), has
// the periodic refresh read its blocks while it is shown, subscribes to the codes it shows and
// keeps its geometry.
class EditorWindow : public Dialog
{
    Q_OBJECT
public:
    EditorWindow(DataModel& model, ReportRouter& router, const QString& geometryKey,
                 QWidget* parent = nullptr);
    ~EditorWindow() override;

    const DeviceProfile& profile() const { return m_profile; }
    void setProfile(const DeviceProfile& profile);

signals:
    void profileChanged(const DeviceProfile& profile);

protected:
    DataModel& model() const { return m_model; }
    ReportRouter& router() const { return m_router; }
    // The periodic refresh reads this window's blocks while it is shown.
    void setRefreshFlag(Refresher::Flag flag) { m_refreshFlag = flag; }
    void subscribe(wire::Code code, ReportRouter::Handler handler);
    void subscribe(wire::Group group, ReportRouter::Handler handler);
    // A new profile: show and hide the channel rows.
    virtual void applyProfile() {}
    bool geometryRestored() const { return m_geometryRestored; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    DataModel& m_model;
    ReportRouter& m_router;
    DeviceProfile m_profile;
    quint8 m_refreshFlag = 0;
    bool m_geometryRestored = false;
};
