#include "countingapi.h"
#include "../vantor/vantorprocess.h"

#include "taglink/diagnosticlog.h"
#include "taglink/taglinkmodel.h"
#include "taglink/vantorlibrary.h"

#include "automation/propertybag.h"
#include "platform/clock.h"
#include "platform/textcodec.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

using taglink::TaglinkModel;

namespace {

const QByteArray Tags = "name,type,value,comment\n"
                        "AC1,number,1,空調1\n"
                        "AC2,number,2.5,\n"
                        "MSG,text,hello,\n";

class TaglinkModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vantor.start());
        taglink::DiagnosticLog::forgetSettings();
        ASSERT_TRUE(taglink::VantorLibrary::instance()->isAvailable())
            << taglink::VantorLibrary::instance()->loadError().toStdString();
        api = std::make_shared<CountingApi>(taglink::VantorLibrary::instance());
        model.setApi(api);
    }

    QStringList journal() { return vantor.journal(); }

    // Restarts the product with a tag NEW in front of the others, so that
    // every tag has another id than before.
    void restartWithNewTagInFront()
    {
        testsupport::writeAll(vantor.file("tags.csv"),
                              "name,type,value,comment\nNEW,number,0,\n" + Tags.mid(Tags.indexOf('\n') + 1));
        vantor.stop();
        ASSERT_TRUE(vantor.start());
    }

    VantorProcess vantor{Tags};
    std::shared_ptr<CountingApi> api;
    TaglinkModel model;
};

} // namespace

TEST_F(TaglinkModelTest, OpenWithAnEmptyListFailsWithoutTouchingTheProduct)
{
    EXPECT_FALSE(model.Open());
    EXPECT_FALSE(model.isActive());
    EXPECT_EQ(api->count("start"), 0);
    model.setActive(true);
    EXPECT_FALSE(model.isActive());
}

TEST_F(TaglinkModelTest, OpenReadsEveryTagMarksItChangedAndRaisesOneEvent)
{
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
    model.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE\r\nMSG$VALUE\r\nGONE$VALUE\r\n"));
    EXPECT_EQ(model.tagCount(), 4);
    ASSERT_TRUE(model.Open());
    EXPECT_TRUE(model.isActive());
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(api->count("read"), 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(model.PLCTagChangeFlag(i)) << i;

    EXPECT_EQ(model.PLCTagValue(QVariant::fromValue<qint16>(0)), QVariant(1.0));
    EXPECT_FALSE(model.PLCTagChangeFlag(0)) << "reading clears the changed flag";
    EXPECT_TRUE(model.PLCTagChangeFlag(1));
    EXPECT_EQ(model.PLCTagValue(QStringLiteral("AC2$VALUE")), QVariant(2.5));
    EXPECT_EQ(model.PLCTagValue(2), QVariant(QStringLiteral("hello")));

    EXPECT_LT(model.tagId(3), 0) << "a tag the product does not know";
    const QVariant gone = model.PLCTagValue(QStringLiteral("GONE$VALUE"));
    EXPECT_TRUE(std::isinf(gone.toDouble()) && gone.toDouble() > 0) << "not readable: positive infinity";

    EXPECT_FALSE(model.PLCTagValue(QStringLiteral("ac1$VALUE")).isValid()) << "names compare exactly";
    EXPECT_FALSE(model.PLCTagValue(4).isValid()) << "beyond the count";
    EXPECT_FALSE(model.PLCTagValue(1.0).isValid()) << "a float is no index";
}

TEST_F(TaglinkModelTest, ASecondOpenRaisesTheEventAgainWithoutReading)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
    ASSERT_TRUE(model.Open());
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(api->count("read"), 1);
    EXPECT_EQ(api->count("start"), 1);
    model.Close();
    EXPECT_EQ(api->count("stop"), 1);
    EXPECT_EQ(api->count("unsubscribe"), 1);
    EXPECT_EQ(api->count("alarmUnsubscribe"), 1);
    EXPECT_FALSE(model.PLCTagValue(0).isValid()) << "no values while closed";
}

