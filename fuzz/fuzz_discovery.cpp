// Hands a model arbitrary status datagrams, with units added by address and removed in
// between, and keeps its own account of what the device list must hold: one row per distinct
// device ID accepted, in the order first heard, each with the fields of its last accepted
// datagram. After each input the list, its texts and the registry rows are compared with that
// account (texts as the list shows them, decoded up to the first NUL); every change signal is
// checked against the row it names as it is emitted.
//
// Input: operations, each one byte and its data. Low three bits: 0-4 a well-formed datagram
// (header, tail and packet type set; bit 3 picks type 6; bit 4 takes the device ID from bits
// 5-7 so that units are heard again) whose other bytes come from the input; 5 the previous
// datagram with a few bytes changed; 6 a datagram of any length and content; 7 a unit added by
// address (bit 3) or a row removed.
#include "datamodel.h"
#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextCodec>
#include <QVariant>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

DataModel* g_model = nullptr;

constexpr int kDatagramSize = 154;

// Field offsets and widths of the status datagram.
struct Field
{
    int offset;
    int width;
};
constexpr Field kArmVersion{36, 20};
constexpr Field kModel{59, 18};
constexpr Field kSerialNumber{77, 18};
constexpr Field kLocation{95, 18};
constexpr Field kDescription{113, 18};
constexpr Field kPreset{136, 16};

quint32 u32At(const QByteArray& d, int offset)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | quint8(d[offset + i]);
    return v;
}

void putU32(QByteArray& d, int offset, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        d[offset + i] = char(quint8(v >> (8 * i)));
}

// A text field's bytes up to its first NUL.
QByteArray textBytes(const char* field, int width)
{
    return QByteArray(field, int(qstrnlen(field, uint(width))));
}

QByteArray textBytes(const QByteArray& d, Field f)
{
    return textBytes(d.constData() + f.offset, f.width);
}

bool isAccepted(const QByteArray& d)
{
    if (d.size() != kDatagramSize)
        return false;
    const quint32 type = u32At(d, 20);
    return quint8(d[0]) == 0xA9 && quint8(d[1]) == 0xAC && quint8(d[152]) == 0xAC &&
           quint8(d[153]) == 0xA9 && (type == 4 || type == 6);
}

// What one row of the list must hold.
struct Unit
{
    quint32 id = 0;
    quint32 ip = 0;
    quint32 fault = 0;
    QByteArray dspVersion = QByteArray(3, 0);
    // Arm version, model, serial number, location, description, preset: what the list shows.
    std::array<QString, 6> texts;
    bool online = false;

    void take(const QByteArray& d)
    {
        ip = u32At(d, 24);
        fault = u32At(d, 131);
        dspVersion = d.mid(56, 3);
        const Field fields[] = {kArmVersion, kModel,       kSerialNumber,
                                kLocation,   kDescription, kPreset};
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = QTextCodec::codecForLocale()->toUnicode(textBytes(d, fields[i]));
        online = true;
    }
};

struct TextField
{
    const char* data;
    int width;
};

// In the order of Unit::texts.
std::array<TextField, 6> textFieldsOf(const wire::UDPBrowsingPacket& p)
{
    return {{{p.armVersion, 20},
             {p.model, 18},
             {p.serialNumber, 18},
             {p.location, 18},
             {p.description, 18},
             {p.preset, 16}}};
}

// The texts as the list shows them.
std::array<QString, 6> shownTexts(const wire::UDPBrowsingPacket& p)
{
    std::array<QString, 6> texts;
    const auto fields = textFieldsOf(p);
    for (std::size_t i = 0; i < fields.size(); ++i)
        texts[i] = DeviceRegistry::fieldText(fields[i].data, fields[i].width);
    return texts;
}

// The list as it must be, kept from the operations alone.
class Account
{
public:
    void hear(const QByteArray& d)
    {
        if (!isAccepted(d))
            return;
        const quint32 id = u32At(d, 8);
        m_seen.insert(id);
        Unit* unit = find(id);
        if (!unit) {
            m_units.emplace_back();
            unit = &m_units.back();
            unit->id = id;
        }
        unit->take(d);
    }
    void addByAddress(quint32 ip)
    {
        quint32 id = 42215;
        while (find(id))
            ++id;
        m_seen.insert(id);
        Unit unit;
        unit.id = id;
        unit.ip = ip;
        m_units.push_back(unit);
    }
    void remove(int index)
    {
        if (index >= 0 && index < int(m_units.size()))
            m_units.erase(m_units.begin() + index);
    }
    void clear()
    {
        m_units.clear();
        m_seen.clear();
    }
    const std::vector<Unit>& units() const { return m_units; }
    int distinctIds() const { return int(m_seen.size()); }

private:
    Unit* find(quint32 id)
    {
        for (Unit& u : m_units) {
            if (u.id == id)
                return &u;
        }
        return nullptr;
    }
    std::vector<Unit> m_units;
    QSet<quint32> m_seen;
};

Account g_account;

