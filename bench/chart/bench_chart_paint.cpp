// Painting the time chart: 501 items with 48 pieces each in a 1280 x 800
// control (offscreen): a full repaint, a scroll by one page of rows, and the
// repaint of a minute change with the current-time line (range events
// included).
#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "chart/ganttline.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTime>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<Ganttline> makeChart()
{
    auto g = std::make_unique<Ganttline>();
    chart::ChartModel *m = g->model();
    m->setBackColor(0x00FFFFFF);
    m->setShowCurTime(true);
    for (int i = 0; i < 501; ++i) {
        const short item = m->AddItem(QStringLiteral("グループ %1").arg(i), short(i % 3));
        for (int k = 0; k < 48; ++k) {
            const int start = k * 30;
            const int end = start + 20;
            m->SetPieceRange(item, short(k), short(start / 60), short(start % 60), short(end / 60), short(end % 60));
            m->SetPieceText(item, short(k), QStringLiteral("予約"));
        }
    }
    g->resize(1280, 800);
    g->show();
    QApplication::processEvents();
    return g;
}

// The control with its chart view drawn into an image of the same size, as
// a repaint of the whole window does.
void paintAll(Ganttline &g, QImage &image)
{
    g.render(&image);
}

void BM_FullRepaint(benchmark::State &state)
{
    auto g = makeChart();
    QImage image(g->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        paintAll(*g, image);
    state.counters["rows"] = g->chartLayout().visibleRowCount();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// The same without the start and end times over and under the pieces.
void BM_FullRepaintWithoutTimes(benchmark::State &state)
{
    auto g = makeChart();
    g->model()->setShowPieceTime(false);
    QImage image(g->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        paintAll(*g, image);
    state.counters["rows"] = g->chartLayout().visibleRowCount();
}
BENCHMARK(BM_FullRepaintWithoutTimes)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State &state)
{
    auto g = makeChart();
    QImage image(g->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar *bar = g->chartView()->verticalScrollBar();
    const int page = bar->pageStep();
    int value = 0;
    for (auto _ : state) {
        value = value + page > bar->maximum() ? 0 : value + page;
        bar->setValue(value);
        paintAll(*g, image);
    }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

void BM_MinuteChangeRepaint(benchmark::State &state)
{
    auto g = makeChart();
    QImage image(g->size(), QImage::Format_ARGB32_Premultiplied);
    QTime t(8, 0);
    for (auto _ : state) {
        t = t.addSecs(60);
        g->model()->processMinuteChange(t);
        paintAll(*g, image);
    }
}
BENCHMARK(BM_MinuteChangeRepaint)->Unit(benchmark::kMillisecond);

} // namespace
