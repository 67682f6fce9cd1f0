#include "usbmedia.h"

#include "wire/packet.h"

#include <algorithm>

UsbMedia::UsbMedia(bool inserted) : m_inserted(inserted)
{
    if (!inserted)
        return;
    m_playList = {{"Welcome.mp3", 95},
                  {"Background Music.wav", 241},
                  {"Announcement.aac", 32},
                  {"Meeting Break.flac", 180},
                  {"Closing.ape", 64}};
    m_recordList = {{"record001.wav", 1260}, {"record002.wav", 318}};
}

int UsbMedia::indexOf(const QVector<File>& list, const QByteArray& name) const
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].name == name)
            return i;
    }
    return -1;
}

void UsbMedia::start(int index, qint64 now)
{
    m_current = index;
    m_positionMs = 0;
    m_since = now;
    m_state = Playing;
}

void UsbMedia::advance(qint64 now)
{
    if (m_state != Playing || m_playList.isEmpty()) {
        m_since = now;
        return;
    }
    m_positionMs += std::max<qint64>(0, now - m_since);
    m_since = now;
    const int count = m_playList.size();
    // Each pass ends one file; a long absence in Repeat Single is settled by the modulo.
    for (int guard = 0; guard < 10000 && m_state == Playing; ++guard) {
        const qint64 duration = qint64(m_playList[m_current].seconds) * 1000;
        if (m_positionMs < duration)
            return;
        const qint64 over = m_positionMs - duration;
        switch (m_mode) {
        case RepeatSingle:
            m_positionMs = over % duration;
            return;
        case RepeatList:
            m_current = (m_current + 1) % count;
            break;
        case Shuffle:
            m_shuffle = m_shuffle * 1103515245u + 12345u;
            m_current = count > 1
                            ? (m_current + 1 + int((m_shuffle >> 16) % quint32(count - 1))) % count
                            : 0;
            break;
        default:
            if (m_current + 1 >= count) {
                m_state = Stopped;
                m_positionMs = 0;
                return;
            }
            ++m_current;
            break;
        }
        m_positionMs = over;
    }
}

QByteArray UsbMedia::playStatePayload(qint64 now)
{
    advance(now);
    QByteArray out;
    out.append(char(m_mode));
    out.append(char(m_state));
    const quint32 duration = m_playList.isEmpty() ? 0 : m_playList[m_current].seconds;
    wire::appendU16(out, quint16(m_state == Stopped ? 0 : m_positionMs / 1000));
    wire::appendU16(out, quint16(duration));
    return out;
}

QByteArray UsbMedia::currentPlayName(qint64 now)
{
    advance(now);
    return m_playList.isEmpty() ? QByteArray() : m_playList[m_current].name;
}

bool UsbMedia::isPlaying(qint64 now)
{
    advance(now);
    return m_state == Playing;
}

QByteArray UsbMedia::recordStatePayload(qint64 now) const
{
    QByteArray out;
    out.append(char(m_recording ? 1 : 0));
    wire::appendU32(out, m_recording ? quint32((now - m_recordStart) / 1000) : 0u);
    return out;
}

bool UsbMedia::control(const QByteArray& payload, qint64 now)
{
    if (!m_inserted || payload.isEmpty() || m_playList.isEmpty())
        return false;
    advance(now);
    const int count = m_playList.size();
    switch (quint8(payload[0])) {
    case TransportStop:
        m_state = Stopped;
        m_positionMs = 0;
        return true;
    case TransportPlay:
        if (m_state == Stopped)
            start(m_current, now);
        m_state = Playing;
        return true;
    case TransportPause:
        if (m_state == Playing)
            m_state = Paused;
        return true;
    case TransportPlayFile: {
        const int index = indexOf(m_playList, payload.mid(1));
        if (index < 0)
            return false;
        start(index, now);
        return true;
    }
    case TransportPrevious:
        start((m_current + count - 1) % count, now);
        return true;
    case TransportNext:
        start((m_current + 1) % count, now);
        return true;
    case TransportSeek:
        if (payload.size() != 3)
            return false;
        m_positionMs = std::min<qint64>(wire::readU16(payload.constData() + 1),
                                        m_playList[m_current].seconds) *
                       1000;
        advance(now);
        return true;
    case TransportPlayMode:
        if (payload.size() != 2 || quint8(payload[1]) > RepeatList)
            return false;
        m_mode = quint8(payload[1]);
        return true;
    default:
        return false;
    }
}

bool UsbMedia::record(const QByteArray& payload, qint64 now)
{
    if (!m_inserted || payload.isEmpty())
        return false;
    const QByteArray name = payload.mid(1);
    switch (quint8(payload[0])) {
    case RecordStart:
        if (m_recording || name.isEmpty())
            return false;
        m_recording = true;
        m_recordStart = now;
        m_recordName = name;
        return true;
    case RecordStop: {
        if (!m_recording)
            return false;
        m_recording = false;
        const File file{m_recordName, quint32((now - m_recordStart) / 1000)};
        const int existing = indexOf(m_recordList, m_recordName);
        if (existing >= 0)
            m_recordList[existing] = file;
        else
            m_recordList.append(file);
        return true;
    }
    case RecordSelect:
        if (m_recording || indexOf(m_recordList, name) < 0)
            return false;
        m_recordName = name;
        return true;
    default:
        return false;
    }
}
