#include "deviceregistry.h"

#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextCodec>
#include <QVariant>
#include <cstring>

Q_LOGGING_CATEGORY(lcRegistry, "kv.registry", QtWarningMsg)

namespace {

const char* const kCreate =
    "create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,IPAddress unsigned "
    "int,Model varchar(18),ARMVersion varchar(20),DSPVersion char(3),Location "
    "varchar(18),Description varchar(18),SerialNumber varchar(18))";

QTextCodec* localCodec()
{
    return QTextCodec::codecForLocale();
}

// The whole field, trailing NULs included, as text.
QString wholeField(const char* field, int width)
{
    return localCodec()->toUnicode(field, width);
}

void storeField(char* field, int width, const QVariant& value)
{
    const QByteArray bytes = localCodec()->fromUnicode(value.toString());
    std::memset(field, 0, size_t(width));
    std::memcpy(field, bytes.constData(), size_t(qMin(width, int(bytes.size()))));
}

} // namespace

DeviceRegistry::~DeviceRegistry()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString DeviceRegistry::fieldText(const char* field, int width)
{
    const void* nul = std::memchr(field, 0, size_t(width));
    const int length = nul ? int(static_cast<const char*>(nul) - field) : width;
    return localCodec()->toUnicode(field, length);
}

bool DeviceRegistry::openFile()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_file);
    if (!db.open()) {
        qCDebug(lcRegistry) << "devices.db cannot be opened, error type" << db.lastError().type();
        return false;
    }
    QSqlQuery query(db);
    // A file that is not a database, or one whose pages are damaged, fails its check.
    return query.exec(QStringLiteral("PRAGMA quick_check")) && query.next() &&
           query.value(0).toString() == QLatin1String("ok");
}

void DeviceRegistry::setDamagedAside()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    m_damagedCopy = QStringLiteral("%1.damaged-%2").arg(m_file, stamp);
    QFile::remove(m_damagedCopy);
    if (!QFile::rename(m_file, m_damagedCopy))
        m_damagedCopy.clear();
    // Its journal belongs to it and must not be replayed into the new file.
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(m_file + QLatin1String(suffix));
    qCWarning(lcRegistry).noquote() << "devices.db was damaged; kept as" << m_damagedCopy;
}

QList<wire::UDPBrowsingPacket> DeviceRegistry::openRegistry(int maxUnits, const QString& file)
{
    m_file = file;
    QList<wire::UDPBrowsingPacket> units;
    // A connection of its own: tools run several models in one process.
    static QAtomicInt registries;
    m_connection = QStringLiteral("kv-registry-%1").arg(registries.fetchAndAddRelaxed(1));
    const bool existed = file != QLatin1String(kMemory) && QFile::exists(file);
    if (!openFile()) {
        // Nothing would load or save: the damaged file goes aside, a fresh list starts.
        if (!existed)
            return units;
        setDamagedAside();
        if (!openFile())
            return units;
    }
    m_open = true;
    QSqlQuery query(QSqlDatabase::database(m_connection));
    // Write-ahead logging without a sync per commit keeps each auto-committed statement cheap
    // on the GUI thread; the file stays consistent if the process dies.
    query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    if (query.exec(QString::fromLatin1(kCreate)))
        return units; // a new file: nothing to load
    // A file grown by a flood of made-up units (before the list had its bound) keeps its
    // oldest rows only.
    query.exec(QStringLiteral("DELETE FROM devices WHERE ID NOT IN "
                              "(SELECT ID FROM devices ORDER BY ID LIMIT %1)")
                   .arg(maxUnits));
    if (!query.exec(QStringLiteral("select * from devices order by ID")))
        return units;
    while (query.next()) {
        wire::UDPBrowsingPacket p{};
        p.deviceId = query.value(1).toUInt();
        p.ipAddress = query.value(2).toUInt();
        storeField(p.model, sizeof p.model, query.value(3));
        storeField(p.armVersion, sizeof p.armVersion, query.value(4));
        const QByteArray dsp = query.value(5).toByteArray();
        std::memcpy(p.dspVersion, dsp.constData(), size_t(qMin(3, int(dsp.size()))));
        storeField(p.location, sizeof p.location, query.value(6));
        storeField(p.description, sizeof p.description, query.value(7));
        storeField(p.serialNumber, sizeof p.serialNumber, query.value(8));
        units.append(p);
    }
    return units;
}

