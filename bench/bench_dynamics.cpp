// Cost of the dynamics editors' busiest paths on the processing page: a limiter threshold drag
// step and an AGC knob step, each from the control to the send queue with the repaint of what
// it changed, and a gate state report that relights every lamp of the gate page under the
// style sheet (repolish and repaint), as the refresh delivers it five times a second.
#include "agcgraph.h"
#include "agcwidget.h"
#include "datamodel.h"
#include "gatewidget.h"
#include "knob.h"
#include "limitergraph.h"
#include "limiterwidget.h"
#include "modulewidget.h"
#include "reportrouter.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos.toPoint()), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Renders each widget into an image of its size, as the backing store would receive it.
class Repaint
{
public:
    explicit Repaint(QList<QWidget*> widgets) : m_widgets(std::move(widgets))
    {
        for (QWidget* w : qAsConst(m_widgets))
            m_images << QImage(w->size(), QImage::Format_ARGB32_Premultiplied);
    }
    void operator()()
    {
        for (int i = 0; i < m_widgets.size(); ++i) {
            m_images[i].fill(Qt::transparent);
            m_widgets[i]->render(&m_images[i]);
            benchmark::DoNotOptimize(m_images[i].constBits());
        }
    }

private:
    QList<QWidget*> m_widgets;
    QVector<QImage> m_images;
};

struct Page
{
    DataModel model;
    ReportRouter router{model};
    ModuleWidget page{model, router};

    explicit Page(EditorPage shown)
    {
        model.setTickTimerRunning(false);
        page.resize(1300, 560);
        page.stackedButtonClicked(int(shown));
        page.show();
        QCoreApplication::processEvents();
    }
};

// One move of the pressed threshold handle: the graph, the editor's controls, the page's change
// check, the mirror and the send queue; then the repaint of the graph, the edit and the knob.
void limiterDragStep(benchmark::State& state)
{
    Page p(EditorPage::InputLimiter);
    LimiterWidget* editor = p.page.inLimiterWidget();
    LimiterGraph* graph = editor->graph();
    Repaint repaint({graph, editor->findChild<QWidget*>(QStringLiteral("thresholdEdit")),
                     editor->findChild<QWidget*>(QStringLiteral("thresholdKnob"))});
    const QPointF knee = graph->handleCentres()[LimiterGraph::ThresholdHandle];
    sendMouse(graph, QEvent::MouseButtonPress, knee, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const double dx = (step % 40) - 20;
        ++step;
        sendMouse(graph, QEvent::MouseMove, knee + QPointF(dx, 0), Qt::LeftButton);
        repaint();
    }
    sendMouse(graph, QEvent::MouseButtonRelease, knee, Qt::NoButton);
    if (p.model.pendingCommandCount() != 1)
        state.SkipWithError("the drag did not reach the send queue");
}
BENCHMARK(limiterDragStep)->Unit(benchmark::kMicrosecond);

// One step of the AGC threshold knob: the core edit, the mirror and the send queue, the editor
// shown anew from the mirror; then the repaint of the graph and the controls.
void agcKnobStep(benchmark::State& state)
{
    Page p(EditorPage::Agc);
    AGCWidget* editor = p.page.agcWidget();
    auto* knob = editor->findChild<Knob*>(QStringLiteral("thresholdKnob"));
    Repaint repaint({editor->graph(), editor->findChild<QGroupBox*>()});
    int step = 0;
    for (auto _ : state) {
        emit knob->valueChanged(-600 + (step % 40) * 5);
        ++step;
        repaint();
    }
    if (p.model.pendingCommandCount() != 1)
        state.SkipWithError("the knob did not reach the send queue");
}
BENCHMARK(agcKnobStep)->Unit(benchmark::kMicrosecond);

// A gate state report in which all 17 inputs changed: one change per input through the router,
// each lamp repolished by the style sheet and repainted.
void gateStateReport(benchmark::State& state)
{
    QFile sheet(QStringLiteral(":/qss/dark.qss"));
    if (!sheet.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no style sheet");
        return;
    }
    qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    Page p(EditorPage::Gate);
    GateWidget* gate = p.page.gateWidget();
    QList<QWidget*> lamps;
    for (int ch = 0; ch < gate->columnCount(); ++ch)
        lamps << gate->column(ch).state;
    Repaint repaint(lamps);
    bool on = false;
    for (auto _ : state) {
        on = !on;
        for (int ch = 0; ch < gate->columnCount(); ++ch) {
            p.model.input(ch).gateState = on;
            p.model.sync(wire::code::GateStates, quint8(ch));
        }
        repaint();
    }
    qApp->setStyleSheet(QString());
    if (gate->column(3).state->property("status").toString() != (on ? "1" : "0"))
        state.SkipWithError("the lamps did not follow the report");
}
BENCHMARK(gateStateReport)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    app.setFont(QFont(QStringLiteral("Arial"), 9));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
