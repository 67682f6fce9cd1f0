#pragma once

#include "unitstate.h"
#include "wire/ranges.h"

#include <QByteArray>
#include <array>

// The 32 preset slots of a unit: a used flag, a name of at most 16 bytes and a snapshot of
// the DSP state each, plus the index of the preset last saved or loaded. Presets leave the
// unit as byte images: one preset starts with its check word, the whole bank ends with its
// own; both carry a checksum, so an altered or foreign file is refused on import.
class PresetStore
{
public:
    static constexpr quint32 kPresetCheckWord = 0x31505556; // "VUP1"
    static constexpr quint32 kBankCheckWord = 0x31425556;   // "VUB1"

    PresetStore();

    int current() const { return m_current; }
    bool isUsed(int slot) const;
    QByteArray name(int slot) const;

    // The 545-byte table report: current preset, then {used, 16-byte name} per slot.
    QByteArray tablePayload() const;

    bool save(int slot, const UnitState::Dsp& dsp);
    bool remove(int slot);
    bool rename(int slot, const QByteArray& name);
    // Copies the slot's snapshot into `dsp`; false (and `dsp` untouched) for an empty slot.
    bool recall(int slot, UnitState::Dsp& dsp);
    void clear();

    // Empty for an unused slot.
    QByteArray presetImage(int slot) const;
    bool loadPresetImage(int slot, const QByteArray& image);
    QByteArray bankImage() const;
    bool loadBankImage(const QByteArray& image);

private:
    struct Slot
    {
        bool used = false;
        QByteArray name;
        UnitState::Dsp dsp;
    };

    static bool validSlot(int slot) { return slot >= 0 && slot < wire::kPresetCount; }

    std::array<Slot, wire::kPresetCount> m_slots;
    int m_current = 0;
};
