// Comparing with a saved state against a virtual unit: a state saved from the unit, two changes
// made afterwards listed under their channels, one chosen and sent back; and two saved states
// compared without a unit.
#include "comparestatedialog.h"
#include "datamodel.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

class TestCompareState : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<CompareStateDialog> m_dialog;
    QTemporaryDir m_dir;
    QString m_chosen;

    UnitState::Input& unitInput(int ch)
    {
        return m_session->unit().state().dsp.inputs[std::size_t(ch)];
    }
    void set(const char* name, const char* value)
    {
        const ParameterKeys::Key key = ParameterKeys::find(QLatin1String(name));
        ParameterKeys::write(*m_model, key,
                             ParameterKeys::parse(key, QLatin1String(value), nullptr));
    }
    QTreeWidgetItem* row(const QString& key) const
    {
        const auto found = m_dialog->tree()->findItems(key, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_dialog = std::make_unique<CompareStateDialog>(*m_model, *m_router);
        m_dialog->setFileChooser([this](bool, const QString&) { return m_chosen; });
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_session->run(2000);
    }

    void cleanupTestCase()
    {
        m_dialog.reset();
        m_router.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    void unitAgainstASavedState()
    {
        const QString saved = m_dir.filePath(QStringLiteral("commissioned.txt"));
        m_chosen = saved;
        m_dialog->saveStateTriggered();
        QTRY_VERIFY(QFile::exists(saved));

        set("input.3.gain", "-10");
        set("output.2.mute", "on");
        m_session->run(2000);
        QVERIFY(m_session->settle());
        QCOMPARE(float(unitInput(2).levelGain), -10.0f);

        m_dialog->show();
        m_dialog->openSavedClicked();
        QTRY_COMPARE(m_dialog->differences().size(), 2);
        QTreeWidgetItem* gain = row(QStringLiteral("input.3.gain"));
        QVERIFY(gain);
        QCOMPARE(gain->parent()->text(0), QStringLiteral("input.3"));
        QCOMPARE(gain->text(1), QStringLiteral("-10"));
        QCOMPARE(gain->text(2), QStringLiteral("0"));
        QVERIFY(row(QStringLiteral("output.2.mute")));

        // Only the chosen difference goes back.
        gain->setCheckState(0, Qt::Checked);
        m_dialog->findChild<QPushButton*>(QStringLiteral("sendSelectedButton"))->click();
        m_session->run(2000);
        QVERIFY(m_session->settle());
        QCOMPARE(float(unitInput(2).levelGain), 0.0f);
        QCOMPARE(int(m_session->unit().state().dsp.outputs[1].levelMute), 1);
        QCOMPARE(m_dialog->differences().size(), 1);
    }

    void twoSavedStatesWithoutTheUnit()
    {
        const QString a = m_dir.filePath(QStringLiteral("a.txt"));
        const QString b = m_dir.filePath(QStringLiteral("b.json"));
        QFile fa(a);
        QVERIFY(fa.open(QIODevice::WriteOnly));
        fa.write("input.1.gain=-3.5\noutput.4.mute=off\n");
        fa.close();
        QFile fb(b);
        QVERIFY(fb.open(QIODevice::WriteOnly));
        fb.write(R"({"input.1.gain": -3.5, "output.4.mute": true})");
        fb.close();
        m_chosen = a;
        m_dialog->openSavedClicked();
        m_chosen = b;
        m_dialog->openSecondClicked();
        QTRY_COMPARE(m_dialog->differences().size(), 1);
        QCOMPARE(m_dialog->differences()[0].key.name(), QStringLiteral("output.4.mute"));
        // Nothing is sent between two files.
        QVERIFY(
            !m_dialog->findChild<QPushButton*>(QStringLiteral("sendSelectedButton"))->isEnabled());
    }
};

KV_TEST_MAIN(TestCompareState)
#include "tst_comparestate.moc"
