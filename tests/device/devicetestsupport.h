#pragma once

#include "datamodel.h"
#include "fakeinterface.h"
#include "networkinterfaces.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;
class SystemSettings;
class VirtualUnit;

// The ground every device test stands on: a virtual unit on 127.0.0.1 (ephemeral control
// port) that announces itself, when told, to a discovery port of this process; cfg.ini
// pointing at both; a clock and network interfaces of the test's own; a fresh model with its
// tick stopped.
class DeviceRig
{
public:
    DeviceRig();
    ~DeviceRig();

    // Starts the unit and the settings once per process; false when a port cannot be had.
    bool start();
    // A new model with an empty registry (the previous one is destroyed first).
    DataModel& newModel();
    DataModel& model() { return *m_model; }
    VirtualUnit& unit() { return *m_unit; }
    SystemSettings& settings() { return *m_settings; }

    qint64 now = 1'700'000'000'000;
    // The PC's interfaces as the model and the panel see them; loopback addresses only.
    QList<LocalInterface> interfaces;
    // The loopback interface (index 1), where the unit's datagrams arrive.
    static LocalInterface loopbackInterface(const char* ip, int prefixLength)
    {
        return fakeInterface(1, ip, prefixLength);
    }

    void ticks(int n); // the model's 10 ms tick, n times

private:
    std::unique_ptr<VirtualUnit> m_unit;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_model;
};

// A status image of a unit that is not running.
DataModel::UDPBrowsingPacket fakeUnit(quint32 deviceId, quint32 ip);
// The image as a valid status datagram.
QByteArray statusDatagram(DataModel::UDPBrowsingPacket packet);

// Runs `action` on the next modal window to appear (a message box or dialog run with exec()),
// once it is the active modal window; never after the handler is destroyed.
class ModalHandler
{
public:
    explicit ModalHandler(std::function<void(QWidget*)> action);
    ~ModalHandler();
    ModalHandler(const ModalHandler&) = delete;
    ModalHandler& operator=(const ModalHandler&) = delete;
    bool handled() const { return m_handled; }

private:
    QTimer* m_poll;
    bool m_handled = false;
};
// Clicks the button with the given text in a modal message box.
void clickMessageBoxButton(QWidget* box, const QString& text);
