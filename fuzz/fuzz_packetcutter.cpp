// Cuts the same byte stream with wire::PacketCutter and with a plain byte-wise cutter written
// here from the framing rules alone, and stops at the first difference in the packets handed
// out (header fields and payload, in order) or in the bytes left waiting.
//
// Input: a flags byte, a schedule length C, C schedule bytes, then the stream. Schedule byte i
// (cycled) gives the size of chunk i, and the action the handler takes after packet i: nothing,
// append the next chunk from inside the handler (a nested read), or drop the whole stream (a
// new connection).
#include "fuzzsupport.h"
#include "wire/packetcutter.h"

#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<quint8>;

// Flags of the first input byte.
constexpr quint8 kLogEveryByte = 0x01; // the logged, byte-by-byte resynchronisation path
constexpr quint8 kNestedAppends = 0x02;
constexpr quint8 kClears = 0x04;

enum class Action
{
    None,
    AppendNext,
    Clear,
};

// The input taken apart: flags, schedule and stream.
struct Plan
{
    quint8 flags = 0;
    Bytes schedule;
    Bytes stream;

    Plan(const quint8* data, std::size_t size)
    {
        std::size_t at = 0;
        if (at < size)
            flags = data[at++];
        std::size_t count = at < size ? data[at++] % 32 : 0;
        count = std::min(count, size - at);
        schedule.assign(data + at, data + at + count);
        at += count;
        stream.assign(data + at, data + size);
    }

    std::size_t chunkSize(std::size_t index) const
    {
        if (schedule.empty())
            return stream.size();
        const quint8 s = schedule[index % schedule.size()];
        const std::size_t n = (s & 0x3Fu) + 1;
        return (s & 0x40u) ? n * 32 : n;
    }

    Action actionAfter(std::size_t packet) const
    {
        if (schedule.empty())
            return Action::None;
        const quint8 s = schedule[packet % schedule.size()];
        if ((flags & kClears) && (s & 0xC0u) == 0xC0u)
            return Action::Clear;
        if ((flags & kNestedAppends) && (s & 0x80u))
            return Action::AppendNext;
        return Action::None;
    }
};

// Hands out the stream chunk by chunk, as the socket would.
class Feeder
{
public:
    explicit Feeder(const Plan& plan) : m_plan(plan) {}
    bool done() const { return m_at >= m_plan.stream.size(); }
    Bytes next()
    {
        const std::size_t n = std::min(m_plan.chunkSize(m_chunk++), m_plan.stream.size() - m_at);
        Bytes chunk(m_plan.stream.begin() + std::ptrdiff_t(m_at),
                    m_plan.stream.begin() + std::ptrdiff_t(m_at + n));
        m_at += n;
        return chunk;
    }

private:
    const Plan& m_plan;
    std::size_t m_at = 0;
    std::size_t m_chunk = 0;
};

