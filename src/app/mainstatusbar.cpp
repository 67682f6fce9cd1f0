#include "mainstatusbar.h"

#include "datamodel.h"
#include "reportrouter.h"
#include "wire/commands.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {

QWidget* spacer(QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QStringLiteral("statusSpacer"));
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    return w;
}

QString version(const std::array<quint8, 3>& v)
{
    return QStringLiteral("V%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

} // namespace

MainStatusBar::MainStatusBar(DataModel& model, ReportRouter& router, QWidget* parent)
    : QStatusBar(parent), m_model(model)
{
    m_dspUsage = new QLabel(this);
    m_serialNumber = new QLabel(this);
    m_muteButton = new QPushButton(this);
    m_muteButton->setObjectName(QStringLiteral("muteButton"));
    m_muteButton->setCheckable(true);
    m_muteButton->setFixedSize(86, 25);
    m_temperature = new QLabel(this);
    m_fan = new QLabel(this);
    m_armVersion = new QLabel(this);
    m_dspVersion = new QLabel(this);
    m_pcVersion = new QLabel(this);

    addWidget(m_dspUsage);
    addWidget(m_serialNumber);
    addWidget(spacer(this), 2);
    addWidget(m_muteButton);
    addWidget(spacer(this), 1);
    addWidget(m_temperature);
    addWidget(m_fan);
    addWidget(spacer(this), 1);
    addPermanentWidget(m_armVersion);
    addPermanentWidget(m_dspVersion);
    addPermanentWidget(m_pcVersion);

    connect(m_muteButton, &QPushButton::clicked, this, &MainStatusBar::systemMuteButtonClicked);
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+M")),
                                   parent ? parent : static_cast<QWidget*>(this));
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, m_muteButton, &QPushButton::click);

    using namespace wire;
    const auto on = [this, &router](Code code, void (MainStatusBar::*refresh)()) {
        router.subscribe(this, code,
                         [this, refresh](const ReportRouter::Event&) { (this->*refresh)(); });
    };
    on(code::ArmVersion, &MainStatusBar::refreshArmVersion);
    on(code::BuildNumber, &MainStatusBar::refreshArmVersion);
    on(code::VersionText, &MainStatusBar::refreshArmVersion);
    on(code::DspVersion, &MainStatusBar::refreshDspVersion);
    on(code::DspVersionText, &MainStatusBar::refreshDspVersion);
    on(code::SerialNumber, &MainStatusBar::refreshSerialNumber);
    on(code::Temperature, &MainStatusBar::refreshTemperature);
    on(code::SystemMute, &MainStatusBar::refreshSystemMute);
    on(code::DspUsage, &MainStatusBar::refreshDspUsage);
    on(code::Fan, &MainStatusBar::refreshFan);

    retranslate();
}

void MainStatusBar::systemMuteButtonClicked(bool checked)
{
    m_model.system().systemMute = checked;
    wire::deliver(m_model, wire::cmd::systemMute(checked));
}

void MainStatusBar::refreshAll()
{
    refreshDspUsage();
    refreshSerialNumber();
    refreshTemperature();
    refreshFan();
    refreshArmVersion();
    refreshDspVersion();
    refreshSystemMute();
}

void MainStatusBar::refreshDspUsage()
{
    QString text = tr("DSP Usage : ");
    const auto& usage = m_model.system().statusWords;
    if (usage[0] > 0 || usage[1] > 0)
        text += QStringLiteral("%1%, %2%")
                    .arg(QString::number(double(usage[0]), 'f', 1),
                         QString::number(double(usage[1]), 'f', 1));
    m_dspUsage->setText(text);
}

void MainStatusBar::refreshSerialNumber()
{
    m_serialNumber->setText(tr("Serial Number : ") + m_model.system().serialNumber);
}

QString MainStatusBar::fanTip()
{
    return tr("Fan trigger instructions:\nThe cooling fan of the machine is temperature "
              "controlled and automatically turns on.\nWhen the temperature is greater than or "
              "equal to 30℃, the fan automatically turns on.\nWhen the temperature is less than "
              "or equal to 27℃, the fan automatically turns off.");
}

void MainStatusBar::refreshTemperature()
{
    const float t = m_model.system().temperature;
    if (t != 0.0f && t < 100.0f) {
        m_temperature->setText(tr(" Temp : %1 ℃ ").arg(QString::number(double(t), 'f', 1)));
        m_temperature->setToolTip(fanTip());
    } else {
        m_temperature->clear();
        m_temperature->setToolTip(QString());
    }
}

void MainStatusBar::refreshFan()
{
    const int state = m_model.system().fanState;
    if (state == 0 || state == 1) {
        m_fan->setText(tr(" Fan : %1 ").arg(state == 1 ? tr("ON") : tr("OFF")));
        m_fan->setToolTip(fanTip());
    } else {
        m_fan->clear();
        m_fan->setToolTip(QString());
    }
}

void MainStatusBar::refreshArmVersion()
{
    QString text = version(m_model.system().armVersion);
    if (m_model.system().buildNumber != 0)
        text += QLatin1Char('-') + QString::number(m_model.system().buildNumber, 16);
    m_armVersion->setText(tr("ARM :") + text);
}

void MainStatusBar::refreshDspVersion()
{
    m_dspVersion->setText(tr("DSP :") + version(m_model.system().dspVersion));
}

void MainStatusBar::refreshSystemMute()
{
    m_muteButton->setChecked(m_model.system().systemMute);
}

void MainStatusBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QStatusBar::changeEvent(event);
}

void MainStatusBar::retranslate()
{
    m_muteButton->setText(tr("System Mute"));
    m_pcVersion->setText(tr("PC : V") + QStringLiteral(KV_PC_VERSION));
    refreshAll();
}
