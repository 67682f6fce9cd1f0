#include "devicesetupedits.h"

#include "datamodel.h"
#include "wire/commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <cmath>
#include <tuple>

using namespace wire;

namespace {

QString versionNumbers(const std::array<quint8, 3>& v)
{
    return QStringLiteral("V%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

bool unknownVersion(const std::array<quint8, 3>& v)
{
    return v[0] == 0 && v[1] == 0 && v[2] == 0;
}

QString twoDigits(quint32 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

bool isHostAddress(quint32 address)
{
    const quint32 first = address >> 24;
    return first >= 1 && first <= 223;
}

// A limit as the unit keeps it: whole dB toward zero.
int wholeDb(float dB)
{
    return int(std::trunc(dB));
}

} // namespace

QString DeviceSetupEdits::dspVersionText(const std::array<quint8, 3>& version, const QString& text)
{
    if (unknownVersion(version))
        return {};
    QString out = versionNumbers(version);
    if (!text.isEmpty())
        out += QLatin1Char('-') + text;
    return out;
}

QString DeviceSetupEdits::armVersionText(const std::array<quint8, 3>& version, quint32 build,
                                         const QString& versionText, bool longForm)
{
    if (unknownVersion(version))
        return {};
    QString out = versionNumbers(version);
    if (longForm) {
        QString word = versionText.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        word.remove(QLatin1Char('#'));
        // Without a version text the long form has nothing to add.
        if (!word.isEmpty())
            out += QLatin1Char('(') + word + QLatin1Char(')');
    }
    if (build != 0)
        out += QLatin1Char('-') + QString::number(build, 16);
    return out;
}

QString DeviceSetupEdits::temperatureText(float celsius)
{
    return QString::number(double(celsius), 'f', 1) + QStringLiteral(" ℃");
}

QString DeviceSetupEdits::runTimeText(quint32 seconds)
{
    return QCoreApplication::translate("DeviceSetupEdits", "%1day %2:%3:%4")
        .arg(seconds / 86400)
        .arg(twoDigits(seconds / 3600 % 24))
        .arg(twoDigits(seconds / 60 % 60))
        .arg(twoDigits(seconds % 60));
}

QString DeviceSetupEdits::addressText(quint32 address)
{
    if (address == 0)
        return {};
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

bool DeviceSetupEdits::macRowShown(const std::array<quint8, 3>& v)
{
    if (unknownVersion(v))
        return true;
    return std::make_tuple(v[0], v[1], v[2]) >= std::make_tuple(1, 0, 19);
}

QString DeviceSetupEdits::indicatorStatus(quint8 statusByte, int bit, bool loggedIn, bool blinkOn)
{
    if (!loggedIn)
        return QStringLiteral("0");
    if (!((statusByte >> bit) & 1u))
        return QStringLiteral("1");
    return blinkOn ? QStringLiteral("2") : QStringLiteral("0");
}

bool DeviceSetupEdits::textFits(const QString& text)
{
    return encodeLocalText(text.trimmed()).size() <= kLocationBytes;
}

DeviceSetupEdits::Outcome DeviceSetupEdits::setLocation(const QString& text)
{
    return setText(m_model.system().location, text, true);
}

DeviceSetupEdits::Outcome DeviceSetupEdits::setDescription(const QString& text)
{
    return setText(m_model.system().description, text, false);
}

DeviceSetupEdits::Outcome DeviceSetupEdits::setText(QString& field, const QString& text,
                                                    bool location)
{
    if (!textFits(text))
        return Outcome::Refused;
    const QString trimmed = text.trimmed();
    if (trimmed == field)
        return Outcome::Unchanged;
    field = trimmed;
    m_model.sync(location ? code::Location : code::Description);
    deliver(m_model, location ? cmd::location(trimmed) : cmd::description(trimmed));
    return Outcome::Sent;
}

bool DeviceSetupEdits::parseAddress(const QString& text, quint32* address)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString& part : parts) {
        // Digits only: no signs, blanks or hexadecimal; a leading zero is still decimal.
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        const uint number = part.toUInt();
        if (number > 255)
            return false;
        value = value << 8 | number;
    }
    *address = value;
    return true;
}

bool DeviceSetupEdits::acceptable(Address which, quint32 address)
{
    switch (which) {
    case Address::IpAddress:
        return isHostAddress(address);
    case Address::Netmask:
        // Ones from the top, then zeros only: ~mask + 1 is a power of two (or 0 for /32).
        return address != 0 && ((~address + 1) & ~address) == 0;
    case Address::Gateway:
        return address == 0 || isHostAddress(address);
    }
    return false;
}

quint32 DeviceSetupEdits::address(Address which) const
{
    const auto& s = m_model.system();
    switch (which) {
    case Address::IpAddress:
        return s.ipAddress;
    case Address::Netmask:
        return s.netmask;
    case Address::Gateway:
        return s.gateway;
    }
    return 0;
}

DeviceSetupEdits::Outcome DeviceSetupEdits::setAddress(Address which, const QString& text)
{
    if (text.trimmed().isEmpty())
        return Outcome::Unchanged;
    quint32 value = 0;
    if (!parseAddress(text, &value) || !acceptable(which, value))
        return Outcome::Refused;
    auto& s = m_model.system();
    // The command carries all three: before the unit has reported them there is nothing
    // sound to send with the one that was typed.
    if (s.ipAddress == 0 || value == address(which))
        return Outcome::Unchanged;
    (which == Address::IpAddress ? s.ipAddress
     : which == Address::Netmask ? s.netmask
                                 : s.gateway) = value;
    deliver(m_model, cmd::networkSettings(s.ipAddress, s.netmask, s.gateway));
    return Outcome::Sent;
}

DeviceSetupEdits::PasswordOutcome DeviceSetupEdits::changePassword(const QString& newPassword,
                                                                   const QString& confirmation)
{
    if (newPassword.isEmpty())
        return PasswordOutcome::Empty;
    if (newPassword != confirmation)
        return PasswordOutcome::Mismatch;
    deliver(m_model, cmd::passwordChange(newPassword));
    return PasswordOutcome::Sent;
}

bool DeviceSetupEdits::setGateReport(bool on)
{
    m_model.system().gateReport = on;
    deliver(m_model, cmd::gateReport(on));
    return true;
}

bool DeviceSetupEdits::isBaudRate(quint32 baud)
{
    return baud == 9600 || baud == 19200 || baud == 57600 || baud == 115200;
}

bool DeviceSetupEdits::setRs232Baud(quint32 baud)
{
    if (!isBaudRate(baud))
        return false;
    m_model.system().rs232Baud = baud;
    deliver(m_model, cmd::rs232BaudRate(baud));
    return true;
}

bool DeviceSetupEdits::setFanTest(bool on)
{
    m_model.system().fanState = on ? 1 : 0;
    m_model.sync(code::Fan);
    deliver(m_model, cmd::fanTest(on));
    return true;
}

int DeviceSetupEdits::stripCount(Strip strip)
{
    return strip == Strip::Input ? kInputStrips : kOutputCount;
}

bool DeviceSetupEdits::rowShown(const DeviceProfile& profile, Strip strip, int channel)
{
    if (channel < 0 || channel >= stripCount(strip))
        return false;
    if (strip == Strip::Input)
        return profile.inputShown(channel);
    return channel < kAlwaysShownOutputs || profile.outputShown(channel);
}

wire::Range DeviceSetupEdits::limitRange(const DeviceProfile& profile, Strip strip, int channel)
{
    if (strip == Strip::Input && channel == profile.usbPlayInput)
        return {range::FaderLimit.lo, kUsbPlayTop};
    return range::FaderLimit;
}

bool DeviceSetupEdits::setFaderLimit(const DeviceProfile& profile, Strip strip, int channel,
                                     Limit limit, int dB)
{
    if (channel < 0 || channel >= stripCount(strip))
        return false;
    const wire::Range r = limitRange(profile, strip, channel);
    const float value = r.clamp(float(dB));
    float& faderMin =
        strip == Strip::Input ? m_model.input(channel).faderMin : m_model.output(channel).faderMin;
    float& faderMax =
        strip == Strip::Input ? m_model.input(channel).faderMax : m_model.output(channel).faderMax;
    float& field = limit == Limit::Minimum ? faderMin : faderMax;
    if (field == value)
        return false;
    field = value;
    const auto ch = quint8(channel);
    if (strip == Strip::Input) {
        deliver(m_model, cmd::inputFaderRange(ch, faderMax, faderMin));
        m_model.sync(code::InputFaderRange, ch);
    } else {
        deliver(m_model, cmd::outputFaderRange(ch, faderMax, faderMin));
        m_model.sync(code::OutputFaderRange, ch);
    }
    return true;
}

int DeviceSetupEdits::faderLimit(Strip strip, int channel, Limit limit) const
{
    if (channel < 0 || channel >= stripCount(strip))
        return 0;
    const float dB = strip == Strip::Input
                         ? (limit == Limit::Minimum ? m_model.input(channel).faderMin
                                                    : m_model.input(channel).faderMax)
                         : (limit == Limit::Minimum ? m_model.output(channel).faderMin
                                                    : m_model.output(channel).faderMax);
    return wholeDb(dB);
}
