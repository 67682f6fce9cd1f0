#include "presettransfer.h"

#include "presetstore.h"
#include "wire/commands.h"
#include "wire/packet.h"
#include "wire/ranges.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPresetTransfer, "kv.unit.presets", QtInfoMsg)

namespace {

constexpr quint16 kStart = 0x0000;
constexpr quint16 kBlock = 0x0100;
constexpr int kBlockBytes = wire::kTransferBlockBytes;
// An image can never need more blocks than this; it bounds what an import may allocate.
constexpr int kMaxImportBlocks = 1024;

} // namespace

bool PresetTransfer::handle(wire::Code code, const QByteArray& payload, Replies& replies)
{
    if (payload.size() < 2)
        return false;
    if (code == wire::code::PresetExportAll || code == wire::code::PresetExport)
        return handleExport(code, payload, replies);
    if (code == wire::code::PresetImportAll || code == wire::code::PresetImport)
        return handleImport(code, payload, replies);
    return false;
}

bool PresetTransfer::handleExport(wire::Code code, const QByteArray& payload, Replies& replies)
{
    const quint16 op = wire::readU16(payload.constData());
    if (op == kStart) {
        const bool all = code == wire::code::PresetExportAll;
        if (payload.size() != (all ? 2 : 3))
            return false;
        m_exportCode = code;
        m_exportImage = all ? m_store.bankImage() : m_store.presetImage(quint8(payload[2]));
        // Every block carries data, so the count rounds up; an empty slot exports nothing.
        const int blocks = (int(m_exportImage.size()) + kBlockBytes - 1) / kBlockBytes;
        QByteArray reply;
        wire::appendU16(reply, kStart);
        wire::appendU16(reply, quint16(blocks));
        replies.add(code, reply);
        return true;
    }
    if (op != kBlock || payload.size() != 4 || code != m_exportCode)
        return false;
    const int index = wire::readU16(payload.constData() + 2);
    const int offset = index * kBlockBytes;
    if (offset >= m_exportImage.size())
        return false;
    QByteArray reply;
    wire::appendU16(reply, kBlock);
    wire::appendU16(reply, quint16(index));
    reply.append(m_exportImage.mid(offset, kBlockBytes));
    replies.add(code, reply);
    return true;
}

bool PresetTransfer::handleImport(wire::Code code, const QByteArray& payload, Replies& replies)
{
    const quint16 op = wire::readU16(payload.constData());
    if (op == kStart) {
        const bool all = code == wire::code::PresetImportAll;
        if (payload.size() != (all ? 2 : 3))
            return false;
        const int slot = all ? -1 : quint8(payload[2]);
        if (slot >= wire::kPresetCount)
            return false;
        m_importCode = code;
        m_importSlot = slot;
        m_importImage.clear();
        QByteArray reply;
        wire::appendU16(reply, kStart);
        wire::appendU32(reply, all ? PresetStore::kBankCheckWord : PresetStore::kPresetCheckWord);
        replies.add(code, reply);
        return true;
    }
    if (op != kBlock || payload.size() < 4 || code != m_importCode)
        return false;
    const int index = wire::readU16(payload.constData() + 2);
    if (index >= kMaxImportBlocks)
        return false;
    const QByteArray data = payload.mid(4);
    if (data.size() > kBlockBytes)
        return false;
    const int offset = index * kBlockBytes;
    if (m_importImage.size() < offset + data.size())
        m_importImage.resize(offset + data.size());
    m_importImage.replace(offset, data.size(), data);
    QByteArray reply;
    wire::appendU16(reply, kBlock);
    wire::appendU16(reply, quint16(index));
    replies.add(code, reply);

    if (data.size() < kBlockBytes) {
        const QByteArray image = m_importImage.left(offset + data.size());
        const bool taken = code == wire::code::PresetImportAll
                               ? m_store.loadBankImage(image)
                               : m_store.loadPresetImage(m_importSlot, image);
        if (taken)
            ++m_importsTaken;
        else
            qCWarning(lcPresetTransfer)
                << "Preset import refused:" << image.size() << "bytes do not form a valid image";
        m_importCode = {};
        m_importImage.clear();
    }
    return true;
}
