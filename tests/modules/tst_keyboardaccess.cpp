// Keyboard and screen-reader access of the filter graph's handles and the matrix cells: the
// digits choose a band and the arrow and page keys move it as a drag would; a cell acts on Space
// as on a released click; both read out through the accessibility interfaces.
#include "controlaccessible.h"
#include "filtergraph.h"
#include "mixbutton.h"
#include "testenvironment.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

class TestKeyboardAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ControlAccessible::install(); }

    void graphKeysMoveTheCurrentBand_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("gain");
        // Band 3 from 1000 Hz, -3 dB.
        // clang-format off
        QTest::newRow("right")      << int(Qt::Key_Right)    << 0                      << 1059.46 << -3.0;
        QTest::newRow("ctrl left")  << int(Qt::Key_Left)     << int(Qt::ControlModifier) << 500.0 << -3.0;
        QTest::newRow("up")         << int(Qt::Key_Up)       << 0                      << 1000.0  << -2.5;
        QTest::newRow("page down")  << int(Qt::Key_PageDown) << 0                      << 1000.0  << -6.0;
        QTest::newRow("home")       << int(Qt::Key_Home)     << 0                      << 20.0    << -3.0;
        QTest::newRow("end")        << int(Qt::Key_End)      << 0                      << 20000.0 << -3.0;
        // clang-format on
    }

    void graphKeysMoveTheCurrentBand()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(double, freq);
        QFETCH(double, gain);
        FilterGraph graph;
        graph.setPEQ(2, 0, 0, 1000.0f, -3.0f, 20);
        QSignalSpy band(&graph, &FilterGraph::currentBandChanged);
        QSignalSpy moved(&graph, &FilterGraph::peqChanged);
        QTest::keyClick(&graph, Qt::Key_3);
        QCOMPARE(graph.currentBand(), uchar(2));
        QCOMPARE(band.size(), 1);

        QTest::keyClick(&graph, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved[0][0].value<uchar>(), uchar(2));
        QVERIFY(qAbs(moved[0][1].toDouble() - freq) < 0.01 * freq);
        QCOMPARE(moved[0][2].toDouble(), gain);

        // At a limit a further press announces nothing.
        if (key == Qt::Key_Home) {
            QTest::keyClick(&graph, Qt::Key_Home);
            QCOMPARE(moved.size(), 1);
        }
    }

    void graphReadsOutTheCurrentBand()
    {
        FilterGraph graph;
        graph.setPEQ(0, 0, 0, 250.0f, 4.5f, 20);
        graph.setCurrentBand(0);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&graph);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("Band 1: 250 Hz, 4.5 dB"));
        QVERIFY(a->valueInterface());
        QCOMPARE(a->valueInterface()->currentValue().toDouble(), 250.0);
    }

    void cellActsOnSpace_data()
    {
        QTest::addColumn<bool>("selectedBefore");
        QTest::addColumn<int>("selectedSignals");
        QTest::addColumn<bool>("checkedAfter");
        QTest::newRow("a cell outside the selection asks for it") << false << 1 << false;
        QTest::newRow("a selected cell switches") << true << 0 << true;
    }

    void cellActsOnSpace()
    {
        QFETCH(bool, selectedBefore);
        QFETCH(int, selectedSignals);
        QFETCH(bool, checkedAfter);
        MixButton cell;
        cell.setGain(-6);
        cell.setSelection(selectedBefore, 0);
        QCOMPARE(cell.focusPolicy(), Qt::TabFocus);
        QSignalSpy selected(&cell, &MixButton::selected);
        QSignalSpy clicked(&cell, &MixButton::clicked);
        QTest::keyClick(&cell, Qt::Key_Space);
        QCOMPARE(selected.size(), selectedSignals);
        QCOMPARE(clicked.size(), selectedBefore ? 1 : 0);
        QCOMPARE(cell.isChecked(), checkedAfter);

        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&cell);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::CheckBox);
        QCOMPARE(a->state().checked, checkedAfter);
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("-6 dB"));
    }
};

KV_TEST_MAIN(TestKeyboardAccess)
#include "tst_keyboardaccess.moc"
