#pragma once

#include "wire/packet.h"

#include <QByteArray>
#include <functional>

namespace wire {

// Cuts framed packets out of a TCP byte stream. A corrupt header costs one byte, a corrupt
// tail the whole claimed packet; both are logged. Consumed bytes are tracked by an offset and
// compacted once per cut(), so a read costs time linear in its bytes however much garbage
// it holds.
class PacketCutter
{
public:
    using Handler = std::function<void(const PacketHeader& header, const char* payload)>;

    void append(const QByteArray& bytes);
    void clear();
    // Unconsumed bytes.
    int size() const { return int(m_buffer.size()) - m_offset; }

    // Hands every complete packet to `handler` in stream order. A handler that re-enters
    // (through a nested event loop) only appends; the outer call goes on cutting.
    void cut(const Handler& handler);

private:
    QByteArray m_buffer;
    int m_offset = 0;
    bool m_cutting = false;
    quint64 m_generation = 0;
};

} // namespace wire
