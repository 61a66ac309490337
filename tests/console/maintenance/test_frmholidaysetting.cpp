// The special-day screen frm休日設定: marks cycle on dates after tomorrow,
// "保存" writes dayinfor.csv, everything else leaves the file alone.
#include "screenfixture.h"

#include "calendar/datefold.h"
#include "calendar/datefoldmodel.h"
#include "calendar/monthgrid.h"
#include "calendar/oledate.h"
#include "console/maintenance/frmholidaysetting.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class HolidayScreenTest : public ScreenTest
{
protected:
    // A left click on the date's cell of the calendar on the screen.
    static void clickDate(console::FrmHolidaySetting &form, const QDate &date)
    {
        Datefold *calendar = form.calendar();
        int row = -1;
        int column = -1;
        ASSERT_TRUE(calendar::monthgrid::cellForDate(form.calendarModel().displayedMonth(), date, &row, &column));
        QTest::mouseClick(calendar, Qt::LeftButton, Qt::NoModifier, calendar->layout().cellRect(row, column).center());
    }
    static QString memo(console::FrmHolidaySetting &form, const QDate &date)
    {
        QString text;
        quint32 textColor = 0;
        quint32 backColor = 0;
        if (!form.calendarModel().GetDayMemo(calendar::toOleDate(date), text, textColor, backColor))
            return QStringLiteral("-");
        return QStringLiteral("%1/%2/%3").arg(text).arg(textColor, 0, 16).arg(backColor, 0, 16);
    }
    static QPushButton *button(QWidget &form, const char *name)
    {
        return form.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    QString dayInfo() const { return site.home() + QStringLiteral("/SC_DataBase/dayinfor.csv"); }
};

const QDate AfterTomorrow(2026, 12, 10);

TEST_F(HolidayScreenTest, ClicksCycleTheFourMarksAndSaveWritesThem)
{
    console::FrmHolidaySetting form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.objectName(), QStringLiteral("frm休日設定"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("休日設定"));
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("new_year_Label"))->text(), QStringLiteral("2026"));
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("new_month_Label"))->text(), QStringLiteral("12"));
    EXPECT_EQ(form.dayInfoPath(), dayInfo());
    // The later holiday laws are in: 2020's 海の日 moved to 7/23.
    EXPECT_EQ(form.calendarModel().GetHolidayName(calendar::toOleDate(QDate(2020, 7, 23))), QStringLiteral("海の日"));

    const QStringList expected{"特日１/0/ffff00", "特日２/0/ffff", "特日３/0/80ff", "特日４/0/ff", "-"};
    for (const QString &mark : expected) {
        clickDate(form, AfterTomorrow);
        EXPECT_EQ(memo(form, AfterTomorrow), mark);
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    for (int i = 0; i < 4; ++i)
        clickDate(form, AfterTomorrow);
    clickDate(form, QDate(2026, 12, 31));
    screenshot(form, QStringLiteral("frm休日設定"));
    button(form, "Command1")->click();
    EXPECT_TRUE(boxes.shown.isEmpty()); // saving shows nothing

    QStringList lines = RunnerSite::lines(dayInfo());
    lines.sort();
    EXPECT_EQ(lines, (QStringList{"2026/12/10,\"特日４\",0x0,0xff", "2026/12/31,\"特日１\",0x0,0xffff00"}));

    // A new screen reads the file back.
    console::FrmHolidaySetting again(*state);
    EXPECT_EQ(memo(again, AfterTomorrow), QStringLiteral("特日４/0/ff"));
}

