#pragma once

#include "wire/codes.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

class DataModel;

// One read request that refreshes the block a key lives in.
struct ParameterRead
{
    wire::Code code;
    QByteArray payload;

    friend bool operator==(const ParameterRead& a, const ParameterRead& b)
    {
        return a.code == b.code && a.payload == b.payload;
    }
};

// The named parameters of a unit, for tools that address them by text (the command-line client,
// remote-control APIs): "input.3.gain", "output.1.mute", "matrix.in3.out2". Channel numbers in
// names are 1-based. Each name has a type and a range, a reader from the model's mirror and a
// writer through the edit classes the windows use, so a value set by name travels exactly as
// the same edit made in a window. The order of all() is stable between versions (new keys are
// only ever added), so that two dumps can be compared line by line.
class ParameterKeys
{
public:
    enum class Type
    {
        Bool,
        Integer,
        Real,
    };

    using Reader = std::function<QVariant(const DataModel& model, int c1, int c2)>;
    using Writer = std::function<void(DataModel& model, int c1, int c2, const QVariant& value)>;
    using Reads = std::function<void(int c1, int c2, QVector<ParameterRead>& out)>;
    using Availability = std::function<bool(const DataModel& model, int c1, int c2)>;

    // One family of keys: a name pattern with up to two channel numbers (%1, %2).
    struct Family
    {
        QString pattern;
        int count1 = 0; // values %1 takes; 0 when the pattern has no channel
        int count2 = 0;
        Type type = Type::Bool;
        double min = 0;
        double max = 1;
        QString unit;
        Reader read;
        Writer write;
        Reads reads;
        // Null when every key of the family exists on every unit.
        Availability available;
        // Families of one section are listed channel by channel together.
        int section = 0;
    };

    // One key: a family and its channels (0-based, -1 when unused).
    struct Key
    {
        const Family* family = nullptr;
        int index1 = -1;
        int index2 = -1;

        bool isValid() const { return family != nullptr; }
        QString name() const;
        friend bool operator==(const Key& a, const Key& b)
        {
            return a.family == b.family && a.index1 == b.index1 && a.index2 == b.index2;
        }
    };

    static const QVector<Family>& families();
    // Every key, in the stable order.
    static const QVector<Key>& all();
    // Invalid for an unknown name.
    static Key find(const QString& name);

    // The accepted values as text, e.g. "-56..12 dB" or "on|off".
    static QString rangeText(const Key& key);
    // Parses `text` as the key's value and checks its range; a null QVariant with `error` set
    // (naming the key and its range) when it is not acceptable.
    static QVariant parse(const Key& key, const QString& text, QString* error);
    // The value as text that parse() takes back.
    static QString format(const Key& key, const QVariant& value);
    static QVariant read(const DataModel& model, const Key& key);
    // Whether the unit the mirror reflects has this parameter (its reports carry it); known once
    // the keys' reads are answered.
    static bool available(const DataModel& model, const Key& key);
    // Writes a parsed value through the edit classes: the mirror first, then the command,
    // queued or at once as the same edit in a window.
    static void write(DataModel& model, const Key& key, const QVariant& value);
    // Whether a value read back from the unit is the one that was set.
    static bool same(const Key& key, const QVariant& wanted, const QVariant& held);
    // The read requests that refresh the keys' blocks, each once, in key order.
    static QVector<ParameterRead> readsFor(const QVector<Key>& keys);
};
