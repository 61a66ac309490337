#include "switching/outputqueue.h"
#include "runnersite.h"

#include "platform/clock.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/settings.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Write
{
    QString item;
    float value;
};

class OutputQueueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent();
        platform::clock::setNow(QDateTime(QDate(2026, 12, 6), QTime(8, 30, 0)));
        store::configureLogs(store::Settings(site.home()), site.home());
        site.addGroup(1, QStringLiteral("空調A"), true);
        site.addTag(1, QStringLiteral("T1"), QStringLiteral("D1"), 1, 0);
        site.addTag(1, QStringLiteral(""), QStringLiteral("空き"), 1, 0);
        site.addTag(1, QStringLiteral("T2 "), QStringLiteral("D2"), 22.5, 0);
        site.addTag(1, QStringLiteral("T3"), QStringLiteral("D3"), 0, 5);
        site.addGroup(2, QStringLiteral("照明B"), true);
        site.addTag(2, QStringLiteral("L1"), QStringLiteral("E1"), 1, 0);
    }
    void TearDown() override
    {
        store::configureLogs(store::OpLog());
        platform::clock::useSystemClock();
        qunsetenv("SCH_HOME");
    }

    switching::OutputQueue::TagWriter recorder()
    {
        return [this](const QString &item, float value) {
            writes.append({item, value});
            return writerWorks;
        };
    }

    static bool waitFor(const std::function<bool()> &done, int timeoutMs)
    {
        return testsupport::waitUntil(done, timeoutMs);
    }

    static void drain(switching::OutputQueue &queue)
    {
        QSignalSpy drained(&queue, &switching::OutputQueue::drained);
        if (!queue.isIdle()) {
            ASSERT_TRUE(drained.wait(5000));
        }
    }

    // Fields 3..6 of each operation-log record of the day.
    QStringList opLog() const
    {
        QStringList out;
        for (QString line : RunnerSite::lines(site.opLogFile(QDate(2026, 12, 6)))) {
            QStringList fields = line.split(QStringLiteral("\",\""));
            fields.last().chop(1);
            out << fields.mid(2).join(QLatin1Char('|'));
        }
        return out;
    }

    RunnerSite site;
    QList<Write> writes;
    bool writerWorks = true;
};

} // namespace

TEST_F(OutputQueueTest, StartAndEndValuesWithTheirLogRecords)
{
    switching::OutputQueue queue(site.database(), recorder());
    queue.enqueue(1, true, QStringLiteral("自動"));
    EXPECT_TRUE(writes.isEmpty()); // the writes start at the next turn of the loop
    drain(queue);

    // The empty tag is skipped; tags are trimmed and address the value item.
    ASSERT_EQ(writes.size(), 3);
    EXPECT_EQ(writes[0].item, QStringLiteral("T1$VALUE"));
    EXPECT_EQ(writes[1].item, QStringLiteral("T2$VALUE"));
    EXPECT_FLOAT_EQ(writes[1].value, 22.5f);
    EXPECT_EQ(writes[2].item, QStringLiteral("T3$VALUE"));
    EXPECT_FLOAT_EQ(writes[2].value, 0.f);
    // Start value 0 writes but logs nothing; 22.5 logs "設定" with its value.
    EXPECT_EQ(opLog(), (QStringList{QStringLiteral("T1|D1|開始|スケジュール(自動)"),
                                    QStringLiteral("T2 |D2|設定|スケジュール(自動) 22.5に設定")}));

    writes.clear();
    queue.enqueue(1, false, QStringLiteral("起動"));
    drain(queue);
    ASSERT_EQ(writes.size(), 3);
    EXPECT_EQ(opLog().mid(2), (QStringList{QStringLiteral("T1|D1|終了|スケジュール(起動)"),
                                           QStringLiteral("T2 |D2|終了|スケジュール(起動)"),
                                           QStringLiteral("T3|D3|設定|スケジュール(起動) 5に設定")}));
}

TEST_F(OutputQueueTest, RequestsNeverInterleaveAndTheLoopStaysResponsive)
{
    switching::OutputQueue queue(site.database(), recorder());
    queue.setWritePause(40);
    int otherEvents = 0;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] { ++otherEvents; });
    other.start(5);

    QElapsedTimer elapsed;
    elapsed.start();
    queue.enqueue(1, true, QStringLiteral("自動"));
    queue.enqueue(2, true, QStringLiteral("自動"));
    queue.enqueue(1, false, QStringLiteral("自動"));
    EXPECT_EQ(queue.pendingRequests(), 3);
    drain(queue);

    QStringList items;
    for (const Write &w : writes)
        items << w.item + QLatin1Char('=') + QString::number(w.value);
    EXPECT_EQ(items, (QStringList{QStringLiteral("T1$VALUE=1"), QStringLiteral("T2$VALUE=22.5"),
                                  QStringLiteral("T3$VALUE=0"), QStringLiteral("L1$VALUE=1"),
                                  QStringLiteral("T1$VALUE=0"), QStringLiteral("T2$VALUE=0"),
                                  QStringLiteral("T3$VALUE=5")}));
    // Nine rows, each followed by the pause (the empty tag's included).
    EXPECT_GE(elapsed.elapsed(), 8 * 40);
    EXPECT_GT(otherEvents, 10);
}

