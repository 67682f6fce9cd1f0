#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A subscription pattern over parameter keys. Keys are dot-separated segments
// ("input.3.peq.2.gain"); a pattern segment "*" stands for one or more whole segments, so
// "input.*.gain" takes every input's gain (and "input.3.preamp.gain"), "output.3.*" every
// parameter of output 3 and "*.meter" every meter. Other segments must match exactly.
class KeyPattern
{
public:
    KeyPattern() = default;
    explicit KeyPattern(const QString& text);

    // Empty segments ("input..gain", a trailing dot) or other characters than letters, digits,
    // '*' and '.' make a pattern invalid.
    bool isValid() const { return !m_segments.isEmpty(); }
    QString text() const { return m_text; }
    bool matches(const QString& key) const;

private:
    QString m_text;
    QStringList m_segments;
};

// Several patterns; a key matches the set when it matches any of them.
class KeyPatternSet
{
public:
    // Returns false (and leaves the set as it was) when a pattern is invalid.
    bool add(const QStringList& patterns, QString* invalid = nullptr);
    void remove(const QStringList& patterns);
    void clear() { m_patterns.clear(); }
    bool isEmpty() const { return m_patterns.isEmpty(); }
    bool matches(const QString& key) const;
    QStringList texts() const;

private:
    QVector<KeyPattern> m_patterns;
};
