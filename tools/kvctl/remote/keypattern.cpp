#include "keypattern.h"

#include <QRegularExpression>

namespace {

bool matchFrom(const QStringList& pattern, int p, const QVector<QStringRef>& key, int k)
{
    while (p < pattern.size()) {
        if (pattern[p] == QLatin1String("*")) {
            // One or more segments, the shortest first.
            for (int next = k + 1; next <= key.size(); ++next) {
                if (matchFrom(pattern, p + 1, key, next))
                    return true;
            }
            return false;
        }
        if (k >= key.size() || key[k] != pattern[p])
            return false;
        ++p;
        ++k;
    }
    return k == key.size();
}

} // namespace

KeyPattern::KeyPattern(const QString& text) : m_text(text)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9*.]+$"));
    if (!allowed.match(text).hasMatch())
        return;
    const QStringList segments = text.split(QLatin1Char('.'));
    for (const QString& s : segments) {
        // "*" stands alone in its segment: "in*" would promise more than whole segments.
        if (s.isEmpty() || (s.contains(QLatin1Char('*')) && s != QLatin1String("*")))
            return;
    }
    m_segments = segments;
}

bool KeyPattern::matches(const QString& key) const
{
    if (m_segments.isEmpty())
        return false;
    return matchFrom(m_segments, 0, key.splitRef(QLatin1Char('.')), 0);
}

bool KeyPatternSet::add(const QStringList& patterns, QString* invalid)
{
    QVector<KeyPattern> added;
    for (const QString& text : patterns) {
        KeyPattern p(text.trimmed());
        if (!p.isValid()) {
            if (invalid)
                *invalid = text;
            return false;
        }
        added.append(p);
    }
    for (const KeyPattern& p : qAsConst(added)) {
        if (!texts().contains(p.text()))
            m_patterns.append(p);
    }
    return true;
}

void KeyPatternSet::remove(const QStringList& patterns)
{
    for (const QString& text : patterns) {
        m_patterns.erase(
            std::remove_if(m_patterns.begin(), m_patterns.end(),
                           [&](const KeyPattern& p) { return p.text() == text.trimmed(); }),
            m_patterns.end());
    }
}

bool KeyPatternSet::matches(const QString& key) const
{
    for (const KeyPattern& p : m_patterns) {
        if (p.matches(key))
            return true;
    }
    return false;
}

QStringList KeyPatternSet::texts() const
{
    QStringList list;
    for (const KeyPattern& p : m_patterns)
        list.append(p.text());
    return list;
}
