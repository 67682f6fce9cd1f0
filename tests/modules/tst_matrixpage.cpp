// The matrix page against a virtual unit on loopback (a 16 x 8 unit with USB, the wide format):
// a selection dragged over cells and a click on one of them reach the unit as one command per
// output; knob turns, header gestures, "All Mix" and "Reset" likewise; the unit's reports reload
// the cells they changed; headers follow labels and the profile; a routed input lights its
// output's meter; the keyboard moves over the cells and switches them, and screen readers hear
// each cell's input, output, state and gain.
#define QTEST_QPA_MOUSE_HANDLING
#include "controlaccessible.h"
#include "datamodel.h"
#include "knob.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "mixbutton.h"
#include "modulewidget.h"
#include "reportrouter.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"

#include <QAccessible>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>
#include <memory>

using namespace wire;

namespace {

const char* const kWideInputs = "000102030405060708090a0b0c0d0e0f1011";
const char* const kShownRows = "000102030405060708090a0b0c0d0e0f10"; // inputs 1..16, USB PLAY

DeviceProfile usbProfile(int inputs)
{
    DeviceProfile p;
    p.hiddenInputs = inputs == 16 ? 0xFFFE0000u : 0xFFFFFE00u;
    p.hiddenOutputs = 0xFFFFFE00u;
    p.usbPlayInput = inputs == 16 ? 16 : 8;
    p.usbRecordOutput = 8;
    return p;
}

QPushButton* buttonWithText(QWidget* box, const QString& text)
{
    const auto buttons = box->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

// Chinese for the one text a cell's name is made of.
class CellNameTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "MatrixTableWidget") == 0 && qstrcmp(source, "%1 to %2") == 0)
            return QStringLiteral("%1 到 %2");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

QPoint centreOf(QWidget* w)
{
    return w->rect().center();
}

} // namespace

class TestMatrixPage : public QObject
{
    Q_OBJECT

    using Packet = UnitSession::Packet;

    std::unique_ptr<UnitSession> m_session;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<ModuleWidget> m_page;

    MatrixWidget* matrix() const
    {
        return qobject_cast<MatrixWidget*>(m_page->page(EditorPage::Matrix));
    }
    MatrixTableWidget* table() const { return matrix()->table(); }
    MixButton* cell(int row, int column) const { return table()->button(row, column); }
    UnitState::Input& unitInput(int ch)
    {
        return m_session->unit().state().dsp.inputs[std::size_t(ch)];
    }
    void run(int ms) { m_session->run(ms); }
    int mark() const { return m_session->mark(); }
    // The payloads of one code received since `from`, in hex.
    QStringList sentSince(int from, Code code) const
    {
        QStringList payloads;
        for (const Packet& p : m_session->since(from, code))
            payloads << QString::fromLatin1(p.payload.toHex());
        return payloads;
    }

    // Every crosspoint off at 0 dB at the unit and on screen, as after a reset.
    void clearMatrix()
    {
        for (int i = 0; i < kInputCount; ++i) {
            unitInput(i).mixEnabled.fill(0);
            unitInput(i).mixGain.fill(0);
            m_model->input(i).mixEnabled.fill(false);
            m_model->input(i).mixGain.fill(0);
        }
        matrix()->loadAll();
    }

    void drag(int fromRow, int fromColumn, int toRow, int toColumn)
    {
        QTest::mousePress(cell(fromRow, fromColumn), Qt::LeftButton, Qt::NoModifier,
                          centreOf(cell(fromRow, fromColumn)));
        MixButton* to = cell(toRow, toColumn);
        QTest::mouseMove(to, centreOf(to));
        QTest::mouseRelease(to, Qt::LeftButton, Qt::NoModifier, centreOf(to));
    }

    void click(int row, int column)
    {
        QTest::mouseClick(cell(row, column), Qt::LeftButton, Qt::NoModifier,
                          centreOf(cell(row, column)));
    }

