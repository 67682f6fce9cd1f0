#pragma once

#include "firmwareimage.h"
#include "replies.h"
#include "wire/codes.h"

#include <QByteArray>

class UnitState;

// Takes a firmware image in 512-byte blocks. A system upgrade starts with a request (00 00),
// answered with 00 00 and the controller's key; DSP and forced upgrades start with their block
// 0. Each block (00 01, u16 index, data) is acknowledged with its first four bytes; a block
// shorter than 512 bytes ends the image. A complete image is checked and installed (the unit
// then reports its new version); a bad one is refused with a verdict, 254 for a damaged image
// and 255 for one that is not for this part of the unit, instead of the last acknowledgement.
class FirmwareReceiver
{
public:
    static constexpr quint8 kVerdictDamaged = 254;
    static constexpr quint8 kVerdictBadFormat = 255;
    // A u16 block index bounds an image.
    static constexpr int kMaxBlocks = 65536;

    explicit FirmwareReceiver(UnitState& state) : m_state(state) {}

    // Handles one upgrade message; false for malformed or unexpected ones (no reply).
    bool handle(wire::Code code, const QByteArray& payload, Replies& replies);

    // Images installed, for tests and logs.
    int installed() const { return m_installed; }

private:
    void refuse(quint8 verdict, Replies& replies);
    void install(FirmwareImage::Target target, const FirmwareImage::Version& version);
    void reset();

    UnitState& m_state;
    bool m_requested = false; // a system upgrade was asked for
    wire::Code m_code;        // the transfer under way; none is the zero code
    int m_next = 0;
    QByteArray m_image;
    int m_installed = 0;
};
