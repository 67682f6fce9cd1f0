// The input setup and conference editors against a virtual unit on loopback: each click, typed
// value or drag changes the unit's state in the order and format the unit expects, and what
// the unit reports of its own shows in the editor; the generator routed to an output is heard
// on that output's meter.
#include "aecdiagram.h"
#include "aecwidget.h"
#include "ancwidget.h"
#include "automixerinfodialog.h"
#include "automixermeter.h"
#include "automixerwidget.h"
#include "buttonrow.h"
#include "datamodel.h"
#include "delaywidget.h"
#include "feedbackwidget.h"
#include "infobutton.h"
#include "insetupwidget.h"
#include "knob.h"
#include "modulewidget.h"
#include "reportrouter.h"
#include "signalgeneratorwidget.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <memory>

using namespace wire;

namespace {

void type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

QByteArray f32Bytes(float v)
{
    QByteArray b;
    appendF32(b, v);
    return b;
}

} // namespace

class TestConferenceEditors : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<ModuleWidget> m_page;

    UnitState::Dsp& unit() { return m_session->unit().state().dsp; }
    void run(int ms) { m_session->run(ms); }
    int mark() const { return m_session->mark(); }
    void showPage(EditorPage page) { m_page->pageButton(page)->click(); }
    // The unit's state after the queue and the hold, and after the refresh read it back.
    void settle()
    {
        run(300);
        QVERIFY(m_session->settle());
        run(1700);
    }

