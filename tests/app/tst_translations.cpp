// The translation catalogues: every translatable text in the sources has its Chinese
// translation, and both compiled catalogues load.
#include "testenvironment.h"

#include <QProcess>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void chineseCoversEverySourceText()
    {
        // Update a copy of the catalogue from the sources, as the developer would.
        const QString ts = testWorkingDirectory() + QStringLiteral("/chinese.ts");
        QFile::remove(ts);
        QVERIFY(QFile::copy(QStringLiteral(KV_CHINESE_TS), ts));
        QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.start(QStringLiteral(KV_LUPDATE),
                      {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                       QStringLiteral("none"), QStringLiteral(KV_SOURCE_DIR), QStringLiteral("-ts"),
                       ts});
        QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        QStringList missing;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const bool unfinished =
                    xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
                const QString text =
                    xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                if (unfinished || text.isEmpty())
                    missing << context + QStringLiteral("::") + source;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 0);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("untranslated in chinese.ts (run lupdate and "
                                           "translate): ") +
                            missing.join(QStringLiteral(", "))));
    }

    void cataloguesLoad_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("ok");
        QTest::newRow("chinese") << QStringLiteral(":/translation/chinese.qm")
                                 << QStringLiteral("\u786e\u5b9a");
        QTest::newRow("english") << QStringLiteral(":/translation/english.qm")
                                 << QStringLiteral("OK");
    }
    void cataloguesLoad()
    {
        QFETCH(QString, path);
        QFETCH(QString, ok);
        QTranslator translator;
        QVERIFY(translator.load(path));
        QVERIFY(!translator.isEmpty());
        QCOMPARE(translator.translate("DeviceVersionSelectionDialog", "OK"), ok);
    }
};

KV_TEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
