// The names of the codes as data: what the dissector and kvctl print. Codes are spelled as
// numbers here, never through the names under test.
#include "testenvironment.h"
#include "wire/vocabulary.h"

#include <QSet>
#include <QtTest>

using namespace wire;

class TestVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void everyCodeOnceInOrder()
    {
        const auto& v = vocabulary();
        QVERIFY(v.size() > 100);
        QSet<QByteArray> names;
        for (std::size_t i = 0; i < v.size(); ++i) {
            QVERIFY(v[i].name && *v[i].name);
            QVERIFY2(!names.contains(v[i].name), v[i].name);
            names.insert(v[i].name);
            if (i > 0)
                QVERIFY2(v[i - 1].code < v[i].code, v[i].name);
        }
    }

    void names_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("funcId");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("first") << 1 << 1 << 1 << QByteArray("UpgradeSystem");
        QTest::newRow("login") << 2 << 1 << 1 << QByteArray("Login");
        QTest::newRow("strip gain") << 3 << 7 << 2 << QByteArray("InputLevelGain");
        QTest::newRow("output band") << 3 << 12 << 3 << QByteArray("OutputPeq");
        QTest::newRow("last preset") << 3 << 32 << 19 << QByteArray("PresetImport");
        QTest::newRow("last") << 4 << 1 << 4 << QByteArray("StatusRecord4");
        QTest::newRow("a gap") << 3 << 7 << 9 << QByteArray();
        QTest::newRow("no family") << 5 << 1 << 1 << QByteArray();
    }

    void names()
    {
        QFETCH(int, type);
        QFETCH(int, subType);
        QFETCH(int, funcId);
        QFETCH(QByteArray, name);
        const char* found = nameOf(codeOf(quint8(type), quint8(subType), quint8(funcId)));
        QCOMPARE(QByteArray(found), name);
        QCOMPARE(found == nullptr, name.isEmpty());
    }

    void groups()
    {
        QCOMPARE(QByteArray(nameOf(Group{3, 8})), QByteArray("Matrix"));
        QCOMPARE(QByteArray(nameOf(Group{2, 16})), QByteArray("TouchMode"));
        QVERIFY(nameOf(Group{3, 10}) == nullptr);
    }
};

KV_TEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
