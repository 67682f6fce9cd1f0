// The filter graph as its editor and the user see it: setters, dragging through the window
// system with events that propagate to the parent, and what it paints.
#define QTEST_QPA_MOUSE_HANDLING
#include "filtergraph.h"
#include "filtergraphscale.h"
#include "filterreference.h"
#include "testenvironment.h"

#include <QtTest>

#include <memory>

namespace {
constexpr int kWidth = 700;
constexpr int kHeight = 300;
const QPoint kOffset(30, 30); // room around the graph for pointers beyond its edges

// The parent of the graph; counts the mouse events the graph passes on.
class Host : public QWidget
{
public:
    int presses = 0, moves = 0, releases = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

// The graph's signals as text, in the order they came: "band 3", "peq 2 <freq> <gain>",
// "hp <freq>", "lp <freq>".
struct SignalLog
{
    QStringList entries;
    explicit SignalLog(FilterGraph* g)
    {
        QObject::connect(g, &FilterGraph::currentBandChanged,
                         [this](uchar b) { entries << QStringLiteral("band %1").arg(b); });
        QObject::connect(g, &FilterGraph::peqChanged, [this](uchar b, float f, float gain) {
            entries << QStringLiteral("peq %1 %2 %3").arg(b).arg(f).arg(gain);
        });
        QObject::connect(g, &FilterGraph::HPFilterChanged,
                         [this](float f) { entries << QStringLiteral("hp %1").arg(f); });
        QObject::connect(g, &FilterGraph::LPFilterChanged,
                         [this](float f) { entries << QStringLiteral("lp %1").arg(f); });
    }
    QString text() const { return entries.join(QStringLiteral(", ")); }
    bool matches(const QString& pattern) const
    {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern))
            .match(text())
            .hasMatch();
    }
};

bool near(QRgb pixel, const QColor& colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}
} // namespace

