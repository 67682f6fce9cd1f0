// Knob and fader follow the appearance: after a switch they look like controls created in the
// new appearance, and the two appearances differ.
#include "fader.h"
#include "knob.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

#include <functional>
#include <memory>

using Factory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Factory)

class TestControlAppearance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QFile ini(QStringLiteral("cfg.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Appearance]\nSupport=3\nConfig=0\n");
    }

    void followsSwitch_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::newRow("knob") << Factory([] {
            auto* knob = new Knob;
            knob->setRange(-150, 150);
            knob->setValue(60);
            knob->resize(44, 44);
            return knob;
        });
        QTest::newRow("fader") << Factory([] {
            auto* fader = new Fader;
            fader->setValue(-10);
            fader->resize(48, 200);
            return fader;
        });
    }
    void followsSwitch()
    {
        QFETCH(Factory, make);
        SystemSettings settings;
        settings.setAppearance(0);
        std::unique_ptr<QWidget> lived(make());
        const QImage light = lived->grab().toImage();

        settings.setAppearance(1);
        const QImage switched = lived->grab().toImage();
        std::unique_ptr<QWidget> fresh(make());
        QCOMPARE(switched, fresh->grab().toImage());
        QVERIFY(switched != light);

        settings.setAppearance(0);
        QCOMPARE(lived->grab().toImage(), light);
    }
};

KV_TEST_MAIN(TestControlAppearance)
#include "tst_controlappearance.moc"
