#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    startup::configureHighDpiScaling();
    QApplication app(argc, argv);
    startup::configureApplication(app);
    return startup::run(app);
}
