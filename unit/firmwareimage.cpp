#include "firmwareimage.h"

#include "wire/packet.h"

#include <array>

namespace {

std::array<quint32, 256> crcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

quint32 FirmwareImage::keyFor(Target target)
{
    return target == Target::Dsp ? kDspKey : kControllerKey;
}

quint32 FirmwareImage::crc32(const char* data, qint64 size, quint32 crc)
{
    static const std::array<quint32, 256> table = crcTable();
    crc = ~crc;
    for (qint64 i = 0; i < size; ++i)
        crc = table[(crc ^ quint8(data[i])) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

QByteArray FirmwareImage::build(Target target, Version version, int totalBytes, quint32 key)
{
    const int body = qMax(1, totalBytes - kTrailerBytes);
    QByteArray image;
    image.reserve(body + kTrailerBytes);
    // A fixed sequence, so that a lost or repeated block shows in the check word.
    quint32 state = 0x2545F491u;
    for (int i = 0; i < body; ++i) {
        state = state * 1664525u + 1013904223u;
        image.append(char(state >> 24));
    }
    wire::appendU32(image, key ? key : keyFor(target));
    image.append(char(version.major));
    image.append(char(version.minor));
    image.append(char(version.patch));
    image.append(char(version.build));
    wire::appendU32(image, crc32(image.constData(), image.size()));
    return image;
}

FirmwareImage::Verdict FirmwareImage::check(const QByteArray& image, Target target,
                                            Version* version)
{
    if (image.size() <= kTrailerBytes)
        return Verdict::BadFormat;
    const char* trailer = image.constData() + image.size() - kTrailerBytes;
    if (wire::readU32(trailer) != keyFor(target))
        return Verdict::BadFormat;
    if (wire::readU32(trailer + 8) != crc32(image.constData(), image.size() - 4))
        return Verdict::Damaged;
    if (version)
        *version = {quint8(trailer[4]), quint8(trailer[5]), quint8(trailer[6]), quint8(trailer[7])};
    return Verdict::Good;
}
