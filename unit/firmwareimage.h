#pragma once

#include <QByteArray>
#include <QtGlobal>

// The virtual unit's firmware images (see unit/README.md). An image is a body of any bytes
// followed by a 12-byte trailer, all little-endian:
//
//   u32 key          which part of the unit the image is for (controller or DSP)
//   u8 major, minor, patch, build
//   u32 check word   CRC-32 (as zlib computes it) of every byte before the check word
//
// The application compares only the key, and only for system upgrades; the unit checks the
// whole image once the last block is in.
class FirmwareImage
{
public:
    enum class Target
    {
        Controller, // "*.img": system and forced upgrades
        Dsp,        // "*.bin"
    };
    enum class Verdict
    {
        Good,
        BadFormat, // too short, or the key of another target
        Damaged,   // the check word does not match
    };
    struct Version
    {
        quint8 major = 0;
        quint8 minor = 0;
        quint8 patch = 0;
        quint8 build = 0;
    };

    static constexpr int kTrailerBytes = 12;
    static constexpr quint32 kControllerKey = 0x3155564B; // "KVU1"
    static constexpr quint32 kDspKey = 0x3144564B;        // "KVD1"

    static quint32 keyFor(Target target);
    static quint32 crc32(const char* data, qint64 size, quint32 crc = 0);

    // An image of `totalBytes` (more than the trailer) with a reproducible body; `key` 0 means
    // the target's own key.
    static QByteArray build(Target target, Version version, int totalBytes, quint32 key = 0);
    static Verdict check(const QByteArray& image, Target target, Version* version = nullptr);
};
