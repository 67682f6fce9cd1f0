#include "systemreports.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"
#include "wire/ranges.h"

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
bool fileList(const QVector<UsbMedia::File>& files, wire::Code code, bool withValue,
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
        out.add(code, entry);
    }
    return true;
}

} // namespace

QByteArray SystemReports::channelMasks(const UnitCore& unit)
{
    const UnitState::System& s = unit.state().system;
    QByteArray out;
    for (int i = 0; i < wire::kInputCount; ++i)
        out.append(char((s.inputMask >> i) & 1u));
    for (int o = 0; o < wire::kOutputCount; ++o)
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

bool SystemReports::build(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    const UnitState& state = unit.state();
    const UnitState::System& s = state.system;
    if (code.in(wire::group::System))
        return systemValue(unit, code, out);
    if (code.in(wire::group::UsbMedia))
        return usbValue(unit, code, payload, out);
    switch (code.key()) {
    case wire::code::StatusRecord1.key():
        out.add(code, bytes(s.statusRecord1));
        return true;
    case wire::code::StatusRecordValue.key():
        out.add(code, wire::bytesU16(s.statusRecordValue));
        return true;
    case wire::code::StatusRecord4.key():
        for (int i = 0; i < int(s.statusRecords4.size()); ++i) {
            if (payload.size() == 1 && quint8(payload[0]) != i)
                continue;
            out.add(code, u8(quint8(i)) + bytes(s.statusRecords4[std::size_t(i)]));
        }
        return !out.isEmpty();
    case wire::code::InputLabels.key():
        out.add(code, labelTable(state.labels.inputs, wire::kInputStrips, wire::kLabelBytes));
        return true;
    case wire::code::OutputLabels.key():
        out.add(code, labelTable(state.labels.outputs, wire::kOutputCount, wire::kLabelBytes));
        return true;
    case wire::code::SecondaryLabels.key():
        out.add(code, labelTable(state.labels.inputExtras, wire::kInputStrips,
                                 wire::kSecondaryLabelBytes));
        return true;
    case wire::code::StatusBlock.key():
        out.add(code, bytes(s.statusBlock));
        return true;
    case wire::code::TouchBlock.key():
        for (int i = 0; i < int(s.touchBlocks.size()); ++i) {
            if (payload.size() == 1 && quint8(payload[0]) != i)
                continue;
            out.add(code, u8(quint8(i)) + bytes(s.touchBlocks[std::size_t(i)]));
        }
        return !out.isEmpty();
    case wire::code::TouchMode.key():
        out.add(code, u8(s.touchMode) + wire::bytesU32(s.touchModeValue));
        return true;
    case wire::code::TouchState.key():
        out.add(code, u8(s.touchState));
        return true;
    default:
        return false;
    }
}

bool SystemReports::systemValue(UnitCore& unit, wire::Code code, Replies& out)
{
    const UnitState::System& s = unit.state().system;
    QByteArray p;
    switch (code.key()) {
    case wire::code::Model.key():
        p = s.model;
        break;
    case wire::code::ArmVersion.key():
        p = bytes(s.controllerVersion);
        break;
    case wire::code::DspVersion.key():
        p = bytes(s.dspVersion);
        break;
    case wire::code::SerialNumber.key():
        p = s.serialNumber;
        break;
    case wire::code::ChannelMasks.key():
        p = channelMasks(unit);
        break;
    case wire::code::RunTime.key():
        p = wire::bytesU32(quint32(unit.uptimeMs() / 1000));
        break;
    case wire::code::StatusWord.key():
        p = wire::bytesU32(s.statusWord);
        break;
    case wire::code::BootCount.key():
        p = wire::bytesU32(s.bootCount);
        break;
    case wire::code::Temperature.key():
        wire::appendF32(p, unit.temperature());
        break;
    case wire::code::Location.key():
        p = s.location;
        break;
    case wire::code::Description.key():
        p = s.description;
        break;
    case wire::code::DateTime.key():
        p = dateTime(unit);
        break;
    case wire::code::NetworkSettings.key():
        p = wire::bytesU32(s.ipAddress) + wire::bytesU32(s.netmask) + wire::bytesU32(s.gateway);
        break;
    case wire::code::DeviceStatus.key():
        p = u8(s.deviceStatus);
        break;
    case wire::code::SystemMute.key():
        p = u8(s.systemMute);
        break;
    case wire::code::Rs232Baud.key():
        p = wire::bytesU32(s.rs232Baud);
        break;
    case wire::code::Rs485Baud.key():
        p = wire::bytesU32(s.rs485Baud);
        break;
    case wire::code::DspUsage.key():
        p = wire::bytesU32(s.dspLoad[0]) + wire::bytesU32(s.dspLoad[1]);
        break;
    case wire::code::ComponentStates.key():
        p = bytes(s.components);
        break;
    case wire::code::GateReport.key():
        p = u8(s.gateReport);
        break;
    case wire::code::BuildNumber.key():
        p = wire::bytesU32(s.buildNumber);
        break;
    case wire::code::StatusFlag25.key():
        p = u8(s.statusFlag25);
        break;
    case wire::code::StatusFlag28.key():
        p = u8(s.statusFlag28);
        break;
    case wire::code::DeviceId.key():
        p = wire::bytesU32(s.deviceId);
        break;
    case wire::code::UsbStorage.key():
        p = u8(s.usbStorage);
        break;
    case wire::code::StatusValue33.key():
        p = wire::bytesU16(s.statusValue33);
        break;
    case wire::code::VersionText.key():
        p = s.versionText;
        break;
    case wire::code::StatusWord35.key():
        p = wire::bytesU32(s.statusWord35);
        break;
    case wire::code::Fan.key():
        p = u8(unit.fanRunning() ? 1 : 0);
        break;
    case wire::code::DspVersionText.key():
        p = s.dspVersionText;
        break;
    case wire::code::MacAddress.key():
        p = bytes(s.mac);
        break;
    case wire::code::FormatGeneration.key():
        p = wire::bytesU16(s.formatGeneration) + u8(s.formatExtra);
        break;
    case wire::code::StatusByte161.key():
        p = u8(s.statusByte161);
        break;
    default:
        return false;
    }
    out.add(code, p);
    return true;
}

bool SystemReports::usbValue(UnitCore& unit, wire::Code code, const QByteArray& payload,
                             Replies& out)
{
    UsbMedia& usb = unit.usb();
    const qint64 now = unit.uptimeMs();
    switch (code.key()) {
    case wire::code::PlayFileCount.key():
        out.add(code, wire::bytesU32(quint32(usb.playList().size())));
        return true;
    case wire::code::PlayListEntry.key():
        return fileList(usb.playList(), code, false, payload, out);
    case wire::code::PlayState.key():
        out.add(code, usb.playStatePayload(now));
        return true;
    case wire::code::PlayName.key():
        out.add(code, usb.currentPlayName(now));
        return true;
    case wire::code::RecordFileCount.key():
        out.add(code, wire::bytesU32(quint32(usb.recordList().size())));
        return true;
    case wire::code::RecordListEntry.key():
        return fileList(usb.recordList(), code, true, payload, out);
    case wire::code::RecordState.key():
        out.add(code, usb.recordStatePayload(now));
        return true;
    case wire::code::RecordName.key():
        out.add(code, usb.currentRecordName());
        return true;
    default:
        return false;
    }
}
