// The limiter, gate and AGC editors of the processing page against a virtual unit on loopback:
// typed and turned values follow the editors' rules and reach the unit; the unit's reports
// reach the editors; a dragged ratio handle limits hard; copies and resets reach the chosen
// channels at the unit; the gate's state lamp lights when the unit closes the gate.
#define QTEST_QPA_MOUSE_HANDLING
#include "agcgraph.h"
#include "agcwidget.h"
#include "channelbar.h"
#include "channelcopydialog.h"
#include "datamodel.h"
#include "gatewidget.h"
#include "knob.h"
#include "limitergraph.h"
#include "limiterwidget.h"
#include "modulewidget.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"
#include "wire/commands.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <type_traits>

using namespace wire;

namespace {

QPushButton* buttonWithText(QWidget* parent, const QString& text)
{
    const auto buttons = parent->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

// Types into an edit, or turns a knob as the user would: what the control's handler gets.
void enter(QLineEdit* edit, Knob* knob, const QString& input)
{
    if (knob) {
        knob->setValue(input.toInt());
        emit knob->valueChanged(knob->value());
    } else {
        edit->setText(input);
        emit edit->editingFinished();
    }
}

template <typename Record> float field(const Record& r, const QString& name)
{
    if (name == QLatin1String("threshold"))
        return r.threshold;
    if (name == QLatin1String("attack"))
        return r.attack;
    if (name == QLatin1String("decay"))
        return r.decay;
    if constexpr (std::is_same_v<Record, Gate>)
        return -1.0f;
    else if (name == QLatin1String("ratio"))
        return r.ratio;
    else if constexpr (std::is_same_v<Record, AGC>)
        return r.target;
    return -1.0f;
}

} // namespace

class TestDynamicsEditors : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<ModuleWidget> m_page;

    // A model logged in to a unit of the given channel profile, with the processing page shown.
    bool start(int profile = 0)
    {
        m_session = std::make_unique<UnitSession>(profile);
        QString error;
        if (!m_session->start(&error))
            return false;
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_page = std::make_unique<ModuleWidget>(*m_model, *m_router);
        m_page->resize(1300, 560);
        m_page->show();
        if (!QTest::qWaitForWindowExposed(m_page.get()))
            return false;
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        if (!QTest::qWaitFor([this] { return m_model->isLoggedIn(); }))
            return false;
        run(1000);
        return true;
    }

    UnitState::Input& unitInput(int ch) { return m_session->unit().state().dsp.inputs[ch]; }
    UnitState::Output& unitOutput(int ch) { return m_session->unit().state().dsp.outputs[ch]; }
    void run(int ms) { m_session->run(ms); }
    int mark() const { return m_session->mark(); }
    QList<UnitSession::Packet> since(int from, Code code) const
    {
        return m_session->since(from, code);
    }
    // Past the echo hold, with everything sent read by the unit.
    bool sentAndHeld()
    {
        run(1700);
        return m_session->settle();
    }
    void showPage(EditorPage page) { m_page->pageButton(page)->click(); }
    LimiterWidget* inLimiter() const { return m_page->inLimiterWidget(); }
    LimiterWidget* outLimiter() const { return m_page->outLimiterWidget(); }
    GateWidget* gate() const { return m_page->gateWidget(); }
    AGCWidget* agc() const { return m_page->agcWidget(); }

private slots:
    void cleanup()
    {
        m_page.reset();
        m_router.reset();
        if (m_session)
            m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    // Typed and turned limiter values of input 4 as shown, stored and held by the unit.
    void limiterValues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("stored");
        const auto row = [](const char* name, const char* control, const char* input,
                            const char* shown, float stored) {
            QTest::newRow(name) << QString(control) << QString(input) << QString(shown) << stored;
        };
        row("threshold 25", "thresholdEdit", "25", "18.0", 18.0f);
        row("threshold -150", "thresholdEdit", "-150", "-100.0", -100.0f);
        row("threshold floored", "thresholdEdit", "-12.37", "-12.4", -12.4f);
        row("threshold knob", "thresholdKnob", "-75", "-7.5", -7.5f);
        row("ratio 250", "ratioEdit", "250", "100", 100.0f);
        row("attack not a number", "attackEdit", "fast", "1", 1.0f);
        row("decay 2", "decayEdit", "2", "5", 5.0f);
        row("decay knob", "decayKnob", "640", "640", 640.0f);
    }

