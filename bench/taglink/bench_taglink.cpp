// The runner's per-tag cycle through Taglink (open, write, flush, close)
// against a running vantord, and the raw write round trip of the API.
#include "taglink/taglinkmodel.h"
#include "taglink/vantorlibrary.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int TagCount = 100;

QString tagName(int i)
{
    return QStringLiteral("AC%1$VALUE").arg(i);
}

// The runner's way: one tag in the list, open, write, flush, close.
void BM_TaglinkCycle(benchmark::State &state)
{
    taglink::TaglinkModel model;
    int i = 0;
    for (auto _ : state) {
        model.setTagList(tagName(i % TagCount));
        if (!model.Open()) {
            state.SkipWithError("Open failed");
            break;
        }
        model.setPLCTagValue(0, QVariant::fromValue(float(i % 2)));
        model.FlushWriteBuffer();
        model.Close();
        ++i;
    }
}
BENCHMARK(BM_TaglinkCycle)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One ApiWrite of one number on a started API.
void BM_RawWrite(benchmark::State &state)
{
    taglink::PlantApiPtr api = taglink::VantorLibrary::instance();
    if (!api->start()) {
        state.SkipWithError("ApiStart failed");
        return;
    }
    struct Record
    {
        const char *name;
        int32_t id;
        uint8_t type;
        uint8_t kind;
    } record{"AC0$VALUE", -1, 0, 0};
    api->resolveTags(1, &record, sizeof record, offsetof(Record, name), offsetof(Record, id), offsetof(Record, type),
                     offsetof(Record, kind));
    double v = 0;
    for (auto _ : state) {
        v = v == 0 ? 1 : 0;
        if (api->write(0, "", 0, 1, 8, &record.id, &v) != 0) {
            state.SkipWithError("ApiWrite failed");
            break;
        }
    }
    api->stop();
}
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QFile tags(home.filePath(QStringLiteral("tags.csv")));
    if (!tags.open(QIODevice::WriteOnly))
        return 1;
    tags.write("name,type,value,comment\n");
    for (int i = 0; i < TagCount; ++i)
        tags.write(QStringLiteral("AC%1,number,0,\n").arg(i).toUtf8());
    tags.close();

    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin");
    qputenv("VANTOR_HOME", QFile::encodeName(home.path()));
    qputenv("VANTOR_API", QFile::encodeName(bin + QStringLiteral("/libvantorapi.so")));
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(bin + QStringLiteral("/vantord"), {home.path()});
    QDeadlineTimer deadline(5000);
    bool up = false;
    while (!up && !deadline.hasExpired()) {
        QLocalSocket probe;
        probe.connectToServer(home.filePath(QStringLiteral("vantord.sock")));
        up = probe.waitForConnected(100);
        if (!up)
            server.waitForFinished(20);
    }
    if (!up) {
        std::fprintf(stderr, "vantord did not start\n");
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    server.terminate();
    server.waitForFinished(5000);
    return 0;
}
