#include "mainwindow.h"

#include "appicon.h"
#include "commandassistantdialog.h"
#include "comparestatedialog.h"
#include "controlaccessible.h"
#include "datamodel.h"
#include "devicefaults.h"
#include "devicelistdialog.h"
#include "devicesetupdialog.h"
#include "deviceversionselectiondialog.h"
#include "devicewidget.h"
#include "labeldialog.h"
#include "levelcontainerwidget.h"
#include "mainmenubar.h"
#include "mainstatusbar.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "presetdialog.h"
#include "recplaydialog.h"
#include "reportrouter.h"
#include "splitter.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"
#include "testdialog.h"
#include "undohistory.h"
#include "wire/commands.h"

#include <initializer_list>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

const QString kGeometryKey = QStringLiteral("MainGeometry");
const QString kSplitterKey = QStringLiteral("MainSplitterState");

} // namespace

MainWindow::MainWindow(DataModel& model, SystemSettings& settings, const Progress& progress,
                       QWidget* parent)
    : QMainWindow(parent), m_model(model), m_settings(settings)
{
    const auto report = [&progress](int percent) {
        if (progress)
            progress(percent);
    };
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(appIcon());
    resize(1200, 760);
    m_geometryRestored = restoreGeometry(SystemSettings::value(kGeometryKey));
    if (!m_geometryRestored) {
        // First start: centred on the screen, and never larger than it.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            resize(size().boundedTo(available.size()));
            move(available.center() - rect().center());
        }
    }
    ControlAccessible::install();
    m_router = new ReportRouter(model, this);
    report(5);

    m_menuBar = new MainMenuBar(settings, this);
    setMenuBar(m_menuBar);
    report(10);

    m_statusBar = new MainStatusBar(model, *m_router, this);
    setStatusBar(m_statusBar);
    m_undoHistory = new UndoHistory(model.journal(), this);
    m_menuBar->setEditActions(m_undoHistory->undoAction(), m_undoHistory->redoAction());
    connect(m_undoHistory, &UndoHistory::note, m_statusBar,
            [this](const QString& text) { m_statusBar->showMessage(text, kNoteMs); });
    report(12);

    m_deviceListDialog = new DeviceListDialog(model, this);
    report(14);
    m_labelDialog = new LabelDialog(model, *m_router, this);
    report(18);
    m_meterDialog = new MeterDialog(model, *m_router, this);
    report(20);
    m_presetDialog = new PresetDialog(model, *m_router, settings, this);
    report(22);
    m_recPlayDialog = new RecPlayDialog(model, *m_router, this);
    report(26);
    m_deviceSetupDialog = new DeviceSetupDialog(model, *m_router, this);
    report(30);
    m_upgradeDialog = new SystemUpgradeProgressDialog(model, *m_router, settings, this);
    report(38);
    m_commandAssistantDialog = new CommandAssistantDialog(model, *m_router, this);
    m_compareStateDialog = new CompareStateDialog(model, *m_router, this);
    report(42);
    connect(m_menuBar, &MainMenuBar::saveStateTriggered, m_compareStateDialog,
            &CompareStateDialog::saveStateTriggered);
    connect(m_menuBar, &MainMenuBar::compareStateTriggered, this, [this] {
        bringWindowForward(m_compareStateDialog);
        m_compareStateDialog->readAndRefresh();
    });

    connect(m_menuBar, &MainMenuBar::deviceListTriggered, this, &MainWindow::deviceListTriggered);
    connect(m_menuBar, &MainMenuBar::labelTriggered, this, &MainWindow::labelTriggered);
    connect(m_menuBar, &MainMenuBar::meterTriggered, this, &MainWindow::meterTriggered);
    connect(m_menuBar, &MainMenuBar::presetTriggered, this, &MainWindow::presetTriggered);
    connect(m_menuBar, &MainMenuBar::recPlayTriggered, this, &MainWindow::recPlayTriggered);
    connect(m_menuBar, &MainMenuBar::deviceSetupTriggered, this, &MainWindow::deviceSetupTriggered);
    connect(m_menuBar, &MainMenuBar::systemUpgradeActionTriggered, m_upgradeDialog,
            &SystemUpgradeProgressDialog::systemUpgradeActionTriggered);
    connect(m_menuBar, &MainMenuBar::systemResetTriggered, this, &MainWindow::systemResetTriggered);
    connect(m_menuBar, &MainMenuBar::commandAssistantTriggered, this,
            &MainWindow::commandAssistantTriggered);
    connect(m_menuBar, &MainMenuBar::deviceVersionSelectionTriggered, this,
            &MainWindow::deviceVersionSelectionTriggered);

    m_deviceWidget = new DeviceWidget(model, settings, this);
    connect(m_deviceWidget, &DeviceWidget::listButtonClicked, this,
            &MainWindow::deviceListTriggered);
    connect(m_deviceWidget, &DeviceWidget::loginChanged, this, &MainWindow::setLoginChanged);
    report(50);
    m_moduleWidget = new ModuleWidget(model, *m_router, report, this);
    m_levelContainer = new LevelContainerWidget(model, *m_router, this);

    // The USB window and the strips show the same two channels.
    connect(m_levelContainer, &LevelContainerWidget::preLevelGainChanged, m_recPlayDialog,
            &RecPlayDialog::onPreLevelGainChanged);
    connect(m_levelContainer, &LevelContainerWidget::outLevelGainChanged, m_recPlayDialog,
            &RecPlayDialog::onOutLevelGainChanged);
    connect(m_levelContainer, &LevelContainerWidget::preLevelMuteChanged, m_recPlayDialog,
            &RecPlayDialog::onPreLevelMuteChanged);
    connect(m_levelContainer, &LevelContainerWidget::outLevelMuteChanged, m_recPlayDialog,
            &RecPlayDialog::onOutLevelMuteChanged);
    connect(m_recPlayDialog, &RecPlayDialog::playGainChanged, m_levelContainer,
            &LevelContainerWidget::onPlayGainChanged);
    connect(m_recPlayDialog, &RecPlayDialog::recordGainChanged, m_levelContainer,
            &LevelContainerWidget::onRecordGainChanged);
    connect(m_recPlayDialog, &RecPlayDialog::playMuteChanged, m_levelContainer,
            &LevelContainerWidget::onPlayMuteChanged);
    connect(m_recPlayDialog, &RecPlayDialog::recordMuteChanged, m_levelContainer,
            &LevelContainerWidget::onRecordMuteChanged);

    m_splitter = new Splitter(Qt::Vertical, this);
    m_splitter->addWidget(m_moduleWidget);
    m_splitter->addWidget(m_levelContainer);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mainWidget"));
    central->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_deviceWidget);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);
    const QByteArray state = SystemSettings::value(kSplitterKey);
    if (state.isEmpty() || !m_splitter->restoreState(state)) {
        // First start: the block editors take the room the strips do not need.
        m_splitter->setSizes(
            {m_moduleWidget->sizeHint().height(), m_levelContainer->minimumSizeHint().height()});
    }

    // The unit's faults, and the channel configuration it reports.
    using Event = ReportRouter::Event;
    m_router->subscribe(this, wire::code::DeviceStatus,
                        [this](const Event&) { deviceStatusChanged(); });
    m_router->subscribe(this, wire::code::ChannelMasks,
                        [this](const Event&) { reevaluateDeviceVersion(); });
    m_router->subscribe(this, wire::code::StatusValue33,
                        [this](const Event&) { reevaluateDeviceVersion(); });

    // A damaged list of units was put aside at start-up: the user hears of it once.
    if (!model.registry().damagedCopy().isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Information, tr("Device List"),
                                    tr("The saved list of units (devices.db) was damaged and "
                                       "could not be read. It was kept as %1, and a new list "
                                       "has been started.")
                                        .arg(model.registry().damagedCopy()),
                                    QMessageBox::NoButton, this);
        box->setObjectName(QStringLiteral("registryDamagedBox"));
        box->addButton(tr("OK"), QMessageBox::AcceptRole);
        box->setModal(false);
        box->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, box, &QWidget::show);
    }

    m_faultMessageBox =
        new QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, this);
    m_faultMessageBox->setModal(false);
    m_faultTimer = new QTimer(this);
    connect(m_faultTimer, &QTimer::timeout, this, &MainWindow::timeout);
    retranslate();
    report(99);

    m_testDialog = new TestDialog(this);
    connect(m_testDialog, &TestDialog::phantomButtonClicked, this,
            &MainWindow::testDialog48VButtonClicked);
    connect(m_testDialog, &TestDialog::dspUpgradeRequested, m_upgradeDialog,
            &SystemUpgradeProgressDialog::dspUpgradeTriggered);
    connect(m_testDialog, &TestDialog::forceUpgradeRequested, m_upgradeDialog,
            &SystemUpgradeProgressDialog::forceUpgradeTriggered);
    auto* testShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+T")), this);
    testShortcut->setContext(Qt::WindowShortcut);
    connect(testShortcut, &QShortcut::activated, this, &MainWindow::testShortcutActivated);
}

