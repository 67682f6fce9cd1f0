// Firmware upgrades through the upgrade window: blocks cut from the file and sent one per
// acknowledgement, the progress label, the key check of a system upgrade, the unit's verdicts,
// cancelling, a file that can no longer be read and a unit that goes away; then whole upgrades
// of a virtual unit, which reports its new version afterwards or refuses a bad image.
#include "datamodel.h"
#include "firmwareimage.h"
#include "firmwareupgrade.h"
#include "linkpeer.h"
#include "reportrouter.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace wire;
using Kind = FirmwareUpgrade::Kind;

namespace {

// A file of `size` bytes whose trailer starts with `key`.
QByteArray firmware(int size, quint32 key)
{
    QByteArray f(size, 0);
    for (int i = 0; i < size; ++i)
        f[i] = char(i * 7 + i / 512);
    if (size >= 12)
        f.replace(size - 12, 4, bytesU32(key));
    return f;
}

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT

    static constexpr quint32 kKey = 0x11223344;

    QTemporaryDir m_dir;
    LinkPeer m_peer;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<SystemUpgradeProgressDialog> m_dialog;
    QString m_file;             // what the file chooser answers
    bool m_ack = true;          // the peer acknowledges each block
    QList<QByteArray> m_blocks; // payloads of the blocks the peer received, in order
    QList<Code> m_blockCodes;

