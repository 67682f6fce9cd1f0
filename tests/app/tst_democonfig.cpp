// The demo's first-run cfg.ini (scripts/demo-config.sh) as the application reads it, and the
// split of ./run.sh's options between the virtual unit and the application.
#include "channelprofile.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

struct Result
{
    int exitCode = -1;
    QStringList lines;
};

// Runs the script with a locale made of `locale` alone ("NAME=value" entries).
Result runScript(const QStringList& arguments, const QStringList& locale = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    for (const QString& entry : locale)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("bash"), QStringList{QStringLiteral(KV_DEMO_CONFIG)} + arguments);
    Result result;
    if (!process.waitForFinished(10000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.lines = QString::fromUtf8(process.readAllStandardOutput())
                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return result;
}

} // namespace

class TestDemoConfig : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(QStringLiteral("cfg.ini")); }

    void firstRun_data()
    {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("language"); // 0 Chinese, 1 English
        QTest::addColumn<int>("unitProfile");
        QTest::addColumn<bool>("dialog");

        const QStringList none;
        QTest::newRow("no locale") << none << none << 1 << 1 << true;
        QTest::newRow("Chinese LANG") << QStringList{"LANG=zh_CN.UTF-8"} << none << 0 << 1 << true;
        QTest::newRow("English LANG") << QStringList{"LANG=en_GB.UTF-8"} << none << 1 << 1 << true;
        QTest::newRow("LC_ALL over LANG")
            << QStringList{"LANG=zh_CN.UTF-8", "LC_ALL=de_DE.UTF-8"} << none << 1 << 1 << true;
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{"LANG=en_US.UTF-8", "LC_MESSAGES=zh_TW.UTF-8"} << none << 0 << 1 << true;
        QTest::newRow("empty LC_ALL does not count")
            << QStringList{"LC_ALL=", "LANG=zh_CN.GB2312"} << none << 0 << 1 << true;
        QTest::newRow("8x8 unit") << none << QStringList{"--profile", "2"} << 1 << 2 << true;
        QTest::newRow("8x8 unit, = form") << none << QStringList{"--profile=2"} << 1 << 2 << true;
        // Configurations the dialog does not offer: no dialog, the unit's report decides.
        for (int profile : {0, 3, 4})
            QTest::addRow("profile %d", profile)
                << none << QStringList{"--profile", QString::number(profile)} << 1 << profile
                << false;
    }
    void firstRun()
    {
        QFETCH(QStringList, locale);
        QFETCH(QStringList, options);
        QFETCH(int, language);
        QFETCH(int, unitProfile);
        QFETCH(bool, dialog);

        QCOMPARE(runScript(QStringList{"write", "cfg.ini"} + options, locale).exitCode, 0);
        SystemSettings settings;
        QCOMPARE(settings.languageSupport(), 3);
        QCOMPARE(settings.language(), language);
        QCOMPARE(settings.appearanceSupport(), 3);
        QCOMPARE(settings.showAtStartup(), dialog);
        if (dialog) {
            // The profile the application selects describes the same channels as the unit's.
            const auto masks =
                SystemSettings::unitMasksForProfile(settings.deviceVersionSelection());
            const ChannelProfile unit = ChannelProfile::forIndex(unitProfile);
            QCOMPARE(masks.inputMask, unit.inputMask());
            QCOMPARE(masks.outputMask, unit.outputMask());
            QCOMPARE(masks.dante, unit.dante());
            QCOMPARE(settings.deviceProfile().usbPlayInput, unit.usbPlayInput());
        }
    }

    void existingFileLeftAlone()
    {
        const QByteArray mine = "[Language]\nSupport=1\n; kept by hand\n";
        {
            QFile file(QStringLiteral("cfg.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(mine);
        }
        QCOMPARE(runScript({"write", "cfg.ini", "--profile", "2"}, {"LANG=en_US.UTF-8"}).exitCode,
                 0);
        QFile file(QStringLiteral("cfg.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), mine);
    }

    void optionSplit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected"); // empty: refused

        QTest::newRow("nothing") << QStringList{} << QStringList{"unit\t--profile", "unit\t1"};
        QTest::newRow("unit and application options mixed")
            << QStringList{"--verbose", "--password", "secret word", "--count=3", "-x"}
            << QStringList{"unit\t--password", "unit\tsecret word", "unit\t--count",  "unit\t3",
                           "unit\t--profile",  "unit\t1",           "app\t--verbose", "app\t-x"};
        QTest::newRow("everything after -- is the application's")
            << QStringList{"--profile", "3", "--", "--profile", "2", "--help"}
            << QStringList{"unit\t--profile", "unit\t3", "app\t--profile", "app\t2", "app\t--help"};
        QTest::newRow("help") << QStringList{"--help"}
                              << QStringList{"help", "unit\t--profile", "unit\t1"};
        QTest::newRow("password without value") << QStringList{"--password"} << QStringList{};
        QTest::newRow("profile out of range") << QStringList{"--profile", "5"} << QStringList{};
        QTest::newRow("count not a number") << QStringList{"--count", "two"} << QStringList{};
        QTest::newRow("count zero") << QStringList{"--count=0"} << QStringList{};
    }
    void optionSplit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);

        const Result result = runScript(QStringList{"split"} + arguments);
        if (expected.isEmpty()) {
            QCOMPARE(result.exitCode, 2);
        } else {
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.lines, expected);
        }
    }
};

KV_TEST_MAIN(TestDemoConfig)
#include "tst_democonfig.moc"