const wire::UDPBrowsingPacket& row(uint index)
{
    if (index >= uint(g_model->deviceCount())) // also a negative index
        fuzz::fail(
            QStringLiteral("a signal names row %1 of %2").arg(index).arg(g_model->deviceCount()));
    return g_model->device(int(index))->packet;
}

void expectText(const char* signal, const QString& announced, const char* field, int width)
{
    const QString stored = DeviceRegistry::fieldText(field, width);
    if (announced != stored)
        fuzz::fail(QStringLiteral("%1 announced \"%2\", the row holds \"%3\"")
                       .arg(QLatin1String(signal), announced, stored));
}

// Every change signal names a row that exists and announces what that row now holds.
void watchSignals(DataModel& m)
{
    QObject::connect(&m, &DataModel::deviceListAdd, [](wire::UDPBrowsingPacket* p, bool) {
        const int last = g_model->deviceCount() - 1;
        if (last < 0 || row(uint(last)).deviceId != p->deviceId)
            fuzz::fail(QStringLiteral("deviceListAdd for a unit that is not the last row"));
    });
    QObject::connect(&m, &DataModel::deviceListIPAddressChanged, [](uint i, uint ip) {
        if (row(i).ipAddress != ip)
            fuzz::fail(QStringLiteral("deviceListIPAddressChanged announced another address"));
    });
    QObject::connect(&m, &DataModel::deviceListModelChanged, [](uint i, const QString& s) {
        expectText("deviceListModelChanged", s, row(i).model, 18);
    });
    QObject::connect(&m, &DataModel::deviceListARMVersionChanged, [](uint i, const QString& s) {
        expectText("deviceListARMVersionChanged", s, row(i).armVersion, 20);
    });
    QObject::connect(&m, &DataModel::deviceListSerialNumberChanged, [](uint i, const QString& s) {
        expectText("deviceListSerialNumberChanged", s, row(i).serialNumber, 18);
    });
    QObject::connect(&m, &DataModel::deviceListLocationChanged, [](uint i, const QString& s) {
        expectText("deviceListLocationChanged", s, row(i).location, 18);
    });
    QObject::connect(&m, &DataModel::deviceListDescriptionChanged, [](uint i, const QString& s) {
        expectText("deviceListDescriptionChanged", s, row(i).description, 18);
    });
    QObject::connect(&m, &DataModel::deviceListPresetChanged, [](uint i, const QString& s) {
        expectText("deviceListPresetChanged", s, row(i).preset, 16);
    });
    QObject::connect(&m, &DataModel::deviceListDSPVersionChanged,
                     [](uint i, uchar a, uchar b, uchar c) {
                         const auto& v = row(i).dspVersion;
                         if (v[0] != a || v[1] != b || v[2] != c)
                             fuzz::fail(QStringLiteral("deviceListDSPVersionChanged announced "
                                                       "another version"));
                     });
    QObject::connect(&m, &DataModel::deviceListFaultChanged, [](uint i, bool fault) {
        if ((row(i).fault != 0) != fault)
            fuzz::fail(QStringLiteral("deviceListFaultChanged announced another state"));
    });
    QObject::connect(&m, &DataModel::deviceListRunTimeChanged, [](uint i, uint, uint) { row(i); });
    QObject::connect(&m, &DataModel::deviceListNetworkChanged, [](int i) { row(uint(i)); });
}

// Whether the codec gives a field's bytes (up to its NUL) back unchanged after decoding them;
// only then is the registry's copy, decoded from the whole field, bound to read the same.
bool roundTrips(const TextField& field)
{
    const QByteArray bytes = textBytes(field.data, field.width);
    QTextCodec* codec = QTextCodec::codecForLocale();
    return codec->fromUnicode(codec->toUnicode(bytes)) == bytes;
}

void checkList()
{
    DataModel& m = *g_model;
    const std::vector<Unit>& units = g_account.units();
    if (m.deviceCount() > g_account.distinctIds())
        fuzz::fail(QStringLiteral("%1 rows for %2 distinct device IDs")
                       .arg(m.deviceCount())
                       .arg(g_account.distinctIds()));
    if (m.deviceCount() != int(units.size()))
        fuzz::fail(QStringLiteral("%1 rows, %2 expected").arg(m.deviceCount()).arg(units.size()));
    for (int i = 0; i < m.deviceCount(); ++i) {
        const DeviceRecord& r = *m.device(i);
        const Unit& u = units[std::size_t(i)];
        const wire::UDPBrowsingPacket& p = r.packet;
        const QString where = QStringLiteral("row %1 (ID %2): ").arg(i).arg(u.id);
        if (p.deviceId != u.id)
            fuzz::fail(where + QStringLiteral("holds ID %1").arg(p.deviceId));
        if (p.ipAddress != u.ip || p.fault != u.fault || bool(r.online) != u.online)
            fuzz::fail(where + QStringLiteral("address, fault or online flag differ"));
        if (QByteArray(reinterpret_cast<const char*>(p.dspVersion), 3) != u.dspVersion)
            fuzz::fail(where + QStringLiteral("DSP version differs"));
        // Texts are compared as shown (decoded up to the first NUL): a change that decodes
        // to the same text keeps the stored bytes.
        const auto shown = shownTexts(p);
        for (std::size_t t = 0; t < shown.size(); ++t) {
            if (shown[t] != u.texts[t])
                fuzz::fail(where + QStringLiteral("text field %1 shows \"%2\", expected \"%3\"")
                                       .arg(t)
                                       .arg(shown[t], u.texts[t]));
        }
    }
}

