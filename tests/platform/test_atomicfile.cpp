#include "platform/atomicfile.h"
#include "filesizelimit.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>

using namespace platform;

namespace {

using testsupport::FileSizeLimit;

TEST(AtomicFile, ReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    ASSERT_TRUE(writeFileAtomically(path, "first version, longer"));
    ASSERT_TRUE(writeFileAtomically(path, "second"));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.ini")});
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sch.ini"));
    ASSERT_TRUE(writeFileAtomically(path, "[MENTE]\r\nFLG=0\r\n"));
    {
        FileSizeLimit limit(64);
        QString error;
        EXPECT_FALSE(writeFileAtomically(path, QByteArray(4096, 'x'), &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(testsupport::readAll(path), QByteArray("[MENTE]\r\nFLG=0\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Sch.ini")});

    // A folder that does not exist.
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("no/such/file")), "x"));
}

TEST(AtomicFile, AppendsCreateAndReportTheSystemError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    ASSERT_TRUE(appendToFile(path, "one\r\n"));
    ASSERT_TRUE(appendToFile(path, "two\r\n"));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("one\r\ntwo\r\n"));

    int number = 0;
    QString error;
    EXPECT_FALSE(appendToFile(dir.filePath(QStringLiteral("missing/log.csv")), "x", &error, &number));
    EXPECT_EQ(number, ENOENT);
    EXPECT_FALSE(error.isEmpty());

    {
        FileSizeLimit limit(16);
        number = 0;
        EXPECT_FALSE(appendToFile(path, QByteArray(100, 'y'), nullptr, &number));
        EXPECT_NE(number, 0);
    }

    // A pipe in place of a log file: refused at once, never waited on.
    const QString pipe = dir.filePath(QStringLiteral("20261208.TXT"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(appendToFile(pipe, "entry\r\n", nullptr, &number));
}

} // namespace
