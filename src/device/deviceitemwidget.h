#pragma once

#include <QWidget>

class QLabel;

// One row of the device panel: model, IP address and current preset of a unit, with a fault
// mark, the state of the link to it (for the selected unit) and an online mark below.
class DeviceItemWidget : public QWidget
{
    Q_OBJECT
public:
    enum class LinkState
    {
        Idle, // not the selected unit: nothing shown
        Connecting,
        Connected,
        LoggedIn,
        TimedOut,
    };

    explicit DeviceItemWidget(QWidget* parent = nullptr);

    void setIPAddress(uint ip);
    void setModel(const QString& model);
    void setPreset(const QString& preset);
    void setFault(bool fault);
    void setLinkStatus(bool online);
    void setSelected(bool selected);
    void setLinkState(LinkState state);
    LinkState linkState() const { return m_linkState; }
    QString linkStateText() const;

    QString ipAddressText() const;
    QString modelText() const;
    QString presetText() const;
    bool isFaultShown() const;
    bool isOnline() const { return m_online; }
    bool isSelected() const { return m_selected; }

    QLabel* faultMark() const { return m_faultMark; }
    QLabel* onlineMark() const { return m_onlineMark; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* m_modelLabel;
    QLabel* m_ipLabel;
    QLabel* m_presetLabel;
    QLabel* m_faultMark;
    QLabel* m_onlineMark;
    QLabel* m_linkMark;
    QLabel* m_linkLabel;
    LinkState m_linkState = LinkState::Idle;
    bool m_online = false;
    bool m_selected = false;
};