    // Gate controls of input 5: the value shown, stored and held by the unit, sent at once for
    // input 5 alone, and not at all when it did not change.
    void gateValues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("stored");
        QTest::addColumn<int>("commands");
        const auto row = [](const char* name, const char* control, const char* input,
                            const char* shown, float stored, int commands) {
            QTest::newRow(name) << QString(control) << QString(input) << QString(shown) << stored
                                << commands;
        };
        row("threshold -200", "thresholdEdit", "-200", "-120", -120.0f, 1);
        row("threshold knob", "thresholdKnob", "-30", "-30", -30.0f, 1);
        row("attack 2000", "attackEdit", "2000", "1000", 1000.0f, 1);
        row("decay 5, as it was", "decayEdit", "5", "20", 20.0f, 0);
        row("decay knob", "decayKnob", "500", "500", 500.0f, 1);
    }

    void gateValues()
    {
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(float, stored);
        QFETCH(int, commands);
        QVERIFY(start());
        showPage(EditorPage::Gate);
        const GateWidget::Column& column = gate()->column(5);
        const QString name = control.left(control.size() - 4);
        const DynamicsParameter& p = name == "threshold" ? column.threshold
                                     : name == "attack"  ? column.attack
                                                         : column.decay;
        const int from = mark();
        enter(p.edit(), control.endsWith("Knob") ? p.knob() : nullptr, input);
        QCOMPARE(p.edit()->text(), shown);
        QCOMPARE(field(m_model->input(5).gate, name), stored);
        QVERIFY(m_session->settle());
        const auto sent = since(from, code::Gate);
        QCOMPARE(sent.size(), commands);
        if (commands)
            QCOMPARE(int(sent[0].payload[0]), 5);
        QCOMPARE(field(unitInput(5).gate, name), stored);
        QCOMPARE(float(unitInput(4).gate.threshold), -65.0f);
    }

    // A quiet input's lamp lights once its gate threshold stands above its level and the unit
    // closes the gate, and goes dark again below it; hidden inputs have no column; a label the
    // unit reports names the column.
    void gateLampAndColumns()
    {
        QVERIFY(start());
        QFile sheet(QStringLiteral(KV_QSS_DIR "/light.qss"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        m_page->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        showPage(EditorPage::Gate);
        run(400);
        QLabel* lamp = gate()->column(7).state;
        const auto colour = [lamp] {
            return QColor(lamp->grab().toImage().pixel(lamp->width() / 2, lamp->height() / 2));
        };
        QCOMPARE(lamp->property("status").toString(), QStringLiteral("0"));
        const QColor dark = colour();

        enter(gate()->column(7).threshold.edit(), nullptr, "0");
        QVERIFY(sentAndHeld());
        run(400);
        QCOMPARE(lamp->property("status").toString(), QStringLiteral("1"));
        QVERIFY(colour() != dark);
        QCOMPARE(gate()->column(6).state->property("status").toString(), QStringLiteral("0"));
        enter(gate()->column(7).threshold.edit(), nullptr, "-120");
        QVERIFY(sentAndHeld());
        run(400);
        QCOMPARE(lamp->property("status").toString(), QStringLiteral("0"));
        QCOMPARE(colour(), dark);

        DeviceProfile profile;
        profile.hiddenInputs = 0x18000; // inputs 16 and 17
        m_page->setProfile(profile);
        QVERIFY(gate()->column(15).threshold.edit()->isHidden());
        QVERIFY(gate()->column(16).frame->isHidden());
        QVERIFY(!gate()->column(14).enabled->isHidden());
        deliver(*m_model, cmd::inputLabel(7, QStringLiteral("Pulpit")));
        QVERIFY(sentAndHeld());
        run(400);
        QCOMPARE(gate()->column(7).name->text(), QStringLiteral("Pulpit"));
        QCOMPARE(gate()->column(7).name->toolTip(), QStringLiteral("IN 8"));
    }

    // AGC controls of input 3, whose record the unit reports first: typed levels stay on their
    // side of each other, turned ones do not; each change reaches the unit once.
    void agcValues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<float>("stored");
        const auto row = [](const char* name, const char* control, const char* input,
                            const char* shown, const char* parameter, float stored) {
            QTest::newRow(name) << QString(control) << QString(input) << QString(shown)
                                << QString(parameter) << stored;
        };
        row("threshold above the target", "thresholdEdit", "-5", "-10.0", "threshold", -10.0f);
        row("threshold knob passes the target", "thresholdKnob", "-50", "-5.0", "threshold", -5.0f);
        row("target above 0 dB", "targetEdit", "3", "0.0", "target", 0.0f);
        row("ratio knob", "ratioKnob", "125", "12.5", "ratio", 12.5f);
        row("attack 5", "attackEdit", "5", "20", "attack", 20.0f);
    }

    void agcValues()
    {
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(QString, parameter);
        QFETCH(float, stored);
        QVERIFY(start());
        unitInput(3).agc = AGC{1, -40.0f, -10.0f, 4.0f, 300.0f, 300.0f};
        showPage(EditorPage::Agc);
        agc()->channelBar()->button(3)->click();
        run(400);
        QCOMPARE(agc()->findChild<QLineEdit*>("thresholdEdit")->text(), QStringLiteral("-40.0"));
        QCOMPARE(agc()->graph()->target(), -10.0f);

        const QString name = control.left(control.size() - 4);
        auto* edit = agc()->findChild<QLineEdit*>(name + "Edit");
        const int from = mark();
        enter(edit, control.endsWith("Knob") ? agc()->findChild<Knob*>(name + "Knob") : nullptr,
              input);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(field(m_model->input(3).agc, parameter), stored);
        QVERIFY(sentAndHeld());
        QCOMPARE(since(from, code::Agc).size(), 1);
        QCOMPARE(field(unitInput(3).agc, parameter), stored);
        // The graph never shows a target below the threshold.
        QVERIFY(agc()->graph()->target() >= agc()->graph()->threshold());
    }

    // The copy offers inputs only, without the hidden ones and the USB play input; its mask has
    // the width of the unit's format and reaches the unit; the reset brings the factory AGC.
    void agcCopyAndReset_data()
    {
        QTest::addColumn<int>("unitProfile");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("narrow") << 0 << QByteArray::fromHex("020180");
        QTest::newRow("wide") << 1 << QByteArray::fromHex("0201800000");
    }

    void agcCopyAndReset()
    {
        QFETCH(int, unitProfile);
        QFETCH(QByteArray, payload);
        QVERIFY(start(unitProfile));
        QCOMPARE(m_model->formatGeneration(), unitProfile == 1 ? kWideFormat : kNarrowFormat);
        DeviceProfile profile;
        profile.hiddenInputs = 1u << 9;
        profile.usbPlayInput = unitProfile == 1 ? 16 : -1;
        m_page->setProfile(profile);
        showPage(EditorPage::Agc);
        agc()->channelBar()->button(2)->click();
        enter(agc()->findChild<QLineEdit*>("thresholdEdit"), nullptr, "-44.5");
        run(300);

        const int from = mark();
        agc()->findChild<QPushButton*>("copyToButton")->click();
        ChannelCopyDialog* dialog = agc()->copyDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("AGC Copy - Copy IN 3 to"));
        QVERIFY(!dialog->isOutputGroupVisible());
        QVERIFY(dialog->inputButton(9)->isHidden());
        QCOMPARE(dialog->inputButton(16)->isHidden(), unitProfile == 1);
        QVERIFY(!dialog->inputButton(2)->isEnabled());
        dialog->inputButton(0)->click();
        dialog->inputButton(15)->click();
        dialog->okButtonClicked();
        QVERIFY(m_session->settle());
        const auto copies = since(from, code::AgcCopy);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].payload, payload);
        for (int ch : {0, 15}) {
            QCOMPARE(float(m_model->input(ch).agc.threshold), -44.5f);
            QCOMPARE(float(unitInput(ch).agc.threshold), -44.5f);
        }
        QCOMPARE(float(unitInput(1).agc.threshold), -30.0f);

        agc()->findChild<QPushButton*>("resetButton")->click();
        auto* box = agc()->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Are you sure that you want to reset the agc of the "
                                             "selected channel?"));
        buttonWithText(box, QStringLiteral("Reset"))->click();
        QVERIFY(m_session->settle());
        QCOMPARE(since(from, code::AgcReset).size(), 1);
        QCOMPARE(float(unitInput(2).agc.threshold), -30.0f);
        QCOMPARE(agc()->findChild<QLineEdit*>("thresholdEdit")->text(), QStringLiteral("-30.0"));
    }
};

KV_TEST_MAIN(TestDynamicsEditors)
#include "tst_dynamicseditors.moc"
