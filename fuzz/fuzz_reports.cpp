// Feeds a model a sequence of unit reports, as the packet cutter would hand them over, and
// afterwards checks every mirror field a report can reach against the range the unit allows:
// a NaN, an infinity or a value outside its range stops the run. Payloads are copied into
// buffers of exactly their size, so that a read beyond a report is a read beyond an allocation.
//
// Input: records of four bytes and a payload. Byte 0 picks a code of the report table (or,
// from 240 up, takes the code from the next three bytes); byte 1 picks the access (mostly
// 0x80) and whether a command of the same group was sent just before (echo suppression);
// bytes 2 and 3 give the payload length, near the code's own limits or anywhere up to 2036.
#include "datamodel.h"
#include "fuzzsupport.h"
#include "reportrules.h"

#include <QStringList>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

class InjectingModel : public DataModel
{
public:
    using DataModel::DataModel;
    using DataModel::dispatchPacket;
};

InjectingModel* g_model = nullptr;

// Collects the fields that left their range.
class RangeCheck
{
public:
    void operator()(const char* what, int index, double value, double lo, double hi)
    {
        if (!(value >= lo && value <= hi)) // NaN fails too
            m_bad << QStringLiteral("%1[%2]=%3").arg(QLatin1String(what)).arg(index).arg(value);
    }
    void text(const char* what, int index, const QString& s, int maxBytes)
    {
        // Texts are cut at their first NUL and decoded from at most maxBytes bytes.
        if (s.contains(QChar(0)) || s.size() > maxBytes)
            m_bad << QStringLiteral("%1[%2] text of %3 characters")
                         .arg(QLatin1String(what))
                         .arg(index)
                         .arg(s.size());
    }
    const QStringList& bad() const { return m_bad; }

private:
    QStringList m_bad;
};

void checkFilters(RangeCheck& check, int ch, const wire::HLPF& hpf, const wire::HLPF& lpf,
                  const std::array<wire::PEQ, 8>& peq, const wire::Limiter& l)
{
    for (const wire::HLPF& f : {hpf, lpf}) {
        check("hlpf.enabled", ch, f.enabled, 0, 1);
        check("hlpf.type", ch, f.type, 0, 2);
        check("hlpf.slope", ch, f.slope, 0, 5);
        check("hlpf.freq", ch, double(f.freq), 20, 20000);
    }
    for (const wire::PEQ& b : peq) {
        check("peq.enabled", ch, b.enabled, 0, 1);
        check("peq.type", ch, b.type, 0, 2);
        check("peq.freq", ch, double(b.freq), 20, 20000);
        check("peq.gain", ch, double(b.gain), -15, 15);
        check("peq.q", ch, b.q, 0, 64);
    }
    check("limiter.enabled", ch, l.enabled, 0, 1);
    check("limiter.threshold", ch, double(l.threshold), -100, 18);
    check("limiter.ratio", ch, double(l.ratio), 1, 100);
    check("limiter.attack", ch, double(l.attack), 1, 1000);
    check("limiter.decay", ch, double(l.decay), 1, 1000);
}

