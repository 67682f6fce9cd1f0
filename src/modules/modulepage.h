#pragma once

#include "deviceprofile.h"
#include "editorpage.h"
#include "reportrouter.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class ChannelBar;
class ChannelCopyDialog;
class DataModel;
class QHBoxLayout;
class QVBoxLayout;

// The base of the processing page's block editors. It receives the model and the report
// router, carries the channel selector of the blocks edited one channel at a time (named after
// the channels' labels), and writes the visible page and its channel to the model, so that the
// periodic refresh reads the block the user is looking at. It holds the device profile and
// hides the channels it does not have.
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

    // The caption of a page's button, in the current language.
    static QString caption(EditorPage page);

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

    // The copy dialog while it is open.
    ChannelCopyDialog* copyDialog() const;

    // Reads the shown channel's block from the model into the controls.
    void reload() { loadChannel(m_channel); }
    // Button texts from the channels' labels (the default names where none is set).
    void refreshLabels();

signals:
    void channelChanged(uchar channel);

protected:
    DataModel& model() const { return m_model; }
    ReportRouter& router() const { return m_router; }
    void subscribe(wire::Code code, ReportRouter::Handler handler);
    void subscribe(wire::Group group, ReportRouter::Handler handler);
    // The row above the block: the channel selector, then what the editor adds at its end.
    QHBoxLayout* headerLayout() const { return m_header; }
    // The page's layout, header first; editors add their block below it.
    QVBoxLayout* pageLayout() const { return m_layout; }
    // Which channels a copy of the shown channel's block may reach.
    struct CopyTargets
    {
        bool inputs = true;
        bool outputs = true;
        bool withUsbPlay = true;   // the USB play input of the profile
        bool withUsbRecord = true; // the USB record output of the profile
    };
    // Asks for the channels to copy the shown channel's block to (the shown channel cannot be
    // one), titled "<block> - Copy <channel> to"; `copy` runs with the masks when at least one
    // channel was chosen.
    void askCopyTargets(const QString& blockTitle, const CopyTargets& targets,
                        std::function<void(uchar source, uint inputs, uint outputs)> copy);
    // Asks `question`; `reset` runs with the shown channel when the user chose "Reset".
    void askReset(const QString& question, std::function<void(uchar channel)> reset);

    // The channel to show changed: load it from the model.
    virtual void loadChannel(int) {}
    virtual void applyProfile() {}
    virtual void retranslate();
    void changeEvent(QEvent* event) override;

private:
    void refreshLabel(int channel);

    DataModel& m_model;
    ReportRouter& m_router;
    EditorPage m_page;
    Channels m_channels;
    ChannelBar* m_bar = nullptr;
    QVBoxLayout* m_layout;
    QHBoxLayout* m_header;
    QPointer<ChannelCopyDialog> m_copyDialog;
    int m_channel = 0;
    DeviceProfile m_profile;
};
