#include "blockedits.h"

#include "datamodel.h"
#include "wire/commands.h"

#include <QCoreApplication>
#include <cstring>

using namespace wire;

namespace {

// Records are compared as the bytes the unit would receive: a value that looks the same
// but is not (a sign of zero, say) is a change, and nothing the unit holds already is sent.
template <typename Record> bool sameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

template <typename Record> bool store(Record& slot, const Record& value)
{
    if (sameBytes(slot, value))
        return false;
    slot = value;
    return true;
}

constexpr quint32 maskOf(int channels)
{
    return channels >= 32 ? 0xFFFFFFFFu : (1u << channels) - 1u;
}

QString stepName(BlockEdits::Side side, const char* what, int channel)
{
    const char* format = side == BlockEdits::Side::Input
                             ? QT_TRANSLATE_NOOP("EditJournal", "Input %1 %2")
                             : QT_TRANSLATE_NOOP("EditJournal", "Output %1 %2");
    return QCoreApplication::translate("EditJournal", format)
        .arg(channel + 1)
        .arg(QCoreApplication::translate("EditJournal", what));
}

QString stepKey(const char* what, BlockEdits::Side side, int channel, int band = 0)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(QLatin1String(what))
        .arg(side == BlockEdits::Side::Input ? 0 : 1)
        .arg(channel)
        .arg(band);
}

} // namespace

// Undo sends the earlier record through the same edit and tells the views of it.
template <typename Record, typename Apply>
void BlockEdits::note(const QString& key, const QString& name, Code code, int channel, int other,
                      const Record& before, const Record& after, Apply apply)
{
    DataModel& model = m_model;
    m_model.journal().note(key, name, before, after,
                           [&model, apply, code, channel, other](const Record& value) {
                               BlockEdits edits(model);
                               apply(edits, value);
                               model.sync(code, quint8(channel), quint8(other));
                           });
}

HLPF BlockEdits::factoryHpf()
{
    return model::InputChannel{}.hpf;
}

HLPF BlockEdits::factoryLpf()
{
    return model::InputChannel{}.lpf;
}

PEQ BlockEdits::factoryPeq(int band)
{
    return model::defaultPeqBands()[std::size_t(qBound(0, band, kPeqBands - 1))];
}

Limiter BlockEdits::factoryLimiter()
{
    return model::InputChannel{}.limiter;
}

int BlockEdits::channelCount(Side side)
{
    return side == Side::Input ? kInputStrips : kOutputCount;
}

bool BlockEdits::validChannel(Side side, int channel)
{
    return channel >= 0 && channel < channelCount(side);
}

HLPF& BlockEdits::hpf(Side side, int channel)
{
    return side == Side::Input ? m_model.input(channel).hpf : m_model.output(channel).hpf;
}

HLPF& BlockEdits::lpf(Side side, int channel)
{
    return side == Side::Input ? m_model.input(channel).lpf : m_model.output(channel).lpf;
}

PEQ& BlockEdits::peq(Side side, int channel, int band)
{
    auto& bands = side == Side::Input ? m_model.input(channel).peq : m_model.output(channel).peq;
    return bands[std::size_t(band)];
}

Limiter& BlockEdits::limiter(Side side, int channel)
{
    return side == Side::Input ? m_model.input(channel).limiter : m_model.output(channel).limiter;
}

bool BlockEdits::setHpf(Side side, int channel, const HLPF& value)
{
    if (!validChannel(side, channel))
        return false;
    const HLPF before = hpf(side, channel);
    if (!store(hpf(side, channel), value) && !m_model.journal().isReplaying())
        return false;
    const auto ch = quint8(channel);
    deliver(m_model, side == Side::Input ? cmd::inputHpf(ch, value) : cmd::outputHpf(ch, value));
    note(stepKey("hpf", side, channel),
         stepName(side, QT_TRANSLATE_NOOP("EditJournal", "High-Pass Filter"), channel),
         side == Side::Input ? code::InputHpf : code::OutputHpf, channel, 255, before, value,
         [=](BlockEdits& e, const auto& v) { e.setHpf(side, channel, v); });
    return true;
}