TEST_F(TaglinkModelTest, DirectWritesAreJournaledAndUpdateTheCache)
{
    model.setTagList(QStringLiteral("AC1$VALUE\r\nMSG$VALUE"));
    ASSERT_TRUE(model.Open());
    model.ResetAllPLCTagChangeFlag();
    model.setPLCTagValue(QStringLiteral("AC1$VALUE"), QVariant::fromValue(float(26.5)));
    model.setPLCTagValue(1, QStringLiteral("停止中です。ありがとう"));
    EXPECT_EQ(model.PLCTagChangeFlag(0), true);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(26.5));
    EXPECT_EQ(model.PLCTagValue(1), QVariant(QStringLiteral("停止中です。あり"))) << "16 bytes of CP932";

    model.setPLCTagValue(0, QStringLiteral(" 12.25 "));
    model.setPLCTagValue(0, QStringLiteral("abc"));                  // not a number: refused
    model.setPLCTagValue(0, QVariant(true));                         // not a number type: refused
    model.setPLCTagValue(1, QVariant(5));                            // a text tag takes texts only
    model.setPLCTagValue(QStringLiteral("NOT$VALUE"), QVariant(1.0)); // not in the list
    EXPECT_EQ(api->count("write"), 3);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(12.25));

    const QStringList lines = journal();
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.at(0).endsWith(QStringLiteral(",AC1,26.5,ok"))) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(",MSG,停止中です。あり,ok"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).endsWith(QStringLiteral(",AC1,12.25,ok")));
}

TEST_F(TaglinkModelTest, TextsWrittenToNumberTagsMustBeDecimalNumbers)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    ASSERT_TRUE(model.Open());
    // Decimal numbers, blanks around them allowed.
    for (const char *text : {"-3", " .5", "+7.", "1e3", "2.5E-1"})
        model.setPLCTagValue(0, QString::fromLatin1(text));
    // No decimal number: nothing is written, and never the not-readable mark.
    for (const char *text : {"inf", "-inf", "nan", "NaN", "infinity", "1e999", "0x10", "&H10", "12abc", "1,5", "",
                             "   ", "- 3", "e3", "."})
        model.setPLCTagValue(0, QString::fromLatin1(text));
    EXPECT_EQ(api->count("write"), 5);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(0.25));
    const QStringList lines = journal();
    ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
    const QStringList values{",AC1,-3,ok", ",AC1,0.5,ok", ",AC1,7,ok", ",AC1,1000,ok", ",AC1,0.25,ok"};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(lines.at(i).endsWith(values.at(i))) << lines.at(i).toStdString();
}

TEST_F(TaglinkModelTest, ADirectTextWriteComparesTheFirst14CharactersWithTheCache)
{
    model.setTagList(QStringLiteral("MSG$VALUE"));
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QStringLiteral("ABCDEFGHIJKLMN12"));
    EXPECT_TRUE(model.PLCTagChangeFlag(0));
    EXPECT_EQ(model.PLCTagValue(0), QVariant(QStringLiteral("ABCDEFGHIJKLMN12")));
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
    // The product's notification of that write arrives later and finds the cache equal.
    QCoreApplication::processEvents();

    // Only the last two characters differ: the write goes out, the cache stays
    // until the product's notification brings the new text.
    model.setPLCTagValue(0, QStringLiteral("ABCDEFGHIJKLMN34"));
    EXPECT_EQ(api->count("write"), 2);
    EXPECT_FALSE(model.PLCTagChangeFlag(0));
    EXPECT_EQ(model.PLCTagValue(0), QVariant(QStringLiteral("ABCDEFGHIJKLMN12")));
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_TRUE(model.PLCTagChangeFlag(0));
    EXPECT_EQ(model.PLCTagValue(0), QVariant(QStringLiteral("ABCDEFGHIJKLMN34")));

    // A difference within the first 14 characters updates the cache at once.
    model.setPLCTagValue(0, QStringLiteral("ABCDEFGHIJKLMX34"));
    EXPECT_TRUE(model.PLCTagChangeFlag(0));
    EXPECT_EQ(model.PLCTagValue(0), QVariant(QStringLiteral("ABCDEFGHIJKLMX34")));
}

TEST_F(TaglinkModelTest, WritesToTagsTheProductDoesNotKnowAreDropped)
{
    model.setTagList(QStringLiteral("GONE$VALUE\r\nAC1$VALUE"));
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QVariant(1.0));
    EXPECT_EQ(api->count("write"), 0);
    EXPECT_TRUE(journal().isEmpty());
}

