#include "leveledits.h"

#include "datamodel.h"
#include "wire/commands.h"

#include <QCoreApplication>

using namespace wire;

namespace {

bool validInput(int channel)
{
    return channel >= 0 && channel < kInputStrips;
}

bool validOutput(int channel)
{
    return channel >= 0 && channel < kOutputCount;
}

// Sets a flag of every follower; returns those whose flag changed.
template <typename FlagOf>
QVector<int> follow(const QVector<int>& followers, FlagOf flagOf, bool on)
{
    QVector<int> moved;
    for (int i : followers) {
        bool& flag = flagOf(i);
        if (flag != on) {
            flag = on;
            moved << i;
        }
    }
    return moved;
}

QString stepName(const char* what, int channel)
{
    return QCoreApplication::translate("EditJournal", what).arg(channel + 1);
}

} // namespace

// Undo puts the value back through the same edit, so that the unit and the group rules see it
// as they would a new one, and the strips are told of every channel it reached.
template <typename T, typename Set>
void LevelEdits::note(const QString& key, const QString& name, Code code, int channel, T before,
                      T after, Set set)
{
    if (before == after)
        return;
    DataModel& model = m_model;
    LevelEdits edits(*this);
    m_model.journal().note(key.arg(channel), name, before, after,
                           [&model, edits, code, channel, set](T value) {
                               LevelEdits e(edits);
                               const QVector<int> moved = (e.*set)(channel, value);
                               model.sync(code, quint8(channel));
                               for (int i : moved)
                                   model.sync(code, quint8(i));
                           });
}

FaderTravel LevelEdits::inputTravel(int channel) const
{
    if (!validInput(channel))
        return {kFaderBottom, kFaderTop};
    const auto& in = m_model.input(channel);
    return faderTravel(in.faderMin, in.faderMax,
                       channel == m_profile.usbPlayInput ? kUsbPlayTop : kFaderTop);
}

FaderTravel LevelEdits::outputTravel(int channel) const
{
    if (!validOutput(channel))
        return {kFaderBottom, kFaderTop};
    const auto& out = m_model.output(channel);
    return faderTravel(out.faderMin, out.faderMax);
}

QVector<int> LevelEdits::inputFollowers(int channel, bool withGroup) const
{
    const bool linked = m_model.input(channel).inputMode == kLinkedPairInputMode;
    return levelFollowers(
        kInputStrips, channel, [this](int i) { return m_model.input(i).levelGroup; }, withGroup,
        linked);
}

QVector<int> LevelEdits::outputFollowers(int channel) const
{
    return levelFollowers(
        kOutputCount, channel, [this](int i) { return m_model.output(i).levelGroup; }, true, false);
}

// --- inputs

QVector<int> LevelEdits::setInputGain(int channel, float dB)
{
    if (!validInput(channel))
        return {};
    const float before = m_model.input(channel).levelGain;
    const float x = inputTravel(channel).clamp(dB);
    bool changed = m_model.input(channel).levelGain != x;
    m_model.input(channel).levelGain = x;
    QVector<int> moved;
    for (int i : inputFollowers(channel, true)) {
        // Each follower stays inside its own travel.
        const float y = inputTravel(i).clamp(x);
        if (m_model.input(i).levelGain != y) {
            m_model.input(i).levelGain = y;
            moved << i;
            changed = true;
        }
    }
    // Leaving an edit without changing it, or a wheel turn at the end of the travel, is not a
    // new value for the unit. An undo is: the mirror may already show a value the unit has not
    // taken yet.
    if (changed || m_model.journal().isReplaying()) {
        deliver(m_model, cmd::inputLevelGain(quint8(channel), x));
        note(QStringLiteral("in.gain.%1"),
             stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Gain"), channel),
             code::InputLevelGain, channel, before, x, &LevelEdits::setInputGain);
    }
    return moved;
}

QVector<int> LevelEdits::setInputMute(int channel, bool on)
{
    if (!validInput(channel))
        return {};
    const bool before = m_model.input(channel).levelMute;
    m_model.input(channel).levelMute = on;
    const QVector<int> moved = follow(
        inputFollowers(channel, true),
        [this](int i) -> bool& { return m_model.input(i).levelMute; }, on);
    deliver(m_model, cmd::inputLevelMute(quint8(channel), on));
    note(QStringLiteral("in.mute.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Mute"), channel), code::InputLevelMute,
         channel, before, on, &LevelEdits::setInputMute);
    return moved;
}

