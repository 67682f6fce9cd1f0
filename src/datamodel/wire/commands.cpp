// Builders of the system (type 2), preset (3,32,x) and firmware upgrade (type 1) commands,
// and the text encoding they share with the editors.
#include "wire/commands_p.h"

#include <QDateTime>
#include <QTextCodec>
#include <algorithm>

namespace wire {

using namespace detail;

QByteArray Command::packet() const
{
    return wire::packet(code, access, payload);
}

QByteArray encodeLocalText(const QString& text, int maxBytes)
{
    QTextCodec* codec = QTextCodec::codecForLocale();
    const QByteArray whole = codec->fromUnicode(text);
    if (maxBytes < 0 || whole.size() <= maxBytes)
        return whole;
    // Too long: take whole characters (a surrogate pair counts as one) while they fit.
    QByteArray out;
    for (int i = 0; i < text.size();) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const int units = pair ? 2 : 1;
        const QByteArray piece = codec->fromUnicode(text.constData() + i, units);
        if (out.size() + piece.size() > maxBytes)
            break;
        out += piece;
        i += units;
    }
    return out;
}

namespace cmd {

namespace {

// Marks the first packet of a block transfer and the data blocks after it.
constexpr quint16 kTransferStart = 0x0000;
constexpr quint16 kTransferBlock = 0x0100;

QByteArray labelPayload(quint8 channel, const QString& text, int maxBytes)
{
    return bytes({channel}) + encodeLocalText(text, maxBytes);
}

QByteArray transferStart()
{
    QByteArray p;
    appendU16(p, kTransferStart);
    return p;
}

QByteArray transferBlock(quint16 block, const QByteArray& data)
{
    QByteArray p;
    appendU16(p, kTransferBlock);
    appendU16(p, block);
    p.append(data.left(kTransferBlockBytes));
    return p;
}

Command presetQuery(Code code, QByteArray payload)
{
    Command c = now(code, std::move(payload));
    c.access = AccessRead;
    return c;
}

Code presetTransfer(bool allPresets, bool import)
{
    if (allPresets)
        return import ? code::PresetImportAll : code::PresetExportAll;
    return import ? code::PresetImport : code::PresetExport;
}

Command usbPlayback(QByteArray payload)
{
    return now(code::PlayControl, std::move(payload));
}

Command usbRecord(QByteArray payload)
{
    return now(code::RecordControl, std::move(payload));
}

} // namespace

// --- presets

Command presetSave(quint8 index)
{
    return now(code::PresetSave, bytes({index}));
}

Command presetRecall(quint8 index)
{
    return now(code::PresetRecall, bytes({index}));
}

Command presetDelete(quint8 index)
{
    return now(code::PresetDelete, bytes({index}));
}

Command presetRename(quint8 index, const QString& name)
{
    return now(code::PresetRename, labelPayload(index, name, kPresetNameBytes));
}

Command presetLoad(quint8 index)
{
    return now(code::PresetLoad, bytes({index}));
}

// Exports are driven by read requests; they change nothing on the unit.
Command presetExportStart(quint8 index)
{
    return presetQuery(presetTransfer(false, false), transferStart() + bytes({index}));
}

Command presetExportAllStart()
{
    return presetQuery(presetTransfer(true, false), transferStart());
}

Command presetExportBlockRequest(bool allPresets, quint16 block)
{
    return presetQuery(presetTransfer(allPresets, false), transferBlock(block, {}));
}

Command presetImportStart(quint8 index)
{
    return now(presetTransfer(false, true), transferStart() + bytes({index}));
}

Command presetImportAllStart()
{
    return now(presetTransfer(true, true), transferStart());
}

Command presetImportBlock(bool allPresets, quint16 block, const QByteArray& data)
{
    return now(presetTransfer(allPresets, true), transferBlock(block, data));
}

// --- system

// A password is never shortened: a cut password would lock the user out.
Command login(const QString& password)
{
    return now(code::Login, encodeLocalText(password));
}

Command location(const QString& text)
{
    return now(code::Location, encodeLocalText(text, kLocationBytes));
}

Command description(const QString& text)
{
    return now(code::Description, encodeLocalText(text, kDescriptionBytes));
}

Command timeSet(const QDateTime& localTime)
{
    const QDate d = localTime.date();
    const QTime t = localTime.time();
    // The year is one byte counted from 1900.
    const int year = std::clamp(d.year() - 1900, 0, 255);
    return now(code::DateTime, bytes({quint8(t.second()), quint8(t.minute()), quint8(t.hour()),
                                      quint8(d.day()), 0, quint8(d.month() - 1), quint8(year)}));
}

Command networkSettings(quint32 ip, quint32 netmask, quint32 gateway)
{
    QByteArray p;
    appendU32(p, ip);
    appendU32(p, netmask);
    appendU32(p, gateway);
    return now(code::NetworkSettings, p);
}

Command passwordChange(const QString& newPassword)
{
    return now(code::PasswordChange, encodeLocalText(newPassword));
}

Command systemMute(bool on)
{
    return now(code::SystemMute, bytes({on}));
}

Command rs232BaudRate(quint32 baud)
{
    QByteArray p;
    appendU32(p, baud);
    return now(code::Rs232Baud, p);
}

Command factoryReset()
{
    return now(code::FactoryReset);
}

Command gateReport(bool on)
{
    return now(code::GateReport, bytes({on}));
}

Command fanTest(bool on)
{
    return now(code::Fan, bytes({on}));
}

Command inputLabel(quint8 channel, const QString& text)
{
    return now(code::InputLabels, labelPayload(channel, text, kLabelBytes));
}

Command outputLabel(quint8 channel, const QString& text)
{
    return now(code::OutputLabels, labelPayload(channel, text, kLabelBytes));
}

Command inputSecondaryLabel(quint8 channel, const QString& text)
{
    return now(code::SecondaryLabels, labelPayload(channel, text, kSecondaryLabelBytes));
}

// --- USB record and playback

Command usbStop()
{
    return usbPlayback(bytes({0}));
}

Command usbPlay()
{
    return usbPlayback(bytes({1}));
}

Command usbPause()
{
    return usbPlayback(bytes({2}));
}

Command usbPlayFile(const QString& name)
{
    return usbPlayback(bytes({3}) + name.toUtf8());
}

Command usbPrevious()
{
    return usbPlayback(bytes({4}));
}

Command usbNext()
{
    return usbPlayback(bytes({5}));
}

Command usbSeek(quint16 seconds)
{
    QByteArray p = bytes({6});
    appendU16(p, seconds);
    return usbPlayback(p);
}

Command usbPlayMode(quint8 mode)
{
    return usbPlayback(bytes({7, mode}));
}

Command usbRecordStart(const QString& name)
{
    return usbRecord(bytes({0}) + name.toUtf8());
}

Command usbRecordStop()
{
    return usbRecord(bytes({1}));
}

Command usbRecordSelect(const QString& name)
{
    return usbRecord(bytes({2}) + name.toUtf8());
}

// --- firmware upgrade

Command upgradeRequest()
{
    return now(code::UpgradeSystem, transferStart());
}

Code upgradeCode(UpgradeKind kind)
{
    switch (kind) {
    case UpgradeKind::Dsp:
        return code::UpgradeDsp;
    case UpgradeKind::Forced:
        return code::UpgradeForced;
    case UpgradeKind::System:
        break;
    }
    return code::UpgradeSystem;
}

Command upgradeBlock(UpgradeKind kind, quint16 block, const QByteArray& data)
{
    return now(upgradeCode(kind), transferBlock(block, data));
}

} // namespace cmd
} // namespace wire
