#include "startup.h"

#include "appicon.h"
#include "datamodel.h"
#include "deviceversionselectiondialog.h"
#include "focusproxystyle.h"
#include "mainwindow.h"
#include "splashscreen.h"
#include "systemsettings.h"

#include <QApplication>
#include <QBitmap>
#include <QLoggingCategory>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QTextCodec>
#include <memory>

namespace startup {

void configureHighDpiScaling()
{
    if (SystemSettings::highDpiScaling())
        QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    else
        QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
}

void configureApplication(QApplication& app)
{
    app.setFont(QFont(QStringLiteral("Arial"), 9));
    app.setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
    app.setWindowIcon(appIcon());
    configureLogging(QCoreApplication::arguments());
}

void configureLogging(const QStringList& arguments)
{
    QLoggingCategory::setFilterRules(arguments.contains(QStringLiteral("--verbose"))
                                         ? QStringLiteral("kv.*.debug=true")
                                         : QString());
}

QPixmap splashPixmap(bool dark)
{
    QPixmap pixmap(400, 100);
    pixmap.fill(dark ? QColor(48, 49, 51) : QColor(236, 236, 236));
    if (pixmap.isNull())
        return pixmap;
    // An alpha mask rather than a bitmap, so that the antialiased corners stay smooth.
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage mask(image.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(QRectF(mask.rect()), 10, 10, Qt::AbsoluteSize);
    }
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, mask);
    painter.end();
    return QPixmap::fromImage(image);
}

int run(QApplication& app)
{
    SystemSettings settings;
    QApplication::setOverrideCursor(Qt::ArrowCursor);

    const QPixmap pixmap = splashPixmap(settings.isDark());
    auto splash = std::make_unique<SplashScreen>(pixmap, settings);
    // Without a compositor the transparent corners would show black; cut them off the window.
    if (!pixmap.isNull())
        splash->setMask(pixmap.mask());
    splash->show();
    splash->showMessage(QString(), Qt::AlignRight, Qt::black);

    DataModel model(settings.linkSettings());
    splash->setProgress(3);
    MainWindow window(model, settings, [&splash](int percent) { splash->setProgress(percent); });

    if (settings.showAtStartup()) {
        auto* dialog = new DeviceVersionSelectionDialog(settings);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setCancelVisible(false);
        dialog->setLanguageButtonsVisible(settings.languageSupport() == 3);
        splash->hide();
        if (dialog->exec() != QDialog::Accepted) {
            QApplication::restoreOverrideCursor();
            return 0;
        }
    }

    window.applyDeviceVersion(settings.deviceProfile());
    window.show();
    splash->finish(&window);
    splash.reset();
    QApplication::restoreOverrideCursor();
    return app.exec();
}

} // namespace startup
