#pragma once

#include "wire/packet.h"

#include <QByteArray>
#include <functional>

namespace wire {

// Cuts framed packets out of a TCP byte stream. A corrupt header (wrong magic, or a length no
// packet can have) costs one byte, a corrupt tail the whole claimed packet; both are logged.
// Consumed bytes are tracked by an offset and compacted once per cut(), so a read costs time
// linear in its bytes however much garbage it holds.
class PacketCutter
{
public:
    using Handler = std::function<void(const PacketHeader& header, const char* payload)>;

    // Bytes that arrive while a handler runs (through a nested event loop) wait beside the
    // buffer until the handler has returned: the payload it was given stays where it is.
    void append(const QByteArray& bytes);
    void clear();
    // Unconsumed bytes.
    int size() const { return int(m_buffer.size()) - m_offset + int(m_arrived.size()); }

    // Hands every complete packet to `handler` in stream order. A nested call while a handler
    // runs returns at once; the outer call goes on with whatever arrived meanwhile.
    void cut(const Handler& handler);

private:
    QByteArray m_buffer;
    QByteArray m_arrived;
    int m_offset = 0;
    bool m_cutting = false;
    quint64 m_generation = 0;
};

} // namespace wire