TEST_F(TaglinkModelTest, The128thBufferedWriteFlushesAndAnEmptyFlushCallsNothing)
{
    model.setTagList(QStringLiteral("AC1$VALUE\r\nMSG$VALUE"));
    ASSERT_TRUE(model.Open());
    model.setBufferedWriteMode(true);
    for (int i = 0; i < 127; ++i)
        model.setPLCTagValue(i % 2, i % 2 ? QVariant(QStringLiteral("t%1").arg(i)) : QVariant(double(i)));
    EXPECT_EQ(api->count("write"), 0);
    EXPECT_EQ(model.pendingWrites(), 127);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(1.0)) << "buffered writes leave the cache alone";
    model.setPLCTagValue(1, QStringLiteral("last"));
    EXPECT_EQ(api->count("write"), 1);
    EXPECT_EQ(api->lastWriteCount, 128);
    EXPECT_EQ(model.pendingWrites(), 0);
    model.FlushWriteBuffer();
    EXPECT_EQ(api->count("write"), 1);

    const QStringList lines = journal();
    ASSERT_EQ(lines.size(), 128);
    EXPECT_TRUE(lines.at(126).endsWith(QStringLiteral(",AC1,126,ok")));
    EXPECT_TRUE(lines.at(127).endsWith(QStringLiteral(",MSG,last,ok")));
}

TEST_F(TaglinkModelTest, BufferedWritesMadeBeforeACloseGoOutWithTheNextFlush)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    model.setBufferedWriteMode(true);
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QVariant(5.0));
    model.Close();
    model.FlushWriteBuffer();
    EXPECT_EQ(api->count("write"), 0) << "no link, nothing sent and nothing lost";
    ASSERT_TRUE(model.Open());
    model.setBufferedWriteMode(false); // leaving the mode flushes
    EXPECT_EQ(api->count("write"), 1);
    ASSERT_EQ(journal().size(), 1);
    EXPECT_TRUE(journal().at(0).endsWith(QStringLiteral(",AC1,5,ok")));
}

TEST_F(TaglinkModelTest, TheHostLearnsWhetherTheLastWriteWasTaken)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    model.setBufferedWriteMode(true);
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QVariant(3.0));
    model.FlushWriteBuffer();
    EXPECT_EQ(model.lastWriteResult(), 0);
    // The product goes away between the open and the flush.
    model.setPLCTagValue(0, QVariant(4.0));
    vantor.stop();
    model.FlushWriteBuffer();
    EXPECT_LT(model.lastWriteResult(), 0);
    EXPECT_EQ(model.pendingWrites(), 0) << "a failed write is never sent again later";
}

TEST_F(TaglinkModelTest, AChangeByAnotherClientArrivesAsAnEvent)
{
    model.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE\r\nMSG$VALUE"));
    ASSERT_TRUE(model.Open());
    model.ResetAllPLCTagChangeFlag();
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
    vantor.ctl({"write", "AC2", "9.75"});
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(model.PLCTagChangeFlag(0));
    EXPECT_TRUE(model.PLCTagChangeFlag(1));
    EXPECT_EQ(model.PLCTagValue(1), QVariant(9.75));

    vantor.ctl({"write", "MSG", "運転"});
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_EQ(model.PLCTagValue(2), QVariant(QStringLiteral("運転")));

    // With events off, the value and flag still change but nothing is raised.
    model.DisableAllPLCTagChangeEvnet();
    EXPECT_FALSE(model.EnablePLCTagChangeEvent(1));
    changes.clear();
    vantor.ctl({"write", "AC2", "1"});
    EXPECT_FALSE(changes.wait(300));
    EXPECT_TRUE(model.PLCTagChangeFlag(1));
    EXPECT_EQ(model.PLCTagValue(1), QVariant(1.0));
}

TEST_F(TaglinkModelTest, NotificationsOfAnEarlierSubscriptionAreIgnored)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    ASSERT_TRUE(model.Open());
    ASSERT_NE(api->notifyRoutine, nullptr);
    const int32_t oldGeneration = api->subscribedGeneration;
    model.Close();
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(api->subscribedGeneration, oldGeneration + 1);
    model.ResetAllPLCTagChangeFlag();
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);

    auto notify = [&](int32_t generation, double v) {
        QByteArray item(4, '\0');
        item.append(reinterpret_cast<const char *>(&v), 8);
        api->notifyRoutine(api->notifyControl, generation, 1, item.constData());
    };
    notify(oldGeneration, 77);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(1.0));
    notify(oldGeneration + 1, 77);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(model.PLCTagValue(0), QVariant(77.0));
    notify(oldGeneration + 1, 77);
    EXPECT_EQ(changes.count(), 1) << "an unchanged value raises nothing";
}

