// The preset window against a virtual unit: the rows follow the unit's table, names are
// limited in bytes of the local encoding, save, load and delete ask first, the load's progress
// opens and closes the progress window, and files move through the window's file choice.
#include "datamodel.h"
#include "presetdialog.h"
#include "presetstore.h"
#include "reportrouter.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>
#include <memory>

using namespace wire;

namespace {

enum Column
{
    Save = 1,
    Load = 2,
    Import = 3,
    Export = 4,
    Delete = 5,
};

QPushButton* buttonOf(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons()) {
        if (b->text() == text)
            return qobject_cast<QPushButton*>(b);
    }
    return nullptr;
}

} // namespace

class TestPresetDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<PresetDialog> m_dialog;
    QTemporaryDir m_dir;
    QString m_chosen; // what the file choice answers

    PresetStore& store() { return m_session->unit().core().presets(); }

    QMessageBox* openBox()
    {
        QMessageBox* box = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            box = m_dialog->findChild<QMessageBox*>();
            return box && box->isVisible();
        });
        return shown ? box : nullptr;
    }

    void rename(int slot, const QString& text)
    {
        m_dialog->nameEdit(slot)->setText(text);
        emit m_dialog->nameEdit(slot)->editingFinished();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        auto& dsp = m_session->unit().state().dsp;
        for (int slot : {0, 5}) {
            dsp.inputs[1].delay = float(slot);
            store().save(slot, dsp);
        }
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        QFile config(QStringLiteral("cfg.ini"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("[Language]\nSupport=3\nCurrent=1\n");
        config.close();
        m_settings = std::make_unique<SystemSettings>();
        m_dialog = std::make_unique<PresetDialog>(*m_model, *m_router, *m_settings);
        m_dialog->setFileChooser(
            [this](bool, const QString&, const QString&, const QString&) { return m_chosen; });
        m_dialog->show();
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_session->run(500);
    }

    void cleanupTestCase()
    {
        m_dialog.reset();
        m_settings.reset();
        m_router.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    void init() { m_session->run(1700); }

    // The open window reads the table: used slots can be loaded, exported and deleted, and
    // the current one is marked.
    void rowsFollowTheUnit()
    {
        QCOMPARE(m_dialog->nameEdit(5)->text(), QStringLiteral("Preset 6"));
        QVERIFY(m_dialog->button(5, Load)->isEnabled());
        QVERIFY(!m_dialog->button(6, Load)->isEnabled());
        QVERIFY(!m_dialog->button(6, Export)->isEnabled());
        QVERIFY(!m_dialog->button(6, Delete)->isEnabled());
        QVERIFY(m_dialog->button(6, Save)->isEnabled());
        QVERIFY(m_dialog->button(5, Load)->property("highlighted").toBool());
        QVERIFY(!m_dialog->button(0, Load)->property("highlighted").toBool());
        store().save(9, m_session->unit().state().dsp);
        m_session->run(500);
        QVERIFY(m_dialog->button(9, Delete)->isEnabled());
        QVERIFY(m_dialog->button(9, Load)->property("highlighted").toBool());
    }

    // Names count bytes of the local encoding: 8 two-byte characters fit, 9 do not.
    void namesAreLimitedInBytes()
    {
        const QString eight(8, QChar(0x4E2D));
        rename(0, eight);
        QVERIFY(m_session->settle());
        QCOMPARE(store().name(0), QTextCodec::codecForName("GB2312")->fromUnicode(eight));
        const int from = m_session->mark();
        rename(0, eight + QChar(0x4E2D));
        QMessageBox* box = openBox();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("The preset name's length can not be greater than "
                                             "16 bytes, please enter again!"));
        box->accept();
        QCOMPARE(m_dialog->nameEdit(0)->text(), eight);
        QVERIFY(m_session->settle());
        QVERIFY(m_session->since(from, code::PresetRename).isEmpty());
    }

    // Save, load and delete send nothing unless the question is answered with OK.
    void actionsAskFirst()
    {
        const int from = m_session->mark();
        m_dialog->button(2, Save)->click();
        QMessageBox* box = openBox();
        QCOMPARE(
            box->text(),
            QStringLiteral("Are you sure that you want to save current settings to preset 3?"));
        buttonOf(box, QStringLiteral("Cancel"))->click();
        QVERIFY(m_session->settle());
        QVERIFY(m_session->since(from, code::PresetSave).isEmpty());

        m_dialog->button(2, Save)->click();
        buttonOf(openBox(), QStringLiteral("OK"))->click();
        QVERIFY(m_session->settle());
        QVERIFY(store().isUsed(2));

        // Loading shows the unit's progress and closes when it is done.
        m_session->unit().state().dsp.inputs[1].delay = 77.0f;
        m_dialog->button(5, Load)->click();
        buttonOf(openBox(), QStringLiteral("OK"))->click();
        QTRY_COMPARE(m_session->unit().state().dsp.inputs[1].delay, 5.0f);
        m_session->run(200);
        QVERIFY(!m_dialog->progressDialog()->isVisible());

        m_dialog->button(2, Delete)->click();
        QCOMPARE(openBox()->text(),
                 QStringLiteral("Are you sure that you want to delete preset 3?"));
        buttonOf(openBox(), QStringLiteral("OK"))->click();
        QVERIFY(m_session->settle());
        QVERIFY(!store().isUsed(2));
    }

    // The load's progress: 0 opens, a step shows its percentage, 100 closes, also unopened.
    void loadProgress()
    {
        QProgressDialog* progress = m_dialog->progressDialog();
        m_model->sync(code::PresetLoad, 0);
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->labelText(), QStringLiteral("Loading..."));
        m_model->sync(code::PresetLoad, 40);
        QCOMPARE(progress->value(), 40);
        QCOMPARE(progress->labelText(), QStringLiteral("Loading...40%"));
        m_model->sync(code::PresetLoad, 100);
        QVERIFY(!progress->isVisible());
        m_model->sync(code::PresetLoad, 100);
        QVERIFY(!progress->isVisible());
    }

    // Files through the window: the export lands where the user chose and becomes the next
    // starting directory; a file that is no preset is refused with the message.
    void filesThroughTheWindow()
    {
        m_chosen = m_dir.filePath(QStringLiteral("six.pst"));
        m_dialog->button(5, Export)->click();
        QTRY_VERIFY(!m_dialog->transfer().isRunning());
        QCOMPARE(QFile(m_chosen).size(), store().presetImage(5).size());
        QCOMPARE(m_settings->lastFileDirectory(), m_dir.path() + QLatin1Char('/'));
        QVERIFY(!m_dialog->progressDialog()->isVisible());

        QFile junk(m_dir.filePath(QStringLiteral("junk.pst")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("xy");
        junk.close();
        m_chosen = junk.fileName();
        m_dialog->button(7, Import)->click();
        QCOMPARE(openBox()->text(), QStringLiteral("File format is error!"));
        openBox()->accept();

        m_chosen.clear(); // the user cancels the choice
        const int from = m_session->mark();
        m_dialog->exportAllButtonClicked();
        QVERIFY(m_session->settle());
        QVERIFY(m_session->since(from, code::PresetExportAll, AccessRead).isEmpty());
    }
};

KV_TEST_MAIN(TestPresetDialog)
#include "tst_presetdialog.moc"
