#include "replies.h"

#include "wire/packet.h"

void Replies::add(wire::Code code, const QByteArray& payload)
{
    m_frames.append(wire::packet(code, wire::AccessReport, payload));
}
