#include "dynamicsedits.h"

#include "datamodel.h"
#include "wire/commands.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

using namespace wire;

namespace {

// Channels a copy mask of the narrow format can name: it is 16 bits wide.
constexpr int kNarrowMaskChannels = 16;

// Compared as the bytes the unit would receive, like the other block edits.
template <typename Record> bool store(Record& slot, const Record& value)
{
    if (std::memcmp(&slot, &value, sizeof(Record)) == 0)
        return false;
    slot = value;
    return true;
}

} // namespace

AGC DynamicsEdits::factoryAgc()
{
    return model::InputChannel{}.agc;
}

bool DynamicsEdits::validChannel(int channel)
{
    return channel >= 0 && channel < kInputStrips;
}

// Undo puts the whole earlier record back: a gate or AGC travels as one record.
bool DynamicsEdits::storeGate(int channel, const Gate& gate)
{
    if (!validChannel(channel))
        return false;
    const Gate before = m_model.input(channel).gate;
    if (!store(m_model.input(channel).gate, gate) && !m_model.journal().isReplaying())
        return false;
    deliver(m_model, cmd::gate(quint8(channel), gate));
    DataModel& model = m_model;
    m_model.journal().note(
        QStringLiteral("gate.%1").arg(channel),
        QCoreApplication::translate("EditJournal", "Input %1 Gate").arg(channel + 1), before, gate,
        [&model, channel](const Gate& g) {
            DynamicsEdits(model).storeGate(channel, g);
            model.sync(code::Gate, quint8(channel));
        });
    return true;
}

bool DynamicsEdits::storeAgc(int channel, const AGC& agc)
{
    if (!validChannel(channel))
        return false;
    const AGC before = m_model.input(channel).agc;
    if (!store(m_model.input(channel).agc, agc) && !m_model.journal().isReplaying())
        return false;
    deliver(m_model, cmd::agc(quint8(channel), agc));
    DataModel& model = m_model;
    m_model.journal().note(
        QStringLiteral("agc.%1").arg(channel),
        QCoreApplication::translate("EditJournal", "Input %1 AGC").arg(channel + 1), before, agc,
        [&model, channel](const AGC& a) {
            DynamicsEdits(model).storeAgc(channel, a);
            model.sync(code::Agc, quint8(channel));
        });
    return true;
}

bool DynamicsEdits::setGateEnabled(int channel, bool on)
{
    if (!validChannel(channel))
        return false;
    Gate g = m_model.input(channel).gate;
    g.enabled = on ? 1 : 0;
    return storeGate(channel, g);
}

bool DynamicsEdits::setGateThreshold(int channel, float dB)
{
    if (!validChannel(channel))
        return false;
    Gate g = m_model.input(channel).gate;
    g.threshold = range::GateThreshold.clamp(dB);
    return storeGate(channel, g);
}

bool DynamicsEdits::setGateAttack(int channel, float ms)
{
    if (!validChannel(channel))
        return false;
    Gate g = m_model.input(channel).gate;
    g.attack = range::GateTime.clamp(ms);
    return storeGate(channel, g);
}

bool DynamicsEdits::setGateDecay(int channel, float ms)
{
    if (!validChannel(channel))
        return false;
    Gate g = m_model.input(channel).gate;
    g.decay = range::GateTime.clamp(ms);
    return storeGate(channel, g);
}

bool DynamicsEdits::setAgcEnabled(int channel, bool on)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.enabled = on ? 1 : 0;
    return storeAgc(channel, a);
}

bool DynamicsEdits::setAgcThreshold(int channel, float dB, Cross cross)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.threshold = range::AgcLevel.clamp(dB);
    if (cross == Cross::Held)
        a.threshold = std::min(float(a.threshold), float(a.target));
    return storeAgc(channel, a);
}

bool DynamicsEdits::setAgcTarget(int channel, float dB, Cross cross)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.target = range::AgcLevel.clamp(dB);
    if (cross == Cross::Held)
        a.target = std::max(float(a.target), float(a.threshold));
    return storeAgc(channel, a);
}

bool DynamicsEdits::setAgcRatio(int channel, float ratio)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.ratio = range::AgcRatio.clamp(ratio);
    return storeAgc(channel, a);
}

bool DynamicsEdits::setAgcAttack(int channel, float ms)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.attack = range::AgcTime.clamp(ms);
    return storeAgc(channel, a);
}

bool DynamicsEdits::setAgcDecay(int channel, float ms)
{
    if (!validChannel(channel))
        return false;
    AGC a = m_model.input(channel).agc;
    a.decay = range::AgcTime.clamp(ms);
    return storeAgc(channel, a);
}

QVector<int> DynamicsEdits::copyAgc(int source, quint32 inputMask)
{
    QVector<int> written;
    if (!validChannel(source))
        return written;
    const quint16 generation = m_model.formatGeneration();
    // The narrow mask has no bit for the 17th strip: the unit would not hear of it, so the
    // mirror must not pretend otherwise.
    const int reachable = isNarrowFormat(generation) ? kNarrowMaskChannels : kInputStrips;
    inputMask &= (1u << reachable) - 1u;
    if (inputMask == 0)
        return written;
    const AGC value = m_model.input(source).agc;
    for (int ch = 0; ch < reachable; ++ch) {
        if ((inputMask >> ch) & 1u) {
            m_model.input(ch).agc = value;
            written << ch;
        }
    }
    deliver(m_model, cmd::copyAgc(quint8(source), inputMask, generation));
    m_model.journal().clear(EditJournal::Reason::Copy);
    return written;
}

void DynamicsEdits::resetAgc(int channel)
{
    if (!validChannel(channel))
        return;
    m_model.input(channel).agc = factoryAgc();
    deliver(m_model, cmd::resetAgc(quint8(channel)));
    m_model.journal().clear(EditJournal::Reason::Reset);
}
