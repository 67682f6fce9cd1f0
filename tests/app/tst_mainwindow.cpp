// The main window: report routing, status bar formats, faults, menus and profiles.
#include "appsupport.h"
#include "datamodel.h"
#include "mainmenubar.h"
#include "mainstatusbar.h"
#include "mainwindow.h"
#include "recplaydialog.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

using namespace wire;

// Lets the test hand the model reports as if they came from the unit.
class InjectingModel : public DataModel
{
public:
    void report(wire::Code code, const QByteArray& payload)
    {
        wire::PacketHeader h;
        h.setCode(code);
        h.access = wire::AccessReport;
        h.length = quint16(payload.size());
        dispatchPacket(h, payload.constData());
    }
};

QStringList labelTexts(const QStatusBar* bar)
{
    QStringList texts;
    const auto labels = bar->findChildren<QLabel*>();
    for (const QLabel* l : labels)
        texts << l->text();
    return texts;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[Appearance]\nSupport=3\n"
                                   "[DeviceVersionSelection]\nCurrent=1\n"));
    }

    void statusBarShowsTheUnit()
    {
        SystemSettings settings;
        InjectingModel model;
        MainWindow window(model, settings);
        const QStatusBar* bar = window.mainStatusBar();

        model.report(code::ArmVersion, QByteArray::fromHex("010203"));
        model.report(code::BuildNumber, wire::bytesU32(0x2B));
        model.report(code::DspVersion, QByteArray::fromHex("010019"));
        model.report(code::SerialNumber, "SN-4711");
        model.report(code::Temperature, wire::bytesF32(36.54f));
        model.report(code::Fan, QByteArray(1, '\1'));
        model.report(code::DspUsage, wire::bytesU32(37) + wire::bytesU32(52));
        const QStringList texts = labelTexts(bar);
        QVERIFY2(texts.contains(QStringLiteral("ARM :V1.2.3-2b")), qPrintable(texts.join('|')));
        QVERIFY(texts.contains(QStringLiteral("DSP :V1.0.25")));
        QVERIFY(texts.contains(QStringLiteral("Serial Number : SN-4711")));
        QVERIFY(texts.contains(QString::fromUtf8(" Temp : 36.5 ℃ ")));
        QVERIFY(texts.contains(QStringLiteral(" Fan : ON ")));
        QVERIFY(texts.contains(QStringLiteral("DSP Usage : 37.0%, 52.0%")));

        // Out-of-range temperatures and an unknown fan state show nothing.
        model.report(code::Temperature, wire::bytesF32(100.0f));
        model.report(code::Fan, QByteArray(1, '\2'));
        QVERIFY(!labelTexts(bar).contains(QString::fromUtf8(" Temp : 100.0 ℃ ")));
        QVERIFY(labelTexts(bar).filter(QStringLiteral("Fan")).isEmpty());

        model.report(code::SystemMute, QByteArray(1, '\1'));
        QVERIFY(window.mainStatusBar()->muteButton()->isChecked());

        // The link ends: nothing of the unit stays, not even its build number.
        model.resetLiveValues();
        const QStringList blank = labelTexts(bar);
        QVERIFY2(blank.contains(QStringLiteral("ARM :V0.0.0")), qPrintable(blank.join('|')));
        QVERIFY(blank.contains(QStringLiteral("DSP :V0.0.0")));
        QVERIFY(blank.contains(QStringLiteral("Serial Number : ")));
        QVERIFY(!window.mainStatusBar()->muteButton()->isChecked());
    }

    void faultsAreShownAndRemindedUntilCleared()
    {
        QCOMPARE(MainWindow::faultText(0x21),
                 QStringLiteral("Found fault :\n\nDSP, EPROM\n\nSee the Device Setup page for "
                                "details."));
        QCOMPARE(MainWindow::faultText(0x18),
                 QStringLiteral("Found fault :\n\nIO EXT-1, IO EXT-2\n\nSee the Device Setup "
                                "page for details."));

        SystemSettings settings;
        InjectingModel model;
        MainWindow window(model, settings);
        model.report(code::DeviceStatus, QByteArray(1, '\x21'));
        QVERIFY(window.faultMessageBox()->isVisible());
        QVERIFY(window.faultMessageBox()->text().contains(QStringLiteral("DSP, EPROM")));
        QVERIFY(window.faultTimer()->isActive());

        // Dismissed by the user, shown again by the reminder.
        window.faultMessageBox()->close();
        window.timeout();
        QVERIFY(window.faultMessageBox()->isVisible());

        model.report(code::DeviceStatus, QByteArray(1, '\0'));
        QVERIFY(!window.faultMessageBox()->isVisible());
        QVERIFY(!window.faultTimer()->isActive());
    }

    void menusFollowTheSupportedLanguagesAndAppearances()
    {
        auto titles = [](const MainMenuBar* bar) {
            QStringList out;
            const auto actions = bar->actions();
            for (const QAction* a : actions)
                out << a->text();
            return out;
        };
        {
            SystemSettings settings;
            DataModel model;
            MainWindow window(model, settings);
            const QStringList all = titles(window.mainMenuBar());
            QCOMPARE(all.mid(0, 4),
                     (QStringList{"Language", "Interface Color", "Edit", "Preset(&P)"}));
            QCOMPARE(all.last(), QStringLiteral("Device Version Selection"));
        }
        writeConfig(QStringLiteral("[Language]\nSupport=1\n[Appearance]\nSupport=1\n"));
        SystemSettings settings;
        DataModel model;
        MainWindow window(model, settings);
        const QStringList few = titles(window.mainMenuBar());
        QCOMPARE(few.at(1), QStringLiteral("预设(&P)"));
        QVERIFY(!few.contains(QStringLiteral("语言")));
        QCOMPARE(few.size(), 12);
    }

    void highDpiChoiceThatChangesNothingAsksNothing()
    {
        writeConfig(QStringLiteral("[HighDpiScaling]\nEnabled=true\n"));
        SystemSettings settings;
        DataModel model;
        MainWindow window(model, settings);
        QAction* enabled = window.mainMenuBar()->findChild<QAction*>(QStringLiteral("1"));
        QVERIFY(enabled);
        const auto file = [] {
            QFile f(QStringLiteral("cfg.ini"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray before = file();
        enabled->trigger(); // a question box here would block the test
        QCOMPARE(file(), before);
        QVERIFY(enabled->isChecked());
    }

    void shortcutsReachTheMenuEntries()
    {
        SystemSettings settings;
        DataModel model;
        MainWindow window(model, settings);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy preset(window.mainMenuBar(), &MainMenuBar::presetTriggered);
        QSignalSpy setup(window.mainMenuBar(), &MainMenuBar::deviceSetupTriggered);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier); // no entry answers to H
        QCOMPARE(preset.count(), 1);
        QCOMPARE(setup.count(), 1);
    }

    void aUnitWithoutUsbClosesTheRecordWindow()
    {
        SystemSettings settings;
        InjectingModel model;
        MainWindow window(model, settings);
        window.applyDeviceVersion(settings.deviceProfile());
        window.recPlayDialog()->show();

        // The unit reports four inputs and eight outputs.
        QByteArray masks(18, '\0');
        masks.replace(0, 4, QByteArray(4, '\1'));
        QByteArray outputs(16, '\0');
        outputs.replace(0, 8, QByteArray(8, '\1'));
        model.report(code::ChannelMasks, masks + outputs);
        QCOMPARE(window.profile().hiddenInputs, 0x0000FFF0u);
        QVERIFY(!window.recPlayDialog()->isVisible());
        QCOMPARE(configValue(QStringLiteral("DeviceVersionSelection"), QStringLiteral("Current"))
                     .toInt(),
                 3);
    }

    // The user hears once, in the window's language, that the list of units was started anew.
    void aDamagedRegistryIsReported()
    {
        {
            QFile file(QStringLiteral("devices.db"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(3000, '\x13'));
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("devices.db was damaged"));
        SystemSettings settings;
        DataModel model;
        MainWindow window(model, settings);
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = window.findChild<QMessageBox*>(QStringLiteral("registryDamagedBox"))) &&
                    box->isVisible());
        QVERIFY(box->text().contains(model.registry().damagedCopy()));
        QFile::remove(model.registry().damagedCopy());
    }

    void systemResetAsksFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }

    void systemResetAsksFirst()
    {
        QFETCH(bool, confirm);
        SystemSettings settings;
        DataModel model;
        MainWindow window(model, settings);
        QTimer::singleShot(0, [confirm] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("System Reset"));
            const auto buttons = box->buttons();
            for (QAbstractButton* b : buttons) {
                if (b->text() == (confirm ? QStringLiteral("OK") : QStringLiteral("Cancel")))
                    b->click();
            }
        });
        window.systemResetTriggered();
        QCOMPARE(model.recentCommand().holds(wire::code::FactoryReset), confirm);
    }
};

KV_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