TEST_F(TaglinkModelTest, DiagnosticFilesListTheTagsOncePerOpening)
{
    testsupport::writeAll(vantor.file("Vantor.ini"),
                          "[TAGLINK]\r\nDEBUG_LOG=debug.log\r\nINVALID_TAG_LOG=" + vantor.file("invalid.log").toUtf8() +
                              "\r\n");
    model.setTagList(QStringLiteral("AC1$VALUE\r\nGONE$VALUE"));
    ASSERT_TRUE(model.Open());
    const QString id = QStringLiteral("%1").arg(uint(model.tagId(0)), 8, 16, QLatin1Char('0'));
    const QByteArray expectedDebug = "Start Debug Tag List\n\"AC1$VALUE\", " + id.toLatin1() +
                                     " \n\"GONE$VALUE\", ffffffff \nend Debug TAG\n";
    EXPECT_EQ(testsupport::readAll(vantor.file("debug.log")), expectedDebug);
    EXPECT_EQ(testsupport::readAll(vantor.file("invalid.log")),
              "Invalid TAG\nGONE$VALUE\n" + platform::toCp932(QStringLiteral("End Invalid\u3000TAG\n")));

    // The keys were read once: a changed ini file is not read again.
    testsupport::writeAll(vantor.file("Vantor.ini"), "[TAGLINK]\r\nDEBUG_LOG=other.log\r\n");
    model.Close();
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(testsupport::readAll(vantor.file("debug.log")), expectedDebug + expectedDebug);
    EXPECT_FALSE(QFile::exists(vantor.file("other.log")));
}

TEST_F(TaglinkModelTest, ARestartedProductIsReachedAgainAndNothingCrashesMeanwhile)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QVariant(3.0));
    vantor.stop();
    model.setPLCTagValue(0, QVariant(4.0)); // fails: the link is gone
    EXPECT_FALSE(model.isActive());
    EXPECT_FALSE(model.Open()) << "no product";
    EXPECT_FALSE(model.isActive());

    ASSERT_TRUE(vantor.start());
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(model.PLCTagValue(0), QVariant(3.0)) << "the product kept its value";
    model.setPLCTagValue(0, QVariant(6.0));
    model.Close();
    EXPECT_EQ(vantor.ctl({"read", "AC1"}), QStringLiteral("AC1 = 6\n"));

    // Restarted between two links, with a new tag in front (other ids), and
    // no event loop in between to notice: the next link still finds its tag.
    restartWithNewTagInFront();
    ASSERT_TRUE(model.Open());
    EXPECT_EQ(model.PLCTagValue(0), QVariant(6.0));
    model.setPLCTagValue(0, QVariant(8.0));
    model.Close();
    EXPECT_EQ(vantor.ctl({"read", "AC1", "NEW"}), QStringLiteral("AC1 = 8\nNEW = 0\n"));
}

TEST_F(TaglinkModelTest, AWriteUnderALinkOpenedBeforeARestartFailsInsteadOfReachingAnotherTag)
{
    for (const bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "buffered" : "direct");
        model.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE"));
        model.setBufferedWriteMode(buffered);
        ASSERT_TRUE(model.Open());
        QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
        // The tag that now has AC1's old number is NEW; nothing runs the
        // event loop, so the link learns of the restart only by the write.
        restartWithNewTagInFront();
        model.setPLCTagValue(QStringLiteral("AC1$VALUE"), QVariant(42.0));
        model.FlushWriteBuffer();
        EXPECT_FALSE(model.isActive()) << "the host sees a broken link";
        EXPECT_EQ(changes.count(), 1);
        EXPECT_TRUE(journal().filter(QStringLiteral(",NEW,")).isEmpty()) << journal().join('\n').toStdString();

        // The host opens it again: names are resolved anew.
        ASSERT_TRUE(model.Open());
        model.setPLCTagValue(QStringLiteral("AC1$VALUE"), QVariant(42.0));
        model.FlushWriteBuffer();
        EXPECT_TRUE(model.isActive());
        EXPECT_EQ(vantor.ctl({"read", "AC1", "NEW"}), QStringLiteral("AC1 = 42\nNEW = 0\n"));
        model.Close();
        testsupport::writeAll(vantor.file("tags.csv"), Tags);
        vantor.stop();
        QFile::remove(vantor.file("writes.csv"));
        ASSERT_TRUE(vantor.start());
    }
    EXPECT_EQ(api->count("start"), api->count("stop"));
}

