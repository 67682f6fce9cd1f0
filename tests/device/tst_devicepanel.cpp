// The device panel without a live unit: rows, selection, context menu, connection time-outs,
// the address dialogs and the icons.
#include "adddevicedialog.h"
#include "deviceicons.h"
#include "deviceitemwidget.h"
#include "devicetestsupport.h"
#include "devicewidget.h"
#include "editdevicedialog.h"
#include "fixedtext.h"
#include "listwidget.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>
#include <cstring>

namespace {

constexpr quint32 kSilentUnit = 0x7F000005; // 127.0.0.5, where nothing listens

void rightClick(DeviceWidget& panel, int row)
{
    ListWidget* list = panel.listWidget();
    QWidget* viewport = list->viewport();
    const QPoint at = row >= 0 ? list->visualItemRect(list->item(row)).center()
                               : QPoint(10, viewport->height() - 4);
    QTest::mouseClick(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &menu);
}

QStringList enabledActions(DeviceWidget& panel)
{
    QStringList names;
    const auto actions = panel.contextMenu()->actions();
    for (QAction* a : actions) {
        if (a->isEnabled())
            names << a->text();
    }
    panel.contextMenu()->hide();
    return names;
}

QString markStatus(const QLabel* mark)
{
    return mark->property("status").toString() + (mark->isHidden() ? " hidden" : " shown");
}

} // namespace

class TestDevicePanel : public QObject
{
    Q_OBJECT
    DeviceRig m_rig;

    // A panel on a model knowing `count` silent units at 127.0.0.5 onwards.
    std::unique_ptr<DeviceWidget> panelWith(int count, bool online = false)
    {
        DataModel& model = m_rig.newModel();
        for (int i = 0; i < count; ++i)
            model.appendDevice(fakeUnit(100 + i, kSilentUnit + i), online);
        auto panel = std::make_unique<DeviceWidget>(model, m_rig.settings());
        panel->resize(148, 600);
        panel->show();
        return panel;
    }

private slots:
    void initTestCase() { QVERIFY(m_rig.start()); }
    void init() { m_rig.interfaces = {DeviceRig::loopbackInterface("127.0.0.2", 8)}; }

    // A long list builds the widgets of the rows in view only, and the others as they scroll
    // into view, each showing what its unit reported meanwhile.
    void rowsAreBuiltAsTheyComeIntoView()
    {
        auto panel = panelWith(200);
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        const int built = panel->rowsWithWidget();
        QVERIFY2(built > 0 && built < 20, qPrintable(QString::number(built)));
        auto p = fakeUnit(100 + 199, 0x7F000063);
        putFixedText(p.model, "KV-1616");
        m_rig.model().handleBrowsingPacket(nullptr, statusDatagram(p));
        QCOMPARE(panel->rowsWithWidget(), built);

        QScrollBar* bar = panel->listWidget()->verticalScrollBar();
        bar->setValue(bar->maximum());
        QTRY_VERIFY(panel->rowsWithWidget() > built);
        QVERIFY(panel->rowsWithWidget() < 2 * built + 2);
        DeviceItemWidget* last = panel->itemWidget(199);
        QCOMPARE(last->modelText(), QStringLiteral("KV-1616"));
        QCOMPARE(last->ipAddressText(), QStringLiteral("127.0.0.99"));
        QVERIFY(last->isOnline());
    }

    void rowFollowsTheUnitsDatagrams()
    {
        auto panel = panelWith(0);
        auto p = fakeUnit(7, 0x7F000007);
        putFixedText(p.model, "KV-0808");
        putFixedText(p.preset, "Conference");
        m_rig.model().handleBrowsingPacket(nullptr, statusDatagram(p));
        DeviceItemWidget* row = panel->itemWidget(0);
        QVERIFY(row);
        QCOMPARE(row->modelText() + "|" + row->ipAddressText() + "|" + row->presetText(),
                 QStringLiteral("KV-0808|127.0.0.7|Conference"));
        QCOMPARE(markStatus(row->onlineMark()), QStringLiteral("1 shown"));
        QCOMPARE(row->onlineMark()->property("browsing").toBool(), true);
        QCOMPARE(markStatus(row->faultMark()), QStringLiteral("2 hidden"));

        p.fault = 4;
        putFixedText(p.preset, "Lecture");
        m_rig.model().handleBrowsingPacket(nullptr, statusDatagram(p));
        QCOMPARE(markStatus(row->faultMark()), QStringLiteral("2 shown"));
        QCOMPARE(row->presetText(), QStringLiteral("Lecture"));

        // Silence: offline, and no fault claimed any more.
        m_rig.now += DataModel::kOfflineAfterMs + 1;
        m_rig.ticks(100);
        QCOMPARE(markStatus(row->onlineMark()), QStringLiteral("0 shown"));
        QCOMPARE(row->onlineMark()->toolTip(), QStringLiteral("Offline"));
        QCOMPARE(markStatus(row->faultMark()), QStringLiteral("2 hidden"));
    }

