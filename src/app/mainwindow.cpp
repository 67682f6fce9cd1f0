#include "mainwindow.h"

#include "splashscreen.h"
#include "systemsettings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {
const QString kGeometryKey = QStringLiteral("MainGeometry");
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mainCentralWidget"));
    central->setAttribute(Qt::WA_StyledBackground);
    setCentralWidget(central);
    setMinimumSize(640, 400);
    resize(1200, 760);

    const SystemSettings* settings = SystemSettings::instance();
    if (!settings || !restoreGeometry(settings->value(kGeometryKey))) {
        // First start: centred on the screen, and never larger than it.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            resize(size().boundedTo(available.size()));
            move(available.center() - rect().center());
        }
    }
    retranslate();
    SplashScreen::reportProgress(99);
}

MainWindow::~MainWindow()
{
    if (SystemSettings* settings = SystemSettings::instance())
        settings->setValue(kGeometryKey, saveGeometry());
}

void MainWindow::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                    quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslate()
{
    if (const SystemSettings* settings = SystemSettings::instance())
        setWindowTitle(settings->title());
}
