#include "loginsequence.h"

LoginSequence::Send LoginSequence::answer(quint8 answer, qint64 now)
{
    switch (answer) {
    case 1:
        m_state = State::Accepted;
        return Send::Nothing;
    case 0:
        if (m_state == State::Waiting) {
            m_state = State::Guest;
            m_guestSentAt = now;
            return Send::Guest;
        }
        if (m_state == State::Password)
            m_state = State::Refused;
        return Send::Nothing;
    case 2:
        if (m_state == State::Guest)
            return tryPassword();
        if (m_state == State::Password)
            m_state = State::Refused;
        return Send::Nothing;
    default:
        return Send::Nothing;
    }
}

LoginSequence::Send LoginSequence::tick(qint64 now)
{
    if (m_state == State::Guest && now - m_guestSentAt > kGuestAnswerMs)
        return tryPassword();
    return Send::Nothing;
}

LoginSequence::Send LoginSequence::tryPassword()
{
    if (m_password.isEmpty()) {
        m_state = State::Refused;
        return Send::Nothing;
    }
    m_state = State::Password;
    return Send::Password;
}
