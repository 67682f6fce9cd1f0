#pragma once

#include "parameterkeys.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class DataModel;

// A unit's parameters as text, saved by the application or by `kvctl dump`: one KEY=VALUE line
// per parameter the unit has, or one JSON object (`kvctl dump --json`). Two states compare key by
// key, values normalised through the keys' own parse and format, so "-6" and "-6.0" are alike.
class SavedState
{
public:
    struct Difference
    {
        ParameterKeys::Key key;
        QString current; // empty when that side lacks the key
        QString saved;
    };

    // Every parameter the mirror holds for this unit, in the keys' stable order.
    static QMap<QString, QString> capture(const DataModel& model);
    static QByteArray text(const DataModel& model);

    // Reads a saved state. Lines that are neither KEY=VALUE nor comments, unknown keys and
    // values out of range are skipped and named in `skipped`; false only when nothing is usable.
    static bool parse(const QByteArray& data, QMap<QString, QString>* values, QStringList* skipped);

    // The keys of the saved state whose values differ from the current ones (or which the
    // current side lacks), in the keys' stable order.
    static QVector<Difference> compare(const QMap<QString, QString>& current,
                                       const QMap<QString, QString>& saved);

    // Where a key belongs in a list grouped by block and channel: "input.3", "matrix.in2",
    // "generator", "system".
    static QString group(const ParameterKeys::Key& key);
};
