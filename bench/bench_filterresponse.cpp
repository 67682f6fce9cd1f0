// Cost of the filter graph's work on every setter call and drag step: the full response
// recompute of a busy channel, one drag step including the repaint, and the same step through
// the whole filter editor.
#include "datamodel.h"
#include "filtergraph.h"
#include "filtergraphscale.h"
#include "filterresponse.h"
#include "filterwidget.h"
#include "modulewidget.h"
#include "reportrouter.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <array>

namespace {
// Both pass filters at 48 dB/oct and eight active bands of all three kinds.
struct BusyChannel
{
    PassFilter highPass{false, 1, 5, 80.0f};
    PassFilter lowPass{false, 2, 5, 12000.0f};
    std::array<FilterBand, FilterResponse::kMaxBands> bands{};

    BusyChannel()
    {
        const float freqs[8] = {100, 300, 500, 800, 1000, 3000, 5000, 8000};
        const float gains[8] = {4, -6, 9, 2.5f, -3, 5.5f, -12, 3};
        const uint8_t types[8] = {1, 0, 0, 0, 0, 0, 0, 2};
        for (int i = 0; i < 8; ++i)
            bands[i] = FilterBand{false, types[i], freqs[i], gains[i],
                                  FilterResponse::bandQ(types[i], 10 + 6 * i)};
    }
};

void fullRecompute(benchmark::State& state)
{
    const BusyChannel channel;
    FilterResponse::Curve curve;
    for (auto _ : state) {
        FilterResponse::compute(channel.highPass, channel.lowPass, channel.bands.data(), 8, curve);
        benchmark::DoNotOptimize(curve.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(fullRecompute)->Unit(benchmark::kMicrosecond);

void sendMouse(QWidget* widget, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos.toPoint()), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// One move of a pressed band handle (signal, recompute) and the repaint it causes, rendered into
// an image of the widget's size as the backing store would receive it.
void dragStep(benchmark::State& state)
{
    const BusyChannel channel;
    FilterGraph graph;
    graph.resize(int(state.range(0)), int(state.range(1)));
    graph.setBandCount(8);
    graph.setHPFilter(0, channel.highPass.type, channel.highPass.slope, channel.highPass.freq);
    graph.setLPFilter(0, channel.lowPass.type, channel.lowPass.slope, channel.lowPass.freq);
    for (int i = 0; i < 8; ++i)
        graph.setPEQ(uchar(i), 0, channel.bands[i].type, channel.bands[i].freq,
                     channel.bands[i].gain, uchar(10 + 6 * i));
    int moves = 0;
    QObject::connect(&graph, &FilterGraph::peqChanged, [&moves] { ++moves; });

    QImage image(graph.size(), QImage::Format_ARGB32_Premultiplied);
    const FilterGraphScale scale(graph.width(), graph.height());
    const double x = scale.xAt(channel.bands[4].freq);
    const double y = scale.yAt(channel.bands[4].gain);
    sendMouse(&graph, QEvent::MouseButtonPress, QPointF(x, y), Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const double dx = (step % 40) - 20;
        ++step;
        sendMouse(&graph, QEvent::MouseMove, QPointF(x + dx, y - dx), Qt::LeftButton);
        image.fill(Qt::transparent);
        graph.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    sendMouse(&graph, QEvent::MouseButtonRelease, QPointF(x, y), Qt::NoButton);
    if (moves < state.iterations() / 2)
        state.SkipWithError("the drag did not move the band");
}
BENCHMARK(dragStep)->Args({700, 300})->Args({1200, 360})->Unit(benchmark::kMicrosecond);

// The same step through the whole filter editor on the processing page: the graph's signal, the
// editor's controls, the page's change check, the mirror and the send queue, then the repaint
// of what the step changed (the graph, the band's frequency and gain edits and knobs).
void editorDragStep(benchmark::State& state)
{
    DataModel model;
    model.setTickTimerRunning(false);
    ReportRouter router(model);
    ModuleWidget page(model, router);
    page.resize(1100, 520);
    page.stackedButtonClicked(int(EditorPage::InputFilter));
    FilterWidget* editor = page.inFilterWidget();
    FilterGraph* graph = editor->graph();
    page.show();
    QCoreApplication::processEvents();
    QList<QWidget*> changed{graph};
    for (const char* name : {"peqFreqEdit", "peqFreqKnob", "peqGainEdit", "peqGainKnob"})
        changed << editor->findChild<QWidget*>(QLatin1String(name));
    QVector<QImage> images;
    for (QWidget* w : qAsConst(changed))
        images << QImage(w->size(), QImage::Format_ARGB32_Premultiplied);

    const FilterGraphScale scale(graph->width(), graph->height());
    const auto& band = model.input(0).peq[4];
    const double x = scale.xAt(double(band.freq));
    const double y = scale.yAt(double(band.gain));
    sendMouse(graph, QEvent::MouseButtonPress, QPointF(x, y), Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const double dx = (step % 40) - 20;
        ++step;
        sendMouse(graph, QEvent::MouseMove, QPointF(x + dx, y - dx), Qt::LeftButton);
        for (int i = 0; i < changed.size(); ++i) {
            images[i].fill(Qt::transparent);
            changed[i]->render(&images[i]);
            benchmark::DoNotOptimize(images[i].constBits());
        }
    }
    sendMouse(graph, QEvent::MouseButtonRelease, QPointF(x, y), Qt::NoButton);
    if (model.pendingCommandCount() != 1)
        state.SkipWithError("the drag did not reach the send queue");
}
BENCHMARK(editorDragStep)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