private slots:
    void initTestCase()
    {
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_page = std::make_unique<ModuleWidget>(*m_model, *m_router);
        m_page->resize(1200, 640);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        run(1000);
    }

    void cleanupTestCase()
    {
        m_page.reset();
        m_router.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    void init() { run(1700); }

    // A microphone with 48 V at 30 dB switched to line: 48 V off, the gain to 0 dB, then the
    // mode, and the 48 V button can no longer be pressed.
    void inputSetupModeChange()
    {
        InSetupWidget* editor = m_page->inSetupWidget();
        showPage(EditorPage::InputSetup);
        UnitState::Input& in = unit().inputs[4];
        in.inputMode = 0;
        in.phantom = 1;
        in.inputGain = 30.0f;
        run(500);
        QVERIFY(editor->phantomButton(4)->isChecked());
        QCOMPARE(editor->gainEdit(4)->text(), QStringLiteral("30.0"));
        QCOMPARE(editor->gainKnob(4)->value(), 300);
        QCOMPARE(editor->gainKnob(4)->maximum(), 500);

        const int from = mark();
        editor->lineButton(4)->click();
        QVERIFY(m_session->settle());
        const auto sent = m_session->commandsSince(from);
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0].code, code::Phantom);
        QCOMPARE(sent[0].payload, QByteArray::fromHex("0400"));
        QCOMPARE(sent[1].code, code::InputGain);
        QCOMPARE(sent[1].payload, QByteArray(1, 4) + f32Bytes(0.0f));
        QCOMPARE(sent[2].code, code::InputMode);
        QCOMPARE(sent[2].payload, QByteArray::fromHex("0401"));
        QVERIFY(!editor->phantomButton(4)->isEnabled());
        QVERIFY(!editor->phantomButton(4)->isChecked());
        QCOMPARE(editor->gainKnob(4)->maximum(), 120);
        QCOMPARE(editor->gainEdit(4)->text(), QStringLiteral("0.0"));
        QCOMPARE(int(in.inputMode), 1);
        QCOMPARE(int(in.phantom), 0);
        QCOMPARE(in.inputGain, 0.0f);

        // A line gain typed beyond 12 dB stops there; the unit's own changes show.
        type(editor->gainEdit(4), QStringLiteral("30"));
        QCOMPARE(editor->gainEdit(4)->text(), QStringLiteral("12.0"));
        settle();
        QCOMPARE(in.inputGain, 12.0f);
        unit().inputs[6].inputMute = 1;
        run(500);
        QVERIFY(editor->muteButton(6)->isChecked());
        editor->muteButton(6)->click();
        settle();
        QCOMPARE(int(unit().inputs[6].inputMute), 0);
    }

    // Dante inputs of the profile take line sources only: the unit's microphone mode is turned
    // to line and neither "Mic" nor 48 V can be pressed; the factory 48 V switch leaves them.
    void danteInputsAreLineOnly()
    {
        InSetupWidget* editor = m_page->inSetupWidget();
        unit().inputs[13].inputMode = 0;
        unit().inputs[13].inputGain = 20.0f;
        run(500);
        QCOMPARE(int(m_model->input(13).inputMode), 0);
        DeviceProfile profile;
        profile.danteInputs = 0xF000;
        m_page->setProfile(profile);
        QVERIFY(!editor->micButton(13)->isEnabled());
        QVERIFY(!editor->phantomButton(13)->isEnabled());
        QVERIFY(editor->lineButton(13)->isChecked());
        settle();
        QCOMPARE(int(unit().inputs[13].inputMode), 1);
        QCOMPARE(unit().inputs[13].inputGain, 0.0f);

        unit().inputs[2].inputMode = 1;
        run(500);
        QVERIFY(!m_page->inSetupWidget()->micButton(2)->isChecked());
        m_page->setAllPhantomPower(true);
        settle();
        QCOMPARE(int(unit().inputs[2].inputMode), 0);
        QCOMPARE(int(unit().inputs[2].phantom), 1);
        QCOMPARE(int(unit().inputs[13].inputMode), 1);
        QCOMPARE(int(unit().inputs[13].phantom), 0);
        QVERIFY(editor->phantomButton(2)->isChecked());
        m_page->setAllPhantomPower(false);
        settle();
        QCOMPARE(int(unit().inputs[2].phantom), 0);
        m_page->setProfile(DeviceProfile{});
        QVERIFY(editor->micButton(13)->isEnabled());
    }

    void feedback()
    {
        FeedbackWidget* editor = m_page->feedbackWidget();
        showPage(EditorPage::Feedback);
        editor->enabledButton(2)->click();
        settle();
        QCOMPARE(int(unit().inputs[2].feedback), 1);
        unit().inputs[5].feedback = 1;
        run(500);
        QVERIFY(editor->enabledButton(5)->isChecked());
        DeviceProfile profile;
        profile.hiddenInputs = 0xFFF0;
        m_page->setProfile(profile);
        QVERIFY(editor->column(4)->isHidden());
        QVERIFY(!editor->column(3)->isHidden());
        m_page->setProfile(DeviceProfile{});
    }

    // 200 m typed for an output is 102 m, 300 ms, 334.642 ft and the knob at 30000; the input
    // instance reaches a second.
    void delays()
    {
        DelayWidget* editor = m_page->outDelayWidget();
        showPage(EditorPage::OutputDelay);
        editor->metersBox(3)->setValue(200.0);
        QCOMPARE(editor->metersBox(3)->value(), 102.0);
        QCOMPARE(editor->millisecondsBox(3)->value(), 300.0);
        QCOMPARE(editor->feetBox(3)->value(), 334.642);
        QCOMPARE(editor->delayKnob(3)->value(), 30000);
        settle();
        QCOMPARE(float(unit().outputs[3].delay), 300.0f);
        unit().outputs[7].delay = 150.0f;
        run(500);
        QCOMPARE(editor->millisecondsBox(7)->value(), 150.0);
        QCOMPARE(editor->metersBox(7)->value(), 51.0);

        DelayWidget* inputs = m_page->inDelayWidget();
        QVERIFY(!inputs->isVisible());
        QCOMPARE(inputs->channelCount(), kInputStrips);
        QCOMPARE(inputs->millisecondsBox(2)->maximum(), 1000.0);
        inputs->feetBox(2)->setValue(2000.0);
        QCOMPARE(inputs->millisecondsBox(2)->value(), 1000.0);
        QCOMPARE(inputs->delayKnob(2)->value(), 100000);
        settle();
        QCOMPARE(float(unit().inputs[2].delay), 1000.0f);
    }

    // The switch names its state; a level or a microphone sends the whole block in the unit's
    // format; the unit's block shows.
    void echoCancellation()
    {
        AECWidget* editor = m_page->aecWidget();
        showPage(EditorPage::EchoCancellation);
        QCOMPARE(editor->enabledButton()->text(), QStringLiteral("Disabled"));
        editor->enabledButton()->click();
        QCOMPARE(editor->enabledButton()->text(), QStringLiteral("Enabled"));
        const int from = mark();
        editor->levelButtons()->button(2)->click();
        editor->localMicCheckBox(3)->click();
        settle();
        QCOMPARE(int(unit().aecOn), 1);
        QCOMPARE(int(unit().aec[0]), 2);
        QCOMPARE(int(unit().aec[4]), 1);
        const auto blocks = m_session->since(from, code::EchoCancellationSettings);
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks.last().payload.size(),
                 isNarrowFormat(m_model->formatGeneration()) ? 17 : 19);

        unit().aec[6] = 1;
        unit().aec[0] = 3;
        run(500);
        QVERIFY(editor->localMicCheckBox(5)->isChecked());
        QCOMPARE(editor->levelButtons()->checkedId(), 3);
        QCOMPARE(editor->diagram()->findChildren<QLabel*>(QStringLiteral("aecCaption")).size(), 7);
    }

    // A weight typed as 20 is 12.0; the groups, their switches and the reset reach the unit;
    // the meters show what the unit measures.
    void autoMixer()
    {
        AutoMixerWidget* editor = m_page->autoMixerWidget();
        showPage(EditorPage::AutoMixer);
        type(editor->weightEdit(4), QStringLiteral("20"));
        QCOMPARE(editor->weightEdit(4)->text(), QStringLiteral("12.0"));
        QCOMPARE(editor->weightSlider(4)->value(), 120);
        editor->weightSlider(5)->setValue(-35);
        QCOMPARE(editor->weightEdit(5)->text(), QStringLiteral("-3.5"));
        editor->groupButton(0, 1)->click();
        editor->groupButton(2, 1)->click();
        editor->groupButton(2, 2)->click();
        QVERIFY(!editor->groupButton(2, 1)->isChecked());
        editor->groupButton(3, 1)->click();
        editor->enabledButton(0)->click();
        editor->enabledButton(1)->click();
        settle();
        QCOMPARE(unit().inputs[4].amWeight, 12.0f);
        QCOMPARE(unit().inputs[5].amWeight, -3.5f);
        QCOMPARE(int(unit().inputs[0].amGroup), 1);
        QCOMPARE(int(unit().inputs[2].amGroup), 2);
        QCOMPARE(int(unit().inputs[3].amGroup), 1);
        QCOMPARE(int(unit().autoMixerEnabled[0]), 1);
        QCOMPARE(int(unit().autoMixerEnabled[1]), 1);

        run(1000);
        const auto& meters = m_model->autoMixer().gainMeter;
        bool heard = false;
        for (int ch = 0; ch < AutoMixerWidget::kChannels; ++ch) {
            QCOMPARE(editor->attenuationMeter(ch)->value(), int(meters[std::size_t(ch)]));
            QCOMPARE(editor->levelMeter(ch)->value(), int(meters[std::size_t(16 + ch)]));
            heard |= meters[std::size_t(16 + ch)] > -100;
        }
        QVERIFY(heard);

        // The reset asks first.
        editor->resetButton()->click();
        auto* box = editor->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(),
                 QStringLiteral("Are you sure that you want to reset the auto mixer?"));
        QPushButton* reset = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == QLatin1String("Reset"))
                reset = qobject_cast<QPushButton*>(b);
        }
        QVERIFY(reset);
        reset->click();
        QVERIFY(!editor->groupButton(0, 1)->isChecked());
        QCOMPARE(editor->weightEdit(4)->text(), QStringLiteral("0.0"));
        settle();
        QCOMPARE(unit().inputs[4].amWeight, 0.0f);
        QCOMPARE(int(unit().inputs[0].amGroup), 0);
        QCOMPARE(int(unit().autoMixerEnabled[0]), 0);

        // The unit's own weights show.
        unit().inputs[9].amWeight = -6.5f;
        run(500);
        QCOMPARE(editor->weightEdit(9)->text(), QStringLiteral("-6.5"));
    }

    void autoMixerInstructionsAndProfile()
    {
        AutoMixerWidget* editor = m_page->autoMixerWidget();
        editor->infoButton()->click();
        QVERIFY(editor->infoDialog());
        QCOMPARE(editor->infoDialog()->windowTitle(), QStringLiteral("Instructions"));
        const QString expected = QStringLiteral(
            "1. Features two independent automix groups.\n"
            "2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.\n"
            "3. Use the fader to modify the priority of the volume assigned to the channel.\n"
            "    In general, which channel's voice is important, its weight is assigned more. "
            "Normally, the default is 0.\n"
            "4. Click the \"AM X Enabled\" button to enable or disable automix group X.\n"
            "5. The upper and lower meters indicate the attenuation and the level after "
            "attenuation.");
        QCOMPARE(AutoMixerInfoDialog::instructions(), expected);
        QCOMPARE(
            editor->infoDialog()->findChild<QLabel*>(QStringLiteral("instructionsHeading"))->text(),
            QStringLiteral("Instructions for using automix"));
        editor->infoDialog()->close();

        // The 8 x 8 profile: inputs 10 and up are hidden, input 9 is the USB play input.
        DeviceProfile profile;
        profile.hiddenInputs = 0xFFFFFE00;
        profile.usbPlayInput = 8;
        m_page->setProfile(profile);
        QVERIFY(!editor->strip(7)->isHidden());
        QVERIFY(editor->strip(8)->isHidden());
        QVERIFY(editor->strip(12)->isHidden());
        m_page->setProfile(DeviceProfile{});
        QVERIFY(!editor->strip(8)->isHidden());
    }

    // The frequency is only for a sine, and up to 24 kHz; the generator unmuted and routed to
    // an output is heard there and nowhere else.
    void signalGenerator()
    {
        SignalGeneratorWidget* editor = m_page->signalGeneratorWidget();
        showPage(EditorPage::SignalGenerator);
        QVERIFY(editor->muteButton()->isChecked());
        editor->typeButtons()->button(SignalGeneratorWidget::PinkNoise)->click();
        QVERIFY(editor->freqEdit()->isReadOnly());
        QVERIFY(!editor->freqKnob()->isEnabled());
        const float before = unit().generator.frequency;
        type(editor->freqEdit(), QStringLiteral("5000"));
        QCOMPARE(editor->freqEdit()->text(), QString::number(qRound(before)));

        editor->typeButtons()->button(SignalGeneratorWidget::SineWave)->click();
        QVERIFY(!editor->freqEdit()->isReadOnly());
        QVERIFY(editor->freqKnob()->isEnabled());
        type(editor->freqEdit(), QStringLiteral("30000"));
        QCOMPARE(editor->freqEdit()->text(), QStringLiteral("24000"));
        QCOMPARE(editor->freqKnob()->value(), 24000);
        type(editor->gainEdit(), QStringLiteral("-6"));
        editor->outputButton(3)->click();
        editor->muteButton()->click();
        settle();
        QCOMPARE(int(unit().generator.type), 1);
        QCOMPARE(unit().generator.frequency, 24000.0f);
        QCOMPARE(float(unit().generator.gain), -6.0f);
        QCOMPARE(int(unit().generator.routing[3]), 1);
        QCOMPARE(int(unit().generator.on), 1);
        run(500);
        QVERIFY2(m_model->output(3).preFaderMeter > -20,
                 qPrintable(QString::number(m_model->output(3).preFaderMeter)));
        QCOMPARE(int(m_model->output(4).preFaderMeter), -100);

        // Muted again, the output falls silent; the unit's type shows.
        editor->muteButton()->click();
        unit().generator.type = 2;
        settle();
        run(500);
        QCOMPARE(int(m_model->output(3).preFaderMeter), -100);
        QCOMPARE(editor->typeButtons()->checkedId(), int(SignalGeneratorWidget::WhiteNoise));
        QVERIFY(editor->freqEdit()->isReadOnly());
    }

    // Noise reduction has no page: its edits reach the unit, and a report shows once.
    void noiseReduction()
    {
        ANCWidget* editor = m_page->ancWidget();
        QVERIFY(!editor->isVisible());
        editor->channelButtons()->button(5)->click();
        editor->levelButtons()->button(2)->click();
        settle();
        QCOMPARE(int(unit().ancChannel), 5);
        QCOMPARE(int(unit().ancLevel), 2);

        unit().ancChannel = 7;
        unit().ancLevel = 3;
        m_model->sendQuery(code::NoiseReduction);
        run(100);
        QCOMPARE(editor->shownChannel(), 7);
        QCOMPARE(editor->shownLevel(), 3);
        QVERIFY(!editor->loadNoiseReduction());
        // Back on input 6 its own level is shown.
        editor->channelButtons()->button(5)->click();
        QCOMPARE(editor->shownLevel(), 2);
    }
};

KV_TEST_MAIN(TestConferenceEditors)
#include "tst_conferenceeditors.moc"
