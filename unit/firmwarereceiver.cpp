#include "firmwarereceiver.h"

#include "unitstate.h"
#include "wire/commands.h"
#include "wire/packet.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcFirmware, "kv.unit.firmware", QtInfoMsg)

namespace {

constexpr quint16 kStart = 0x0000;
constexpr quint16 kBlock = 0x0100;
constexpr int kBlockBytes = wire::kTransferBlockBytes;

} // namespace

bool FirmwareReceiver::handle(wire::Code code, const QByteArray& payload, Replies& replies)
{
    const bool known = code == wire::code::UpgradeSystem || code == wire::code::UpgradeDsp ||
                       code == wire::code::UpgradeForced;
    if (!known || payload.size() < 2)
        return false;
    const quint16 op = wire::readU16(payload.constData());
    if (op == kStart && code == wire::code::UpgradeSystem && payload.size() == 2) {
        reset();
        m_requested = true;
        QByteArray reply;
        wire::appendU16(reply, kStart);
        wire::appendU32(reply, FirmwareImage::kControllerKey);
        replies.add(code, reply);
        return true;
    }
    if (op != kBlock || payload.size() < 4)
        return false;
    const int index = wire::readU16(payload.constData() + 2);
    if (index == 0) {
        // A system image comes only after its request; the other kinds start with block 0.
        if (code == wire::code::UpgradeSystem && !m_requested)
            return false;
        const bool requested = m_requested;
        reset();
        m_requested = requested;
        m_code = code;
    } else if (m_code == wire::Code{}) {
        return false;
    }
    const QByteArray data = payload.mid(4);
    if (code != m_code || index != m_next || data.size() > kBlockBytes) {
        qCWarning(lcFirmware) << "Firmware block" << index << "out of sequence, expected" << m_next;
        refuse(kVerdictDamaged, replies);
        return true;
    }
    m_image.append(data);
    ++m_next;
    if (data.size() == kBlockBytes) {
        if (m_next >= kMaxBlocks) {
            refuse(kVerdictBadFormat, replies);
            return true;
        }
        replies.add(code, payload.left(4));
        return true;
    }

    const auto target = code == wire::code::UpgradeDsp ? FirmwareImage::Target::Dsp
                                                       : FirmwareImage::Target::Controller;
    FirmwareImage::Version version;
    switch (FirmwareImage::check(m_image, target, &version)) {
    case FirmwareImage::Verdict::Good:
        replies.add(code, payload.left(4));
        install(target, version);
        reset();
        break;
    case FirmwareImage::Verdict::BadFormat:
        refuse(kVerdictBadFormat, replies);
        break;
    case FirmwareImage::Verdict::Damaged:
        refuse(kVerdictDamaged, replies);
        break;
    }
    return true;
}

void FirmwareReceiver::refuse(quint8 verdict, Replies& replies)
{
    qCWarning(lcFirmware) << "Firmware image refused:" << m_image.size() << "bytes, verdict"
                          << verdict;
    replies.add(wire::code::UpgradeVerdict, QByteArray(1, char(verdict)));
    reset();
}

void FirmwareReceiver::install(FirmwareImage::Target target, const FirmwareImage::Version& v)
{
    UnitState::System& s = m_state.system;
    if (target == FirmwareImage::Target::Dsp) {
        s.dspVersion = {v.major, v.minor, v.patch};
    } else {
        s.controllerVersion = {v.major, v.minor, v.patch};
        s.buildNumber = v.build;
    }
    ++m_installed;
    qCInfo(lcFirmware).noquote()
        << (target == FirmwareImage::Target::Dsp ? "DSP" : "Controller")
        << QStringLiteral("firmware V%1.%2.%3 installed").arg(v.major).arg(v.minor).arg(v.patch);
}

void FirmwareReceiver::reset()
{
    m_requested = false;
    m_code = {};
    m_next = 0;
    m_image.clear();
}
