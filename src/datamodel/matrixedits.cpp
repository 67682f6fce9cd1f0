#include "matrixedits.h"

#include "datamodel.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>

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
    QVector<int> before;
    for (char i : valid)
        before << int(m_model.input(quint8(i)).mixEnabled[std::size_t(output)]);
    note(output, valid, before, on ? 1 : 0, false);
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
    QVector<int> before;
    for (char i : valid)
        before << int(m_model.input(quint8(i)).mixGain[std::size_t(output)]);
    note(output, valid, before, stored, true);
    for (char i : valid)
        m_model.input(quint8(i)).mixGain[std::size_t(output)] = stored;
    deliver(m_model, cmd::matrixGain(quint8(output), valid, stored));
    return valid;
}

// Each input gets its own earlier value back: inputs that held the same value share a command,
// as a gesture over them would have sent it.
void MatrixEdits::note(int output, const QByteArray& inputs, const QVector<int>& before, int after,
                       bool gain)
{
    if (std::all_of(before.begin(), before.end(), [after](int v) { return v == after; }))
        return;
    const QString key = QStringLiteral("mix.%1.%2.%3")
                            .arg(gain ? 1 : 0)
                            .arg(output)
                            .arg(QString::fromLatin1(inputs.toHex()));
    const QString name =
        (gain ? QCoreApplication::translate("EditJournal", "Matrix Gain to Output %1")
              : QCoreApplication::translate("EditJournal", "Matrix Switch to Output %1"))
            .arg(output + 1);
    const QVector<int> afterAll(before.size(), after);
    DataModel& model = m_model;
    const auto apply = [&model, output, inputs, gain](const QVector<int>& values) {
        MatrixEdits edits(model);
        QMap<int, QByteArray> byValue;
        for (int k = 0; k < inputs.size(); ++k)
            byValue[values[k]].append(inputs[k]);
        for (auto it = byValue.cbegin(); it != byValue.cend(); ++it) {
            if (gain)
                edits.setGain(output, it.value(), it.key());
            else
                edits.setEnabled(output, it.value(), it.key() != 0);
        }
        for (char i : inputs)
            model.sync(gain ? code::MatrixGain : code::MatrixEnable, quint8(i), quint8(output));
    };
    // A switch clicked twice is two steps; a gain dragged is one.
    m_model.journal().record(EditJournal::Step{key, name, [apply, before] { apply(before); },
                                               [apply, afterAll] { apply(afterAll); }, gain});
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
    m_model.journal().clear(EditJournal::Reason::Reset);
}
