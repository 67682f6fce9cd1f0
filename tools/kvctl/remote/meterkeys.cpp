#include "meterkeys.h"

#include "datamodel.h"
#include "parameterkeys.h"

namespace MeterKeys {

const QVector<Meter>& all()
{
    static const QVector<Meter> meters = [] {
        QVector<Meter> list;
        for (bool output : {false, true}) {
            const int count = output ? DataModel::kOutputCount : DataModel::kInputCount;
            const QString side = output ? QStringLiteral("output") : QStringLiteral("input");
            for (int c = 0; c < count; ++c) {
                list.append({QStringLiteral("%1.%2.meter").arg(side).arg(c + 1), output, false, c});
                list.append(
                    {QStringLiteral("%1.%2.prefader.meter").arg(side).arg(c + 1), output, true, c});
            }
        }
        return list;
    }();
    return meters;
}

int level(const DataModel& model, const Meter& meter)
{
    if (meter.output) {
        const auto& out = model.output(meter.channel);
        return meter.preFader ? out.preFaderMeter : out.postFaderMeter;
    }
    const auto& in = model.input(meter.channel);
    return meter.preFader ? in.preFaderMeter : in.postFaderMeter;
}

bool available(const DataModel& model, const Meter& meter)
{
    // A channel the unit has carries a gain.
    const QString gain = QStringLiteral("%1.%2.gain")
                             .arg(meter.output ? QStringLiteral("output") : QStringLiteral("input"))
                             .arg(meter.channel + 1);
    return ParameterKeys::available(model, ParameterKeys::find(gain));
}

const Meter* find(const QString& name)
{
    for (const Meter& m : all()) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

} // namespace MeterKeys
