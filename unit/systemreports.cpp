#include "systemreports.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"

#include <QDateTime>

namespace {

QByteArray u8(quint8 v)
{
    return QByteArray(1, char(v));
}

template <std::size_t N> QByteArray bytes(const std::array<quint8, N>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), int(N));
}

// Fixed-width NUL-padded text fields, one per channel.
template <std::size_t N>
QByteArray labelTable(const std::array<QByteArray, N>& labels, int count, int width)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        QByteArray field = labels[std::size_t(i)].left(width);
        field.append(QByteArray(width - field.size(), '\0'));
        out.append(field);
    }
    return out;
}

// Per-entry file list reports: every entry for an empty selector, one for an i32 index.
bool fileList(const QVector<UsbMedia::File>& files, quint8 funcId, bool withValue,
              const QByteArray& payload, Replies& out)
{
    int first = 0;
    int last = files.size() - 1;
    if (payload.size() == 4) {
        first = last = int(wire::readU32(payload.constData()));
        if (first < 0 || first >= files.size())
            return false;
    } else if (!payload.isEmpty()) {
        return false;
    }
    for (int i = first; i <= last; ++i) {
        QByteArray entry;
        wire::appendU32(entry, quint32(i));
        if (withValue)
            wire::appendU32(entry, files[i].seconds);
        entry.append(files[i].name);
        out.add(2, 5, funcId, entry);
    }
    return true;
}

} // namespace

QByteArray SystemReports::channelMasks(const UnitCore& unit)
{
    const UnitState::System& s = unit.state().system;
    QByteArray out;
    for (int i = 0; i < UnitState::kInputs; ++i)
        out.append(char((s.inputMask >> i) & 1u));
    for (int o = 0; o < UnitState::kOutputs; ++o)
        out.append(char((s.outputMask >> o) & 1u));
    out.append(char(s.dante ? 1 : 0));
    return out;
}

QByteArray SystemReports::dateTime(const UnitCore& unit)
{
    const QDateTime now =
        QDateTime::currentDateTime().addSecs(unit.state().system.clockOffsetSeconds);
    const QDate d = now.date();
    const QTime t = now.time();
    QByteArray out;
    out.append(char(t.second()));
    out.append(char(t.minute()));
    out.append(char(t.hour()));
    out.append(char(d.day()));
    out.append(char(0));
    out.append(char(d.month() - 1));
    out.append(char(d.year() - 1900));
    return out;
}

bool SystemReports::build(UnitCore& unit, quint8 type, quint8 subType, quint8 funcId,
                          const QByteArray& payload, Replies& out)
{
    const UnitState& state = unit.state();
    const UnitState::System& s = state.system;
    if (type == 4) {
        if (subType != 1)
            return false;
        switch (funcId) {
        case 1:
            out.add(4, 1, 1, bytes(s.record41));
            return true;
        case 3:
            out.add(4, 1, 3, wire::bytesU16(s.record43));
            return true;
        case 4:
            for (int i = 0; i < int(s.records44.size()); ++i) {
                if (payload.size() == 1 && quint8(payload[0]) != i)
                    continue;
                out.add(4, 1, 4, u8(quint8(i)) + bytes(s.records44[std::size_t(i)]));
            }
            return !out.isEmpty();
        default:
            return false;
        }
    }
    if (type != 2)
        return false;
    switch (subType) {
    case 2:
        return systemValue(unit, funcId, out);
    case 3:
        if (funcId == 1)
            out.add(2, 3, 1, labelTable(state.labels.inputs, 17, UnitState::kLabelSize));
        else if (funcId == 2)
            out.add(2, 3, 2,
                    labelTable(state.labels.outputs, UnitState::kOutputs, UnitState::kLabelSize));
        else if (funcId == 3)
            out.add(2, 3, 3, labelTable(state.labels.inputExtras, 17, UnitState::kExtraLabelSize));
        else
            return false;
        return true;
    case 4:
        if (funcId != 1)
            return false;
        out.add(2, 4, 1, bytes(s.statusBlock41));
        return true;
    case 5:
        return usbValue(unit, funcId, payload, out);
    case 6:
        if (funcId != 1)
            return false;
        for (int i = 0; i < int(s.blocks61.size()); ++i) {
            if (payload.size() == 1 && quint8(payload[0]) != i)
                continue;
            out.add(2, 6, 1, u8(quint8(i)) + bytes(s.blocks61[std::size_t(i)]));
        }
        return !out.isEmpty();
    case 16:
        if (funcId == 1)
            out.add(2, 16, 1, u8(s.mode161) + wire::bytesU32(s.value161));
        else if (funcId == 2)
            out.add(2, 16, 2, u8(s.value162));
        else
            return false;
        return true;
    default:
        return false;
    }
}

