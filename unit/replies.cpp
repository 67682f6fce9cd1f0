#include "replies.h"

#include "wire/packet.h"

void Replies::add(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    m_frames.append(wire::packet(wire::codeOf(type, subType, funcId), wire::AccessReport, payload));
}
