// Undo and redo against a virtual unit on loopback: a fader drag is one step however long it
// is held, a typed value or a click is one step, each undo sends the earlier value so that the
// unit holds it again and the strip shows it, and a preset recall empties the history with a
// note in the status bar.
#include "appsupport.h"
#include "datamodel.h"
#include "fader.h"
#include "filtergraph.h"
#include "filterwidget.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainmenubar.h"
#include "mainstatusbar.h"
#include "mainwindow.h"
#include "modulewidget.h"
#include "presetedits.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "undohistory.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    SystemSettings* m_settings = nullptr;
    DataModel* m_model = nullptr;
    MainWindow* m_window = nullptr;

    LevelWidget* row(bool output) const
    {
        return output ? m_window->levelContainer()->outputLevelWidget()
                      : m_window->levelContainer()->inputLevelWidget();
    }
    VirtualUnit& unit() { return m_session->unit(); }
    QUndoStack& stack() const { return m_window->undoHistory()->stack(); }
    // Lets the coalescing delay pass and the unit read what was sent.
    void deliver()
    {
        m_session->run(300);
        QVERIFY(m_session->settle());
    }
    void type(QLineEdit* edit, const QString& text)
    {
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
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=1\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(unit().controlPort())
                        .arg(UnitSession::freeUdpPort()));
        m_settings = new SystemSettings;
        m_model = new DataModel(m_settings->linkSettings());
        m_session->setModel(m_model);
        m_window = new MainWindow(*m_model, *m_settings);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_window->resize(1400, 900);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_session->run(1000);
    }

    void cleanupTestCase()
    {
        delete m_window;
        m_session->setModel(nullptr);
        delete m_model;
        delete m_settings;
        m_session.reset();
    }

    void init()
    {
        m_session->run(1700);
        stack().clear();
    }

    // A drag held still for longer than the merge window is still one step.
    void dragIsOneStep()
    {
        const int channel = 4;
        Fader* fader = row(false)->fader(channel);
        type(row(false)->gainEdit(channel), QStringLiteral("6"));
        deliver();
        stack().clear();

        QPoint at = fader->handleRect().center();
        sendMouse(fader, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        for (int step = 0; step < 20; ++step) {
            at.ry() += 4;
            sendMouse(fader, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            m_session->run(step == 10 ? 1000 : 20);
        }
        sendMouse(fader, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        const float dragged = fader->value();
        QVERIFY(dragged < 6.0f);
        deliver();
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), dragged);
        QCOMPARE(stack().count(), 1);
        QAction* undo = m_window->undoHistory()->undoAction();
        QCOMPARE(undo->text(), QStringLiteral("Undo Input 5 Gain"));
        QVERIFY(m_window->mainMenuBar()->editMenu()->actions().contains(undo));

        undo->trigger();
        QCOMPARE(fader->value(), 6.0f);
        deliver();
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), 6.0f);

        m_window->undoHistory()->redoAction()->trigger();
        deliver();
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), dragged);
        QCOMPARE(row(false)->gainEdit(channel)->text(), LevelWidget::gainText(dragged));
    }

    void typedAndClickedEdits_data()
    {
        QTest::addColumn<bool>("output");
        QTest::addColumn<bool>("mute");
        QTest::newRow("input gain typed") << false << false;
        QTest::newRow("output gain typed") << true << false;
        QTest::newRow("input mute clicked") << false << true;
        QTest::newRow("output mute clicked") << true << true;
    }

    void typedAndClickedEdits()
    {
        QFETCH(bool, output);
        QFETCH(bool, mute);
        const int channel = 2;
        auto held = [&]() -> float {
            const auto& dsp = unit().state().dsp;
            if (mute)
                return output ? dsp.outputs[channel].levelMute : dsp.inputs[channel].levelMute;
            return output ? dsp.outputs[channel].levelGain : dsp.inputs[channel].levelGain;
        };
        const float before = held();
        if (mute)
            QTest::mouseClick(row(output)->muteButton(channel), Qt::LeftButton);
        else
            type(row(output)->gainEdit(channel), QString::number(double(before) - 7.5));
        deliver();
        QVERIFY(held() != before);
        QCOMPARE(stack().count(), 1);

        stack().undo();
        deliver();
        QCOMPARE(held(), before);
        if (mute)
            QCOMPARE(row(output)->muteButton(channel)->isChecked(), before != 0.0f);
        else
            QCOMPARE(row(output)->fader(channel)->value(), before);
    }

    // Without a mouse: a gain on the fader's keys, a mute on Space, a filter band on the
    // graph's keys; each reaches the unit and is one step to undo.
    void keyboardOnly()
    {
        const int channel = 7;
        Fader* fader = row(false)->fader(channel);
        type(row(false)->gainEdit(channel), QStringLiteral("-20"));
        deliver();
        stack().clear();

        QTest::keyClick(fader, Qt::Key_PageUp);
        QTest::keyClick(fader, Qt::Key_Up);
        const float keyed = fader->value();
        QVERIFY(keyed > -20.0f);
        QPushButton* mute = row(false)->muteButton(channel);
        QCOMPARE(mute->focusPolicy(), Qt::TabFocus);
        const bool muted = mute->isChecked();
        QTest::keyClick(mute, Qt::Key_Space);
        FilterGraph* graph = m_window->moduleWidget()->inFilterWidget()->graph();
        const float bandGain = unit().state().dsp.inputs[0].peq[1].gain;
        QTest::keyClick(graph, Qt::Key_2);
        QTest::keyClick(graph, Qt::Key_PageDown);
        deliver();
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), keyed);
        QCOMPARE(bool(unit().state().dsp.inputs[channel].levelMute), !muted);
        QCOMPARE(float(unit().state().dsp.inputs[0].peq[1].gain), bandGain - 3.0f);
        // The two fader keys came together: one step; then the mute and the band.
        QCOMPARE(stack().count(), 3);

        for (int i = 0; i < 3; ++i)
            stack().undo();
        deliver();
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), -20.0f);
        QCOMPARE(bool(unit().state().dsp.inputs[channel].levelMute), muted);
        QCOMPARE(float(unit().state().dsp.inputs[0].peq[1].gain), bandGain);
    }

    void presetRecallClearsTheHistory()
    {
        type(row(false)->gainEdit(1), QStringLiteral("-3"));
        QVERIFY(stack().canUndo());
        PresetEdits(*m_model).load(0);
        QCOMPARE(stack().count(), 0);
        QVERIFY(!m_window->undoHistory()->undoAction()->isEnabled());
        QCOMPARE(m_window->mainStatusBar()->currentMessage(),
                 UndoHistory::clearedNote(EditJournal::Reason::PresetRecall));
    }
};

KV_TEST_MAIN(TestUndo)
#include "tst_undo.moc"
