#pragma once

#include <QHostAddress>
#include <QString>

// Who may use the remote API. Listening on loopback only, everyone on this machine may;
// listening on any other address, every request must carry the access token.
class AccessRule
{
public:
    AccessRule() = default;
    AccessRule(const QHostAddress& listen, const QString& token) : m_listen(listen), m_token(token)
    {}

    bool tokenRequired() const { return !m_listen.isLoopback(); }
    // A rule that requires a token it does not have refuses everyone: the daemon does not
    // start that way.
    bool isUsable() const { return !tokenRequired() || !m_token.isEmpty(); }
    bool accepts(const QString& presented) const;
    // The token of "Authorization: Bearer TOKEN".
    static QString bearer(const QString& authorization);

private:
    QHostAddress m_listen = QHostAddress(QHostAddress::LocalHost);
    QString m_token;
};
