// The folder of cfg.ini and devices.db: a working folder with its own cfg.ini as it is,
// otherwise the per-user data folder, created on first use.
#include "datafolder.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDataFolder : public QObject
{
    Q_OBJECT
private slots:
    void choose_data()
    {
        QTest::addColumn<QString>("configIn"); // which folder holds a cfg.ini: "", "work", "home"
        QTest::addColumn<bool>("configIsFolder");
        QTest::addColumn<QString>("working");  // "work" or "home"
        QTest::addColumn<QString>("expected"); // "work" or "data"

        QTest::newRow("set-up folder") << "work" << false << "work"
                                       << "work";
        QTest::newRow("folder without cfg.ini") << "" << false << "work"
                                                << "data";
        QTest::newRow("cfg.ini elsewhere only") << "home" << false << "work"
                                                << "data";
        QTest::newRow("cfg.ini that is a folder") << "work" << true << "work"
                                                  << "data";
        QTest::newRow("home root without cfg.ini") << "" << false << "home"
                                                   << "data";
        QTest::newRow("home root with cfg.ini") << "home" << false << "home"
                                                << "data";
    }
    void choose()
    {
        QFETCH(QString, configIn);
        QFETCH(bool, configIsFolder);
        QFETCH(QString, working);
        QFETCH(QString, expected);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("work")) && dir.mkpath(QStringLiteral("home")));
        if (!configIn.isEmpty()) {
            const QString config = dir.filePath(configIn + QStringLiteral("/cfg.ini"));
            if (configIsFolder) {
                QVERIFY(dir.mkpath(config));
            } else {
                QFile file(config);
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        const QString data = dir.filePath(QStringLiteral("data"));
        const QString folder =
            DataFolder::choose(dir.filePath(working), dir.filePath(QStringLiteral("home")), data);
        QCOMPARE(folder, expected == QLatin1String("data") ? data : dir.filePath(expected));
    }

    // The start-up path: the XDG folder is created and becomes the working folder, and a
    // later start from a set-up folder stays there.
    void enter()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("elsewhere")) && dir.mkpath(QStringLiteral("setup")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("xdg"))));
        const QString expected = dir.filePath(QStringLiteral("xdg/QM/KV530418"));
        QCOMPARE(DataFolder::userDataFolder(), expected);

        QString error;
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("elsewhere"))));
        QVERIFY2(DataFolder::enter(&error), qPrintable(error));
        QCOMPARE(QDir::currentPath(), expected);
        QVERIFY(QFileInfo(expected).isDir());

        QFile setup(dir.filePath(QStringLiteral("setup/cfg.ini")));
        QVERIFY(setup.open(QIODevice::WriteOnly));
        setup.close();
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("setup"))));
        QVERIFY2(DataFolder::enter(&error), qPrintable(error));
        QCOMPARE(QDir::currentPath(), dir.filePath(QStringLiteral("setup")));

        // A data folder that cannot be made is refused rather than replaced by the working one.
        QFile blocker(dir.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName()));
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("elsewhere"))));
        QVERIFY(!DataFolder::enter(&error));
        QVERIFY(error.contains(QLatin1String("blocked")));
        QCOMPARE(QDir::currentPath(), dir.filePath(QStringLiteral("elsewhere")));
        QVERIFY(QDir::setCurrent(testWorkingDirectory()));
    }
};

KV_TEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
