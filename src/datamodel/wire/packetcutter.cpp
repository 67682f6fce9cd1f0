#include "wire/packetcutter.h"

namespace wire {

void PacketCutter::append(const QByteArray& bytes)
{
    m_buffer.append(bytes);
}

void PacketCutter::clear()
{
    m_buffer.clear();
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
        const int available = size();
        // Eleven bytes are enough to read the header's length field.
        if (available < kHeaderSize + 1)
            break;
        const char* p = m_buffer.constData() + m_offset;
        if (readU16(p) != kMagic) {
            qCDebug(lcWire) << "PacketHeader Error!!! total len =" << available;
            ++m_offset;
            continue;
        }
        const int length = readU16(p + 8);
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
    m_cutting = false;
}

} // namespace wire
