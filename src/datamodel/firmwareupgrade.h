#pragma once

#include "wire/commands.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QTimer>

class DataModel;

// Replaces the connected unit's firmware with a file, sent in 512-byte blocks over the control
// link, one block for each acknowledgement. Each block is read from the file when it is due;
// the file is never held in memory whole. The last 12 bytes of a file are its trailer, whose
// first u32 is the key a system upgrade must match; the trailer travels with the rest.
//
// A system upgrade asks the unit first and sends its blocks once the unit has answered with
// the key the file carries. DSP and forced upgrades send their first block at once.
//
// The transfer ends, with nothing more sent, when the unit refuses the file, when a block
// goes unacknowledged for the answer time, when the link to the unit is lost, and when a block
// cannot be read from the file in full: a short or empty block would end the image early on
// the unit's side.
class FirmwareUpgrade : public QObject
{
    Q_OBJECT
public:
    using Kind = wire::UpgradeKind;
    enum class Failure
    {
        BadFormat,    // no trailer, the key is not the unit's, or too large to number its blocks
        BadFile,      // the unit found the file damaged
        NoAnswer,     // the unit stopped answering
        Unreadable,   // the file could not be read when a block was due
        NotConnected, // no unit to upgrade
        LinkLost,     // the connection to the unit went down during the upgrade
    };
    Q_ENUM(Failure)
    enum class Phase
    {
        Idle,
        Requested, // a system upgrade waits for the unit's ready answer
        Transferring,
    };

    static constexpr int kBlockBytes = wire::kTransferBlockBytes;
    static constexpr int kTrailerBytes = 12;
    // Blocks are numbered with a u16.
    static constexpr int kMaxBlocks = 65536;
    static constexpr int kAnswerTimeoutMs = 3000;
    static constexpr quint8 kVerdictBadFile = 254;
    static constexpr quint8 kVerdictBadFormat = 255;

    explicit FirmwareUpgrade(DataModel& model, QObject* parent = nullptr);

    // Each ends an upgrade that is still running.
    void requestSystemUpgrade(const QString& path);
    void start(Kind kind, const QString& path);
    // The user gave up: nothing more is sent and later acknowledgements go unanswered. The
    // protocol has no message that tells the unit.
    void cancel();
    void setAnswerTimeout(int ms) { m_answerTimer.setInterval(ms); }

    // The unit's answer to a request or a block of `kind` (the report's payload).
    void handleReply(Kind kind, const QByteArray& payload);
    // The unit's verdict on the file; only 254 and 255 mean anything.
    void handleVerdict(quint8 value);

    Phase phase() const { return m_phase; }
    bool isRunning() const { return m_phase != Phase::Idle; }
    Kind kind() const { return m_kind; }
    int blockCount() const { return m_blocks; }

    // Full blocks and a last one with the rest, which is empty when the size is a multiple of
    // the block size.
    static int blocksFor(qint64 size) { return int(size / kBlockBytes) + 1; }

signals:
    // The first block is on its way.
    void started(int blocks);
    // Blocks acknowledged so far; the transfer goes on unless the receiver cancels it.
    void progressed(int done, int blocks);
    void finished();
    void failed(FirmwareUpgrade::Failure failure);

private:
    bool begin(Kind kind, const QString& path);
    bool openFile();
    // Whether the file's trailer starts with the unit's key.
    bool checkFirmwareFile(quint32 key);
    void transfer();
    void sendBlock(int index);
    void linkChanged();
    void end();
    void fail(Failure failure);

    DataModel& m_model;
    QTimer m_answerTimer;
    QFile m_file;
    QByteArray m_block;
    Phase m_phase = Phase::Idle;
    Kind m_kind = Kind::System;
    qint64 m_size = 0;
    int m_blocks = 0;
    int m_next = 0; // the block whose acknowledgement is awaited
};
