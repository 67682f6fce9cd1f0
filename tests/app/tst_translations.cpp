// The Chinese catalogue: every translatable text in the sources has its translation. That the
// compiled catalogues load is checked where the settings switch the language.
#include "testenvironment.h"

#include <QProcess>
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
};

KV_TEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
