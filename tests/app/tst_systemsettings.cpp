// cfg.ini as SystemSettings reads, repairs and writes it, and the language and appearance it
// applies.
#include "appsupport.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

namespace {
QString resourceText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
QString translatedOk()
{
    return QCoreApplication::translate("DeviceVersionSelectionDialog", "OK");
}
} // namespace

class TestSystemSettings : public QObject
{
    Q_OBJECT
private slots:
    void load_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("language");
        QTest::addColumn<QVariant>("fileLanguage"); // Language/Current in the file afterwards
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("broadcastPort");
        QTest::addColumn<int>("controlPort");
        QTest::addColumn<QString>("titleCN");

        const QString title = QStringLiteral("KV530418");
        // Everything not named in the row is the default.
        const auto row = [&](const char* name, const QString& ini, int language = 0,
                             const QVariant& fileLanguage = {}, int profile = 2) {
            QTest::newRow(name) << ini << language << fileLanguage << profile << 30068 << 2698
                                << title;
        };
        row("no file", QString());
        row("English only ignores Current=0 and keeps it",
            QStringLiteral("[Language]\nSupport=2\nCurrent=0\n"), 1, 0);
        row("Current out of range", QStringLiteral("[Language]\nSupport=3\nCurrent=7\n"), 0, 7);
        row("profile 0 is not offered", QStringLiteral("[DeviceVersionSelection]\nCurrent=0\n"));
        row("profile 4 is not offered", QStringLiteral("[DeviceVersionSelection]\nCurrent=4\n"));
        row("profile 1 kept", QStringLiteral("[DeviceVersionSelection]\nCurrent=1\n"), 0, {}, 1);
        row("bad ports", QStringLiteral("[Broadcast]\nPort=abc\n[Control]\nPort=70000\n"));
        row("empty titles written back", QStringLiteral("[Title]\nEN=\nCN=\n"));
        QTest::newRow("ports and a Chinese title")
            << QStringLiteral("[Broadcast]\nPort=40001\n[Control]\nPort=5000\n"
                              "[Title]\nCN=\u97f3\u9891\u77e9\u9635\n")
            << 0 << QVariant() << 2 << 40001 << 5000 << QStringLiteral("\u97f3\u9891\u77e9\u9635");
    }
    void load()
    {
        QFETCH(QString, ini);
        QFETCH(int, language);
        QFETCH(QVariant, fileLanguage);
        QFETCH(int, profile);
        QFETCH(int, broadcastPort);
        QFETCH(int, controlPort);
        QFETCH(QString, titleCN);

        writeConfig(ini);
        SystemSettings settings;
        QCOMPARE(settings.language(), language);
        QCOMPARE(settings.deviceVersionSelection(), profile);
        QCOMPARE(int(settings.broadcastPort()), broadcastPort);
        QCOMPARE(int(settings.controlPort()), controlPort);
        QCOMPARE(settings.titleCN(), titleCN);
        QCOMPARE(settings.titleEN(), QStringLiteral("KV530418"));

        QCOMPARE(configValue("Language", "Current").toString(), fileLanguage.toString());
        QCOMPARE(configValue("DeviceVersionSelection", "Current").toInt(), profile);
        QCOMPARE(configValue("DeviceVersionSelection", "ShowAtStartup").toBool(), true);
        QCOMPARE(configValue("Title", "EN").toString(), QStringLiteral("KV530418"));
        QCOMPARE(configValue("Title", "CN").toString(), titleCN);
        // Ports are read only.
        QCOMPARE(configValue("Control", "Port").isValid(),
                 ini.contains(QLatin1String("[Control]")));
    }

    void setLanguage_data()
    {
        QTest::addColumn<int>("support");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("ok");

        QTest::newRow("English only, asked for Chinese") << 2 << 0 << 1 << QStringLiteral("OK");
        QTest::newRow("both, Chinese") << 3 << 0 << 0 << QStringLiteral("\u786e\u5b9a");
        QTest::newRow("both, unknown is Chinese") << 3 << 5 << 0 << QStringLiteral("\u786e\u5b9a");
    }
    void setLanguage()
    {
        QFETCH(int, support);
        QFETCH(int, requested);
        QFETCH(int, language);
        QFETCH(QString, ok);

        // Start in the other language, so that the switch must load a catalogue.
        writeConfig(QStringLiteral("[Language]\nSupport=%1\nCurrent=%2\n")
                        .arg(support)
                        .arg(1 - qBound(0, requested, 1)));
        {
            SystemSettings settings;
            settings.setLanguage(requested);
            QCOMPARE(settings.language(), language);
            QCOMPARE(configValue("Language", "Current").toInt(), language);
            QCOMPARE(translatedOk(), ok);
        }
        QCOMPARE(translatedOk(), QStringLiteral("OK")); // the catalogue leaves with the settings
    }

    void appearance_data()
    {
        QTest::addColumn<int>("support");
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("storedConfig");
        QTest::addColumn<int>("dark");

        QTest::newRow("both, unknown keeps dark") << 3 << 1 << 5 << 5 << 1;
        QTest::newRow("both, unknown keeps light") << 3 << 0 << 5 << 5 << 0;
        QTest::newRow("both, to dark") << 3 << 0 << 1 << 1 << 1;
        QTest::newRow("light only") << 1 << 1 << 1 << 0 << 0;
        QTest::newRow("dark only") << 2 << 0 << 0 << 1 << 1;
    }
    void appearance()
    {
        QFETCH(int, support);
        QFETCH(int, config);
        QFETCH(int, requested);
        QFETCH(int, storedConfig);
        QFETCH(int, dark);

        writeConfig(
            QStringLiteral("[Appearance]\nSupport=%1\nConfig=%2\n").arg(support).arg(config));
        SystemSettings settings;
        settings.setAppearance(requested);
        QCOMPARE(settings.appearanceConfig(), storedConfig);
        QCOMPARE(settings.isDark(), dark);
        QCOMPARE(configValue("Appearance", "Config").toInt(), storedConfig);
        const QString sheet = resourceText(dark ? QStringLiteral(":/qss/dark.qss")
                                                : QStringLiteral(":/qss/light.qss"));
        QVERIFY(!sheet.isEmpty());
        QCOMPARE(qApp->styleSheet(), sheet);
    }

    void profiles_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<quint32>("hiddenInputs");
        QTest::addColumn<quint32>("hiddenOutputs");
        QTest::addColumn<quint32>("dante");
        QTest::addColumn<int>("usbPlay");
        QTest::addColumn<int>("usbRecord");
        // Profiles 1 and 2, with USB, are checked through the windows that show them.

        QTest::newRow("0 full") << 0 << 0u << 0u << 0u << -1 << -1;
        QTest::newRow("3 4x8") << 3 << 0x0000FFF0u << 0x0000FF00u << 0u << -1 << -1;
        QTest::newRow("4 Dante") << 4 << 0u << 0u << 0x0000F000u << -1 << -1;
    }
    void profiles()
    {
        QFETCH(int, profile);
        QFETCH(quint32, hiddenInputs);
        QFETCH(quint32, hiddenOutputs);
        QFETCH(quint32, dante);
        QFETCH(int, usbPlay);
        QFETCH(int, usbRecord);

        writeConfig(QString());
        SystemSettings settings;
        settings.setDeviceVersionSelection(profile);
        QCOMPARE(settings.hiddenInputMask(), hiddenInputs);
        QCOMPARE(settings.hiddenOutputMask(), hiddenOutputs);
        QCOMPARE(settings.danteInputMask(), dante);
        QCOMPARE(settings.danteOutputMask(), dante);
        QCOMPARE(settings.usbPresent(), usbPlay >= 0);
        QCOMPARE(settings.usbPlayInput(), usbPlay);
        QCOMPARE(settings.usbRecordOutput(), usbRecord);
        QCOMPARE(configValue("DeviceVersionSelection", "Current").toInt(), profile);
    }

    // A file edited by hand keeps its comments and layout through a start, and through a
    // choice that changes nothing; only a real change rewrites it.
    void aHandEditedFileSurvivesAStart()
    {
        const QString text =
            QStringLiteral("; the venue's settings, kept by hand\n"
                           "[Title]\nEN=Hall\nCN=Hall\n\n"
                           "[Language]\nSupport=3\nCurrent=1\n\n"
                           "[Appearance]\nSupport=3\nConfig=0\n\n"
                           "[DeviceVersionSelection]\nCurrent=2\nShowAtStartup=false\n");
        writeConfig(text);
        const auto file = [] {
            QFile f(QStringLiteral("cfg.ini"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray before = file();
        SystemSettings settings;
        QCOMPARE(file(), before);
        settings.setLanguage(1);
        settings.setShowAtStartup(false);
        QCOMPARE(file(), before);
        settings.setLanguage(0);
        QVERIFY(file() != before);
        QCOMPARE(configValue("Language", "Current").toInt(), 0);
    }
};

KV_TEST_MAIN(TestSystemSettings)
#include "tst_systemsettings.moc"
