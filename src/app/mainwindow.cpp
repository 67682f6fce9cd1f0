#include "mainwindow.h"

#include "appicon.h"
#include "commandassistantdialog.h"
#include "datamodel.h"
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
#include "splashscreen.h"
#include "splitter.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"
#include "testdialog.h"
#include "toolwindow.h"
#include "wire/commands.h"

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

MainWindow* s_instance = nullptr;
const QString kGeometryKey = QStringLiteral("MainGeometry");
const QString kSplitterKey = QStringLiteral("MainSplitterState");

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(appIcon());
    SystemSettings* settings = SystemSettings::instance();
    resize(1200, 760);
    m_geometryRestored = settings && restoreGeometry(settings->value(kGeometryKey));
    if (!m_geometryRestored) {
        // First start: centred on the screen, and never larger than it.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            resize(size().boundedTo(available.size()));
            move(available.center() - rect().center());
        }
    }
    if (!s_instance)
        s_instance = this;
    SplashScreen::reportProgress(5);

    m_upgradeDialog = nullptr;
    m_menuBar = new MainMenuBar(this);
    setMenuBar(m_menuBar);
    SplashScreen::reportProgress(10);

    m_statusBar = new MainStatusBar(this);
    setStatusBar(m_statusBar);
    SplashScreen::reportProgress(12);

    m_deviceListDialog = new DeviceListDialog(this);
    SplashScreen::reportProgress(14);
    m_labelDialog = new LabelDialog(this);
    SplashScreen::reportProgress(18);
    m_meterDialog = new MeterDialog(this);
    SplashScreen::reportProgress(20);
    m_presetDialog = new PresetDialog(this);
    SplashScreen::reportProgress(22);
    m_recPlayDialog = new RecPlayDialog(this);
    SplashScreen::reportProgress(26);
    m_deviceSetupDialog = new DeviceSetupDialog(this);
    SplashScreen::reportProgress(30);
    m_upgradeDialog = new SystemUpgradeProgressDialog(this);
    SplashScreen::reportProgress(38);
    m_commandAssistantDialog = new CommandAssistantDialog(this);
    SplashScreen::reportProgress(42);

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

    m_deviceWidget = new DeviceWidget(this);
    connect(m_deviceWidget, &DeviceWidget::listButtonClicked, this,
            &MainWindow::deviceListTriggered);
    connect(m_deviceWidget, &DeviceWidget::loginChanged, this, &MainWindow::setLoginChanged);
    SplashScreen::reportProgress(50);
    m_moduleWidget = new ModuleWidget(this);
    m_levelContainer = new LevelContainerWidget(this);

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
    if (settings) {
        const QByteArray state = settings->value(kSplitterKey);
        if (!state.isEmpty())
            m_splitter->restoreState(state);
    }

    if (DataModel* model = DataModel::instance())
        connect(model, &DataModel::tcpSyncToUI, this, &MainWindow::tcpSyncToUI);

    m_faultMessageBox =
        new QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, this);
    m_faultMessageBox->setModal(false);
    m_faultTimer = new QTimer(this);
    connect(m_faultTimer, &QTimer::timeout, this, &MainWindow::timeout);
    retranslate();
    SplashScreen::reportProgress(99);

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
    if (SystemSettings* settings = SystemSettings::instance()) {
        settings->setValue(kGeometryKey, saveGeometry());
        settings->setValue(kSplitterKey, m_splitter->saveState());
    }
    if (s_instance == this)
        s_instance = nullptr;
}

MainWindow* MainWindow::instance()
{
    return s_instance;
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
    if (DataModel* model = DataModel::instance())
        wire::deliver(*model, wire::cmd::factoryReset());
}

void MainWindow::deviceVersionSelectionTriggered()
{
    DeviceVersionSelectionDialog dialog(this);
    dialog.setLanguageButtonsVisible(false);
    const DataModel* model = DataModel::instance();
    dialog.setTableEnabled(!(model && model->isLoggedIn()));
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
    if (const SystemSettings* s = SystemSettings::instance())
        applyDeviceVersion(s->hiddenInputMask(), s->hiddenOutputMask(), s->danteInputMask(),
                           s->danteOutputMask());
}

void MainWindow::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                    quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;

    const SystemSettings* settings = SystemSettings::instance();
    DataModel* model = DataModel::instance();
    if (settings && model) {
        const int profile = settings->deviceVersionSelection();
        const SystemSettings::UnitMasks unit = SystemSettings::unitMasksForProfile(profile);
        model->system().inputMask = unit.inputMask;
        model->system().outputMask = unit.outputMask;
        model->system().dante = unit.dante;
        model->applyChannelConfiguration(settings->usbPlayInput(), settings->usbRecordOutput(),
                                         profile);
    }
    if (settings && !settings->usbPresent() && m_recPlayDialog->isVisible())
        m_recPlayDialog->hide();

    m_menuBar->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_moduleWidget->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_levelContainer->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_labelDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_meterDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, 0, 0);
    m_recPlayDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_deviceSetupDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
    m_commandAssistantDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs,
                                                 danteOutputs);
    m_testDialog->applyDeviceVersion(hiddenInputs, hiddenOutputs, danteInputs, danteOutputs);
}

void MainWindow::reevaluateDeviceVersion()
{
    const DataModel* model = DataModel::instance();
    if (!model)
        return;
    const auto& s = model->system();
    if (DeviceVersionSelectionDialog::selectDeviceVersion(s.inputMask, s.outputMask, s.dante))
        applySelectedProfile();
}

void MainWindow::timeout()
{
    showFault();
}

QString MainWindow::faultText(quint8 fault)
{
    struct Bit
    {
        int bit;
        QString name;
    };
    const Bit bits[] = {{0, QStringLiteral("DSP")},
                        {1, QStringLiteral("ADC")},
                        {2, QStringLiteral("DAC")},
                        {5, QStringLiteral("EPROM")},
                        {3, QStringLiteral("IO EXT") + QStringLiteral("-1")},
                        {4, QStringLiteral("IO EXT") + QStringLiteral("-2")},
                        {6, QStringLiteral("Temp")},
                        {7, QStringLiteral("Ethernet")}};
    QStringList names;
    for (const Bit& b : bits) {
        if (fault & (1u << b.bit))
            names << b.name;
    }
    return tr("Found fault :") + QStringLiteral("\n\n") + names.join(QStringLiteral(", ")) +
           QStringLiteral("\n\n") + tr("See the Device Setup page for details.");
}

void MainWindow::showFault()
{
    const DataModel* model = DataModel::instance();
    m_faultMessageBox->setText(faultText(model ? model->system().deviceStatus : 0));
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
    if (const SystemSettings* settings = SystemSettings::instance())
        setWindowTitle(settings->title());
    m_faultMessageBox->setWindowTitle(tr("Device Fault"));
    m_faultMessageBox->button(QMessageBox::Ok)->setText(tr("OK"));
}
