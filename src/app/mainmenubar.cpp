#include "mainmenubar.h"

#include "systemsettings.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>

MainMenuBar::MainMenuBar(SystemSettings& settings, QWidget* parent)
    : QMenuBar(parent), m_settings(settings)
{
    const int language = settings.language();
    const int dark = settings.isDark();

    auto checkable = [this](QAction*& action, bool checked) {
        action = new QAction(this);
        action->setCheckable(true);
        action->setChecked(checked);
    };
    checkable(m_english, language == 1);
    checkable(m_chinese, language == 0);
    checkable(m_light, dark == 0);
    checkable(m_dark, dark == 1);
    checkable(m_highDpiOn, SystemSettings::highDpiScaling());
    checkable(m_highDpiOff, !SystemSettings::highDpiScaling());
    m_highDpiOn->setObjectName(QStringLiteral("1"));
    m_highDpiOff->setObjectName(QStringLiteral("0"));
    connect(m_english, &QAction::triggered, this, &MainMenuBar::languageTriggered);
    connect(m_chinese, &QAction::triggered, this, &MainMenuBar::languageTriggered);
    connect(m_light, &QAction::triggered, this, &MainMenuBar::appearanceConfigTriggered);
    connect(m_dark, &QAction::triggered, this, &MainMenuBar::appearanceConfigTriggered);
    connect(m_highDpiOn, &QAction::triggered, this, &MainMenuBar::highDpiScalingTriggered);
    connect(m_highDpiOff, &QAction::triggered, this, &MainMenuBar::highDpiScalingTriggered);

    auto plain = [this](QAction*& action, void (MainMenuBar::*signal)()) {
        action = new QAction(this);
        connect(action, &QAction::triggered, this, signal);
    };
    plain(m_deviceList, &MainMenuBar::deviceListTriggered);
    plain(m_label, &MainMenuBar::labelTriggered);
    plain(m_meter, &MainMenuBar::meterTriggered);
    plain(m_preset, &MainMenuBar::presetTriggered);
    plain(m_recPlay, &MainMenuBar::recPlayTriggered);
    plain(m_setup, &MainMenuBar::deviceSetupTriggered);
    plain(m_deviceVersion, &MainMenuBar::deviceVersionSelectionTriggered);
    plain(m_systemUpgrade, &MainMenuBar::systemUpgradeActionTriggered);
    plain(m_systemReset, &MainMenuBar::systemResetTriggered);
    plain(m_commandAssistant, &MainMenuBar::commandAssistantTriggered);

    m_languageMenu = new QMenu(this);
    m_languageMenu->addAction(m_english);
    m_languageMenu->addAction(m_chinese);
    m_appearanceMenu = new QMenu(this);
    m_appearanceMenu->addAction(m_light);
    m_appearanceMenu->addAction(m_dark);
    m_highDpiMenu = new QMenu(this);
    m_highDpiMenu->addAction(m_highDpiOn);
    m_highDpiMenu->addAction(m_highDpiOff);

    if (settings.languageSupport() == 3)
        addMenu(m_languageMenu);
    if (settings.appearanceSupport() == 3)
        addMenu(m_appearanceMenu);
    for (QAction* action : {m_preset, m_setup, m_recPlay, m_label, m_meter, m_systemUpgrade,
                            m_systemReset, m_deviceList, m_commandAssistant})
        addAction(action);
    addMenu(m_highDpiMenu);
    addAction(m_deviceVersion);

    addShortcut(QKeySequence(QStringLiteral("Ctrl+D")), &MainMenuBar::deviceListShortcutActivated);
    addShortcut(QKeySequence(QStringLiteral("Ctrl+L")), &MainMenuBar::labelShortcutActivated);
    addShortcut(QKeySequence(QStringLiteral("Ctrl+P")), &MainMenuBar::presetShortcutActivated);
    addShortcut(QKeySequence(QStringLiteral("Ctrl+R")), &MainMenuBar::recPlayShortcutActivated);
    addShortcut(QKeySequence(QStringLiteral("Ctrl+S")), &MainMenuBar::setupShortcutActivated);
    addShortcut(QKeySequence(QStringLiteral("Ctrl+H")), &MainMenuBar::helpShortcutActivated);
    retranslate();
}

void MainMenuBar::addShortcut(const QKeySequence& sequence, void (MainMenuBar::*slot)())
{
    // Window-wide: they work wherever the focus is in the main window.
    auto* shortcut = new QShortcut(sequence, parentWidget() ? parentWidget() : this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
}

void MainMenuBar::pressAlt(Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier);
    QApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::AltModifier);
    QApplication::sendEvent(this, &release);
}

void MainMenuBar::deviceListShortcutActivated()
{
    pressAlt(Qt::Key_D);
}

