// Handlers of the system reports (type 2) that need more than one generic call.
#include "reportrules.h"

namespace reports::system {

namespace {

quint32 maskOf(const char* data, int count)
{
    quint32 mask = 0;
    for (int i = 0; i < count; ++i) {
        if (data[i] != 0)
            mask |= 1u << i;
    }
    return mask;
}

// A table of fixed-width, NUL-padded label texts, entry i for channel i.
template <typename At> void labels(const Report& r, int cap, int width, At at)
{
    perChannel(r, cap, width, at,
               [width](const char* p, const QString&) { return localText(p, width); });
}

// A file count whose change makes the list worth reading again.
void fileCount(const Report& r, quint32& field, wire::Code list)
{
    if (!update(field, r.u32(0)))
        return;
    r.sync();
    r.model.sendQuery(list);
}

} // namespace

void channelMasks(const Report& r)
{
    // Up to 18 input presence bytes, then 16 output bytes.
    const int inputCount = qMin(r.size - wire::kOutputCount, wire::kInputCount);
    auto& s = r.model.system();
    bool changed = update(s.inputMask, maskOf(r.data, inputCount));
    changed |= update(s.outputMask, maskOf(r.data + inputCount, wire::kOutputCount));
    if (changed)
        r.sync();
}

void network(const Report& r)
{
    auto& s = r.model.system();
    bool changed = update(s.ipAddress, r.u32(0));
    changed |= update(s.netmask, r.u32(4));
    changed |= update(s.gateway, r.u32(8));
    if (changed)
        r.sync();
}

void statusWords(const Report& r)
{
    scalar(r, r.model.system().statusWords, std::array<quint32, 2>{r.u32(0), r.u32(4)});
}

void componentStates(const Report& r)
{
    auto& states = r.model.system().componentStates;
    std::array<quint8, 5> next = states;
    for (std::size_t i = 0; i < next.size(); ++i)
        next[i] = validBelow(r.u8(int(i)), wire::kComponentStates, next[i]);
    scalar(r, states, next);
}

void rs232Baud(const Report& r)
{
    quint32& baud = r.model.system().rs232Baud;
    const quint32 value = r.u32(0);
    const bool known = value == 9600 || value == 19200 || value == 57600 || value == 115200;
    scalar(r, baud, known ? value : baud);
}

void deviceId(const Report& r)
{
    const quint32 id = r.u32(0);
    if (!update(r.model.system().deviceId, id))
        return;
    r.sync();
    r.model.mergeReportedDeviceId(id);
}

void versionText(const Report& r)
{
    QString& field = r.model.system().versionText;
    if (r.isReport()) {
        text(r, field);
        return;
    }
    // A unit without a version text answers the read with a non-report: the text is gone.
    field.clear();
    r.sync();
}

void macAddress(const Report& r)
{
    const QString mac = QString::fromLatin1(QByteArray(r.data, 6).toHex('-').toUpper());
    scalar(r, r.model.system().macAddress, mac);
}

void formatGeneration(const Report& r)
{
    char bytes[3] = {4, 0, 0};
    std::memcpy(bytes, r.data, std::size_t(qMin(r.size, 3)));
    const quint16 reported = wire::readU16(bytes);
    // Only two layouts exist; anything but 6 means the older one.
    const quint16 generation = reported == 6 ? 6 : 4;
    auto& s = r.model.system();
    bool changed = update(s.formatGeneration, generation);
    changed |= update(s.formatExtra, quint8(bytes[2]));
    if (changed)
        r.sync();
}

void statusByte161(const Report& r)
{
    quint8& field = r.model.system().statusByte161;
    if (r.isReport()) {
        if (update(field, r.u8(0)))
            r.sync(0);
        return;
    }
    field = 2;
    r.sync(0);
}

void inputLabels(const Report& r)
{
    labels(r, wire::kInputStrips, wire::kLabelBytes, inputs(&model::InputChannel::label));
}

void outputLabels(const Report& r)
{
    labels(r, wire::kOutputCount, wire::kLabelBytes, outputs(&model::OutputChannel::label));
}

void extraLabels(const Report& r)
{
    labels(r, wire::kInputStrips, wire::kSecondaryLabelBytes,
           inputs(&model::InputChannel::extraText));
}

void playFileCount(const Report& r)
{
    fileCount(r, r.model.usbMedia().playFileCount, wire::code::PlayListEntry);
}

void playListEntry(const Report& r)
{
    const QVariantList entry{qint32(r.u32(0)), utf8Text(r.data + 4, r.size - 4)};
    r.sync(255, 255, entry);
}

void playState(const Report& r)
{
    auto& usb = r.model.usbMedia();
    // While a transport command is recent, the unit's mode may still be the old one.
    const quint8 mode = r.model.recentCommand().holds(wire::code::PlayControl)
                            ? usb.mode
                            : validBelow(r.u8(0), 4, usb.mode);
    bool changed = update(usb.mode, mode);
    changed |= update(usb.state, validBelow(r.u8(1), 3, usb.state));
    changed |= update(usb.position, r.u16(2));
    changed |= update(usb.duration, r.u16(4));
    if (changed)
        r.sync();
}

void playName(const Report& r)
{
    scalar(r, r.model.usbMedia().currentPlayName, utf8Text(r.data, r.size));
}

void recordFileCount(const Report& r)
{
    fileCount(r, r.model.usbMedia().recordFileCount, wire::code::RecordListEntry);
}

void recordListEntry(const Report& r)
{
    // The index comes last, so that the value and the name keep their places.
    const QVariantList entry{r.u32(4), utf8Text(r.data + 8, r.size - 8), qint32(r.u32(0))};
    r.sync(255, 255, entry);
}

void recordState(const Report& r)
{
    auto& usb = r.model.usbMedia();
    const quint8 flag = validBelow(r.u8(0), 2, quint8(usb.recording));
    bool changed = update(usb.recording, flag != 0);
    changed |= update(usb.recordValue, qint32(r.u32(1)));
    if (changed)
        r.sync();
}

void recordName(const Report& r)
{
    scalar(r, r.model.usbMedia().currentRecordName, utf8Text(r.data, r.size));
}

void block61(const Report& r)
{
    const quint8 index = r.u8(0);
    if (index >= 8 || r.u8(1) >= 3)
        return;
    if (update(r.model.system().block61[index], QByteArray(r.data + 1, 65)))
        r.sync(255, index);
}

void touchMode(const Report& r)
{
    auto& s = r.model.system();
    const quint8 mode = r.u8(0);
    // The value means something only in mode 2.
    bool changed = update(s.touchMode, validBelow(mode, 3, s.touchMode));
    if (mode == 2)
        changed |= update(s.touchValue, r.u32(1));
    if (changed)
        r.sync();
}

} // namespace reports::system
