#pragma once

#include "wire/codes.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QtGlobal>

Q_DECLARE_LOGGING_CATEGORY(lcWire)

namespace wire {

// Every control packet: 10-byte header, payload, 2-byte tail, all little-endian.
constexpr quint16 kMagic = 0x7D82;
constexpr quint16 kTail = 0x827D;
constexpr int kHeaderSize = 10;
constexpr int kTailSize = 2;
constexpr int kFrameOverhead = kHeaderSize + kTailSize;
// Packets are assembled in a 2048-byte buffer on the unit's side as on ours.
constexpr int kMaxPacketSize = 2048;
constexpr int kMaxPayloadSize = kMaxPacketSize - kFrameOverhead;

enum Access : quint8
{
    AccessRead = 0x00,
    AccessWrite = 0x01,
    AccessReport = 0x80,
};

struct PacketHeader
{
    quint16 version = 1;
    quint8 type = 0;
    quint8 subType = 0;
    quint8 funcId = 0;
    quint8 access = 0;
    quint16 length = 0;

    constexpr Code code() const { return {type, subType, funcId}; }
    void setCode(Code c)
    {
        type = c.type;
        subType = c.subType;
        funcId = c.funcId;
    }
};

// Frames one packet into `out` (replacing its contents). Returns false and leaves `out` empty
// when the payload does not fit the 2048-byte packet limit.
bool buildPacket(QByteArray& out, const PacketHeader& header, const char* payload, int length);

QByteArray packet(Code code, quint8 access, const QByteArray& payload = {}, quint16 version = 1);

quint16 readU16(const char* p);
quint32 readU32(const char* p);
float readF32(const char* p);
// One value in its little-endian wire form.
QByteArray bytesU16(quint16 v);
QByteArray bytesU32(quint32 v);
QByteArray bytesF32(float v);
void appendU16(QByteArray& out, quint16 v);
void appendU32(QByteArray& out, quint32 v);
void appendF32(QByteArray& out, float v);

} // namespace wire
