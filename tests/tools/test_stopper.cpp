#include "tools/Stopper/stopper.h"

#include "platform/commandchannel.h"
#include "platform/commandserver.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Stopper blocks on the channel, so it runs on a helper thread while this
// thread plays the runner.
stopper::Outcome runStopper(QStringList *shown, int answerTimeoutMs = stopper::AnswerTimeoutMs)
{
    return testsupport::whileServing([shown, answerTimeoutMs] {
        return stopper::run([shown](const QString &m) { shown->append(m); }, answerTimeoutMs);
    });
}

struct Site {
    Site() { qputenv("SCH_HOME", home.path().toUtf8()); }
    ~Site() { qunsetenv("SCH_HOME"); }
    QTemporaryDir home;
};

} // namespace

TEST(Stopper, PokesStopIntoTheRunner)
{
    Site site;
    platform::CommandServer runner(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    runner.addItem(QStringLiteral("txtDDE"), QStringLiteral("0"));
    ASSERT_TRUE(runner.listen());
    QSignalSpy changed(&runner, &platform::CommandServer::itemChanged);

    QStringList shown;
    EXPECT_EQ(runStopper(&shown), stopper::Outcome::Stopped);
    EXPECT_TRUE(shown.isEmpty());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toString(), QStringLiteral("999"));
}

TEST(Stopper, SaysSoWhenNoRunnerRunsOrItCannotStopIt)
{
    Site site;
    QStringList shown;
    EXPECT_EQ(runStopper(&shown), stopper::Outcome::NotRunning);
    EXPECT_EQ(shown, QStringList{QStringLiteral("スケジュールは停止しています。")});

    // A program serves the link but refuses the item: the poke failed.
    platform::CommandServer odd(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    ASSERT_TRUE(odd.listen());
    shown.clear();
    EXPECT_EQ(runStopper(&shown), stopper::Outcome::Failed);
    EXPECT_EQ(shown, QStringList{
        QStringLiteral("スケジュールが停止出来ませんでした。一旦画面を閉じて再度実行して下さい。")});
}

// A runner busy for longer than a second (a long database wait, a large
// backup) is still running: Stopper waits for its answer and stops it.
TEST(Stopper, WaitsForABusyRunner)
{
    Site site;
    platform::CommandServer runner(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    runner.addItem(QStringLiteral("txtDDE"), QStringLiteral("0"));
    ASSERT_TRUE(runner.listen());
    QSignalSpy changed(&runner, &platform::CommandServer::itemChanged);
    // The runner's thread is held for 1.5 s as soon as the loop turns.
    QTimer::singleShot(0, [] { QThread::msleep(1500); });

    QStringList shown;
    EXPECT_EQ(runStopper(&shown), stopper::Outcome::Stopped);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(changed.wait(1000) || changed.count() == 1);
    EXPECT_EQ(changed.at(0).at(1).toString(), QStringLiteral("999"));
}

// A channel that takes the connection but never answers: the runner is
// there but cannot be stopped, which is what Stopper says.
TEST(Stopper, AChannelThatNeverAnswersCannotBeStopped)
{
    Site site;
    QLocalServer mute;
    ASSERT_TRUE(mute.listen(platform::channel::socketName(QStringLiteral("schedule"), QStringLiteral("frmCal"))));
    QStringList shown;
    EXPECT_EQ(runStopper(&shown, 1000), stopper::Outcome::Failed);
    EXPECT_EQ(shown, QStringList{stopper::FailedMessage});
}

// The program on a server without a display or a session runtime folder:
// its message goes to standard error (no box that nobody could confirm) and
// nothing else is said.
TEST(Stopper, WithoutADisplayTheMessageGoesToStandardError)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QProcess stopper;
    stopper.setProcessEnvironment(env);
    stopper.start(testsupport::binDir() + QStringLiteral("/Stopper"), QStringList());
    ASSERT_TRUE(stopper.waitForFinished(10000));
    EXPECT_EQ(stopper.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(stopper.readAllStandardError()),
              QStringLiteral("Stopper: スケジュールは停止しています。\n"));
}
