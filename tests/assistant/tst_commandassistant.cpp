// The command assistant: each page's packet is the one the application itself sends for the
// same action (captured by a virtual unit while the strips, the status bar and the login
// perform it), the channel lists follow the profile, and the text goes to the clipboard.
#include "appsupport.h"
#include "buttonrow.h"
#include "commandassistantdialog.h"
#include "commandinputwidget.h"
#include "commandloginwidget.h"
#include "commandoutputwidget.h"
#include "commandpresetwidget.h"
#include "commandsystemmutewidget.h"
#include "datamodel.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainstatusbar.h"
#include "mainwindow.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitsession.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

using namespace wire;

class TestCommandAssistant : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<CommandAssistantDialog> m_assistant;

    LevelWidget* strips(bool output) const
    {
        auto* c = m_window->levelContainer();
        return output ? c->outputLevelWidget() : c->inputLevelWidget();
    }
    CommandLevelWidget* levelPage(bool output) const
    {
        return output ? static_cast<CommandLevelWidget*>(m_assistant->outputPage())
                      : m_assistant->inputPage();
    }

    // The one command of `code` the unit received while `act` ran, as the assistant's text.
    QString sentBy(Code code, const std::function<void()>& act)
    {
        m_session->run(1600); // past the echo hold of the previous action
        const int from = m_session->mark();
        act();
        m_session->run(200); // queued edits leave
        if (!m_session->settle())
            return QStringLiteral("not settled");
        const auto sent = m_session->since(from, code);
        if (sent.size() != 1)
            return QStringLiteral("%1 packets").arg(sent.size());
        return CommandAssistantDialog::commandText(packet(code, AccessWrite, sent[0].payload));
    }

    void pickChannel(CommandLevelWidget* page, int channel)
    {
        const int index = page->channelList()->findData(channel);
        QVERIFY(index >= 0);
        page->channelList()->setCurrentIndex(index);
    }

