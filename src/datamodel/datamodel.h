#pragma once

#include "devicerecord.h"
#include "deviceregistry.h"
#include "modelrecords.h"
#include "pendingcommands.h"
#include "wire/packet.h"
#include "wire/packetcutter.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <QVariant>

Q_DECLARE_LOGGING_CATEGORY(lcModel)
Q_DECLARE_METATYPE(wire::UDPBrowsingPacket*)

// The one central object: the known units, the control connection to the selected one and
// the mirror of its parameters. Every window reads the mirror and is told of changes through
// tcpSyncToUI.
class DataModel : public QObject
{
    Q_OBJECT
public:
    struct Filter
    {
        using HLPF = wire::HLPF;
        using PEQ = wire::PEQ;
    };
    using Limiter = wire::Limiter;
    using Gate = wire::Gate;
    using AGC = wire::AGC;
    using UDPBrowsingPacket = wire::UDPBrowsingPacket;
    using InputChannel = model::InputChannel;
    using OutputChannel = model::OutputChannel;
    using SignalGenerator = model::SignalGenerator;
    using EchoCancellation = model::EchoCancellation;
    using AutoMixer = model::AutoMixer;
    using PresetTable = model::PresetTable;
    using SystemState = model::SystemState;
    using UsbMediaState = model::UsbMediaState;
    using StatusRecords = model::StatusRecords;

    static constexpr int kInputCount = model::kInputCount;
    static constexpr int kOutputCount = model::kOutputCount;
    static constexpr int kTickMs = 10;
    static constexpr int kConnectTimeoutTicks = 300;
    static constexpr qint64 kLinkSilenceMs = 3000;

    explicit DataModel(QObject* parent = nullptr);
    ~DataModel() override;

    // The first model constructed; null before that and after it is destroyed.
    static DataModel* instance();

    // --- framing and sending
    qint64 sendPacket(quint8 type, quint8 subType, quint8 funcId, quint8 access,
                      const char* payload, quint16 length);
    qint64 sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {});
    qint64 sendQuery(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {});
    void queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 key1, quint8 key2,
                      const QByteArray& payload);
    const RecentCommand& recentCommand() const { return m_recent; }
    int pendingCommandCount() const { return m_pending.size(); }

    // --- discovery and the device list
    static constexpr quint16 kUdpCommandPort = 6001;
    static constexpr qint64 kOfflineAfterMs = 2000;
    void createUdpSockets();
    void handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram);
    QHostAddress localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const;
    void sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload);
    void setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway);
    void addDeviceByAddress(quint32 ip);
    void removeDeviceAt(int index);
    // Where UDP commands go; the broadcast address unless a test points them elsewhere.
    void setUdpCommandTarget(const QHostAddress& address, quint16 port);
    int discoverySocketCount() const { return int(m_discovery.size()); }
    bool isListening() const { return m_discoveryReceiver != nullptr; }
    DeviceRegistry& registry() { return m_registry; }

    // Appends a record for a unit and gives it its control socket; returns its index.
    int appendDevice(const UDPBrowsingPacket& packet, bool online,
                     const QHostAddress& localAddress = {});
    int deviceCount() const { return int(m_devices.size()); }
    const DeviceRecord* device(int index) const;
    void selectDevice(int index, bool flag);
    void connectToDevice();
    void disconnectDevice();
    void login(const QString& password, bool remember);
    int currentDevice() const { return m_currentDevice; }
    bool isLoggedIn() const { return m_loggedIn; }
    quint16 controlPort() const;

    // What the connection does with the unit's answers; called by the report handlers.
    void handleLoginAnswer(const QByteArray& payload);
    void forgetPasswords();
    void mergeReportedDeviceId(quint32 id);

    // --- the mirror
    void applyChannelConfiguration(int usbPlayInput, int usbRecordOutput, int configuration);
    // Blanks what only a live unit can tell (meters, versions, status) and tells the views.
    void resetLiveValues();

    InputChannel& input(int channel) { return m_inputs[channel]; }
    const InputChannel& input(int channel) const { return m_inputs[channel]; }
    OutputChannel& output(int channel) { return m_outputs[channel]; }
    const OutputChannel& output(int channel) const { return m_outputs[channel]; }
    Filter::HLPF* inputHpf(int channel) { return &m_inputs[channel].hpf; }
    Filter::HLPF* inputLpf(int channel) { return &m_inputs[channel].lpf; }
    Filter::PEQ* inputPeq(int channel, int band) { return &m_inputs[channel].peq[band]; }
    Limiter* inputLimiter(int channel) { return &m_inputs[channel].limiter; }
    Gate* inputGate(int channel) { return &m_inputs[channel].gate; }
    AGC* inputAgc(int channel) { return &m_inputs[channel].agc; }
    Filter::HLPF* outputHpf(int channel) { return &m_outputs[channel].hpf; }
    Filter::HLPF* outputLpf(int channel) { return &m_outputs[channel].lpf; }
    Filter::PEQ* outputPeq(int channel, int band) { return &m_outputs[channel].peq[band]; }
    Limiter* outputLimiter(int channel) { return &m_outputs[channel].limiter; }

    SignalGenerator& signalGenerator() { return m_generator; }
    EchoCancellation& echoCancellation() { return m_echo; }
    std::array<quint8, 16>& noiseReduction() { return m_noiseReduction; }
    AutoMixer& autoMixer() { return m_autoMixer; }
    quint8 outputMeterMode() const { return m_outputMeterMode; }
    void setOutputMeterMode(quint8 mode) { m_outputMeterMode = mode; }
    PresetTable& presets() { return m_presets; }
    SystemState& system() { return m_system; }
    const SystemState& system() const { return m_system; }
    UsbMediaState& usbMedia() { return m_usb; }
    StatusRecords& statusRecords() { return m_statusRecords; }
    quint16 formatGeneration() const { return m_system.formatGeneration; }

    // Set by the processing page and the dialogs; read by the periodic refresh.
    int currentPage() const { return m_currentPage; }
    int currentPageChannel() const { return m_currentPageChannel; }
    void setCurrentPage(int page, int channel);
    // Bits set while a dialog that needs extra reads is open.
    enum RefreshFlag : quint8
    {
        RefreshLabels = 1 << 0,
        RefreshPresets = 1 << 1,
        RefreshUsbMedia = 1 << 2,
        RefreshDeviceSetup = 1 << 3,
        RefreshTouchPanel = 1 << 4,
        RefreshStatusRecords = 1 << 5,
    };
    quint8 refreshFlags() const { return m_refreshFlags; }
    void setRefreshFlag(RefreshFlag flag, bool on);

    quint64 tickCount() const { return m_tickCount; }
    // The 10 ms heartbeat; tests stop it and call timeout() themselves.
    void setTickTimerRunning(bool running);
    QHostAddress bindAddress() const { return m_bindAddress; }

