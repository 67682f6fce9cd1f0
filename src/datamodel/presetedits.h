#pragma once

#include <QString>

class DataModel;

// The edits of the unit's preset slots: each writes the mirror where the unit would and sends
// the command.
class PresetEdits
{
public:
    explicit PresetEdits(DataModel& model) : m_model(model) {}

    // Whether the trimmed name fits the unit's slot in the local encoding.
    static bool fits(const QString& name);
    static bool validSlot(int slot);

    // False, with nothing stored or sent, when the name does not fit or the slot is unknown.
    bool rename(int slot, const QString& name);
    void save(int slot);
    void load(int slot);
    void remove(int slot);

private:
    DataModel& m_model;
};
