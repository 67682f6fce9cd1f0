// The device list table: its cells, link states with a live unit, removal, keys, geometry and
// language.
#include "announcer.h"
#include "devicelistdialog.h"
#include "devicetestsupport.h"
#include "devicewidget.h"
#include "fixedtext.h"
#include "listwidget.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitstate.h"
#include "virtualunit.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <cstring>

class TestDeviceListDialog : public QObject
{
    Q_OBJECT
    DeviceRig m_rig;

    static QString text(const DeviceListDialog& dialog, int row, int column)
    {
        const QTableWidgetItem* item = dialog.table()->item(row, column);
        return item ? item->text() : QString();
    }

    static QPushButton* removeButton(const DeviceListDialog& dialog, int row)
    {
        return qobject_cast<QPushButton*>(
            dialog.table()->cellWidget(row, DeviceListDialog::RemoveColumn));
    }

private slots:
    void initTestCase() { QVERIFY(m_rig.start()); }

    void cellsFromTheDatagrams_data()
    {
        QTest::addColumn<QByteArray>("dsp");
        QTest::addColumn<uint>("runTime");
        QTest::addColumn<QString>("dspAndRunTime");
        QTest::newRow("over a day")
            << QByteArray("\x01\x02\x03", 3) << 93784u << "1.2.3|1day 02:03:04";
        QTest::newRow("no DSP version") << QByteArray(3, '\0') << 59u << "|0day 00:00:59";
        QTest::newRow("long run") << QByteArray("\x02\x00\x0a", 3) << 8726399u
                                  << "2.0.10|100day 23:59:59";
    }

    void cellsFromTheDatagrams()
    {
        QFETCH(QByteArray, dsp);
        QFETCH(uint, runTime);
        QFETCH(QString, dspAndRunTime);
        DataModel& model = m_rig.newModel();
        DeviceListDialog dialog(model);
        auto p = fakeUnit(4711, 0x7F00000B);
        putFixedText(p.model, "KV-1616");
        std::memcpy(p.armVersion, "V2.1\0junk", 9); // read up to the first NUL
        std::memcpy(p.dspVersion, dsp.constData(), 3);
        std::memset(p.serialNumber, 'S', sizeof p.serialNumber); // fills its width
        p.runTime = runTime;
        model.handleBrowsingPacket(nullptr, statusDatagram(p));
        QStringList row;
        for (int c = 0; c < DeviceListDialog::RemoveColumn; ++c)
            row << text(dialog, 0, c);
        QCOMPARE(row.join('|'), "127.0.0.11|KV-1616|V2.1|" + dspAndRunTime.section('|', 0, 0) +
                                    "|||" + QString(18, 'S') + "|Online(Unlogin)|||4711");
        // Run times come with the next datagram.
        model.handleBrowsingPacket(nullptr, statusDatagram(p));
        QCOMPARE(text(dialog, 0, DeviceListDialog::RunTimeColumn), dspAndRunTime.section('|', 1));
        QCOMPARE(text(dialog, 0, DeviceListDialog::TotalTimeColumn),
                 QStringLiteral("0day 00:00:00"));
    }

    void linkStatesWithALiveUnit()
    {
        m_rig.unit().state().system.password.clear();
        DataModel& model = m_rig.newModel();
        model.addDeviceByAddress(0x7F000009); // never heard
        DeviceListDialog dialog(model);
        auto state = [&](int row) {
            return dialog.table()->item(row, DeviceListDialog::LinkStatusColumn)->text();
        };
        QCOMPARE(state(0), QStringLiteral("Offline"));
        QVERIFY(m_rig.unit().announcer().announce());
        QTRY_COMPARE(dialog.table()->rowCount(), 2);
        QCOMPARE(state(1), QStringLiteral("Online(Unlogin)"));

        model.selectDevice(1, false);
        QTRY_COMPARE(state(1), QStringLiteral("Online(Logined)"));
        QCOMPARE(state(0), QStringLiteral("Offline"));

        // No more datagrams while the control link goes on.
        m_rig.now += DataModel::kOfflineAfterMs + 1;
        m_rig.ticks(100);
        QCOMPARE(state(1), QStringLiteral("Logined"));

        model.selectDevice(-1, false);
        QCOMPARE(state(1), QStringLiteral("Offline"));
    }

