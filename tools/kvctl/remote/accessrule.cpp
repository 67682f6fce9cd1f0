#include "accessrule.h"

bool AccessRule::accepts(const QString& presented) const
{
    if (!tokenRequired())
        return true;
    if (m_token.isEmpty())
        return false;
    // The same time whatever the first wrong character: the comparison tells nothing.
    const QByteArray a = presented.toUtf8();
    const QByteArray b = m_token.toUtf8();
    int difference = a.size() ^ b.size();
    for (int i = 0; i < b.size(); ++i)
        difference |= (i < a.size() ? a[i] : 0) ^ b[i];
    return difference == 0;
}

QString AccessRule::bearer(const QString& authorization)
{
    const QString prefix = QStringLiteral("Bearer ");
    if (!authorization.startsWith(prefix, Qt::CaseInsensitive))
        return {};
    return authorization.mid(prefix.size()).trimmed();
}
