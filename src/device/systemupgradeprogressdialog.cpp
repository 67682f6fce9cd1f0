#include "systemupgradeprogressdialog.h"

#include "datamodel.h"
#include "reportrouter.h"
#include "systemsettings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using Kind = FirmwareUpgrade::Kind;
using Failure = FirmwareUpgrade::Failure;

SystemUpgradeProgressDialog::SystemUpgradeProgressDialog(DataModel& model, ReportRouter& router,
                                                         SystemSettings& settings, QWidget* parent)
    : ProgressDialog(parent), m_settings(settings), m_upgrade(model)
{
    setObjectName(QStringLiteral("systemUpgradeDialog"));
    setMinimumWidth(360);
    m_chooseFile = [this](const QString& title, const QString& dir, const QString& filter) {
        return QFileDialog::getOpenFileName(this, title, dir, filter);
    };
    m_watchdog = new QTimer(this);
    m_watchdog->setSingleShot(true);
    connect(m_watchdog, &QTimer::timeout, this, &SystemUpgradeProgressDialog::timeout);

    // Cancel, OK and the title bar's close button: the unit's next answer goes unanswered.
    connect(this, &QProgressDialog::canceled, this, [this] {
        m_upgrade.cancel();
        m_watchdog->stop();
        m_shown = Shown::Nothing;
    });
    connect(&m_upgrade, &FirmwareUpgrade::started, this,
            &SystemUpgradeProgressDialog::startProgress);
    connect(&m_upgrade, &FirmwareUpgrade::progressed, this,
            [this](int done) { stepProgress(done); });
    connect(&m_upgrade, &FirmwareUpgrade::finished, this, &SystemUpgradeProgressDialog::finish);
    connect(&m_upgrade, &FirmwareUpgrade::failed, this, &SystemUpgradeProgressDialog::failed);

    using Event = ReportRouter::Event;
    for (wire::Code code :
         {wire::code::UpgradeSystem, wire::code::UpgradeDsp, wire::code::UpgradeForced}) {
        router.subscribe(this, code, [this](const Event& e) {
            const QByteArray reply = e.any.toByteArray();
            upgradeReply(e.code.funcId, reinterpret_cast<const uchar*>(reply.constData()),
                         reply.size());
        });
    }
    router.subscribe(this, wire::code::UpgradeVerdict,
                     [this](const Event& e) { upgradeStatus(e.other); });
    retranslate();
}

void SystemUpgradeProgressDialog::retranslate()
{
    ProgressDialog::retranslate();
    setWindowTitle(tr("System Upgrade"));
    switch (m_shown) {
    case Shown::Nothing:
        break;
    case Shown::Progress:
        if (value() > 0)
            stepProgress(value());
        else
            setLabelText(tr("Upgrading..."));
        break;
    default:
        setLabelText(outcomeText());
        if (progressBar()->isHidden())
            cancelButton()->setText(tr("OK"));
        break;
    }
}

QString SystemUpgradeProgressDialog::choose(Kind kind)
{
    const bool dsp = kind == Kind::Dsp;
    const QString path = m_chooseFile(dsp ? tr("Select a DSP firmware file to upgrade")
                                          : tr("Select a firmware file to upgrade"),
                                      m_settings.lastFileDirectory(),
                                      dsp ? tr("bin file") + QStringLiteral("(*.bin)")
                                          : tr("img file") + QStringLiteral("(*.img)"));
    if (!path.isEmpty())
        m_path = path;
    return path;
}

void SystemUpgradeProgressDialog::systemUpgradeActionTriggered()
{
    const QString path = choose(Kind::System);
    if (path.isEmpty())
        return;
    // Nothing shows until the unit answers with its key.
    m_upgrade.requestSystemUpgrade(path);
    m_settings.setLastFileDirectory(QFileInfo(path).absolutePath());
}