signals:
    void deviceListAdd(DataModel::UDPBrowsingPacket* packet, bool online);
    void deviceListRemove(int index);
    void deviceListIPAddressChanged(uint index, uint ip);
    void deviceListModelChanged(uint index, QString model);
    void deviceListARMVersionChanged(uint index, QString version);
    void deviceListDSPVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void deviceListSerialNumberChanged(uint index, QString serialNumber);
    void deviceListLocationChanged(uint index, QString location);
    void deviceListDescriptionChanged(uint index, QString description);
    void deviceListFaultChanged(uint index, bool fault);
    void deviceListDeviceIDChanged(uint index, uint deviceId);
    void deviceListPresetChanged(uint index, QString preset);
    void deviceListRunTimeChanged(uint index, uint runTime, uint totalTime);
    void deviceListSelectionChanged(int index, bool flag);
    void deviceListNetworkChanged(int index);
    void tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel = 255,
                     uchar other = 255, QVariant any = QVariant());
    void tcpLoginChanged(uchar answer);
    void tcpConnectTimeout(bool allInterfacesTried);

public slots:
    void tcpConnected();
    void tcpReadyRead();
    void tcpStateChanged(QAbstractSocket::SocketState state);
    void timeout();
    void udpReadyRead();

protected:
    // Handlers of the inbound packets, by type; each requires a report (access 0x80).
    virtual void dispatchPacket(const wire::PacketHeader& header, const char* payload);
    void handleUpgradePacket(const wire::PacketHeader& header, const char* payload);
    void handleSystemPacket(const wire::PacketHeader& header, const char* payload);
    void handleDspPacket(const wire::PacketHeader& header, const char* payload);
    void handleStatusPacket(const wire::PacketHeader& header, const char* payload);

private:
    void fillDefaults();
    void attachSocket(DeviceRecord* record);
    QTcpSocket* currentSocket() const;
    int indexOfSocket(const QObject* socket) const;
    void sendDueCommands();
    QHostAddress chooseBindAddress(const QHostAddress& target) const;
    void connectionTimedOut();
    void refresh();
    void refreshCurrentPage();
    void refreshDialogs();
    void read(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {});
    void checkDiscovery();
    static QStringList interfaceSignature(const QList<struct LocalInterface>& interfaces);
    void openRegistry();

    // One sending socket per active interface; datagrams are received on the wildcard address
    // (a socket bound to a unicast address never sees broadcasts on Linux).
    struct DiscoveryInterface
    {
        int interfaceIndex;
        QList<QNetworkAddressEntry> entries;
        QUdpSocket* socket;
    };
    QList<DiscoveryInterface> m_discovery;
    QUdpSocket* m_discoveryReceiver = nullptr;
    int m_activeInterfaceCount = -1;
    QStringList m_activeInterfaceSignature;
    QHostAddress m_udpCommandTarget{QHostAddress::Broadcast};
    quint16 m_udpCommandPort = kUdpCommandPort;
    DeviceRegistry m_registry;

    // Device list and connection
    QList<DeviceRecord*> m_devices;
    int m_currentDevice = -1;
    bool m_loggedIn = false;
    QString m_password;
    QString m_lastAcceptedPassword;
    QTimer m_timer;
    quint64 m_tickCount = 0;
    qint64 m_lastReceive = 0;
    QHostAddress m_bindAddress;
    QHostAddress m_firstBindAddress;
    bool m_firstCycle = false;
    int m_currentPage = 0;
    int m_currentPageChannel = 0;
    quint8 m_refreshFlags = 0;

    // Framing
    wire::PacketCutter m_receive;
    QByteArray m_sendBuffer;
    PendingCommands m_pending;
    RecentCommand m_recent;

    // Mirror
    std::array<InputChannel, kInputCount> m_inputs;
    std::array<OutputChannel, kOutputCount> m_outputs;
    SignalGenerator m_generator;
    EchoCancellation m_echo;
    std::array<quint8, 16> m_noiseReduction{};
    AutoMixer m_autoMixer;
    quint8 m_outputMeterMode = 0;
    PresetTable m_presets;
    SystemState m_system;
    UsbMediaState m_usb;
    StatusRecords m_statusRecords;
};
