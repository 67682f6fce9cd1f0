// Channel labels edited in the label window against a virtual unit: the unit keeps them, and
// the strips, the meter window and the processing page show them at once; labels the unit
// cannot keep are refused with nothing sent; the rows follow the profile.
#include "appsupport.h"
#include "channelbar.h"
#include "datamodel.h"
#include "filterwidget.h"
#include "labeldialog.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainwindow.h"
#include "modulewidget.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace wire;
using Kind = LabelEdits::Kind;

class TestLabels : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    SystemSettings* m_settings = nullptr;
    DataModel* m_model = nullptr;
    MainWindow* m_window = nullptr;

    LabelDialog* dialog() const { return m_window->labelDialog(); }
    UnitState::Labels& unitLabels() { return m_session->unit().state().labels; }

    void type(Kind kind, int channel, const QString& text)
    {
        QLineEdit* edit = dialog()->edit(kind, channel);
        edit->setText(text);
        emit edit->editingFinished();
    }

private slots:
    void initTestCase()
    {
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=0\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(m_session->unit().controlPort())
                        .arg(UnitSession::freeUdpPort()));
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        m_settings = new SystemSettings;
        m_model = new DataModel(m_settings->linkSettings());
        m_session->setModel(m_model);
        m_window = new MainWindow(*m_model, *m_settings);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_window->show();
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_session->run(1000);
        m_window->labelTriggered();
        QVERIFY(dialog()->isVisible());
    }

    void cleanupTestCase()
    {
        delete m_window;
        m_session->setModel(nullptr);
        delete m_model;
        delete m_settings;
        m_session.reset();
    }

    void init() { m_session->run(1700); }

    // A stored label reaches the unit and every view of the channel; the dialog's reads keep
    // the touch-screen labels in step while it is open.
    void storedLabelsShowEverywhere()
    {
        QSignalSpy changed(dialog(), &LabelDialog::inputLabelChanged);
        type(Kind::Input, 2, QStringLiteral("  Lectern  "));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dialog()->edit(Kind::Input, 2)->text(), QStringLiteral("Lectern"));
        QCOMPARE(m_window->levelContainer()->inputLevelWidget()->nameEdit(2)->text(),
                 QStringLiteral("Lectern"));
        QCOMPARE(m_window->moduleWidget()->inFilterWidget()->channelBar()->button(2)->text(),
                 QStringLiteral("Lectern"));
        type(Kind::Output, 5, QStringLiteral("Foyer"));
        QCOMPARE(m_window->moduleWidget()->outFilterWidget()->channelBar()->button(5)->text(),
                 QStringLiteral("Foyer"));
        QVERIFY(m_session->settle());
        QCOMPARE(unitLabels().inputs[2], QByteArray("Lectern"));
        QCOMPARE(unitLabels().outputs[5], QByteArray("Foyer"));

        // Set at the unit: the open dialog reads it once the echo hold of the edits is over.
        unitLabels().inputExtras[7] = "Desk";
        m_session->run(2000);
        QCOMPARE(dialog()->edit(Kind::TouchScreen, 7)->text(), QStringLiteral("Desk"));
    }

    // Too long for the unit: a message, the old label back, nothing sent.
    void overlongLabelsAreRefused()
    {
        type(Kind::Input, 3, QStringLiteral("Old"));
        QVERIFY(m_session->settle());
        const int from = m_session->mark();
        type(Kind::Input, 3, QString(9, QChar(0x4E2D)));
        QTRY_VERIFY(dialog()->findChild<QMessageBox*>());
        auto* box = dialog()->findChild<QMessageBox*>();
        QCOMPARE(box->text(), QStringLiteral("The input label's length can not be greater than "
                                             "16 bytes, please enter again!"));
        box->accept();
        QCOMPARE(dialog()->edit(Kind::Input, 3)->text(), QStringLiteral("Old"));
        QCOMPARE(m_model->input(3).label, QStringLiteral("Old"));
        type(Kind::TouchScreen, 3, QStringLiteral("Wireless 12"));
        QVERIFY(m_session->settle());
        QVERIFY(m_session->since(from, code::InputLabels).isEmpty());
        QVERIFY(m_session->since(from, code::SecondaryLabels).isEmpty());
        QCOMPARE(unitLabels().inputs[3], QByteArray("Old"));
    }

    // Rows of channels the profile does not have are hidden; outputs 1-8 always show.
    void rowsFollowTheProfile()
    {
        DeviceProfile profile;
        profile.hiddenInputs = 0x0000FFF0;
        profile.hiddenOutputs = 0x0000FF00;
        m_window->applyDeviceVersion(profile);
        QVERIFY(dialog()->edit(Kind::Input, 3)->isVisible());
        QVERIFY(!dialog()->edit(Kind::Input, 4)->isVisible());
        QVERIFY(!dialog()->edit(Kind::TouchScreen, 4)->isVisible());
        QVERIFY(dialog()->edit(Kind::Output, 7)->isVisible());
        QVERIFY(!dialog()->edit(Kind::Output, 8)->isVisible());
        m_window->applyDeviceVersion(DeviceProfile{});
        QVERIFY(dialog()->edit(Kind::Output, 8)->isVisible());
    }
};

KV_TEST_MAIN(TestLabels)
#include "tst_labels.moc"
