#include "savedstate.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The value as the key writes it, or an empty text when the key does not take it.
QString normalised(const ParameterKeys::Key& key, const QString& text)
{
    const QVariant v = ParameterKeys::parse(key, text, nullptr);
    return v.isValid() ? ParameterKeys::format(key, v) : QString();
}

void take(const QString& name, const QString& text, QMap<QString, QString>* values,
          QStringList* skipped)
{
    const ParameterKeys::Key key = ParameterKeys::find(name);
    const QString value = key.isValid() ? normalised(key, text) : QString();
    if (value.isEmpty())
        *skipped << name + QLatin1Char('=') + text;
    else
        values->insert(name, value);
}

} // namespace

QMap<QString, QString> SavedState::capture(const DataModel& model)
{
    QMap<QString, QString> out;
    for (const ParameterKeys::Key& k : ParameterKeys::all()) {
        if (ParameterKeys::available(model, k))
            out.insert(k.name(), ParameterKeys::format(k, ParameterKeys::read(model, k)));
    }
    return out;
}

QByteArray SavedState::text(const DataModel& model)
{
    QByteArray out;
    for (const ParameterKeys::Key& k : ParameterKeys::all()) {
        if (ParameterKeys::available(model, k))
            out += (k.name() + QLatin1Char('=') +
                    ParameterKeys::format(k, ParameterKeys::read(model, k)) + QLatin1Char('\n'))
                       .toUtf8();
    }
    return out;
}

bool SavedState::parse(const QByteArray& data, QMap<QString, QString>* values, QStringList* skipped)
{
    values->clear();
    skipped->clear();
    const QByteArray trimmed = data.trimmed();
    if (trimmed.startsWith('{')) {
        const QJsonDocument doc = QJsonDocument::fromJson(trimmed);
        const QJsonObject object = doc.object();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QJsonValue v = it.value();
            const QString text = v.isBool()
                                     ? (v.toBool() ? QStringLiteral("on") : QStringLiteral("off"))
                                 : v.isDouble() ? QString::number(v.toDouble(), 'g', 10)
                                                : v.toString();
            take(it.key(), text, values, skipped);
        }
        return !values->isEmpty();
    }
    for (const QByteArray& raw : data.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *skipped << line;
            continue;
        }
        take(line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), values, skipped);
    }
    return !values->isEmpty();
}

QVector<SavedState::Difference> SavedState::compare(const QMap<QString, QString>& current,
                                                    const QMap<QString, QString>& saved)
{
    QVector<Difference> out;
    for (const ParameterKeys::Key& k : ParameterKeys::all()) {
        // A key the saved state does not hold was not recorded: nothing to compare it with.
        const QString name = k.name();
        const auto held = saved.constFind(name);
        if (held == saved.constEnd())
            continue;
        const QString a = current.value(name);
        if (a != *held)
            out.append({k, a, *held});
    }
    return out;
}

QString SavedState::group(const ParameterKeys::Key& key)
{
    const QStringList parts = key.name().split(QLatin1Char('.'));
    if (parts.size() >= 3 &&
        (parts[0] == QLatin1String("input") || parts[0] == QLatin1String("output") ||
         parts[0] == QLatin1String("matrix")))
        return parts[0] + QLatin1Char('.') + parts[1];
    return parts.value(0);
}
