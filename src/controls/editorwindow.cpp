#include "editorwindow.h"

#include "datamodel.h"

EditorWindow::EditorWindow(DataModel& model, ReportRouter& router, const QString& geometryKey,
                           QWidget* parent)
    : Dialog(parent), m_model(model), m_router(router)
{
    makeToolWindow();
    if (!geometryKey.isEmpty())
        m_geometryRestored = keepGeometry(geometryKey);
}

EditorWindow::~EditorWindow()
{
    if (m_refreshFlag)
        m_model.setRefreshFlag(Refresher::Flag(m_refreshFlag), false);
}

void EditorWindow::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    applyProfile();
    emit profileChanged(profile);
}

void EditorWindow::subscribe(wire::Code code, ReportRouter::Handler handler)
{
    m_router.subscribe(this, code, std::move(handler));
}

void EditorWindow::subscribe(wire::Group group, ReportRouter::Handler handler)
{
    m_router.subscribe(this, group, std::move(handler));
}

void EditorWindow::showEvent(QShowEvent* event)
{
    if (m_refreshFlag)
        m_model.setRefreshFlag(Refresher::Flag(m_refreshFlag), true);
    Dialog::showEvent(event);
}

void EditorWindow::hideEvent(QHideEvent* event)
{
    if (m_refreshFlag)
        m_model.setRefreshFlag(Refresher::Flag(m_refreshFlag), false);
    Dialog::hideEvent(event);
}
