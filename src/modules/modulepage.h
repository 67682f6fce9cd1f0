#pragma once

#include "deviceprofile.h"
#include "editorpage.h"
#include "reportrouter.h"

#include <QWidget>

class ChannelBar;
class DataModel;

// The base of the processing page's block editors. It receives the model and the report
// router, carries the channel selector of the blocks edited one channel at a time, and writes
// the visible page and its channel to the model, so that the periodic refresh reads the block
// the user is looking at. It holds the device profile and hides the channels it does not have.
class ModulePage : public QWidget
{
    Q_OBJECT
public:
    enum class Channels
    {
        None,    // the block is not edited per channel, or shows them all at once
        Inputs,  // one of the 17 input strips at a time
        Outputs, // one of the 16 outputs at a time
    };

    ModulePage(DataModel& model, ReportRouter& router, EditorPage page, Channels channels,
               QWidget* parent = nullptr);

    EditorPage page() const { return m_page; }
    // The channel shown; 0 for pages without a selector.
    int channel() const { return m_channel; }
    void setChannel(int channel);
    // The page is now the visible one: the refresh reads its block and channel.
    void activate();
    bool isActive() const;

    const DeviceProfile& profile() const { return m_profile; }
    void setProfile(const DeviceProfile& profile);
    // Null for pages without a selector.
    ChannelBar* channelBar() const { return m_bar; }

signals:
    void channelChanged(uchar channel);

protected:
    DataModel& model() const { return m_model; }
    ReportRouter& router() const { return m_router; }
    void subscribe(wire::Code code, ReportRouter::Handler handler);
    void subscribe(wire::Group group, ReportRouter::Handler handler);
    // The channel to show changed: load it from the model.
    virtual void loadChannel(int) {}
    virtual void applyProfile() {}

private:
    DataModel& m_model;
    ReportRouter& m_router;
    EditorPage m_page;
    Channels m_channels;
    ChannelBar* m_bar = nullptr;
    int m_channel = 0;
    DeviceProfile m_profile;
};
