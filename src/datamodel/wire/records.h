#pragma once

#include <QtGlobal>

// Packed parameter records. Their byte images are the payloads the unit sends and receives,
// so they carry no padding and assume a little-endian host like the unit itself.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "records are wire images: little-endian only");

namespace wire {

#pragma pack(push, 1)

// One high-pass or low-pass filter of a channel.
struct HLPF
{
    quint8 enabled;
    quint8 type;  // characteristic, 0..2
    quint8 slope; // slope step, 0..5
    float freq;   // 20..20000 Hz
};

// One parametric EQ band.
struct PEQ
{
    quint8 enabled;
    quint8 type; // band shape, 0..2
    float freq;  // 20..20000 Hz
    float gain;  // -15..+15 dB
    quint8 q;    // index into the Q table, 0..64
};

struct Limiter
{
    quint8 enabled;
    float threshold; // -100..+18 dB
    float ratio;     // 1..100
    float attack;    // 1..1000 ms
    float decay;     // 1..1000 ms
};

struct Gate
{
    quint8 enabled;
    float threshold; // -120..0 dB
    float attack;    // 1..1000 ms
    float decay;     // 1..1000 ms
};

struct AGC
{
    quint8 enabled;
    float threshold; // -120..0 dB
    float target;    // -120..0 dB
    float ratio;     // 1..100
    float attack;    // 20..1000 ms
    float decay;     // 20..1000 ms
};

// The status datagram every unit announces itself with on the discovery port.
struct UDPBrowsingPacket
{
    quint16 header; // 0xACA9
    quint8 reserved0[6];
    quint32 deviceId;
    quint8 reserved1[8];
    quint32 packetType; // 4 or 6
    quint32 ipAddress;  // a.b.c.d as a<<24 | b<<16 | c<<8 | d
    quint32 runTime;    // seconds
    quint32 totalTime;  // seconds
    char armVersion[20];
    quint8 dspVersion[3];
    char model[18];
    char serialNumber[18];
    char location[18];
    char description[18];
    quint32 fault;
    quint8 reserved2;
    char preset[16];
    quint16 tail; // 0xA9AC
};

#pragma pack(pop)

static_assert(sizeof(HLPF) == 7, "HLPF is a 7-byte wire image");
static_assert(sizeof(PEQ) == 11, "PEQ is an 11-byte wire image");
static_assert(sizeof(Limiter) == 17, "Limiter is a 17-byte wire image");
static_assert(sizeof(Gate) == 13, "Gate is a 13-byte wire image");
static_assert(sizeof(AGC) == 21, "AGC is a 21-byte wire image");
static_assert(sizeof(UDPBrowsingPacket) == 154, "the status datagram is 154 bytes");

constexpr quint16 kBrowsingHeader = 0xACA9;
constexpr quint16 kBrowsingTail = 0xA9AC;

} // namespace wire