bool SystemReports::systemValue(UnitCore& unit, quint8 funcId, Replies& out)
{
    const UnitState::System& s = unit.state().system;
    QByteArray p;
    switch (funcId) {
    case 1:
        p = s.model;
        break;
    case 2:
        p = bytes(s.controllerVersion);
        break;
    case 3:
        p = bytes(s.dspVersion);
        break;
    case 4:
        p = s.serialNumber;
        break;
    case 5:
        p = channelMasks(unit);
        break;
    case 6:
        p = wire::bytesU32(quint32(unit.uptimeMs() / 1000));
        break;
    case 7:
        p = wire::bytesU32(s.statusWord);
        break;
    case 8:
        p = wire::bytesU32(s.bootCount);
        break;
    case 9:
        wire::appendF32(p, unit.temperature());
        break;
    case 10:
        p = s.location;
        break;
    case 11:
        p = s.description;
        break;
    case 12:
        p = dateTime(unit);
        break;
    case 13:
        p = wire::bytesU32(s.ipAddress) + wire::bytesU32(s.netmask) + wire::bytesU32(s.gateway);
        break;
    case 14:
        p = u8(s.deviceStatus);
        break;
    case 16:
        p = u8(s.systemMute);
        break;
    case 17:
        p = wire::bytesU32(s.rs232Baud);
        break;
    case 18:
        p = wire::bytesU32(s.rs485Baud);
        break;
    case 19:
        p = wire::bytesU32(s.dspLoad[0]) + wire::bytesU32(s.dspLoad[1]);
        break;
    case 20:
        p = bytes(s.components);
        break;
    case 23:
        p = u8(s.gateReport);
        break;
    case 24:
        p = wire::bytesU32(s.buildNumber);
        break;
    case 25:
        p = u8(s.statusFlag25);
        break;
    case 28:
        p = u8(s.statusFlag28);
        break;
    case 29:
        p = wire::bytesU32(s.deviceId);
        break;
    case 32:
        p = u8(s.usbStorage);
        break;
    case 33:
        p = wire::bytesU16(s.codeValue);
        break;
    case 34:
        p = s.versionText;
        break;
    case 35:
        p = wire::bytesU32(s.statusWord35);
        break;
    case 37:
        p = u8(unit.fanRunning() ? 1 : 0);
        break;
    case 38:
        p = s.dspVersionText;
        break;
    case 39:
        p = bytes(s.mac);
        break;
    case 40:
        p = wire::bytesU16(s.formatGeneration) + u8(s.formatExtra);
        break;
    case 161:
        p = u8(s.statusByte161);
        break;
    default:
        return false;
    }
    out.add(2, 2, funcId, p);
    return true;
}

bool SystemReports::usbValue(UnitCore& unit, quint8 funcId, const QByteArray& payload, Replies& out)
{
    UsbMedia& usb = unit.usb();
    const qint64 now = unit.uptimeMs();
    switch (funcId) {
    case 1:
        out.add(2, 5, 1, wire::bytesU32(quint32(usb.playList().size())));
        return true;
    case 2:
        return fileList(usb.playList(), 2, false, payload, out);
    case 3:
        out.add(2, 5, 3, usb.playStatePayload(now));
        return true;
    case 5:
        out.add(2, 5, 5, usb.currentPlayName(now));
        return true;
    case 16:
        out.add(2, 5, 16, wire::bytesU32(quint32(usb.recordList().size())));
        return true;
    case 17:
        return fileList(usb.recordList(), 17, true, payload, out);
    case 18:
        out.add(2, 5, 18, usb.recordStatePayload(now));
        return true;
    case 20:
        out.add(2, 5, 20, usb.currentRecordName());
        return true;
    default:
        return false;
    }
}
