#include "statusdatagram.h"

#include "unitcore.h"
#include "wire/records.h"

#include <cstring>

namespace {

template <std::size_t N> void putText(char (&field)[N], const QByteArray& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.constData(), qMin<std::size_t>(N, std::size_t(text.size())));
}

} // namespace

QByteArray StatusDatagram::build(const UnitCore& unit, const QByteArray& presetName)
{
    const UnitState::System& s = unit.state().system;
    const quint32 runTime = quint32(unit.uptimeMs() / 1000);
    wire::UDPBrowsingPacket d;
    std::memset(&d, 0, sizeof d);
    d.header = wire::kBrowsingHeader;
    d.deviceId = s.deviceId;
    // 6 for the units that speak the newer payload formats, 4 for the others.
    d.packetType =
        s.formatGeneration == wire::kWideFormat ? wire::kWideFormat : wire::kNarrowFormat;
    d.ipAddress = s.ipAddress;
    d.runTime = runTime;
    d.totalTime = s.totalTimeBase + runTime;
    const QByteArray version = "V" + QByteArray::number(s.controllerVersion[0]) + "." +
                               QByteArray::number(s.controllerVersion[1]) + "." +
                               QByteArray::number(s.controllerVersion[2]);
    putText(d.armVersion, version);
    std::memcpy(d.dspVersion, s.dspVersion.data(), sizeof d.dspVersion);
    putText(d.model, s.model);
    putText(d.serialNumber, s.serialNumber);
    putText(d.location, s.location);
    putText(d.description, s.description);
    d.fault = s.deviceStatus;
    putText(d.preset, presetName);
    d.tail = wire::kBrowsingTail;
    return QByteArray(reinterpret_cast<const char*>(&d), int(sizeof d));
}