    void menuActsOnTheClickedRowButtonsOnTheSelectedOne()
    {
        auto panel = panelWith(3);
        DataModel& model = m_rig.model();
        ListWidget* list = panel->listWidget();
        QSignalSpy logins(panel.get(), &DeviceWidget::loginChanged);
        QVERIFY(!panel->editButton()->isEnabled());
        QVERIFY(!panel->removeButton()->isEnabled());
        rightClick(*panel, -1);
        QCOMPARE(enabledActions(*panel), QStringList({"Add Device", "Device List"}));

        // A right click neither selects nor connects; the menu remembers the row.
        rightClick(*panel, 1);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(model.currentDevice(), -1);
        QCOMPARE(panel->contextMenu()->property("sourceRow").toInt(), 1);
        QCOMPARE(enabledActions(*panel), QStringList({"Add Device", "Modify Network Parameters",
                                                      "Remove Device", "Device List"}));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(model.currentDevice(), 2);
        QVERIFY(panel->itemWidget(2)->isSelected());
        QVERIFY(panel->removeButton()->isEnabled());

        // The menu removes the row above the current one; the same unit stays current.
        rightClick(*panel, 0);
        panel->removeDeviceAction()->trigger();
        QCOMPARE(model.currentDevice(), 1);
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(panel->itemWidget(1)->isSelected());
        QCOMPARE(panel->itemWidget(1)->ipAddressText(), QStringLiteral("127.0.0.7"));

        // The button removes the selected unit, which ends its session.
        logins.clear();
        QTest::mouseClick(panel->removeButton(), Qt::LeftButton);
        QCOMPARE(model.deviceCount(), 1);
        QCOMPARE(list->count(), 1);
        QCOMPARE(model.currentDevice(), -1);
        QCOMPARE(list->currentRow(), -1);
        QVERIFY(!panel->itemWidget(0)->isSelected());
        QVERIFY(!panel->removeButton()->isEnabled());
        QCOMPARE(logins.count(), 1);
        QCOMPARE(logins[0][0].toBool(), false);
    }

    void connectTimeoutBox_data()
    {
        QTest::addColumn<int>("prefixLength");
        QTest::addColumn<bool>("heard");
        QTest::addColumn<bool>("afterFirst");
        QTest::addColumn<bool>("afterFullRound");
        QTest::newRow("unit in another subnet") << 32 << false << true << true;
        QTest::newRow("switched off inside the subnet") << 8 << false << false << false;
        QTest::newRow("heard but unreachable") << 8 << true << false << true;
    }

    void connectTimeoutBox()
    {
        QFETCH(int, prefixLength);
        QFETCH(bool, heard);
        QFETCH(bool, afterFirst);
        QFETCH(bool, afterFullRound);
        m_rig.interfaces = {DeviceRig::loopbackInterface("127.0.0.2", prefixLength)};
        auto panel = panelWith(1, heard);
        QSignalSpy timeouts(&m_rig.model(), &DataModel::tcpConnectTimeout);
        panel->listWidget()->setCurrentRow(0);
        QCOMPARE(m_rig.model().currentDevice(), 0);
        using State = DeviceItemWidget::LinkState;
        QCOMPARE(panel->itemWidget(0)->linkState(), State::Connecting);
        QCOMPARE(panel->itemWidget(0)->linkStateText(), QStringLiteral("Connecting..."));
        m_rig.ticks(DataModel::kConnectTimeoutTicks);
        QCOMPARE(timeouts.count(), 1);
        QCOMPARE(panel->connectTimeoutMessageBox()->isVisible(), afterFirst);
        // The row says so, also while the next attempt runs.
        QCOMPARE(panel->itemWidget(0)->linkState(), State::TimedOut);
        QCOMPARE(panel->itemWidget(0)->linkStateText(), QStringLiteral("Timed out"));
        panel->connectTimeoutMessageBox()->hide();
        m_rig.ticks(DataModel::kConnectTimeoutTicks);
        QCOMPARE(timeouts.count(), 2);
        QCOMPARE(panel->connectTimeoutMessageBox()->isVisible(), afterFullRound);
    }

