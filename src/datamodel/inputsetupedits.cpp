#include "inputsetupedits.h"

#include "datamodel.h"

#include "wire/commands.h"
#include "wire/levelrules.h"
#include <QCoreApplication>

using namespace wire;

namespace {

bool valid(int channel)
{
    return channel >= 0 && channel < kAnalogueInputs;
}

} // namespace

Range InputSetupEdits::gainRange(quint32 mode)
{
    return mode == kMicInputMode ? range::InputGain : range::LineInputGain;
}

template <typename T, typename Apply>
void InputSetupEdits::note(const QString& key, const QString& name, Code code, int channel,
                           T before, T after, Apply apply)
{
    if (before == after)
        return;
    DataModel& model = m_model;
    m_model.journal().note(key, name, before, after, [&model, apply, code, channel](T value) {
        InputSetupEdits edits(model);
        apply(edits, channel, value);
        model.sync(code, quint8(channel));
    });
}

bool InputSetupEdits::pairLinked() const
{
    return m_model.input(0).inputMode == kLinkedPairInputMode ||
           m_model.input(1).inputMode == kLinkedPairInputMode;
}

QVector<int> InputSetupEdits::setMode(int channel, quint32 mode)
{
    if (!valid(channel) || mode >= kInputModes)
        return {};
    const quint32 before = m_model.input(channel).inputMode;
    if (before == mode)
        return {};
    // A mode change also turns phantom power off and the gain down, on both halves of a pair:
    // undo brings the whole setup of the channels it reached back.
    const EditJournal::Batch batch(
        m_model.journal(), QStringLiteral("mode.%1").arg(channel),
        QCoreApplication::translate("EditJournal", "Input %1 Mode").arg(channel + 1));
    QVector<int> changed;
    if (changeMode(channel, mode))
        changed << channel;
    // A linked pair is one stereo input: both halves enter and leave the mode together.
    if (inLinkedPair(channel) && (mode == kLinkedPairInputMode || before == kLinkedPairInputMode) &&
        changeMode(1 - channel, mode))
        changed << 1 - channel;
    return changed;
}

bool InputSetupEdits::changeMode(int channel, quint32 mode)
{
    DataModel::InputChannel& in = m_model.input(channel);
    if (in.inputMode == mode)
        return false;
    const Setup before{in.inputMode, in.phantom, in.inputGain};
    const Setup after{mode, false, 0.0f};
    DataModel& model = m_model;
    m_model.journal().note(QString(), QString(), before, after, [&model, channel](const Setup& s) {
        InputSetupEdits edits(model);
        edits.changeMode(channel, s.mode);
        if (s.phantom)
            edits.setPhantom(channel, true);
        edits.setGain(channel, s.gain);
        model.sync(code::InputMode, quint8(channel));
        model.sync(code::Phantom, quint8(channel));
        model.sync(code::InputGain, quint8(channel));
    });
    // Phantom power never stays on across a change of source.
    if (in.phantom) {
        in.phantom = false;
        deliver(m_model, cmd::inputPhantom(quint8(channel), false));
    }
    if (in.inputGain != 0.0f) {
        in.inputGain = 0.0f;
        deliver(m_model, cmd::inputGain(quint8(channel), 0.0f, Path::Now));
    }
    in.inputMode = mode;
    deliver(m_model, cmd::inputMode(quint8(channel), quint8(mode)));
    return true;
}

QVector<int> InputSetupEdits::setPhantom(int channel, bool on)
{
    if (!valid(channel))
        return {};
    note(QStringLiteral("phantom.%1").arg(channel),
         QCoreApplication::translate("EditJournal", "Input %1 Phantom Power").arg(channel + 1),
         code::Phantom, channel, m_model.input(channel).phantom, on,
         [](InputSetupEdits& e, int ch, bool v) { e.setPhantom(ch, v); });
    m_model.input(channel).phantom = on;
    deliver(m_model, cmd::inputPhantom(quint8(channel), on));
    return {channel};
}

QVector<int> InputSetupEdits::setGain(int channel, float dB, Path path)
{
    if (!valid(channel))
        return {};
    DataModel::InputChannel& in = m_model.input(channel);
    const float before = in.inputGain;
    in.inputGain = gainRange(in.inputMode).clamp(dB);
    note(QStringLiteral("gain.%1").arg(channel),
         QCoreApplication::translate("EditJournal", "Input %1 Input Gain").arg(channel + 1),
         code::InputGain, channel, before, in.inputGain,
         [](InputSetupEdits& e, int ch, float v) { e.setGain(ch, v); });
    deliver(m_model, cmd::inputGain(quint8(channel), in.inputGain, path));
    return {channel};
}

QVector<int> InputSetupEdits::setMute(int channel, bool on)
{
    if (!valid(channel))
        return {};
    note(QStringLiteral("mute.%1").arg(channel),
         QCoreApplication::translate("EditJournal", "Input %1 Input Mute").arg(channel + 1),
         code::InputMute, channel, m_model.input(channel).inputMute, on,
         [](InputSetupEdits& e, int ch, bool v) {
             for (int c : e.setMute(ch, v))
                 e.m_model.sync(code::InputMute, quint8(c));
         });
    QVector<int> channels{channel};
    if (inLinkedPair(channel) && pairLinked())
        channels << 1 - channel;
    for (int ch : channels) {
        m_model.input(ch).inputMute = on;
        deliver(m_model, cmd::inputMute(quint8(ch), on));
    }
    return channels;
}
