#include "makesite/sitebuilder.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/groups.h"
#include "store/recordset.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "testsupport.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

using namespace store;

namespace {

TEST(MakeSite, DemonstrationSiteIsReadyAndNeverOverwrittenUnasked)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("site"));
    const QDate saturday(2026, 12, 12);
    makesite::SiteData data = makesite::demonstrationData(saturday);
    data.extraToday << makesite::DayEntry{2, QTime(18, 0), QTime(20, 0)};
    QStringList report;
    QString error;
    ASSERT_TRUE(makesite::buildSite(folder, data, false, &report, &error)) << error.toStdString();
    EXPECT_TRUE(report.join('\n').contains(QStringLiteral("Sch.accdb")));

    const QString dbPath = paths::databasePath(folder);
    {
        Database db(dbPath);
        ASSERT_TRUE(db.open()) << db.lastError().toStdString();
        EXPECT_EQ(GetGroupNo(db, QStringLiteral("空調機系統A")), 1);
        EXPECT_EQ(GetGroupNo(db, QStringLiteral("給湯ポンプ")), 0); // the invalid group
        QSet<int> codes;
        Recordset master = db.openRecordset(sql::selectMaster());
        for (master.moveFirst(); !master.eof(); master.moveNext())
            codes.insert(master.integer(QStringLiteral("lWeek")));
        EXPECT_EQ(codes.size(), 11);
        // Saturday's master plus the extra entry; Sunday's master for tomorrow.
        EXPECT_EQ(db.openRecordset(sql::selectDay(sql::Day::Today)).recordCount(), 3);
        Recordset next = db.openRecordset(sql::selectDayChart(sql::Day::Nextday));
        ASSERT_EQ(next.recordCount(), 1);
        EXPECT_EQ(next.text(QStringLiteral("GPname")), QStringLiteral("換気ファン"));
        Recordset tags = db.openRecordset(sql::selectGroupTags(1));
        ASSERT_TRUE(tags.find(QStringLiteral("TAG = 'AHU1_TEMP'")));
        EXPECT_FLOAT_EQ(tags.single(QStringLiteral("StartValue")), 22.5f);
    }
    const Settings settings(folder);
    EXPECT_TRUE(settings.opLogEnabled());
    EXPECT_TRUE(QDir(settings.opLogFolder()).exists());
    EXPECT_FALSE(settings.runnerLoadFlag());

    // A second run leaves the database alone unless forced.
    const QByteArray before = testsupport::readAll(dbPath);
    EXPECT_FALSE(makesite::buildSite(folder, makesite::demonstrationData(saturday.addDays(1)), false, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("--force")));
    EXPECT_EQ(testsupport::readAll(dbPath), before);
    ASSERT_TRUE(makesite::buildSite(folder, makesite::demonstrationData(saturday.addDays(1)), true, nullptr, &error));
    Database db(dbPath);
    ASSERT_TRUE(db.open());
    EXPECT_EQ(db.openRecordset(sql::selectDay(sql::Day::Today)).recordCount(), 1); // Sunday
    EXPECT_EQ(QDir(paths::databaseFolderOf(dbPath)).entryList(QDir::Files), QStringList{QStringLiteral("Sch.accdb")});
}

TEST(MakeSite, BadDataLeavesNoDatabase)
{
    QTemporaryDir dir;
    makesite::SiteData data = makesite::demonstrationData(QDate(2026, 12, 7));
    data.assignments << makesite::Assignment{QStringLiteral("NO_SUCH_TAG"), 1};
    QString error;
    EXPECT_FALSE(makesite::buildSite(dir.path(), data, false, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("NO_SUCH_TAG")));
    EXPECT_FALSE(QFile::exists(paths::databasePath(dir.path())));
    EXPECT_FALSE(QFile::exists(paths::databasePath(dir.path()) + QStringLiteral(".new")));
}

} // namespace
