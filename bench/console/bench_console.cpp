// Benchmarks of reservation editing in the console on a site of 501 groups,
// each with 24 reservations on every one of the eleven day codes: from the
// reservation dialog's acceptance to the reloaded chart with the new piece
// chosen (the weekly editor and today's chart of the main screen), and the
// rebuild of both day tables for all groups.
#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/dayreflect.h"
#include "console/main/frmcal.h"
#include "console/maintenance/frmmain.h"

#include "chart/chartmodel.h"
#include "platform/profile.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/sitepaths.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Groups = 501;
constexpr int DayCodes = 11;
constexpr int RowsPerDay = 24;

QString hhmm(int hour, int minute)
{
    return QStringLiteral("%1:%2:00").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0'));
}

// Message boxes that answer at once.
class SilentBoxes : public console::MessageBoxes
{
public:
    console::MessageAnswer show(const console::Message &, QWidget *) override { return console::MessageAnswer::Yes; }
};

// A program folder whose master holds 24 half-hour reservations (hh:00-hh:30)
// per group and day code, and whose day tables hold one day of them.
class Site
{
public:
    Site()
    {
        QDir(home()).mkpath(QStringLiteral("SC_DataBase"));
        store::createDatabase(store::paths::databasePath(home()));
        platform::profile::writeString(store::paths::settingsPath(home()), QStringLiteral("LOG"),
                                       QStringLiteral("FLG"), QStringLiteral("0"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-site"));
        db.setDatabaseName(store::paths::databasePath(home()));
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (?, ?, -1, 0)"));
        for (int g = 1; g <= Groups; ++g) {
            q.addBindValue(g);
            q.addBindValue(QStringLiteral("グループ%1").arg(g, 3, 10, QLatin1Char('0')));
            q.exec();
        }
        q.prepare(QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (?, ?, ?, ?)"));
        for (int g = 1; g <= Groups; ++g)
            for (int code = 1; code <= DayCodes; ++code)
                for (int h = 0; h < RowsPerDay; ++h) {
                    q.addBindValue(g);
                    q.addBindValue(code);
                    q.addBindValue(hhmm(h, 0));
                    q.addBindValue(hhmm(h, 30));
                    q.exec();
                }
        for (const char *table : {"TodayTable", "NextdayTable"})
            q.exec(QStringLiteral("INSERT INTO %1 (GPno, StartTime, EndTime) SELECT GPno, StartTime, EndTime "
                                  "FROM Schedule WHERE lWeek = 3")
                       .arg(QLatin1String(table)));
        db.commit();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench-site"));
    }
    QString home() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

Site &site()
{
    static Site s;
    return s;
}

// The weekly editor of one group in the maintenance mode: a new reservation
// 10:40-10:50 on Tuesday accepted, stored, the chart reloaded and the new
// piece chosen; the row is removed again outside the timing.
void BM_WeeklyEditorNewReservation(benchmark::State &bench)
{
    console::ConsoleState state(site().home());
    state.openDatabase();
    SilentBoxes boxes;
    state.setMessages(&boxes);
    state.MaintMode = true;
    state.CurrentGroupName = QStringLiteral("グループ250");
    console::FrmMain form(state);
    store::Database &db = state.database();
    for (auto _ : bench) {
        state.ReserveStart = QTime(10, 40);
        state.ReserveEnd = QTime(10, 50);
        form.StoreNewReservation(2);
        bench.PauseTiming();
        if (form.nCurPieceNo != 12 || form.chartModel().GetPieceCount(2) != RowsPerDay + 1)
            bench.SkipWithError("the new piece is not the chosen one");
        db.execute(QStringLiteral("DELETE FROM Schedule WHERE GPno = 250 AND lWeek = 3 AND StartTime = '10:40:00'"));
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_WeeklyEditorNewReservation)->Unit(benchmark::kMillisecond);

// Today's chart of the main screen in the maintenance mode: a new reservation
// 10:40-10:50 of one of the 501 groups accepted, stored in TodayTable, the
// chart of all groups reloaded and the new piece chosen.
void BM_DayChartNewReservation(benchmark::State &bench)
{
    qputenv("SCH_HOME", site().home().toUtf8());
    console::ConsoleState state(site().home());
    SilentBoxes boxes;
    state.setMessages(&boxes);
    console::FrmCal form(state);
    form.setProgramStarter([](const QString &, const QStringList &) { return false; });
    form.startUp();
    form.EnterMaintenanceMode();
    chart::ChartModel &chart = form.chartModel(0);
    int row = -1;
    for (short i = 0; i < chart.GetItemCount(); ++i)
        if (chart.GetItemName(i) == QStringLiteral("グループ250"))
            row = i;
    store::Database &db = state.database();
    for (auto _ : bench) {
        state.ReserveStart = QTime(10, 40);
        state.ReserveEnd = QTime(10, 50);
        form.StoreNewReservation(row);
        bench.PauseTiming();
        if (form.shownDay() != 0 || form.nCurIndex != row || form.nCurPieceNo != 12
            || chart.GetPieceCount(short(row)) != RowsPerDay + 1)
            bench.SkipWithError("the new piece is not the chosen one");
        db.execute(QStringLiteral("DELETE FROM TodayTable WHERE GPno = 250 AND StartTime = '10:40:00'"));
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_DayChartNewReservation)->Unit(benchmark::kMillisecond);

// RebuildDayTables: 501 groups x 11 day codes x 24 rows in the master, both
// days copied in one transaction.
void BM_RebuildDayTables(benchmark::State &bench)
{
    console::ConsoleState state(site().home());
    state.openDatabase();
    console::dayreflect::DayCodes codes;
    codes.today = 3;
    codes.nextday = 4;
    for (auto _ : bench) {
        if (!console::dayreflect::rebuildDayTables(state.database(), codes))
            bench.SkipWithError("rebuild failed");
    }
    const QVariant rows = state.database().scalar(QStringLiteral("SELECT COUNT(*) FROM TodayTable"));
    if (rows.toInt() != Groups * RowsPerDay)
        bench.SkipWithError("wrong number of rows");
}
BENCHMARK(BM_RebuildDayTables)->Unit(benchmark::kMillisecond);

} // namespace