TEST_F(TaglinkModelTest, ALostSubscriptionIsReportedAndANewLinkIsNotifiedAgain)
{
    model.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE"));
    ASSERT_TRUE(model.Open());
    QSignalSpy changes(&model, &TaglinkModel::PLCTagChange);
    restartWithNewTagInFront();
    ASSERT_TRUE(changes.wait(3000)) << "the event loop hears that the connection ended";
    EXPECT_FALSE(model.isActive());
    EXPECT_FALSE(model.isOpened());
    EXPECT_FALSE(model.PLCTagValue(0).isValid());

    ASSERT_TRUE(model.Open());
    changes.clear();
    vantor.ctl({"write", "AC2", "5"});
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_EQ(model.PLCTagValue(1), QVariant(5.0));
    EXPECT_TRUE(model.isActive());
}

TEST_F(TaglinkModelTest, EveryCallWithAnIdOfAnEarlierConnectionFails)
{
    taglink::PlantApi &lib = *taglink::VantorLibrary::instance();
    struct Record
    {
        const char *name;
        qint32 id;
        quint8 type, kind, reserved[2];
    } record{"AC1$VALUE", -1, 0, 0, {0, 0}};
    auto resolve = [&] {
        return lib.resolveTags(1, &record, sizeof record, offsetof(Record, name), offsetof(Record, id),
                               offsetof(Record, type), offsetof(Record, kind));
    };
    ASSERT_TRUE(lib.start());
    ASSERT_TRUE(resolve());
    const qint32 oldId = record.id;
    ASSERT_GE(oldId, 0);
    restartWithNewTagInFront();

    // The first call may be the one that finds the old connection gone; from
    // then on the old ids are known to be of an earlier connection.
    const double v = 42;
    EXPECT_LT(lib.write(0, "", 0, 1, 8, &oldId, &v), 0);
    EXPECT_EQ(lib.write(0, "", 0, 1, 8, &oldId, &v), VANTOR_EARLIER_CONNECTION);
    VantorReadItem item{};
    item.id = oldId;
    EXPECT_EQ(lib.read(0, "", 1, &item, nullptr), VANTOR_EARLIER_CONNECTION);
    auto routine = [](void *, int32_t, int32_t, const void *) {};
    EXPECT_LT(lib.subscribe(0, "", 3, routine, nullptr, 0, sizeof record, offsetof(Record, id), 1, &record), 0);
    EXPECT_TRUE(journal().isEmpty());

    ASSERT_TRUE(resolve());
    EXPECT_GE(record.id, 0);
    EXPECT_NE(record.id, oldId) << "a new connection never hands out an old number";
    EXPECT_EQ(lib.write(0, "", 0, 1, 8, &record.id, &v), 0);
    lib.stop();
    EXPECT_EQ(vantor.ctl({"read", "AC1", "NEW"}), QStringLiteral("AC1 = 42\nNEW = 0\n"));
}

TEST_F(TaglinkModelTest, ChangingLinkPropertiesClosesTheLink)
{
    model.setTagList(QStringLiteral("AC1$VALUE"));
    for (const auto &change : std::initializer_list<std::function<void()>>{
             [&] { model.setLoginId(2); }, [&] { model.setLoginPassword(QStringLiteral("pw")); },
             [&] { model.setPLCTagName(0, QStringLiteral("AC1$VALUE")); },
             [&] { model.setTagList(QStringLiteral("AC1$VALUE")); }}) {
        ASSERT_TRUE(model.Open());
        change();
        EXPECT_FALSE(model.isActive());
        EXPECT_FALSE(model.isOpened());
    }
    EXPECT_EQ(api->count("start"), api->count("stop"));
}