// Every field a report can reach, against the range the unit allows; spelled here with its
// own numbers rather than through the core's range table.
QStringList outOfRange(InjectingModel& m)
{
    RangeCheck check;
    for (int ch = 0; ch < DataModel::kInputCount; ++ch) {
        const DataModel::InputChannel& c = m.input(ch);
        check("input.gain", ch, double(c.inputGain), 0, 50);
        check("input.mode", ch, c.inputMode, 0, 2);
        check("input.levelGroup", ch, c.levelGroup, 0, 8);
        check("input.levelGain", ch, double(c.levelGain), -56, 12);
        check("input.faderMin", ch, double(c.faderMin), -56, 12);
        check("input.faderMax", ch, double(c.faderMax), -56, 12);
        check("input.delay", ch, double(c.delay), 0, 1000);
        check("gate.enabled", ch, c.gate.enabled, 0, 1);
        check("gate.threshold", ch, double(c.gate.threshold), -120, 0);
        check("gate.attack", ch, double(c.gate.attack), 1, 1000);
        check("gate.decay", ch, double(c.gate.decay), 1, 1000);
        check("agc.enabled", ch, c.agc.enabled, 0, 1);
        check("agc.threshold", ch, double(c.agc.threshold), -120, 0);
        check("agc.target", ch, double(c.agc.target), -120, 0);
        check("agc.ratio", ch, double(c.agc.ratio), 1, 100);
        check("agc.attack", ch, double(c.agc.attack), 20, 1000);
        check("agc.decay", ch, double(c.agc.decay), 20, 1000);
        for (qint8 g : c.mixGain)
            check("input.mixGain", ch, g, -56, 12);
        checkFilters(check, ch, c.hpf, c.lpf, c.peq, c.limiter);
        check.text("input.label", ch, c.label, 16);
        check.text("input.extraText", ch, c.extraText, 10);
    }
    for (int ch = 0; ch < DataModel::kOutputCount; ++ch) {
        const DataModel::OutputChannel& c = m.output(ch);
        check("output.levelGain", ch, double(c.levelGain), -56, 12);
        check("output.faderMin", ch, double(c.faderMin), -56, 12);
        check("output.faderMax", ch, double(c.faderMax), -56, 12);
        check("output.levelGroup", ch, c.levelGroup, 0, 8);
        check("output.delay", ch, double(c.delay), 0, 300);
        checkFilters(check, ch, c.hpf, c.lpf, c.peq, c.limiter);
        check.text("output.label", ch, c.label, 16);
        check("autoMixer.weight", ch, double(m.autoMixer().weight[std::size_t(ch)]), -12, 12);
        check("autoMixer.group", ch, m.autoMixer().group[std::size_t(ch)], 0, 2);
    }
    const auto& g = m.signalGenerator();
    check("generator.type", 0, g.type, 0, 2);
    check("generator.frequency", 0, double(g.frequency), 0, 24000);
    check("generator.gain", 0, double(g.gain), -70, 12);
    check("outputMeterMode", 0, m.outputMeterMode(), 0, 7);
    const DataModel::SystemState& s = m.system();
    check("touchMode", 0, s.touchMode, 0, 2);
    check("touchState", 0, s.touchState, 0, 2);
    check("usb.mode", 0, m.usbMedia().mode, 0, 3);
    check("usb.state", 0, m.usbMedia().state, 0, 2);
    check("temperature finite", 0, std::isfinite(s.temperature), 1, 1);
    const quint32 baud = s.rs232Baud;
    check("rs232Baud known", 0, baud == 9600 || baud == 19200 || baud == 57600 || baud == 115200, 1,
          1);
    check("formatGeneration 4 or 6", 0, s.formatGeneration == 4 || s.formatGeneration == 6, 1, 1);
    for (int i = 0; i < 5; ++i)
        check("componentState", i, s.componentStates[std::size_t(i)], 0, 2);
    for (int i = 0; i < 32; ++i)
        check.text("preset.name", i, m.presets().entries[std::size_t(i)].name, 16);
    return check.bad();
}

// Reads the records of one input, bounds-checked.
class Reader
{
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t left() const { return m_size - m_at; }
    quint8 byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    const char* take(std::size_t n)
    {
        const char* p = reinterpret_cast<const char*>(m_data + m_at);
        m_at += n;
        return p;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

constexpr int kMaxPayload = 2036;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::start((*argv)[0]);
    fuzz::inScratchDirectory([] {
        LinkSettings settings;
        settings.broadcastPort = 0; // any free port: nothing is listened for here
        g_model = new InjectingModel(settings);
    });
    g_model->setTickTimerRunning(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InjectingModel& model = *g_model;
    // Every input starts from the factory mirror with no recent command.
    model.mirror() = ParameterMirror();
    model.sendCommand(0, 0, 0);

    const reports::RuleTable table = reports::rules();
    const int ruleCount = int(table.end - table.begin);
    Reader in(data, size);
    while (in.left() >= 4) {
        const quint8 pick = in.byte();
        const quint8 mode = in.byte();
        const quint8 lengthHigh = in.byte();
        const quint8 lengthLow = in.byte();

        wire::Code code;
        int min = 0;
        int max = kMaxPayload;
        if (pick < 240) {
            const reports::Rule& rule = table.begin[pick % ruleCount];
            code = rule.code;
            min = rule.length.min;
            max = std::min<int>(rule.length.max, kMaxPayload);
        } else {
            code = {in.byte(), in.byte(), in.byte()};
        }
        int length;
        switch (lengthHigh >> 6) {
        case 0: // around the shortest accepted
            length = min + lengthLow % 3 - 1;
            break;
        case 1: // around the longest accepted
            length = max + lengthLow % 3 - 1;
            break;
        default:
            length = ((lengthHigh & 0x3F) << 8 | lengthLow) % (kMaxPayload + 1);
            break;
        }
        length = std::max(0, std::min<int>({length, kMaxPayload, int(in.left())}));

        if (mode & 0x20) // a command of this group was just sent
            model.sendCommand(code.type, code.subType,
                              quint8((mode & 0x10) ? code.funcId : code.funcId + 1));
        wire::PacketHeader header;
        header.setCode(code);
        header.access = (mode & 0xC0) ? quint8(wire::AccessReport) : quint8(mode & 1);
        header.length = quint16(length);
        std::unique_ptr<char[]> exact(new char[std::size_t(length)]);
        std::memcpy(exact.get(), in.take(std::size_t(length)), std::size_t(length));
        model.dispatchPacket(header, exact.get());
    }

    const QStringList bad = outOfRange(model);
    if (!bad.isEmpty())
        fuzz::fail(QStringLiteral("mirror out of range: ") + bad.join(QLatin1Char(' ')));
    return 0;
}
