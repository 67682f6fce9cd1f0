// Start-up with a registry of known units: time until the main window is shown, and memory.
// Run with --units 0 and --units 1024 (bench_start.sh does both) and compare.
#include "datamodel.h"
#include "mainwindow.h"
#include "systemsettings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A registry as a long-running PC would have it: `count` units with every field filled.
void writeRegistry(int count)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "seed");
        db.setDatabaseName(QStringLiteral("devices.db"));
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned "
                              "int,IPAddress unsigned int,Model varchar(18),ARMVersion "
                              "varchar(20),DSPVersion char(3),Location varchar(18),Description "
                              "varchar(18),SerialNumber varchar(18))"));
        db.transaction();
        q.prepare(QStringLiteral("insert into devices values (NULL, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < count; ++i) {
            q.addBindValue(30000 + i);
            q.addBindValue(0xC0A80000u + quint32(i));
            q.addBindValue(QStringLiteral("VU-1608U"));
            q.addBindValue(QStringLiteral("1.2.7"));
            q.addBindValue(QByteArray("\x02\x01\x00", 3));
            q.addBindValue(QStringLiteral("Room %1").arg(i));
            q.addBindValue(QStringLiteral("Rack %1").arg(i % 40));
            q.addBindValue(QStringLiteral("VU%1").arg(30000 + i, 8, 10, QLatin1Char('0')));
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption unitsOption("units", "Units in the registry.", "n", "1024");
    parser.addOption(unitsOption);
    parser.addHelpOption();
    parser.process(app);
    const int units = parser.value(unitsOption).toInt();

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    QFile ini(QStringLiteral("cfg.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[DeviceVersionSelection]\nShowAtStartup=false\n[Broadcast]\nPort=0\n");
    ini.close();
    writeRegistry(units);
    const long before = statusKb("VmRSS:");

    QElapsedTimer clock;
    clock.start();
    SystemSettings settings;
    DataModel model(settings.linkSettings());
    MainWindow window(model, settings);
    window.applyDeviceVersion(settings.deviceProfile());
    window.show();
    QCoreApplication::processEvents();
    const qint64 ms = clock.elapsed();
    const long after = statusKb("VmRSS:");
    std::printf("units %d: main window shown after %lld ms; RSS %ld kB before, %ld kB after (+%ld "
                "kB), peak %ld kB; %d units listed\n",
                units, static_cast<long long>(ms), before, after, after - before,
                statusKb("VmHWM:"), model.deviceCount());
    return model.deviceCount() == std::min(units, 1024) ? 0 : 1;
}