bool BlockEdits::setLpf(Side side, int channel, const HLPF& value)
{
    if (!validChannel(side, channel))
        return false;
    const HLPF before = lpf(side, channel);
    if (!store(lpf(side, channel), value) && !m_model.journal().isReplaying())
        return false;
    const auto ch = quint8(channel);
    deliver(m_model, side == Side::Input ? cmd::inputLpf(ch, value) : cmd::outputLpf(ch, value));
    note(stepKey("lpf", side, channel),
         stepName(side, QT_TRANSLATE_NOOP("EditJournal", "Low-Pass Filter"), channel),
         side == Side::Input ? code::InputLpf : code::OutputLpf, channel, 255, before, value,
         [=](BlockEdits& e, const auto& v) { e.setLpf(side, channel, v); });
    return true;
}

bool BlockEdits::setPeq(Side side, int channel, int band, const PEQ& value)
{
    if (!validChannel(side, channel) || band < 0 || band >= kPeqBands)
        return false;
    const PEQ before = peq(side, channel, band);
    if (!store(peq(side, channel, band), value) && !m_model.journal().isReplaying())
        return false;
    const auto ch = quint8(channel);
    const auto b = quint8(band);
    deliver(m_model,
            side == Side::Input ? cmd::inputPeq(ch, b, value) : cmd::outputPeq(ch, b, value));
    note(stepKey("peq", side, channel, band),
         stepName(side, QT_TRANSLATE_NOOP("EditJournal", "EQ Band"), channel),
         side == Side::Input ? code::InputPeq : code::OutputPeq, channel, band, before, value,
         [=](BlockEdits& e, const auto& v) { e.setPeq(side, channel, band, v); });
    return true;
}

bool BlockEdits::setLimiter(Side side, int channel, const Limiter& value)
{
    if (!validChannel(side, channel))
        return false;
    const Limiter before = limiter(side, channel);
    if (!store(limiter(side, channel), value) && !m_model.journal().isReplaying())
        return false;
    const auto ch = quint8(channel);
    deliver(m_model,
            side == Side::Input ? cmd::inputLimiter(ch, value) : cmd::outputLimiter(ch, value));
    note(stepKey("limiter", side, channel),
         stepName(side, QT_TRANSLATE_NOOP("EditJournal", "Limiter"), channel),
         side == Side::Input ? code::InputLimiter : code::OutputLimiter, channel, 255, before,
         value, [=](BlockEdits& e, const auto& v) { e.setLimiter(side, channel, v); });
    return true;
}

bool BlockEdits::setDelay(Side side, int channel, float ms)
{
    if (!validChannel(side, channel))
        return false;
    const bool in = side == Side::Input;
    const float value = (in ? range::InputDelay : range::OutputDelay).clamp(ms);
    float& slot = in ? m_model.input(channel).delay : m_model.output(channel).delay;
    const float before = slot;
    if (!store(slot, value) && !m_model.journal().isReplaying())
        return false;
    const auto ch = quint8(channel);
    deliver(m_model, in ? cmd::inputDelay(ch, value) : cmd::outputDelay(ch, value));
    note(stepKey("delay", side, channel),
         stepName(side, QT_TRANSLATE_NOOP("EditJournal", "Delay"), channel),
         side == Side::Input ? code::InputDelay : code::OutputDelay, channel, 255, before, value,
         [=](BlockEdits& e, const auto& v) { e.setDelay(side, channel, v); });
    return true;
}

QVector<int> BlockEdits::setAllPeqEnabled(Side side, int channel, bool on)
{
    QVector<int> sent;
    if (!validChannel(side, channel))
        return sent;
    const EditJournal::Batch batch(
        m_model.journal(), stepKey("allpeq", side, channel),
        stepName(side, QT_TRANSLATE_NOOP("EditJournal", "All EQ Bands"), channel));
    for (int band = 0; band < kPeqBands; ++band) {
        PEQ value = peq(side, channel, band);
        if (bool(value.enabled) == on)
            continue;
        value.enabled = on ? 1 : 0;
        if (setPeq(side, channel, band, value))
            sent << band;
    }
    return sent;
}

