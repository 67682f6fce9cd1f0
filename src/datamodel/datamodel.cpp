#include "datamodel.h"

#include "clock.h"
#include "networkinterfaces.h"
#include "systemsettings.h"

#include <QNetworkProxy>

Q_LOGGING_CATEGORY(lcModel, "kv.model")

namespace {
DataModel* s_instance = nullptr;
}

DataModel::DataModel(QObject* parent) : QObject(parent)
{
    if (!s_instance)
        s_instance = this;
    qRegisterMetaType<DataModel::UDPBrowsingPacket*>("DataModel::UDPBrowsingPacket*");
    fillDefaults();
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    const auto interfaces = NetworkInterfaces::active();
    m_activeInterfaceCount = int(interfaces.size());
    m_activeInterfaceSignature = interfaceSignature(interfaces);
    openRegistry();
    createUdpSockets();
    connect(&m_timer, &QTimer::timeout, this, &DataModel::timeout);
    m_timer.start(kTickMs);
}

DataModel::~DataModel()
{
    m_timer.stop();
    for (DeviceRecord* record : qAsConst(m_devices)) {
        if (record->socket) {
            record->socket->disconnect(this);
            record->socket->abort();
        }
        delete record;
    }
    m_devices.clear();
    if (s_instance == this)
        s_instance = nullptr;
}

DataModel* DataModel::instance()
{
    return s_instance;
}

void DataModel::fillDefaults()
{
    for (int i = 0; i < kInputCount; ++i) {
        m_inputs[i] = InputChannel{};
        m_inputs[i].defaultName = QStringLiteral("IN %1").arg(i + 1);
    }
    for (int i = 0; i < kOutputCount; ++i) {
        m_outputs[i] = OutputChannel{};
        m_outputs[i].defaultName = QStringLiteral("OUT %1").arg(i + 1);
    }
}

void DataModel::applyChannelConfiguration(int usbPlayInput, int usbRecordOutput, int configuration)
{
    for (int i = 0; i < kInputCount; ++i) {
        const bool usb = i == usbPlayInput;
        m_inputs[i].defaultName =
            usb ? QStringLiteral("USB PLAY") : QStringLiteral("IN %1").arg(i + 1);
        m_inputs[i].faderMax = usb ? 0.0f : 12.0f;
    }
    for (int j = 0; j < kOutputCount; ++j) {
        m_outputs[j].defaultName =
            j == usbRecordOutput ? QStringLiteral("USB REC") : QStringLiteral("OUT %1").arg(j + 1);
    }
    m_system.formatGeneration = configuration == 1 ? 6 : 4;
}

void DataModel::resetLiveValues()
{
    for (InputChannel& in : m_inputs) {
        in.preFaderMeter = -100;
        in.postFaderMeter = -100;
    }
    for (OutputChannel& out : m_outputs) {
        out.preFaderMeter = -100;
        out.postFaderMeter = -100;
    }
    m_autoMixer.gainMeter.fill(-100);
    m_system.armVersion.fill(0);
    m_system.dspVersion.fill(0);
    m_system.versionText.clear();
    m_system.model.clear();
    m_system.serialNumber.clear();
    m_system.systemMute = false;
    m_system.deviceStatus = 0;
    m_system.statusWords.fill(0);
    m_system.temperature = 0.0f;
    m_system.fanState = 2;

    static const quint8 codes[][3] = {{3, 1, 1},  {3, 7, 7},  {3, 11, 8}, {3, 11, 1}, {3, 18, 5},
                                      {2, 2, 2},  {2, 2, 3},  {2, 2, 34}, {2, 2, 19}, {2, 2, 4},
                                      {2, 2, 16}, {2, 2, 14}, {2, 2, 9},  {2, 2, 37}};
    for (const auto& code : codes)
        emit tcpSyncToUI(code[0], code[1], code[2], 255, 255);
}

void DataModel::setTickTimerRunning(bool running)
{
    if (running)
        m_timer.start(kTickMs);
    else
        m_timer.stop();
}

void DataModel::setCurrentPage(int page, int channel)
{
    m_currentPage = page;
    m_currentPageChannel = channel;
}

void DataModel::setRefreshFlag(RefreshFlag flag, bool on)
{
    m_refreshFlags = on ? quint8(m_refreshFlags | flag) : quint8(m_refreshFlags & ~flag);
}

quint16 DataModel::controlPort() const
{
    const SystemSettings* settings = SystemSettings::instance();
    return settings ? settings->controlPort() : SystemSettings::kDefaultControlPort;
}
