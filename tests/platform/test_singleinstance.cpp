#include "platform/clock.h"
#include "platform/process.h"
#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

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

// A session without a runtime folder (a plain server) gets a private one of
// the user's, which Qt accepts without a warning; an unusable one is replaced.
TEST(RuntimeFolder, APrivateFolderWhenTheSessionHasNone)
{
    QTemporaryDir tmp;
    const QByteArray savedTmp = qgetenv("TMPDIR");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", tmp.path().toUtf8());
    qunsetenv("XDG_RUNTIME_DIR");
    auto mode = [](const QString &path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
    };

    const QString first = prepareRuntimeFolder();
    EXPECT_EQ(first, tmp.path() + QStringLiteral("/sch-runtime-%1").arg(::geteuid()));
    EXPECT_EQ(mode(first), 0700);
    EXPECT_EQ(qEnvironmentVariable("XDG_RUNTIME_DIR"), first);
    EXPECT_EQ(prepareRuntimeFolder(), first); // kept while usable

    // A folder others may enter is no runtime folder: a fresh private one.
    ASSERT_EQ(::chmod(QFile::encodeName(first).constData(), 0755), 0);
    qputenv("XDG_RUNTIME_DIR", first.toUtf8());
    const QString second = prepareRuntimeFolder();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second.startsWith(tmp.path() + QStringLiteral("/sch-runtime-"))) << second.toStdString();
    EXPECT_EQ(mode(second), 0700);
    EXPECT_EQ(qEnvironmentVariable("XDG_RUNTIME_DIR"), second);

    savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTmp);
    savedRuntime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", savedRuntime);
}