TEST_F(TaglinkModelTest, TimerTicksAndAlarmsBecomeEvents)
{
    QSignalSpy ticks(&model, &TaglinkModel::Timer);
    model.setTimerInterval(-5);
    EXPECT_EQ(model.timerInterval(), 0);
    model.setTimerEnabled(true);
    EXPECT_EQ(api->count("timerStart"), 0) << "no interval, no timer";
    model.setTimerEnabled(false);
    model.setTimerInterval(20);
    model.setTimerEnabled(true);
    EXPECT_TRUE(model.timerEnabled());
    ASSERT_TRUE(ticks.wait(2000));
    model.setTimerEnabled(false);
    EXPECT_EQ(api->count("timerStop"), 1);
    ticks.clear();
    EXPECT_FALSE(ticks.wait(100));

    QSignalSpy alarms(&model, &TaglinkModel::Alarm);
    model.setTagList(QStringLiteral("AC1$VALUE"));
    ASSERT_TRUE(model.Open());
    vantor.ctl({"alarm", "high temperature"});
    EXPECT_TRUE(alarms.wait(3000));
    model.Close();
    alarms.clear();
    vantor.ctl({"alarm", "again"});
    EXPECT_FALSE(alarms.wait(200)) << "no alarms after Close";
}

TEST_F(TaglinkModelTest, PropertiesPersistUnderTheirNamesAndAStoredActiveOpens)
{
    model.setLoginId(3);
    model.setLoginPassword(QStringLiteral("secret"));
    model.setBufferedWriteMode(true);
    model.setTimerInterval(500);
    model.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE"));
    ASSERT_TRUE(model.Open());
    automation::PropertyBag bag;
    model.saveProperties(bag);
    EXPECT_EQ(bag.names(), (QStringList{"LOGINID", "LOGINPASSWORD", "ACTIVE", "BUFFEREDWIREMODE", "TIMERENABLED",
                                        "TIMERINTERVAL", "TAGLIST"}));
    model.Close();

    TaglinkModel other;
    other.setApi(api);
    QSignalSpy changes(&other, &TaglinkModel::PLCTagChange);
    ASSERT_TRUE(other.loadProperties(bag));
    EXPECT_EQ(other.loginId(), 3);
    EXPECT_EQ(other.loginPassword(), QStringLiteral("secret"));
    EXPECT_TRUE(other.bufferedWriteMode());
    EXPECT_EQ(other.timerInterval(), 500);
    EXPECT_EQ(other.tagCount(), 2);
    EXPECT_TRUE(other.isActive());
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(TaglinkModelTest, TagSelectDialogSetsTheListWhenConfirmed)
{
    model.setTagList(QStringLiteral("OLD"));
    auto answer = [](bool confirm) {
        QTimer::singleShot(50, [confirm] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto *list = dialog->findChild<QListWidget *>(QStringLiteral("tagList"));
            ASSERT_NE(list, nullptr);
            ASSERT_EQ(list->count(), 3);
            list->item(0)->setCheckState(Qt::Checked);
            list->item(2)->setCheckState(Qt::Checked);
            dialog->grab().save(QDir::temp().filePath(QStringLiteral("vantor_tagdialog.png")));
            QMetaObject::invokeMethod(dialog, confirm ? "accept" : "reject");
        });
    };
    answer(false);
    EXPECT_FALSE(model.TagSelectDialog());
    EXPECT_EQ(model.tagList(), QStringLiteral("OLD"));
    answer(true);
    EXPECT_TRUE(model.TagSelectDialog());
    EXPECT_EQ(model.tagList(), QStringLiteral("AC1$VALUE\r\nMSG$VALUE"));
    EXPECT_EQ(api->count("start"), api->count("stop"));
}

TEST_F(TaglinkModelTest, DesignModeNeverReachesTheProduct)
{
    model.setDesignMode(true);
    EXPECT_TRUE(model.Open()) << "even without tags";
    EXPECT_TRUE(model.isActive());
    model.setPLCTagName(0, QStringLiteral("AC1$VALUE"));
    model.Open();
    model.setPLCTagValue(0, QVariant(1.0));
    model.Close();
    EXPECT_TRUE(api->calls.isEmpty());
}

TEST_F(TaglinkModelTest, TheJournalHasTheHostsClockEvenWhenTheHostMovesIt)
{
    // The API library keeps its own copy of the clock; it must still follow the host's.
    platform::clock::setNow(QDateTime(QDate(2031, 5, 6), QTime(18, 0, 0, 250)));
    model.setTagList(QStringLiteral("AC1$VALUE"));
    ASSERT_TRUE(model.Open());
    model.setPLCTagValue(0, QVariant(2.0));
    platform::clock::advance(60000);
    model.setPLCTagValue(0, QVariant(3.0));
    platform::clock::useSystemClock();
    const QStringList lines = journal();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("2031-05-06 18:00:00.250,"))) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("2031-05-06 18:01:00.250,"))) << lines.at(1).toStdString();
}
