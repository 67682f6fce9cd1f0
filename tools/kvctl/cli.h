#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtGlobal>

// What every verb of kvctl shares: its options, its exit codes and its two output streams.
namespace cli {

// Exit codes scripts can rely on; documented in --help and the README.
enum Exit : int
{
    Ok = 0,
    Failed = 1,       // a file could not be read or written, a transfer broke off
    Usage = 2,        // unknown verb, option or key; a malformed argument
    Unreachable = 3,  // no such unit heard, no connection, or the unit stopped answering
    LoginRefused = 4, // the unit refused the password, or asks for one none was given for
    ValueRefused = 5, // a value outside its range, or one the unit did not take
};

struct Options
{
    QString verb;
    QStringList arguments; // after the verb
    quint16 port = 2698;
    quint16 discoveryPort = 30068;
    QString password;
    int timeoutMs = 5000;
    int seconds = 3;
    int waitMs = 1000;
    bool json = false;
    bool help = false;

    // serve
    QStringList units;      // --unit, each UNIT or UNIT:PORT for an address
    QString unitsFile;      // --units: one "UNIT [PASSWORD]" per line
    bool everyUnit = false; // --all
    QString listen = QStringLiteral("127.0.0.1");
    int httpPort = 8530; // 0 picks a free port
    int webSocketPort = 8531;
    int oscPort = 8532;
    QString token; // --token-file, or KVCTL_TOKEN
};

QTextStream& out();
QTextStream& err();

// Prints "kvctl: message" on standard error and returns `code`.
int fail(int code, const QString& message);

// Parses the whole command line (program name first). Returns -1 when the verb is to run,
// otherwise the exit code (help printed, or a usage error reported).
int parse(const QStringList& arguments, Options& options);

QString generalHelp();
// Empty for an unknown verb.
QString verbHelp(const QString& verb);

} // namespace cli
