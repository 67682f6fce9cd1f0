// Preset files moved between virtual units and the disk, block by block: what an export writes
// and replaces, what a cancelled or failed export leaves, which files an import refuses before
// sending them, and a round trip of one preset and of all presets between two units.
#include "datamodel.h"
#include "linkpeer.h"
#include "presetedits.h"
#include "presetfiletransfer.h"
#include "presetstore.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace wire;
using Scope = PresetFileTransfer::Scope;
using Failure = PresetFileTransfer::Failure;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

} // namespace

class TestPresetTransfer : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<VirtualUnit> m_second; // at 127.0.0.2, for round trips
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<PresetFileTransfer> m_transfer;
    QTemporaryDir m_dir;

    PresetStore& store(VirtualUnit& unit) { return unit.core().presets(); }
    VirtualUnit& first() { return m_session->unit(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the link until the transfer has ended.
    bool finish()
    {
        for (int i = 0; i < 2000 && m_transfer->isRunning(); ++i)
            m_session->run(10);
        return !m_transfer->isRunning();
    }

    void useUnit(quint32 address)
    {
        m_model->addDeviceByAddress(address);
        m_model->selectDevice(m_model->indexOfAddress(address), false);
        QTRY_VERIFY(m_model->isLoggedIn());
        QCOMPARE(m_model->bindAddress().isLoopback(), true);
        m_session->run(300);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        UnitConfig second;
        second.listenAddress = QHostAddress(QStringLiteral("127.0.0.2"));
        second.controlPort = m_session->unit().controlPort();
        second.discoveryPort = UnitSession::freeUdpPort();
        second.deviceId = 20002;
        m_second = std::make_unique<VirtualUnit>(second);
        QVERIFY2(m_second->start(&error), qPrintable(error));

        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_transfer = std::make_unique<PresetFileTransfer>(*m_model);
        ReportRouter* router = new ReportRouter(*m_model, m_model.get());
        for (Code c : {code::PresetExport, code::PresetExportAll, code::PresetImport,
                       code::PresetImportAll}) {
            router->subscribe(this, c, [this](const ReportRouter::Event& e) {
                m_transfer->handleAnswer(e.code, e.any.toByteArray());
            });
        }
        useUnit(0x7F000001);

        // Three presets with settings of their own.
        auto& dsp = first().state().dsp;
        for (int slot : {0, 5, 31}) {
            dsp.inputs[3].hpf.freq = 100.0f + slot;
            dsp.outputs[2].limiter.threshold = -float(slot);
            store(first()).save(slot, dsp);
        }
    }

    void cleanupTestCase()
    {
        m_transfer.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_second.reset();
        m_session.reset();
    }

    // The file holds the unit's image of the preset, written from its start: an older, longer
    // file of the same name leaves no tail behind.
    void exportReplacesTheFileWhole()
    {
        const QString file = path(QStringLiteral("five.pst"));
        writeFile(file, QByteArray(5000, 'x'));
        QSignalSpy started(m_transfer.get(), &PresetFileTransfer::started);
        QSignalSpy progressed(m_transfer.get(), &PresetFileTransfer::progressed);
        const int from = m_session->mark();
        m_transfer->startExport(Scope::OnePreset, 5, file);
        QVERIFY(finish());
        const QByteArray image = store(first()).presetImage(5);
        QCOMPARE(readFile(file), image);
        const int blocks = (image.size() + 511) / 512;
        QCOMPARE(started.value(0).value(0).toInt(), blocks);
        QCOMPARE(progressed.count(), blocks);
        // One request per block, in order.
        const auto requests = m_session->since(from, code::PresetExport, AccessRead);
        QCOMPARE(requests.size(), blocks + 1);
        for (int n = 0; n < blocks; ++n)
            QCOMPARE(requests[n + 1].payload, QByteArray::fromHex("0001") + bytesU16(quint16(n)));
    }

    // Cancelled half way, or failing to write: an earlier file stays as it was.
    void unfinishedExportsLeaveTheOldFile()
    {
        const QString file = path(QStringLiteral("all.pstl"));
        writeFile(file, "earlier");
        connect(m_transfer.get(), &PresetFileTransfer::progressed, this, [this](int done) {
            if (done == 2)
                m_transfer->cancel();
        });
        const int from = m_session->mark();
        m_transfer->startExport(Scope::AllPresets, 0, file);
        QVERIFY(finish());
        disconnect(m_transfer.get(), &PresetFileTransfer::progressed, this, nullptr);
        QCOMPARE(readFile(file), QByteArray("earlier"));
        // Nothing is asked for after the cancel.
        m_session->run(300);
        QCOMPARE(m_session->since(from, code::PresetExportAll, AccessRead).size(), 3);

        QSignalSpy failed(m_transfer.get(), &PresetFileTransfer::failed);
        m_transfer->startExport(Scope::OnePreset, 0, path(QStringLiteral("no/such/dir/x.pst")));
        QVERIFY(finish());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed[0][0].value<Failure>(), Failure::WriteFailed);

        // An empty slot has nothing to give.
        m_transfer->startExport(Scope::OnePreset, 7, file);
        QVERIFY(finish());
        QCOMPARE(failed.last()[0].value<Failure>(), Failure::NothingToExport);
        QCOMPARE(readFile(file), QByteArray("earlier"));
    }

    // Files that cannot be a preset never reach the unit: too short or unreadable ones are
    // refused before the start; a check word that is not the unit's before the first block.
    void damagedFilesAreRefused()
    {
        const QString all = path(QStringLiteral("bank.pstl"));
        m_transfer->startExport(Scope::AllPresets, 0, all);
        QVERIFY(finish());
        const QByteArray bank = readFile(all);
        QVERIFY(bank.size() > 1024);

        const int from = m_session->mark();
        writeFile(path(QStringLiteral("short.pst")), "abcd");
        QVERIFY(!m_transfer->startImport(Scope::OnePreset, 1, path(QStringLiteral("short.pst"))));
        QVERIFY(!m_transfer->startImport(Scope::OnePreset, 1, path(QStringLiteral("none.pst"))));
        QVERIFY(m_session->settle());
        QVERIFY(m_session->since(from, code::PresetImport).isEmpty());

        // A bank cut short: its first words are right, its last are not.
        const QString cut = path(QStringLiteral("cut.pstl"));
        writeFile(cut, bank.left(bank.size() - 100));
        QSignalSpy failed(m_transfer.get(), &PresetFileTransfer::failed);
        QVERIFY(m_transfer->startImport(Scope::AllPresets, 0, cut));
        QVERIFY(finish());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed[0][0].value<Failure>(), Failure::BadFile);
        const auto sent = m_session->since(from, code::PresetImportAll);
        QCOMPARE(sent.size(), 1); // the start alone
        QCOMPARE(sent[0].payload, QByteArray(2, 0));
        QVERIFY(store(first()).isUsed(31));
    }

    // One preset and then the whole bank go from the first unit to the second, which recalls
    // the same settings.
    void roundTripBetweenUnits()
    {
        const QString one = path(QStringLiteral("trip.pst"));
        const QString bank = path(QStringLiteral("trip.pstl"));
        m_transfer->startExport(Scope::OnePreset, 5, one);
        QVERIFY(finish());
        m_transfer->startExport(Scope::AllPresets, 0, bank);
        QVERIFY(finish());

        useUnit(0x7F000002);
        QVERIFY(!store(*m_second).isUsed(9));
        QSignalSpy finished(m_transfer.get(), &PresetFileTransfer::finished);
        QVERIFY(m_transfer->startImport(Scope::OnePreset, 9, one));
        QVERIFY(finish());
        QCOMPARE(finished.count(), 1);
        QVERIFY(store(*m_second).isUsed(9));
        PresetEdits(*m_model).load(9);
        m_session->run(300);
        QCOMPARE(float(m_second->state().dsp.inputs[3].hpf.freq), 105.0f);
        QCOMPARE(float(m_second->state().dsp.outputs[2].limiter.threshold), -5.0f);

        QVERIFY(m_transfer->startImport(Scope::AllPresets, 0, bank));
        QVERIFY(finish());
        QCOMPARE(finished.count(), 2);
        for (int slot = 0; slot < kPresetCount; ++slot)
            QCOMPARE(store(*m_second).presetImage(slot), store(first()).presetImage(slot));
        useUnit(0x7F000001);
    }

    // A file of two whole blocks goes as blocks of 512, 512 and none, each after the unit took
    // the one before; the check word of one preset is its first four bytes.
    void importSendsWholeBlocksAndAnEmptyLast()
    {
        LinkPeer peer;
        QVERIFY(peer.listen(QHostAddress(QStringLiteral("127.0.0.3"))));
        LinkSettings link;
        link.controlPort = peer.port();
        DataModel model(link);
        QByteArray file(1024, 'p');
        file.replace(0, 4, bytesU32(0x31505556));
        writeFile(path(QStringLiteral("two.pst")), file);
        QList<QByteArray> blocks;
        peer.setResponder([&](const PacketHeader& h, const QByteArray& payload) {
            QList<QByteArray> answers;
            if (h.code() != code::PresetImport)
                return answers;
            if (payload == QByteArray::fromHex("000004")) {
                answers << packet(code::PresetImport, AccessReport,
                                  QByteArray(2, 0) + bytesU32(0x31505556));
            } else {
                blocks << payload.mid(4);
                answers << packet(code::PresetImport, AccessReport, payload.left(4));
            }
            return answers;
        });
        model.addDeviceByAddress(0x7F000003);
        model.selectDevice(model.deviceCount() - 1, false);
        QVERIFY(peer.accept());
        QTRY_VERIFY(model.isConnected());
        PresetFileTransfer transfer(model);
        ReportRouter router(model);
        router.subscribe(this, code::PresetImport, [&](const ReportRouter::Event& e) {
            transfer.handleAnswer(e.code, e.any.toByteArray());
        });
        QSignalSpy finished(&transfer, &PresetFileTransfer::finished);
        QVERIFY(transfer.startImport(Scope::OnePreset, 4, path(QStringLiteral("two.pst"))));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(blocks.size(), 3);
        QCOMPARE(blocks[0], file.left(512));
        QCOMPARE(blocks[1], file.mid(512));
        QCOMPARE(blocks[2], QByteArray());
        router.unsubscribe(this);
        model.selectDevice(-1, false);
    }

    // A unit that stops answering ends the transfer.
    void silenceEndsTheTransfer()
    {
        m_transfer->setAnswerTimeout(200);
        first().setSilent(true);
        QSignalSpy failed(m_transfer.get(), &PresetFileTransfer::failed);
        m_transfer->startExport(Scope::OnePreset, 0, path(QStringLiteral("quiet.pst")));
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed[0][0].value<Failure>(), Failure::NoAnswer);
        QVERIFY(!QFile::exists(path(QStringLiteral("quiet.pst"))));
        first().setSilent(false);
        m_transfer->setAnswerTimeout(PresetFileTransfer::kAnswerTimeoutMs);
    }
};

KV_TEST_GUILESS_MAIN(TestPresetTransfer)
#include "tst_presettransfer.moc"
