#include "datafolder.h"
#include "startup.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Before anything reads cfg.ini, which the high-DPI setting below already does.
    QString error;
    if (!DataFolder::enter(&error)) {
        std::fprintf(stderr, "kv530418: %s\n", qPrintable(error));
        return 1;
    }
    startup::configureHighDpiScaling();
    QApplication app(argc, argv);
    startup::configureApplication(app);
    return startup::run(app);
}