MainWindow::~MainWindow()
{
    SystemSettings::setValue(kGeometryKey, saveGeometry());
    SystemSettings::setValue(kSplitterKey, m_splitter->saveState());
}

void MainWindow::deviceListTriggered()
{
    bringWindowForward(m_deviceListDialog);
}

void MainWindow::labelTriggered()
{
    bringWindowForward(m_labelDialog);
}

void MainWindow::meterTriggered()
{
    bringWindowForward(m_meterDialog);
}

void MainWindow::presetTriggered()
{
    bringWindowForward(m_presetDialog);
}

void MainWindow::recPlayTriggered()
{
    bringWindowForward(m_recPlayDialog);
}

void MainWindow::deviceSetupTriggered()
{
    bringWindowForward(m_deviceSetupDialog);
}

void MainWindow::commandAssistantTriggered()
{
    bringWindowForward(m_commandAssistantDialog);
}

void MainWindow::testShortcutActivated()
{
    bringWindowForward(m_testDialog);
}

void MainWindow::testDialog48VButtonClicked(bool on)
{
    m_moduleWidget->setAllPhantomPower(on);
}

void MainWindow::systemResetTriggered()
{
    QMessageBox box(QMessageBox::Warning, tr("System Reset"),
                    QStringLiteral("<font size='3' face='Arial' color='red'><B>%1<br>%2</font>")
                        .arg(tr("Restore the factory settings will delete all user data!"),
                             tr("Are you sure that you want to reformat the disk and erase all "
                                "data?")),
                    QMessageBox::NoButton, this);
    QPushButton* ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != ok)
        return;
    wire::deliver(m_model, wire::cmd::factoryReset());
    m_model.journal().clear(EditJournal::Reason::Reset);
}

