#pragma once

#include <QString>
#include <QtGlobal>

class DataModel;

// The transport and recording of the unit's USB storage, and how its times and file names are
// written: each action writes the mirror where the unit would and sends the command.
class UsbMediaEdits
{
public:
    static constexpr int kRecordNameBytes = 32;

    explicit UsbMediaEdits(DataModel& model) : m_model(model) {}

    // "mm:ss / mm:ss", or "h:mm:ss / h:mm:ss" from an hour of duration on.
    static QString playTime(quint16 position, quint16 duration);
    // "mm:ss", or "h:mm:ss" from an hour on.
    static QString recordTime(qint64 seconds);
    // The name a recording is made under: ".wav" appended unless it ends so (in any case).
    static QString recordFileName(const QString& typed);
    // Whether a recording's name fits the unit, in bytes of the local encoding.
    static bool recordNameFits(const QString& name);

    void stop();
    // Resumes, or starts the given file when nothing plays.
    void play();
    void pause();
    void playFile(const QString& name);
    void previous();
    void next();
    void seek(quint16 seconds);
    void setMode(quint8 mode);
    enum class RecordStart
    {
        Started,
        NoName,
        TooLong, // the typed name takes more bytes than the unit's names
    };
    // Starts recording under the typed name, ".wav" appended where missing.
    RecordStart startRecording(const QString& typed);
    void stopRecording();
    void selectRecording(const QString& name);

private:
    DataModel& m_model;
};