// The registry lists the same units, in the same order, with what the next start would read.
void checkRegistry()
{
    QSqlQuery query(QSqlDatabase::database(g_model->registry().connectionName()));
    if (!query.exec(QStringLiteral("select DeviceID, IPAddress, ARMVersion, Model, SerialNumber, "
                                   "Location, Description from devices order by ID")))
        fuzz::fail(QStringLiteral("the registry cannot be read"));
    int i = 0;
    for (; query.next(); ++i) {
        if (i >= g_model->deviceCount())
            fuzz::fail(QStringLiteral("the registry has more rows than the list"));
        const wire::UDPBrowsingPacket& p = g_model->device(i)->packet;
        if (query.value(0).toUInt() != p.deviceId || query.value(1).toUInt() != p.ipAddress)
            fuzz::fail(QStringLiteral("registry row %1 holds another ID or address").arg(i));
        const auto fields = textFieldsOf(p);
        const auto shown = shownTexts(p);
        for (std::size_t t = 0; t < 5; ++t) { // the preset has no column
            if (!roundTrips(fields[t]))
                continue;
            QString stored = query.value(2 + int(t)).toString();
            const int nul = stored.indexOf(QChar(0));
            if (nul >= 0)
                stored.truncate(nul);
            if (stored != shown[t])
                fuzz::fail(QStringLiteral("registry row %1, text %2: \"%3\", the list shows \"%4\"")
                               .arg(i)
                               .arg(t)
                               .arg(stored, shown[t]));
        }
    }
    if (i != g_model->deviceCount())
        fuzz::fail(QStringLiteral("the registry has %1 rows, the list %2")
                       .arg(i)
                       .arg(g_model->deviceCount()));
}

class Reader
{
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    quint8 byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // Up to n bytes into `out` at `offset`.
    void fill(QByteArray& out, int offset, int n)
    {
        const int count = std::min<int>(n, int(m_size - m_at));
        std::memcpy(out.data() + offset, m_data + m_at, std::size_t(count));
        m_at += std::size_t(count);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// Header, tail and packet type of a datagram that discovery takes.
QByteArray framed(QByteArray d, quint8 op)
{
    d[0] = char(0xA9);
    d[1] = char(0xAC);
    d[152] = char(0xAC);
    d[153] = char(0xA9);
    putU32(d, 20, (op & 0x08) ? 6 : 4);
    if (op & 0x10)
        putU32(d, 8, op >> 5);
    return d;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::start((*argv)[0]);
    fuzz::inScratchDirectory([] {
        LinkSettings settings;
        settings.broadcastPort = 0; // any free port: nothing is listened for here
        g_model = new DataModel(settings);
    });
    g_model->setTickTimerRunning(false);
    watchSignals(*g_model);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DataModel& model = *g_model;
    Reader in(data, size);
    QByteArray previous;
    while (!in.atEnd()) {
        const quint8 op = in.byte();
        QByteArray datagram;
        switch (op & 7) {
        case 5: {
            datagram = previous.size() == kDatagramSize ? previous
                                                        : framed(QByteArray(kDatagramSize, 0), 0);
            for (int n = in.byte() % 4 + 1; n > 0; --n) {
                const int offset = in.byte() % kDatagramSize;
                datagram[offset] = char(in.byte());
            }
            break;
        }
        case 6:
            datagram = QByteArray(in.byte(), 0);
            in.fill(datagram, 0, datagram.size());
            break;
        case 7:
            if (op & 0x08) {
                quint32 ip = 0;
                for (int b = 0; b < 4; ++b)
                    ip = ip << 8 | in.byte();
                model.addDeviceByAddress(ip);
                g_account.addByAddress(ip);
            } else {
                const int index = in.byte() % (model.deviceCount() + 1);
                model.removeDeviceAt(index);
                g_account.remove(index);
            }
            continue;
        default:
            datagram = QByteArray(kDatagramSize, 0);
            in.fill(datagram, 2, kDatagramSize - 4);
            datagram = framed(datagram, op);
            break;
        }
        model.handleBrowsingPacket(nullptr, datagram);
        g_account.hear(datagram);
        previous = datagram;
    }
    checkList();
    checkRegistry();

    // The next input starts from an empty list and registry.
    while (model.deviceCount() > 0)
        model.removeDeviceAt(model.deviceCount() - 1);
    g_account.clear();
    // Removed rows leave their control sockets to the event loop, which never runs here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