    void connectTimeoutBoxButtons()
    {
        m_rig.interfaces = {DeviceRig::loopbackInterface("127.0.0.2", 32)};
        auto panel = panelWith(1);
        QMessageBox* box = panel->connectTimeoutMessageBox();
        QCOMPARE(box->windowTitle(), QStringLiteral("Connection Timeout"));
        panel->listWidget()->setCurrentRow(0);

        // Its first button opens the network dialog, during which time-outs stay quiet.
        bool boxWhileEditing = true;
        QString editedAddress;
        ModalHandler editing([&](QWidget* modal) {
            auto* dialog = qobject_cast<EditDeviceDialog*>(modal);
            QVERIFY(dialog);
            editedAddress = dialog->addressEdit()->text();
            m_rig.ticks(DataModel::kConnectTimeoutTicks);
            boxWhileEditing = box->isVisible();
            dialog->reject();
        });
        m_rig.ticks(DataModel::kConnectTimeoutTicks);
        QVERIFY(box->isVisible());
        panel->modifyIPButton()->click();
        QCOMPARE(editedAddress, QStringLiteral("127.0.0.5"));
        QVERIFY(!boxWhileEditing);
        QVERIFY(!box->isVisible());

        m_rig.ticks(DataModel::kConnectTimeoutTicks);
        QVERIFY(box->isVisible());
        panel->doNotRemindButton()->click();
        m_rig.ticks(2 * DataModel::kConnectTimeoutTicks);
        QVERIFY(!box->isVisible());
    }

    void addressValidators_data()
    {
        QTest::addColumn<int>("field"); // address, mask, gateway, add dialog
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        QTest::newRow("unicast") << 0 << "192.168.1.10" << int(QValidator::Acceptable);
        QTest::newRow("multicast") << 0 << "224.0.0.1" << int(QValidator::Invalid);
        QTest::newRow("three numbers") << 0 << "192.168.1" << int(QValidator::Intermediate);
        QTest::newRow("mask") << 1 << "255.255.255.0" << int(QValidator::Acceptable);
        QTest::newRow("mask over 255") << 1 << "255.255.256.0" << int(QValidator::Invalid);
        QTest::newRow("gateway top") << 2 << "223.255.255.254" << int(QValidator::Acceptable);
        QTest::newRow("add multicast") << 3 << "239.1.1.1" << int(QValidator::Invalid);
    }

