// DragScrollArea: the owner's scroll bars in step with the area both ways, dragging the content
// past the 9-pixel threshold, and the wheel.
#include "controltestsupport.h"
#include "dragscrollarea.h"
#include "testenvironment.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

namespace {
struct Fixture
{
    QWidget window;
    DragScrollArea* area = new DragScrollArea(&window);
    QWidget* content = new QWidget;
    QScrollBar* horizontal = new QScrollBar(Qt::Horizontal, &window);
    QScrollBar* vertical = new QScrollBar(Qt::Vertical, &window);

    Fixture()
    {
        content->setMinimumSize(1000, 800);
        area->setWidget(content);
        area->setScrollBars(horizontal, vertical);
        area->setGeometry(0, 0, 200, 150);
        window.resize(240, 190);
        window.show();
        area->horizontalScrollBar()->setValue(300);
        area->verticalScrollBar()->setValue(300);
    }
    QPoint scroll() const
    {
        return QPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
    }
};
} // namespace

class TestDragScrollArea : public QObject
{
    Q_OBJECT
private slots:
    void barsInStep()
    {
        Fixture f;
        QScrollBar* ownH = f.area->horizontalScrollBar();
        QScrollBar* ownV = f.area->verticalScrollBar();
        QVERIFY(!ownH->isVisible());
        QCOMPARE(f.horizontal->maximum(), 1000 - f.area->viewport()->width());
        QCOMPARE(f.vertical->maximum(), 800 - f.area->viewport()->height());
        QCOMPARE(f.horizontal->value(), 300);

        f.horizontal->setValue(120);
        QCOMPARE(ownH->value(), 120);
        ownV->setValue(77);
        QCOMPARE(f.vertical->value(), 77);

        f.horizontal->setSliderDown(true);
        QVERIFY(ownH->isSliderDown());
        f.horizontal->setSliderDown(false);
        QVERIFY(!ownH->isSliderDown());

        QSignalSpy resized(f.area, &DragScrollArea::resized);
        f.area->resize(400, 150);
        QCOMPARE(resized.count(), 1);
        QCOMPARE(f.horizontal->maximum(), 1000 - f.area->viewport()->width());
        QCOMPARE(f.horizontal->pageStep(), ownH->pageStep());
        f.content->setMinimumSize(300, 100);
        QCoreApplication::processEvents();
        QCOMPARE(f.horizontal->maximum(), 0);
        QCOMPARE(f.vertical->maximum(), 0);
    }

    void drag_data()
    {
        QTest::addColumn<bool>("horizontalOn");
        QTest::addColumn<bool>("verticalOn");
        QTest::addColumn<QList<QPoint>>("moves"); // with the left button held
        QTest::addColumn<QPoint>("expected");

        using P = QList<QPoint>;
        const auto row = [](const char* name, const P& moves, QPoint expected, bool h = true,
                            bool v = true) { QTest::newRow(name) << h << v << moves << expected; };
        row("the first move only records", {{150, 150}}, {300, 300});
        row("within 9 px nothing happens", {{100, 100}, {109, 91}, {91, 109}}, {300, 300});
        row("past 9 px the content follows the pointer", {{100, 100}, {110, 100}}, {290, 300});
        row("then every move scrolls", {{100, 100}, {110, 100}, {112, 97}}, {288, 303});
        row("horizontal only", {{100, 100}, {80, 80}, {70, 60}}, {330, 300}, true, false);
        row("vertical only", {{100, 100}, {80, 80}, {70, 60}}, {300, 340}, false, true);
        row("held at the ends", {{100, 100}, {2000, 2000}}, {0, 0});
    }
    void drag()
    {
        QFETCH(bool, horizontalOn);
        QFETCH(bool, verticalOn);
        QFETCH(QList<QPoint>, moves);
        QFETCH(QPoint, expected);

        Fixture f;
        f.area->setHorizontalScrollEnabled(horizontalOn);
        f.area->setVerticalScrollEnabled(verticalOn);
        // Positions in window coordinates: the content moves under the pointer as it scrolls.
        auto at = [&](QPoint p) { return f.content->mapFrom(&f.window, p); };
        press(f.content, at(moves.first()));
        for (const QPoint& p : moves)
            moveTo(f.content, at(p));
        QCOMPARE(f.scroll(), expected);
        QCOMPARE(QPoint(f.horizontal->value(), f.vertical->value()), expected);

        // Releasing ends the drag: the next press starts over with a fresh first move.
        release(f.content, at(moves.last()));
        press(f.content, at(QPoint(50, 50)));
        moveTo(f.content, at(QPoint(50, 50)));
        moveTo(f.content, at(QPoint(55, 45)));
        QCOMPARE(f.scroll(), expected);
    }

    // A click on the content leaves the keyboard focus where it was.
    void clickKeepsFocus()
    {
        Fixture f;
        auto* edit = new QLineEdit(&f.window);
        edit->move(0, 160);
        edit->show();
        QApplication::setActiveWindow(&f.window);
        edit->setFocus();
        QVERIFY(QTest::qWaitFor([edit] { return edit->hasFocus(); }));
        QTest::mouseClick(f.area->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(edit->hasFocus());
    }

    void wheel_data()
    {
        QTest::addColumn<bool>("horizontalOn");
        QTest::addColumn<bool>("verticalOn");
        QTest::addColumn<QList<QPoint>>("deltas");
        QTest::addColumn<QPoint>("notches"); // expected movement in single steps

        using D = QList<QPoint>;
        QTest::newRow("wheel down scrolls down") << true << true << D{{0, -120}} << QPoint(0, 1);
        QTest::newRow("wheel up two notches") << true << true << D{{0, 240}} << QPoint(0, -2);
        QTest::newRow("two notches in two events")
            << true << true << D{{0, -120}, {0, -120}} << QPoint(0, 2);
        QTest::newRow("sideways wheel") << true << true << D{{-120, 0}} << QPoint(1, 0);
        QTest::newRow("sideways in two events")
            << true << true << D{{-120, 0}, {-120, 0}} << QPoint(2, 0);
        QTest::newRow("vertical off: the wheel scrolls sideways")
            << true << false << D{{0, -120}} << QPoint(1, 0);
        QTest::newRow("both off") << false << false << D{{0, -120}} << QPoint(0, 0);
        QTest::newRow("half a notch waits") << true << true << D{{0, -60}} << QPoint(0, 0);
        QTest::newRow("half notches add up")
            << true << true << D{{0, -60}, {0, -60}} << QPoint(0, 1);
    }
    void wheel()
    {
        QFETCH(bool, horizontalOn);
        QFETCH(bool, verticalOn);
        QFETCH(QList<QPoint>, deltas);
        QFETCH(QPoint, notches);

        Fixture f;
        f.area->setHorizontalScrollEnabled(horizontalOn);
        f.area->setVerticalScrollEnabled(verticalOn);
        const QPoint step(f.area->horizontalScrollBar()->singleStep(),
                          f.area->verticalScrollBar()->singleStep());
        // Where a wheel event over the content arrives after the content let it pass.
        for (const QPoint& delta : deltas)
            ::wheel(f.area->viewport(), delta);
        QCOMPARE(f.scroll(), QPoint(300 + notches.x() * step.x(), 300 + notches.y() * step.y()));
    }
};

KV_TEST_MAIN(TestDragScrollArea)
#include "tst_dragscrollarea.moc"