void DeviceRegistry::sqlAdd(const wire::UDPBrowsingPacket& p)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(QStringLiteral("insert into devices values (NULL, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(uint(p.deviceId));
    query.addBindValue(uint(p.ipAddress));
    query.addBindValue(wholeField(p.model, sizeof p.model));
    query.addBindValue(wholeField(p.armVersion, sizeof p.armVersion));
    query.addBindValue(QByteArray(reinterpret_cast<const char*>(p.dspVersion), 3));
    query.addBindValue(wholeField(p.location, sizeof p.location));
    query.addBindValue(wholeField(p.description, sizeof p.description));
    query.addBindValue(wholeField(p.serialNumber, sizeof p.serialNumber));
    if (!query.exec())
        qCDebug(lcRegistry, "%s, %d", "sqlAdd", __LINE__);
}

void DeviceRegistry::execute(const char* name, int line, const QString& statement)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(statement))
        qCDebug(lcRegistry, "%s, %d", name, line);
}

void DeviceRegistry::sqlRemove(quint32 deviceId)
{
    execute("sqlRemove", __LINE__,
            QStringLiteral("DELETE FROM devices WHERE DeviceID = %1").arg(deviceId));
}

void DeviceRegistry::sqlUpdateDeviceId(uint oldId, uint newId)
{
    execute("sqlUpdateDeviceId", __LINE__,
            QStringLiteral("UPDATE devices SET DeviceID = %1 WHERE DeviceID = %2")
                .arg(newId)
                .arg(oldId));
}

void DeviceRegistry::sqlUpdateIPAddress(uint deviceId, uint ip)
{
    execute("sqlUpdateIPAddress", __LINE__,
            QStringLiteral("UPDATE devices SET IPAddress = %1 WHERE DeviceID = %2")
                .arg(ip)
                .arg(deviceId));
}

void DeviceRegistry::updateColumn(const char* name, int line, const QString& statement,
                                  const QString& column, uint deviceId, const QVariant& value)
{
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.prepare(statement);
    query.bindValue(QLatin1Char(':') + column, value);
    query.bindValue(QStringLiteral(":DeviceID"), deviceId);
    if (!query.exec())
        qCDebug(lcRegistry, "%s, %d", name, line);
}

void DeviceRegistry::sqlUpdateModel(uint deviceId, const QString& model)
{
    updateColumn("sqlUpdateModel", __LINE__,
                 QStringLiteral("UPDATE devices SET Model = :Model WHERE DeviceID = :DeviceID"),
                 QStringLiteral("Model"), deviceId, model);
}

void DeviceRegistry::sqlUpdateARMVersion(uint deviceId, const QString& version)
{
    updateColumn(
        "sqlUpdateARMVersion", __LINE__,
        QStringLiteral("UPDATE devices SET ARMVersion = :ARMVersion WHERE DeviceID = :DeviceID"),
        QStringLiteral("ARMVersion"), deviceId, version);
}

void DeviceRegistry::sqlUpdateDSPVersion(uint deviceId, const quint8 version[3])
{
    updateColumn(
        "sqlUpdateDSPVersion", __LINE__,
        QStringLiteral("UPDATE devices SET DSPVersion = :DSPVersion WHERE DeviceID = :DeviceID"),
        QStringLiteral("DSPVersion"), deviceId,
        QByteArray(reinterpret_cast<const char*>(version), 3));
}

void DeviceRegistry::sqlUpdateLocation(uint deviceId, const QString& location)
{
    updateColumn(
        "sqlUpdateLocation", __LINE__,
        QStringLiteral("UPDATE devices SET Location = :Location WHERE DeviceID = :DeviceID"),
        QStringLiteral("Location"), deviceId, location);
}

void DeviceRegistry::sqlUpdateDescription(uint deviceId, const QString& description)
{
    updateColumn(
        "sqlUpdateDescription", __LINE__,
        QStringLiteral("UPDATE devices SET Description = :Description WHERE DeviceID = :DeviceID"),
        QStringLiteral("Description"), deviceId, description);
}

void DeviceRegistry::sqlUpdateSerialNumber(uint deviceId, const QString& serialNumber)
{
    updateColumn("sqlUpdateSerialNumber", __LINE__,
                 QStringLiteral(
                     "UPDATE devices SET SerialNumber = :SerialNumber WHERE DeviceID = :DeviceID"),
                 QStringLiteral("SerialNumber"), deviceId, serialNumber);
}
