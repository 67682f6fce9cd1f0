#include "datamodel.h"
#include "focusproxystyle.h"
#include "systemsettings.h"

#include <QApplication>
#include <QMainWindow>
#include <QStyleFactory>
#include <QTextCodec>

int main(int argc, char* argv[])
{
    if (SystemSettings::highDpiScaling())
        QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    else
        QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("Arial"), 9));
    app.setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
    SystemSettings settings;
    DataModel model;
    QMainWindow window;
    window.setWindowTitle(settings.title());
    window.show();
    return app.exec();
}