bool BlockEdits::allPeqEnabled(Side side, int channel) const
{
    if (!validChannel(side, channel))
        return false;
    const auto& bands =
        side == Side::Input ? m_model.input(channel).peq : m_model.output(channel).peq;
    return std::all_of(bands.begin(), bands.end(), [](const PEQ& p) { return p.enabled != 0; });
}

void BlockEdits::resetFilter(Side side, int channel)
{
    if (!validChannel(side, channel))
        return;
    hpf(side, channel) = factoryHpf();
    lpf(side, channel) = factoryLpf();
    for (int band = 0; band < kPeqBands; ++band)
        peq(side, channel, band) = factoryPeq(band);
    const auto ch = quint8(channel);
    deliver(m_model, side == Side::Input ? cmd::resetInputFilter(ch) : cmd::resetOutputFilter(ch));
    m_model.journal().clear(EditJournal::Reason::Reset);
}

void BlockEdits::resetLimiter(Side side, int channel)
{
    if (!validChannel(side, channel))
        return;
    limiter(side, channel) = factoryLimiter();
    const auto ch = quint8(channel);
    deliver(m_model,
            side == Side::Input ? cmd::resetInputLimiter(ch) : cmd::resetOutputLimiter(ch));
    m_model.journal().clear(EditJournal::Reason::Reset);
}

template <typename Assign>
BlockEdits::Targets BlockEdits::copyTo(quint32 inputMask, quint32 outputMask, Assign assign)
{
    Targets t;
    for (int ch = 0; ch < kInputStrips; ++ch) {
        if ((inputMask >> ch) & 1u) {
            assign(Side::Input, ch);
            t.inputs << ch;
        }
    }
    for (int ch = 0; ch < kOutputCount; ++ch) {
        if ((outputMask >> ch) & 1u) {
            assign(Side::Output, ch);
            t.outputs << ch;
        }
    }
    return t;
}

BlockEdits::Targets BlockEdits::copyFilter(Side side, int source, quint32 inputMask,
                                           quint32 outputMask)
{
    if (!validChannel(side, source))
        return {};
    const quint16 generation = m_model.formatGeneration();
    inputMask &= maskOf(kInputStrips);
    outputMask &= maskOf(kOutputCount);
    // The wide format copies a filter only to channels of its own side: the unit hears of no
    // other, so the mirror must not pretend otherwise.
    if (!isNarrowFormat(generation))
        (side == Side::Input ? outputMask : inputMask) = 0;
    // Copies of the source, so that a target that is the source itself changes nothing.
    const HLPF h = hpf(side, source);
    const HLPF l = lpf(side, source);
    const auto bands = side == Side::Input ? m_model.input(source).peq : m_model.output(source).peq;
    const Targets t = copyTo(inputMask, outputMask, [&](Side s, int ch) {
        hpf(s, ch) = h;
        lpf(s, ch) = l;
        for (int band = 0; band < kPeqBands; ++band)
            peq(s, ch, band) = bands[std::size_t(band)];
    });
    const auto src = quint8(source);
    deliver(m_model, side == Side::Input
                         ? cmd::copyInputFilter(src, inputMask, outputMask, generation)
                         : cmd::copyOutputFilter(src, inputMask, outputMask, generation));
    m_model.journal().clear(EditJournal::Reason::Copy);
    return t;
}

BlockEdits::Targets BlockEdits::copyLimiter(Side side, int source, quint32 inputMask,
                                            quint32 outputMask)
{
    if (!validChannel(side, source))
        return {};
    inputMask &= maskOf(kInputStrips);
    outputMask &= maskOf(kOutputCount);
    const Limiter value = limiter(side, source);
    const Targets t =
        copyTo(inputMask, outputMask, [&](Side s, int ch) { limiter(s, ch) = value; });
    const auto src = quint8(source);
    const quint16 generation = m_model.formatGeneration();
    deliver(m_model, side == Side::Input
                         ? cmd::copyInputLimiter(src, inputMask, outputMask, generation)
                         : cmd::copyOutputLimiter(src, inputMask, outputMask, generation));
    m_model.journal().clear(EditJournal::Reason::Copy);
    return t;
}