QVector<int> LevelEdits::setInputInvert(int channel, bool on)
{
    if (!validInput(channel))
        return {};
    const bool before = m_model.input(channel).levelInvert;
    m_model.input(channel).levelInvert = on;
    const QVector<int> moved = follow(
        inputFollowers(channel, true),
        [this](int i) -> bool& { return m_model.input(i).levelInvert; }, on);
    deliver(m_model, cmd::inputLevelInvert(quint8(channel), on));
    note(QStringLiteral("in.invert.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Invert"), channel),
         code::InputLevelInvert, channel, before, on, &LevelEdits::setInputInvert);
    return moved;
}

QVector<int> LevelEdits::setInputGroup(int channel, quint8 group)
{
    if (!validInput(channel))
        return {};
    const quint8 before = m_model.input(channel).levelGroup;
    // The linked pair is one strip pair: it joins a group as one.
    const QVector<int> partners = inputFollowers(channel, false);
    for (int i : partners)
        m_model.input(i).levelGroup = group;
    m_model.input(channel).levelGroup = group;
    deliver(m_model, cmd::inputLevelGroup(quint8(channel), group));
    note(QStringLiteral("in.group.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Group"), channel),
         code::InputLevelGroup, channel, before, group, &LevelEdits::setInputGroup);
    return partners;
}

// --- outputs

QVector<int> LevelEdits::setOutputGain(int channel, float dB)
{
    if (!validOutput(channel))
        return {};
    const float before = m_model.output(channel).levelGain;
    const float x = outputTravel(channel).clamp(dB);
    bool changed = m_model.output(channel).levelGain != x;
    m_model.output(channel).levelGain = x;
    QVector<int> moved;
    for (int i : outputFollowers(channel)) {
        const float y = outputTravel(i).clamp(x);
        if (m_model.output(i).levelGain != y) {
            m_model.output(i).levelGain = y;
            moved << i;
            changed = true;
        }
    }
    if (changed || m_model.journal().isReplaying()) {
        deliver(m_model, cmd::outputLevelGain(quint8(channel), x));
        note(QStringLiteral("out.gain.%1"),
             stepName(QT_TRANSLATE_NOOP("EditJournal", "Output %1 Gain"), channel),
             code::OutputLevelGain, channel, before, x, &LevelEdits::setOutputGain);
    }
    return moved;
}

QVector<int> LevelEdits::setOutputMute(int channel, bool on)
{
    if (!validOutput(channel))
        return {};
    const bool before = m_model.output(channel).levelMute;
    m_model.output(channel).levelMute = on;
    const QVector<int> moved = follow(
        outputFollowers(channel), [this](int i) -> bool& { return m_model.output(i).levelMute; },
        on);
    deliver(m_model, cmd::outputLevelMute(quint8(channel), on));
    note(QStringLiteral("out.mute.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Output %1 Mute"), channel),
         code::OutputLevelMute, channel, before, on, &LevelEdits::setOutputMute);
    return moved;
}

QVector<int> LevelEdits::setOutputInvert(int channel, bool on)
{
    if (!validOutput(channel))
        return {};
    const bool before = m_model.output(channel).levelInvert;
    m_model.output(channel).levelInvert = on;
    const QVector<int> moved = follow(
        outputFollowers(channel), [this](int i) -> bool& { return m_model.output(i).levelInvert; },
        on);
    deliver(m_model, cmd::outputLevelInvert(quint8(channel), on));
    note(QStringLiteral("out.invert.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Output %1 Invert"), channel),
         code::OutputLevelInvert, channel, before, on, &LevelEdits::setOutputInvert);
    return moved;
}

QVector<int> LevelEdits::setOutputGroup(int channel, quint8 group)
{
    if (!validOutput(channel))
        return {};
    const quint8 before = m_model.output(channel).levelGroup;
    m_model.output(channel).levelGroup = group;
    deliver(m_model, cmd::outputLevelGroup(quint8(channel), group));
    note(QStringLiteral("out.group.%1"),
         stepName(QT_TRANSLATE_NOOP("EditJournal", "Output %1 Group"), channel),
         code::OutputLevelGroup, channel, before, group, &LevelEdits::setOutputGroup);
    return {};
}
