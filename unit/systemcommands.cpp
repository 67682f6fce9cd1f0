#include "systemcommands.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"

#include <QDateTime>

namespace {

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

bool SystemCommands::apply(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                           Replies& out)
{
    UnitState::System& s = unit.state().system;
    switch (subType) {
    case 2:
        return applySystem(unit, funcId, payload, out);
    case 3:
        return applyLabel(unit, funcId, payload);
    case 5:
        if (funcId == 4)
            return unit.usb().control(payload, unit.uptimeMs());
        if (funcId == 19)
            return unit.usb().record(payload, unit.uptimeMs());
        return false;
    case 6:
        if (funcId != 1 || payload.size() != 66 || quint8(payload[0]) >= 8 ||
            quint8(payload[1]) >= 3)
            return false;
        std::copy(payload.begin() + 1, payload.end(), s.blocks61[quint8(payload[0])].begin());
        return true;
    case 16:
        if (funcId == 1 && payload.size() == 5 && quint8(payload[0]) < 3) {
            s.mode161 = quint8(payload[0]);
            // The value only means something in mode 2.
            if (s.mode161 == 2)
                s.value161 = wire::readU32(payload.constData() + 1);
            return true;
        }
        if (funcId == 2 && payload.size() == 1 && quint8(payload[0]) < 3) {
            s.value162 = quint8(payload[0]);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool SystemCommands::applySystem(UnitCore& unit, quint8 funcId, const QByteArray& payload,
                                 Replies& out)
{
    UnitState::System& s = unit.state().system;
    const char* p = payload.constData();
    const int n = payload.size();
    switch (funcId) {
    case 10:
        s.location = text(payload, 16);
        return true;
    case 11:
        s.description = text(payload, 16);
        return true;
    case 12:
        return setDateTime(s, payload);
    case 13:
        if (n != 12)
            return false;
        emit unit.networkSettingsRequested(wire::readU32(p), wire::readU32(p + 4),
                                           wire::readU32(p + 8));
        return true;
    case 15:
        // An empty password opens the unit to every login.
        s.password = text(payload, 16);
        out.add(2, 2, 15, QByteArray(1, char(1)));
        return true;
    case 16:
        if (n != 1)
            return false;
        s.systemMute = p[0] ? 1 : 0;
        return true;
    case 17:
    case 18:
        if (n != 4 || !validBaud(wire::readU32(p)))
            return false;
        (funcId == 17 ? s.rs232Baud : s.rs485Baud) = wire::readU32(p);
        return true;
    case 21:
        unit.state().restoreFactoryDsp();
        unit.presets().clear();
        return true;
    case 23:
        if (n != 1)
            return false;
        s.gateReport = p[0] ? 1 : 0;
        return true;
    case 37:
        if (n != 1)
            return false;
        s.fanTest = p[0] ? 1 : 0;
        return true;
    default:
        return false;
    }
}

bool SystemCommands::applyLabel(UnitCore& unit, quint8 funcId, const QByteArray& payload)
{
    if (payload.isEmpty())
        return false;
    UnitState::Labels& labels = unit.state().labels;
    const int ch = quint8(payload[0]);
    const QByteArray value = payload.mid(1);
    switch (funcId) {
    case 1:
        if (ch >= UnitState::kInputs)
            return false;
        labels.inputs[std::size_t(ch)] = text(value, UnitState::kLabelSize);
        return true;
    case 2:
        if (ch >= UnitState::kOutputs)
            return false;
        labels.outputs[std::size_t(ch)] = text(value, UnitState::kLabelSize);
        return true;
    case 3:
        if (ch >= UnitState::kInputs)
            return false;
        labels.inputExtras[std::size_t(ch)] = text(value, UnitState::kExtraLabelSize);
        return true;
    default:
        return false;
    }
}
