#include "modulepage.h"

#include "channelbar.h"
#include "datamodel.h"

ModulePage::ModulePage(DataModel& model, ReportRouter& router, EditorPage page, Channels channels,
                       QWidget* parent)
    : QWidget(parent), m_model(model), m_router(router), m_page(page), m_channels(channels)
{
    if (channels == Channels::None)
        return;
    const bool inputs = channels == Channels::Inputs;
    m_bar = new ChannelBar(inputs ? wire::kInputStrips : wire::kOutputCount,
                           inputs ? QStringLiteral("IN ") : QStringLiteral("OUT "), this);
    connect(m_bar, &ChannelBar::channelClicked, this, &ModulePage::setChannel);
}

bool ModulePage::isActive() const
{
    return m_model.currentPage() == int(m_page);
}

void ModulePage::activate()
{
    m_model.setCurrentPage(int(m_page), m_channel);
}

void ModulePage::setChannel(int channel)
{
    if (!m_bar || !m_bar->isShown(channel))
        return;
    m_bar->setCurrent(channel);
    if (channel == m_channel)
        return;
    m_channel = channel;
    if (isActive())
        activate();
    loadChannel(channel);
    emit channelChanged(uchar(channel));
}

void ModulePage::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    if (m_bar) {
        m_bar->setHidden(m_channels == Channels::Inputs ? profile.hiddenInputs
                                                        : profile.hiddenOutputs);
        // A channel the profile hides cannot stay the one shown.
        if (!m_bar->isShown(m_channel) && m_bar->firstShown() >= 0)
            setChannel(m_bar->firstShown());
    }
    applyProfile();
}

void ModulePage::subscribe(wire::Code code, ReportRouter::Handler handler)
{
    m_router.subscribe(this, code, std::move(handler));
}

void ModulePage::subscribe(wire::Group group, ReportRouter::Handler handler)
{
    m_router.subscribe(this, group, std::move(handler));
}
