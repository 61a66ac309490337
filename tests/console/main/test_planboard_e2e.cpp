// The console as operators meet it, with the runner and the plant: Planboard,
// Schedule and vantord on temporary sites with their clocks started near the
// moment under test; Starter's two jobs.
#include "consolefixture.h"
#include "processes.h"
#include "testsupport.h"

#include "platform/commandchannel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <csignal>

namespace {

const QDate Day(2026, 12, 8);

QProcessEnvironment environmentFor(const QString &home, const QString &clockStart)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("SCH_CLOCK_SHARED"));
    if (clockStart.isEmpty())
        env.remove(QStringLiteral("SCH_CLOCK_START"));
    else
        env.insert(QStringLiteral("SCH_CLOCK_START"), clockStart);
    return env;
}

// Whether a program of another program folder serves its channel.
bool servingIn(const QString &home, const QString &application, const QString &topic)
{
    const QByteArray before = qgetenv("SCH_HOME");
    qputenv("SCH_HOME", home.toUtf8());
    const bool serving = platform::channel::isServing(application, topic, 200);
    qputenv("SCH_HOME", before);
    return serving;
}

bool pokeIn(const QString &home, const QString &application, const QString &topic, const QString &item,
            const QString &text)
{
    const QByteArray before = qgetenv("SCH_HOME");
    qputenv("SCH_HOME", home.toUtf8());
    const bool ok = platform::channel::poke(application, topic, item, text);
    qputenv("SCH_HOME", before);
    return ok;
}

// A program of the build, started for a site; killed if the test leaves it running.
class Program
{
public:
    Program(const QString &name, const QString &home, const QString &clockStart = QString(),
            const QStringList &arguments = {})
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setProcessEnvironment(environmentFor(home, clockStart));
        m_process.start(testsupport::binDir() + QLatin1Char('/') + name, arguments);
        m_process.waitForStarted(5000);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool waitFinished(int ms = 10000)
    {
        return waitFor([this] { return m_process.state() == QProcess::NotRunning; }, ms);
    }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

// Runs a program of the build for a site to its end; its exit code.
int runToEnd(const QString &name, const QString &home, const QStringList &arguments = {})
{
    QProcess p;
    p.setProcessEnvironment(environmentFor(home, QString()));
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(testsupport::binDir() + QLatin1Char('/') + name, arguments);
    if (!p.waitForStarted(5000))
        return -1;
    waitFor([&] { return p.state() == QProcess::NotRunning; }, 15000);
    return p.exitCode();
}

// The Planboard processes of a program folder (their SCH_HOME names it).
QList<qint64> consolesOf(const QString &home)
{
    QList<qint64> pids;
    const QString planboard = QDir(testsupport::binDir()).absoluteFilePath(QStringLiteral("Planboard"));
    const QByteArray wanted = "SCH_HOME=" + QDir(home).absolutePath().toUtf8();
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath() != QFileInfo(planboard).canonicalFilePath())
            continue;
        QFile env(QStringLiteral("/proc/%1/environ").arg(pid));
        if (env.open(QIODevice::ReadOnly) && env.readAll().split('\0').contains(wanted))
            pids << pid;
    }
    return pids;
}

} // namespace

TEST_F(ConsoleTest, RunnerStartedAndStoppedFromTheConsole)
{
    site.setIni("Load", "Flg", QStringLiteral("1"));
    start();
    std::unique_ptr<Program> runner;
    form->setProgramStarter([&](const QString &program, const QStringList &arguments) {
        runner = std::make_unique<Program>(program, site.home(), QStringLiteral("2026-12-08 10:30:00"), arguments);
        return runner->process().state() == QProcess::Running;
    });
    enterMaintenance();
    form->Form_Activate();
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("停止中"));

    form->cmdSyuRun_Click();
    ASSERT_TRUE(runner);
    ASSERT_TRUE(waitFor([] { return platform::channel::isServing("schedule", "frmCal", 200); }, 10000));
    form->Form_Activate();
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("実行中"));
    EXPECT_EQ(runner->process().arguments(), QStringList{"1"});

    form->cmdSyuEnd_Click();
    ASSERT_TRUE(runner->waitFinished());
    form->Form_Activate();
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("停止中"));
    EXPECT_TRUE(site.opLog(Day).contains(QStringLiteral("スケジュール管理|||スケジュール(開始)")));
    EXPECT_TRUE(site.opLog(Day).contains(QStringLiteral("スケジュール管理|||スケジュール(停止)")));
}

