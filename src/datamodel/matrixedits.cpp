#include "matrixedits.h"

#include "datamodel.h"

using namespace wire;

qint8 MatrixEdits::storedGain(int dB)
{
    return qint8(qBound(int(range::MatrixGain.lo), dB, int(range::MatrixGain.hi)));
}

int MatrixEdits::shownGain(int dB)
{
    return dB < kMatrixOffBelow ? int(kLevelOff) : dB;
}

QByteArray MatrixEdits::allInputs(quint16 generation)
{
    const int count = isNarrowFormat(generation) ? kAnalogueInputs : kInputCount;
    QByteArray inputs;
    for (int i = 0; i < count; ++i)
        inputs.append(char(i));
    return inputs;
}

QByteArray MatrixEdits::validInputs(const QByteArray& inputs)
{
    QByteArray valid;
    for (char c : inputs) {
        if (quint8(c) < kInputCount && !valid.contains(c))
            valid.append(c);
    }
    return valid;
}

QByteArray MatrixEdits::setEnabled(int output, const QByteArray& inputs, bool on)
{
    const QByteArray valid = validInputs(inputs);
    if (output < 0 || output >= kOutputCount || valid.isEmpty())
        return {};
    for (char i : valid)
        m_model.input(quint8(i)).mixEnabled[std::size_t(output)] = on;
    deliver(m_model, cmd::matrixEnable(quint8(output), valid, on));
    return valid;
}

QByteArray MatrixEdits::setGain(int output, const QByteArray& inputs, int dB)
{
    const QByteArray valid = validInputs(inputs);
    if (output < 0 || output >= kOutputCount || valid.isEmpty())
        return {};
    const qint8 stored = storedGain(dB);
    for (char i : valid)
        m_model.input(quint8(i)).mixGain[std::size_t(output)] = stored;
    deliver(m_model, cmd::matrixGain(quint8(output), valid, stored));
    return valid;
}

bool MatrixEdits::spares(bool mix, int usbRecordOutput, int output)
{
    return mix && output == usbRecordOutput;
}

QVector<Command> MatrixEdits::allCommands(bool mix, int usbRecordOutput, quint16 generation)
{
    const QByteArray inputs = allInputs(generation);
    QVector<Command> commands;
    for (int output = 0; output < kOutputCount; ++output) {
        if (spares(mix, usbRecordOutput, output))
            continue;
        commands << cmd::matrixEnable(quint8(output), inputs, mix)
                 << cmd::matrixGain(quint8(output), inputs, 0);
    }
    return commands;
}

void MatrixEdits::setAll(bool mix, int usbRecordOutput)
{
    for (int i = 0; i < kInputCount; ++i) {
        model::InputChannel& in = m_model.input(i);
        for (int output = 0; output < kOutputCount; ++output) {
            if (spares(mix, usbRecordOutput, output))
                continue;
            in.mixEnabled[std::size_t(output)] = mix;
            in.mixGain[std::size_t(output)] = 0;
        }
    }
    for (const Command& c : allCommands(mix, usbRecordOutput, m_model.formatGeneration()))
        deliver(m_model, c);
}
