#include "filtertext.h"

#include "filterresponse.h"
#include "filtervalues.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

namespace filtertext {
namespace {

enum BandType : quint8
{
    Peaking = 0,
    LowShelf = 1,
    HighShelf = 2
};

QString tr(const char* text)
{
    return QCoreApplication::translate("filtertext", text);
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

double roundToTenth(double v)
{
    return std::round(v * 10.0) / 10.0;
}

// The measurement tools' names of the three shapes the unit has.
int bandType(const QString& name)
{
    const QString n = name.toUpper();
    if (n == QLatin1String("PK") || n == QLatin1String("PEQ") || n == QLatin1String("PEAK"))
        return Peaking;
    if (n == QLatin1String("LS") || n == QLatin1String("LSC") || n == QLatin1String("LSQ"))
        return LowShelf;
    if (n == QLatin1String("HS") || n == QLatin1String("HSC") || n == QLatin1String("HSQ"))
        return HighShelf;
    return -1;
}

// A value after its keyword ("Fc 100 Hz", "Gain -3 dB", "Q 1.41", "BW Oct 0.5"); decimal commas
// are read as points.
bool valueAfter(const QString& rest, const QString& keyword, double& value)
{
    const QRegularExpression re(QStringLiteral("\\b%1\\s*[:=]?\\s*([-+]?[0-9]+(?:[.,][0-9]*)?)\\s*"
                                               "(k?)")
                                    .arg(keyword),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(rest);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    value = QString(m.captured(1)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok && !m.captured(2).isEmpty())
        value *= 1000.0;
    return ok;
}

} // namespace

int qIndexFor(double q)
{
    const double lowest = FilterResponse::qForIndex(0);
    const double highest = FilterResponse::qForIndex(FilterResponse::kQSteps - 1);
    // Half a step beyond either end still rounds onto it.
    if (!(q >= lowest * 0.97 && q <= highest * 1.03))
        return -1;
    int best = 0;
    double bestDistance = 1e9;
    for (int i = 0; i < FilterResponse::kQSteps; ++i) {
        const double d = std::abs(std::log(q / FilterResponse::qForIndex(i)));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

Import read(const QString& text, const std::array<wire::PEQ, kBands>& current)
{
    Import result;
    result.bands = current;
    static const QRegularExpression filterLine(
        QStringLiteral("^\\s*Filter\\s*(\\d*)\\s*:\\s*(ON|OFF)\\s+([A-Za-z]+)(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression preampLine(QStringLiteral("^\\s*Preamp\\s*:(.*)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression anyFilter(QStringLiteral("^\\s*Filter\\s*\\d"),
                                              QRegularExpression::CaseInsensitiveOption);

    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const int lineNumber = i + 1;
        if (const auto m = preampLine.match(line); m.hasMatch()) {
            result.notes << tr("Line %1: the preamp (%2) is not a band of the unit; ignored.")
                                .arg(lineNumber)
                                .arg(m.captured(1).trimmed());
            continue;
        }
        const auto m = filterLine.match(line);
        if (!m.hasMatch()) {
            // Headers, dates and notes of the measurement tool are not filters.
            if (anyFilter.match(line).hasMatch())
                result.notes
                    << tr("Line %1 could not be read: %2").arg(lineNumber).arg(line.trimmed());
            continue;
        }
        const QString name = m.captured(1).isEmpty() ? QString::number(lineNumber) : m.captured(1);
        const bool on = m.captured(2).compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
        const QString typeName = m.captured(3);
        if (typeName.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0)
            continue; // an empty slot of the tool
        const QString rest = m.captured(4);
        const int type = bandType(typeName);
        if (type < 0) {
            result.notes << tr("Filter %1: the unit has no %2 band (only PK, LS and HS); ignored.")
                                .arg(name, typeName.toUpper());
            continue;
        }
        double fc = 0.0;
        if (!valueAfter(rest, QStringLiteral("Fc"), fc)) {
            result.notes << tr("Filter %1 has no frequency; ignored.").arg(name);
            continue;
        }
        double gain = 0.0;
        const bool hasGain = valueAfter(rest, QStringLiteral("Gain"), gain);
        double q = 0.0;
        bool hasQ = valueAfter(rest, QStringLiteral("Q"), q);
        double bandwidth = 0.0;
        if (!hasQ && valueAfter(rest, QStringLiteral("BW\\s*Oct"), bandwidth) && bandwidth > 0) {
            const double twoN = std::pow(2.0, bandwidth);
            q = std::sqrt(twoN) / (twoN - 1.0);
            hasQ = true;
        }
        if (fc < filtervalues::kMinFrequency || fc > filtervalues::kMaxFrequency) {
            result.notes << tr("Filter %1: %2 Hz lies outside 20 to 20000 Hz; ignored.")
                                .arg(name, number(fc));
            continue;
        }
        if (gain < filtervalues::kMinGain || gain > filtervalues::kMaxGain) {
            result.notes << tr("Filter %1: a gain of %2 dB lies outside -15 to +15 dB; ignored.")
                                .arg(name, number(gain));
            continue;
        }
        int qIndex = qIndexFor(FilterResponse::kShelfQ);
        if (type == Peaking) {
            if (!hasQ) {
                result.notes << tr("Filter %1 has no Q; ignored.").arg(name);
                continue;
            }
            qIndex = qIndexFor(q);
            if (qIndex < 0) {
                result.notes << tr("Filter %1: a Q of %2 lies outside 0.5 to 20; ignored.")
                                    .arg(name, number(q));
                continue;
            }
            const double sent = FilterResponse::qForIndex(qIndex);
            if (std::abs(sent - q) > 0.02 * q)
                result.notes << tr("Filter %1: Q %2 becomes %3, the unit's nearest step.")
                                    .arg(name, number(q), filtervalues::qText(qIndex));
        } else if (hasQ && std::abs(q - FilterResponse::kShelfQ) > 0.02) {
            result.notes
                << tr("Filter %1: the unit's shelves have a fixed slope; Q %2 is not used.")
                       .arg(name, number(q));
        }
        if (result.used == kBands) {
            result.notes << tr("Filter %1: the unit has 8 bands, all taken; ignored.").arg(name);
            continue;
        }
        wire::PEQ& band = result.bands[std::size_t(result.used++)];
        band.enabled = on ? 1 : 0;
        band.type = quint8(type);
        band.freq = float(roundToTenth(fc));
        band.gain = float(hasGain ? roundToTenth(gain) : 0.0);
        band.q = quint8(qIndex);
    }
    for (int b = result.used; b < kBands; ++b)
        result.bands[std::size_t(b)].enabled = 0;
    if (result.used > 0 && result.used < kBands)
        result.notes
            << (result.used + 1 == kBands
                    ? tr("Band %1 is switched off.").arg(kBands)
                    : tr("Bands %1 to %2 are switched off.").arg(result.used + 1).arg(kBands));
    return result;
}

QString write(const std::array<wire::PEQ, kBands>& bands)
{
    QString out;
    for (int b = 0; b < kBands; ++b) {
        const wire::PEQ& band = bands[std::size_t(b)];
        const char* type = band.type == LowShelf ? "LS" : band.type == HighShelf ? "HS" : "PK";
        out += QStringLiteral("Filter %1: %2 %3 Fc %4 Hz Gain %5 dB")
                   .arg(b + 1)
                   .arg(band.enabled ? QStringLiteral("ON") : QStringLiteral("OFF"),
                        QLatin1String(type), filtervalues::frequencyText(double(band.freq)),
                        QString::number(double(band.gain), 'f', 1));
        if (band.type == Peaking)
            out += QStringLiteral(" Q %1").arg(filtervalues::qText(band.q));
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace filtertext
