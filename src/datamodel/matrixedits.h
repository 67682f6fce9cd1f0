#pragma once

#include "wire/commands.h"

#include <QByteArray>
#include <QVector>

class DataModel;

// The edits of the matrix mixer: a gesture changes one crosspoint value (enable or gain) for a
// list of inputs on one output. Each listed input's crosspoint is written into the mirror, then
// the unit hears one command for the whole list. "All Mix" and "Reset" bring every crosspoint
// to 0 dB, on or off; "All Mix" spares the USB record output, whose feed is chosen on purpose.
class MatrixEdits
{
public:
    explicit MatrixEdits(DataModel& model) : m_model(model) {}

    // The gain a crosspoint holds for dB: within -56..+12, the bottom standing for off.
    static qint8 storedGain(int dB);
    // The gain a crosspoint shows: off (below -55 dB) shows as -100, as the unit knows it.
    static int shownGain(int dB);
    // The inputs an all-crosspoint command lists: 0..15, or 0..17 in the wide format, which
    // carries the USB play pair.
    static QByteArray allInputs(quint16 generation);

    // Each writes the crosspoint of every listed input (0..17; others are dropped, and so is a
    // repeated one) on `output` and sends one command with the inputs written, which it returns.
    // Nothing is written or sent for an output outside 0..15 or an empty list.
    QByteArray setEnabled(int output, const QByteArray& inputs, bool on);
    QByteArray setGain(int output, const QByteArray& inputs, int dB);

    // The commands of "All Mix" (mix) or "Reset", in the order they leave: per output the
    // switch, then the gain. usbRecordOutput is -1 when the unit has none.
    static QVector<wire::Command> allCommands(bool mix, int usbRecordOutput, quint16 generation);
    // Writes every crosspoint of the 18 inputs as those commands do, then sends them.
    void setAll(bool mix, int usbRecordOutput);

private:
    void note(int output, const QByteArray& inputs, const QVector<int>& before, int after,
              bool gain);
    static QByteArray validInputs(const QByteArray& inputs);
    static bool spares(bool mix, int usbRecordOutput, int output);

    DataModel& m_model;
};
