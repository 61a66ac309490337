#include "store/secondcopy.h"

#include "store/database.h"
#include "store/groups.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/schema.h"
#include "store/sitepaths.h"
#include "store/tracelog.h"

#include "platform/clock.h"
#include "platform/textcodec.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "qtprint.h"

using namespace store;

namespace {

// A program folder with the site's own files, and a second place beside it.
class SecondCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        home = dir.filePath(QStringLiteral("site"));
        QDir().mkpath(home + QStringLiteral("/SC_DataBase"));
        QDir().mkpath(dir.filePath(QStringLiteral("share")));
        ASSERT_TRUE(createDatabase(paths::databasePath(home)));
        {
            Database db(paths::databasePath(home));
            ASSERT_TRUE(db.open());
            ASSERT_TRUE(db.execute(QStringLiteral(
                "INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (1, '空調A', True, False)")));
        }
        writeFile(paths::settingsPath(home), "[DB2]\r\nNAME=x\r\n");
        writeFile(paths::dayInfoPath(home), "2026/12/10,\"特日２\",\r\n");
        writeFile(paths::passwordPath(home), "secret              ");
        platform::clock::setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 5)));
        configureLogs(OpLog(false, QString(), TraceLog(home)));
    }
    void TearDown() override
    {
        configureLogs(OpLog());
        platform::clock::useSystemClock();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        ASSERT_TRUE(testsupport::writeAll(path, bytes)) << path.toStdString();
    }
    QStringList own() const { return secondcopy::siteFiles(home, paths::databasePath(home)); }
    secondcopy::Outcome copyTo(const QString &target, QString *why = nullptr) const
    {
        return secondcopy::copyDatabase(paths::databasePath(home), target, own(), TraceLog::RunnerIndex, why);
    }
    QStringList trace() const
    {
        const QString text = platform::decodeText(testsupport::readAll(TraceLog(home).filePath(QDate(2026, 12, 9))));
        return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString home;
};

TEST_F(SecondCopyTest, CopiesIntoAMissingOrDatabaseFileOfAnExistingFolder)
{
    const QString target = dir.filePath(QStringLiteral("share/Sch.accdb"));
    ASSERT_EQ(copyTo(target), secondcopy::Outcome::Copied);
    EXPECT_EQ(GetGroupNo(target, QStringLiteral("空調A")), 1);
    // An older copy is replaced.
    {
        Database db(paths::databasePath(home));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(db.execute(QStringLiteral("DELETE FROM GroupMaster")));
    }
    ASSERT_EQ(copyTo(target), secondcopy::Outcome::Copied);
    EXPECT_EQ(GetGroupNo(target, QStringLiteral("空調A")), 0);
    EXPECT_TRUE(trace().isEmpty());
}

TEST_F(SecondCopyTest, AFolderThatDoesNotExistIsNeverCreated)
{
    // A share that is not mounted: the mount point is there, the folder below not.
    const QString target = dir.filePath(QStringLiteral("mnt/share/backup/Sch.accdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("mnt")));
    QString why;
    EXPECT_EQ(copyTo(target, &why), secondcopy::Outcome::Skipped);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("mnt/share"))));
    const QStringList lines = trace();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().contains(target)) << lines.first().toStdString();
    EXPECT_TRUE(lines.first().contains(QStringLiteral("二重化"))) << lines.first().toStdString();
}

TEST_F(SecondCopyTest, TheSitesOwnFilesAndForeignFilesAreNeverReplaced)
{
    const QString foreign = dir.filePath(QStringLiteral("share/notes.txt"));
    writeFile(foreign, "an operator's notes");
    const QString folderTarget = dir.filePath(QStringLiteral("share/adir"));
    QDir().mkpath(folderTarget);
    const QString fifo = dir.filePath(QStringLiteral("share/pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A link to the site's special-day file is that file.
    const QString link = dir.filePath(QStringLiteral("share/link.csv"));
    ASSERT_TRUE(QFile::link(paths::dayInfoPath(home), link));

    const QStringList targets{paths::dayInfoPath(home),  paths::settingsPath(home), paths::databasePath(home),
                              paths::backupPath(home),   paths::passwordPath(home), foreign,
                              folderTarget,              fifo,                      link,
                              QStringLiteral("Sch.accdb")};
    QMap<QString, QByteArray> before;
    for (const QString &t : targets)
        before[t] = QFileInfo(t).isFile() ? testsupport::readAll(t) : QByteArray();
    // The site's missing backup must not be made by the second copy either.
    ASSERT_FALSE(QFile::exists(paths::backupPath(home)));

    for (const QString &t : targets) {
        QString why;
        EXPECT_EQ(copyTo(t, &why), secondcopy::Outcome::Skipped) << t.toStdString();
        EXPECT_FALSE(why.isEmpty()) << t.toStdString();
        if (QFileInfo(t).isFile()) {
            EXPECT_EQ(testsupport::readAll(t), before[t]) << t.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(paths::backupPath(home)));
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());
    EXPECT_EQ(GetGroupNo(paths::databasePath(home), QStringLiteral("空調A")), 1);
    // One trace entry per refusal, each naming its path.
    const QStringList lines = trace();
    ASSERT_EQ(lines.size(), targets.size());
    for (int i = 0; i < targets.size(); ++i)
        EXPECT_TRUE(lines.at(i).contains(QStringLiteral("Value:") + targets.at(i))) << lines.at(i).toStdString();
}

TEST_F(SecondCopyTest, FilesBesideTheCopyGoOnlyIntoAnotherExistingFolder)
{
    const QString target = dir.filePath(QStringLiteral("share/Sch.accdb"));
    EXPECT_EQ(secondcopy::copyBeside(paths::dayInfoPath(home), target, own(), TraceLog::RunnerIndex),
              secondcopy::Outcome::Copied);
    EXPECT_EQ(testsupport::readAll(dir.filePath(QStringLiteral("share/dayinfor.csv"))),
              testsupport::readAll(paths::dayInfoPath(home)));
    // Into the site's own folder: the file would replace itself.
    EXPECT_EQ(secondcopy::copyBeside(paths::dayInfoPath(home), home + QStringLiteral("/SC_DataBase/Copy.accdb"), own(),
                                     TraceLog::RunnerIndex),
              secondcopy::Outcome::Skipped);
    EXPECT_EQ(secondcopy::copyBeside(paths::passwordPath(home), dir.filePath(QStringLiteral("gone/Sch.accdb")), own(),
                                     TraceLog::RunnerIndex),
              secondcopy::Outcome::Skipped);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
    EXPECT_EQ(testsupport::readAll(paths::dayInfoPath(home)), QByteArray("2026/12/10,\"特日２\",\r\n"));
}

} // namespace
