#include "usbmediaedits.h"

#include "datamodel.h"
#include "wire/commands.h"

using namespace wire;

namespace {

constexpr quint8 kStopped = 0;
constexpr quint8 kPlaying = 1;
constexpr quint8 kPaused = 2;
constexpr quint8 kModes = 4;

QString twoDigits(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString clock(qint64 seconds, bool withHours)
{
    seconds = qMax<qint64>(0, seconds);
    if (withHours)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(twoDigits(seconds / 60 % 60), twoDigits(seconds % 60));
    return QStringLiteral("%1:%2").arg(twoDigits(seconds / 60), twoDigits(seconds % 60));
}

} // namespace

QString UsbMediaEdits::playTime(quint16 position, quint16 duration)
{
    const bool hours = duration >= 3600;
    return clock(position, hours) + QStringLiteral(" / ") + clock(duration, hours);
}

QString UsbMediaEdits::recordTime(qint64 seconds)
{
    return clock(seconds, seconds >= 3600);
}

QString UsbMediaEdits::recordFileName(const QString& typed)
{
    const QString name = typed.trimmed();
    if (name.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".wav");
}

bool UsbMediaEdits::recordNameFits(const QString& name)
{
    return encodeLocalText(name).size() <= kRecordNameBytes;
}

void UsbMediaEdits::stop()
{
    m_model.usbMedia().state = kStopped;
    deliver(m_model, cmd::usbStop());
}

void UsbMediaEdits::play()
{
    m_model.usbMedia().state = kPlaying;
    deliver(m_model, cmd::usbPlay());
}

void UsbMediaEdits::pause()
{
    m_model.usbMedia().state = kPaused;
    deliver(m_model, cmd::usbPause());
}

void UsbMediaEdits::playFile(const QString& name)
{
    m_model.usbMedia().state = kPlaying;
    deliver(m_model, cmd::usbPlayFile(name));
}

void UsbMediaEdits::previous()
{
    deliver(m_model, cmd::usbPrevious());
}

void UsbMediaEdits::next()
{
    deliver(m_model, cmd::usbNext());
}

void UsbMediaEdits::seek(quint16 seconds)
{
    m_model.usbMedia().position = seconds;
    deliver(m_model, cmd::usbSeek(seconds));
}

void UsbMediaEdits::setMode(quint8 mode)
{
    if (mode >= kModes)
        return;
    m_model.usbMedia().mode = mode;
    deliver(m_model, cmd::usbPlayMode(mode));
}

UsbMediaEdits::RecordStart UsbMediaEdits::startRecording(const QString& typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return RecordStart::NoName;
    if (!recordNameFits(name))
        return RecordStart::TooLong;
    deliver(m_model, cmd::usbRecordStart(recordFileName(name)));
    return RecordStart::Started;
}

void UsbMediaEdits::stopRecording()
{
    deliver(m_model, cmd::usbRecordStop());
}

void UsbMediaEdits::selectRecording(const QString& name)
{
    deliver(m_model, cmd::usbRecordSelect(name));
}