TEST_F(ConsoleTest, AClientsVisitReloadsTheServerConsoleAndTheRunner)
{
    RunnerSite server;
    ASSERT_TRUE(server.isValid());
    server.setIni("Load", "Flg", QStringLiteral("1"));
    server.addGroup(1, QStringLiteral("空調A"), true);
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    site.setIni("CLIENT", "DBNAME", server.database());

    // The server's runner and console, their minute ticks a few seconds ahead.
    const QString clock = QStringLiteral("2026-12-08 10:30:53");
    Program runner(QStringLiteral("Schedule"), server.home(), clock);
    Program console(QStringLiteral("Planboard"), server.home(), clock);
    ASSERT_TRUE(waitFor([&] { return servingIn(server.home(), "schedule", "frmCal"); }, 10000));
    ASSERT_TRUE(waitFor([&] { return servingIn(server.home(), "Planboard", "frmCal"); }, 10000));

    start();
    enterMaintenance();
    leaveMaintenance();
    EXPECT_EQ(server.iniValue("MENTE", "C-LOAD"), QStringLiteral("1"));
    EXPECT_EQ(server.iniValue("MENTE", "J-LOAD"), QStringLiteral("1"));

    // At 10:31:00 both take their flag back and reload.
    ASSERT_TRUE(waitFor(
        [&] {
            return server.iniValue("MENTE", "C-LOAD") == QLatin1String("0")
                && server.iniValue("MENTE", "J-LOAD") == QLatin1String("0");
        },
        20000));
    ASSERT_TRUE(waitFor([&] { return server.opLog(Day).size() >= 3; }, 5000));
    const QStringList log = server.opLog(Day);
    EXPECT_TRUE(log.contains(QStringLiteral("サーバー設定更新|||スケジュール(完了)"))) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("設定読込|||スケジュール(完了)"))) << log.join('\n').toStdString();

    ASSERT_TRUE(pokeIn(server.home(), "Planboard", "frmCal", "DDELabel", "999"));
    ASSERT_TRUE(pokeIn(server.home(), "schedule", "frmCal", "txtDDE", "999"));
    EXPECT_TRUE(console.waitFinished());
    EXPECT_TRUE(runner.waitFinished());
}

TEST_F(ConsoleTest, ManualRunWritesTheTagsIntoThePlant)
{
    Plant plant({QStringLiteral("P1"), QStringLiteral("P2")});
    ASSERT_TRUE(plant.start());
    qputenv("VANTOR_HOME", plant.folder().toUtf8());
    site.addGroup(4, QStringLiteral("給湯P"), false);
    site.addTag(4, QStringLiteral("P1"), QStringLiteral("ポンプ1"), 1, 0);
    site.addTag(4, QStringLiteral("P2"), QStringLiteral("温度2"), 25, 0);
    start();
    enterMaintenance();
    form->AutoPieceClick(0, 1);
    find<QPushButton>("CmdGoStop_0")->click();
    ASSERT_TRUE(waitFor([&] { return plant.journal().size() >= 2; }, 10000));
    find<QPushButton>("CmdGoStop_1")->click();
    ASSERT_TRUE(waitFor([&] { return plant.journal().size() >= 4; }, 10000));
    qunsetenv("VANTOR_HOME");
    EXPECT_EQ(plant.journal(), (QStringList{"P1=1", "P2=25", "P1=0", "P2=0"}));
    EXPECT_EQ(site.opLog(Day).mid(1), (QStringList{"P1|ポンプ1|開始|スケジュール(手動)",
                                                   "P2|温度2|設定|スケジュール(手動) 25に設定",
                                                   "P1|ポンプ1|終了|スケジュール(手動)",
                                                   "P2|温度2|終了|スケジュール(手動)"}));
}

TEST_F(ConsoleTest, Starter999EndsTheConsoleAndClearsTheFlag)
{
    site.setIni("MENTE", "FLG", QStringLiteral("1"));
    Program console(QStringLiteral("Planboard"), site.home());
    ASSERT_TRUE(waitFor([&] { return servingIn(site.home(), "Planboard", "frmCal"); }, 10000));
    EXPECT_EQ(runToEnd(QStringLiteral("Starter"), site.home(), {QStringLiteral("999")}), 0);
    EXPECT_TRUE(console.waitFinished());
    EXPECT_EQ(console.process().exitCode(), 0);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("0"));
}

TEST_F(ConsoleTest, ASecondConsoleEndsAtOnceAndTheFirstRunsOn)
{
    Program first(QStringLiteral("Planboard"), site.home());
    ASSERT_TRUE(waitFor([&] { return servingIn(site.home(), "Planboard", "frmCal"); }, 10000));
    Program second(QStringLiteral("Planboard"), site.home());
    EXPECT_TRUE(second.waitFinished());
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(first.process().state(), QProcess::Running);
    EXPECT_TRUE(pokeIn(site.home(), "Planboard", "frmCal", "DDELabel", "999"));
    EXPECT_TRUE(first.waitFinished());
}

TEST_F(ConsoleTest, StarterTwiceStartsOneConsole)
{
    EXPECT_EQ(runToEnd(QStringLiteral("Starter"), site.home()), 0);
    EXPECT_EQ(runToEnd(QStringLiteral("Starter"), site.home()), 0);
    ASSERT_TRUE(waitFor([&] { return servingIn(site.home(), "Planboard", "frmCal"); }, 10000));
    // A second console, if one was started, ends as soon as it sees the first.
    waitFor([&] { return consolesOf(site.home()).size() == 1; }, 5000);
    EXPECT_EQ(consolesOf(site.home()).size(), 1);
    // Once it runs, Starter brings it forward.
    EXPECT_EQ(runToEnd(QStringLiteral("Starter"), site.home()), 0);
    EXPECT_EQ(consolesOf(site.home()).size(), 1);

    EXPECT_EQ(runToEnd(QStringLiteral("Starter"), site.home(), {QStringLiteral("999")}), 0);
    EXPECT_TRUE(waitFor([&] { return consolesOf(site.home()).isEmpty(); }, 10000));
    for (qint64 pid : consolesOf(site.home()))
        ::kill(pid_t(pid), SIGKILL); // only a console this test started
}
