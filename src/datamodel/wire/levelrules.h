#pragma once

#include "wire/ranges.h"

#include <QString>
#include <QVector>
#include <cmath>

// How a level-strip edit spreads and where it stops, as the unit applies it and as the
// application shows it: the members of a level group move together, and inputs 1 and 2 are one
// stereo channel while the first is in the linked-pair input mode.
namespace wire {

constexpr quint32 kLinkedPairInputMode = 2;

constexpr bool inLinkedPair(int channel)
{
    return channel == 0 || channel == 1;
}

// The channels that follow an edit of `channel`, itself excluded: the other members of its
// level group when `withGroup` and it has one, and its partner of the pair 0/1 when `linked`.
// `groupOf(i)` is channel i's level group.
template <typename GroupOf>
QVector<int> levelFollowers(int count, int channel, GroupOf groupOf, bool withGroup, bool linked)
{
    QVector<int> followers;
    const auto group = groupOf(channel);
    if (withGroup && group != 0) {
        for (int i = 0; i < count; ++i) {
            if (i != channel && groupOf(i) == group)
                followers << i;
        }
    }
    if (linked && inLinkedPair(channel) && !followers.contains(1 - channel))
        followers << 1 - channel;
    return followers;
}

// The travel of a strip's fader: the unit's configured range (read either way round) within
// the strip's own limits, the bottom at kFaderBottom and the top at `top`.
struct FaderTravel
{
    float min;
    float max;

    float clamp(float dB) const { return std::clamp(dB, min, max); }
};

inline FaderTravel faderTravel(float configuredMin, float configuredMax, float top = kFaderTop)
{
    float hi = std::max(configuredMin, configuredMax);
    float lo = std::min(configuredMin, configuredMax);
    hi = std::clamp(hi, kFaderBottom, top);
    lo = std::clamp(lo, kFaderBottom, hi);
    return {lo, hi};
}

// The level the unit takes for a requested one: at or below the bottom it is off, otherwise
// it stays inside the configured range.
inline float faderLevel(float requested, float configuredMin, float configuredMax)
{
    if (requested <= kFaderBottom)
        return kLevelOff;
    return std::clamp(requested, std::max(configuredMin, kFaderBottom), configuredMax);
}

// A level as its edit shows it: one decimal, the fader's bottom as the unit's "off" level.
inline QString levelGainText(float dB)
{
    if (dB <= kFaderBottom)
        return QString::number(double(kLevelOff), 'f', 1);
    // Adding 0 turns a negative zero into "0.0" rather than "-0.0".
    return QString::number(double(dB) + 0.0, 'f', 1);
}

// A typed level: to the nearest tenth, within the travel; text that is no number counts as 0.
inline float parseLevelGain(const QString& text, const FaderTravel& travel)
{
    float value = text.trimmed().toFloat();
    if (!std::isfinite(value))
        value = 0.0f;
    value = float(std::round(double(value) * 10.0) / 10.0);
    return travel.clamp(value);
}

} // namespace wire
