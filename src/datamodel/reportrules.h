#pragma once

// The unit's reports: one rule per (type, subType, funcId) saying how long its payload may be,
// which recent command holds it back, and which handler stores it in the mirror. The table
// itself is in reportrules.cpp; the helpers below let most rows be a single call.
#include "datamodel.h"
#include "wire/ranges.h"

#include <QVariant>
#include <cmath>
#include <cstring>

namespace reports {

// One inbound packet as a handler sees it.
struct Report
{
    DataModel& model;
    wire::Code code;
    quint8 access;
    const char* data;
    int size;
    // The code is announced on its first report even when the value equals the mirror's.
    bool announces;

    bool isReport() const { return access == wire::AccessReport; }
    // Whether this report must be announced although nothing changed.
    bool firstSight() const;
    quint8 u8(int offset) const { return quint8(data[offset]); }
    quint16 u16(int offset) const { return wire::readU16(data + offset); }
    quint32 u32(int offset) const { return wire::readU32(data + offset); }
    float f32(int offset) const { return wire::readF32(data + offset); }
    QByteArray bytes() const { return QByteArray(data, size); }
    // Emits tcpSyncToUI with this report's codes.
    void sync(quint8 channel = 255, quint8 other = 255, const QVariant& any = QVariant()) const;
};

using Handler = void (*)(const Report&);

// Accepted payload sizes, inclusive.
struct Length
{
    quint16 min;
    quint16 max;
};
constexpr Length exactly(quint16 n)
{
    return {n, n};
}
constexpr Length atLeast(quint16 n)
{
    return {n, 0xFFFF};
}
constexpr Length moreThan(quint16 n)
{
    return {quint16(n + 1), 0xFFFF};
}
constexpr Length atMost(quint16 n)
{
    return {0, n};
}
constexpr Length between(quint16 min, quint16 max)
{
    return {min, max};
}
constexpr Length anyLength()
{
    return {0, 0xFFFF};
}

// Echo suppression: while the recent command matches, the report is ignored so that a value
// being edited is not pulled back by an answer to an older read.
struct Hold
{
    enum Kind : quint8
    {
        Never,
        Group,   // any command of the same type and subType
        FuncIds, // a command of the same type and subType with funcId in [from, to]
    };
    Kind kind;
    quint8 from;
    quint8 to;
};
constexpr Hold never()
{
    return {Hold::Never, 0, 0};
}
constexpr Hold group()
{
    return {Hold::Group, 0, 0};
}
constexpr Hold byFunc(quint8 funcId)
{
    return {Hold::FuncIds, funcId, funcId};
}
constexpr Hold byFuncs(quint8 from, quint8 to)
{
    return {Hold::FuncIds, from, to};
}

enum Flag : quint8
{
    ReportsOnly = 0,
    AnyAccess = 1,     // also taken when access is not 0x80; the handler tells them apart
    AnnounceFirst = 2, // emitted on its first report even when unchanged
};

struct Rule
{
    wire::Code code;
    Length length;
    Hold hold;
    Handler handle;
    quint8 flags = ReportsOnly;
};

struct RuleTable
{
    const Rule* begin;
    const Rule* end;
};
RuleTable rules();
const Rule* findRule(wire::Code code);
bool isHeld(const Rule& rule, const RecentCommand& recent);

// Validates one inbound packet against its rule and lets the rule's handler store it.
void apply(DataModel& model, const wire::PacketHeader& header, const char* payload);

// --- value rules

inline bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Limits a reported float to its range; a NaN is out of every range and keeps `current`.
inline float clamped(float value, wire::Range range, float current)
{
    if (std::isnan(value))
        return current;
    return qBound(range.lo, value, range.hi);
}

// A value that must lie below `limit`; anything else keeps `current`.
template <typename T> T validBelow(quint32 value, quint32 limit, T current)
{
    return value < limit ? T(value) : current;
}

// Stores `value` when it differs from `field`; floats compare by bit pattern.
template <typename T> bool update(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
inline bool update(float& field, const float& value)
{
    if (sameBits(field, value))
        return false;
    field = value;
    return true;
}

// --- field addresses for the per-channel helpers: callables (DataModel&, int) -> T&

template <typename T> auto inputs(T model::InputChannel::*field)
{
    return [field](DataModel& m, int i) -> T& { return m.input(i).*field; };
}
template <typename T> auto outputs(T model::OutputChannel::*field)
{
    return [field](DataModel& m, int i) -> T& { return m.output(i).*field; };
}

// --- generic handlers

// An array of `stride`-byte entries, entry i for channel i, at most `cap` of them; `decode`
// turns an entry and the current value into the new value. One signal per changed channel.
template <typename At, typename Decode>
void perChannel(const Report& r, int cap, int stride, At at, Decode decode)
{
    const int count = qMin(cap, r.size / stride);
    for (int i = 0; i < count; ++i) {
        auto& field = at(r.model, i);
        if (update(field, decode(r.data + i * stride, field)))
            r.sync(quint8(i));
    }
}

template <typename At> void flags(const Report& r, int cap, At at)
{
    perChannel(r, cap, 1, at, [](const char* p, bool) { return *p != 0; });
}

template <typename At> void choices(const Report& r, int cap, quint8 limit, At at)
{
    perChannel(r, cap, 1, at, [limit](const char* p, auto current) {
        return validBelow(quint8(*p), limit, current);
    });
}

template <typename At> void levels(const Report& r, int cap, wire::Range range, At at)
{
    perChannel(r, cap, 4, at, [range](const char* p, float current) {
        return clamped(wire::readF32(p), range, current);
    });
}

// Meters: copied as they come, no comparison, one signal for the whole row.
template <typename At> void meters(const Report& r, int cap, At at)
{
    const int count = qMin(cap, r.size);
    for (int i = 0; i < count; ++i)
        at(r.model, i) = qint8(r.data[i]);
    r.sync();
}

// One value of the whole group.
template <typename T> void scalar(const Report& r, T& field, const T& value)
{
    if (update(field, value) || r.firstSight())
        r.sync();
}

// Text in the local 8-bit code page, up to the first NUL.
QString localText(const char* data, int size);
QString utf8Text(const char* data, int size);

// The whole payload as a text of the group.
inline void text(const Report& r, QString& field)
{
    scalar(r, field, localText(r.data, r.size));
}

// A fixed-size byte group (versions, date and time) taken whole.
template <std::size_t N> void byteGroup(const Report& r, std::array<quint8, N>& field)
{
    std::array<quint8, N> value{};
    std::memcpy(value.data(), r.data, qMin<std::size_t>(N, std::size_t(r.size)));
    scalar(r, field, value);
}

// Forwards the payload to the views without storing it.
void forward(const Report& r);

// --- named handlers of the rows that need more than one generic call

namespace system {
void channelMasks(const Report& r);
void network(const Report& r);
void statusWords(const Report& r);
void componentStates(const Report& r);
void rs232Baud(const Report& r);
void deviceId(const Report& r);
void versionText(const Report& r);
void macAddress(const Report& r);
void formatGeneration(const Report& r);
void statusByte161(const Report& r);
void inputLabels(const Report& r);
void outputLabels(const Report& r);
void extraLabels(const Report& r);
void playFileCount(const Report& r);
void playListEntry(const Report& r);
void playState(const Report& r);
void playName(const Report& r);
void recordFileCount(const Report& r);
void recordListEntry(const Report& r);
void recordState(const Report& r);
void recordName(const Report& r);
void block61(const Report& r);
void touchMode(const Report& r);
} // namespace system

namespace dsp {
void inputHpf(const Report& r);
void inputLpf(const Report& r);
void inputPeq(const Report& r);
void inputLimiter(const Report& r);
void inputGate(const Report& r);
void inputAgc(const Report& r);
void outputHpf(const Report& r);
void outputLpf(const Report& r);
void outputPeq(const Report& r);
void outputLimiter(const Report& r);
void inputFaderRanges(const Report& r);
void outputFaderRanges(const Report& r);
void matrixEnabled(const Report& r);
void matrixGain(const Report& r);
void outputMeterMode(const Report& r);
void echoSettings(const Report& r);
void noiseReduction(const Report& r);
void autoMixerSwitches(const Report& r);
void presetTable(const Report& r);
} // namespace dsp

namespace status {
void block4(const Report& r);
} // namespace status

} // namespace reports
