#pragma once

#include <QByteArray>
#include <QVector>

// The USB storage of a unit with a USB port: a play list that plays in real time under the
// four play modes, and a record list that grows when a recording stops. Times are the unit's
// uptime in milliseconds.
class UsbMedia
{
public:
    enum PlayMode : quint8
    {
        Order = 0,
        Shuffle = 1,
        RepeatSingle = 2,
        RepeatList = 3,
    };
    enum PlayState : quint8
    {
        Stopped = 0,
        Playing = 1,
        Paused = 2,
    };

    // The first byte of a transport command.
    enum Transport : quint8
    {
        TransportStop = 0,
        TransportPlay = 1,
        TransportPause = 2,
        TransportPlayFile = 3,
        TransportPrevious = 4,
        TransportNext = 5,
        TransportSeek = 6,
        TransportPlayMode = 7,
    };
    // The first byte of a record command.
    enum RecordOp : quint8
    {
        RecordStart = 0,
        RecordStop = 1,
        RecordSelect = 2,
    };

    struct File
    {
        QByteArray name; // UTF-8
        quint32 seconds;
    };

    explicit UsbMedia(bool inserted = false);

    bool inserted() const { return m_inserted; }
    const QVector<File>& playList() const { return m_playList; }
    const QVector<File>& recordList() const { return m_recordList; }

    // {mode, state, u16 position, u16 duration} as of `now`.
    QByteArray playStatePayload(qint64 now);
    QByteArray currentPlayName(qint64 now);
    bool isPlaying(qint64 now);
    // {recording flag, i32 elapsed seconds}.
    QByteArray recordStatePayload(qint64 now) const;
    QByteArray currentRecordName() const { return m_recordName; }

    // Transport command: {Transport, file name | u16 seconds | play mode}. Returns false for
    // malformed commands, which change nothing.
    bool control(const QByteArray& payload, qint64 now);
    // Record command: {RecordOp, name for a start or a choice of entry}.
    bool record(const QByteArray& payload, qint64 now);

private:
    void advance(qint64 now);
    void start(int index, qint64 now);
    int indexOf(const QVector<File>& list, const QByteArray& name) const;

    bool m_inserted = false;
    QVector<File> m_playList;
    QVector<File> m_recordList;
    int m_current = 0;
    quint8 m_mode = Order;
    quint8 m_state = Stopped;
    qint64 m_positionMs = 0;
    qint64 m_since = 0;
    quint32 m_shuffle = 7;
    bool m_recording = false;
    qint64 m_recordStart = 0;
    QByteArray m_recordName;
};
