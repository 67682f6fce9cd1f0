#include "udpcommandreceiver.h"
#include "unitoptions.h"
#include "virtualunit.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("virtual-unit");

    UnitOptions options;
    const bool parsed = options.parse(QCoreApplication::arguments());
    if (options.helpRequested()) {
        std::fputs(qPrintable(options.helpText()), stdout);
        return 0;
    }
    if (!parsed) {
        std::fprintf(stderr, "virtual-unit: %s\n", qPrintable(options.error()));
        return 2;
    }

    std::vector<std::unique_ptr<VirtualUnit>> units;
    for (const UnitConfig& config : options.units()) {
        auto unit = std::make_unique<VirtualUnit>(config);
        QString error;
        if (!unit->start(&error)) {
            std::fprintf(stderr, "virtual-unit: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("unit %u listening on %s:%u\n", unsigned(unit->deviceId()),
                    qPrintable(unit->address().toString()), unsigned(unit->controlPort()));
        units.push_back(std::move(unit));
    }

    UdpCommandReceiver receiver;
    if (options.commandPort() != 0) {
        if (!receiver.bind(options.commandAddress(), options.commandPort()))
            std::fprintf(stderr, "virtual-unit: no UDP commands on port %u: %s\n",
                         unsigned(options.commandPort()), qPrintable(receiver.errorString()));
        QObject::connect(&receiver, &UdpCommandReceiver::networkSettingsReceived, &app,
                         [&units](const UdpCommandReceiver::NetworkSettings& s) {
                             for (const auto& unit : units)
                                 unit->handleUdpCommand(s.deviceId, s.ipAddress, s.netmask,
                                                        s.gateway);
                         });
    }
    std::fflush(stdout);

    if (options.runForSeconds() > 0)
        QTimer::singleShot(options.runForSeconds() * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
