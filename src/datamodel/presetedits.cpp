#include "presetedits.h"

#include "datamodel.h"
#include "wire/commands.h"

using namespace wire;

bool PresetEdits::fits(const QString& name)
{
    return encodeLocalText(name.trimmed()).size() <= kPresetNameBytes;
}

bool PresetEdits::validSlot(int slot)
{
    return slot >= 0 && slot < kPresetCount;
}

bool PresetEdits::rename(int slot, const QString& name)
{
    if (!validSlot(slot) || !fits(name))
        return false;
    const QString trimmed = name.trimmed();
    m_model.presets().entries[std::size_t(slot)].name = trimmed;
    deliver(m_model, cmd::presetRename(quint8(slot), trimmed));
    return true;
}

void PresetEdits::save(int slot)
{
    if (validSlot(slot))
        deliver(m_model, cmd::presetSave(quint8(slot)));
}

void PresetEdits::load(int slot)
{
    if (!validSlot(slot))
        return;
    deliver(m_model, cmd::presetLoad(quint8(slot)));
    m_model.journal().clear(EditJournal::Reason::PresetRecall);
}

void PresetEdits::remove(int slot)
{
    if (validSlot(slot))
        deliver(m_model, cmd::presetDelete(quint8(slot)));
}
