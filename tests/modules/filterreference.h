#pragma once

#include "filterresponse.h"

#include <QFile>
#include <QStringList>

#include <cmath>
#include <vector>

// One channel of reference/filter_reference.txt, as the graph's setters take it, with the
// response scipy computed for it (see make_filter_reference.py for the format).
struct FilterReferenceCase
{
    struct Band
    {
        int index;
        uchar bypass, type;
        float freq, gain;
        uchar qIndex;
    };
    QString name;
    PassFilter highPass, lowPass;
    int count = 0;
    std::vector<Band> bands;
    std::vector<double> db;
};

// Read once; an unreadable file gives no cases, which the tests report.
inline const std::vector<FilterReferenceCase>& filterReference()
{
    static const std::vector<FilterReferenceCase> cases = [] {
        std::vector<FilterReferenceCase> out;
        QFile file(QStringLiteral(KV_FILTER_REFERENCE));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        while (!file.atEnd()) {
            const QStringList f =
                QString::fromLatin1(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QString key = f.value(0).trimmed();
            // Numbers go through double, as the script parses them, then to float.
            auto num = [&f](int i) { return f.value(i).toDouble(); };
            if (key == QLatin1String("case"))
                out.push_back({f.value(1).trimmed(), {}, {}, 0, {}, {}});
            else if (out.empty() || key.startsWith(QLatin1Char('#')))
                continue;
            else if (key == QLatin1String("hpf") || key == QLatin1String("lpf"))
                (key == QLatin1String("hpf") ? out.back().highPass : out.back().lowPass) =
                    PassFilter{num(1) != 0, uchar(num(2)), uchar(num(3)), float(num(4))};
            else if (key == QLatin1String("count"))
                out.back().count = int(num(1));
            else if (key == QLatin1String("band"))
                out.back().bands.push_back({int(num(1)), uchar(num(2)), uchar(num(3)),
                                            float(num(4)), float(num(5)), uchar(num(6))});
            else if (key == QLatin1String("db"))
                for (int i = 1; i < f.size(); ++i)
                    out.back().db.push_back(num(i));
        }
        return out;
    }();
    return cases;
}

// The first grid point that deviates from the reference by more than the tolerance, described;
// empty when every point agrees.
inline QString compareWithReference(const FilterResponse::Curve& curve,
                                    const FilterReferenceCase& reference, double tolerance)
{
    if (reference.db.size() != curve.size())
        return QStringLiteral("reference has %1 points").arg(reference.db.size());
    for (size_t k = 0; k < curve.size(); ++k) {
        if (!(std::abs(curve[k] - reference.db[k]) <= tolerance))
            return QStringLiteral("point %1 (%2 Hz): %3 dB, reference %4 dB")
                .arg(k)
                .arg(FilterResponse::frequencies()[k])
                .arg(curve[k], 0, 'f', 9)
                .arg(reference.db[k], 0, 'f', 9);
    }
    return {};
}
