#pragma once

#include "wire/ranges.h"
#include "wire/records.h"

#include <QString>
#include <QStringList>
#include <array>

// Parametric bands as measurement tools write them, one filter per line:
//   Filter 1: ON PK Fc 100 Hz Gain -3.0 dB Q 1.41
//   Filter 2: ON LS Fc 80 Hz Gain 4.0 dB
// Reading maps them onto the unit's eight bands, its Q steps and its limits, and lists whatever
// it could not map before anything is sent. No widgets here.
namespace filtertext {

constexpr int kBands = wire::kPeqBands;

struct Import
{
    // The bands to send, in order: those of the file first, the rest switched off.
    std::array<wire::PEQ, kBands> bands{};
    // How many bands the file filled.
    int used = 0;
    // What was ignored, changed or refused, one line each, in the user's language.
    QStringList notes;
    // Nothing of the file could be used.
    bool empty() const { return used == 0; }
};

// Maps the text onto the bands; `current` gives the values of the bands the file leaves free
// (they are kept but switched off, so the result is the file's response alone).
Import read(const QString& text, const std::array<wire::PEQ, kBands>& current);

// The bands in the same format, switched-off bands marked OFF.
QString write(const std::array<wire::PEQ, kBands>& bands);

// The Q step nearest to q on a logarithmic scale, or -1 when q lies outside the unit's steps.
int qIndexFor(double q);

} // namespace filtertext
