// Writes the packet dissector: the tables of the protocol (code names, how each code's payload
// reads, the layouts of the packed records and of the status datagram) generated from the wire
// library, followed by the dissector's own code. Run by the build, so that the dissector always
// speaks the vocabulary the application is built with.
#include "linksettings.h"
#include "wire/codes.h"
#include "wire/packet.h"
#include "wire/records.h"
#include "wire/vocabulary.h"

#include <QFile>
#include <QTextStream>

#include <cstddef>
#include <cstdio>

using namespace wire;

namespace {

// How the dissector reads a code's payload.
struct Decoding
{
    Code code;
    const char* kind;
};

// flags: one byte per channel in reports, channel and byte in commands; floats: the same with
// 32-bit floats; meters: signed dB bytes; a record: channel (and band), then the packed record.
const Decoding kDecodings[] = {
    {code::Login, "login"},
    {code::DateTime, "datetime"},
    {code::Model, "text"},
    {code::SerialNumber, "text"},
    {code::Location, "text"},
    {code::Description, "text"},
    {code::VersionText, "text"},
    {code::SystemMute, "flags"},
    {code::Temperature, "floats"},
    {code::InputMute, "flags"},
    {code::Phantom, "flags"},
    {code::InputGain, "floats"},
    {code::Feedback, "flags"},
    {code::InputLevelMute, "flags"},
    {code::InputLevelInvert, "flags"},
    {code::InputLevelGain, "floats"},
    {code::InputDelay, "floats"},
    {code::OutputLevelMute, "flags"},
    {code::OutputLevelInvert, "flags"},
    {code::OutputLevelGain, "floats"},
    {code::OutputDelay, "floats"},
    {code::GeneratorOn, "flags"},
    {code::GeneratorGain, "floats"},
    {code::GeneratorFrequency, "floats"},
    {code::InputPostFaderMeters, "meters"},
    {code::InputPreFaderMeters, "meters"},
    {code::OutputPostFaderMeters, "meters"},
    {code::OutputPreFaderMeters, "meters"},
    {code::AutoMixerGainMeters, "meters"},
    {code::InputHpf, "hlpf"},
    {code::InputLpf, "hlpf"},
    {code::OutputHpf, "hlpf"},
    {code::OutputLpf, "hlpf"},
    {code::InputPeq, "peq"},
    {code::OutputPeq, "peq"},
    {code::InputLimiter, "limiter"},
    {code::OutputLimiter, "limiter"},
    {code::Gate, "gate"},
    {code::Agc, "agc"},
};

struct Member
{
    const char* name;
    std::size_t offset;
    std::size_t size;
    const char* kind; // u8, u32, f32, text, ipv4, version
};

#define KV_MEMBER(Record, name, kind)                                                              \
    Member                                                                                         \
    {                                                                                              \
#name, offsetof(Record, name), sizeof(Record::name), kind                                  \
    }

const Member kHlpf[] = {KV_MEMBER(HLPF, enabled, "u8"), KV_MEMBER(HLPF, type, "u8"),
                        KV_MEMBER(HLPF, slope, "u8"), KV_MEMBER(HLPF, freq, "f32")};
const Member kPeq[] = {KV_MEMBER(PEQ, enabled, "u8"), KV_MEMBER(PEQ, type, "u8"),
                       KV_MEMBER(PEQ, freq, "f32"), KV_MEMBER(PEQ, gain, "f32"),
                       KV_MEMBER(PEQ, q, "u8")};
const Member kLimiter[] = {KV_MEMBER(Limiter, enabled, "u8"), KV_MEMBER(Limiter, threshold, "f32"),
                           KV_MEMBER(Limiter, ratio, "f32"), KV_MEMBER(Limiter, attack, "f32"),
                           KV_MEMBER(Limiter, decay, "f32")};
const Member kGate[] = {KV_MEMBER(Gate, enabled, "u8"), KV_MEMBER(Gate, threshold, "f32"),
                        KV_MEMBER(Gate, attack, "f32"), KV_MEMBER(Gate, decay, "f32")};
const Member kAgc[] = {KV_MEMBER(AGC, enabled, "u8"), KV_MEMBER(AGC, threshold, "f32"),
                       KV_MEMBER(AGC, target, "f32"), KV_MEMBER(AGC, ratio, "f32"),
                       KV_MEMBER(AGC, attack, "f32"), KV_MEMBER(AGC, decay, "f32")};
const Member kStatus[] = {
    KV_MEMBER(UDPBrowsingPacket, header, "u16"),
    KV_MEMBER(UDPBrowsingPacket, deviceId, "u32"),
    KV_MEMBER(UDPBrowsingPacket, packetType, "u32"),
    KV_MEMBER(UDPBrowsingPacket, ipAddress, "ipv4"),
    KV_MEMBER(UDPBrowsingPacket, runTime, "u32"),
    KV_MEMBER(UDPBrowsingPacket, totalTime, "u32"),
    KV_MEMBER(UDPBrowsingPacket, armVersion, "text"),
    KV_MEMBER(UDPBrowsingPacket, dspVersion, "version"),
    KV_MEMBER(UDPBrowsingPacket, model, "text"),
    KV_MEMBER(UDPBrowsingPacket, serialNumber, "text"),
    KV_MEMBER(UDPBrowsingPacket, location, "text"),
    KV_MEMBER(UDPBrowsingPacket, description, "text"),
    KV_MEMBER(UDPBrowsingPacket, fault, "u32"),
    KV_MEMBER(UDPBrowsingPacket, preset, "text"),
    KV_MEMBER(UDPBrowsingPacket, tail, "u16"),
};

#undef KV_MEMBER

QString hexCode(quint32 key, int digits)
{
    return QStringLiteral("0x%1").arg(key, digits, 16, QLatin1Char('0'));
}

template <std::size_t N>
void writeRecord(QTextStream& out, const char* name, std::size_t size, const Member (&members)[N])
{
    out << "    " << name << " = { size = " << size << ", members = {\n";
    for (const Member& m : members) {
        out << "        { name = \"" << m.name << "\", offset = " << m.offset
            << ", size = " << m.size << ", kind = \"" << m.kind << "\" },\n";
    }
    out << "    } },\n";
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gendissector TEMPLATE OUTPUT\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "gendissector: cannot read %s\n", argv[1]);
        return 1;
    }
    QString text;
    QTextStream out(&text);
    out << "-- Generated by gendissector from the protocol library; edit kv530418.lua.in instead.\n"
        << "local generated = {}\n\n";
    out << "generated.constants = {\n"
        << "    magic = " << hexCode(kMagic, 4) << ",\n"
        << "    tail = " << hexCode(kTail, 4) << ",\n"
        << "    header_size = " << kHeaderSize << ",\n"
        << "    tail_size = " << kTailSize << ",\n"
        << "    max_packet = " << kMaxPacketSize << ",\n"
        << "    access_read = " << int(AccessRead) << ",\n"
        << "    access_write = " << int(AccessWrite) << ",\n"
        << "    access_report = " << int(AccessReport) << ",\n"
        << "    status_header = " << hexCode(kBrowsingHeader, 4) << ",\n"
        << "    status_tail = " << hexCode(kBrowsingTail, 4) << ",\n"
        << "    status_size = " << sizeof(UDPBrowsingPacket) << ",\n"
        << "    control_port = " << LinkSettings::kDefaultControlPort << ",\n"
        << "    discovery_port = " << LinkSettings::kDefaultBroadcastPort << ",\n"
        << "}\n\n";

    out << "-- (type << 16 | subType << 8 | funcId) -> name\ngenerated.codes = {\n";
    for (const NamedCode& c : vocabulary())
        out << "    [" << hexCode(c.code.key(), 6) << "] = \"" << c.name << "\",\n";
    out << "}\n\n-- (type << 8 | subType) -> name\ngenerated.groups = {\n";
    for (const NamedGroup& g : groups())
        out << "    [" << hexCode(g.group.key(), 4) << "] = \"" << g.name << "\",\n";
    out << "}\n\ngenerated.families = {\n";
    const std::pair<int, const char*> families[] = {{UpgradeFamily, "Upgrade"},
                                                    {SystemFamily, "System"},
                                                    {DspFamily, "Dsp"},
                                                    {StatusFamily, "Status"}};
    for (const auto& f : families)
        out << "    [" << f.first << "] = \"" << f.second << "\",\n";
    out << "}\n\n-- code -> how its payload reads\ngenerated.decodings = {\n";
    for (const Decoding& d : kDecodings) {
        if (!nameOf(d.code)) {
            std::fprintf(stderr, "gendissector: a decoding names an unnamed code\n");
            return 1;
        }
        out << "    [" << hexCode(d.code.key(), 6) << "] = \"" << d.kind << "\", -- "
            << nameOf(d.code) << "\n";
    }
    out << "}\n\n-- packed records: byte offsets and sizes as the compiler lays them out\n"
        << "generated.records = {\n";
    writeRecord(out, "hlpf", sizeof(HLPF), kHlpf);
    writeRecord(out, "peq", sizeof(PEQ), kPeq);
    writeRecord(out, "limiter", sizeof(Limiter), kLimiter);
    writeRecord(out, "gate", sizeof(Gate), kGate);
    writeRecord(out, "agc", sizeof(AGC), kAgc);
    writeRecord(out, "status", sizeof(UDPBrowsingPacket), kStatus);
    out << "}\n\n";
    out << QString::fromUtf8(in.readAll());
    out.flush();

    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "gendissector: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