void SystemUpgradeProgressDialog::dspUpgradeTriggered()
{
    const QString path = choose(Kind::Dsp);
    if (path.isEmpty())
        return;
    m_upgrade.start(Kind::Dsp, path);
    m_settings.setLastFileDirectory(QFileInfo(path).absolutePath());
}

void SystemUpgradeProgressDialog::forceUpgradeTriggered()
{
    const QString path = choose(Kind::Forced);
    if (path.isEmpty())
        return;
    m_upgrade.start(Kind::Forced, path);
    m_settings.setLastFileDirectory(QFileInfo(path).absolutePath());
}

void SystemUpgradeProgressDialog::upgradeReply(uchar funcId, const uchar* reply, int length)
{
    const auto kind = Kind(funcId);
    if (kind != Kind::System && kind != Kind::Dsp && kind != Kind::Forced)
        return;
    m_upgrade.handleReply(kind, QByteArray(reinterpret_cast<const char*>(reply), length));
}

void SystemUpgradeProgressDialog::upgradeStatus(uchar value)
{
    m_upgrade.handleVerdict(value);
}

void SystemUpgradeProgressDialog::startProgress(int blocks)
{
    m_shown = Shown::Progress;
    reset();
    setLabelText(tr("Upgrading..."));
    setCancelButtonText(tr("Cancel"));
    setRange(0, blocks);
    setValue(0);
    progressBar()->show();
    show();
    m_watchdog->stop();
}

bool SystemUpgradeProgressDialog::stepProgress(int value)
{
    if (wasCanceled())
        return false;
    setValue(value);
    const int percent = maximum() > 0 ? int(qint64(value) * 100 / maximum()) : 0;
    setLabelText(tr("Upgrading...") + QStringLiteral("%1%").arg(percent));
    return true;
}

void SystemUpgradeProgressDialog::failed(Failure failure)
{
    switch (failure) {
    case Failure::BadFormat:
        showFileError(FirmwareUpgrade::kVerdictBadFormat);
        break;
    case Failure::BadFile:
        showFileError(FirmwareUpgrade::kVerdictBadFile);
        break;
    case Failure::NoAnswer:
    case Failure::Unreadable:
        showOutcome(Shown::Failure);
        break;
    case Failure::NotConnected:
        showOutcome(Shown::NotConnected);
        break;
    case Failure::LinkLost:
        showOutcome(Shown::LinkLost);
        break;
    }
}

QString SystemUpgradeProgressDialog::outcomeText() const
{
    switch (m_shown) {
    case Shown::FileError:
        return tr("File is error!");
    case Shown::FormatError:
        return tr("File format is error!");
    case Shown::NotConnected:
        return tr("Upgrade failed!") + QLatin1Char('\n') + tr("No unit is connected.");
    case Shown::LinkLost:
        return tr("Upgrade failed!") + QLatin1Char('\n') +
               tr("The connection to the unit was lost.");
    case Shown::Failure:
        return tr("Upgrade failed!");
    case Shown::Nothing:
    case Shown::Progress:
        break;
    }
    return QString();
}

void SystemUpgradeProgressDialog::showFileError(uchar code)
{
    showOutcome(code < FirmwareUpgrade::kVerdictBadFormat ? Shown::FileError : Shown::FormatError);
}

void SystemUpgradeProgressDialog::showOutcome(Shown what)
{
    // A plain failure stays in the progress window for a moment; the others are messages with
    // an OK button.
    const bool inProgress = what == Shown::Failure && m_shown == Shown::Progress;
    m_shown = what;
    if (!inProgress) {
        reset();
        setCancelButtonText(tr("OK"));
        progressBar()->hide();
    }
    setLabelText(outcomeText());
    show();
    m_watchdog->start(inProgress ? kFailureShownMs : kErrorShownMs);
}

void SystemUpgradeProgressDialog::timeout()
{
    finish();
}

void SystemUpgradeProgressDialog::finish()
{
    m_shown = Shown::Nothing;
    setLabelText(QString());
    cancel();
    m_watchdog->stop();
}
