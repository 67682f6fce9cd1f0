#include "devicetestsupport.h"

#include "announcer.h"
#include "clock.h"
#include "systemsettings.h"
#include "virtualunit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QUdpSocket>

DeviceRig::DeviceRig() = default;

DeviceRig::~DeviceRig()
{
    m_model.reset();
    m_settings.reset();
    m_unit.reset();
    Clock::resetSource();
    NetworkInterfaces::resetSource();
}

bool DeviceRig::start()
{
    interfaces = {loopbackInterface("127.0.0.2", 8)};
    NetworkInterfaces::setSource([this] { return interfaces; });
    Clock::setSource([this] { return now; });

    // A discovery port of this process, so that no other unit on the PC is heard.
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::LocalHost, 0))
        return false;
    UnitConfig config;
    config.controlPort = 0;
    config.discoveryPort = probe.localPort();
    config.model = QStringLiteral("VU-1616");
    probe.close();
    m_unit = std::make_unique<VirtualUnit>(config);
    if (!m_unit->start())
        return false;
    // Tests announce the unit themselves, so that no datagram arrives unasked.
    m_unit->announcer().stop();
    {
        QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Control/Port"), m_unit->controlPort());
        ini.setValue(QStringLiteral("Broadcast/Port"), config.discoveryPort);
        ini.setValue(QStringLiteral("Language/Support"), 3);
        ini.setValue(QStringLiteral("Language/Current"), 1);
        ini.setValue(QStringLiteral("Appearance/Support"), 3);
    }
    m_settings = std::make_unique<SystemSettings>();
    return true;
}

DataModel& DeviceRig::newModel()
{
    m_model.reset();
    QFile::remove(QStringLiteral("devices.db"));
    m_model = std::make_unique<DataModel>(m_settings->linkSettings());
    m_model->setTickTimerRunning(false);
    return *m_model;
}

void DeviceRig::ticks(int n)
{
    for (int i = 0; i < n; ++i)
        m_model->timeout();
}

DataModel::UDPBrowsingPacket fakeUnit(quint32 deviceId, quint32 ip)
{
    DataModel::UDPBrowsingPacket p{};
    p.deviceId = deviceId;
    p.ipAddress = ip;
    return p;
}

QByteArray statusDatagram(DataModel::UDPBrowsingPacket packet)
{
    packet.header = wire::kBrowsingHeader;
    packet.tail = wire::kBrowsingTail;
    packet.packetType = 4;
    return QByteArray(reinterpret_cast<const char*>(&packet), sizeof packet);
}

ModalHandler::ModalHandler(std::function<void(QWidget*)> action) : m_poll(new QTimer)
{
    // The modal window already open when asked is not the next one.
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    QObject::connect(m_poll, &QTimer::timeout, [this, action, before] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == before)
            return;
        m_poll->stop();
        m_handled = true;
        action(modal);
    });
    m_poll->start(5);
}

ModalHandler::~ModalHandler()
{
    delete m_poll;
}

void clickMessageBoxButton(QWidget* box, const QString& text)
{
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    if (!messageBox)
        return;
    const auto buttons = messageBox->buttons();
    for (QAbstractButton* b : buttons) {
        if (b->text() == text) {
            b->click();
            return;
        }
    }
}
