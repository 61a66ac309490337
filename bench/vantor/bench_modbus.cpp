// vantord as the gateway to Modbus TCP devices, against pymodbus devices on
// loopback: one acknowledged write through the product's API next to the same
// write made directly with libmodbus, and the whole site's minute (501 groups
// of 10 tags over 10 devices, the runner's write pause 0) with every device up
// and with one of them not answering.
#include "../../tests/vantor/modbussimulator.h"

#include "runner/frmcal.h"
#include "taglink/vantorlibrary.h"
#include "bench/support/spinuntil.h"

#include "platform/clock.h"
#include "platform/profile.h"
#include "store/schema.h"
#include "store/sitepaths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <modbus.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QString binDir()
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

void useThisBuild()
{
    if (qEnvironmentVariableIsEmpty("SCH_SOURCE_DIR"))
        qputenv("SCH_SOURCE_DIR", SCH_BENCH_SOURCE_DIR);
    qputenv("VANTOR_API", QFile::encodeName(binDir() + QStringLiteral("/libvantorapi.so")));
}

// vantord over a product folder: number tags, and modbus.csv lines.
class Product
{
public:
    Product(const QStringList &tags, const QString &bindings)
    {
        QByteArray csv = "name,type,value,comment\n";
        for (const QString &t : tags)
            csv += t.toUtf8() + ",number,0,\n";
        write(QStringLiteral("tags.csv"), csv);
        write(QStringLiteral("modbus.csv"), "tag,host,port,unit,table,address,type,scale,poll_ms\n" + bindings.toUtf8());
        qputenv("VANTOR_HOME", QFile::encodeName(dir.path()));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(binDir() + QStringLiteral("/vantord"), {dir.path()});
        QDeadlineTimer deadline(10000);
        while (!up && !deadline.hasExpired()) {
            QLocalSocket probe;
            probe.connectToServer(dir.filePath(QStringLiteral("vantord.sock")));
            up = probe.waitForConnected(100);
            if (!up)
                process.waitForFinished(20);
        }
    }
    ~Product()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QStringList journal() const
    {
        QFile f(dir.filePath(QStringLiteral("writes.csv")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    }

    QTemporaryDir dir;
    QProcess process;
    bool up = false;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v.at(v.size() / 2);
}

double percentile90(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v.at(v.size() * 9 / 10);
}

// One write acknowledged by the device through vantord (the product's API,
// as Taglink calls it), and the same write made directly with libmodbus to
// the same device, alternately; the difference of the medians is vantord's
// share.
void BM_AcknowledgedWrite(benchmark::State &state)
{
    useThisBuild();
    ModbusSimulator device;
    if (!device.isRunning()) {
        state.SkipWithError("no simulator");
        return;
    }
    Product product({QStringLiteral("AC1")},
                    QStringLiteral("AC1,127.0.0.1,%1,1,holding,0,int16,10,0\n").arg(device.port()));
    taglink::PlantApiPtr api = taglink::VantorLibrary::instance();
    modbus_t *direct = modbus_new_tcp("127.0.0.1", device.port());
    if (!product.up || !api->start() || !direct || modbus_connect(direct) == -1) {
        state.SkipWithError("no product, API or direct connection");
        return;
    }
    modbus_set_slave(direct, 1);
    struct Record
    {
        const char *name;
        int32_t id;
        uint8_t type, kind;
    } record{"AC1$VALUE", -1, 0, 0};
    api->resolveTags(1, &record, sizeof record, offsetof(Record, name), offsetof(Record, id), offsetof(Record, type),
                     offsetof(Record, kind));

    std::vector<double> gateway, plain;
    QElapsedTimer t;
    int i = 0;
    for (auto _ : state) {
        const double v = double(i % 100) / 10.0;
        t.start();
        const int32_t rc = api->write(0, "", 0, 1, 8, &record.id, &v);
        gateway.push_back(double(t.nsecsElapsed()) / 1000.0);
        t.start();
        const int direct_rc = modbus_write_register(direct, 1, uint16_t(i % 100));
        plain.push_back(double(t.nsecsElapsed()) / 1000.0);
        if (rc != 0 || direct_rc == -1) {
            state.SkipWithError("a write failed");
            break;
        }
        ++i;
    }
    api->stop();
    modbus_close(direct);
    modbus_free(direct);
    state.counters["gateway_median_us"] = median(gateway);
    state.counters["gateway_p90_us"] = percentile90(gateway);
    state.counters["direct_median_us"] = median(plain);
    state.counters["added_median_us"] = median(gateway) - median(plain);
}
BENCHMARK(BM_AcknowledgedWrite)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// A program folder of `groups` groups of `tags` device tags each, all of
// them starting at 08:30; tag k of every group is on device k.
class Site
{
public:
    Site(int groups, int tags)
    {
        QDir(home()).mkpath(QStringLiteral("SC_DataBase"));
        store::createDatabase(store::paths::databasePath(home()));
        platform::profile::writeString(ini(), QStringLiteral("Load"), QStringLiteral("Flg"), QStringLiteral("1"));
        platform::profile::writeString(ini(), QStringLiteral("MENTE"), QStringLiteral("TIMER"), QStringLiteral("0"));
        platform::profile::writeString(ini(), QStringLiteral("Higawari"), QStringLiteral("LastDate"),
                                       QStringLiteral("2026/12/08"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-modbus-site"));
            db.setDatabaseName(store::paths::databasePath(home()));
            db.open();
            db.transaction();
            QSqlQuery q(db);
            for (int g = 1; g <= groups; ++g) {
                q.exec(QStringLiteral("INSERT INTO GroupMaster VALUES (%1, 'Group %2', -1, 0)").arg(g).arg(g, 3, 10, QLatin1Char('0')));
                q.exec(QStringLiteral("INSERT INTO TodayTable VALUES (%1, '08:30:00', '09:00:00')").arg(g));
                for (int k = 0; k < tags; ++k)
                    q.exec(QStringLiteral("INSERT INTO KikiTable VALUES ('%1', 'D%1', %2, 1, 0)").arg(tagName(g, k)).arg(g));
            }
            db.commit();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-modbus-site"));
    }
    static QString tagName(int group, int k) { return QStringLiteral("G%1T%2").arg(group).arg(k); }
    QString home() const { return dir.path(); }
    QString ini() const { return store::paths::settingsPath(home()); }

    QTemporaryDir dir;
};

// The whole site's minute: the time from the boundary until the last write
// is acknowledged.  Argument 0: every device up; 1: device 9 stops
// answering just before the minute (it is noticed by its first write, after
// the 1 s timeout; the writes to the other nine are timed).
void BM_WholeSiteMinute(benchmark::State &state)
{
    useThisBuild();
    const int groups = 501, devices = 10;
    const bool oneDown = state.range(0) == 1;
    std::vector<std::unique_ptr<ModbusSimulator>> sims;
    for (int k = 0; k < devices; ++k) {
        sims.push_back(std::make_unique<ModbusSimulator>());
        if (!sims.back()->isRunning()) {
            state.SkipWithError("no simulator");
            return;
        }
    }
    QStringList tags;
    QString bindings;
    for (int g = 1; g <= groups; ++g) {
        for (int k = 0; k < devices; ++k) {
            tags << Site::tagName(g, k);
            bindings += QStringLiteral("%1,127.0.0.1,%2,1,holding,%3,uint16,,1000\n")
                            .arg(Site::tagName(g, k))
                            .arg(sims.at(size_t(k))->port())
                            .arg(g - 1);
        }
    }
    Site site(groups, devices);
    Product product(tags, bindings);
    if (!product.up) {
        state.SkipWithError("vantord did not start");
        return;
    }
    qputenv("SCH_HOME", site.home().toUtf8());
    const QDateTime at(QDate(2026, 12, 8), QTime(8, 30));
    platform::clock::runFrom(at.addMSecs(-2500));
    auto form = std::make_unique<runner::FrmCal>();
    form->startUp({QStringLiteral("Schedule")});
    if (oneDown) {
        spinUntil([] { return false; }, 2200, 50); // the devices connected and polled
        sims.back()->mute();
    }

    const QString deadMark = QStringLiteral("T%1,").arg(devices - 1);
    auto upOk = [&] {
        int ok = 0;
        for (const QString &line : product.journal())
            if (line.endsWith(QLatin1String(",ok")) && !(oneDown && line.contains(deadMark)))
                ++ok;
        return ok;
    };
    const int expected = oneDown ? groups * (devices - 1) : groups * devices;
    for (auto _ : state) {
        if (!spinUntil([&] { return upOk() >= expected; }, 120000, 20)) {
            state.SkipWithError(qPrintable(QStringLiteral("only %1 of %2 writes acknowledged").arg(upOk()).arg(expected)));
            break;
        }
        state.SetIterationTime(at.msecsTo(platform::clock::now()) / 1000.0);
    }
    // Stalls of the acknowledged writes: the longest time between two of
    // them, and how many waited more than half a second.
    const QStringList journal = product.journal();
    QDateTime previous;
    double longest = 0;
    int stalls = 0;
    for (const QString &line : journal) {
        if (!line.endsWith(QLatin1String(",ok")) || (oneDown && line.contains(deadMark)))
            continue;
        const QDateTime t = QDateTime::fromString(line.section(QLatin1Char(','), 0, 0), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        if (previous.isValid()) {
            const double gap = double(previous.msecsTo(t));
            longest = std::max(longest, gap);
            stalls += gap > 500 ? 1 : 0;
        }
        previous = t;
    }
    state.counters["acknowledged"] = upOk();
    state.counters["failed"] = double(journal.size() - upOk());
    state.counters["longest_gap_ms"] = longest;
    state.counters["stalls_over_500ms"] = stalls;
    form.reset();
    qunsetenv("SCH_HOME");
    platform::clock::useSystemClock();
}
BENCHMARK(BM_WholeSiteMinute)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
