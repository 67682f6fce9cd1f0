#pragma once

#include "firmwarereceiver.h"
#include "meterengine.h"
#include "presetstore.h"
#include "presettransfer.h"
#include "replies.h"
#include "unitstate.h"
#include "usbmedia.h"
#include "wire/packet.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

// The unit without its sockets: its state, USB storage and presets, and the answers to read
// requests and commands. Login and framing belong to the control server.
class UnitCore : public QObject
{
    Q_OBJECT

public:
    UnitCore(const ChannelProfile& profile, quint32 deviceId, QObject* parent = nullptr);

    UnitState& state() { return m_state; }
    const UnitState& state() const { return m_state; }
    UsbMedia& usb() { return m_usb; }
    PresetStore& presets() { return m_presets; }
    PresetTransfer& presetTransfer() { return m_transfer; }
    FirmwareReceiver& firmware() { return m_firmware; }

    // Milliseconds since the unit started; tests may replace the source.
    qint64 uptimeMs() const;
    void setClock(std::function<qint64()> uptimeMs);

    MeterEngine::Levels meters();
    float temperature() const;
    bool fanRunning() const;

    // The reports answering one read request; none for unknown codes or bad selectors.
    Replies read(const wire::PacketHeader& header, const QByteArray& payload);
    // Applies one command; returns the replies that belong to it (most have none). Commands
    // that are unknown or malformed change nothing.
    Replies command(const wire::PacketHeader& header, const QByteArray& payload);

signals:
    // The network settings command: the owner decides which address the unit can really take.
    void networkSettingsRequested(quint32 ipAddress, quint32 netmask, quint32 gateway);

private:
    UnitState m_state;
    UsbMedia m_usb;
    PresetStore m_presets;
    PresetTransfer m_transfer;
    FirmwareReceiver m_firmware;
    QElapsedTimer m_started;
    std::function<qint64()> m_clock;
};
