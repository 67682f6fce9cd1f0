// The bases the editors stand on: an editor window has the refresh read its blocks while it is
// shown and follows the device profile; a processing page writes the visible page and its
// channel to the model and keeps off hidden channels; the factory 48 V switch changes modes as
// the input setup page does.
#include "channelbar.h"
#include "clock.h"
#include "datamodel.h"
#include "editorwindow.h"
#include "linkpeer.h"
#include "modulepage.h"
#include "modulewidget.h"
#include "testenvironment.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

class Window : public EditorWindow
{
public:
    Window(DataModel& model, ReportRouter& router) : EditorWindow(model, router, QString())
    {
        setRefreshFlag(Refresher::Presets);
    }
    int applied = 0;

protected:
    void applyProfile() override { ++applied; }
};

} // namespace

class TestEditorBases : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.listen());
        m_link.controlPort = m_peer.port();
    }

    void editorWindowReadsItsBlocksWhileShown()
    {
        DataModel model(m_link);
        ReportRouter router(model);
        {
            Window window(model, router);
            QCOMPARE(model.refreshFlags(), quint8(0));
            window.show();
            QCOMPARE(model.refreshFlags(), quint8(Refresher::Presets));
            window.hide();
            QCOMPARE(model.refreshFlags(), quint8(0));
            window.show();

            QSignalSpy changed(&window, &EditorWindow::profileChanged);
            DeviceProfile profile;
            profile.hiddenInputs = 0xF0;
            window.setProfile(profile);
            QCOMPARE(window.applied, 1);
            QCOMPARE(window.profile(), profile);
            QCOMPARE(changed.count(), 1);
        }
        // Closed with the application: its reads stop too.
        QCOMPARE(model.refreshFlags(), quint8(0));
    }

    void pageWritesItsPageAndChannel()
    {
        DataModel model(m_link);
        ReportRouter router(model);
        ModulePage limiter(model, router, EditorPage::OutputLimiter, ModulePage::Channels::Outputs);
        ModulePage gate(model, router, EditorPage::Gate, ModulePage::Channels::None);
        QSignalSpy channels(&limiter, &ModulePage::channelChanged);

        limiter.setChannel(5); // not the visible page yet: the refresh is left alone
        QCOMPARE(model.currentPage(), 0);
        limiter.activate();
        QCOMPARE(model.currentPage(), int(EditorPage::OutputLimiter));
        QCOMPARE(model.currentPageChannel(), 5);
        limiter.channelBar()->button(7)->click();
        QCOMPARE(model.currentPageChannel(), 7);
        QCOMPARE(channels.count(), 2);
        QCOMPARE(channels.last().at(0).toInt(), 7);

        // A channel the profile hides can be neither chosen nor kept.
        DeviceProfile profile;
        profile.hiddenOutputs = 0xFF00;
        limiter.setProfile(profile);
        QVERIFY(limiter.channelBar()->button(9)->isHidden());
        QVERIFY(!limiter.channelBar()->button(7)->isHidden());
        limiter.setChannel(9);
        QCOMPARE(limiter.channel(), 7);
        profile.hiddenOutputs = 0xFFF0;
        limiter.setProfile(profile);
        QCOMPARE(limiter.channel(), 0);
        QCOMPARE(model.currentPageChannel(), 0);

        gate.activate();
        QCOMPARE(model.currentPage(), int(EditorPage::Gate));
        QVERIFY(!gate.channelBar());
    }

    // Every shown analogue input goes to microphone mode: a line input at 12 dB gets its gain
    // to 0 dB first, then its mode, then 48 V; hidden inputs are left alone.
    void factoryPhantomSwitchChangesModesSafely()
    {
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        ReportRouter router(model);
        ModuleWidget page(model, router);
        DeviceProfile profile;
        profile.hiddenInputs = 0xFFFFFFFC; // inputs 1 and 2 only
        page.setProfile(profile);
        model.input(0).phantom = true; // already as asked
        model.input(1).inputMode = 1;
        model.input(1).inputGain = 12.0f;
        m_peer.take();

        page.setAllPhantomPower(true);
        QCOMPARE(m_peer.take(),
                 (QStringList{"w:3,1,8[0100000000]", "w:3,1,4[0100]", "w:3,1,5[0101]"}));
        QCOMPARE(model.input(1).inputMode, 0u);
        QVERIFY(model.input(1).phantom);
        model.selectDevice(-1, false);
    }
};

KV_TEST_MAIN(TestEditorBases)
#include "tst_editorbases.moc"
