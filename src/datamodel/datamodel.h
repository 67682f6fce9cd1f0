#pragma once

#include "controllink.h"
#include "devicelist.h"
#include "deviceregistry.h"
#include "discovery.h"
#include "editjournal.h"
#include "linksettings.h"
#include "parametermirror.h"
#include "refresher.h"
#include "wire/packet.h"

#include <QObject>
#include <QTimer>
#include <QVariant>

Q_DECLARE_LOGGING_CATEGORY(lcModel)
Q_DECLARE_METATYPE(wire::UDPBrowsingPacket*)

// The one central object every window talks to: the known units, the control connection to
// the selected one and the mirror of its parameters. Its work is done by the parts it owns
// (discovery, the control link, the refresh and the mirror); it keeps the names the windows
// use, runs the 10 ms heartbeat, and tells the windows of every change through tcpSyncToUI.
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
    using NoiseReduction = model::NoiseReduction;
    using PresetTable = model::PresetTable;
    using SystemState = model::SystemState;
    using UsbMediaState = model::UsbMediaState;
    using StatusRecords = model::StatusRecords;
    using RefreshFlag = Refresher::Flag;

    static constexpr int kInputCount = model::kInputCount;
    static constexpr int kOutputCount = model::kOutputCount;
    static constexpr int kTickMs = 10;
    static constexpr int kConnectTimeoutTicks = ControlLink::kConnectTimeoutTicks;
    static constexpr qint64 kLinkSilenceMs = ControlLink::kLinkSilenceMs;
    static constexpr quint16 kUdpCommandPort = Discovery::kUdpCommandPort;
    static constexpr qint64 kOfflineAfterMs = Discovery::kOfflineAfterMs;

    // Where the registry of known units lives: devices.db in the working directory, or only in
    // memory for tools that must not leave or share that file.
    enum class Registry
    {
        WorkingDirectory,
        InMemory,
    };

    explicit DataModel(const LinkSettings& settings = {}, QObject* parent = nullptr);
    DataModel(const LinkSettings& settings, Registry registry, QObject* parent = nullptr);
    ~DataModel() override;

    void setLinkSettings(const LinkSettings& settings);
    const LinkSettings& linkSettings() const { return m_settings; }
    quint16 controlPort() const { return m_settings.controlPort; }

    // --- framing and sending
    qint64 sendPacket(quint8 type, quint8 subType, quint8 funcId, quint8 access,
                      const char* payload, quint16 length);
    qint64 sendCommand(wire::Code code, const QByteArray& payload = {});
    qint64 sendQuery(wire::Code code, const QByteArray& payload = {});
    void queueCommand(wire::Code code, quint8 key1, quint8 key2, const QByteArray& payload);
    qint64 sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {});
    qint64 sendQuery(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {});
    void queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 key1, quint8 key2,
                      const QByteArray& payload);
    const RecentCommand& recentCommand() const { return m_link.recentCommand(); }
    int pendingCommandCount() const { return m_link.pendingCommandCount(); }
    // For callers that know when a queued command falls due and will not wait for the next
    // 10 ms tick.
    void sendDueCommands() { m_link.sendDueCommands(); }
    // Packets sent while the returned hold lives leave in one write when it ends.
    ControlLink::FlushHold holdFlush() { return ControlLink::FlushHold(m_link); }

    // --- discovery and the device list
    void createUdpSockets() { m_discovery.createUdpSockets(); }
    void handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram);
    QHostAddress localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const;
    void sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload);
    void setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway);
    // False when the list is full.
    bool addDeviceByAddress(quint32 ip);
    void removeDeviceAt(int index);
    void setUdpCommandTarget(const QHostAddress& address, quint16 port);
    int discoverySocketCount() const { return m_discovery.socketCount(); }
    bool isListening() const { return m_discovery.isListening(); }
    DeviceRegistry& registry() { return m_registry; }

    // Appends a record for a unit and gives it its control socket; returns its index.
    int appendDevice(const UDPBrowsingPacket& packet, bool online,
                     const QHostAddress& localAddress = {});
    int deviceCount() const { return m_devices.size(); }
    // The first unit listed at this address, or -1.
    int indexOfAddress(quint32 ip) const { return m_devices.indexOfAddress(ip); }
    const DeviceRecord* device(int index) const { return m_devices.at(index); }
    void selectDevice(int index, bool flag);
    void connectToDevice() { m_link.connectToDevice(); }
    void disconnectDevice() { m_link.disconnectDevice(); }
    void login(const QString& password, bool remember) { m_link.login(password, remember); }
    int currentDevice() const { return m_link.current(); }
    bool isLoggedIn() const { return m_link.isLoggedIn(); }
    bool isConnected() const { return m_link.isConnected(); }
    // The password that was accepted is held back: the unit now answers from another address.
    bool addressChangedSinceLogin() const { return m_link.addressChangedSinceLogin(); }
    quint32 loginAddress() const { return m_link.loginAddress(); }

    // What the connection does with the unit's answers; called by the report handlers.
    void handleLoginAnswer(const QByteArray& payload);
    void forgetPasswords() { m_link.forgetPasswords(); }
    void mergeReportedDeviceId(quint32 id);

    // --- the mirror
    void applyChannelConfiguration(int usbPlayInput, int usbRecordOutput, int configuration);
    // Blanks what only a live unit can tell (meters, versions, status) and tells the views.
    void resetLiveValues();

    ParameterMirror& mirror() { return m_mirror; }
    const ParameterMirror& mirror() const { return m_mirror; }
    InputChannel& input(int channel) { return m_mirror.inputs[std::size_t(channel)]; }
    const InputChannel& input(int channel) const { return m_mirror.inputs[std::size_t(channel)]; }
    OutputChannel& output(int channel) { return m_mirror.outputs[std::size_t(channel)]; }
    const OutputChannel& output(int channel) const
    {
        return m_mirror.outputs[std::size_t(channel)];
    }
    Filter::HLPF* inputHpf(int channel) { return &input(channel).hpf; }
    Filter::HLPF* inputLpf(int channel) { return &input(channel).lpf; }
    Filter::PEQ* inputPeq(int channel, int band) { return &input(channel).peq[std::size_t(band)]; }
    Limiter* inputLimiter(int channel) { return &input(channel).limiter; }
    Gate* inputGate(int channel) { return &input(channel).gate; }
    AGC* inputAgc(int channel) { return &input(channel).agc; }
    Filter::HLPF* outputHpf(int channel) { return &output(channel).hpf; }
    Filter::HLPF* outputLpf(int channel) { return &output(channel).lpf; }
    Filter::PEQ* outputPeq(int channel, int band)
    {
        return &output(channel).peq[std::size_t(band)];
    }
    Limiter* outputLimiter(int channel) { return &output(channel).limiter; }

    SignalGenerator& signalGenerator() { return m_mirror.generator; }
    const SignalGenerator& signalGenerator() const { return m_mirror.generator; }
    EchoCancellation& echoCancellation() { return m_mirror.echo; }
    const EchoCancellation& echoCancellation() const { return m_mirror.echo; }
    NoiseReduction& noiseReduction() { return m_mirror.noiseReduction; }
    const NoiseReduction& noiseReduction() const { return m_mirror.noiseReduction; }
    AutoMixer& autoMixer() { return m_mirror.autoMixer; }
    const AutoMixer& autoMixer() const { return m_mirror.autoMixer; }
    quint8 outputMeterMode() const { return m_mirror.outputMeterMode; }
    void setOutputMeterMode(quint8 mode) { m_mirror.outputMeterMode = mode; }
    PresetTable& presets() { return m_mirror.presets; }
    SystemState& system() { return m_mirror.system; }
    const SystemState& system() const { return m_mirror.system; }
    UsbMediaState& usbMedia() { return m_mirror.usb; }
    StatusRecords& statusRecords() { return m_mirror.statusRecords; }
    quint16 formatGeneration() const { return m_mirror.system.formatGeneration; }

    // Set by the processing page and the dialogs; read by the periodic refresh.
    int currentPage() const { return m_refresher.page(); }
    int currentPageChannel() const { return m_refresher.channel(); }
    void setCurrentPage(int page, int channel) { m_refresher.setPage(page, channel); }
    quint8 refreshFlags() const { return m_refresher.flags(); }
    void setRefreshFlag(RefreshFlag flag, bool on) { m_refresher.setFlag(flag, on); }

    // The user's edits, for undo and redo.
    EditJournal& journal() { return m_journal; }

    quint64 tickCount() const { return m_link.tickCount(); }
    // The 10 ms heartbeat; tests stop it and call timeout() themselves.
    void setTickTimerRunning(bool running);
    QHostAddress bindAddress() const { return m_link.bindAddress(); }

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
    void timeout();
    // Reads every waiting status datagram.
    void udpReadyRead() { m_discovery.udpReadyRead(); }

public:
    // Tells the windows that the mirror changed at `code`.
    void sync(wire::Code code, quint8 channel = 255, quint8 other = 255,
              const QVariant& any = QVariant())
    {
        emit tcpSyncToUI(code.type, code.subType, code.funcId, channel, other, any);
    }

protected:
    // Every packet of the selected unit; each report is checked against its rule and stored.
    virtual void dispatchPacket(const wire::PacketHeader& header, const char* payload);

private:
    void wireParts();

    LinkSettings m_settings;
    DeviceList m_devices;
    DeviceRegistry m_registry;
    ControlLink m_link;
    Discovery m_discovery;
    Refresher m_refresher;
    ParameterMirror m_mirror;
    EditJournal m_journal;
    QTimer m_timer;
};
