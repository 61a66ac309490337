// Start-up of Planboard on a site of 501 groups with 48 reservations each
// today and tomorrow: from the start of the process to the first painted
// frame of the main screen, and the resident memory then.  Each run starts
// this program again as a child ("--child <site>"), which does what
// Planboard's main does and reports when the form has painted.
#include "benchsite.h"

#include "console/common/consolestate.h"
#include "console/main/consolefont.h"
#include "console/main/frmcal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("painted %ld\n", residentKb());
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

int child(int argc, char **argv, const QString &site)
{
    qputenv("SCH_HOME", site.toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    console::applyConsoleFont();
    console::ConsoleState state;
    console::FrmCal form(state);
    FirstPaint probe;
    form.installEventFilter(&probe);
    form.startUp();
    form.show();
    return app.exec();
}

QString g_program;

void BM_ProcessStartToFirstPaint(benchmark::State &s)
{
    BenchSite site(501, 48);
    long rssKb = 0;
    for (auto _ : s) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(g_program, {QStringLiteral("--child"), site.home()});
        p.waitForReadyRead(30000);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const QByteArray said = p.readAllStandardOutput();
        p.waitForFinished(30000);
        if (!said.startsWith("painted ")) {
            s.SkipWithError("the child did not paint");
            break;
        }
        rssKb = said.mid(8).trimmed().toLong();
        s.SetIterationTime(ms / 1000.0);
    }
    s.counters["rss_MB"] = double(rssKb) / 1024.0;
}
BENCHMARK(BM_ProcessStartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    g_program = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
