#include "tools/Starter/starter.h"

#include "platform/commandchannel.h"
#include "platform/commandserver.h"
#include "testsupport.h"

#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

// A console busy for longer than a second (a long database wait, the copies
// at its close) is running all the same: Starter waits for its answer and
// ends it, instead of taking it for gone.  A link that takes the connection
// but never answers is a console Starter could not reach.
TEST(Starter, WaitsForABusyConsoleAndSaysWhenItGetsNoAnswer)
{
    QTemporaryDir home;
    qputenv("SCH_HOME", home.path().toUtf8());
    EXPECT_EQ(starter::run({QStringLiteral("999")}), starter::Outcome::NotRunning);
    {
        platform::CommandServer console(QStringLiteral("Planboard"), QStringLiteral("frmCal"));
        console.addItem(QStringLiteral("DDELabel"), QString());
        ASSERT_TRUE(console.listen());
        QSignalSpy changed(&console, &platform::CommandServer::itemChanged);
        // The console's thread is held for 1.5 s as soon as the loop turns.
        QTimer::singleShot(0, [] { QThread::msleep(1500); });
        EXPECT_EQ(testsupport::whileServing([] { return starter::run({QStringLiteral("999")}); }),
                  starter::Outcome::Ended);
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(1).toString(), QStringLiteral("999"));
    }
    QLocalServer mute;
    ASSERT_TRUE(mute.listen(platform::channel::socketName(QStringLiteral("Planboard"), QStringLiteral("frmCal"))));
    EXPECT_EQ(starter::run({QStringLiteral("999")}, 500), starter::Outcome::Failed);
    EXPECT_EQ(starter::run({}, 500), starter::Outcome::Failed);
    qunsetenv("SCH_HOME");
}