// The framing rules, one byte at a time: fewer than 11 bytes wait; a wrong magic, or a claimed
// payload above 2036 bytes (a packet above 2048), drops one byte; fewer than length + 12 bytes
// wait; a wrong tail drops the whole claimed packet; otherwise the packet is handed out. A
// packet is bytes 2 to 9 of its header (version, codes, access, length) and its payload.
class ReferenceCutter
{
public:
    void append(const Bytes& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    void clear()
    {
        m_bytes.clear();
        m_head = 0;
        m_cleared = true;
    }
    std::size_t size() const { return m_bytes.size() - m_head; }

    template <typename Take> void cut(Take take)
    {
        m_cleared = false;
        while (size() >= 11) {
            const quint8* b = m_bytes.data() + m_head;
            const std::size_t length = std::size_t(b[8]) | std::size_t(b[9]) << 8;
            if (b[0] != 0x82 || b[1] != 0x7D || length > 2036) {
                ++m_head;
                continue;
            }
            const std::size_t total = length + 12;
            if (size() < total)
                break;
            if (b[10 + length] != 0x7D || b[11 + length] != 0x82) {
                m_head += total;
                continue;
            }
            // Copied first: the handler may append, which moves the bytes.
            const Bytes packet(b + 2, b + 10 + length);
            take(packet);
            if (m_cleared)
                return;
            m_head += total;
        }
    }

private:
    Bytes m_bytes;
    std::size_t m_head = 0;
    bool m_cleared = false;
};

Bytes packetOf(const wire::PacketHeader& h, const char* payload)
{
    Bytes out{quint8(h.version), quint8(h.version >> 8), h.type, h.subType, h.funcId, h.access,
              quint8(h.length),  quint8(h.length >> 8)};
    out.insert(out.end(), payload, payload + h.length);
    return out;
}

QString hex(const Bytes& bytes)
{
    const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
    return QString::fromLatin1(raw.left(48).toHex(' ')) +
           (bytes.size() > 48 ? QStringLiteral(" ...") : QString());
}

struct Outcome
{
    std::vector<Bytes> packets;
    std::size_t waiting = 0;
};

Outcome cutWithPacketCutter(const Plan& plan)
{
    Outcome out;
    Feeder feeder(plan);
    wire::PacketCutter cutter;
    const wire::PacketCutter::Handler nested = [](const wire::PacketHeader&, const char*) {
        fuzz::fail(QStringLiteral("a nested cut() handed out a packet"));
    };
    const wire::PacketCutter::Handler take = [&](const wire::PacketHeader& h, const char* p) {
        out.packets.push_back(packetOf(h, p));
        switch (plan.actionAfter(out.packets.size() - 1)) {
        case Action::AppendNext:
            if (!feeder.done()) {
                const Bytes chunk = feeder.next();
                cutter.append(
                    QByteArray(reinterpret_cast<const char*>(chunk.data()), int(chunk.size())));
                cutter.cut(nested);
            }
            break;
        case Action::Clear:
            cutter.clear();
            break;
        case Action::None:
            break;
        }
    };
    while (!feeder.done()) {
        const Bytes chunk = feeder.next();
        cutter.append(QByteArray(reinterpret_cast<const char*>(chunk.data()), int(chunk.size())));
        cutter.cut(take);
    }
    cutter.cut(take);
    out.waiting = std::size_t(cutter.size());
    return out;
}

Outcome cutWithReference(const Plan& plan)
{
    Outcome out;
    Feeder feeder(plan);
    ReferenceCutter cutter;
    const auto take = [&](const Bytes& packet) {
        out.packets.push_back(packet);
        switch (plan.actionAfter(out.packets.size() - 1)) {
        case Action::AppendNext:
            if (!feeder.done())
                cutter.append(feeder.next());
            break;
        case Action::Clear:
            cutter.clear();
            break;
        case Action::None:
            break;
        }
    };
    while (!feeder.done()) {
        cutter.append(feeder.next());
        cutter.cut(take);
    }
    cutter.cut(take);
    out.waiting = cutter.size();
    return out;
}

void setLogEveryByte(bool on)
{
    static int current = -1;
    if (current == int(on))
        return;
    current = int(on);
    QLoggingCategory::setFilterRules(on ? QStringLiteral("kv.wire.debug=true")
                                        : QStringLiteral("kv.wire.debug=false"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::start((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Plan plan(data, size);
    setLogEveryByte(plan.flags & kLogEveryByte);
    const Outcome got = cutWithPacketCutter(plan);
    const Outcome expected = cutWithReference(plan);

    const std::size_t common = std::min(got.packets.size(), expected.packets.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (got.packets[i] != expected.packets[i])
            fuzz::fail(QStringLiteral("packet %1 differs:\n  cutter    %2\n  reference %3")
                           .arg(i)
                           .arg(hex(got.packets[i]), hex(expected.packets[i])));
    }
    if (got.packets.size() != expected.packets.size()) {
        const bool more = got.packets.size() > common;
        fuzz::fail(QStringLiteral("the cutter handed out %1 packets, the reference %2; first "
                                  "extra one (%3): %4")
                       .arg(got.packets.size())
                       .arg(expected.packets.size())
                       .arg(more ? QStringLiteral("cutter") : QStringLiteral("reference"))
                       .arg(hex(more ? got.packets[common] : expected.packets[common])));
    }
    if (got.waiting != expected.waiting)
        fuzz::fail(QStringLiteral("bytes left waiting: cutter %1, reference %2")
                       .arg(got.waiting)
                       .arg(expected.waiting));
    return 0;
}