    QString write(const QString& name, const QByteArray& data)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
        return path;
    }

    void trigger(Kind kind, const QString& path)
    {
        m_file = path;
        m_blocks.clear();
        m_blockCodes.clear();
        if (kind == Kind::System)
            m_dialog->systemUpgradeActionTriggered();
        else if (kind == Kind::Dsp)
            m_dialog->dspUpgradeTriggered();
        else
            m_dialog->forceUpgradeTriggered();
    }

    // Lets the peer read everything the model sent.
    void settle() { m_peer.take(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_peer.listen());
        LinkSettings link;
        link.controlPort = m_peer.port();
        m_model = std::make_unique<DataModel>(link);
        m_peer.setResponder([this](const PacketHeader& h, const QByteArray& payload) {
            QList<QByteArray> answers;
            if (h.type != UpgradeFamily || h.access != AccessWrite)
                return answers;
            if (payload == QByteArray(2, 0)) {
                answers << packet(h.code(), AccessReport, QByteArray(2, 0) + bytesU32(kKey));
            } else {
                m_blocks << payload;
                m_blockCodes << h.code();
                if (m_ack)
                    answers << packet(h.code(), AccessReport, payload.left(4));
            }
            return answers;
        });
        QVERIFY(m_peer.connectModel(*m_model));
        {
            // The window's texts are checked in English.
            QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Language/Support"), 3);
            ini.setValue(QStringLiteral("Language/Current"), 1);
        }
        m_settings = std::make_unique<SystemSettings>();
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_dialog = std::make_unique<SystemUpgradeProgressDialog>(*m_model, *m_router, *m_settings);
        m_dialog->setFileChooser(
            [this](const QString&, const QString&, const QString&) { return m_file; });
        QVERIFY(!m_dialog->isVisible());
    }

    void cleanupTestCase()
    {
        m_dialog.reset();
        m_router.reset();
        m_model.reset();
        m_settings.reset();
    }

    void init()
    {
        m_ack = true;
        m_dialog->upgrade().setAnswerTimeout(FirmwareUpgrade::kAnswerTimeoutMs);
        m_dialog->timeout();
        settle();
    }

    // Blocks of 512 bytes and a shorter (possibly empty) last one, each sent once the one before
    // is acknowledged; the window closes at the last acknowledgement. A DSP or forced upgrade
    // starts at once whatever the trailer holds; a system upgrade once the unit has answered.
    void blocksFollowAcknowledgements_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("1024 bytes, DSP") << int(Kind::Dsp) << 1024 << QList<int>{512, 512, 0};
        QTest::newRow("1000 bytes, forced") << int(Kind::Forced) << 1000 << QList<int>{512, 488};
        QTest::newRow("1300 bytes, system")
            << int(Kind::System) << 1300 << QList<int>{512, 512, 276};
    }
    void blocksFollowAcknowledgements()
    {
        QFETCH(int, kind);
        QFETCH(int, size);
        QFETCH(QList<int>, sizes);
        const QByteArray data = firmware(size, kind == int(Kind::System) ? kKey : 0xDEADBEEF);
        const QString path = write(QStringLiteral("fw%1.img").arg(size), data);
        settle();
        trigger(Kind(kind), path);
        if (kind != int(Kind::System)) {
            // Sent at once: nothing is asked of the unit first.
            const QStringList sent = m_peer.take();
            QVERIFY(!sent.isEmpty());
            QVERIFY2(sent.first().startsWith(QStringLiteral("w:1,1,%1[00010000").arg(kind)),
                     qPrintable(sent.first()));
        }
        QTRY_COMPARE(m_blocks.size(), sizes.size());
        QTRY_VERIFY(!m_dialog->isVisible());
        QByteArray joined;
        for (int i = 0; i < sizes.size(); ++i) {
            QCOMPARE(m_blockCodes[i].key(), codeOf(1, 1, quint8(kind)).key());
            QCOMPARE(m_blocks[i].left(4), QByteArray::fromHex("0001") + bytesU16(quint16(i)));
            QCOMPARE(m_blocks[i].size() - 4, sizes[i]);
            joined += m_blocks[i].mid(4);
        }
        QCOMPARE(joined, data);
        QCOMPARE(m_settings->lastFileDirectory(), m_dir.path() + QLatin1Char('/'));
    }

    // Each acknowledgement moves the bar and the label; one after Cancel sends nothing.
    void progressAndCancel()
    {
        m_ack = false;
        trigger(Kind::Dsp, write(QStringLiteral("ten.bin"), firmware(4700, 0)));
        QTRY_COMPARE(m_blocks.size(), 1);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->maximum(), 10);
        QCOMPARE(m_dialog->labelText(), QStringLiteral("Upgrading..."));
        // Whatever the size, Cancel keeps to the bottom-right corner.
        for (const QSize size : {QSize(420, 160), QSize(700, 300)}) {
            m_dialog->resize(size);
            const QRect cancel = m_dialog->cancelButton()->geometry();
            QCOMPARE(cancel.right(), size.width() - 1 - ProgressDialog::kCancelMargin);
            QCOMPARE(cancel.bottom(), size.height() - 1 - ProgressDialog::kCancelMargin);
            QVERIFY(cancel.width() >= ProgressDialog::kCancelMinimumWidth);
        }
        m_peer.report(code::UpgradeDsp, QByteArray::fromHex("00010000"));
        QTRY_COMPARE(m_blocks.size(), 2);
        QCOMPARE(m_dialog->value(), 1);
        QCOMPARE(m_dialog->labelText(), QStringLiteral("Upgrading...10%"));
        // Answers that are not the outstanding block's acknowledgement change nothing.
        for (const char* stray : {"00010000", "00020100", "000101", "0001010000"})
            m_peer.report(code::UpgradeDsp, QByteArray::fromHex(stray));
        m_peer.report(code::UpgradeForced, QByteArray::fromHex("00010100"));
        QTest::qWait(50);
        settle();
        QCOMPARE(m_blocks.size(), 2);

        m_dialog->cancelButton()->click();
        QVERIFY(!m_dialog->isVisible());
        m_peer.report(code::UpgradeDsp, QByteArray::fromHex("00010100"));
        QTest::qWait(50);
        settle();
        QCOMPARE(m_blocks.size(), 2);
        QVERIFY(!m_dialog->isVisible());
    }

    // A system upgrade sends its blocks only when the file carries the unit's key.
    void keyCheck_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("key matches") << firmware(700, kKey) << true;
        QTest::newRow("another key") << firmware(700, kKey + 1) << false;
        QTest::newRow("no room for a trailer") << firmware(12, kKey) << false;
    }
    void keyCheck()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, accepted);
        m_ack = false;
        trigger(Kind::System, write(QStringLiteral("key.img"), file));
        QTRY_VERIFY(m_dialog->isVisible());
        settle();
        QCOMPARE(m_blocks.size(), accepted ? 1 : 0);
        QCOMPARE(m_dialog->labelText(), accepted ? QStringLiteral("Upgrading...")
                                                 : QStringLiteral("File format is error!"));
        QCOMPARE(m_dialog->progressBar()->isVisible(), accepted);
    }

    // The unit's verdict ends the upgrade; the message closes by itself.
    void verdicts_data()
    {
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("label");
        QTest::newRow("damaged") << 254 << QStringLiteral("File is error!");
        QTest::newRow("wrong format") << 255 << QStringLiteral("File format is error!");
    }
    void verdicts()
    {
        QFETCH(int, verdict);
        QFETCH(QString, label);
        m_ack = false;
        trigger(Kind::Forced, write(QStringLiteral("v.img"), firmware(2000, 0)));
        QTRY_COMPARE(m_blocks.size(), 1);
        m_peer.report(code::UpgradeVerdict, QByteArray(1, char(verdict)));
        QTRY_COMPARE(m_dialog->labelText(), label);
        QCOMPARE(m_dialog->cancelButton()->text(), QStringLiteral("OK"));
        m_peer.report(code::UpgradeForced, QByteArray::fromHex("00010000"));
        QTest::qWait(50);
        settle();
        QCOMPARE(m_blocks.size(), 1);
        QCOMPARE(m_dialog->watchdog()->interval(), SystemUpgradeProgressDialog::kErrorShownMs);
        QVERIFY(m_dialog->watchdog()->isActive());
        m_dialog->timeout();
        QVERIFY(!m_dialog->isVisible());
    }

    // A block that can no longer be read whole is not sent short: the unit would take a short
    // block for the end of the image.
    void unreadableFileEndsTheUpgrade()
    {
        m_ack = false;
        const QString path = write(QStringLiteral("shrinking.img"), firmware(2000, 0));
        trigger(Kind::Forced, path);
        QTRY_COMPARE(m_blocks.size(), 1);
        QVERIFY(QFile::resize(path, 700));
        m_peer.report(code::UpgradeForced, QByteArray::fromHex("00010000"));
        QTRY_COMPARE(m_dialog->labelText(), QStringLiteral("Upgrade failed!"));
        QTest::qWait(50);
        settle();
        QCOMPARE(m_blocks.size(), 1);
        QCOMPARE(m_dialog->watchdog()->interval(), SystemUpgradeProgressDialog::kFailureShownMs);

        // A file gone before the first block: nothing at all is sent.
        trigger(Kind::Dsp, m_dir.filePath(QStringLiteral("none.bin")));
        QCOMPARE(m_dialog->labelText(), QStringLiteral("Upgrade failed!"));
        settle();
        QVERIFY(m_blocks.isEmpty());
    }

    // A silent unit fails the upgrade after the answer time; a closed link at once.
    void aUnitThatGoesAwayEndsTheUpgrade()
    {
        m_ack = false;
        m_dialog->upgrade().setAnswerTimeout(200);
        trigger(Kind::Dsp, write(QStringLiteral("quiet.bin"), firmware(3000, 0)));
        QTRY_COMPARE(m_blocks.size(), 1);
        QTRY_COMPARE(m_dialog->labelText(), QStringLiteral("Upgrade failed!"));

        m_dialog->upgrade().setAnswerTimeout(FirmwareUpgrade::kAnswerTimeoutMs);
        trigger(Kind::Dsp, write(QStringLiteral("quiet.bin"), firmware(3000, 0)));
        QTRY_COMPARE(m_blocks.size(), 1);
        m_peer.socket()->abort();
        QTRY_VERIFY_WITH_TIMEOUT(m_dialog->labelText().startsWith(QStringLiteral(
                                     "Upgrade failed!\nThe connection to the unit was lost.")),
                                 1000);
        QVERIFY(!m_dialog->upgrade().isRunning());

        // Without a unit nothing is sent and the user is told.
        m_dialog->timeout();
        trigger(Kind::System, write(QStringLiteral("any.img"), firmware(3000, kKey)));
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_dialog->labelText().endsWith(QStringLiteral("No unit is connected.")));
    }

    // Whole upgrades of a virtual unit: the status refresh shows the new version; damaged
    // images and images for the other part of the unit are refused and change nothing.
    void upgradeOfAVirtualUnit_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("dspImage");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QString>("outcome"); // the label last shown; empty: closed at the end
        QTest::newRow("system") << int(Kind::System) << false << false << QString();
        QTest::newRow("DSP") << int(Kind::Dsp) << true << false << QString();
        QTest::newRow("damaged") << int(Kind::System) << false << true
                                 << QStringLiteral("File is error!");
        QTest::newRow("DSP image as forced")
            << int(Kind::Forced) << true << false << QStringLiteral("File format is error!");
        QTest::newRow("system image as DSP")
            << int(Kind::Dsp) << false << false << QStringLiteral("File format is error!");
    }
    void upgradeOfAVirtualUnit()
    {
        QFETCH(int, kind);
        QFETCH(bool, dspImage);
        QFETCH(bool, damaged);
        QFETCH(QString, outcome);
        UnitSession session;
        QString error;
        QVERIFY2(session.start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = session.unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        DataModel model(link);
        session.setModel(&model);
        model.addDeviceByAddress(0x7F000001);
        model.selectDevice(0, false);
        QTRY_VERIFY(model.isLoggedIn());
        session.run(300);
        const auto before = model.system();

        ReportRouter router(model);
        SystemUpgradeProgressDialog dialog(model, router, *m_settings);
        QByteArray image = FirmwareImage::build(dspImage ? FirmwareImage::Target::Dsp
                                                         : FirmwareImage::Target::Controller,
                                                {3, 4, 5, 0}, 300 * 1024 + 77);
        if (damaged)
            image[1000] = char(image[1000] ^ 1);
        const QString path = write(QStringLiteral("unit.img"), image);
        dialog.setFileChooser([&](const QString&, const QString&, const QString&) { return path; });
        if (kind == int(Kind::System))
            dialog.systemUpgradeActionTriggered();
        else if (kind == int(Kind::Dsp))
            dialog.dspUpgradeTriggered();
        else
            dialog.forceUpgradeTriggered();
        if (outcome.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.upgrade().isRunning(), 20000);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(session.unit().core().firmware().installed(), 1);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(dialog.labelText(), outcome, 20000);
            QCOMPARE(session.unit().core().firmware().installed(), 0);
        }
        session.run(400);
        const auto& after = model.system();
        const bool armChanged = outcome.isEmpty() && !dspImage;
        const bool dspChanged = outcome.isEmpty() && dspImage;
        QCOMPARE(after.armVersion == (std::array<quint8, 3>{3, 4, 5}), armChanged);
        QCOMPARE(after.dspVersion == (std::array<quint8, 3>{3, 4, 5}), dspChanged);
        if (!armChanged)
            QCOMPARE(after.armVersion, before.armVersion);
        session.setModel(nullptr);
    }
};

KV_TEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
