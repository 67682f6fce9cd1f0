#pragma once

#include <QString>
#include <QVector>

class DataModel;

// The live levels a remote client may watch, named like parameters: "input.3.meter" (after
// the fader, as the strips show it), "input.3.prefader.meter", "output.1.meter" and
// "output.1.prefader.meter", in dBFS. They are read only and never part of a saved state.
namespace MeterKeys {

struct Meter
{
    QString name;
    bool output = false;
    bool preFader = false;
    int channel = 0; // 0-based
};

const QVector<Meter>& all();
// The meter's level in dBFS as the mirror holds it (-100 when silent or unknown).
int level(const DataModel& model, const Meter& meter);
// Whether the unit has the meter's channel.
bool available(const DataModel& model, const Meter& meter);
const Meter* find(const QString& name);

} // namespace MeterKeys
