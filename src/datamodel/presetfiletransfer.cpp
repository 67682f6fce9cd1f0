#include "presetfiletransfer.h"

#include "datamodel.h"
#include "wire/commands.h"

#include <QFile>
#include <QSaveFile>

using namespace wire;

namespace {

// The first word of a transfer message: the start, or a block.
constexpr quint16 kStartWord = 0x0000;
constexpr quint16 kBlockWord = 0x0100;
constexpr int kCheckWordBytes = 4;

} // namespace

PresetFileTransfer::PresetFileTransfer(DataModel& model, QObject* parent)
    : QObject(parent), m_model(model)
{
    // Failures travel through queued connections and spies too.
    qRegisterMetaType<Failure>();
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(kAnswerTimeoutMs);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] { fail(Failure::NoAnswer); });
}

PresetFileTransfer::~PresetFileTransfer()
{
    cancel();
}

Code PresetFileTransfer::code() const
{
    const bool all = m_scope == Scope::AllPresets;
    if (m_export)
        return all ? code::PresetExportAll : code::PresetExport;
    return all ? code::PresetImportAll : code::PresetImport;
}

void PresetFileTransfer::startExport(Scope scope, int preset, const QString& path)
{
    cancel();
    m_running = true;
    m_export = true;
    m_scope = scope;
    m_path = path;
    m_blocks = 0;
    m_next = 0;
    deliver(m_model, scope == Scope::AllPresets ? cmd::presetExportAllStart()
                                                : cmd::presetExportStart(quint8(preset)));
    expectAnswer();
}

bool PresetFileTransfer::startImport(Scope scope, int preset, const QString& path)
{
    cancel();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contents = file.readAll();
    if (contents.size() <= kCheckWordBytes || file.error() != QFileDevice::NoError)
        return false;
    m_file = contents;
    m_running = true;
    m_export = false;
    m_scope = scope;
    m_path = path;
    m_blocks = 0;
    m_next = 0;
    deliver(m_model, scope == Scope::AllPresets ? cmd::presetImportAllStart()
                                                : cmd::presetImportStart(quint8(preset)));
    expectAnswer();
    return true;
}

void PresetFileTransfer::cancel()
{
    if (!m_running)
        return;
    // Whatever was written so far goes; an earlier file stays as it was.
    if (m_out)
        m_out->cancelWriting();
    end();
}

void PresetFileTransfer::end()
{
    m_answerTimer.stop();
    m_out.reset();
    m_file.clear();
    m_running = false;
}

void PresetFileTransfer::fail(Failure failure)
{
    cancel();
    emit failed(failure);
}

void PresetFileTransfer::expectAnswer()
{
    m_answerTimer.start();
}

void PresetFileTransfer::handleAnswer(Code answered, const QByteArray& payload)
{
    if (!m_running || answered != code() || payload.size() < 4)
        return;
    if (m_export)
        handleExport(payload);
    else
        handleImport(payload);
}

void PresetFileTransfer::handleExport(const QByteArray& payload)
{
    const quint16 word = readU16(payload.constData());
    const int block = readU16(payload.constData() + 2);
    if (word == kStartWord && payload.size() == 4 && m_blocks == 0) {
        if (block == 0) {
            // The unit has nothing to give: an earlier file stays as it was.
            fail(Failure::NothingToExport);
            return;
        }
        m_out = std::make_unique<QSaveFile>(m_path);
        if (!m_out->open(QIODevice::WriteOnly)) {
            fail(Failure::WriteFailed);
            return;
        }
        m_blocks = block;
        emit started(m_blocks);
        if (m_running)
            requestBlock(0);
        return;
    }
    // Blocks come in order; a repeated or stray one is not the one asked for.
    if (word != kBlockWord || payload.size() < 5 || m_blocks == 0 || block != m_next)
        return;
    const QByteArray data = payload.mid(4);
    if (m_out->write(data) != data.size()) {
        fail(Failure::WriteFailed);
        return;
    }
    emit progressed(block + 1, m_blocks);
    // The one told of the progress may have cancelled.
    if (!m_running)
        return;
    if (block + 1 < m_blocks) {
        requestBlock(block + 1);
        return;
    }
    const bool committed = m_out->commit();
    m_out.reset();
    if (!committed) {
        fail(Failure::WriteFailed);
        return;
    }
    end();
    emit finished();
}

void PresetFileTransfer::handleImport(const QByteArray& payload)
{
    const quint16 word = readU16(payload.constData());
    if (word == kStartWord && payload.size() == 6 && m_blocks == 0) {
        const quint32 expected = readU32(payload.constData() + 2);
        const char* check = m_scope == Scope::AllPresets
                                ? m_file.constData() + m_file.size() - kCheckWordBytes
                                : m_file.constData();
        if (readU32(check) != expected) {
            fail(Failure::BadFile);
            return;
        }
        m_blocks = blocksFor(m_file.size());
        emit started(m_blocks);
        if (m_running)
            sendBlock(0);
        return;
    }
    if (word != kBlockWord || payload.size() != 4 || m_blocks == 0)
        return;
    const int block = readU16(payload.constData() + 2);
    if (block != m_next)
        return;
    emit progressed(block + 1, m_blocks);
    if (!m_running)
        return;
    if (block + 1 >= m_blocks) {
        end();
        emit finished();
        return;
    }
    sendBlock(block + 1);
}

void PresetFileTransfer::requestBlock(int block)
{
    m_next = block;
    deliver(m_model, cmd::presetExportBlockRequest(m_scope == Scope::AllPresets, quint16(block)));
    expectAnswer();
}

void PresetFileTransfer::sendBlock(int block)
{
    m_next = block;
    deliver(m_model, cmd::presetImportBlock(m_scope == Scope::AllPresets, quint16(block),
                                            m_file.mid(block * kBlockBytes, kBlockBytes)));
    expectAnswer();
}
