// Benchmarks of the runner: how soon the first tag write of a reservation is
// journaled by the plant after its start minute, a whole site's output in one
// minute, LoadData, the day change with its backup, and the runner's
// resident memory.  The plant is a real vantord; the clock is moved with
// platform::clock so that each minute boundary is reached in about a second.
#include "runner/chartloader.h"
#include "runner/daychange.h"
#include "runner/frmcal.h"
#include "switching/outputqueue.h"
#include "bench/support/spinuntil.h"

#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/schema.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "platform/profile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

QString binDir()
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

QString hhmm(int minutes)
{
    return QStringLiteral("%1:%2:00").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A program folder with a database of `groups` valid groups.
class Site
{
public:
    explicit Site(int groups)
    {
        QDir(home()).mkpath(QStringLiteral("SC_DataBase"));
        QDir(home()).mkpath(QStringLiteral("LOG"));
        store::createDatabase(store::paths::databasePath(home()));
        platform::profile::writeString(ini(), QStringLiteral("LOG"), QStringLiteral("FLG"), QStringLiteral("1"));
        platform::profile::writeString(ini(), QStringLiteral("LOG"), QStringLiteral("DIR"), home() + QStringLiteral("/LOG"));
        platform::profile::writeString(ini(), QStringLiteral("Load"), QStringLiteral("Flg"), QStringLiteral("1"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-site"));
        db.setDatabaseName(store::paths::databasePath(home()));
        db.open();
        db.transaction();
        QSqlQuery q(db);
        for (int g = 1; g <= groups; ++g)
            q.exec(QStringLiteral("INSERT INTO GroupMaster VALUES (%1, 'Group %2', -1, 0)").arg(g).arg(g, 3, 10, QLatin1Char('0')));
        db.commit();
    }
    ~Site()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench-site"));
    }
    QString home() const { return dir.path(); }
    QString ini() const { return store::paths::settingsPath(home()); }
    void exec(const QStringList &statements)
    {
        db.transaction();
        QSqlQuery q(db);
        for (const QString &s : statements)
            q.exec(s);
        db.commit();
    }

    QTemporaryDir dir;
    QSqlDatabase db;
};

// vantord over a product folder with the given number tags.
class Plant
{
public:
    explicit Plant(const QStringList &tags)
    {
        QByteArray csv = "name,type,value,comment\n";
        for (const QString &t : tags)
            csv += t.toUtf8() + ",number,0,\n";
        QFile f(dir.filePath(QStringLiteral("tags.csv")));
        f.open(QIODevice::WriteOnly);
        f.write(csv);
        f.close();
        process.start(binDir() + QStringLiteral("/vantord"), {dir.path()});
        process.waitForStarted();
        QByteArray said;
        QDeadlineTimer deadline(10000);
        while (!said.contains("serving") && !deadline.hasExpired()) {
            process.waitForReadyRead(100);
            said += process.readAllStandardError();
        }
        qputenv("VANTOR_HOME", dir.path().toUtf8());
    }
    ~Plant()
    {
        process.terminate();
        process.waitForFinished();
    }
    QString journal() const { return dir.filePath(QStringLiteral("writes.csv")); }
    // Number of journaled writes (lines less the header), counted cheaply.
    int count() const
    {
        QFile f(journal());
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        return qMax(0, int(f.readAll().count('\n')) - 1);
    }
    // Journal lines (header excluded).
    QStringList lines() const
    {
        QFile f(journal());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList l = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!l.isEmpty() && l.first().startsWith(QLatin1String("time")))
            l.removeFirst();
        return l;
    }

    QTemporaryDir dir;
    QProcess process;
};

// The first write of a reservation: from the start minute's boundary until
// the plant's journal holds the write, over 20 boundaries (an event at every
// minute); the median is the figure.
void BM_FirstWriteAfterBoundary(benchmark::State &state)
{
    Site site(1);
    site.exec({QStringLiteral("INSERT INTO KikiTable VALUES ('T1', 'D1', 1, 1, 0)")});
    QStringList rows;
    for (int k = 0; k < 40; ++k) // 08:01-08:02, 08:03-08:04, ...: an event at every minute
        rows << QStringLiteral("INSERT INTO TodayTable VALUES (1, '%1', '%2')").arg(hhmm(481 + 2 * k), hhmm(482 + 2 * k));
    site.exec(rows);
    Plant plant({QStringLiteral("T1")});
    qputenv("SCH_HOME", site.home().toUtf8());
    const QDate day(2026, 12, 8);
    platform::clock::runFrom(QDateTime(day, QTime(8, 0, 30)));
    platform::profile::writeString(site.ini(), QStringLiteral("Higawari"), QStringLiteral("LastDate"),
                                   QStringLiteral("2026/12/08"));
    runner::FrmCal form;
    form.startUp({QStringLiteral("Schedule")});

    std::vector<double> delays;
    for (auto _ : state) {
        for (int boundary = 1; boundary <= 20; ++boundary) {
            const QDateTime at(day, QTime(8, 0).addSecs(60 * boundary));
            const int before = plant.count();
            platform::clock::runFrom(at.addMSecs(-1200));
            if (!spinUntil([&] { return plant.count() > before; }, 5000, 1)) {
                state.SkipWithError("no write journaled");
                break;
            }
            // Seen within the 1 ms poll of the journal.
            delays.push_back(double(at.msecsTo(platform::clock::now())));
        }
    }
    std::sort(delays.begin(), delays.end());
    if (!delays.empty()) {
        state.counters["median_ms"] = delays.at(delays.size() / 2);
        state.counters["min_ms"] = delays.front();
        state.counters["max_ms"] = delays.back();
        state.counters["boundaries"] = double(delays.size());
    }
    qunsetenv("SCH_HOME");
    platform::clock::useSystemClock();
}
BENCHMARK(BM_FirstWriteAfterBoundary)->Iterations(1)->Unit(benchmark::kMillisecond);

// 501 groups of 10 tags, all starting in the same minute, write pause 0:
// the time from the boundary until all 5010 writes are journaled.
void BM_WholeSiteInOneMinute(benchmark::State &state)
{
    const int groups = 501;
    const int tagsPerGroup = 10;
    Site site(groups);
    QStringList rows, tags;
    for (int g = 1; g <= groups; ++g) {
        rows << QStringLiteral("INSERT INTO TodayTable VALUES (%1, '08:30:00', '09:00:00')").arg(g);
        for (int k = 0; k < tagsPerGroup; ++k) {
            const QString tag = QStringLiteral("G%1T%2").arg(g).arg(k);
            tags << tag;
            rows << QStringLiteral("INSERT INTO KikiTable VALUES ('%1', 'D%1', %2, 1, 0)").arg(tag).arg(g);
        }
    }
    site.exec(rows);
    Plant plant(tags);
    qputenv("SCH_HOME", site.home().toUtf8());
    const QDateTime at(QDate(2026, 12, 8), QTime(8, 30));
    platform::clock::runFrom(at.addMSecs(-1500));
    platform::profile::writeString(site.ini(), QStringLiteral("Higawari"), QStringLiteral("LastDate"),
                                   QStringLiteral("2026/12/08"));
    runner::FrmCal form;
    form.startUp({QStringLiteral("Schedule")});
    for (auto _ : state) {
        if (!spinUntil([&] { return plant.count() >= groups * tagsPerGroup; }, 60000, 50)) {
            state.SkipWithError(qPrintable(QStringLiteral("only %1 of %2 writes journaled")
                                               .arg(plant.count()).arg(groups * tagsPerGroup)));
            break;
        }
        const QDateTime now = platform::clock::now();
        state.SetIterationTime(at.msecsTo(now) / 1000.0);
    }
    state.counters["writes"] = plant.count();
    qunsetenv("SCH_HOME");
    platform::clock::useSystemClock();
}
BENCHMARK(BM_WholeSiteInOneMinute)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// LoadData on a full day: 501 groups with 48 reservations each.
void BM_LoadData(benchmark::State &state)
{
    Site site(501);
    QStringList rows;
    for (int g = 1; g <= 501; ++g)
        for (int k = 0; k < 48; ++k)
            rows << QStringLiteral("INSERT INTO TodayTable VALUES (%1, '%2', '%3')").arg(g).arg(hhmm(30 * k), hhmm(30 * k + 20));
    site.exec(rows);
    chart::ChartModel chart;
    switching::GroupRows map;
    const QString database = store::paths::databasePath(site.home());
    for (auto _ : state)
        benchmark::DoNotOptimize(runner::fillChart(chart, map, database, QTime(12, 0)));
    state.counters["pieces"] = chart.GetPieceCount(0) * chart.GetItemCount();
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond);

// The day change with a weekly master of 501 groups x 11 day codes x 24
// rows, the backup and the second copy included.
void BM_DayChange(benchmark::State &state)
{
    Site site(501);
    QStringList rows;
    for (int g = 1; g <= 501; ++g)
        for (int code = 1; code <= 11; ++code)
            for (int k = 0; k < 24; ++k)
                rows << QStringLiteral("INSERT INTO Schedule VALUES (%1, %2, '%3', '%4')").arg(g).arg(code).arg(hhmm(60 * k), hhmm(60 * k + 30));
    for (int g = 1; g <= 501; ++g)
        for (int k = 0; k < 24; ++k)
            rows << QStringLiteral("INSERT INTO NextdayTable VALUES (%1, '%2', '%3')").arg(g).arg(hhmm(60 * k), hhmm(60 * k + 30));
    site.exec(rows);
    platform::profile::writeString(site.ini(), QStringLiteral("DB2"), QStringLiteral("NAME"),
                                   site.home() + QStringLiteral("/second/Sch.accdb"));
    store::Settings settings(site.home());
    qputenv("SCH_HOME", site.home().toUtf8());
    store::configureLogs(settings, site.home());
    runner::DayChange change(site.home(), settings, {{}, {}, {}, [] { return false; }});
    QDate day(2026, 12, 9);
    for (auto _ : state) {
        change.run(runner::DayChange::Kind::Roll, day);
        day = day.addDays(1);
    }
    store::configureLogs(store::OpLog());
    qunsetenv("SCH_HOME");
}
BENCHMARK(BM_DayChange)->Unit(benchmark::kMillisecond)->Iterations(5);

// Resident memory of the Schedule program running a site of 501 groups with
// 48 reservations and 10 tags each.
void BM_ResidentMemory(benchmark::State &state)
{
    Site site(501);
    QStringList rows;
    for (int g = 1; g <= 501; ++g) {
        for (int k = 0; k < 48; ++k)
            rows << QStringLiteral("INSERT INTO TodayTable VALUES (%1, '%2', '%3')").arg(g).arg(hhmm(30 * k), hhmm(30 * k + 20));
        for (int k = 0; k < 10; ++k)
            rows << QStringLiteral("INSERT INTO KikiTable VALUES ('G%1T%2', 'D%1-%2', %1, 1, 0)").arg(g).arg(k);
    }
    site.exec(rows);
    QProcess schedule;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), site.home());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SCH_CLOCK_START"), QStringLiteral("2026-12-08 12:00:10"));
    schedule.setProcessEnvironment(env);
    double kib = 0;
    for (auto _ : state) {
        schedule.start(binDir() + QStringLiteral("/Schedule"));
        schedule.waitForStarted();
        QThread::msleep(2000); // start-up done, chart loaded, timers armed
        QFile status(QStringLiteral("/proc/%1/status").arg(schedule.processId()));
        status.open(QIODevice::ReadOnly);
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                kib = line.mid(6).trimmed().split(' ').first().toDouble();
        schedule.kill();
        schedule.waitForFinished();
    }
    state.counters["RSS_MiB"] = kib / 1024.0;
}
BENCHMARK(BM_ResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