class TestFilterGraph : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Host> m_host;
    FilterGraph* m_graph = nullptr;
    const FilterGraphScale m_scale{kWidth, kHeight};

    // Handles by name: "b<index>", "H", "L".
    QPoint centre(const QString& name) const
    {
        if (name.startsWith(QLatin1Char('b'))) {
            const FilterBand& b = m_graph->band(name.mid(1).toInt());
            return QPointF(m_scale.xAt(b.freq), m_scale.yAt(b.gain)).toPoint();
        }
        const PassFilter& f = name == QLatin1String("H") ? m_graph->highPass() : m_graph->lowPass();
        return QPointF(m_scale.xAt(f.freq), m_scale.middle()).toPoint();
    }
    // Puts a handle at a frequency on the 0 dB line.
    void place(const QString& name, float freq)
    {
        if (name.startsWith(QLatin1Char('b')))
            m_graph->setPEQ(uchar(name.mid(1).toInt()), 0, 0, freq, 0, 43);
        else if (name == QLatin1String("H"))
            m_graph->setHPFilter(0, 1, 3, freq);
        else
            m_graph->setLPFilter(0, 1, 3, freq);
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(m_graph, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(m_graph, to);
        QTest::mouseRelease(m_graph, Qt::LeftButton, Qt::NoModifier, to);
    }

private slots:
    void init()
    {
        m_host = std::make_unique<Host>();
        m_host->resize(kWidth + 2 * kOffset.x(), kHeight + 2 * kOffset.y());
        m_graph = new FilterGraph(m_host.get());
        m_graph->setGeometry(QRect(kOffset, QSize(kWidth, kHeight)));
        m_graph->setBandCount(8);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    }
    void cleanup() { m_host.reset(); }

    // The setters carry the Q-index rule, the band-count limit and the bypass flags into the
    // curve, which then matches the scipy reference.
    void settersFollowReference()
    {
        QVERIFY(!filterReference().empty());
        for (const FilterReferenceCase& ref : filterReference()) {
            const PassFilter& h = ref.highPass;
            const PassFilter& l = ref.lowPass;
            m_graph->setBandCount(uchar(ref.count));
            m_graph->setHPFilter(h.bypass, h.type, h.slope, h.freq);
            m_graph->setLPFilter(l.bypass, l.type, l.slope, l.freq);
            for (int i = 0; i < FilterResponse::kMaxBands; ++i)
                m_graph->setPEQ(uchar(i), 1, 0, 1000, 0, 43);
            for (const FilterReferenceCase::Band& b : ref.bands)
                m_graph->setPEQ(uchar(b.index), b.bypass, b.type, b.freq, b.gain, b.qIndex);
            const QString mismatch = compareWithReference(m_graph->response(), ref, 1e-6);
            QVERIFY2(mismatch.isEmpty(), qPrintable(ref.name + QStringLiteral(": ") + mismatch));
        }
    }

    void allBandsBypassedTouchesCountedBandsOnly()
    {
        for (int i = 0; i < 10; ++i)
            m_graph->setPEQ(uchar(i), 0, 0, 1000, 6, 43);
        m_graph->setAllBandsBypassed(true);
        QVERIFY(m_graph->band(7).bypass && !m_graph->band(8).bypass);
        QCOMPARE(m_graph->response()[239], 0.0);
    }

    void dragClamps_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<QString>("signal"); // pattern
        const int x = qRound(m_scale.xAt(1000));
        const int middle = qRound(m_scale.middle());
        QTest::newRow("band above the plot") << "b2" << QPoint(x, -20) << "band 2, peq 2 \\S+ 15";
        QTest::newRow("band below the plot") << "b2" << QPoint(x, 320) << "band 2, peq 2 \\S+ -15";
        QTest::newRow("band left of 20 Hz") << "b2" << QPoint(20, middle) << "band 2, peq 2 20 0";
        QTest::newRow("band right of 20 kHz")
            << "b2" << QPoint(710, middle) << "band 2, peq 2 20000 0";
        QTest::newRow("H left of 20 Hz") << "H" << QPoint(60, 40) << "hp 20";
        QTest::newRow("H beyond the widget") << "H" << QPoint(-25, middle) << "hp 20";
        QTest::newRow("L right of 20 kHz") << "L" << QPoint(kWidth - 1, 200) << "lp 20000";
    }
    void dragClamps()
    {
        QFETCH(QString, handle);
        QFETCH(QPoint, target);
        QFETCH(QString, signal);
        place(QStringLiteral("b2"), 1500);
        place(QStringLiteral("H"), 150);
        place(QStringLiteral("L"), 6500);
        SignalLog log(m_graph);
        drag(centre(handle), target);
        QVERIFY2(log.matches(signal), qPrintable(log.text()));
        // What was announced is what the graph now holds.
        const QString held = handle == QLatin1String("b2") ? QStringLiteral("peq 2 %1 %2")
                                                                 .arg(m_graph->band(2).freq)
                                                                 .arg(m_graph->band(2).gain)
                             : handle == QLatin1String("H")
                                 ? QStringLiteral("hp %1").arg(m_graph->highPass().freq)
                                 : QStringLiteral("lp %1").arg(m_graph->lowPass().freq);
        QCOMPARE(log.entries.last(), held);
    }

    // Where handles overlap, bands go before H and H before L; a press within 5 pixels of a
    // handle's edge still takes it.
    void pressHitOrder_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("dx");
        QTest::addColumn<QString>("expected"); // pattern
        QTest::newRow("two bands") << "b4"
                                   << "b1" << 0 << "band 1, peq 1 .*";
        QTest::newRow("band and H") << "H"
                                    << "b6" << 0 << "band 6, peq 6 .*";
        QTest::newRow("band and L") << "L"
                                    << "b2" << 0 << "band 2, peq 2 .*";
        QTest::newRow("H and L") << "L"
                                 << "H" << 0 << "hp \\S+";
        QTest::newRow("inside the margin") << "b3"
                                           << "" << 12 << "band 3, peq 3 .*";
        QTest::newRow("beyond the margin") << "b3"
                                           << "" << 14 << "";
    }
    void pressHitOrder()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, dx);
        QFETCH(QString, expected);
        // Everything else well away from the spot.
        for (int i = 0; i < 8; ++i)
            m_graph->setPEQ(uchar(i), 0, 0, 20000, 10, 43);
        place(QStringLiteral("H"), 20);
        place(QStringLiteral("L"), 20);
        const float at = float(m_scale.frequencyAt(400));
        place(first, at);
        if (!second.isEmpty())
            place(second, at);
        m_graph->setCurrentBand(7);
        SignalLog log(m_graph);
        const QPoint from = centre(first) + QPoint(dx, 0);
        drag(from, from + QPoint(40, -30));
        QVERIFY2(log.matches(expected), qPrintable(log.text()));
    }

    // Signals announce the user's changes only, once per change; presses, releases and moves
    // that drag nothing reach the parent as well.
    void signalsOnlyOnChange()
    {
        SignalLog log(m_graph);
        m_graph->setPEQ(0, 0, 1, 200, 3, 10);
        m_graph->setHPFilter(0, 1, 5, 50);
        m_graph->setCurrentBand(1);
        m_graph->setCurrentBand(0);
        QCOMPARE(log.text(), QString());

        const QPoint p = centre(QStringLiteral("b0")) + QPoint(30, 20);
        QTest::mousePress(m_graph, Qt::LeftButton, Qt::NoModifier, centre(QStringLiteral("b0")));
        QTest::mouseMove(m_graph, p);
        QTest::mouseMove(m_graph, p);
        QTest::mouseMove(m_graph, QPoint(p.x(), -20));
        QTest::mouseMove(m_graph, QPoint(p.x(), -25));
        QTest::mouseRelease(m_graph, Qt::LeftButton, Qt::NoModifier, QPoint(p.x(), -25));
        QCOMPARE(log.entries.size(), 2); // band 0 was current already; one change each
        QVERIFY(log.entries.last().endsWith(QLatin1String(" 15")));
        QCOMPARE(m_host->moves, 0);

        QTest::mouseClick(m_graph, Qt::LeftButton, Qt::NoModifier, centre(QStringLiteral("b3")));
        QCOMPARE(log.entries.last(), QStringLiteral("band 3"));

        // A press on empty plot drags nothing, and its moves go on to the parent.
        drag(QPoint(300, 30), QPoint(350, 60));
        QCOMPARE(log.entries.size(), 3);
        QCOMPARE(m_host->moves, 1);
        QCOMPARE(m_host->presses, 3);
        QCOMPARE(m_host->releases, 3);
    }

    // The curve is drawn where the response puts it, clamped into the plot, and not mirrored.
    void curveDrawnAtResponse()
    {
        m_graph->setPEQ(0, 0, 1, 60, 12, 0);
        m_graph->setPEQ(4, 0, 0, 1000, -9, 20);
        m_graph->setHPFilter(0, 1, 5, 30);
        m_graph->setLPFilter(0, 1, 5, 6000);
        const QImage image = m_graph->grab().toImage();
        const QColor curveColour(21, 124, 186);
        const FilterResponse::Grid& grid = FilterResponse::frequencies();
        QStringList handles{QStringLiteral("H"), QStringLiteral("L")};
        for (int i = 0; i < 8; ++i)
            handles << QStringLiteral("b%1").arg(i);
        int checked = 0;
        for (int k = 4; k < 404; k += 9) {
            const double x = m_scale.xAt(grid[k]);
            if (std::any_of(handles.begin(), handles.end(),
                            [&](const QString& h) { return std::abs(centre(h).x() - x) < 14; }))
                continue;
            const double y =
                std::clamp(m_scale.yAt(m_graph->response()[k]), m_scale.top(), m_scale.bottom());
            const QPoint at(int(std::floor(x)), int(std::floor(y))); // the pixel of the vertex
            QVERIFY2(near(image.pixel(at), curveColour, 50),
                     qPrintable(QStringLiteral("no curve at %1 Hz").arg(grid[k])));
            const int mirrored = qRound(2 * m_scale.middle() - y);
            if (std::abs(mirrored - at.y()) > 6)
                QVERIFY(!near(image.pixel(at.x(), mirrored), curveColour, 50));
            ++checked;
        }
        QVERIFY(checked > 20);
    }

    // The style sheets choose the appearance through the dark property.
    void appearanceFromStyleSheet_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("grid");
        QTest::newRow("dark") << "dark.qss" << true << QColor(30, 33, 35) << QColor(86, 86, 87);
        QTest::newRow("light") << "light.qss" << false << QColor(Qt::white)
                               << QColor(230, 230, 230);
    }
    void appearanceFromStyleSheet()
    {
        QFETCH(QString, sheet);
        QFETCH(bool, dark);
        QFETCH(QColor, background);
        QFETCH(QColor, grid);
        QFile file(QStringLiteral(KV_QSS_DIR "/") + sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_graph->setDark(!dark);
        qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
        QCOMPARE(m_graph->isDark(), dark);
        const QImage image = m_graph->grab().toImage();
        qApp->setStyleSheet(QString());
        const int y = qRound(m_scale.top() + 3.5 * m_scale.height() / 6); // between two rows
        QVERIFY(near(image.pixel(20, y), background, 0));
        QVERIFY(near(image.pixel(qRound(m_scale.left()), y), grid, 0));
        QVERIFY(near(image.pixel(qRound(m_scale.right()), y), grid, 0));
    }
};

KV_TEST_MAIN(TestFilterGraph)
#include "tst_filtergraph.moc"
