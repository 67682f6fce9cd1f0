#include "systemcommands.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"
#include "wire/ranges.h"

#include <QDateTime>

namespace {

constexpr int kPasswordBytes = 16;
// A touch block command is [index, block] with a block whose first byte is below this; the
// touch mode and state take values below it too.
constexpr quint8 kTouchValues = 3;
// The touch mode whose value the unit keeps.
constexpr quint8 kTouchModeWithValue = 2;

// Texts are stored up to their first NUL and cut to the field width.
QByteArray text(const QByteArray& bytes, int width)
{
    const int nul = bytes.indexOf('\0');
    return bytes.left(nul < 0 ? width : qMin(nul, width));
}

bool validBaud(quint32 baud)
{
    return baud == 9600 || baud == 19200 || baud == 57600 || baud == 115200;
}

bool setDateTime(UnitState::System& s, const QByteArray& p)
{
    if (p.size() != 7)
        return false;
    const QDate date{1900 + quint8(p[6]), quint8(p[5]) + 1, quint8(p[3])};
    const QTime time{quint8(p[2]), quint8(p[1]), quint8(p[0])};
    if (!date.isValid() || !time.isValid())
        return false;
    s.clockOffsetSeconds = QDateTime::currentDateTime().secsTo(QDateTime(date, time));
    return true;
}

} // namespace

bool SystemCommands::apply(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    UnitState::System& s = unit.state().system;
    if (code.in(wire::group::System))
        return applySystem(unit, code, payload, out);
    if (code.in(wire::group::Labels))
        return applyLabel(unit, code, payload);
    switch (code.key()) {
    case wire::code::PlayControl.key():
        return unit.usb().control(payload, unit.uptimeMs());
    case wire::code::RecordControl.key():
        return unit.usb().record(payload, unit.uptimeMs());
    case wire::code::TouchBlock.key():
        if (payload.size() != 1 + int(s.touchBlocks[0].size()) ||
            quint8(payload[0]) >= s.touchBlocks.size() || quint8(payload[1]) >= kTouchValues)
            return false;
        std::copy(payload.begin() + 1, payload.end(), s.touchBlocks[quint8(payload[0])].begin());
        return true;
    case wire::code::TouchMode.key():
        if (payload.size() != 5 || quint8(payload[0]) >= kTouchValues)
            return false;
        s.touchMode = quint8(payload[0]);
        // The value only means something in that mode.
        if (s.touchMode == kTouchModeWithValue)
            s.touchModeValue = wire::readU32(payload.constData() + 1);
        return true;
    case wire::code::TouchState.key():
        if (payload.size() != 1 || quint8(payload[0]) >= kTouchValues)
            return false;
        s.touchState = quint8(payload[0]);
        return true;
    default:
        return false;
    }
}

bool SystemCommands::applySystem(UnitCore& unit, wire::Code code, const QByteArray& payload,
                                 Replies& out)
{
    UnitState::System& s = unit.state().system;
    const char* p = payload.constData();
    const int n = payload.size();
    switch (code.key()) {
    case wire::code::Location.key():
        s.location = text(payload, wire::kLocationBytes);
        return true;
    case wire::code::Description.key():
        s.description = text(payload, wire::kDescriptionBytes);
        return true;
    case wire::code::DateTime.key():
        return setDateTime(s, payload);
    case wire::code::NetworkSettings.key():
        if (n != 12)
            return false;
        emit unit.networkSettingsRequested(wire::readU32(p), wire::readU32(p + 4),
                                           wire::readU32(p + 8));
        return true;
    case wire::code::PasswordChange.key():
        // An empty password opens the unit to every login.
        s.password = text(payload, kPasswordBytes);
        out.add(code, QByteArray(1, char(1)));
        return true;
    case wire::code::SystemMute.key():
        if (n != 1)
            return false;
        s.systemMute = p[0] ? 1 : 0;
        return true;
    case wire::code::Rs232Baud.key():
    case wire::code::Rs485Baud.key():
        if (n != 4 || !validBaud(wire::readU32(p)))
            return false;
        (code == wire::code::Rs232Baud ? s.rs232Baud : s.rs485Baud) = wire::readU32(p);
        return true;
    case wire::code::FactoryReset.key():
        unit.state().restoreFactoryDsp();
        unit.presets().clear();
        return true;
    case wire::code::GateReport.key():
        if (n != 1)
            return false;
        s.gateReport = p[0] ? 1 : 0;
        return true;
    case wire::code::Fan.key():
        if (n != 1)
            return false;
        s.fanTest = p[0] ? 1 : 0;
        return true;
    default:
        return false;
    }
}

bool SystemCommands::applyLabel(UnitCore& unit, wire::Code code, const QByteArray& payload)
{
    if (payload.isEmpty())
        return false;
    UnitState::Labels& labels = unit.state().labels;
    const int ch = quint8(payload[0]);
    const QByteArray value = payload.mid(1);
    switch (code.key()) {
    case wire::code::InputLabels.key():
        if (ch >= wire::kInputCount)
            return false;
        labels.inputs[std::size_t(ch)] = text(value, wire::kLabelBytes);
        return true;
    case wire::code::OutputLabels.key():
        if (ch >= wire::kOutputCount)
            return false;
        labels.outputs[std::size_t(ch)] = text(value, wire::kLabelBytes);
        return true;
    case wire::code::SecondaryLabels.key():
        if (ch >= wire::kInputCount)
            return false;
        labels.inputExtras[std::size_t(ch)] = text(value, wire::kSecondaryLabelBytes);
        return true;
    default:
        return false;
    }
}
