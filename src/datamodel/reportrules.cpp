// The vocabulary of the unit's reports: one row per code with its length rule, its echo
// suppression and the handler that stores it. Rows are sorted by code.
#include "reportrules.h"

#include <algorithm>

namespace reports {

namespace {

using In = model::InputChannel;
using Out = model::OutputChannel;
using R = const Report&;

model::SystemState& sys(R r)
{
    return r.model.system();
}

model::SignalGenerator& generator(R r)
{
    return r.model.signalGenerator();
}

// clang-format off
const Rule kRules[] = {
    // Firmware upgrade: forwarded to the upgrade dialog; its transfer must never be held back.
    {1, 1, 1, anyLength(), never(), forward},
    {1, 1, 2, exactly(1), never(), [](R r) { r.sync(255, r.u8(0)); }},
    {1, 1, 3, anyLength(), never(), forward},
    {1, 1, 4, anyLength(), never(), forward},
    {1, 2, 1, exactly(2), never(), [](R r) { r.sync(255, 255, int(r.u16(0)) + 1); }},

    // System state: only the rows the user edits in place are held back, by their own code.
    {2, 1, 1, exactly(1), never(), [](R r) { r.model.handleLoginAnswer(r.bytes()); }},
    {2, 2, 1, anyLength(), never(), [](R r) { text(r, sys(r).model); }},
    {2, 2, 2, exactly(3), never(), [](R r) { byteGroup(r, sys(r).armVersion); }},
    {2, 2, 3, exactly(3), never(), [](R r) { byteGroup(r, sys(r).dspVersion); }},
    {2, 2, 4, anyLength(), never(), [](R r) { text(r, sys(r).serialNumber); }},
    {2, 2, 5, atLeast(32), never(), system::channelMasks},
    {2, 2, 6, exactly(4), never(), [](R r) { scalar(r, sys(r).runTime, r.u32(0)); }},
    {2, 2, 7, exactly(4), never(), [](R r) { scalar(r, sys(r).statusWord, r.u32(0)); }},
    {2, 2, 8, exactly(4), never(), [](R r) { scalar(r, sys(r).bootCount, r.u32(0)); }},
    {2, 2, 9, exactly(4), never(), [](R r) {
         float& t = sys(r).temperature;
         scalar(r, t, std::isfinite(r.f32(0)) ? r.f32(0) : t);
     }},
    {2, 2, 10, anyLength(), byFunc(10), [](R r) { text(r, sys(r).location); }},
    {2, 2, 11, anyLength(), byFunc(11), [](R r) { text(r, sys(r).description); }},
    {2, 2, 12, exactly(7), never(), [](R r) { byteGroup(r, sys(r).dateTime); }},
    {2, 2, 13, exactly(12), byFunc(13), system::network},
    {2, 2, 14, exactly(1), never(), [](R r) { scalar(r, sys(r).deviceStatus, r.u8(0)); },
     AnnounceFirst},
    {2, 2, 15, anyLength(), never(), [](R r) { r.model.forgetPasswords(); }},
    {2, 2, 16, exactly(1), byFunc(16), [](R r) { scalar(r, sys(r).systemMute, r.u8(0) != 0); }},
    {2, 2, 17, exactly(4), byFunc(17), system::rs232Baud},
    {2, 2, 18, exactly(4), byFunc(18), [](R r) { scalar(r, sys(r).rs485Baud, r.u32(0)); }},
    {2, 2, 19, exactly(8), never(), system::statusWords},
    {2, 2, 20, exactly(5), never(), system::componentStates, AnnounceFirst},
    {2, 2, 23, exactly(1), byFunc(23), [](R r) { scalar(r, sys(r).gateReport, r.u8(0) != 0); }},
    {2, 2, 24, exactly(4), never(), [](R r) { scalar(r, sys(r).buildNumber, r.u32(0)); }},
    {2, 2, 25, exactly(1), never(), [](R r) { scalar(r, sys(r).statusFlag25, r.u8(0) != 0); },
     AnnounceFirst},
    {2, 2, 28, exactly(1), never(), [](R r) { scalar(r, sys(r).statusFlag28, r.u8(0) != 0); },
     AnnounceFirst},
    {2, 2, 29, exactly(4), never(), system::deviceId},
    {2, 2, 32, exactly(1), never(), [](R r) { scalar(r, sys(r).usbStorage, r.u8(0)); }},
    {2, 2, 33, exactly(2), never(), [](R r) { scalar(r, sys(r).statusValue33, r.u16(0)); },
     AnnounceFirst},
    {2, 2, 34, anyLength(), never(), system::versionText, AnyAccess},
    {2, 2, 35, exactly(4), never(), [](R r) { scalar(r, sys(r).statusWord35, r.u32(0)); },
     AnnounceFirst},
    {2, 2, 37, exactly(1), never(), [](R r) { scalar(r, sys(r).fanState, r.u8(0)); }},
    {2, 2, 38, anyLength(), never(), [](R r) { text(r, sys(r).textField38); }},
    {2, 2, 39, exactly(6), never(), system::macAddress},
    {2, 2, 40, atMost(3), never(), system::formatGeneration},
    {2, 2, 161, exactly(1), never(), system::statusByte161, AnyAccess},
    {2, 3, 1, atLeast(256), byFunc(1), system::inputLabels},
    {2, 3, 2, exactly(256), byFunc(2), system::outputLabels},
    {2, 3, 3, atLeast(160), byFunc(3), system::extraLabels},
    {2, 4, 1, exactly(6), group(), [](R r) { scalar(r, sys(r).statusBlock41, r.bytes()); }},
    // USB media: only the play mode has an echo rule, inside its handler.
    {2, 5, 1, exactly(4), never(), system::playFileCount},
    {2, 5, 2, atLeast(4), never(), system::playListEntry},
    {2, 5, 3, exactly(6), never(), system::playState},
    {2, 5, 5, anyLength(), never(), system::playName},
    {2, 5, 16, exactly(4), never(), system::recordFileCount},
    {2, 5, 17, atLeast(8), never(), system::recordListEntry},
    {2, 5, 18, exactly(5), never(), system::recordState},
    {2, 5, 20, anyLength(), never(), system::recordName},
    {2, 6, 1, exactly(66), byFunc(1), system::block61},
    {2, 16, 1, exactly(5), group(), system::touchMode},
    {2, 16, 2, exactly(1), group(), [](R r) {
         scalar(r, sys(r).touchState, validBelow(r.u8(0), 3, sys(r).touchState));
     }},

    // DSP parameters: held back while their block is being edited; meters never are.
    {3, 1, 1, between(16, 18), never(), [](R r) { meters(r, 18, inputs(&In::postFaderMeter)); }},
    {3, 1, 2, atLeast(16), group(), [](R r) { flags(r, 16, inputs(&In::inputMute)); }},
    {3, 1, 4, atLeast(16), group(), [](R r) { choices(r, 16, 3, inputs(&In::inputMode)); }},
    {3, 1, 5, atLeast(16), group(), [](R r) { flags(r, 16, inputs(&In::phantom)); }},
    {3, 1, 8, atLeast(64), group(), [](R r) { levels(r, 16, 0, 50, inputs(&In::inputGain)); }},
    {3, 2, 1, atLeast(16), group(), [](R r) { flags(r, 17, inputs(&In::gateState)); }},
    {3, 2, 2, exactly(14), group(), dsp::inputGate},
    {3, 3, 1, atLeast(16), group(), [](R r) { flags(r, 16, inputs(&In::feedbackEnabled)); }},
    {3, 4, 1, exactly(8), group(), dsp::inputHpf},
    {3, 4, 2, exactly(8), group(), dsp::inputLpf},
    {3, 4, 3, exactly(13), group(), dsp::inputPeq},
    {3, 5, 1, exactly(18), group(), dsp::inputLimiter},
    {3, 6, 1, atLeast(64), group(), [](R r) { levels(r, 16, 0, 1000, inputs(&In::delay)); }},
    {3, 7, 1, atLeast(16), group(), [](R r) { flags(r, 17, inputs(&In::levelMute)); }},
    {3, 7, 2, atLeast(64), group(), [](R r) { levels(r, 17, -56, 12, inputs(&In::levelGain)); }},
    {3, 7, 3, atLeast(16), group(), [](R r) { flags(r, 17, inputs(&In::levelInvert)); }},
    {3, 7, 4, atLeast(16), group(), [](R r) { choices(r, 17, 9, inputs(&In::levelGroup)); }},
    {3, 7, 6, atLeast(128), group(), dsp::inputFaderRanges},
    {3, 7, 7, between(16, 18), never(), [](R r) { meters(r, 18, inputs(&In::preFaderMeter)); }},
    {3, 8, 1, atLeast(17), group(), dsp::matrixEnabled},
    {3, 8, 2, atLeast(17), group(), dsp::matrixGain},
    {3, 9, 1, exactly(16), group(), [](R r) {
         flags(r, 16, [](DataModel& m, int i) -> bool& { return m.signalGenerator().routing[i]; });
     }},
    {3, 9, 2, exactly(4), group(), [](R r) {
         float& f = generator(r).frequency;
         scalar(r, f, clamped(r.f32(0), 0, 24000, f));
     }},
    {3, 9, 3, exactly(1), group(), [](R r) {
         quint8& type = generator(r).type;
         scalar(r, type, validBelow(r.u8(0), 3, type));
     }},
    {3, 9, 4, exactly(4), group(), [](R r) {
         float& gain = generator(r).gain;
         scalar(r, gain, clamped(r.f32(0), -70, 12, gain));
     }},
    {3, 9, 5, exactly(1), group(), [](R r) { scalar(r, generator(r).on, r.u8(0) != 0); }},
    {3, 11, 1, exactly(16), never(), [](R r) { meters(r, 16, outputs(&Out::postFaderMeter)); }},
    {3, 11, 2, exactly(16), group(), [](R r) { flags(r, 16, outputs(&Out::levelMute)); }},
    {3, 11, 3, exactly(64), group(), [](R r) { levels(r, 16, -56, 12, outputs(&Out::levelGain)); }},
    {3, 11, 4, exactly(16), group(), [](R r) { flags(r, 16, outputs(&Out::levelInvert)); }},
    {3, 11, 5, exactly(16), group(), [](R r) { choices(r, 16, 9, outputs(&Out::levelGroup)); }},
    {3, 11, 7, exactly(128), group(), dsp::outputFaderRanges},
    {3, 11, 8, exactly(16), never(), [](R r) { meters(r, 16, outputs(&Out::preFaderMeter)); }},
    {3, 11, 9, exactly(1), group(), dsp::outputMeterMode},
    {3, 12, 1, exactly(8), group(), dsp::outputHpf},
    {3, 12, 2, exactly(8), group(), dsp::outputLpf},
    {3, 12, 3, exactly(13), group(), dsp::outputPeq},
    {3, 13, 1, exactly(18), group(), dsp::outputLimiter},
    {3, 14, 1, exactly(64), group(), [](R r) { levels(r, 16, 0, 300, outputs(&Out::delay)); }},
    {3, 15, 1, exactly(1), group(), [](R r) {
         scalar(r, r.model.echoCancellation().enabled, r.u8(0) != 0);
     }},
    {3, 15, 2, between(17, 19), group(), dsp::echoSettings},
    {3, 16, 1, exactly(22), group(), dsp::inputAgc},
    {3, 18, 1, atLeast(64), group(), [](R r) {
         levels(r, 16, -12, 12,
                [](DataModel& m, int i) -> float& { return m.autoMixer().weight[i]; });
     }},
    {3, 18, 2, atLeast(16), group(), [](R r) {
         perChannel(r, 16, 1, [](DataModel& m, int i) -> quint8& { return m.autoMixer().group[i]; },
                    [](const char* p, quint8) { return qMin<quint8>(quint8(*p), 2); });
     }},
    {3, 18, 3, exactly(2), group(), dsp::autoMixerSwitches},
    {3, 18, 5, atLeast(32), never(), [](R r) {
         meters(r, 32, [](DataModel& m, int i) -> qint8& { return m.autoMixer().gainMeter[i]; });
     }},
    // Presets: only the table is held back, and only by a rename; the transfer never is.
    {3, 32, 1, exactly(545), byFunc(5), dsp::presetTable},
    {3, 32, 9, exactly(1), never(), [](R r) { r.sync(r.u8(0)); }},
    {3, 32, 16, moreThan(2), never(), forward},
    {3, 32, 17, moreThan(3), never(), forward},
    {3, 32, 18, moreThan(2), never(), forward},
    {3, 32, 19, moreThan(3), never(), forward},

    // Status records
    {4, 1, 1, between(81, 94), byFuncs(17, 18), [](R r) {
         scalar(r, r.model.statusRecords().block1, r.bytes());
     }},
    {4, 1, 3, exactly(2), never(), [](R r) {
         scalar(r, r.model.statusRecords().value3, r.u16(0));
     }},
    {4, 1, 4, moreThan(64), never(), status::block4},
};
// clang-format on

quint32 codeOf(quint8 type, quint8 subType, quint8 funcId)
{
    return quint32(type) << 16 | quint32(subType) << 8 | funcId;
}

quint32 codeOf(const Rule& rule)
{
    return codeOf(rule.type, rule.subType, rule.funcId);
}

} // namespace

RuleTable rules()
{
    return {std::begin(kRules), std::end(kRules)};
}

const Rule* findRule(quint8 type, quint8 subType, quint8 funcId)
{
    const quint32 code = codeOf(type, subType, funcId);
    const Rule* it =
        std::lower_bound(std::begin(kRules), std::end(kRules), code,
                         [](const Rule& rule, quint32 wanted) { return codeOf(rule) < wanted; });
    return it != std::end(kRules) && codeOf(*it) == code ? it : nullptr;
}

bool isHeld(const Rule& rule, const RecentCommand& recent)
{
    if (!recent.holdsGroup(rule.type, rule.subType))
        return false;
    switch (rule.hold.kind) {
    case Hold::Never:
        return false;
    case Hold::Group:
        return true;
    case Hold::FuncIds:
        return recent.funcId >= rule.hold.from && recent.funcId <= rule.hold.to;
    }
    return false;
}

void apply(DataModel& model, const wire::PacketHeader& header, const char* payload)
{
    const Rule* rule = findRule(header.type, header.subType, header.funcId);
    if (!rule)
        return;
    const bool report = header.access == wire::AccessReport;
    if (!report && !(rule->flags & AnyAccess))
        return;
    // Length and echo rules concern reports; the other forms carry no value.
    if (report && (header.length < rule->length.min || header.length > rule->length.max ||
                   isHeld(*rule, model.recentCommand())))
        return;
    const Report r{model,         header.type, header.subType, header.funcId,
                   header.access, payload,     header.length,  (rule->flags & AnnounceFirst) != 0};
    rule->handle(r);
}

bool Report::firstSight() const
{
    return announces && !model.system().announced.test(funcId);
}

void Report::sync(quint8 channel, quint8 other, const QVariant& any) const
{
    if (announces)
        model.system().announced.set(funcId);
    emit model.tcpSyncToUI(type, subType, funcId, channel, other, any);
}

QString localText(const char* data, int size)
{
    return QString::fromLocal8Bit(data, int(qstrnlen(data, uint(size))));
}

QString utf8Text(const char* data, int size)
{
    return QString::fromUtf8(data, int(qstrnlen(data, uint(size))));
}

void forward(const Report& r)
{
    r.sync(255, 255, r.bytes());
}

} // namespace reports
