// The limiter and AGC graphs under the mouse: which handle a press takes, what a drag emits and
// stores, and the appearance the style sheets give them.
#define QTEST_QPA_MOUSE_HANDLING // moves carry the held button, as from a real pointer
#include "agcgraph.h"
#include "limitergraph.h"
#include "testenvironment.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

template <typename Graph> std::unique_ptr<Graph> shown(QSize size)
{
    auto graph = std::make_unique<Graph>();
    graph->resize(size);
    graph->show();
    if (!QTest::qWaitForWindowExposed(graph.get()))
        return nullptr;
    return graph;
}

void drag(QWidget* widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

DynamicsGraph* makeGraph(bool agc, double threshold, double ratio, QWidget* parent = nullptr)
{
    DynamicsGraph* graph = nullptr;
    if (agc) {
        auto* g = new AGCGraph(parent);
        g->setThreshold(float(threshold));
        g->setRatio(float(ratio));
        graph = g;
    } else {
        auto* g = new LimiterGraph(parent);
        g->setThreshold(threshold);
        g->setRatio(ratio);
        graph = g;
    }
    graph->resize(340, 340);
    return graph;
}

QString resourceText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestDynamicsGraphs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    // Limiter at -20 dB 4:1. Plot from (30, 15), 40 pixels narrower and lower than the widget.
    // Ratio rows aim a pixel below where the wanted ratio puts the handle, so that truncation
    // keeps it, or level with or below the knee (hard limit).
    void limiterDrag_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("limit"); // upper threshold drag limit
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("ratio");

        const QSize size(420, 320); // x = 220 is -40 dB, the knee is at y = 108
        const int t = LimiterGraph::ThresholdHandle;
        const int r = LimiterGraph::RatioHandle;
        QTest::newRow("threshold -40") << size << t << QPoint(220, 250) << 18.0 << -40.0 << 4.0;
        QTest::newRow("threshold far right") << size << t << QPoint(419, 9) << 18.0 << 18.0 << 4.0;
        QTest::newRow("threshold limit") << size << t << QPoint(419, 9) << -6.0 << -6.0 << 4.0;
        QTest::newRow("ratio far right") << size << r << QPoint(419, 108) << 18.0 << -20.0 << 100.0;
        QTest::newRow("ratio below the knee")
            << size << r << QPoint(300, 140) << 18.0 << -20.0 << 100.0;
        // The slope counts in dB, so the handle stays under the pointer on any aspect.
        QTest::newRow("ratio 2 on a wide plot")
            << QSize(600, 260) << r << QPoint(588, 53) << 18.0 << -20.0 << 2.0;
        QTest::newRow("ratio 8 on a tall plot")
            << QSize(300, 700) << r << QPoint(289, 208) << 18.0 << -20.0 << 8.0;
    }
    void limiterDrag()
    {
        QFETCH(QSize, size);
        QFETCH(int, handle);
        QFETCH(QPoint, to);
        QFETCH(double, limit);
        QFETCH(double, threshold);
        QFETCH(double, ratio);

        auto graph = shown<LimiterGraph>(size);
        QVERIFY(graph);
        graph->setThreshold(-20.0);
        graph->setRatio(4.0);
        graph->setThresholdLimits(-100.0, limit);
        QSignalSpy thresholds(graph.get(), &LimiterGraph::thresholdChanged);
        QSignalSpy ratios(graph.get(), &LimiterGraph::ratioChanged);
        drag(graph.get(), graph->handleCentres().at(handle).toPoint(), to);

        QCOMPARE(graph->threshold(), threshold);
        QCOMPARE(graph->ratio(), ratio);
        QSignalSpy& moved = handle == LimiterGraph::ThresholdHandle ? thresholds : ratios;
        QCOMPARE(thresholds.count() + ratios.count(), 1);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().first().toDouble(), handle == 0 ? threshold : ratio);
        // The curve follows the new values.
        const auto& table = graph->transfer();
        QCOMPARE(table.kneeIndex, dynamics::limiterTransfer(threshold, ratio).kneeIndex);
        if (ratio == 100.0)
            QCOMPARE(table.lastPoint().y(), table.knee);
    }

    // A press takes the nearest handle within 8 + 5 pixels of its centre, the threshold handle
    // where centres coincide; a press beside every handle is left to the parent.
    void pressTargets_data()
    {
        QTest::addColumn<bool>("agc");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("near");      // handle the press is aimed at
        QTest::addColumn<QPoint>("offset"); // from that handle's centre
        QTest::addColumn<int>("expected");

        QTest::newRow("limiter ratio handle beside the knee")
            << false << 18.0 << 100.0 << 1 << QPoint() << 1;
        QTest::newRow("limiter knee, 12 px below")
            << false << -20.0 << 4.0 << 0 << QPoint(0, 12) << 0;
        QTest::newRow("limiter knee, 14 px left")
            << false << -20.0 << 4.0 << 0 << QPoint(-14, 0) << -1;
        QTest::newRow("agc ratio handle at the factory settings")
            << true << -30.0 << 2.0 << 1 << QPoint() << 1;
        QTest::newRow("agc 1:1 puts the ratio handle on the threshold")
            << true << -30.0 << 1.0 << 1 << QPoint() << 0;
    }
    void pressTargets()
    {
        QFETCH(bool, agc);
        QFETCH(double, threshold);
        QFETCH(double, ratio);
        QFETCH(int, near);
        QFETCH(QPoint, offset);
        QFETCH(int, expected);

        struct Parent : QWidget
        {
            int presses = 0;
            void mousePressEvent(QMouseEvent*) override { ++presses; }
        };
        auto parent = shown<Parent>({340, 340});
        QVERIFY(parent);
        DynamicsGraph* graph = makeGraph(agc, threshold, ratio, parent.get());
        graph->show();
        const QPoint at = graph->handleCentres().at(near).toPoint() + offset;
        QTest::mousePress(graph, Qt::LeftButton, {}, at);
        QCOMPARE(graph->pressedHandle(), expected);
        QCOMPARE(parent->presses, expected < 0 ? 1 : 0);
        QTest::mouseRelease(graph, Qt::LeftButton, {}, at);
        QCOMPARE(graph->pressedHandle(), -1);
    }

    // Square plot 300 x 300 from (30, 15): 2.5 pixels per dB; factory curve -30 / -20 / 2:1.
    void agcDrag_data()
    {
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("to"); // pointer position; for the ratio handle relative to the
                                        // target handle
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("ratio");

        const int t = AGCGraph::ThresholdHandle;
        const int g = AGCGraph::TargetHandle;
        const int r = AGCGraph::RatioHandle;
        QTest::newRow("threshold to -50") << t << QPoint(205, 200) << -50.0 << -20.0 << 2.0;
        QTest::newRow("threshold past the target") << t << QPoint(300, 50) << -20.0 << -20.0 << 2.0;
        QTest::newRow("target past the threshold")
            << g << QPoint(100, 250) << -30.0 << -30.0 << 2.0;
        QTest::newRow("target off the right") << g << QPoint(339, 10) << -30.0 << 0.0 << 2.0;
        QTest::newRow("ratio 2.5:1") << r << QPoint(-25, 10) << -30.0 << -20.0 << 2.5;
        QTest::newRow("ratio above the target") << r << QPoint(10, -5) << -30.0 << -20.0 << 100.0;
        QTest::newRow("ratio straight below") << r << QPoint(0, 40) << -30.0 << -20.0 << 1.0;
    }
    void agcDrag()
    {
        QFETCH(int, handle);
        QFETCH(QPoint, to);
        QFETCH(double, threshold);
        QFETCH(double, target);
        QFETCH(double, ratio);

        auto graph = shown<AGCGraph>({340, 340});
        QVERIFY(graph);
        QSignalSpy thresholds(graph.get(), &AGCGraph::thresholdChanged);
        QSignalSpy targets(graph.get(), &AGCGraph::targetChanged);
        QSignalSpy ratios(graph.get(), &AGCGraph::ratioChanged);
        const QPointF from[] = {graph->levelPoint({-30, -30}), graph->levelPoint({-30, -25}),
                                graph->levelPoint({-20, -20})};
        if (handle == AGCGraph::RatioHandle)
            to += from[AGCGraph::TargetHandle].toPoint();
        drag(graph.get(), from[handle].toPoint(), to);

        QCOMPARE(graph->threshold(), float(threshold));
        QCOMPARE(graph->target(), float(target));
        QCOMPARE(graph->ratio(), float(ratio));
        QSignalSpy* spies[] = {&thresholds, &ratios, &targets};
        const double values[] = {threshold, ratio, target};
        QCOMPARE(thresholds.count() + ratios.count() + targets.count(), 1);
        QCOMPARE(spies[handle]->value(0).value(0).toFloat(), float(values[handle]));

        // A target set below the threshold from outside sits on the threshold.
        graph->setTarget(graph->threshold() - 5.0f);
        QCOMPARE(graph->target(), graph->threshold());
    }

    // The style sheets of the two appearances set the graphs' dark flag; background, curve
    // colour and the active state show in the picture.
    void appearance_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("background");
        QTest::newRow("light") << false << QColor(255, 255, 255);
        QTest::newRow("dark") << true << QColor(30, 33, 35);
    }
    void appearance()
    {
        QFETCH(bool, dark);
        QFETCH(QColor, background);

        qApp->setStyleSheet(resourceText(dark ? QStringLiteral(":/qss/dark.qss")
                                              : QStringLiteral(":/qss/light.qss")));
        for (const bool agc : {false, true}) {
            std::unique_ptr<DynamicsGraph> graph(makeGraph(agc, 0.0, 2.0));
            graph->setDark(!dark);
            graph->ensurePolished();
            QCOMPARE(graph->isDark(), dark);

            // (60, 284) lies on the unity part of the curve, clear of the handles.
            const QImage active = graph->grab().toImage();
            QCOMPARE(active.pixelColor(170, 4), background);
            QCOMPARE(active.pixelColor(60, 284), QColor(21, 124, 186));
            graph->setActive(false);
            const QImage inactive = graph->grab().toImage();
            QVERIFY(inactive.pixelColor(60, 284) != QColor(21, 124, 186));
        }
        qApp->setStyleSheet(QString());
    }
};

KV_TEST_MAIN(TestDynamicsGraphs)
#include "tst_dynamicsgraphs.moc"
