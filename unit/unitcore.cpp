#include "unitcore.h"

#include "dspcommands.h"
#include "dspreports.h"
#include "systemcommands.h"
#include "systemreports.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
// The cabinet warms and cools over ten minutes around the fan's switching band.
constexpr double kThermalPeriodMs = 600000.0;

double thermalPhase(qint64 uptimeMs)
{
    return kTwoPi * double(uptimeMs) / kThermalPeriodMs;
}

} // namespace

UnitCore::UnitCore(const ChannelProfile& profile, quint32 deviceId, QObject* parent)
    : QObject(parent), m_state(profile, deviceId), m_usb(profile.hasUsb()), m_transfer(m_presets),
      m_firmware(m_state)
{
    m_started.start();
}

qint64 UnitCore::uptimeMs() const
{
    return m_clock ? m_clock() : m_started.elapsed();
}

void UnitCore::setClock(std::function<qint64()> uptimeMs)
{
    m_clock = std::move(uptimeMs);
}

MeterEngine::Levels UnitCore::meters()
{
    const qint64 now = uptimeMs();
    return MeterEngine::compute(m_state, now, m_usb.isPlaying(now));
}

float UnitCore::temperature() const
{
    return float(28.5 + 3.5 * std::sin(thermalPhase(uptimeMs())));
}

bool UnitCore::fanRunning() const
{
    if (m_state.system.fanTest)
        return true;
    // On from 30 degrees, off at 27: on the way down the fan keeps running through the band.
    const double phase = thermalPhase(uptimeMs());
    const double t = 28.5 + 3.5 * std::sin(phase);
    return t >= 30.0 || (t > 27.0 && std::cos(phase) < 0.0);
}

Replies UnitCore::read(const wire::PacketHeader& header, const QByteArray& payload)
{
    Replies out;
    switch (header.type) {
    case wire::DspFamily:
        DspReports::build(*this, header.code(), payload, out);
        break;
    case wire::SystemFamily:
    case wire::StatusFamily:
        SystemReports::build(*this, header.code(), payload, out);
        break;
    default:
        break;
    }
    return out;
}

Replies UnitCore::command(const wire::PacketHeader& header, const QByteArray& payload)
{
    Replies out;
    switch (header.type) {
    case wire::DspFamily:
        DspCommands::apply(*this, header.code(), payload, out);
        break;
    case wire::SystemFamily:
        SystemCommands::apply(*this, header.code(), payload, out);
        break;
    case wire::UpgradeFamily:
        m_firmware.handle(header.code(), payload, out);
        break;
    default:
        break;
    }
    return out;
}