void MainMenuBar::labelShortcutActivated()
{
    pressAlt(Qt::Key_L);
}

void MainMenuBar::presetShortcutActivated()
{
    pressAlt(Qt::Key_P);
}

void MainMenuBar::recPlayShortcutActivated()
{
    pressAlt(Qt::Key_R);
}

void MainMenuBar::setupShortcutActivated()
{
    pressAlt(Qt::Key_S);
}

void MainMenuBar::helpShortcutActivated()
{
    pressAlt(Qt::Key_H);
}

void MainMenuBar::languageTriggered(bool)
{
    m_settings.setLanguage(sender() == m_english ? 1 : 0);
    m_english->setChecked(m_settings.language() == 1);
    m_chinese->setChecked(m_settings.language() == 0);
}

void MainMenuBar::appearanceConfigTriggered(bool)
{
    m_settings.setAppearance(sender() == m_dark ? 1 : 0);
    m_light->setChecked(m_settings.isDark() == 0);
    m_dark->setChecked(m_settings.isDark() == 1);
}

void MainMenuBar::highDpiScalingTriggered(bool)
{
    const bool enabled = sender() && sender()->objectName().toInt() != 0;
    m_highDpiOn->setChecked(enabled);
    m_highDpiOff->setChecked(!enabled);
    if (enabled == SystemSettings::highDpiScaling())
        return;
    SystemSettings::setHighDpiScaling(enabled);

    QMessageBox box(QMessageBox::Question, tr("Restart to take effect"), QString(),
                    QMessageBox::NoButton, window());
    QString text;
    if (!enabled)
        text = tr("Disabling high DPI scaling and the application will keep the default size.") +
               QStringLiteral("\n\n");
    text += tr("Need to restart the application to take effect, are you sure that you want to "
               "restart now?");
    box.setText(text);
    QPushButton* restart =
        box.addButton(tr("Restart immediately to take effect"), QMessageBox::AcceptRole);
    box.addButton(tr("No, take effect at next startup"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == restart)
        restartApplication();
}

void MainMenuBar::restartApplication()
{
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    if (QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments,
                                QDir::currentPath()))
        QCoreApplication::exit(0);
}

void MainMenuBar::setProfile(const DeviceProfile& profile)
{
    // Units without USB media have nothing to record or play.
    m_recPlay->setVisible(profile.hasUsb());
}

void MainMenuBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenuBar::changeEvent(event);
}

void MainMenuBar::setEditActions(QAction* undo, QAction* redo)
{
    if (!m_editMenu) {
        m_editMenu = new QMenu(this);
        m_editMenu->setObjectName(QStringLiteral("editMenu"));
        insertMenu(m_preset, m_editMenu);
    }
    m_editMenu->clear();
    m_editMenu->addAction(undo);
    m_editMenu->addAction(redo);
    m_editMenu->addSeparator();
    if (!m_saveState) {
        m_saveState = new QAction(this);
        connect(m_saveState, &QAction::triggered, this, &MainMenuBar::saveStateTriggered);
        m_compareState = new QAction(this);
        connect(m_compareState, &QAction::triggered, this, &MainMenuBar::compareStateTriggered);
    }
    m_editMenu->addAction(m_saveState);
    m_editMenu->addAction(m_compareState);
    retranslate();
}

void MainMenuBar::retranslate()
{
    if (m_editMenu)
        m_editMenu->setTitle(tr("Edit"));
    if (m_saveState) {
        m_saveState->setText(tr("Save State..."));
        m_compareState->setText(tr("Compare State..."));
    }
    m_languageMenu->setTitle(tr("Language"));
    m_english->setText(tr("English"));
    m_chinese->setText(tr("Chinese"));
    m_appearanceMenu->setTitle(tr("Interface Color"));
    m_light->setText(tr("Light"));
    m_dark->setText(tr("Dark"));
    m_deviceList->setText(tr("Device List") + QStringLiteral("(&D)"));
    m_label->setText(tr("Label") + QStringLiteral("(&L)"));
    m_meter->setText(tr("Meter"));
    m_preset->setText(tr("Preset") + QStringLiteral("(&P)"));
    m_recPlay->setText(tr("Rec/Play") + QStringLiteral("(&R)"));
    m_setup->setText(tr("Setup") + QStringLiteral("(&S)"));
    m_deviceVersion->setText(tr("Device Version Selection"));
    m_systemUpgrade->setText(tr("System Upgrade"));
    m_systemReset->setText(tr("System Reset"));
    m_commandAssistant->setText(tr("Command Assistant"));
    m_highDpiMenu->setTitle(tr("High DPI Scaling"));
    m_highDpiOn->setText(tr("Enabled"));
    m_highDpiOff->setText(tr("Disabled"));
}
