#include "platform/clock.h"
#include "platform/process.h"
#include "platform/singleinstance.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

TEST(SingleInstance, OnePerProgramAndProgramFolder)
{
    QTemporaryDir a, b;
    qputenv("SCH_HOME", a.path().toUtf8());
    {
        SingleInstance first(QStringLiteral("Schedule"));
        EXPECT_TRUE(first.isFirst());
        SingleInstance second(QStringLiteral("Schedule"));
        EXPECT_FALSE(second.isFirst());
        // Another program of the same folder is not affected.
        SingleInstance notifier(QStringLiteral("Notifier"));
        EXPECT_TRUE(notifier.isFirst());
        // Nor the same program of another folder.
        qputenv("SCH_HOME", b.path().toUtf8());
        SingleInstance elsewhere(QStringLiteral("Schedule"));
        EXPECT_TRUE(elsewhere.isFirst());
        qputenv("SCH_HOME", a.path().toUtf8());
    }
    // Released with its holder.
    SingleInstance again(QStringLiteral("Schedule"));
    EXPECT_TRUE(again.isFirst());
    qunsetenv("SCH_HOME");
}

TEST(ChildEnvironment, CarriesTheProgramFolderAndThePresentClock)
{
    QTemporaryDir home;
    qputenv("SCH_HOME", home.path().toUtf8());
    qputenv("SCH_CLOCK_START", "2026-12-08 23:59:50");
    clock::setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 5)));
    const QProcessEnvironment env = childEnvironment();
    EXPECT_EQ(env.value(QStringLiteral("SCH_HOME")), home.path());
    // A child started later must not restart the clock at the parent's start.
    EXPECT_EQ(env.value(QStringLiteral("SCH_CLOCK_START")), QStringLiteral("2026-12-09 00:00:05"));
    clock::useSystemClock();
    qunsetenv("SCH_CLOCK_START");
    qunsetenv("SCH_HOME");
}
