#pragma once

#include "replies.h"

#include <QByteArray>

class PresetStore;

// Moves preset images in 512-byte blocks: export (all presets or one preset) and import (all
// presets or one preset into a slot). A start carries 00 00 (and the preset index for one
// preset); a block request or block carries 00 01, the block index and, for imports, the data.
// An import ends with its first block shorter than 512 bytes; the image is then checked and
// taken, or dropped whole.
class PresetTransfer
{
public:
    explicit PresetTransfer(PresetStore& store) : m_store(store) {}

    // Handles one export or import message; returns false for malformed ones (no reply) and
    // for every other code.
    bool handle(wire::Code code, const QByteArray& payload, Replies& replies);

    // Number of images taken by imports, for tests and logs.
    int importsTaken() const { return m_importsTaken; }

private:
    bool handleExport(wire::Code code, const QByteArray& payload, Replies& replies);
    bool handleImport(wire::Code code, const QByteArray& payload, Replies& replies);

    PresetStore& m_store;
    // The code of the transfer under way; none is the zero code.
    wire::Code m_exportCode;
    QByteArray m_exportImage;
    wire::Code m_importCode;
    int m_importSlot = -1;
    QByteArray m_importImage;
    int m_importsTaken = 0;
};
