#include "accessrule.h"
#include "httpfront.h"
#include "httproutes.h"
#include "oscfront.h"
#include "remoteservice.h"
#include "servedunit.h"
#include "verbs.h"
#include "websocketfront.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

struct UnitEntry
{
    QString unit;
    QString password;
};

// "UNIT [PASSWORD]" per line; the password is the rest of the line.
bool readUnitsFile(const QString& path, QVector<UnitEntry>& entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int space = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        if (space < 0)
            entries.append({line, {}});
        else
            entries.append({line.left(space), line.mid(space + 1).trimmed()});
    }
    return true;
}

} // namespace

int runServe(const cli::Options& o)
{
    if (!o.arguments.isEmpty())
        return cli::fail(cli::Usage, QStringLiteral("serve takes its units with --unit, --units "
                                                    "or --all (see kvctl serve --help)"));
    QVector<UnitEntry> entries;
    for (const QString& u : o.units)
        entries.append({u, o.password});
    if (!o.unitsFile.isEmpty() && !readUnitsFile(o.unitsFile, entries))
        return cli::fail(cli::Failed, QStringLiteral("cannot read %1").arg(o.unitsFile));
    if (entries.isEmpty() && !o.everyUnit)
        return cli::fail(cli::Usage, QStringLiteral("no unit to serve: give --unit, --units or "
                                                    "--all"));
    QHostAddress address;
    if (!address.setAddress(o.listen))
        return cli::fail(cli::Usage,
                         QStringLiteral("\"%1\" is not an address to listen on").arg(o.listen));
    const AccessRule access(address, o.token);
    if (!access.isUsable())
        return cli::fail(cli::Usage,
                         QStringLiteral("listening on %1 needs an access token (--token-file or "
                                        "KVCTL_TOKEN)")
                             .arg(o.listen));

    LinkSettings settings;
    settings.controlPort = o.port;
    settings.broadcastPort = o.discoveryPort;
    RemoteService service(settings);
    for (const UnitEntry& e : qAsConst(entries))
        service.addUnit(e.unit, e.password);
    if (o.everyUnit)
        service.serveEveryUnit(o.password);

    const auto announce = [](ServedUnit* unit) {
        QObject::connect(unit, &ServedUnit::linkChanged, unit, [](ServedUnit* u) {
            cli::err() << "unit " << u->name() << ": " << ServedUnit::linkName(u->link())
                       << (u->isSynced() ? ", read whole" : "") << Qt::endl;
        });
    };
    for (ServedUnit* u : service.units())
        announce(u);
    QObject::connect(&service, &RemoteService::unitAdded, &service, announce);

    HttpRoutes routes(service);
    std::unique_ptr<HttpFront> http;
    std::unique_ptr<WebSocketFront> webSocket;
    std::unique_ptr<OscFront> osc;
    QString error;
    if (o.httpPort >= 0) {
        http = std::make_unique<HttpFront>(routes, &service, access);
        if (!http->listen(address, quint16(o.httpPort), &error))
            return cli::fail(cli::Failed, error);
        cli::out() << "http " << o.listen << ':' << http->port() << Qt::endl;
    }
    if (o.webSocketPort >= 0) {
        webSocket = std::make_unique<WebSocketFront>(service, access);
        if (!webSocket->listen(address, quint16(o.webSocketPort), &error))
            return cli::fail(cli::Failed, error);
        cli::out() << "websocket " << o.listen << ':' << webSocket->port() << Qt::endl;
    }
    if (o.oscPort >= 0) {
        osc = std::make_unique<OscFront>(service, access);
        if (!osc->listen(address, quint16(o.oscPort), &error))
            return cli::fail(cli::Failed, error);
        cli::out() << "osc " << o.listen << ':' << osc->port() << Qt::endl;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return cli::fail(cli::Failed, QStringLiteral("cannot set up signal handling"));
    QSocketNotifier stop(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (http)
        http->stop();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return cli::Ok;
}
