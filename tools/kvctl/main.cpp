#include "cli.h"
#include "verbs.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvctl"));
    cli::Options options;
    const int parsed = cli::parse(QCoreApplication::arguments(), options);
    if (parsed >= 0)
        return parsed;
    const QString& verb = options.verb;
    int code = cli::Usage;
    if (verb == QLatin1String("discover"))
        code = runDiscover(options);
    else if (verb == QLatin1String("status"))
        code = runStatus(options);
    else if (verb == QLatin1String("dump"))
        code = runDump(options);
    else if (verb == QLatin1String("set"))
        code = runSet(options);
    else if (verb == QLatin1String("send"))
        code = runSend(options);
    else if (verb == QLatin1String("preset"))
        code = runPreset(options);
    else if (verb == QLatin1String("serve"))
        code = runServe(options);
    cli::out().flush();
    return code;
}
