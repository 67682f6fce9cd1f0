// GUI-thread cost of the matrix page's whole-grid work, each with the repaint of the table as
// the backing store would receive it (offscreen): a click that switches a selection of all
// 17 x 16 cells (sixteen commands through the mirror), and a reload of all 272 cells from the
// model after the unit reported every one of them changed.
#include "datamodel.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "mixbutton.h"
#include "modulewidget.h"
#include "reportrouter.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The processing page on its matrix, shown offscreen at a usual window size.
struct MatrixPage
{
    DataModel model;
    ReportRouter router{model};
    ModuleWidget page{model, router};
    MatrixWidget* matrix = nullptr;
    MatrixTableWidget* table = nullptr;
    QImage image;

    MatrixPage()
    {
        model.setTickTimerRunning(false);
        page.resize(1300, 820);
        page.stackedButtonClicked(int(EditorPage::Matrix));
        page.show();
        QCoreApplication::processEvents();
        matrix = qobject_cast<MatrixWidget*>(page.page(EditorPage::Matrix));
        table = matrix->table();
        image = QImage(table->size(), QImage::Format_ARGB32_Premultiplied);
    }

    void repaint()
    {
        image.fill(Qt::transparent);
        table->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
};

void toggleWholeSelection(benchmark::State& state)
{
    MatrixPage p;
    p.table->select(0, 0, MatrixTableWidget::kRows - 1, MatrixTableWidget::kColumns - 1);
    MixButton* clicked = p.table->button(8, 8);
    const QPoint centre = clicked->rect().center();
    int clicks = 0;
    for (auto _ : state) {
        sendMouse(clicked, QEvent::MouseButtonPress, centre, Qt::LeftButton);
        sendMouse(clicked, QEvent::MouseButtonRelease, centre, Qt::NoButton);
        ++clicks;
        p.repaint();
    }
    const bool on = clicks % 2 == 1;
    if (p.model.input(16).mixEnabled[15] != on || p.table->button(0, 0)->isChecked() != on)
        state.SkipWithError("the click did not switch the whole selection");
}
BENCHMARK(toggleWholeSelection)->Unit(benchmark::kMillisecond);

void reloadAllCells(benchmark::State& state)
{
    MatrixPage p;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int i = 0; i < DataModel::kInputCount; ++i) {
            auto& in = p.model.input(i);
            for (int o = 0; o < DataModel::kOutputCount; ++o) {
                in.mixEnabled[std::size_t(o)] = (i + o + round) % 2 == 0;
                in.mixGain[std::size_t(o)] = qint8((i * 7 + o * 3 + round) % 69 - 56);
            }
        }
        state.ResumeTiming();
        p.matrix->loadAll();
        p.repaint();
    }
    if (p.table->button(3, 4)->isChecked() != ((3 + 4 + round) % 2 == 0))
        state.SkipWithError("the reload did not reach the cells");
}
BENCHMARK(reloadAllCells)->Unit(benchmark::kMillisecond);

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
