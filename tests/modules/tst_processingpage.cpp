// The processing page and the filter editor against a virtual unit on loopback: the visible
// page and channel decide what the refresh reads; a handle dragged in the graph reaches the
// unit at most once per queue period with its latest value and is not pulled back by the
// unit's reports; copies and resets reach the other channels at the unit and on screen; the
// copy dialog follows the unit's format and the profile; the editor's typing rules and loaders.
#define QTEST_QPA_MOUSE_HANDLING
#include "buttonrow.h"
#include "channelbar.h"
#include "channelcopydialog.h"
#include "controlaccessible.h"
#include "datamodel.h"
#include "filtergraph.h"
#include "filtergraphscale.h"
#include "filterwidget.h"
#include "knob.h"
#include "modulepage.h"
#include "modulewidget.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QAccessible>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace wire;

namespace {

QPushButton* findButton(QWidget* parent, const QString& text)
{
    const auto buttons = parent->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

template <typename T = QLineEdit> T* named(QWidget* editor, const char* name)
{
    return editor->findChild<T*>(QLatin1String(name));
}

void type(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

} // namespace

class TestProcessingPage : public QObject
{
    Q_OBJECT

    using Packet = UnitSession::Packet;

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<ModuleWidget> m_page;

    FilterWidget* inFilter() const { return m_page->inFilterWidget(); }
    FilterWidget* outFilter() const { return m_page->outFilterWidget(); }
    UnitState::Input& unitInput(int ch)
    {
        return m_session->unit().state().dsp.inputs[std::size_t(ch)];
    }
    UnitState::Output& unitOutput(int ch)
    {
        return m_session->unit().state().dsp.outputs[std::size_t(ch)];
    }
    void run(int ms) { m_session->run(ms); }
    bool settle() { return m_session->settle(); }
    int mark() const { return m_session->mark(); }
    QList<Packet> since(int from, Code code, quint8 access = AccessWrite) const
    {
        return m_session->since(from, code, access);
    }

    QPoint handleCentre(FilterWidget* editor, double freq, double gain) const
    {
        const FilterGraphScale scale(editor->graph()->width(), editor->graph()->height());
        return QPoint(qRound(scale.xAt(freq)), qRound(scale.yAt(gain)));
    }

    void showPage(EditorPage page) { m_page->pageButton(page)->click(); }

private slots:
    void initTestCase()
    {
        ControlAccessible::install();
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        QList<int> progress;
        m_page = std::make_unique<ModuleWidget>(*m_model, *m_router,
                                                [&progress](int p) { progress << p; });
        QCOMPARE(progress, (QList<int>{55, 60, 65, 70, 75, 80, 85, 90, 95}));
        m_page->resize(1100, 520);
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

    // Every test starts after the echo hold of the last one, in line with the unit.
    void init() { run(1700); }

    // The row of page buttons, and what the refresh reads for the page on show.
    void visiblePageAndChannelReachTheRefresh()
    {
        QVERIFY(m_page->pageButton(EditorPage::InputSetup)->isChecked());
        QCOMPARE(m_page->pageButton(EditorPage::InputSetup)->property("horizontalButtonPosition"),
                 QVariant(QStringLiteral("first")));
        QCOMPARE(m_page->pageButton(EditorPage::Matrix)->property("horizontalButtonPosition"),
                 QVariant(QStringLiteral("middle")));
        QCOMPARE(m_page->pageButton(EditorPage::OutputDelay)->property("horizontalButtonPosition"),
                 QVariant(QStringLiteral("last")));
        QCOMPARE(m_page->pageButton(EditorPage::SignalGenerator)->text(),
                 QStringLiteral("Signal Generator"));

        showPage(EditorPage::InputFilter);
        inFilter()->channelBar()->button(5)->click();
        QCOMPARE(m_model->currentPage(), int(EditorPage::InputFilter));
        QCOMPARE(m_model->currentPageChannel(), 5);
        const int from = mark();
        run(450);
        const auto hpfReads = since(from, code::InputHpf, AccessRead);
        QVERIFY(!hpfReads.isEmpty());
        for (const Packet& p : hpfReads)
            QCOMPARE(p.payload, QByteArray(1, 5));
        QCOMPARE(since(from, code::InputPeq, AccessRead).size(), 2 * kPeqBands);

        // A page without a selector leaves the channel alone; the output filter has its own.
        showPage(EditorPage::Matrix);
        QCOMPARE(m_model->currentPage(), int(EditorPage::Matrix));
        QCOMPARE(m_model->currentPageChannel(), 5);
        outFilter()->setChannel(2);
        QCOMPARE(m_model->currentPageChannel(), 5);
        showPage(EditorPage::OutputFilter);
        QCOMPARE(m_model->currentPageChannel(), 2);
        const int outFrom = mark();
        run(250);
        QVERIFY(!since(outFrom, code::OutputLpf, AccessRead).isEmpty());
        QCOMPARE(since(outFrom, code::OutputLpf, AccessRead).last().payload, QByteArray(1, 2));
    }

    // A band dragged for a second: the curve follows every step, the unit hears the band at
    // most once per queue period and last with where it was let go, and its reports do not
    // pull the handle back.
    void draggedBandReachesTheUnitWithoutComingBack()
    {
        showPage(EditorPage::InputFilter);
        inFilter()->channelBar()->button(0)->click();
        run(300);
        FilterGraph* graph = inFilter()->graph();
        const PEQ before = m_model->input(0).peq[2];
        QPoint at = handleCentre(inFilter(), double(before.freq), double(before.gain));
        const int from = mark();
        QTest::mousePress(graph, Qt::LeftButton, Qt::NoModifier, at);
        double lastPeak = 0.0;
        for (int step = 1; step <= 50; ++step) {
            at += QPoint(2, -2);
            QTest::mouseMove(graph, at);
            const double peak =
                *std::max_element(graph->response().begin(), graph->response().end());
            QVERIFY2(peak > lastPeak, qPrintable(QString::number(step)));
            lastPeak = peak;
            const FilterBand held = graph->band(2);
            run(20);
            // Whatever the unit reports meanwhile, the handle stays under the pointer.
            QCOMPARE(graph->band(2).gain, held.gain);
            QCOMPARE(graph->band(2).freq, held.freq);
        }
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(inFilter()->selectedBand(), 2);
        const PEQ dragged = m_model->input(0).peq[2];
        QVERIFY(dragged.gain > before.gain + 5.0f);
        QCOMPARE(named(inFilter(), "peqGainEdit")->text(),
                 QString::number(double(dragged.gain), 'f', 1));

        run(300);
        QVERIFY(settle());
        const auto sent = since(from, code::InputPeq);
        QVERIFY2(sent.size() >= 4 && sent.size() <= 7, qPrintable(QString::number(sent.size())));
        for (int i = 1; i < sent.size(); ++i)
            QVERIFY2(sent[i].at - sent[i - 1].at >= 180, qPrintable(QString::number(i)));
        QByteArray last(2, 0);
        last[1] = 2;
        last.append(reinterpret_cast<const char*>(&dragged), sizeof dragged);
        QCOMPARE(sent.last().payload, last);
        const PEQ atUnit = unitInput(0).peq[2];
        QCOMPARE(float(atUnit.freq), float(dragged.freq));
        QCOMPARE(float(atUnit.gain), float(dragged.gain));

        // Past the hold the refresh reads the unit again; the handle stays.
        run(2500);
        QCOMPARE(graph->band(2).freq, float(dragged.freq));
        QCOMPARE(graph->band(2).gain, float(dragged.gain));
    }

    // A band dragged while another is selected is selected first, then sent.
    void draggingAnotherBandSelectsItFirst()
    {
        showPage(EditorPage::InputFilter);
        inFilter()->peqBandButtonGroupButtonClicked(0);
        QStringList order;
        connect(inFilter(), &FilterWidget::peqBandChanged, this,
                [&order](uchar, uchar band) { order << QStringLiteral("band %1").arg(band); });
        connect(inFilter(), &FilterWidget::peqChanged, this,
                [&order](uchar, uchar band, DataModel::Filter::PEQ*) {
                    order << QStringLiteral("peq %1").arg(band);
                });
        const PEQ third = m_model->input(0).peq[3];
        const QPoint at = handleCentre(inFilter(), double(third.freq), double(third.gain));
        QTest::mousePress(inFilter()->graph(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(inFilter()->graph(), at + QPoint(0, 20));
        QTest::mouseRelease(inFilter()->graph(), Qt::LeftButton, Qt::NoModifier,
                            at + QPoint(0, 20));
        disconnect(inFilter(), nullptr, this, nullptr);
        QCOMPARE(order.mid(0, 2), (QStringList{"band 3", "peq 3"}));
        QCOMPARE(inFilter()->selectedBand(), 3);
        QVERIFY(m_model->input(0).peq[3].gain < 0.0f);
    }

    // Typed values follow the editor's rules and reach the model; loaders of other channels
    // and other bands change only what they show.
    void typingAndLoading()
    {
        showPage(EditorPage::InputFilter);
        inFilter()->channelBar()->button(1)->click();
        QLineEdit* hpf = named(inFilter(), "hpfFreqEdit");
        QLineEdit* gain = named(inFilter(), "peqGainEdit");
        type(hpf, QStringLiteral("1234.56"));
        QCOMPARE(float(m_model->input(1).hpf.freq), 1234.5f);
        QCOMPARE(hpf->text(), QStringLiteral("1234.5"));
        QCOMPARE(named<Knob>(inFilter(), "hpfFreqKnob")->value(), 119);
        type(hpf, QStringLiteral("30000"));
        QCOMPARE(float(m_model->input(1).hpf.freq), 20000.0f);
        type(gain, QStringLiteral("-20"));
        QCOMPARE(float(m_model->input(1).peq[std::size_t(inFilter()->selectedBand())].gain),
                 -15.0f);
        QCOMPARE(gain->text(), QStringLiteral("-15.0"));
        named<Knob>(inFilter(), "peqGainKnob")->setValue(-37);
        emit named<Knob>(inFilter(), "peqGainKnob")->valueChanged(-37);
        QCOMPARE(gain->text(), QStringLiteral("-3.7"));
        type(gain, QStringLiteral("-15"));

        // Another channel: nothing; another band of this channel: the graph only.
        const FilterBand shown = inFilter()->graph()->band(inFilter()->selectedBand());
        inFilter()->loadBand(4, inFilter()->selectedBand(), PEQ{0, 1, 50.0f, 9.0f, 3});
        QCOMPARE(inFilter()->graph()->band(inFilter()->selectedBand()).freq, shown.freq);
        const int other = (inFilter()->selectedBand() + 1) % kPeqBands;
        inFilter()->loadBand(1, other, PEQ{1, 0, 6000.0f, 9.0f, 3});
        QCOMPARE(inFilter()->graph()->band(other).freq, 6000.0f);
        QCOMPARE(gain->text(), QStringLiteral("-15.0"));
        inFilter()->loadHpf(7, HLPF{1, 2, 5, 400.0f});
        QCOMPARE(hpf->text(), QStringLiteral("20000"));
    }

    // "All Enabled" sends exactly the bands that differ, and the toggle follows band edits.
    void allEnabledFollowsTheBands()
    {
        showPage(EditorPage::OutputFilter);
        outFilter()->channelBar()->button(4)->click();
        auto* all = named<QPushButton>(outFilter(), "peqAllEnabledButton");
        auto* bandEnabled = named<QPushButton>(outFilter(), "peqEnabledButton");
        QVERIFY(all->isChecked());
        outFilter()->peqBandButtonGroupButtonClicked(6);
        bandEnabled->click();
        QVERIFY(!all->isChecked());
        QVERIFY(!m_model->output(4).peq[6].enabled);
        run(200);
        QVERIFY(settle());
        const int from = mark();
        all->click();
        QVERIFY(all->isChecked());
        run(200);
        QVERIFY(settle());
        const auto sent = since(from, code::OutputPeq);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].payload.left(3), QByteArray::fromHex("040601"));
        QVERIFY(unitOutput(4).peq[6].enabled);
    }

    // The copy dialog hides what cannot be a target; a copy reaches the chosen channels at the
    // unit and on the other editor showing one of them; a reset brings the factory block.
    void copyAndResetReachTheUnit()
    {
        showPage(EditorPage::InputFilter);
        inFilter()->channelBar()->button(0)->click();
        outFilter()->setChannel(3);
        type(named(inFilter(), "hpfFreqEdit"), QStringLiteral("150"));
        run(300);

        // Nothing chosen: nothing sent.
        int from = mark();
        named<QPushButton>(inFilter(), "copyToButton")->click();
        ChannelCopyDialog* dialog = inFilter()->copyDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Filter Copy - Copy IN 1 to"));
        QVERIFY(!dialog->inputButton(0)->isEnabled());
        QVERIFY(dialog->isOutputGroupVisible());
        dialog->okButtonClicked();
        QTRY_VERIFY(!inFilter()->copyDialog());
        QVERIFY(settle());
        QVERIFY(since(from, code::InputFilterCopy).isEmpty());

        named<QPushButton>(inFilter(), "copyToButton")->click();
        dialog = inFilter()->copyDialog();
        dialog->inputButton(1)->click();
        dialog->outputButton(3)->click();
        dialog->okButtonClicked();
        QVERIFY(settle());
        const auto copies = since(from, code::InputFilterCopy);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].payload, QByteArray::fromHex("0002000800"));
        QCOMPARE(float(unitInput(1).hpf.freq), 150.0f);
        QCOMPARE(float(unitOutput(3).hpf.freq), 150.0f);
        QCOMPARE(named(outFilter(), "hpfFreqEdit")->text(), QStringLiteral("150"));
        // The bar still shows the source alone as the one checked.
        QCOMPARE(inFilter()->channelBar()->current(), 0);
        inFilter()->channelBar()->button(1)->click();
        QVERIFY(!inFilter()->channelBar()->button(0)->isChecked());
        QCOMPARE(named(inFilter(), "hpfFreqEdit")->text(), QStringLiteral("150"));

        // Reset of input 2 after the question.
        from = mark();
        named<QPushButton>(inFilter(), "resetButton")->click();
        auto* box = inFilter()->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Are you sure that you want to reset the filter of "
                                             "the selected channel?"));
        findButton(box, QStringLiteral("Reset"))->click();
        QVERIFY(settle());
        QCOMPARE(since(from, code::InputFilterReset).size(), 1);
        QCOMPARE(float(unitInput(1).hpf.freq), 20.0f);
        QCOMPARE(float(m_model->input(1).hpf.freq), 20.0f);
        QCOMPARE(named(inFilter(), "hpfFreqEdit")->text(), QStringLiteral("20"));
        run(500);
        QCOMPARE(float(unitInput(0).hpf.freq), 150.0f);
    }

    // A channel bar polished while its first channel was chosen: once another is chosen, the
    // first must not look chosen in either appearance.
    void onlyTheChosenChannelLooksChosen()
    {
        for (const char* name : {"light.qss", "dark.qss"}) {
            QFile file(QStringLiteral(KV_QSS_DIR "/") + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            ChannelBar bar(wire::kInputStrips, QStringLiteral("IN "));
            bar.setStyleSheet(QString::fromUtf8(file.readAll()));
            bar.setHidden(0);
            bar.button(4)->click();
            const QImage image = bar.grab().toImage();
            // Above the text, inside the border.
            const auto fill = [&](int ch) {
                const QRect r = bar.button(ch)->geometry();
                return QColor(image.pixel(r.center().x(), r.top() + 3));
            };
            QCOMPARE(fill(0), fill(1));
            QVERIFY2(fill(4) != fill(0), name);
        }
    }

    // The wide format copies a filter within its side; the profile's hidden channels and USB
    // record output have no button, also when the profile changes with the dialog open.
    void copyDialogFollowsFormatAndProfile()
    {
        DataModel model;
        ReportRouter router(model);
        ModuleWidget page(model, router);
        DeviceProfile profile;
        profile.usbPlayInput = 16;
        profile.usbRecordOutput = 8;
        profile.hiddenInputs = 0xFFFE0000;
        profile.hiddenOutputs = 0xFFFFFE00;
        model.applyChannelConfiguration(16, 8, 1);
        page.setProfile(profile);
        FilterWidget* out = page.outFilterWidget();
        QVERIFY(out->channelBar()->button(8)->isHidden());
        QVERIFY(out->channelBar()->button(9)->isHidden());
        QVERIFY(!out->channelBar()->button(7)->isHidden());
        QCOMPARE(page.inFilterWidget()->channelBar()->button(16)->text(),
                 QStringLiteral("USB PLAY"));

        page.inFilterWidget()->copyToButtonClicked();
        ChannelCopyDialog* d = page.inFilterWidget()->copyDialog();
        QVERIFY(!d->isOutputGroupVisible());
        QVERIFY(d->isInputGroupVisible());
        d->reject();
        out->setChannel(2);
        out->copyToButtonClicked();
        d = out->copyDialog();
        QVERIFY(!d->isInputGroupVisible());
        QVERIFY(d->outputButton(8)->isHidden());
        QVERIFY(!d->outputButton(2)->isEnabled());
        d->outputButton(5)->click();
        profile.hiddenOutputs = 0xFFFFFE00u | (1u << 5); // output 5 goes away
        page.setProfile(profile);
        QVERIFY(d->outputButton(5)->isHidden());
        QSignalSpy copies(out, &FilterWidget::channelCopy);
        d->okButtonClicked();
        QCOMPARE(copies.count(), 0);
        QCOMPARE(d->outputMask(), 0u);

        // The narrow format shows both sides; the checked channel that goes away gives way to
        // the first one.
        model.applyChannelConfiguration(-1, -1, 0);
        page.setProfile(DeviceProfile{});
        out->copyToButtonClicked();
        QVERIFY(out->copyDialog()->isInputGroupVisible());
        QVERIFY(!out->copyDialog()->outputButton(8)->isHidden());
        out->copyDialog()->reject();
        out->setChannel(12);
        profile.hiddenOutputs = 0xFF00;
        profile.usbRecordOutput = -1;
        page.setProfile(profile);
        QCOMPARE(out->channel(), 0);
    }
    // A measurement tool's band file onto an output: ten filters onto eight bands, the two left
    // over listed before anything is sent; the bands reach the unit; an export reads back alike.
    void bandFilesReachTheUnit()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString text = QStringLiteral("Preamp: -3 dB\n");
        for (int f = 1; f <= 10; ++f)
            text += QStringLiteral("Filter %1: ON PK Fc %2 Hz Gain -%3.0 dB Q 2.00\n")
                        .arg(f)
                        .arg(100 * f)
                        .arg(f);
        const QString in = dir.filePath(QStringLiteral("room.txt"));
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        const QString out = dir.filePath(QStringLiteral("out3.txt"));
        QString next = in;
        outFilter()->setFileChooser([&next](bool, const QString&) { return next; });

        showPage(EditorPage::OutputFilter);
        outFilter()->channelBar()->button(2)->click();
        int from = mark();
        named<QPushButton>(outFilter(), "importBandsButton")->click();
        auto* box = outFilter()->findChild<QMessageBox*>(QStringLiteral("importBandsQuestion"));
        QVERIFY(box);
        QVERIFY(box->informativeText().contains(QStringLiteral("Filter 9: the unit has 8 bands")));
        QVERIFY(box->informativeText().contains(QStringLiteral("Filter 10: the unit has 8 bands")));
        QVERIFY(box->informativeText().contains(QStringLiteral("preamp")));
        run(300);
        QVERIFY(settle());
        QVERIFY(since(from, code::OutputPeq).isEmpty());

        QPushButton* sendButton = findButton(box, QStringLiteral("Send"));
        QVERIFY(sendButton);
        sendButton->click();
        run(300);
        QVERIFY(settle());
        QCOMPARE(since(from, code::OutputPeq).size(), 8);
        for (int b = 0; b < 8; ++b) {
            QCOMPARE(float(unitOutput(2).peq[std::size_t(b)].freq), float(100 * (b + 1)));
            QCOMPARE(float(unitOutput(2).peq[std::size_t(b)].gain), float(-(b + 1)));
            QCOMPARE(int(unitOutput(2).peq[std::size_t(b)].enabled), 1);
        }
        // The editor shows the new values of its band at once.
        QCOMPARE(named(outFilter(), "peqGainEdit")->text(),
                 QStringLiteral("-%1.0").arg(outFilter()->selectedBand() + 1));

        next = out;
        named<QPushButton>(outFilter(), "exportBandsButton")->click();
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(written.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(7), QStringLiteral("Filter 8: ON PK Fc 800 Hz Gain -8.0 dB Q 2.00"));
    }
    // The editors' knobs read out as what they set, with the unit, in the user's words.
    void knobsReadOutTheirValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("limiter") << "Limiter Threshold"
                                 << "0.0 dB";
        QTest::newRow("gate") << "IN 2 Gate Threshold"
                              << "-65 dB";
        QTest::newRow("delay") << "OUT 1 Delay"
                               << "0.00 ms";
        QTest::newRow("generator") << "Generator Frequency"
                                   << "1000 Hz";
        QTest::newRow("input gain") << "IN 3 Gain"
                                    << "0.0 dBu";
    }

    void knobsReadOutTheirValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        Knob* knob = nullptr;
        for (Knob* k : m_page->findChildren<Knob*>()) {
            if (k->accessibleName() == name)
                knob = k;
        }
        QVERIFY2(knob, qPrintable(name));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(knob);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->text(QAccessible::Value), value);
    }
};

KV_TEST_MAIN(TestProcessingPage)
#include "tst_processingpage.moc"
