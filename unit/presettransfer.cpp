#include "presettransfer.h"

#include "presetstore.h"
#include "wire/packet.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPresetTransfer, "kv.unit.presets")

namespace {

constexpr quint16 kStart = 0x0000;
constexpr quint16 kBlock = 0x0100;
// An image can never need more blocks than this; it bounds what an import may allocate.
constexpr int kMaxImportBlocks = 1024;

} // namespace

bool PresetTransfer::handle(quint8 funcId, const QByteArray& payload, Replies& replies)
{
    if (payload.size() < 2)
        return false;
    if (funcId == 16 || funcId == 18)
        return handleExport(funcId, payload, replies);
    if (funcId == 17 || funcId == 19)
        return handleImport(funcId, payload, replies);
    return false;
}

bool PresetTransfer::handleExport(quint8 funcId, const QByteArray& payload, Replies& replies)
{
    const quint16 op = wire::readU16(payload.constData());
    if (op == kStart) {
        if (funcId == 18 && payload.size() != 3)
            return false;
        if (funcId == 16 && payload.size() != 2)
            return false;
        m_exportFuncId = funcId;
        m_exportImage =
            funcId == 16 ? m_store.bankImage() : m_store.presetImage(quint8(payload[2]));
        // Every block carries data, so the count rounds up; an empty slot exports nothing.
        const int blocks = (int(m_exportImage.size()) + kBlockSize - 1) / kBlockSize;
        QByteArray reply;
        wire::appendU16(reply, kStart);
        wire::appendU16(reply, quint16(blocks));
        replies.add(3, 32, funcId, reply);
        return true;
    }
    if (op != kBlock || payload.size() != 4 || funcId != m_exportFuncId)
        return false;
    const int index = wire::readU16(payload.constData() + 2);
    const int offset = index * kBlockSize;
    if (offset >= m_exportImage.size())
        return false;
    QByteArray reply;
    wire::appendU16(reply, kBlock);
    wire::appendU16(reply, quint16(index));
    reply.append(m_exportImage.mid(offset, kBlockSize));
    replies.add(3, 32, funcId, reply);
    return true;
}

bool PresetTransfer::handleImport(quint8 funcId, const QByteArray& payload, Replies& replies)
{
    const quint16 op = wire::readU16(payload.constData());
    if (op == kStart) {
        if ((funcId == 19 && payload.size() != 3) || (funcId == 17 && payload.size() != 2))
            return false;
        const int slot = funcId == 19 ? quint8(payload[2]) : -1;
        if (funcId == 19 && slot >= PresetStore::kSlots)
            return false;
        m_importFuncId = funcId;
        m_importSlot = slot;
        m_importImage.clear();
        QByteArray reply;
        wire::appendU16(reply, kStart);
        wire::appendU32(reply,
                        funcId == 17 ? PresetStore::kBankCheckWord : PresetStore::kPresetCheckWord);
        replies.add(3, 32, funcId, reply);
        return true;
    }
    if (op != kBlock || payload.size() < 4 || funcId != m_importFuncId)
        return false;
    const int index = wire::readU16(payload.constData() + 2);
    if (index >= kMaxImportBlocks)
        return false;
    const QByteArray data = payload.mid(4);
    if (data.size() > kBlockSize)
        return false;
    const int offset = index * kBlockSize;
    if (m_importImage.size() < offset + data.size())
        m_importImage.resize(offset + data.size());
    m_importImage.replace(offset, data.size(), data);
    QByteArray reply;
    wire::appendU16(reply, kBlock);
    wire::appendU16(reply, quint16(index));
    replies.add(3, 32, funcId, reply);

    if (data.size() < kBlockSize) {
        const QByteArray image = m_importImage.left(offset + data.size());
        const bool taken = funcId == 17 ? m_store.loadBankImage(image)
                                        : m_store.loadPresetImage(m_importSlot, image);
        if (taken)
            ++m_importsTaken;
        else
            qCWarning(lcPresetTransfer)
                << "Preset import refused:" << image.size() << "bytes do not form a valid image";
        m_importFuncId = 0;
        m_importImage.clear();
    }
    return true;
}
