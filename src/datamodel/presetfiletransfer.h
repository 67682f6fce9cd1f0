#pragma once

#include "wire/codes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class DataModel;
class QSaveFile;

// Moves presets between the unit and files, block by block, each step started by the unit's
// answer to the one before. One preset travels as a ".pst" file (its check word in the first
// four bytes), all presets as a ".pstl" file (check word in the last four). The application
// stores the unit's blocks unchanged and sends a file unchanged.
//
// An export writes beside the target and replaces it only once the last block is in, so a
// cancelled or failed export leaves an earlier file as it was. An import reads and checks the
// whole file before any block is sent. A unit that stops answering ends the transfer.
class PresetFileTransfer : public QObject
{
    Q_OBJECT
public:
    enum class Scope
    {
        OnePreset,
        AllPresets,
    };
    Q_ENUM(Scope)
    enum class Failure
    {
        BadFile, // the file cannot be read, is too short, or its check word is not the unit's
        NothingToExport,
        WriteFailed,
        NoAnswer,
    };
    Q_ENUM(Failure)

    static constexpr int kBlockBytes = 512;
    static constexpr int kAnswerTimeoutMs = 5000;

    explicit PresetFileTransfer(DataModel& model, QObject* parent = nullptr);
    ~PresetFileTransfer() override;

    // Each ends a transfer that is still running.
    void startExport(Scope scope, int preset, const QString& path);
    // False, with nothing sent, when the file cannot be read or is too short to hold a check
    // word.
    bool startImport(Scope scope, int preset, const QString& path);
    void cancel();
    void setAnswerTimeout(int ms) { m_answerTimer.setInterval(ms); }

    bool isRunning() const { return m_running; }
    bool isExport() const { return m_export; }
    Scope scope() const { return m_scope; }
    int blockCount() const { return m_blocks; }

    // An answer of the unit to one of the transfer codes (the report's payload).
    void handleAnswer(wire::Code code, const QByteArray& payload);

    // Blocks a file of `size` bytes is sent in: full blocks and a last one with the rest,
    // which is empty when the size is a multiple of the block size.
    static int blocksFor(qint64 size) { return int(size / kBlockBytes) + 1; }

signals:
    // The unit announced the number of blocks; the transfer is under way.
    void started(int blocks);
    // Blocks done so far.
    void progressed(int done, int blocks);
    void finished();
    void failed(PresetFileTransfer::Failure failure);

private:
    wire::Code code() const;
    void handleExport(const QByteArray& payload);
    void handleImport(const QByteArray& payload);
    void sendBlock(int block);
    void requestBlock(int block);
    void end();
    void fail(Failure failure);
    void expectAnswer();

    DataModel& m_model;
    QTimer m_answerTimer;
    bool m_running = false;
    bool m_export = false;
    Scope m_scope = Scope::OnePreset;
    int m_blocks = 0;
    int m_next = 0; // the block the unit is to send or acknowledge next
    QString m_path;
    std::unique_ptr<QSaveFile> m_out;
    QByteArray m_file; // the file being imported
};
