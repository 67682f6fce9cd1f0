// From a unit's first datagram to a logged-in session, through the device panel, against the
// virtual unit on loopback.
#include "announcer.h"
#include "deviceitemwidget.h"
#include "devicetestsupport.h"
#include "devicewidget.h"
#include "linkpeer.h"
#include "listwidget.h"
#include "logindialog.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitstate.h"
#include "virtualunit.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestDeviceLogin : public QObject
{
    Q_OBJECT
    DeviceRig m_rig;

    // A panel on a fresh model that has heard the unit (which asks for `password`).
    std::unique_ptr<DeviceWidget> panelHearingTheUnit(const QByteArray& password)
    {
        m_rig.unit().state().system.password = password;
        DataModel& model = m_rig.newModel();
        auto panel = std::make_unique<DeviceWidget>(model, m_rig.settings());
        panel->resize(148, 400);
        panel->show();
        if (!m_rig.unit().announcer().announce())
            return nullptr;
        if (!QTest::qWaitFor([&] { return panel->listWidget()->count() == 1; }))
            return nullptr;
        return panel;
    }

    static void click(DeviceWidget& panel, int row, bool twice = false)
    {
        ListWidget* list = panel.listWidget();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    static bool lastLogin(const QSignalSpy& spy, bool value)
    {
        return !spy.isEmpty() && spy.last().at(0).toBool() == value;
    }

private slots:
    void initTestCase() { QVERIFY(m_rig.start()); }

    void loginThroughThePanel_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<bool>("opensAtOnce");
        QTest::newRow("no password") << QByteArray() << true;
        QTest::newRow("the built-in password") << QByteArray("%+guest+") << true;
        QTest::newRow("a password of its own") << QByteArray("secret") << false;
    }

    void loginThroughThePanel()
    {
        QFETCH(QByteArray, password);
        QFETCH(bool, opensAtOnce);
        auto panel = panelHearingTheUnit(password);
        QVERIFY(panel);
        DataModel& model = m_rig.model();
        DeviceItemWidget* row = panel->itemWidget(0);
        QSignalSpy logins(panel.get(), &DeviceWidget::loginChanged);
        QSignalSpy answers(&model, &DataModel::tcpLoginChanged);

        click(*panel, 0);
        QCOMPARE(model.currentDevice(), 0);
        QVERIFY(row->isSelected());
        QVERIFY(panel->editButton()->isEnabled());
        using State = DeviceItemWidget::LinkState;
        if (opensAtOnce) {
            // Without a password, or with the built-in one the panel tries first.
            QTRY_VERIFY(lastLogin(logins, true));
            QVERIFY(model.isLoggedIn());
            QCOMPARE(row->linkState(), State::LoggedIn);
            QCOMPARE(row->linkStateText(), QStringLiteral("Logged in"));
            QVERIFY(panel->disconnectButton()->isEnabled());
            QVERIFY(!panel->loginDialog()->isVisible());
            return;
        }
        QTRY_VERIFY(panel->loginDialog()->isVisible());
        QVERIFY(panel->disconnectButton()->isEnabled());
        QCOMPARE(row->linkState(), State::Connected);
        // The built-in password went out first; the unit ignores it. An answer to it would
        // arrive before the answer to this later question.
        model.sendQuery(wire::code::Login);
        QTRY_COMPARE(answers.count(), 2);
        QCOMPARE(answers[0][0].toInt(), 0);
        QCOMPARE(answers[1][0].toInt(), 0);
        QVERIFY(!panel->loginDialog()->isPasswordWrongShown());
        QVERIFY(!model.isLoggedIn());
        QVERIFY(logins.isEmpty() || !logins.last().at(0).toBool());
    }

    void wrongThenRightPassword()
    {
        auto panel = panelHearingTheUnit("secret");
        QVERIFY(panel);
        QSignalSpy logins(panel.get(), &DeviceWidget::loginChanged);
        click(*panel, 0);
        LoginDialog* dialog = panel->loginDialog();
        QTRY_VERIFY(dialog->isVisible());
        // It says which unit asks, and its hint is not cut.
        QCOMPARE(dialog->unitText(), QStringLiteral("VU-1616 at 127.0.0.1 asks for its password."));
        const QLineEdit* edit = dialog->passwordEdit();
        QVERIFY(edit->width() > edit->fontMetrics().horizontalAdvance(edit->placeholderText()) + 8);
        const QSize size = dialog->size();
        const QPoint button = dialog->loginButton()->pos();

        dialog->passwordEdit()->setText(QStringLiteral("guess"));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        // Refused: the dialog comes back with the wrong-password line, and nothing moves.
        QTRY_VERIFY(dialog->isVisible() && dialog->isPasswordWrongShown());
        QCOMPARE(dialog->size(), size);
        QCOMPARE(dialog->loginButton()->pos(), button);
        QVERIFY(!m_rig.model().isLoggedIn());
        QVERIFY(dialog->passwordEdit()->text().isEmpty());

        dialog->passwordEdit()->setText(QStringLiteral("  secret "));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QTRY_VERIFY(lastLogin(logins, true));
        QVERIFY(m_rig.model().isLoggedIn());
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->isPasswordWrongShown());
    }

    void switchingAndDisconnecting()
    {
        auto panel = panelHearingTheUnit({});
        QVERIFY(panel);
        DataModel& model = m_rig.model();
        model.addDeviceByAddress(0x7F000009);
        QCOMPARE(panel->listWidget()->count(), 2);
        QSignalSpy logins(panel.get(), &DeviceWidget::loginChanged);
        click(*panel, 0);
        QTRY_VERIFY(lastLogin(logins, true));

        // Another row switches without a question, and the session ends.
        click(*panel, 1);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(model.currentDevice(), 1);
        QVERIFY(lastLogin(logins, false));
        QVERIFY(!panel->itemWidget(0)->isSelected());
        QVERIFY(panel->itemWidget(1)->isSelected());
        QVERIFY(!panel->disconnectButton()->isEnabled());

        click(*panel, 0);
        QTRY_VERIFY(lastLogin(logins, true));
        QString question;
        ModalHandler cancel([&](QWidget* box) {
            question =
                box->windowTitle() + QLatin1Char('|') + static_cast<QMessageBox*>(box)->text();
            clickMessageBoxButton(box, QStringLiteral("Cancel"));
        });
        click(*panel, 0, true);
        QCOMPARE(question, QStringLiteral("Disconnect|Are you sure that you want to disconnect "
                                          "the device?"));
        QCOMPARE(model.currentDevice(), 0);
        QVERIFY(model.isLoggedIn());

        ModalHandler confirm(
            [](QWidget* box) { clickMessageBoxButton(box, QStringLiteral("OK")); });
        QTest::mouseClick(panel->disconnectButton(), Qt::LeftButton);
        QCOMPARE(model.currentDevice(), -1);
        // No row speaks of a link any more.
        for (int r = 0; r < panel->listWidget()->count(); ++r)
            QCOMPARE(panel->itemWidget(r)->linkState(), DeviceItemWidget::LinkState::Idle);
        QCOMPARE(panel->listWidget()->currentRow(), -1);
        QVERIFY(!panel->itemWidget(0)->isSelected());
        QVERIFY(!panel->editButton()->isEnabled());
        QVERIFY(!panel->disconnectButton()->isEnabled());
        QVERIFY(lastLogin(logins, false));
    }

    // A unit that answers every login with "a password is required" gets no flood: the
    // built-in password goes out once per connection, the accepted one is sent again once per
    // connection, and then the user is asked.
    void aUnitThatAlwaysAsksGetsNoFlood()
    {
        LinkPeer peer;
        QVERIFY(peer.listen());
        int logins = 0;
        bool accepted = false;
        peer.setResponder([&](const wire::PacketHeader& h, const QByteArray& payload) {
            QList<QByteArray> answers;
            if (h.code() != wire::code::Login)
                return answers;
            ++logins;
            const bool first = payload == "secret" && !accepted;
            accepted = accepted || first;
            answers << wire::packet(wire::code::Login, wire::AccessReport,
                                    QByteArray(1, first ? '\1' : '\0'));
            return answers;
        });
        LinkSettings link = m_rig.settings().linkSettings();
        link.controlPort = peer.port();
        DataModel model(link);
        model.setTickTimerRunning(false);
        DeviceWidget panel(model, m_rig.settings());
        model.addDeviceByAddress(0x7F000001);
        model.selectDevice(model.deviceCount() - 1, false);
        QVERIFY(peer.accept());
        QTRY_VERIFY(model.isConnected());

        peer.report(wire::code::Login, QByteArray(1, '\0'));
        QTRY_VERIFY(panel.loginDialog()->isVisible());
        QTest::qWait(300);
        QCOMPARE(logins, 1); // the built-in password, once

        panel.loginDialog()->passwordEdit()->setText(QStringLiteral("secret"));
        panel.loginDialog()->loginButton()->click();
        QTRY_VERIFY(model.isLoggedIn());
        QCOMPARE(logins, 2);

        // The unit asks again, and keeps asking.
        peer.report(wire::code::Login, QByteArray(1, '\0'));
        QTRY_VERIFY(panel.loginDialog()->isVisible());
        QTest::qWait(500);
        QCOMPARE(logins, 3); // the accepted password, once
        QVERIFY(!model.isLoggedIn());
        model.selectDevice(-1, false);
    }

    // A status datagram can move a known unit to another address; the password accepted at
    // the old one is not sent there, and the dialog says why it asks.
    void aMovedUnitIsAskedForItsPassword()
    {
        LinkPeer first;
        QVERIFY(first.listen());
        LinkPeer moved;
        QVERIFY(moved.listen(QHostAddress(QStringLiteral("127.0.0.2")), first.port()));
        first.setResponder([](const wire::PacketHeader& h, const QByteArray& payload) {
            QList<QByteArray> answers;
            if (h.code() == wire::code::Login)
                answers << wire::packet(wire::code::Login, wire::AccessReport,
                                        QByteArray(1, payload == "secret" ? '\1' : '\0'));
            return answers;
        });
        LinkSettings link = m_rig.settings().linkSettings();
        link.controlPort = first.port();
        DataModel model(link);
        model.setTickTimerRunning(false);
        DeviceWidget panel(model, m_rig.settings());
        model.handleBrowsingPacket(nullptr, statusDatagram(fakeUnit(77, 0x7F000001)));
        model.selectDevice(model.deviceCount() - 1, false);
        QVERIFY(first.accept());
        QTRY_VERIFY(model.isConnected());
        first.report(wire::code::Login, QByteArray(1, '\0'));
        QTRY_VERIFY(panel.loginDialog()->isVisible());
        model.login(QStringLiteral("secret"), true);
        QTRY_VERIFY(model.isLoggedIn());

        // Someone announces the unit's ID from 127.0.0.2, and the old link goes quiet.
        model.handleBrowsingPacket(nullptr, statusDatagram(fakeUnit(77, 0x7F000002)));
        m_rig.now += DataModel::kLinkSilenceMs + 1;
        model.timeout();
        QVERIFY(moved.accept());
        QTRY_VERIFY(model.isConnected());
        moved.report(wire::code::Login, QByteArray(1, '\0'));
        QTRY_VERIFY(panel.loginDialog()->isVisible());
        QVERIFY(!moved.take().contains(QStringLiteral("w:2,1,1[736563726574]")));
        QVERIFY(panel.loginDialog()->unitText().contains(QStringLiteral("127.0.0.1")));
        QVERIFY(panel.loginDialog()->unitText().contains(QStringLiteral("127.0.0.2")));
        model.selectDevice(-1, false);
    }
};

KV_TEST_MAIN(TestDeviceLogin)
#include "tst_devicelogin.moc"
