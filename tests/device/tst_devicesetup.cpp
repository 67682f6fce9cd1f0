// The setup window against a virtual unit over loopback: it shows the unit's state, every
// change reaches the unit (a new password is asked at the next login, a new address moves the
// unit), refused input reaches nothing and says why, and the status indicators blink.
#include "datamodel.h"
#include "devicesetupdialog.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTextCodec>
#include <QtTest>
#include <memory>

using namespace wire;
using Strip = DeviceSetupDialog::Strip;
using Limit = DeviceSetupDialog::Limit;

class TestDeviceSetup : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<DeviceSetupDialog> m_dialog;

    UnitState::System& unitSystem() { return m_session->unit().state().system; }
    template <typename T> T* child(const char* name) const
    {
        return m_dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QString shown(const char* label) const { return child<QLabel>(label)->text(); }

    // Long enough for the polled reports to come back after the edit's hold.
    void poll(int ms = 2000)
    {
        m_session->run(ms);
        QVERIFY(m_session->settle());
        m_session->run(300);
    }
    void typeAndReturn(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void leave(QLineEdit* edit)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    // The text of the message the window shows, which is then closed; empty without one.
    QString takeMessage()
    {
        auto* box = m_dialog->findChild<QMessageBox*>(QStringLiteral("setupMessageBox"));
        if (!box || !box->isVisible())
            return {};
        const QString text = box->text();
        box->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return text;
    }
    QList<UnitSession::Packet> sentSince(int mark, Code code)
    {
        m_session->settle();
        return m_session->since(mark, code);
    }

private slots:
    void initTestCase()
    {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        auto* router = new ReportRouter(*m_model, m_model.get());
        m_dialog = std::make_unique<DeviceSetupDialog>(*m_model, *router);
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->indexOfAddress(0x7F000001), false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_dialog->show();
        poll(600);
    }

    void cleanupTestCase()
    {
        m_dialog.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    // What the unit reports fills the window, polled only while the window is shown.
    void showsTheUnitsState()
    {
        QVERIFY(m_model->refreshFlags() & Refresher::DeviceSetup);
        const UnitState::System& s = unitSystem();
        QCOMPARE(shown("deviceModelValue"), QString::fromLocal8Bit(s.model));
        QCOMPARE(shown("serialNumberValue"), QString::fromLocal8Bit(s.serialNumber));
        QCOMPARE(shown("armVersionValue"), QStringLiteral("V1.2.7-1a3"));
        QCOMPARE(shown("dspVersionValue"), QStringLiteral("V2.1.0-VU"));
        QCOMPARE(shown("bootCountValue"), QStringLiteral("17"));
        QCOMPARE(shown("usbStatusValue"), QStringLiteral("Not inserted"));
        QVERIFY(shown("runTimeValue").startsWith(QStringLiteral("0day 00:00:")));
        QVERIFY(m_dialog->isTemperatureRowShown());
        QVERIFY(shown("temperatureValue").endsWith(QStringLiteral(" ℃")));
        QCOMPARE(child<QLineEdit>("deviceIdEdit")->text(), QStringLiteral("20001"));
        QCOMPARE(child<QLineEdit>("ipAddressEdit")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(child<QLineEdit>("netmaskEdit")->text(), QStringLiteral("255.0.0.0"));
        QCOMPARE(child<QLineEdit>("gatewayEdit")->text(), QString());
        QVERIFY(m_dialog->isMacRowShown());
        QCOMPARE(child<QLineEdit>("macAddressEdit")->text(), m_model->system().macAddress);
        QVERIFY(!m_model->system().macAddress.isEmpty());
        QCOMPARE(child<QComboBox>("rs232ComboBox")->currentText(), QStringLiteral("115200"));
        QCOMPARE(child<QComboBox>("rs485ComboBox")->currentText(), QStringLiteral("19200"));
        for (int bit = 0; bit < 8; ++bit)
            QCOMPARE(m_dialog->statusIndicator(bit)->property("status").toString(), "1");

        m_dialog->hide();
        QVERIFY(!(m_model->refreshFlags() & Refresher::DeviceSetup));
        m_dialog->show();
    }

    // The controller's version decides the MAC row, and the caption switches the version's
    // long form.
    void controllerVersion()
    {
        unitSystem().controllerVersion = {1, 0, 18};
        poll(400);
        QVERIFY(!m_dialog->isMacRowShown());
        unitSystem().controllerVersion = {1, 0, 19};
        poll(400);
        QVERIFY(m_dialog->isMacRowShown());
        m_dialog->armVersionLabelDoubleClicked();
        QCOMPARE(shown("armVersionValue"), QStringLiteral("V1.0.19(R107)-1a3"));
        m_dialog->armVersionLabelDoubleClicked();
        QCOMPARE(shown("armVersionValue"), QStringLiteral("V1.0.19-1a3"));
    }

    void temperatureRow()
    {
        m_model->system().temperature = 0.0f;
        m_model->sync(code::Temperature);
        QVERIFY(!m_dialog->isTemperatureRowShown());
        m_model->system().temperature = 35.46f;
        m_model->sync(code::Temperature);
        QVERIFY(m_dialog->isTemperatureRowShown());
        QCOMPARE(shown("temperatureValue"), QStringLiteral("35.5 ℃"));
    }

    // 0x41: DSP and Temp blink once a second between off and error, the others stay normal;
    // a clean status byte stops the blinking.
    void faultsBlink()
    {
        unitSystem().deviceStatus = 0x41;
        poll(400);
        QVERIFY(m_dialog->isBlinking());
        const auto status = [this](int bit) {
            return m_dialog->statusIndicator(bit)->property("status").toString();
        };
        for (int tick = 0; tick < 4; ++tick) {
            const QString faulty = status(0);
            QVERIFY(faulty == "0" || faulty == "2");
            QCOMPARE(status(6), faulty);
            for (int bit : {1, 2, 3, 4, 5, 7})
                QCOMPARE(status(bit), QStringLiteral("1"));
            m_dialog->timeout();
            QVERIFY(status(0) != faulty);
        }
        QCOMPARE(m_dialog->statusIndicator(6)->toolTip(), QStringLiteral("Error"));
        QCOMPARE(m_dialog->statusIndicator(7)->toolTip(), QStringLiteral("Normal"));
        unitSystem().deviceStatus = 0;
        poll(400);
        QVERIFY(!m_dialog->isBlinking());
        QCOMPARE(status(0), QStringLiteral("1"));
    }

    // Location and description take 16 bytes; a longer text is refused with a message and the
    // field shows the unit's text again.
    void texts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("16 ASCII") << "deviceLocationEdit"
                                  << "Main Hall Rack 1" << true;
        QTest::newRow("16 characters, 32 bytes")
            << "deviceLocationEdit" << QString(16, QChar(0x4E2D)) << false;
        QTest::newRow("description")
            << "deviceDescriptionEdit" << QString(8, QChar(0x6587)) << true;
        QTest::newRow("description too long") << "deviceDescriptionEdit"
                                              << "x" + QString(8, QChar(0x6587)) << false;
    }

    void texts()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const bool location = field == QLatin1String("deviceLocationEdit");
        QByteArray& unitText = location ? unitSystem().location : unitSystem().description;
        const QByteArray before = unitText;
        auto* edit = child<QLineEdit>(qPrintable(field));
        typeAndReturn(edit, text);
        const QString message = takeMessage();
        poll();
        if (accepted) {
            QCOMPARE(message, QString());
            QCOMPARE(QTextCodec::codecForLocale()->toUnicode(unitText), text);
            QCOMPARE(edit->text(), text);
        } else {
            QVERIFY(message.contains(location ? "location's length" : "description's length"));
            QCOMPARE(unitText, before);
            QCOMPARE(edit->text(), QTextCodec::codecForLocale()->toUnicode(before));
        }
    }

    // Cleared, unchanged or unfinished addresses send nothing and the field shows the unit's
    // address again; an unfinished one says so.
    void addressesThatSendNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("message");
        QTest::newRow("cleared") << "" << false;
        QTest::newRow("the same") << "127.0.0.1" << false;
        QTest::newRow("unfinished") << "127.0.0" << true;
    }

    void addressesThatSendNothing()
    {
        QFETCH(QString, text);
        QFETCH(bool, message);
        auto* edit = child<QLineEdit>("ipAddressEdit");
        const int mark = m_session->mark();
        edit->setText(text);
        leave(edit);
        QCOMPARE(edit->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(takeMessage().contains(QStringLiteral("IP address's format")), message);
        QVERIFY(sentSince(mark, code::NetworkSettings).isEmpty());
    }

    // A new address moves the unit there; the link it had stays up, and it reports and
    // announces the new address.
    void aNewAddressMovesTheUnit()
    {
        VirtualUnit& unit = m_session->unit();
        typeAndReturn(child<QLineEdit>("ipAddressEdit"), QStringLiteral("127.0.0.9"));
        poll();
        QCOMPARE(unit.address().toString(), QStringLiteral("127.0.0.9"));
        QCOMPARE(unit.state().system.netmask, 0xFF000000u);
        QTcpSocket probe;
        probe.connectToHost(QHostAddress(QStringLiteral("127.0.0.9")), unit.controlPort());
        QVERIFY(probe.waitForConnected(2000));
        probe.abort();
        QVERIFY(unit.statusDatagram().contains(QByteArray::fromHex("0900007f")));
        QCOMPARE(child<QLineEdit>("ipAddressEdit")->text(), QStringLiteral("127.0.0.9"));

        // Back where the rest of the tests expect it.
        unit.applyNetworkSettings(0x7F000001, 0xFF000000, 0);
        poll(400);
        QCOMPARE(child<QLineEdit>("ipAddressEdit")->text(), QStringLiteral("127.0.0.1"));
    }

    // Setting an input's maximum to 6 sends [channel, 6, minimum]; the unit keeps the range.
    void faderLimits()
    {
        QSpinBox* maximum = m_dialog->limitBox(Strip::Input, 3, Limit::Maximum);
        QSpinBox* minimum = m_dialog->limitBox(Strip::Output, 5, Limit::Minimum);
        const int mark = m_session->mark();
        maximum->setValue(6);
        minimum->setValue(-20);
        const auto in = sentSince(mark, code::InputFaderRange);
        QCOMPARE(in.size(), 1);
        QCOMPARE(in[0].payload.toHex(), QByteArray("0306c8"));
        QCOMPARE(sentSince(mark, code::OutputFaderRange).value(0).payload.toHex(),
                 QByteArray("050cec"));
        poll();
        QCOMPARE(m_session->unit().state().dsp.inputs[3].faderMax, 6.0f);
        QCOMPARE(m_session->unit().state().dsp.outputs[5].faderMin, -20.0f);
        QCOMPARE(maximum->value(), 6);

        // The unit's range shows without being sent back.
        m_session->unit().state().dsp.inputs[4].faderMin = -40.0f;
        const int quiet = m_session->mark();
        poll(400);
        QCOMPARE(m_dialog->limitBox(Strip::Input, 4, Limit::Minimum)->value(), -40);
        QVERIFY(sentSince(quiet, code::InputFaderRange).isEmpty());
    }

    // The USB play row stops at 0 dB; hidden channels leave the tables.
    void profileRows()
    {
        DeviceProfile profile;
        profile.usbPlayInput = 16;
        profile.hiddenInputs = 1u << 9;
        profile.hiddenOutputs = (1u << 2) | (1u << 12);
        m_dialog->setProfile(profile);
        QCOMPARE(m_dialog->limitBox(Strip::Input, 16, Limit::Maximum)->maximum(), 0);
        QCOMPARE(m_dialog->limitBox(Strip::Input, 15, Limit::Maximum)->maximum(), 12);
        auto* inputs = child<QTableWidget>("inputLimitTable");
        auto* outputs = child<QTableWidget>("outputLimitTable");
        QVERIFY(inputs->isRowHidden(9));
        QVERIFY(!inputs->isRowHidden(8));
        QVERIFY(!outputs->isRowHidden(2));
        QVERIFY(outputs->isRowHidden(12));
        m_dialog->setProfile(DeviceProfile());
    }

    // Gate report, RS232 and the fan test reach the unit and come back in its reports.
    void settings()
    {
        child<QComboBox>("gateReportComboBox")->setCurrentIndex(1);
        child<QComboBox>("rs232ComboBox")->setCurrentText(QStringLiteral("9600"));
        child<QPushButton>("fanButton")->click();
        poll();
        QCOMPARE(int(unitSystem().gateReport), 1);
        QCOMPARE(unitSystem().rs232Baud, 9600u);
        QCOMPARE(int(unitSystem().fanTest), 1);
        QVERIFY(child<QPushButton>("fanButton")->isChecked());
        QCOMPARE(child<QComboBox>("rs232ComboBox")->currentText(), QStringLiteral("9600"));
        QCOMPARE(child<QComboBox>("gateReportComboBox")->currentIndex(), 1);
    }

    // Mismatched or empty passwords send nothing; a new one is what the unit asks for at the
    // next login.
    void password()
    {
        QStringList answers;
        m_dialog->setPasswordPrompt([&answers](QString* password, QString* confirmation) {
            *password = answers.value(0);
            *confirmation = answers.value(1);
            return true;
        });
        const int mark = m_session->mark();
        answers = QStringList{"1234", "12345"};
        m_dialog->changePasswordButtonClicked();
        QVERIFY(takeMessage().contains(QStringLiteral("two passwords you entered are different")));
        answers = QStringList{"", ""};
        m_dialog->changePasswordButtonClicked();
        QCOMPARE(takeMessage(), QString());
        QVERIFY(sentSince(mark, code::PasswordChange).isEmpty());

        answers = QStringList{"1234", "1234"};
        m_dialog->changePasswordButtonClicked();
        poll(400);
        QCOMPARE(unitSystem().password, QByteArray("1234"));

        const int index = m_model->currentDevice();
        m_model->selectDevice(-1, false);
        m_model->selectDevice(index, false);
        QTRY_VERIFY(m_model->isConnected());
        m_session->run(300);
        QVERIFY(!m_model->isLoggedIn());
        m_model->login(QStringLiteral("1234"), false);
        QTRY_VERIFY(m_model->isLoggedIn());
    }
};

KV_TEST_MAIN(TestDeviceSetup)
#include "tst_devicesetup.moc"
