#include "cli.h"

#include <QCommandLineParser>
#include <QFile>

#include <cstdio>

namespace cli {

namespace {

const char* const kExitCodes = "Exit codes:\n"
                               "  0  done\n"
                               "  1  failed: a file could not be read or written, a transfer "
                               "broke off\n"
                               "  2  usage: unknown verb, option or key, malformed argument\n"
                               "  3  unreachable: no such unit heard, no connection, or no "
                               "answer\n"
                               "  4  login refused: wrong password, or a password is needed\n"
                               "  5  value refused: out of range, or not taken by the unit\n";

const char* const kUnit = "UNIT is an IPv4 address, a serial number or a device ID; serial "
                          "numbers and IDs are\nlooked up on the discovery port for --seconds.\n";

struct Verb
{
    const char* name;
    const char* help;
};

const Verb kVerbs[] = {
    {"discover", "kvctl discover [--seconds N] [--json] [--discovery-port PORT]\n"
                 "Lists the units heard on the discovery port within N seconds (default 3):\n"
                 "device ID, model, serial number, address, online state, current preset.\n"},
    {"status", "kvctl status UNIT [--json]\n"
               "Versions, temperature, fan, DSP usage, faults and system mute of a unit.\n"},
    {"dump", "kvctl dump UNIT [--json]\n"
             "Reads every block of the unit and prints every parameter as KEY=VALUE, one per\n"
             "line, in an order that stays the same between versions (diff two dumps).\n"
             "Channel numbers in keys are 1-based: input.3.gain, output.1.mute,\n"
             "matrix.in3.out2, input.2.peq.4.freq. `kvctl dump UNIT --keys` lists the keys\n"
             "with their ranges instead, without reading values.\n"},
    {"set", "kvctl set UNIT KEY=VALUE...\n"
            "Checks every key and value before anything is sent (a value outside its range\n"
            "ends with code 5 and names the range), sends them as the application does,\n"
            "reads them back and reports every value the unit did not take (code 5).\n"
            "Booleans take on/off, true/false, 1/0.\n"},
    {"preset", "kvctl preset UNIT list\n"
               "       kvctl preset UNIT recall N\n"
               "       kvctl preset UNIT save N NAME\n"
               "       kvctl preset UNIT export N FILE.pst\n"
               "       kvctl preset UNIT import FILE.pst N\n"
               "       kvctl preset UNIT backup DIR\n"
               "       kvctl preset UNIT restore DIR\n"
               "Presets are numbered 1 to 32. backup writes every preset of the unit into DIR\n"
               "(presets.pstl with all of them, preset-NN.pst for each used one and\n"
               "presets.json with their names), each file replaced only once complete;\n"
               "restore loads presets.pstl into the unit and checks the names it then lists.\n"},
    {"serve",
     "kvctl serve [--unit UNIT]... [--units FILE] [--all] [--listen ADDRESS]\n"
     "            [--http-port N] [--ws-port N] [--osc-port N] [--token-file FILE]\n"
     "Serves units to remote clients until stopped (Ctrl+C): HTTP with JSON (routes\n"
     "under /api/units, the OpenAPI document at /openapi.json), WebSocket subscriptions\n"
     "with live changes and meters, and OSC over UDP. Each unit is kept logged in, read\n"
     "whole and in step; a lost link is taken up again and the unit read anew.\n"
     "  --unit UNIT         a unit to serve, with --password; ADDRESS:PORT gives an\n"
     "                      address its own control port; repeat for several units\n"
     "  --units FILE        units to serve, one per line: UNIT, then optionally its\n"
     "                      password after a space (# starts a comment)\n"
     "  --all               every unit heard on the discovery port, with --password\n"
     "  --listen ADDRESS    where clients connect (default 127.0.0.1). Any other address\n"
     "                      requires an access token: HTTP \"Authorization: Bearer TOKEN\",\n"
     "                      WebSocket ?token=TOKEN, OSC /kv/auth s TOKEN first\n"
     "  --http-port N       default 8530; --ws-port 8531; --osc-port 8532; 0 picks a\n"
     "                      free port, -1 leaves that side off\n"
     "  --token-file FILE   the access token (or the environment variable KVCTL_TOKEN)\n"
     "The ports taken are printed on standard output, one line each (\"http ADDRESS:PORT\").\n"
     "Passwords never appear in answers or messages.\n"},
    {"send", "kvctl send UNIT HEX [--wait MS]\n"
             "Sends one command string as the command assistant prints it (for example\n"
             "\"82 7D 01 00 03 07 01 01 02 00 00 01 7D 82\") and prints the unit's answers\n"
             "with the same code that arrive within MS milliseconds (default 1000).\n"},
};

} // namespace

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

int fail(int code, const QString& message)
{
    out().flush();
    err() << "kvctl: " << message << Qt::endl;
    return code;
}

QString generalHelp()
{
    QString text = QStringLiteral(
        "Usage: kvctl [options] VERB [arguments]\n"
        "Command-line client for the processor units the application controls.\n\n"
        "Verbs:\n"
        "  discover                 units heard on the discovery port\n"
        "  status UNIT              versions, temperature, fan, DSP usage, faults, mute\n"
        "  dump UNIT                every parameter as KEY=VALUE\n"
        "  set UNIT KEY=VALUE...    set parameters, read back, report refusals\n"
        "  preset UNIT ACTION ...   list, recall, save, export, import, backup, restore\n"
        "  send UNIT HEX            send a command string, print the answers\n"
        "  serve --unit UNIT...     HTTP, WebSocket and OSC remote control of units\n"
        "  help VERB                help of one verb (also: kvctl VERB --help)\n\n");
    text += QString::fromLatin1(kUnit);
    text += QStringLiteral(
        "\nOptions:\n"
        "  --port PORT              control port of the unit (default 2698)\n"
        "  --discovery-port PORT    where units announce themselves (default 30068)\n"
        "  --password TEXT          password, tried after the built-in guest password\n"
        "  --timeout S              seconds to connect and log in (default 5)\n"
        "  --seconds N              seconds to listen for units (default 3)\n"
        "  --json                   machine-readable output (discover, status, dump, preset "
        "list)\n"
        "  --wait MS                send: how long to collect answers (default 1000)\n"
        "  -h, --help               this help, or the verb's\n\n");
    text += QString::fromLatin1(kExitCodes);
    text += QStringLiteral("\nMessages go to standard error, results to standard output.\n");
    return text;
}

QString verbHelp(const QString& verb)
{
    for (const Verb& v : kVerbs) {
        if (verb == QLatin1String(v.name)) {
            QString text = QStringLiteral("Usage: ") + QString::fromLatin1(v.help);
            if (verb != QLatin1String("discover"))
                text += QLatin1Char('\n') + QString::fromLatin1(kUnit);
            text += QStringLiteral("\nOptions: see kvctl --help.\n\n") +
                    QString::fromLatin1(kExitCodes);
            return text;
        }
    }
    return {};
}

int parse(const QStringList& arguments, Options& o)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("port"));
    const QCommandLineOption discoveryPort(QStringLiteral("discovery-port"), QString(),
                                           QStringLiteral("port"));
    const QCommandLineOption password(QStringLiteral("password"), QString(),
                                      QStringLiteral("text"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("s"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QString(), QStringLiteral("n"));
    const QCommandLineOption wait(QStringLiteral("wait"), QString(), QStringLiteral("ms"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption keys(QStringLiteral("keys"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption unit(QStringLiteral("unit"), QString(), QStringLiteral("unit"));
    const QCommandLineOption units(QStringLiteral("units"), QString(), QStringLiteral("file"));
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption listen(QStringLiteral("listen"), QString(), QStringLiteral("address"));
    const QCommandLineOption httpPort(QStringLiteral("http-port"), QString(),
                                      QStringLiteral("port"));
    const QCommandLineOption wsPort(QStringLiteral("ws-port"), QString(), QStringLiteral("port"));
    const QCommandLineOption oscPort(QStringLiteral("osc-port"), QString(), QStringLiteral("port"));
    const QCommandLineOption tokenFile(QStringLiteral("token-file"), QString(),
                                       QStringLiteral("file"));
    parser.addOptions({port, discoveryPort, password, timeout, seconds, wait, json, keys, help,
                       unit, units, all, listen, httpPort, wsPort, oscPort, tokenFile});
    if (!parser.parse(arguments))
        return fail(Usage, parser.errorText() + QStringLiteral(" (see kvctl --help)"));

    QStringList positional = parser.positionalArguments();
    o.help = parser.isSet(help);
    o.json = parser.isSet(json);
    if (!positional.isEmpty())
        o.verb = positional.takeFirst();
    o.arguments = positional;
    // --keys is dump's: it turns the verb into a listing of keys.
    if (parser.isSet(keys))
        o.arguments.prepend(QStringLiteral("--keys"));
    o.password = parser.value(password);

    const auto number = [&](const QCommandLineOption& option, int lo, int hi, int& value) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        const int v = parser.value(option).toInt(&ok);
        if (!ok || v < lo || v > hi) {
            fail(Usage, QStringLiteral("--%1 takes a whole number from %2 to %3")
                            .arg(option.names().constFirst())
                            .arg(lo)
                            .arg(hi));
            return false;
        }
        value = v;
        return true;
    };
    int p = o.port, dp = o.discoveryPort, t = o.timeoutMs / 1000;
    if (!number(port, 1, 65535, p) || !number(discoveryPort, 1, 65535, dp) ||
        !number(timeout, 1, 3600, t) || !number(seconds, 0, 3600, o.seconds) ||
        !number(wait, 0, 600000, o.waitMs) || !number(httpPort, -1, 65535, o.httpPort) ||
        !number(wsPort, -1, 65535, o.webSocketPort) || !number(oscPort, -1, 65535, o.oscPort))
        return Usage;
    o.units = parser.values(unit);
    o.unitsFile = parser.value(units);
    o.everyUnit = parser.isSet(all);
    if (parser.isSet(listen))
        o.listen = parser.value(listen);
    o.token = qEnvironmentVariable("KVCTL_TOKEN");
    if (parser.isSet(tokenFile)) {
        QFile file(parser.value(tokenFile));
        if (!file.open(QIODevice::ReadOnly))
            return fail(Usage,
                        QStringLiteral("cannot read the token file %1").arg(file.fileName()));
        o.token = QString::fromUtf8(file.readAll()).trimmed();
    }
    o.port = quint16(p);
    o.discoveryPort = quint16(dp);
    o.timeoutMs = t * 1000;

    if (o.verb == QLatin1String("help")) {
        const QString verb = o.arguments.value(0);
        if (verb.isEmpty()) {
            out() << generalHelp();
            return Ok;
        }
        const QString text = verbHelp(verb);
        if (text.isEmpty())
            return fail(Usage, QStringLiteral("unknown verb \"%1\" (see kvctl --help)").arg(verb));
        out() << text;
        return Ok;
    }
    if (o.verb.isEmpty()) {
        if (o.help) {
            out() << generalHelp();
            return Ok;
        }
        return fail(Usage, QStringLiteral("no verb given (see kvctl --help)"));
    }
    const QString text = verbHelp(o.verb);
    if (text.isEmpty())
        return fail(Usage, QStringLiteral("unknown verb \"%1\" (see kvctl --help)").arg(o.verb));
    if (o.help) {
        out() << text;
        return Ok;
    }
    return -1;
}

} // namespace cli