    void addressValidators()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, state);
        EditDeviceDialog edit(nullptr);
        AddDeviceDialog add(nullptr);
        const QLineEdit* edits[] = {edit.addressEdit(), edit.maskEdit(), edit.gatewayEdit(),
                                    add.addressEdit()};
        int position = 0;
        QCOMPARE(int(edits[field]->validator()->validate(text, position)), state);
    }

    void networkDialogSendsOnlyCompleteSettings_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, const char* a, const char* m, const char* g) {
            QTest::newRow(name) << a << m << g << (QByteArray(name) != "complete");
        };
        row("complete", "127.0.0.9", "255.0.0.0", "127.0.0.1");
        row("only the address", "127.0.0.9", "", "");
        row("no address", "", "255.0.0.0", "127.0.0.1");
        row("unfinished mask", "127.0.0.9", "255.255.", "127.0.0.1");
        row("mask with a hole", "127.0.0.9", "255.0.255.0", "127.0.0.1");
        row("unfinished gateway", "127.0.0.9", "255.0.0.0", "127.0");
    }

    void networkDialogSendsOnlyCompleteSettings()
    {
        QFETCH(QString, address);
        QFETCH(QString, mask);
        QFETCH(QString, gateway);
        QFETCH(bool, refused);
        DataModel& model = m_rig.newModel();
        model.appendDevice(fakeUnit(31, kSilentUnit), false);
        QUdpSocket unitEnd;
        QVERIFY(unitEnd.bind(QHostAddress::LocalHost, 0));
        model.setUdpCommandTarget(QHostAddress::LocalHost, unitEnd.localPort());

        EditDeviceDialog dialog(&model);
        dialog.setRow(0);
        QCOMPARE(dialog.addressEdit()->text(), QStringLiteral("127.0.0.5"));
        auto fill = [&](const QString& a, const QString& m, const QString& g) {
            dialog.addressEdit()->setText(a);
            dialog.maskEdit()->setText(m);
            dialog.gatewayEdit()->setText(g);
            dialog.okButtonClicked();
        };
        QString refusal;
        ModalHandler refusalBox([&](QWidget* box) {
            refusal = box->windowTitle() + "|" + static_cast<QMessageBox*>(box)->text();
            clickMessageBoxButton(box, QStringLiteral("OK"));
        });
        fill(address, mask, gateway);
        QCOMPARE(refusalBox.handled(), refused);
        QCOMPARE(dialog.result() == QDialog::Accepted, !refused);
        if (refused) {
            QVERIFY2(refusal.startsWith("Modify Network Parameters|"), qPrintable(refusal));
            QVERIFY(refusal.endsWith("please enter again!"));
            QCOMPARE(model.device(0)->packet.ipAddress, kSilentUnit);
            fill("127.0.0.9", "255.0.0.0", "127.0.0.1");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        // The first command to leave is the complete one: nothing went out before it.
        QTRY_VERIFY(unitEnd.hasPendingDatagrams());
        QCOMPARE(unitEnd.receiveDatagram().data().toHex(' '),
                 QByteArray("1f 00 00 00 02 00 00 00 0c 00 00 00 "
                            "09 00 00 7f 00 00 00 ff 01 00 00 7f"));
    }

    void addDialogRefusesOrAddsOnce()
    {
        auto panel = panelWith(0);
        QString refusal;
        ModalHandler addDialog([&](QWidget* modal) {
            auto* dialog = qobject_cast<AddDeviceDialog*>(modal);
            QVERIFY(dialog);
            ModalHandler refusalBox([&](QWidget* box) {
                refusal = static_cast<QMessageBox*>(box)->text();
                clickMessageBoxButton(box, QStringLiteral("OK"));
            });
            QTest::keyClicks(dialog->addressEdit(), QStringLiteral("127.0.0"));
            QTest::keyClick(dialog->addressEdit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::keyClicks(dialog->addressEdit(), QStringLiteral(".44"));
            QTest::keyClick(dialog->addressEdit(), Qt::Key_Return);
        });
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        QVERIFY(refusal.endsWith(QStringLiteral("please enter again!")));
        QCOMPARE(m_rig.model().deviceCount(), 1);
        QCOMPARE(panel->itemWidget(0)->ipAddressText(), QStringLiteral("127.0.0.44"));
        QVERIFY(!panel->itemWidget(0)->isOnline());

        // The same address again: no second row; the unit that is listed is chosen, and the
        // user is told so.
        QString told;
        ModalHandler again([&](QWidget* modal) {
            auto* dialog = qobject_cast<AddDeviceDialog*>(modal);
            QVERIFY(dialog);
            ModalHandler notice([&](QWidget* box) {
                told = static_cast<QMessageBox*>(box)->text();
                clickMessageBoxButton(box, QStringLiteral("OK"));
            });
            QTest::keyClicks(dialog->addressEdit(), QStringLiteral("127.0.0.44"));
            QTest::keyClick(dialog->addressEdit(), Qt::Key_Return);
        });
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        QCOMPARE(m_rig.model().deviceCount(), 1);
        QCOMPARE(panel->listWidget()->count(), 1);
        QCOMPARE(m_rig.model().currentDevice(), 0);
        QVERIFY(panel->itemWidget(0)->isSelected());
        QVERIFY(told.contains(QStringLiteral("127.0.0.44")));
    }

    void iconsFollowStateAndAppearance()
    {
        auto panel = panelWith(1);
        for (const bool dark : {true, false}) {
            m_rig.settings().setAppearance(dark ? 1 : 0);
            for (const bool enabled : {false, true}) {
                panel->setSelectedIndex(enabled ? 0 : -1);
                const QImage shown = panel->removeButton()->icon().pixmap(14, 14).toImage();
                const QIcon expected = DeviceIcons::icon(DeviceIcons::Trash, dark, enabled);
                QCOMPARE(shown, expected.pixmap(14, 14).toImage());
                int inked = 0; // drawn from the icon font: not blank
                for (int i = 0; i < 14 * 14; ++i)
                    inked += shown.pixelColor(i % 14, i / 14).alpha() > 128;
                QVERIFY(inked > 10);
            }
        }
    }
};

KV_TEST_MAIN(TestDevicePanel)
#include "tst_devicepanel.moc"
