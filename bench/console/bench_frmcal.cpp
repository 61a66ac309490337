// Benchmarks of the main screen on a site of 501 groups with 48 reservations
// each today and tomorrow: LoadData of one chart, the minute tick's reload
// of both charts, and a click on a piece until the detail panel is painted.
#include "benchsite.h"

#include "chart/chartmodel.h"
#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/main/frmcal.h"
#include "platform/clock.h"
#include "platform/profile.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

// Answers every box with its first button, shows nothing.
class SilentBoxes : public console::MessageBoxes
{
public:
    console::MessageAnswer show(const console::Message &m, QWidget *) override
    {
        return m.buttons == console::MessageButtons::YesNo ? console::MessageAnswer::Yes : console::MessageAnswer::Ok;
    }
};

struct Screen
{
    Screen()
        : site(501, 48)
    {
        qputenv("SCH_HOME", site.home().toUtf8());
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 30)));
        state = std::make_unique<console::ConsoleState>(site.home());
        state->setMessages(&boxes);
        form = std::make_unique<console::FrmCal>(*state);
        form->startUp();
        form->show();
        QApplication::processEvents();
    }
    ~Screen()
    {
        form.reset();
        state.reset();
        platform::clock::useSystemClock();
    }
    BenchSite site;
    SilentBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
    std::unique_ptr<console::FrmCal> form;
};

void BM_LoadDataOneChart(benchmark::State &s)
{
    Screen screen;
    for (auto _ : s)
        screen.form->LoadData(QDate(2026, 12, 8), 0);
    s.counters["pieces"] = 501 * 48;
}
BENCHMARK(BM_LoadDataOneChart)->Unit(benchmark::kMillisecond);

void BM_MinuteTickReloadsBothCharts(benchmark::State &s)
{
    Screen screen;
    for (auto _ : s) {
        s.PauseTiming();
        platform::profile::writeString(screen.site.ini(), QStringLiteral("MENTE"), QStringLiteral("C-LOAD"),
                                       QStringLiteral("1"));
        s.ResumeTiming();
        screen.form->Timer2_Timer();
    }
}
BENCHMARK(BM_MinuteTickReloadsBothCharts)->Unit(benchmark::kMillisecond);

// In the maintenance mode (the chosen piece is marked dark): the click's
// handling and the repaint of the screen that follows.
void BM_PieceClickToDetailPanel(benchmark::State &s)
{
    Screen screen;
    console::FrmCal &form = *screen.form;
    form.state().LoginOK = true;
    form.EnterMaintenanceMode();
    QApplication::processEvents();
    int n = 0;
    for (auto _ : s) {
        const int row = (n * 37) % 501;
        const int piece = 1 + (n * 11) % 48;
        ++n;
        form.Chart_PieceClick(0, row, piece);
        form.repaint();
    }
}
BENCHMARK(BM_PieceClickToDetailPanel)->Unit(benchmark::kMillisecond);

} // namespace
