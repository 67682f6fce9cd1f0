#include "wire/packet.h"

#include <cstring>

Q_LOGGING_CATEGORY(lcWire, "kv.wire", QtWarningMsg)

namespace wire {

quint16 readU16(const char* p)
{
    const auto* u = reinterpret_cast<const uchar*>(p);
    return quint16(u[0] | (u[1] << 8));
}

quint32 readU32(const char* p)
{
    const auto* u = reinterpret_cast<const uchar*>(p);
    return quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24);
}

float readF32(const char* p)
{
    const quint32 bits = readU32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void appendU16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendU32(QByteArray& out, quint32 v)
{
    appendU16(out, quint16(v & 0xFFFF));
    appendU16(out, quint16(v >> 16));
}

void appendF32(QByteArray& out, float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, sizeof bits);
    appendU32(out, bits);
}

QByteArray bytesU16(quint16 v)
{
    QByteArray out;
    appendU16(out, v);
    return out;
}

QByteArray bytesU32(quint32 v)
{
    QByteArray out;
    appendU32(out, v);
    return out;
}

QByteArray bytesF32(float v)
{
    QByteArray out;
    appendF32(out, v);
    return out;
}

bool buildPacket(QByteArray& out, const PacketHeader& header, const char* payload, int length)
{
    out.clear();
    if (length < 0 || length > kMaxPayloadSize) {
        qCWarning(lcWire) << "Packet refused, payload too long:" << length << "bytes, at most"
                          << kMaxPayloadSize;
        return false;
    }
    out.reserve(length + kFrameOverhead);
    appendU16(out, kMagic);
    appendU16(out, header.version);
    out.append(char(header.type));
    out.append(char(header.subType));
    out.append(char(header.funcId));
    out.append(char(header.access));
    appendU16(out, quint16(length));
    if (length > 0)
        out.append(payload, length);
    appendU16(out, kTail);
    return true;
}

QByteArray packet(Code code, quint8 access, const QByteArray& payload, quint16 version)
{
    QByteArray out;
    PacketHeader header;
    header.version = version;
    header.setCode(code);
    header.access = access;
    buildPacket(out, header, payload.constData(), payload.size());
    return out;
}

} // namespace wire
