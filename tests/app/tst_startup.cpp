// Start-up: the splash, the device version selection, the main window and the sequence that
// ties them together.
#include "appsupport.h"
#include "datamodel.h"
#include "deviceversionselectiondialog.h"
#include "mainwindow.h"
#include "splashscreen.h"
#include "startup.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "wire/packet.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {
QTableWidget* tableOf(QWidget* dialog)
{
    return dialog->findChild<QTableWidget*>();
}
QPushButton* buttonOf(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QPushButton*>(which == QDialogButtonBox::Ok
                                               ? QStringLiteral("okButton")
                                               : QStringLiteral("cancelButton"));
}
QPushButton* languageButton(QWidget* dialog, const char* position)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->property("horizontalButtonPosition").toString() == QLatin1String(position))
            return b;
    return nullptr;
}
// Whether a segment is painted in the accent colour of a checked segment.
bool looksChecked(QWidget* button)
{
    const QColor c = button->grab().toImage().pixelColor(3, button->height() / 2);
    return c.blue() > c.red() + 100;
}
// The splash of the start-up under test, while there is one.
SplashScreen* splashScreen()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (auto* splash = qobject_cast<SplashScreen*>(w))
            return splash;
    }
    return nullptr;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void selectDeviceVersion_data()
    {
        QTest::addColumn<quint32>("inputs");
        QTest::addColumn<quint32>("outputs");
        QTest::addColumn<bool>("dante");
        QTest::addColumn<int>("profile");
        QTest::addColumn<bool>("changed");

        // The settings start at profile 2.
        QTest::newRow("Dante 12x12") << 0xFFFu << 0xFFFu << true << 4 << true;
        QTest::newRow("Dante wins over masks") << 0x3FFu << 0x1FFu << true << 4 << true;
        QTest::newRow("16x8") << 0x3FFFFu << 0x1FFu << false << 1 << true;
        QTest::newRow("8x8 is the current one") << 0x3FFu << 0x1FFu << false << 2 << false;
        QTest::newRow("4x8") << 0xFu << 0xFFu << false << 3 << true;
        QTest::newRow("full") << 0xFFFFu << 0xFFFFu << false << 0 << true;
        QTest::newRow("unknown pair") << 0x1234u << 0x1u << false << 0 << true;
    }
    void selectDeviceVersion()
    {
        QFETCH(quint32, inputs);
        QFETCH(quint32, outputs);
        QFETCH(bool, dante);
        QFETCH(int, profile);
        QFETCH(bool, changed);

        writeConfig(QString());
        SystemSettings settings;
        DeviceVersionSelectionDialog dialog(settings);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();

        QCOMPARE(
            DeviceVersionSelectionDialog::selectDeviceVersion(settings, inputs, outputs, dante),
            changed);
        QCOMPARE(settings.deviceVersionSelection(), profile);
        QCOMPARE(configValue("DeviceVersionSelection", "Current").toInt(), profile);
        // Only profiles 1 and 2 are offered, but the row stays selected even where it is hidden,
        // so that OK keeps the unit's profile.
        QCOMPARE(tableOf(&dialog)->isRowHidden(profile), profile != 1 && profile != 2);
        QCOMPARE(tableOf(&dialog)->currentRow(), profile);
        buttonOf(&dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(settings.deviceVersionSelection(), profile);
    }

    void dialogApplies_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("applied");
        QTest::newRow("OK") << QStringLiteral("ok") << true;
        QTest::newRow("double click") << QStringLiteral("double") << true;
        QTest::newRow("Cancel") << QStringLiteral("cancel") << false;
    }
    void dialogApplies()
    {
        QFETCH(QString, action);
        QFETCH(bool, applied);
        writeConfig(QString());
        SystemSettings settings;
        DeviceVersionSelectionDialog dialog(settings);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget* table = tableOf(&dialog);
        dialog.findChild<QCheckBox*>()->setChecked(false);
        const QPoint cell = table->visualItemRect(table->item(1, 1)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        if (action == QLatin1String("double"))
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        else
            buttonOf(&dialog, action == QLatin1String("ok") ? QDialogButtonBox::Ok
                                                            : QDialogButtonBox::Cancel)
                ->click();

        QCOMPARE(dialog.result(), int(applied ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(settings.deviceVersionSelection(), applied ? 1 : 2);
        QCOMPARE(settings.showAtStartup(), !applied);
        QCOMPARE(configValue("DeviceVersionSelection", "Current").toInt(), applied ? 1 : 2);
        QCOMPARE(configValue("DeviceVersionSelection", "ShowAtStartup").toBool(), !applied);
    }

    void languageButtons_data()
    {
        QTest::addColumn<int>("support");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("both") << 3 << 1 << QStringLiteral("Device Version Selection");
        QTest::newRow("Chinese only")
            << 1 << 0 << QStringLiteral("\u8bbe\u5907\u7248\u672c\u9009\u62e9");
    }
    void languageButtons()
    {
        QFETCH(int, support);
        QFETCH(int, language);
        QFETCH(QString, title);
        writeConfig(
            QStringLiteral("[Language]\nSupport=%1\nCurrent=0\n[Title]\nEN=Alpha\nCN=Beta\n")
                .arg(support));
        SystemSettings settings;
        DeviceVersionSelectionDialog dialog(settings);
        DataModel model;
        MainWindow window(model, settings);
        SplashScreen splash(startup::splashPixmap(false), settings);
        dialog.show();
        QPushButton* chinese = languageButton(&dialog, "first");
        QPushButton* english = languageButton(&dialog, "last");
        QVERIFY(chinese && english && chinese->isChecked());

        english->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(settings.language(), language);
        QCOMPARE(configValue("Language", "Current").toInt(), language);
        // Every window follows, and the button of the language really in use is the checked one.
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(english->isChecked(), language == 1);
        QCOMPARE(chinese->isChecked(), language == 0);
        // ...and the only one that looks checked; the buttons speak the language too.
        QCOMPARE(looksChecked(english), language == 1);
        QCOMPARE(looksChecked(chinese), language == 0);
        QCOMPARE(buttonOf(&dialog, QDialogButtonBox::Ok)->text(),
                 language == 1 ? QStringLiteral("OK") : QStringLiteral("\u786e\u5b9a"));

        QCOMPARE(window.windowTitle(),
                 language == 1 ? QStringLiteral("Alpha") : QStringLiteral("Beta"));
        const QLabel* loading = splash.findChild<QLabel*>(QStringLiteral("splashLoadingLabel"));
        QCOMPARE(loading->text(), language == 1 ? QStringLiteral("Loading...")
                                                : QStringLiteral("\u6b63\u5728\u52a0\u8f7d..."));

        // And back again.
        (language == 1 ? chinese : english)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(looksChecked(english), settings.language() == 1);
        QCOMPARE(looksChecked(chinese), settings.language() == 0);
        QCOMPARE(buttonOf(&dialog, QDialogButtonBox::Ok)->text(),
                 settings.language() == 1 ? QStringLiteral("OK") : QStringLiteral("\u786e\u5b9a"));
    }

    // The wire's debug lines (one per skipped garbage byte) stay off unless asked for.
    void logIsQuietUnlessAskedFor()
    {
        startup::configureLogging({QStringLiteral("kv530418")});
        QVERIFY(!lcWire().isDebugEnabled());
        QVERIFY(lcWire().isWarningEnabled());
        startup::configureLogging({QStringLiteral("kv530418"), QStringLiteral("--verbose")});
        QVERIFY(lcWire().isDebugEnabled());
        startup::configureLogging({});
        QVERIFY(!lcWire().isDebugEnabled());
    }

    void mainWindowKeepsItsGeometry()
    {
        writeConfig(QString());
        SystemSettings settings;
        DataModel model;
        settings.setValue(QStringLiteral("MainGeometry"), QByteArray());
        QRect geometry;
        {
            MainWindow window(model, settings);
            window.setGeometry(40, 30, 700, 450);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            geometry = window.geometry();
        }
        MainWindow again(model, settings);
        QCOMPARE(again.geometry(), geometry);
    }

    void run_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<quint32>("hiddenInputs");

        const QString base = QStringLiteral("[Broadcast]\nPort=0\n[Language]\nSupport=3\n");
        QTest::newRow("selection closed")
            << base + QStringLiteral("[DeviceVersionSelection]\nCurrent=2\n") << false << 0 << 0u;
        QTest::newRow("selection accepted")
            << base + QStringLiteral("[DeviceVersionSelection]\nCurrent=1\n") << true << 7
            << 0xFFFE0000u;
        QTest::newRow("no selection")
            << base + QStringLiteral("[DeviceVersionSelection]\nCurrent=2\nShowAtStartup=false\n")
            << true << 7 << 0xFFFFFE00u;
    }
    void run()
    {
        QFETCH(QString, ini);
        QFETCH(bool, accept);
        QFETCH(int, exitCode);
        QFETCH(quint32, hiddenInputs);
        writeConfig(ini);

        bool dialogAsExpected = false;
        QPointer<MainWindow> shown;
        quint32 appliedInputs = 0;
        // The splash lets events through while it paints, so look for the dialog and then the
        // main window until they are up.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<DeviceVersionSelectionDialog*>(
                    QApplication::activeModalWidget())) {
                const SplashScreen* splash = splashScreen();
                dialogAsExpected = !buttonOf(dialog, QDialogButtonBox::Cancel)->isVisible() &&
                                   languageButton(dialog, "first")->isVisible() && splash &&
                                   !splash->isVisible();
                if (accept)
                    buttonOf(dialog, QDialogButtonBox::Ok)->click();
                else
                    dialog->close();
                return;
            }
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<MainWindow*>(w);
                if (window && window->isVisible() && !QApplication::activeModalWidget()) {
                    shown = window;
                    appliedInputs = window->profile().hiddenInputs;
                    QCoreApplication::exit(7);
                }
            }
        });
        poll.start(10);
        QTimer::singleShot(10000, &poll, [] { QCoreApplication::exit(-1); });

        QCOMPARE(startup::run(*qApp), exitCode);
        QCOMPARE(dialogAsExpected, !ini.contains(QLatin1String("ShowAtStartup=false")));
        QCOMPARE(appliedInputs, hiddenInputs);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(splashScreen(), nullptr);
        QVERIFY(shown.isNull()); // the window belongs to the start-up frame
    }
};

KV_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
