// Benchmarks of the time-chart model: how soon PieceRangeStart follows the
// minute boundary, and the cost of the minute scan and the list methods on a
// full chart (501 items of 48 pieces).
#include "chart/chartclock.h"
#include "chart/chartmodel.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

using namespace chart;

namespace {

// 501 items, each with 48 half-hour pieces covering 00:00..24:00.
void fillFullChart(ChartModel &m)
{
    for (int i = 0; i < 501; ++i) {
        m.AddItem(QStringLiteral("Group %1").arg(i + 1), GntRect);
        for (short k = 0; k < 48; ++k)
            m.SetPieceRange(short(i), k, short(k / 2), short((k % 2) * 30), short((k + 1) / 2), short(((k + 1) % 2) * 30));
    }
}

// Delay of PieceRangeStart after the full minute, with the clock running at
// real speed from 300 ms before each of several boundaries.
void BM_RangeStartDelayAfterBoundary(benchmark::State &state)
{
    const int boundaries = int(state.range(0));
    std::vector<double> delays;
    for (auto _ : state) {
        delays.clear();
        for (int b = 0; b < boundaries; ++b) {
            const QDateTime boundary(QDate(2026, 12, 8), QTime(8, 1 + b, 0));
            platform::clock::runFrom(boundary.addMSecs(-300));
            ChartModel model;
            model.AddItem(QStringLiteral("Room"), GntRect);
            model.SetPieceRange(0, 0, short(boundary.time().hour()), short(boundary.time().minute()), 23, 0);
            ChartClock clock(&model);
            QEventLoop loop;
            double delay = -1;
            QObject::connect(&model, &ChartModel::PieceRangeStart, &loop, [&] {
                delay = boundary.msecsTo(platform::clock::now());
                loop.quit();
            });
            QTimer::singleShot(2000, &loop, &QEventLoop::quit);
            clock.start();
            loop.exec();
            delays.push_back(delay < 0 ? 2000.0 : delay);
        }
    }
    platform::clock::useSystemClock();
    std::sort(delays.begin(), delays.end());
    state.counters["boundaries"] = double(delays.size());
    state.counters["median_ms"] = delays[delays.size() / 2];
    state.counters["max_ms"] = delays.back();
    state.counters["min_ms"] = delays.front();
}
BENCHMARK(BM_RangeStartDelayAfterBoundary)->Arg(15)->Iterations(1)->Unit(benchmark::kMillisecond);

struct FullChart
{
    FullChart() { fillFullChart(model); }
    ChartModel model;
};

FullChart &fullChart()
{
    static FullChart chart;
    return chart;
}

// The scan of one minute change over every piece (no handlers connected).
void BM_MinuteScan501x48(benchmark::State &state)
{
    ChartModel &m = fullChart().model;
    int minute = 0;
    for (auto _ : state) {
        const QList<RangeEvent> due = m.rangeEventsAt(9, minute);
        benchmark::DoNotOptimize(due.size());
        minute = minute == 0 ? 30 : 0;
    }
}
BENCHMARK(BM_MinuteScan501x48)->Unit(benchmark::kMicrosecond);

// The whole minute change as the clock runs it, events raised to a handler.
void BM_MinuteChangeWithEvents501x48(benchmark::State &state)
{
    ChartModel &m = fullChart().model;
    int fired = 0;
    auto c1 = QObject::connect(&m, &ChartModel::PieceRangeStart, [&](short, short) { ++fired; });
    auto c2 = QObject::connect(&m, &ChartModel::PieceRangeEnd, [&](short, short) { ++fired; });
    int minute = 0;
    for (auto _ : state) {
        m.processMinuteChange(QTime(9, minute));
        minute = minute == 0 ? 30 : 0;
    }
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    state.counters["events_per_change"] = double(fired) / double(state.iterations());
}
BENCHMARK(BM_MinuteChangeWithEvents501x48)->Unit(benchmark::kMicrosecond);

void BM_FindPieceFromRangeAllItems(benchmark::State &state)
{
    ChartModel &m = fullChart().model;
    const short option = short(state.range(0));
    for (auto _ : state) {
        const QVariant found = m.FindPieceFromRange(-1, 9, 0, 10, 0, option);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindPieceFromRangeAllItems)->Arg(GntAllIncluded)->Arg(GntSubIncluded)->Unit(benchmark::kMicrosecond);

void BM_GetAllPieceNoOneItem(benchmark::State &state)
{
    ChartModel &m = fullChart().model;
    short i = 0;
    for (auto _ : state) {
        const QVariant numbers = m.GetAllPieceNo(i);
        benchmark::DoNotOptimize(numbers);
        i = short((i + 1) % 501);
    }
}
BENCHMARK(BM_GetAllPieceNoOneItem)->Unit(benchmark::kMicrosecond);

void BM_GetAllPieceNoEveryItem(benchmark::State &state)
{
    ChartModel &m = fullChart().model;
    for (auto _ : state) {
        for (short i = 0; i < 501; ++i) {
            const QVariant numbers = m.GetAllPieceNo(i);
            benchmark::DoNotOptimize(numbers);
        }
    }
}
BENCHMARK(BM_GetAllPieceNoEveryItem)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