    void clickHeader(Qt::Orientation orientation, int section)
    {
        QHeaderView* h =
            orientation == Qt::Horizontal ? table()->horizontalHeader() : table()->verticalHeader();
        const int middle = h->sectionViewportPosition(section) + h->sectionSize(section) / 2;
        const QPoint at = orientation == Qt::Horizontal ? QPoint(middle, h->height() / 2)
                                                        : QPoint(h->width() / 2, middle);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void setKnobView(bool on)
    {
        if (table()->isKnobView() != on)
            QTest::mouseClick(table()->cornerButton(), Qt::LeftButton);
        QCOMPARE(table()->isKnobView(), on);
    }

private slots:
    void initTestCase()
    {
        ControlAccessible::install();
        m_session = std::make_unique<UnitSession>(1);
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        LinkSettings link;
        link.controlPort = m_session->unit().controlPort();
        link.broadcastPort = UnitSession::freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_session->setModel(m_model.get());
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_page = std::make_unique<ModuleWidget>(*m_model, *m_router);
        QVERIFY(matrix());
        m_model->applyChannelConfiguration(16, 8, 1);
        m_page->setProfile(usbProfile(16));
        // Wide enough for the widest page of the stack, so that every shown cell is in the window.
        m_page->resize(1700, 900);
        m_page->pageButton(EditorPage::Matrix)->click();
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));

        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        run(1000);
        QCOMPARE(m_model->formatGeneration(), kWideFormat);
    }

    void cleanupTestCase()
    {
        m_page.reset();
        m_router.reset();
        m_session->setModel(nullptr);
        m_model.reset();
        m_session.reset();
    }

    // Every test starts after the echo hold of the last one, from a cleared matrix.
    void init()
    {
        run(1700);
        clearMatrix();
        setKnobView(false);
        table()->select(-1, -1, -1, -1); // nothing selected
    }

    // A drag spans the selection; a click on a selected cell switches all of it, one command
    // per output; a click beside the selection only selects.
    void clickSwitchesTheSelection_data()
    {
        QTest::addColumn<QPoint>("from"); // (column, row)
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("clicked");
        QTest::addColumn<QStringList>("sent"); // [output, inputs...] without the value
        QTest::newRow("inputs 1-4 on output 2")
            << QPoint(1, 0) << QPoint(1, 3) << QPoint(1, 2) << QStringList{"0100010203"};
        QTest::newRow("outputs 1 and 2")
            << QPoint(0, 5) << QPoint(1, 6) << QPoint(0, 6) << QStringList{"000506", "010506"};
        QTest::newRow("dragged upwards and left")
            << QPoint(7, 9) << QPoint(5, 7) << QPoint(7, 7)
            << QStringList{"05070809", "06070809", "07070809"};
    }

    void clickSwitchesTheSelection()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPoint, clicked);
        QFETCH(QStringList, sent);
        drag(from.y(), from.x(), to.y(), to.x());
        const QRect area = QRect(from, to).normalized();
        for (int r = 0; r < MatrixTableWidget::kRows; ++r) {
            for (int c = 0; c < 9; ++c)
                QCOMPARE(cell(r, c)->isSelected(), area.contains(c, r));
        }
        const int corner = MatrixSelection::LeftEdge | MatrixSelection::TopEdge;
        QCOMPARE(cell(area.top(), area.left())->selectionEdges() & corner, corner);

        for (bool on : {true, false}) {
            const int before = mark();
            click(clicked.y(), clicked.x());
            QVERIFY(m_session->settle());
            QStringList expected;
            for (const QString& s : sent)
                expected << s + (on ? QStringLiteral("01") : QStringLiteral("00"));
            QCOMPARE(sentSince(before, code::MatrixEnable), expected);
            for (int r = 0; r < kInputCount; ++r) {
                for (int c = 0; c < kOutputCount; ++c) {
                    const bool hit = on && area.contains(c, r);
                    QCOMPARE(bool(unitInput(r).mixEnabled[std::size_t(c)]), hit);
                    QCOMPARE(m_model->input(r).mixEnabled[std::size_t(c)], hit);
                    if (r < MatrixTableWidget::kRows)
                        QCOMPARE(cell(r, c)->isChecked(), hit);
                }
            }
        }

        // Beside the selection a click selects that cell alone and sends nothing.
        const int before = mark();
        click(12, 4);
        QVERIFY(m_session->settle());
        QVERIFY(sentSince(before, code::MatrixEnable).isEmpty());
        QVERIFY(!cell(12, 4)->isChecked());
        QCOMPARE(table()->selection().selectedRows(), QByteArray(1, 12));
        QCOMPARE(table()->selection().selectedColumns(), QVector<int>{4});
    }

    // In the knob view a knob turned to the bottom shows -100 on every selected cell and sends
    // off (-70) for each output; the unit's later reports leave it there.
    void knobAtTheBottomIsOff()
    {
        drag(2, 3, 3, 4);
        setKnobView(true);
        QCOMPARE(table()->rowHeight(0), MatrixTableWidget::kKnobRowHeight);
        Knob* knob = table()->knob(2, 3);
        QVERIFY(knob->isVisible());
        QVERIFY(cell(2, 3)->isKnobView());

        const int before = mark();
        QTest::mousePress(knob, Qt::LeftButton, Qt::NoModifier, centreOf(knob));
        QTest::mouseMove(knob, centreOf(knob) + QPoint(0, 40));
        QTest::mouseMove(knob, centreOf(knob) + QPoint(0, 300));
        QTest::mouseRelease(knob, Qt::LeftButton, Qt::NoModifier, centreOf(knob) + QPoint(0, 300));
        for (int r : {2, 3}) {
            for (int c : {3, 4}) {
                QCOMPARE(table()->knob(r, c)->value(), -56);
                QCOMPARE(cell(r, c)->gain(), -100);
                QCOMPARE(table()->knob(r, c)->toolTip(), QStringLiteral("-100 dB"));
            }
        }
        QCOMPARE(table()->knob(4, 3)->value(), 0);
        run(300);
        QVERIFY(m_session->settle());
        // The last gain each output heard.
        QMap<QString, QString> last;
        for (const QString& g : sentSince(before, code::MatrixGain))
            last[g.left(2)] = g;
        QCOMPARE(last.values(), (QStringList{"030203ba", "040203ba"}));
        QCOMPARE(int(unitInput(3).mixGain[4]), -70);
        QCOMPARE(int(m_model->input(3).mixGain[4]), -56);

        run(2500);
        QCOMPARE(int(m_model->input(2).mixGain[3]), -56);
        QCOMPARE(table()->knob(2, 3)->value(), -56);
        setKnobView(false);
        QCOMPARE(table()->rowHeight(0), MatrixTableWidget::kButtonRowHeight);
        QVERIFY(!knob->isVisible());
        QCOMPARE(cell(2, 3)->gain(), -100);
    }

    // "Reset" reaches every crosspoint, the USB record output's too; "All Mix" leaves that
    // output as it was. Both ask first and list the inputs of the wide format.
    void allMixAndReset_data()
    {
        QTest::addColumn<bool>("mix");
        QTest::addColumn<QString>("answer");
        QTest::newRow("reset, cancelled") << false << "Cancel";
        QTest::newRow("reset") << false << "OK";
        QTest::newRow("all mix") << true << "OK";
    }

    void allMixAndReset()
    {
        QFETCH(bool, mix);
        QFETCH(QString, answer);
        // Input 4 feeds the USB record output at -10 dB.
        unitInput(3).mixEnabled[8] = 1;
        unitInput(3).mixGain[8] = -10;
        m_model->input(3).mixEnabled[8] = true;
        m_model->input(3).mixGain[8] = -10;
        matrix()->loadAll();

        const int before = mark();
        (mix ? matrix()->allMixButton() : matrix()->resetButton())->click();
        auto* box = matrix()->findChild<QMessageBox*>(QStringLiteral("matrixAllQuestion"));
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Are you sure that you want to %1 all the mixer and "
                                             "set their gain to 0dB?")
                                  .arg(mix ? "enable" : "disable"));
        buttonWithText(box, answer)->click();
        run(300);
        QVERIFY(m_session->settle());
        const bool done = answer == QLatin1String("OK");
        const QStringList enables = sentSince(before, code::MatrixEnable);
        QCOMPARE(enables.size(), done ? (mix ? kOutputCount - 1 : kOutputCount) : 0);
        QCOMPARE(sentSince(before, code::MatrixGain).size(), enables.size());
        if (done)
            QCOMPARE(enables.first(), QStringLiteral("00") + kWideInputs + (mix ? "01" : "00"));
        for (int i = 0; i < kInputCount; ++i) {
            for (int o = 0; o < kOutputCount; ++o) {
                const bool usbFed = i == 3 && o == 8;
                const bool kept = !done || (mix && o == 8);
                const bool on = kept ? usbFed : mix;
                QCOMPARE(bool(unitInput(i).mixEnabled[std::size_t(o)]), on);
                QCOMPARE(int(unitInput(i).mixGain[std::size_t(o)]), kept && usbFed ? -10 : 0);
                if (i < MatrixTableWidget::kRows)
                    QCOMPARE(cell(i, o)->isChecked(), on);
            }
        }
    }

    // Header clicks act on every shown cell of the column or row: switches after a question in
    // the button view, a gain from a small dialog in the knob view; one command per output.
    void headerGestures_data()
    {
        QTest::addColumn<bool>("column");
        QTest::addColumn<int>("section");
        QTest::addColumn<bool>("knobView");
        QTest::addColumn<int>("value"); // 1 "Enabled", 0 "Disabled", or a gain
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("sent"); // sorted payloads
        QStringList row2Off;
        QStringList row1Gain;
        for (int o = 0; o <= 8; ++o) {
            row2Off << QStringLiteral("0%1").arg(o) + "0200";
            row1Gain << QStringLiteral("0%1").arg(o) + "0106";
        }
        QTest::newRow("column on")
            << true << 4 << false << 1
            << "Are you sure that you want to enable or disable all the input channel mix to OUT 5?"
            << QStringList{QStringLiteral("04") + kShownRows + "01"};
        QTest::newRow("row off")
            << false << 2 << false << 0
            << "Are you sure that you want to enable or disable IN 3 mix to all the output "
               "channel?"
            << row2Off;
        QTest::newRow("column gain off")
            << true << 6 << true << -56 << "All the input channel mix to OUT 7"
            << QStringList{QStringLiteral("06") + kShownRows + "ba"};
        QTest::newRow("row gain") << false << 1 << true << 6 << "IN 2 mix to all the output channel"
                                  << row1Gain;
    }

    void headerGestures()
    {
        QFETCH(bool, column);
        QFETCH(int, section);
        QFETCH(bool, knobView);
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QStringList, sent);
        setKnobView(knobView);
        const int before = mark();
        clickHeader(column ? Qt::Horizontal : Qt::Vertical, section);
        if (knobView) {
            auto* dialog = table()->findChild<QInputDialog*>(QStringLiteral("matrixGainDialog"));
            QVERIFY(dialog);
            QCOMPARE(dialog->labelText(), text);
            dialog->setIntValue(value);
            // The bottom of the range reads as off.
            if (value == -56)
                QCOMPARE(dialog->findChild<QSpinBox*>()->text(), QStringLiteral("-100"));
            dialog->accept();
        } else {
            auto* box = table()->findChild<QMessageBox*>(QStringLiteral("matrixEnableQuestion"));
            QVERIFY(box);
            QCOMPARE(box->text(), text);
            buttonWithText(box, value ? QStringLiteral("Enabled") : QStringLiteral("Disabled"))
                ->click();
        }
        run(300);
        QVERIFY(m_session->settle());
        // Gains wait in the queue, one per output, which sends them in its own order.
        QStringList got = sentSince(before, knobView ? code::MatrixGain : code::MatrixEnable);
        got.sort();
        QCOMPARE(got, sent);
        // The unit's input 18 (the right side of USB play) has no row: no header reaches it.
        const int probe = column ? 16 : section;
        const int output = column ? section : 8;
        if (knobView) {
            QCOMPARE(table()->knob(probe, output)->value(), value);
            QCOMPARE(int(unitInput(probe).mixGain[std::size_t(output)]), value < -55 ? -70 : value);
        } else {
            QCOMPARE(cell(probe, output)->isChecked(), value != 0);
            QCOMPARE(int(unitInput(probe).mixEnabled[std::size_t(output)]), value);
        }
        QCOMPARE(int(unitInput(17).mixEnabled[4]), 0);
    }

    // A report reloads the cells it changed and no other.
    void reportsReloadTheirCells()
    {
        unitInput(4).mixEnabled[2] = 1;
        unitInput(4).mixGain[2] = -20;
        // A cell shown apart from the model: a reload of everything would put it right.
        table()->setCellEnabled(7, 5, true);
        run(1000);
        QVERIFY(cell(4, 2)->isChecked());
        QCOMPARE(cell(4, 2)->gain(), -20);
        QCOMPARE(table()->knob(4, 2)->value(), -20);
        QVERIFY(cell(7, 5)->isChecked());
        table()->setCellEnabled(7, 5, false);
    }

    // Headers name the channels and hide those the profile does not have; a selection over
    // hidden rows reaches the shown ones only.
    void headersFollowLabelsAndProfile()
    {
        QCOMPARE(table()->verticalHeaderItem(16)->text(), QStringLiteral("USB PLAY"));
        QCOMPARE(table()->horizontalHeaderItem(8)->text(), QStringLiteral("USB REC"));
        QVERIFY(table()->isColumnHidden(9));
        QVERIFY(!table()->isRowHidden(16));

        m_model->input(2).label = QStringLiteral("Lectern\nleft");
        m_model->sync(code::InputLabels);
        QCOMPARE(table()->verticalHeaderItem(2)->text(), QStringLiteral("Lectern left"));
        QCOMPARE(table()->verticalHeaderItem(2)->toolTip(), QStringLiteral("IN 3"));
        m_model->output(0).label = QStringLiteral("Hall");
        m_model->sync(code::OutputLabels, 0);
        QCOMPARE(table()->horizontalHeaderItem(0)->text(), QStringLiteral("Hall"));
        m_model->input(2).label.clear();
        m_model->output(0).label.clear();
        m_model->sync(code::InputLabels);
        QCOMPARE(table()->verticalHeaderItem(2)->text(), QStringLiteral("IN 3"));

        // The grid's Tab stop stays on a cell that is shown and leaves one that is hidden.
        click(16, 3);
        m_page->setProfile(usbProfile(16));
        QCOMPARE(table()->currentCell(), QPoint(3, 16));
        m_page->setProfile(usbProfile(8));
        QCOMPARE(table()->currentCell(), QPoint(0, 0));
        QCOMPARE(cell(0, 0)->focusPolicy(), Qt::TabFocus);
        QCOMPARE(cell(16, 3)->focusPolicy(), Qt::NoFocus);
        QVERIFY(table()->isRowHidden(9));
        QVERIFY(table()->isRowHidden(16));
        QVERIFY(!table()->isRowHidden(8));
        table()->select(6, 0, 12, 0);
        const int before = mark();
        click(7, 0);
        QVERIFY(m_session->settle());
        QCOMPARE(sentSince(before, code::MatrixEnable), QStringList{"0006070801"});
        QVERIFY(!unitInput(9).mixEnabled[0]);
        m_page->setProfile(usbProfile(16));
        QVERIFY(!table()->isRowHidden(12));
    }

    // The grid is one stop of the Tab chain. The arrows, Home and End move the focus and the
    // selection over the shown cells and keep them inside the grid at its edges (outputs 10-16
    // are hidden); Shift spans the selection. Space then switches what is selected at the unit.
    void keyboardMovesAndSwitches_data()
    {
        QTest::addColumn<QPoint>("start"); // (column, row)
        QTest::addColumn<QVector<int>>("keys");
        QTest::addColumn<QPoint>("focused");
        QTest::addColumn<QStringList>("sent"); // [output, inputs..., on]
        const int shift = int(Qt::ShiftModifier);
        using K = QVector<int>;
        // clang-format off
        QTest::newRow("right, down, down")   << QPoint(2, 3)  << K{Qt::Key_Right, Qt::Key_Down, Qt::Key_Down} << QPoint(3, 5)  << QStringList{"030501"};
        QTest::newRow("left at the edge")    << QPoint(0, 4)  << K{Qt::Key_Left, Qt::Key_Left}  << QPoint(0, 4)  << QStringList{"000401"};
        QTest::newRow("end, hidden outputs") << QPoint(1, 6)  << K{Qt::Key_End, Qt::Key_Right} << QPoint(8, 6)  << QStringList{"080601"};
        QTest::newRow("home")                << QPoint(6, 7)  << K{Qt::Key_Home}                << QPoint(0, 7)  << QStringList{"000701"};
        QTest::newRow("ctrl end")            << QPoint(1, 2)  << K{Qt::Key_End | int(Qt::ControlModifier)} << QPoint(8, 16) << QStringList{"081001"};
        QTest::newRow("shift spans")         << QPoint(1, 1)  << K{Qt::Key_Right | shift, Qt::Key_Down | shift} << QPoint(2, 2) << QStringList{"01010201", "02010201"};
        // clang-format on
    }

    void keyboardMovesAndSwitches()
    {
        QFETCH(QPoint, start);
        QFETCH(QVector<int>, keys);
        QFETCH(QPoint, focused);
        QFETCH(QStringList, sent);
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        // Arriving by Tab selects the cell.
        cell(start.y(), start.x())->setFocus(Qt::TabFocusReason);
        QCOMPARE(table()->selection().selectedRows(), QByteArray(1, char(start.y())));
        for (int key : keys) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        }
        MixButton* target = cell(focused.y(), focused.x());
        QCOMPARE(QApplication::focusWidget(), target);
        const int before = mark();
        QTest::keyClick(target, Qt::Key_Space);
        QVERIFY(m_session->settle());
        QCOMPARE(sentSince(before, code::MatrixEnable), sent);
        QVERIFY(unitInput(focused.y()).mixEnabled[std::size_t(focused.x())]);
        QVERIFY(target->isChecked());

        // Tab leaves the grid and Shift+Tab comes back to the same cell; a click on a cell
        // leaves the focus where it was.
        QTest::keyClick(target, Qt::Key_Tab);
        QVERIFY(!qobject_cast<MixButton*>(QApplication::focusWidget()));
        QWidget* outside = QApplication::focusWidget();
        click(10, 0);
        QCOMPARE(QApplication::focusWidget(), outside);
        QTest::keyClick(outside, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), cell(10, 0));
    }

    // Screen readers name a cell after the labels its row and column show, in the language of
    // the moment, and hear its state and gain; the knob of the knob view carries the same name.
    void cellsReadOutTheirChannels()
    {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(cell(2, 1));
        QCOMPARE(a->role(), QAccessible::CheckBox);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("IN 3 to OUT 2"));
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("0 dB"));
        unitInput(2).mixEnabled[1] = 1;
        unitInput(2).mixGain[1] = -70;
        run(1000);
        QVERIFY(a->state().checkable && a->state().checked);
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("-100 dB"));

        m_model->input(2).label = QStringLiteral("Lectern");
        m_model->output(1).label = QStringLiteral("Hall");
        m_model->sync(code::InputLabels);
        m_model->sync(code::OutputLabels, 1);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Lectern to Hall"));
        QCOMPARE(table()->knob(2, 1)->accessibleName(), QStringLiteral("Lectern to Hall"));
        // Names follow a change of language.
        CellNameTranslator chinese;
        QCoreApplication::installTranslator(&chinese);
        QTRY_COMPARE(a->text(QAccessible::Name), QStringLiteral("Lectern 到 Hall"));
        QCoreApplication::removeTranslator(&chinese);
        QTRY_COMPARE(a->text(QAccessible::Name), QStringLiteral("Lectern to Hall"));
    }

    // The unit's meters follow its matrix: an input routed to a silent output lights that
    // output's meter in the model within a second.
    void routedInputLightsItsOutput()
    {
        run(500);
        QCOMPARE(int(m_model->output(5).postFaderMeter), -100);
        click(3, 5);
        click(3, 5);
        QVERIFY(m_model->input(3).mixEnabled[5]);
        int waited = 0;
        while (m_model->output(5).postFaderMeter == -100 && waited < 1000) {
            run(50);
            waited += 50;
        }
        QVERIFY2(m_model->output(5).postFaderMeter > -100, qPrintable(QString::number(waited)));
        QCOMPARE(int(m_model->output(6).postFaderMeter), -100);
    }
};

KV_TEST_MAIN(TestMatrixPage)
#include "tst_matrixpage.moc"