private slots:
    void initTestCase()
    {
        m_session = std::make_unique<UnitSession>(1);
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=1\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(m_session->unit().controlPort())
                        .arg(UnitSession::freeUdpPort()));
        m_settings = std::make_unique<SystemSettings>();
        m_model = std::make_unique<DataModel>(m_settings->linkSettings());
        m_session->setModel(m_model.get());
        m_window = std::make_unique<MainWindow>(*m_model, *m_settings);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_assistant = std::make_unique<CommandAssistantDialog>(*m_model, m_window->router());
        m_assistant->setProfile(m_window->profile());
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_session->run(1000);
    }

    void cleanupTestCase()
    {
        m_assistant.reset();
        m_window.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_settings.reset();
        m_session.reset();
    }

    // The strips' mute and typed gain, through the unit: the assistant gives the same packet
    // for the same channel and value; a gain at the fader's bottom travels as -100 dB.
    void levelPagesMatchTheStrips_data()
    {
        QTest::addColumn<bool>("output");
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("gain");
        QTest::newRow("input 5, -12.5 dB") << false << 4 << -12.5;
        QTest::newRow("input 17 (USB play), -3 dB") << false << 16 << -3.0;
        QTest::newRow("input 1 at the bottom") << false << 0 << -56.0;
        QTest::newRow("output 9 (USB record), 6 dB") << true << 8 << 6.0;
        QTest::newRow("output 2 at the bottom") << true << 1 << -56.0;
    }
    void levelPagesMatchTheStrips()
    {
        QFETCH(bool, output);
        QFETCH(int, channel);
        QFETCH(double, gain);
        CommandLevelWidget* page = levelPage(output);
        pickChannel(page, channel);
        QVERIFY(m_assistant->findChildren<CommandLevelWidget*>().contains(page));

        const Code muteCode = output ? code::OutputLevelMute : code::InputLevelMute;
        const QString appMute =
            sentBy(muteCode, [&] { strips(output)->muteButton(channel)->click(); });
        page->muteButton()->setChecked(output ? m_model->output(channel).levelMute
                                              : m_model->input(channel).levelMute);
        page->generateButton(CommandLevelWidget::MuteRow)->click();
        QCOMPARE(m_assistant->command(), appMute);

        const Code gainCode = output ? code::OutputLevelGain : code::InputLevelGain;
        QLineEdit* edit = strips(output)->gainEdit(channel);
        const QString appGain = sentBy(gainCode, [&] {
            edit->setText(QString::number(gain));
            emit edit->editingFinished();
        });
        page->gainSpinBox()->setValue(gain);
        page->generateButton(CommandLevelWidget::GainRow)->click();
        QCOMPARE(m_assistant->command(), appGain);
        if (gain <= -56.0)
            QVERIFY(m_assistant->command().contains(QStringLiteral(" 00 00 C8 C2 7D 82")));
        QVERIFY(!m_assistant->command().endsWith(QLatin1Char(' ')));
    }

    // The packets no window of the application sends, and the login and system mute, which
    // the device panel and the status bar do.
    void otherPages()
    {
        const QString appLogin =
            sentBy(code::Login, [&] { m_model->login(QStringLiteral("secret"), false); });
        m_assistant->loginPage()->passwordEdit()->setText(QStringLiteral("  secret "));
        m_assistant->loginPage()->generateButton()->click();
        QCOMPARE(m_assistant->command(), appLogin);
        m_assistant->loginPage()->passwordEdit()->clear();
        QTest::keyClick(m_assistant->loginPage()->passwordEdit(), Qt::Key_Return);
        QCOMPARE(m_assistant->command(), QStringLiteral("82 7D 01 00 02 01 01 01 00 00 7D 82"));

        QPushButton* statusMute = m_window->mainStatusBar()->muteButton();
        const QString appMute = sentBy(code::SystemMute, [&] { statusMute->click(); });
        m_assistant->systemMutePage()->muteButton()->setChecked(statusMute->isChecked());
        m_assistant->systemMutePage()->generateButton()->click();
        QCOMPARE(m_assistant->command(), appMute);

        m_assistant->presetPage()->presetList()->setCurrentIndex(31);
        m_assistant->presetPage()->generateButton()->click();
        QCOMPARE(m_assistant->command(), QStringLiteral("82 7D 01 00 03 20 03 01 01 00 1F 7D 82"));

        pickChannel(m_assistant->outputPage(), 1);
        m_assistant->outputPage()->stepSpinBox()->setValue(-1.5);
        m_assistant->outputPage()->generateButton(CommandLevelWidget::StepRow)->click();
        QCOMPARE(m_assistant->command(),
                 QStringLiteral("82 7D 01 00 03 0B 06 01 05 00 01 00 00 C0 BF 7D 82"));
        pickChannel(m_assistant->inputPage(), 15);
        m_assistant->inputPage()->stepSpinBox()->setValue(2.0);
        m_assistant->inputPage()->generateButton(CommandLevelWidget::StepRow)->click();
        QCOMPARE(m_assistant->command(),
                 QStringLiteral("82 7D 01 00 03 07 05 01 05 00 0F 00 00 00 40 7D 82"));

        m_assistant->copyButton()->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), m_assistant->command());

        // The page buttons switch the pages.
        m_assistant->pageButtons()->button(CommandAssistantDialog::PresetPage)->click();
        QCOMPARE(m_assistant->pageStack()->currentWidget(), m_assistant->presetPage());
    }

    // The lists hold the profile's shown channels, each item carrying its channel; the USB
    // play input's gain goes no higher than 0 dB.
    void channelListsFollowTheProfile()
    {
        CommandInputWidget* in = m_assistant->inputPage();
        QCOMPARE(in->channelList()->count(), 17);
        QCOMPARE(in->channelList()->itemText(16), QStringLiteral("USB PLAY"));
        QCOMPARE(m_assistant->outputPage()->channelList()->count(), 9);
        pickChannel(in, 16);
        QCOMPARE(in->gainSpinBox()->maximum(), 0.0);
        pickChannel(in, 2);
        QCOMPARE(in->gainSpinBox()->maximum(), 12.0);

        DeviceProfile profile = m_window->profile();
        profile.hiddenInputs = 0xFFFFFFF5; // inputs 2 and 4 shown
        profile.usbPlayInput = 3;
        m_assistant->setProfile(profile);
        QCOMPARE(in->channelList()->count(), 2);
        in->channelList()->setCurrentIndex(1);
        QCOMPARE(in->gainSpinBox()->maximum(), 0.0);
        in->muteButton()->setChecked(true);
        in->generateButton(CommandLevelWidget::MuteRow)->click();
        QCOMPARE(m_assistant->command(),
                 QStringLiteral("82 7D 01 00 03 07 01 01 02 00 03 01 7D 82"));
        m_assistant->setProfile(m_window->profile());

        QVERIFY(m_assistant->findChild<QLabel*>(QStringLiteral("infoLabel"))
                    ->text()
                    .endsWith(QStringLiteral("TCP Port : %1").arg(m_model->controlPort())));
    }
};

KV_TEST_MAIN(TestCommandAssistant)
#include "tst_commandassistant.moc"
