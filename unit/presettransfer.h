#pragma once

#include "replies.h"

#include <QByteArray>

class PresetStore;

// Moves preset images in 512-byte blocks: export (funcId 16 all presets, 18 one preset) and
// import (17 all presets, 19 one preset). A start carries 00 00 (and the preset index for one
// preset); a block request or block carries 00 01, the block index and, for imports, the data.
// An import ends with its first block shorter than 512 bytes; the image is then checked and
// taken, or dropped whole.
class PresetTransfer
{
public:
    static constexpr int kBlockSize = 512;

    explicit PresetTransfer(PresetStore& store) : m_store(store) {}

    // Handles one (3,32,16..19) message; returns false for malformed ones (no reply).
    bool handle(quint8 funcId, const QByteArray& payload, Replies& replies);

    // Number of images taken by imports, for tests and logs.
    int importsTaken() const { return m_importsTaken; }

private:
    bool handleExport(quint8 funcId, const QByteArray& payload, Replies& replies);
    bool handleImport(quint8 funcId, const QByteArray& payload, Replies& replies);

    PresetStore& m_store;
    quint8 m_exportFuncId = 0;
    QByteArray m_exportImage;
    quint8 m_importFuncId = 0;
    int m_importSlot = -1;
    QByteArray m_importImage;
    int m_importsTaken = 0;
};
