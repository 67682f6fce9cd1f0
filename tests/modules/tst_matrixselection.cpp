// The cells a matrix gesture reaches: the rectangle between two cells in either direction, less
// the hidden rows and columns, and which cells carry which side of its outline; where the
// keyboard's moves land.
#include "matrixselection.h"
#include "testenvironment.h"

#include <QtTest>

namespace {

// An outline as letters: Left, Top, Right, Bottom.
QString edgeText(int edges)
{
    QString s;
    if (edges & MatrixSelection::LeftEdge)
        s += QLatin1Char('L');
    if (edges & MatrixSelection::TopEdge)
        s += QLatin1Char('T');
    if (edges & MatrixSelection::RightEdge)
        s += QLatin1Char('R');
    if (edges & MatrixSelection::BottomEdge)
        s += QLatin1Char('B');
    return s;
}

} // namespace

class TestMatrixSelection : public QObject
{
    Q_OBJECT

private slots:
    void rectangle_data()
    {
        QTest::addColumn<QPoint>("anchor"); // (column, row)
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<quint32>("hiddenRows");
        QTest::addColumn<quint32>("hiddenColumns");
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QVector<int>>("columns");
        // Cells and their outlines: "row,column=edges", "-" for a cell outside.
        QTest::addColumn<QStringList>("outlines");
        using V = QVector<int>;
        const auto bytes = [](std::initializer_list<int> l) {
            QByteArray b;
            for (int v : l)
                b.append(char(v));
            return b;
        };
        QTest::newRow("one cell") << QPoint(2, 3) << QPoint(2, 3) << 0u << 0u << bytes({3}) << V{2}
                                  << QStringList{"3,2=LTRB", "4,2=-", "3,1=-"};
        QTest::newRow("dragged up and left")
            << QPoint(4, 5) << QPoint(1, 2) << 0u << 0u << bytes({2, 3, 4, 5}) << V{1, 2, 3, 4}
            << QStringList{"2,1=LT", "3,2=", "5,4=RB", "2,4=TR", "5,1=LB", "6,4=-", "1,1=-"};
        QTest::newRow("one column down")
            << QPoint(1, 0) << QPoint(1, 3) << 0u << 0u << bytes({0, 1, 2, 3}) << V{1}
            << QStringList{"0,1=LTR", "2,1=LR", "3,1=LRB"};
        // A hidden row inside takes no room; a hidden last row hands the bottom edge on.
        QTest::newRow("hidden rows")
            << QPoint(0, 0) << QPoint(1, 4) << (1u << 2 | 1u << 4) << 0u << bytes({0, 1, 3})
            << V{0, 1} << QStringList{"3,0=LB", "1,1=R", "2,0=-", "4,1=-"};
        QTest::newRow("hidden first column")
            << QPoint(0, 2) << QPoint(2, 2) << 0u << 1u << bytes({2}) << V{1, 2}
            << QStringList{"2,0=-", "2,1=LTB", "2,2=TRB"};
        QTest::newRow("all of it hidden")
            << QPoint(9, 10) << QPoint(12, 16) << 0xFFFFFE00u << 0xFFFFFE00u << QByteArray() << V{}
            << QStringList{"10,9=-", "16,12=-"};
        QTest::newRow("the last row and column")
            << QPoint(15, 16) << QPoint(14, 15) << 0u << 0u << bytes({15, 16}) << V{14, 15}
            << QStringList{"16,15=RB", "15,14=LT"};
    }

    void rectangle()
    {
        QFETCH(QPoint, anchor);
        QFETCH(QPoint, to);
        QFETCH(quint32, hiddenRows);
        QFETCH(quint32, hiddenColumns);
        QFETCH(QByteArray, rows);
        QFETCH(QVector<int>, columns);
        QFETCH(QStringList, outlines);
        MatrixSelection s;
        s.setHidden(hiddenRows, hiddenColumns);
        s.selectSingle(anchor.y(), anchor.x());
        s.extendTo(to.y(), to.x());
        QCOMPARE(s.selectedRows(), rows);
        QCOMPARE(s.selectedColumns(), columns);
        for (const QString& o : outlines) {
            const QStringList parts = o.split(QLatin1Char('='));
            const QStringList cell = parts[0].split(QLatin1Char(','));
            const int r = cell[0].toInt();
            const int c = cell[1].toInt();
            const bool inside = parts[1] != QLatin1String("-");
            QCOMPARE(s.isSelected(r, c), inside);
            QCOMPARE(edgeText(s.edges(r, c)), inside ? parts[1] : QString());
        }
    }

    // Moves skip hidden rows and columns and stop at the edges of what is shown.
    void keyboardMoves_data()
    {
        QTest::addColumn<QPoint>("from"); // (column, row)
        QTest::addColumn<int>("move");
        QTest::addColumn<quint32>("hiddenRows");
        QTest::addColumn<quint32>("hiddenColumns");
        QTest::addColumn<QPoint>("to");
        using S = MatrixSelection;
        const quint32 profileRows = 0xFFFE0000u | 1u << 3; // inputs 1-17 less input 4
        const quint32 profileColumns = 0xFFFFFE00u;        // outputs 1-9
        // clang-format off
        QTest::newRow("over a hidden row")   << QPoint(1, 2)  << int(S::MoveDown)    << profileRows << profileColumns << QPoint(1, 4);
        QTest::newRow("right into hidden")   << QPoint(8, 2)  << int(S::MoveRight)   << profileRows << profileColumns << QPoint(8, 2);
        QTest::newRow("from a hidden cell")  << QPoint(12, 3) << int(S::MoveRight)   << profileRows << profileColumns << QPoint(0, 0);
        QTest::newRow("nothing shown")       << QPoint(0, 0)  << int(S::MoveDown)    << 0x1FFFFu << 0u << QPoint(-1, -1);
        // clang-format on
    }

    void keyboardMoves()
    {
        QFETCH(QPoint, from);
        QFETCH(int, move);
        QFETCH(quint32, hiddenRows);
        QFETCH(quint32, hiddenColumns);
        QFETCH(QPoint, to);
        MatrixSelection s;
        s.setHidden(hiddenRows, hiddenColumns);
        QCOMPARE(s.moved(from.y(), from.x(), MatrixSelection::Move(move)), to);
    }

    // A gesture that leaves the grid keeps the rectangle it had; a fresh one starts where it is.
    void outsideTheGrid()
    {
        MatrixSelection s;
        s.extendTo(4, 6);
        QCOMPARE(s.selectedRows(), QByteArray(1, 4));
        QCOMPARE(s.selectedColumns(), QVector<int>{6});
        s.extendTo(17, 6);
        s.extendTo(4, -1);
        QCOMPARE(s.firstRow(), 4);
        QCOMPARE(s.lastColumn(), 6);
        s.selectSingle(3, 16);
        QVERIFY(s.isEmpty());
        QVERIFY(!s.isSelected(3, 15));
        QCOMPARE(s.selectedRows(), QByteArray());
        s.setHidden(1u << 16, 1u << 3);
        QCOMPARE(s.shownRows().size(), 16);
        QCOMPARE(s.shownColumns().size(), 15);
        QVERIFY(!s.shownColumns().contains(3));
    }
};

KV_TEST_GUILESS_MAIN(TestMatrixSelection)
#include "tst_matrixselection.moc"
