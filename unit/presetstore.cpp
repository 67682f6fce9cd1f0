#include "presetstore.h"

#include "wire/packet.h"

#include <cstring>

namespace {

constexpr quint16 kImageVersion = 1;
constexpr int kDspSize = int(sizeof(UnitState::Dsp));
// One preset: check word, version, checksum, DSP size, name, DSP image.
constexpr int kPresetHeader = 4 + 2 + 2 + 4 + wire::kPresetNameBytes;
constexpr int kPresetImageSize = kPresetHeader + kDspSize;
// The bank: version, checksum, DSP size, current preset, 32 x {used, name, DSP}, check word.
constexpr int kBankEntry = 1 + wire::kPresetNameBytes + kDspSize;
constexpr int kBankImageSize = 2 + 2 + 4 + 1 + wire::kPresetCount * kBankEntry + 4;

QByteArray fixedName(const QByteArray& name)
{
    QByteArray out = name.left(wire::kPresetNameBytes);
    out.append(QByteArray(wire::kPresetNameBytes - out.size(), '\0'));
    return out;
}

QByteArray dspBytes(const UnitState::Dsp& dsp)
{
    return QByteArray(reinterpret_cast<const char*>(&dsp), kDspSize);
}

QByteArray trimmedName(const char* p)
{
    return QByteArray(p, int(qstrnlen(p, wire::kPresetNameBytes)));
}

} // namespace

PresetStore::PresetStore()
{
    clear();
}

void PresetStore::clear()
{
    for (Slot& slot : m_slots) {
        slot.used = false;
        slot.name.clear();
        slot.dsp = UnitState::defaultDsp();
    }
    m_current = 0;
}

bool PresetStore::isUsed(int slot) const
{
    return validSlot(slot) && m_slots[std::size_t(slot)].used;
}

QByteArray PresetStore::name(int slot) const
{
    return validSlot(slot) ? m_slots[std::size_t(slot)].name : QByteArray();
}

QByteArray PresetStore::tablePayload() const
{
    QByteArray out;
    out.reserve(1 + wire::kPresetCount * (1 + wire::kPresetNameBytes));
    out.append(char(m_current));
    for (const Slot& slot : m_slots) {
        out.append(char(slot.used ? 1 : 0));
        out.append(fixedName(slot.name));
    }
    return out;
}

bool PresetStore::save(int slot, const UnitState::Dsp& dsp)
{
    if (!validSlot(slot))
        return false;
    Slot& s = m_slots[std::size_t(slot)];
    s.used = true;
    s.dsp = dsp;
    if (s.name.isEmpty())
        s.name = "Preset " + QByteArray::number(slot + 1);
    m_current = slot;
    return true;
}

bool PresetStore::remove(int slot)
{
    if (!validSlot(slot))
        return false;
    Slot& s = m_slots[std::size_t(slot)];
    s.used = false;
    s.name.clear();
    s.dsp = UnitState::defaultDsp();
    return true;
}

bool PresetStore::rename(int slot, const QByteArray& name)
{
    if (!validSlot(slot) || name.size() > wire::kPresetNameBytes)
        return false;
    m_slots[std::size_t(slot)].name = trimmedName(fixedName(name).constData());
    return true;
}

bool PresetStore::recall(int slot, UnitState::Dsp& dsp)
{
    if (!isUsed(slot))
        return false;
    dsp = m_slots[std::size_t(slot)].dsp;
    m_current = slot;
    return true;
}

QByteArray PresetStore::presetImage(int slot) const
{
    if (!isUsed(slot))
        return {};
    const Slot& s = m_slots[std::size_t(slot)];
    QByteArray body;
    wire::appendU32(body, quint32(kDspSize));
    body.append(fixedName(s.name));
    body.append(dspBytes(s.dsp));
    QByteArray out;
    wire::appendU32(out, kPresetCheckWord);
    wire::appendU16(out, kImageVersion);
    wire::appendU16(out, qChecksum(body.constData(), uint(body.size())));
    out.append(body);
    return out;
}

bool PresetStore::loadPresetImage(int slot, const QByteArray& image)
{
    if (!validSlot(slot) || image.size() != kPresetImageSize)
        return false;
    const char* p = image.constData();
    if (wire::readU32(p) != kPresetCheckWord || wire::readU16(p + 4) != kImageVersion ||
        wire::readU32(p + 8) != quint32(kDspSize) ||
        wire::readU16(p + 6) != qChecksum(p + 8, uint(image.size() - 8)))
        return false;
    Slot& s = m_slots[std::size_t(slot)];
    s.used = true;
    s.name = trimmedName(p + 12);
    std::memcpy(&s.dsp, p + kPresetHeader, sizeof s.dsp);
    return true;
}

QByteArray PresetStore::bankImage() const
{
    QByteArray body;
    body.reserve(kBankImageSize);
    wire::appendU32(body, quint32(kDspSize));
    body.append(char(m_current));
    for (const Slot& s : m_slots) {
        body.append(char(s.used ? 1 : 0));
        body.append(fixedName(s.name));
        body.append(dspBytes(s.dsp));
    }
    QByteArray out;
    wire::appendU16(out, kImageVersion);
    wire::appendU16(out, qChecksum(body.constData(), uint(body.size())));
    out.append(body);
    wire::appendU32(out, kBankCheckWord);
    return out;
}

bool PresetStore::loadBankImage(const QByteArray& image)
{
    if (image.size() != kBankImageSize)
        return false;
    const char* p = image.constData();
    const int bodySize = image.size() - 8;
    if (wire::readU16(p) != kImageVersion || wire::readU32(p + 4) != quint32(kDspSize) ||
        wire::readU32(p + image.size() - 4) != kBankCheckWord ||
        wire::readU16(p + 2) != qChecksum(p + 4, uint(bodySize)))
        return false;
    const int current = quint8(p[8]);
    const char* entry = p + 9;
    for (Slot& s : m_slots) {
        s.used = entry[0] != 0;
        s.name = trimmedName(entry + 1);
        std::memcpy(&s.dsp, entry + 1 + wire::kPresetNameBytes, sizeof s.dsp);
        entry += kBankEntry;
    }
    m_current = validSlot(current) ? current : 0;
    return true;
}