void MainWindow::deviceVersionSelectionTriggered()
{
    DeviceVersionSelectionDialog dialog(m_settings, this);
    dialog.setLanguageButtonsVisible(false);
    dialog.setTableEnabled(!m_model.isLoggedIn());
    if (dialog.exec() == QDialog::Accepted)
        applySelectedProfile();
}

void MainWindow::setLoginChanged(bool loggedIn)
{
    if (auto* dialog =
            qobject_cast<DeviceVersionSelectionDialog*>(QApplication::activeModalWidget()))
        dialog->setTableEnabled(!loggedIn);
}

void MainWindow::applySelectedProfile()
{
    applyDeviceVersion(m_settings.deviceProfile());
}

void MainWindow::applyDeviceVersion(const DeviceProfile& profile)
{
    m_profile = profile;
    // The model expects what a unit of the chosen configuration reports.
    const int selected = m_settings.deviceVersionSelection();
    const SystemSettings::UnitMasks unit = SystemSettings::unitMasksForProfile(selected);
    m_model.system().inputMask = unit.inputMask;
    m_model.system().outputMask = unit.outputMask;
    m_model.system().dante = unit.dante;
    m_model.applyChannelConfiguration(profile.usbPlayInput, profile.usbRecordOutput, selected);
    if (!profile.hasUsb() && m_recPlayDialog->isVisible())
        m_recPlayDialog->hide();

    m_menuBar->setProfile(profile);
    m_moduleWidget->setProfile(profile);
    m_levelContainer->setProfile(profile);
    for (EditorWindow* window : std::initializer_list<EditorWindow*>{
             m_labelDialog, m_meterDialog, m_recPlayDialog, m_deviceSetupDialog,
             m_commandAssistantDialog, m_presetDialog})
        window->setProfile(profile);
}

void MainWindow::reevaluateDeviceVersion()
{
    const auto& s = m_model.system();
    if (DeviceVersionSelectionDialog::selectDeviceVersion(m_settings, s.inputMask, s.outputMask,
                                                          s.dante))
        applySelectedProfile();
}

void MainWindow::timeout()
{
    showFault();
}

QString MainWindow::faultText(quint8 fault)
{
    return tr("Found fault :") + QStringLiteral("\n\n") +
           deviceFaultNames(fault).join(QStringLiteral(", ")) + QStringLiteral("\n\n") +
           tr("See the Device Setup page for details.");
}

void MainWindow::deviceStatusChanged()
{
    if (m_model.system().deviceStatus == 0) {
        m_faultTimer->stop();
        m_faultMessageBox->close();
    } else {
        m_faultTimer->start(kFaultReminderMs);
        showFault();
    }
}

void MainWindow::showFault()
{
    m_faultMessageBox->setText(faultText(m_model.system().deviceStatus));
    m_faultMessageBox->show();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslate()
{
    m_undoHistory->retranslate();
    setWindowTitle(m_settings.title());
    m_faultMessageBox->setWindowTitle(tr("Device Fault"));
    m_faultMessageBox->button(QMessageBox::Ok)->setText(tr("OK"));
}