TEST_F(OutputQueueTest, AFailedWriteSaysSoAndIsRetriedUntilItSucceeds)
{
    // T1 is refused twice, then taken; T2 (a "設定") is refused once.
    QHash<QString, int> refusals{{QStringLiteral("T1$VALUE"), 2}, {QStringLiteral("T2$VALUE"), 1}};
    switching::OutputQueue queue(site.database(), [&](const QString &item, float value) {
        writes.append({item, value});
        if (refusals.value(item) > 0) {
            --refusals[item];
            return false;
        }
        return true;
    });
    queue.setRetryDelays({20, 60, 150});
    queue.enqueue(1, true, QStringLiteral("自動"));
    drain(queue);
    EXPECT_EQ(opLog(), (QStringList{QStringLiteral("T1|D1|開始|スケジュール(自動) 書込失敗"),
                                    QStringLiteral("T2 |D2|設定|スケジュール(自動) 22.5に設定 書込失敗")}));
    EXPECT_EQ(queue.pendingRetries(), 2);
    ASSERT_TRUE(waitFor([&] { return queue.pendingRetries() == 0 && queue.isIdle(); }, 5000));

    // The successful retries write the usual records (T2 at its first retry,
    // T1 at its second); T3 (start value 0) writes no record either way.
    EXPECT_EQ(opLog(), (QStringList{QStringLiteral("T1|D1|開始|スケジュール(自動) 書込失敗"),
                                    QStringLiteral("T2 |D2|設定|スケジュール(自動) 22.5に設定 書込失敗"),
                                    QStringLiteral("T2 |D2|設定|スケジュール(自動) 22.5に設定"),
                                    QStringLiteral("T1|D1|開始|スケジュール(自動)")}));
    QStringList items;
    for (const Write &w : writes)
        items << w.item;
    EXPECT_EQ(items.count(QStringLiteral("T1$VALUE")), 3);
    EXPECT_EQ(items.count(QStringLiteral("T2$VALUE")), 2);
    EXPECT_EQ(items.count(QStringLiteral("T3$VALUE")), 1);
}

TEST_F(OutputQueueTest, RetriesStopAfterTheLastAttemptOrALaterOutputOfTheGroup)
{
    writerWorks = false;
    switching::OutputQueue queue(site.database(), recorder());
    queue.setRetryDelays({20, 40, 60});
    // Group 2 never takes a write: one failed record and three retries, no more.
    queue.enqueue(2, true, QStringLiteral("手動"));
    drain(queue);
    ASSERT_TRUE(waitFor([&] { return queue.pendingRetries() == 0; }, 5000));
    EXPECT_EQ(writes.size(), 4);
    EXPECT_EQ(opLog(), QStringList{QStringLiteral("L1|E1|開始|スケジュール(手動) 書込失敗")});
    const QStringList trace = RunnerSite::lines(site.traceFile(QDate(2026, 12, 6)));
    EXPECT_EQ(trace.filter(QStringLiteral("L1$VALUE")).size(), 4);

    // A later output of the group replaces a pending retry: the start value
    // must not come back after the end value was asked for.  Another group's
    // output does not.
    writes.clear();
    queue.setRetryDelays({200});
    queue.enqueue(2, true, QStringLiteral("自動"));
    queue.enqueue(1, false, QStringLiteral("自動"));
    drain(queue);
    EXPECT_EQ(queue.pendingRetries(), 4); // L1 and the three tags of group 1
    writerWorks = true;
    queue.enqueue(2, false, QStringLiteral("自動"));
    drain(queue);
    ASSERT_TRUE(waitFor([&] { return queue.pendingRetries() == 0 && queue.isIdle(); }, 5000));
    QStringList items;
    for (const Write &w : writes)
        items << w.item + QLatin1Char('=') + QString::number(w.value);
    EXPECT_EQ(items.mid(4), (QStringList{QStringLiteral("L1$VALUE=0"), QStringLiteral("T1$VALUE=0"),
                                         QStringLiteral("T2$VALUE=0"), QStringLiteral("T3$VALUE=5")}));
}

TEST_F(OutputQueueTest, AGroupWithoutTagsWritesNothing)
{
    switching::OutputQueue queue(site.database(), recorder());
    queue.enqueue(99, true, QStringLiteral("自動"));
    drain(queue);
    EXPECT_TRUE(writes.isEmpty());
    EXPECT_TRUE(opLog().isEmpty());
    EXPECT_TRUE(queue.isIdle());
}
