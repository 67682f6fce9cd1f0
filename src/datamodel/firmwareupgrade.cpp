#include "firmwareupgrade.h"

#include "datamodel.h"

using namespace wire;

namespace {

// The first word of an upgrade message: the request and ready answer, or a block.
constexpr quint16 kStartWord = 0x0000;
constexpr quint16 kBlockWord = 0x0100;

} // namespace

FirmwareUpgrade::FirmwareUpgrade(DataModel& model, QObject* parent)
    : QObject(parent), m_model(model)
{
    qRegisterMetaType<Failure>();
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(kAnswerTimeoutMs);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] { fail(Failure::NoAnswer); });
    // A closed link would only show as silence; it is told at once.
    connect(&m_model, &DataModel::deviceListNetworkChanged, this, &FirmwareUpgrade::linkChanged);
    connect(&m_model, &DataModel::deviceListSelectionChanged, this, &FirmwareUpgrade::linkChanged);
}

void FirmwareUpgrade::requestSystemUpgrade(const QString& path)
{
    if (!begin(Kind::System, path))
        return;
    m_phase = Phase::Requested;
    deliver(m_model, cmd::upgradeRequest());
    m_answerTimer.start();
}

void FirmwareUpgrade::start(Kind kind, const QString& path)
{
    if (!begin(kind, path))
        return;
    if (!openFile()) {
        fail(m_size < 0 ? Failure::Unreadable : Failure::BadFormat);
        return;
    }
    transfer();
}

bool FirmwareUpgrade::begin(Kind kind, const QString& path)
{
    end();
    m_kind = kind;
    m_file.setFileName(path);
    if (!m_model.isConnected()) {
        fail(Failure::NotConnected);
        return false;
    }
    return true;
}

void FirmwareUpgrade::cancel()
{
    end();
}

void FirmwareUpgrade::end()
{
    m_answerTimer.stop();
    m_file.close();
    m_phase = Phase::Idle;
    m_blocks = 0;
    m_next = 0;
}

void FirmwareUpgrade::fail(Failure failure)
{
    end();
    emit failed(failure);
}

void FirmwareUpgrade::linkChanged()
{
    if (isRunning() && !m_model.isConnected())
        fail(Failure::LinkLost);
}

bool FirmwareUpgrade::openFile()
{
    m_size = -1;
    // Unbuffered: each block is read from the file as it is when the block is due.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_size = m_file.size();
    m_blocks = blocksFor(m_size);
    // Beyond this the block numbers would wrap and the unit would overwrite its image.
    return m_blocks <= kMaxBlocks;
}

bool FirmwareUpgrade::checkFirmwareFile(quint32 key)
{
    char trailer[4];
    return m_size > kTrailerBytes && m_file.seek(m_size - kTrailerBytes) &&
           m_file.read(trailer, sizeof trailer) == qint64(sizeof trailer) &&
           readU32(trailer) == key;
}

void FirmwareUpgrade::handleReply(Kind kind, const QByteArray& payload)
{
    if (kind != m_kind || payload.size() < 4)
        return;
    const quint16 word = readU16(payload.constData());
    if (word == kStartWord && payload.size() == 6 && m_phase == Phase::Requested) {
        if (!openFile()) {
            fail(m_size < 0 ? Failure::Unreadable : Failure::BadFormat);
            return;
        }
        if (!checkFirmwareFile(readU32(payload.constData() + 2))) {
            fail(Failure::BadFormat);
            return;
        }
        transfer();
        return;
    }
    if (word != kBlockWord || payload.size() != 4 || m_phase != Phase::Transferring)
        return;
    // Only the block outstanding is answered; a repeated acknowledgement would put two blocks
    // on the way.
    const int block = readU16(payload.constData() + 2);
    if (block != m_next)
        return;
    if (block >= m_blocks - 1) {
        end();
        emit finished();
        return;
    }
    emit progressed(block + 1, m_blocks);
    // The one told of the progress may have cancelled.
    if (m_phase == Phase::Transferring)
        sendBlock(block + 1);
}

void FirmwareUpgrade::handleVerdict(quint8 value)
{
    if (value == kVerdictBadFile)
        fail(Failure::BadFile);
    else if (value == kVerdictBadFormat)
        fail(Failure::BadFormat);
}

void FirmwareUpgrade::transfer()
{
    m_phase = Phase::Transferring;
    emit started(m_blocks);
    if (m_phase == Phase::Transferring)
        sendBlock(0);
}

void FirmwareUpgrade::sendBlock(int index)
{
    const qint64 offset = qint64(index) * kBlockBytes;
    const int expected = int(qMin<qint64>(kBlockBytes, m_size - offset));
    m_block.resize(expected);
    // A block read short would be taken by the unit as the end of the image.
    if (!m_file.seek(offset) || m_file.read(m_block.data(), expected) != expected) {
        fail(Failure::Unreadable);
        return;
    }
    m_next = index;
    deliver(m_model, cmd::upgradeBlock(m_kind, quint16(index), m_block));
    m_answerTimer.start();
}
