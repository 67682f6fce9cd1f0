#pragma once

#include "wire/records.h"

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <QVariant>

Q_DECLARE_LOGGING_CATEGORY(lcRegistry)

// Every unit ever heard or added by hand, kept in devices.db in the working directory so that
// known units are listed (offline) at the next start. Each statement commits on its own.
class DeviceRegistry
{
public:
    DeviceRegistry() = default;
    ~DeviceRegistry();
    DeviceRegistry(const DeviceRegistry&) = delete;
    DeviceRegistry& operator=(const DeviceRegistry&) = delete;

    static constexpr const char* kMemory = ":memory:";

    // Opens (creating when new) the database; returns the stored units as status images, at
    // most `maxUnits` of them (the oldest); rows beyond them are deleted. kMemory keeps the
    // registry for the life of the process only, for tools that must leave no file behind.
    QList<wire::UDPBrowsingPacket> openRegistry(int maxUnits,
                                                const QString& file = QStringLiteral("devices.db"));
    bool isOpen() const { return m_open; }
    // The name of its database connection (QSqlDatabase::database()).
    const QString& connectionName() const { return m_connection; }
    // Where a damaged devices.db was kept when a fresh one had to be started; empty otherwise.
    QString damagedCopy() const { return m_damagedCopy; }

    void sqlAdd(const wire::UDPBrowsingPacket& packet);
    void sqlRemove(quint32 deviceId);
    void sqlUpdateDeviceId(uint oldId, uint newId);
    void sqlUpdateIPAddress(uint deviceId, uint ip);
    void sqlUpdateModel(uint deviceId, const QString& model);
    void sqlUpdateARMVersion(uint deviceId, const QString& version);
    void sqlUpdateDSPVersion(uint deviceId, const quint8 version[3]);
    void sqlUpdateLocation(uint deviceId, const QString& location);
    void sqlUpdateDescription(uint deviceId, const QString& description);
    void sqlUpdateSerialNumber(uint deviceId, const QString& serialNumber);

    // Text of a fixed-width field up to its first NUL, from the local 8-bit code page.
    static QString fieldText(const char* field, int width);
    template <std::size_t N> static QString fieldText(const char (&field)[N])
    {
        return fieldText(field, int(N));
    }

private:
    // Opens devices.db as the default connection; false when it cannot be opened or fails its
    // check.
    bool openFile();
    void setDamagedAside();
    void execute(const char* name, int line, const QString& statement);
    void updateColumn(const char* name, int line, const QString& statement, const QString& column,
                      uint deviceId, const QVariant& value);
    bool m_open = false;
    QString m_file;
    QString m_connection;
    QString m_damagedCopy;
};