TEST_F(HolidayScreenTest, PastTodayAndTomorrowAreRefusedAndOtherMemosKept)
{
    site.writeDayMemos({{QDate(2026, 12, 9), QStringLiteral("特日１")}, {QDate(2026, 12, 24), QStringLiteral("祝日")}});
    const QByteArray before = testsupport::readAll(dayInfo());
    console::FrmHolidaySetting form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    for (const QDate &day : {QDate(2026, 12, 1), QDate(2026, 12, 8), QDate(2026, 12, 9)}) {
        boxes.clear();
        clickDate(form, day);
        ASSERT_EQ(boxes.shown.size(), 1) << day.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(boxes.lastText(), QStringLiteral("過去、本日、翌日の変更は、行う事ができません。"));
        EXPECT_EQ(boxes.shown.last().title, QStringLiteral("確認"));
        EXPECT_TRUE(boxes.shown.last().systemModal);
    }
    EXPECT_TRUE(memo(form, QDate(2026, 12, 9)).startsWith(QStringLiteral("特日１/"))); // tomorrow's mark stays

    boxes.clear();
    clickDate(form, QDate(2026, 12, 24));
    EXPECT_TRUE(memo(form, QDate(2026, 12, 24)).startsWith(QStringLiteral("祝日/")));
    EXPECT_TRUE(boxes.shown.isEmpty());

    // A mark made and then "閉じる" without "保存": the file is as it was.
    clickDate(form, AfterTomorrow);
    button(form, "Command2")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testsupport::readAll(dayInfo()), before);
}

TEST_F(HolidayScreenTest, ButtonsMoveTheMonthWithoutMarkingAndTheNextClickCounts)
{
    console::FrmHolidaySetting form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *year = form.findChild<QLabel *>(QStringLiteral("new_year_Label"));
    auto *month = form.findChild<QLabel *>(QStringLiteral("new_month_Label"));

    // Forward into the next year: the calendar stands on 2027/1/1, unmarked.
    button(form, "Command5_1")->click();
    EXPECT_EQ(calendar::oleDateDay(form.calendarModel().DatePosition()), QDate(2027, 1, 1));
    EXPECT_EQ(year->text(), QStringLiteral("2027"));
    EXPECT_EQ(month->text(), QStringLiteral("1"));
    EXPECT_EQ(memo(form, QDate(2027, 1, 1)), QStringLiteral("-"));
    button(form, "Command5_0")->click();
    button(form, "Command5_0")->click();
    EXPECT_EQ(calendar::oleDateDay(form.calendarModel().DatePosition()), QDate(2026, 11, 1));
    EXPECT_EQ(year->text(), QStringLiteral("2026"));
    EXPECT_EQ(month->text(), QStringLiteral("11"));
    EXPECT_EQ(memo(form, QDate(2026, 11, 1)), QStringLiteral("-"));
    EXPECT_TRUE(boxes.shown.isEmpty()); // a past date reached by a button is no click

    // "今日" back to the present month; pressed again it moves nothing, and
    // the operator's next click is still taken.
    button(form, "Command3")->click();
    button(form, "Command3")->click();
    EXPECT_EQ(calendar::oleDateDay(form.calendarModel().DatePosition()), QDate(2026, 12, 8));
    EXPECT_TRUE(form.calendar()->ShowCursor());
    clickDate(form, AfterTomorrow);
    EXPECT_EQ(memo(form, AfterTomorrow), QStringLiteral("特日１/0/ffff00"));
}

TEST_F(HolidayScreenTest, SavingWithEveryMarkClearedEmptiesTheFile)
{
    site.writeDayMemos({{AfterTomorrow, QStringLiteral("特日４")}});
    console::FrmHolidaySetting form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    clickDate(form, AfterTomorrow); // 特日４ → no mark
    EXPECT_EQ(memo(form, AfterTomorrow), QStringLiteral("-"));
    button(form, "Command1")->click();
    EXPECT_TRUE(QFileInfo::exists(dayInfo()));
    EXPECT_TRUE(RunnerSite::lines(dayInfo()).isEmpty());

    // The cleared mark stays cleared for the next reader.
    console::FrmHolidaySetting again(*state);
    EXPECT_EQ(memo(again, AfterTomorrow), QStringLiteral("-"));
}

} // namespace
