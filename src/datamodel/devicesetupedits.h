#pragma once

#include "deviceprofile.h"
#include "wire/ranges.h"

#include <QString>
#include <array>

class DataModel;

// The unit's system settings as the setup window edits them, and the texts it shows for the
// unit's identity and health. Each edit writes the mirror and sends its command only when the
// value is acceptable and differs from what the unit has; refused input changes nothing.
class DeviceSetupEdits
{
public:
    enum class Outcome
    {
        Sent,
        Unchanged, // nothing to send: the same value, an empty field, or nothing known yet
        Refused,   // the input is not acceptable; nothing stored or sent
    };
    enum class Address
    {
        IpAddress,
        Netmask,
        Gateway,
    };
    enum class PasswordOutcome
    {
        Sent,
        Empty,
        Mismatch,
    };
    enum class Strip
    {
        Input,
        Output,
    };
    enum class Limit
    {
        Minimum,
        Maximum,
    };

    static constexpr int kStatusBits = 8;
    static constexpr int kPasswordCharacters = 8;
    // Outputs below this exist in every configuration.
    static constexpr int kAlwaysShownOutputs = 8;

    explicit DeviceSetupEdits(DataModel& model) : m_model(model) {}

    // --- what the window shows
    // "V1.2.3" and the DSP's own text after a dash; empty while the unit has told nothing.
    static QString dspVersionText(const std::array<quint8, 3>& version, const QString& text);
    // The controller version with its build number in hexadecimal; the long form adds the
    // first word of the unit's version text (without "#") in brackets.
    static QString armVersionText(const std::array<quint8, 3>& version, quint32 build,
                                  const QString& versionText, bool longForm);
    static bool temperatureShown(float celsius) { return celsius > 0.0f; }
    static QString temperatureText(float celsius);
    static QString runTimeText(quint32 seconds);
    // Dotted, most significant byte first; empty for 0 (not reported).
    static QString addressText(quint32 address);
    // Controllers from 1.0.19 on report their MAC address; 0.0.0 is a unit not heard yet.
    static bool macRowShown(const std::array<quint8, 3>& controllerVersion);

    // Status indicators, bit 0 (DSP) to bit 7 (Ethernet): "0" off, "1" normal, "2" error.
    // A faulty component blinks between "0" and "2" with `blinkOn`.
    static QString indicatorStatus(quint8 statusByte, int bit, bool loggedIn, bool blinkOn);
    static bool blinks(quint8 statusByte, bool loggedIn) { return loggedIn && statusByte != 0; }

    // --- edits
    // Whether the trimmed text fits the unit's 16 bytes in the local 8-bit encoding.
    static bool textFits(const QString& text);
    Outcome setLocation(const QString& text);
    Outcome setDescription(const QString& text);

    // Four decimal numbers 0..255; nothing else.
    static bool parseAddress(const QString& text, quint32* address);
    // A host address (first number 1..223), a subnet mask (ones from the top), or a gateway
    // (a host address, or 0 for none).
    static bool acceptable(Address which, quint32 address);
    Outcome setAddress(Address which, const QString& text);
    quint32 address(Address which) const;

    PasswordOutcome changePassword(const QString& newPassword, const QString& confirmation);

    bool setGateReport(bool on);
    static bool isBaudRate(quint32 baud);
    bool setRs232Baud(quint32 baud);
    bool setFanTest(bool on);

    // --- the strips' fader ranges
    static int stripCount(Strip strip);
    // Rows of the window's tables: hidden inputs, and hidden outputs above the first eight,
    // are left out.
    static bool rowShown(const DeviceProfile& profile, Strip strip, int channel);
    // The USB play strip never rises above unity.
    static wire::Range limitRange(const DeviceProfile& profile, Strip strip, int channel);
    // Stores one end of a strip's range (whole dB, within limitRange) and sends both ends;
    // false when nothing changed or the channel is unknown.
    bool setFaderLimit(const DeviceProfile& profile, Strip strip, int channel, Limit limit, int dB);
    // The ends as the window shows them: whole dB, truncated toward zero.
    int faderLimit(Strip strip, int channel, Limit limit) const;

private:
    Outcome setText(QString& field, const QString& text, bool location);

    DataModel& m_model;
};
