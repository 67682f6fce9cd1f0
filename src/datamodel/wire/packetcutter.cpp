#include "wire/packetcutter.h"

#include <cstring>

namespace wire {

namespace {
// Bytes that byte-wise resynchronisation would skip from `p`: up to the next possible first
// header byte, but never below the eleven bytes at which it stops to wait.
int skipToCandidate(const char* p, int available)
{
    const int limit = available - kHeaderSize;
    const void* next = std::memchr(p + 1, 0x82, size_t(limit - 1));
    return next ? int(static_cast<const char*>(next) - p) : limit;
}
} // namespace

void PacketCutter::append(const QByteArray& bytes)
{
    (m_cutting ? m_arrived : m_buffer).append(bytes);
}

void PacketCutter::clear()
{
    m_buffer.clear();
    m_arrived.clear();
    m_offset = 0;
    ++m_generation;
}

void PacketCutter::cut(const Handler& handler)
{
    if (m_cutting)
        return;
    m_cutting = true;
    const quint64 generation = m_generation;
    for (;;) {
        if (!m_arrived.isEmpty()) {
            // No handler holds a pointer into the buffer here; it may grow.
            m_buffer.append(m_arrived);
            m_arrived.clear();
        }
        const int available = int(m_buffer.size()) - m_offset;
        // Eleven bytes are enough to read the header's length field.
        if (available < kHeaderSize + 1)
            break;
        const char* p = m_buffer.constData() + m_offset;
        if (readU16(p) != kMagic) {
            if (lcWire().isDebugEnabled()) {
                qCDebug(lcWire) << "PacketHeader Error!!! total len =" << available;
                ++m_offset;
            } else {
                m_offset += skipToCandidate(p, available);
            }
            continue;
        }
        const int length = readU16(p + 8);
        if (length > kMaxPayloadSize) {
            // No packet is that long: one false length must not swallow the packets behind
            // it, so this is a bad header like a wrong magic.
            qCDebug(lcWire) << "PacketHeader Error!!! total len =" << available;
            ++m_offset;
            continue;
        }
        const int total = length + kFrameOverhead;
        if (available < total)
            break;
        if (readU16(p + kHeaderSize + length) != kTail) {
            qCDebug(lcWire) << "PacketTailer Error!!! total len =" << available
                            << ", pkt len =" << total;
            m_offset += total;
            continue;
        }
        PacketHeader header;
        header.version = readU16(p + 2);
        header.type = quint8(p[4]);
        header.subType = quint8(p[5]);
        header.funcId = quint8(p[6]);
        header.access = quint8(p[7]);
        header.length = quint16(length);
        handler(header, p + kHeaderSize);
        if (generation != m_generation)
            break; // the handler dropped the stream (new connection)
        m_offset += total;
    }
    if (m_offset > 0) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
    // What arrived after the stream was dropped belongs to the new one.
    m_buffer.append(m_arrived);
    m_arrived.clear();
    m_cutting = false;
}

} // namespace wire