    void removeButtonRemovesEverywhere()
    {
        DataModel& model = m_rig.newModel();
        for (quint32 i = 0; i < 3; ++i)
            model.appendDevice(fakeUnit(50 + i, 0x7F000020 + i), false);
        DeviceListDialog dialog(model);
        DeviceWidget panel(model, m_rig.settings());
        panel.setSelectedIndex(2);
        QCOMPARE(model.currentDevice(), 2);

        removeButton(dialog, 0)->click();
        QCOMPARE(dialog.table()->rowCount(), 2);
        QCOMPARE(panel.listWidget()->count(), 2);
        QCOMPARE(model.currentDevice(), 1);
        QCOMPARE(text(dialog, 0, DeviceListDialog::DeviceIDColumn), QStringLiteral("51"));

        // The current unit: removed and disconnected.
        removeButton(dialog, 1)->click();
        QCOMPARE(model.deviceCount(), 1);
        QCOMPARE(panel.listWidget()->count(), 1);
        QCOMPARE(model.currentDevice(), -1);
        QCOMPARE(panel.listWidget()->currentRow(), -1);
        QCOMPARE(text(dialog, 0, DeviceListDialog::DeviceIDColumn), QStringLiteral("51"));
    }

    void returnAndEnterDoNothing()
    {
        DataModel& model = m_rig.newModel();
        model.appendDevice(fakeUnit(60, 0x7F000030), false);
        DeviceListDialog dialog(model);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QPushButton* remove = removeButton(dialog, 0);
        remove->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(remove, key);
            QTest::keyClick(&dialog, key);
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.table()->rowCount(), 1);
        // A row added while the dialog is open gets a button that is no default either.
        model.addDeviceByAddress(0x7F000031);
        removeButton(dialog, 1)->setFocus();
        QTest::keyClick(removeButton(dialog, 1), Qt::Key_Return);
        QCOMPARE(dialog.table()->rowCount(), 2);
    }

    void geometryIsKeptOnlyOnceShown()
    {
        SystemSettings& settings = m_rig.settings();
        const QString key = QString::fromLatin1(DeviceListDialog::kGeometryKey);
        DataModel& model = m_rig.newModel();
        settings.setValue(key, {});
        {
            DeviceListDialog hidden(model);
        }
        QVERIFY(settings.value(key).isEmpty());
        {
            DeviceListDialog shown(model);
            shown.show();
            shown.resize(700, 333);
        }
        QVERIFY(!settings.value(key).isEmpty());
        DeviceListDialog again(model);
        QCOMPARE(again.size(), QSize(700, 333));
    }

    void followsTheLanguage()
    {
        DataModel& model = m_rig.newModel();
        model.appendDevice(fakeUnit(70, 0x7F000040), false);
        DeviceListDialog dialog(model);
        DeviceWidget panel(model, m_rig.settings());
        m_rig.settings().setLanguage(0);
        QTRY_COMPARE(dialog.windowTitle(), QStringLiteral("设备列表"));
        QCOMPARE(dialog.table()->horizontalHeaderItem(0)->text(), QStringLiteral("IP 地址"));
        QCOMPARE(text(dialog, 0, DeviceListDialog::LinkStatusColumn), QStringLiteral("离线"));
        QCOMPARE(removeButton(dialog, 0)->text(), QStringLiteral("删除"));
        QCOMPARE(panel.addButton()->toolTip(), QStringLiteral("添加设备"));
        QCOMPARE(panel.connectTimeoutMessageBox()->windowTitle(), QStringLiteral("连接超时"));
        m_rig.settings().setLanguage(1);
        QTRY_COMPARE(text(dialog, 0, DeviceListDialog::LinkStatusColumn),
                     QStringLiteral("Offline"));
        QCOMPARE(panel.addButton()->toolTip(), QStringLiteral("Add Device"));
    }
};

KV_TEST_MAIN(TestDeviceListDialog)
#include "tst_devicelistdialog.moc"
