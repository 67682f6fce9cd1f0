#pragma once

#include <QString>
#include <QtGlobal>

// How kvctl logs in, as the application does: a unit that asks for a login first gets the
// built-in guest password; if it refuses it, or stays silent (it only knows its own), the
// given password follows. Without time or sockets: the caller sends what it is told to.
class LoginSequence
{
public:
    enum class State
    {
        Waiting,
        Guest,
        Password,
        Accepted,
        Refused,
    };
    enum class Send
    {
        Nothing,
        Guest,
        Password,
    };

    // A unit that ignores the guest password stays silent this long.
    static constexpr qint64 kGuestAnswerMs = 600;

    explicit LoginSequence(const QString& password = {}) : m_password(password) {}

    // A new connection: the unit will say again whether it wants a login.
    void restart() { m_state = State::Waiting; }
    State state() const { return m_state; }
    bool isDone() const { return m_state == State::Accepted || m_state == State::Refused; }
    bool hasPassword() const { return !m_password.isEmpty(); }
    const QString& password() const { return m_password; }

    // The unit's login answer: 1 accepted, 0 a login is wanted, 2 refused.
    Send answer(quint8 answer, qint64 now);
    // Called now and then: a guest password left unanswered is followed by the password.
    Send tick(qint64 now);

private:
    Send tryPassword();

    QString m_password;
    State m_state = State::Waiting;
    qint64 m_guestSentAt = 0;
};
