// The day charts on the main screen: choosing rows and pieces, the detail
// panel with its clocks, the dark mark of the chosen piece, the colours that
// follow the clock, and the dates the calendar and the day choice load.
#include "consolefixture.h"

#include "calendar/datefold.h"
#include "calendar/oledate.h"
#include "chart/chartitem.h"
#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "clock/tickfacemodel.h"
#include "console/main/piececolours.h"
#include "console/main/widgetcolours.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

namespace pc = console::piececolour;
const QDate Day(2026, 12, 8);

class ChartsTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        site.addGroup(1, QStringLiteral("空調A"), true);
        site.addGroup(2, QStringLiteral("照明B"), false);
        site.addGroup(3, QStringLiteral("換気C"), true);
        site.addToday(1, QTime(9, 0), QTime(10, 0));
        site.addToday(1, QTime(10, 0), QTime(11, 0));
        site.addToday(1, QTime(11, 0), QTime(12, 0));
        site.addToday(1, QTime(20, 0), QTime(23, 0));
        site.addToday(2, QTime(8, 0), QTime(17, 0));
        site.addNextday(1, QTime(6, 0), QTime(7, 30));
    }

    int row(int gpno) const { return form->rows(form->shownDay()).row(gpno); }
    quint32 colour(int cNo, int gpno, int piece) const
    {
        return form->chartModel(cNo).GetPieceColor(short(form->rows(cNo).row(gpno)), short(piece));
    }

    // A mouse click on a piece of the chart on screen.
    void clickPiece(int gpno, int piece)
    {
        Ganttline *g = form->shownChart();
        const chart::ChartLayout &layout = g->chartLayout();
        const chart::ChartItem *item = g->model()->item(row(gpno));
        ASSERT_TRUE(item);
        const QRect r = layout.pieceRect(chart::GntRect, *item->pieces.find(qint16(piece)), layout.rowRect(row(gpno)));
        QTest::mouseClick(g->chartView()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    void clickRowName(int gpno)
    {
        Ganttline *g = form->shownChart();
        const QRect r = g->chartLayout().nameCell(row(gpno));
        QTest::mouseClick(g->chartView()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    TickfaceModel &clock(int i) const { return *find<Tickface>(QStringLiteral("Tickface1_%1").arg(i))->model(); }
    QString timeLabel(int i) const { return find<QLabel>(QStringLiteral("lblTime_%1").arg(i))->text(); }
};

} // namespace

TEST_F(ChartsTest, ChoosingAPieceInTheMaintenanceModeMarksItDark)
{
    start();
    enterMaintenance();
    clickPiece(1, 2);
    EXPECT_EQ(form->nCurIndex, row(1));
    EXPECT_EQ(form->nCurPieceNo, 2);
    EXPECT_EQ(form->curPieceNo(), 2);
    EXPECT_EQ(find<QLabel>("Label1")->text(), QStringLiteral("空調A"));
    EXPECT_EQ(find<QLabel>("LblMovePiece")->text(), QStringLiteral("2"));
    EXPECT_EQ(colour(0, 1, 2), pc::DarkRunning);
    EXPECT_EQ(colour(0, 1, 1), pc::Done);
    EXPECT_EQ(timeLabel(0), QStringLiteral("10時00分"));
    EXPECT_EQ(timeLabel(1), QStringLiteral("11時00分"));
    EXPECT_EQ(calendar::fromOleDate(clock(0).DisplayTime()).time(), QTime(10, 0));
    EXPECT_EQ(calendar::fromOleDate(clock(1).DisplayTime()).time(), QTime(11, 0));
    EXPECT_FALSE(find<QWidget>("Tickface1_0")->isHidden());
    // A valid group: "有効" yellow, no manual operation.
    EXPECT_EQ(console::widgetcolour::backColor(find<QPushButton>("CmdYuko_0")), console::widgetcolour::Yellow);
    EXPECT_FALSE(find<QWidget>("onoffPicture")->isEnabled());
    screenshot(form.get(), QStringLiteral("console-maintenance-chosen"));

    // Another piece: the first returns to its bright colour.
    clickPiece(1, 1);
    EXPECT_EQ(colour(0, 1, 2), pc::Running);
    EXPECT_EQ(colour(0, 1, 1), pc::DarkDone);
    // The invalid group's piece turns light grey; manual operation opens.
    clickPiece(2, 1);
    EXPECT_EQ(colour(0, 1, 1), pc::Done);
    EXPECT_EQ(colour(0, 2, 1), pc::DarkInvalid);
    EXPECT_EQ(find<QLabel>("Label1")->text(), QStringLiteral("照明B"));
    EXPECT_EQ(console::widgetcolour::backColor(find<QPushButton>("CmdYuko_1")), console::widgetcolour::Yellow);
    EXPECT_TRUE(find<QWidget>("onoffPicture")->isEnabled());
    // Tomorrow's chart: the same rows, its own pieces.
    find<QRadioButton>("Option1_1")->click();
    EXPECT_EQ(form->shownDay(), 1);
    clickPiece(1, 1);
    EXPECT_EQ(colour(1, 1, 1), pc::DarkPlanned);
    EXPECT_EQ(timeLabel(1), QStringLiteral("07時30分"));
}

TEST_F(ChartsTest, TheViewModeShowsTheChoiceWithoutMarking)
{
    start();
    clickPiece(1, 3);
    EXPECT_EQ(form->nCurPieceNo, 3);
    EXPECT_EQ(find<QLabel>("LblMovePiece")->text(), QStringLiteral("3"));
    EXPECT_EQ(colour(1, 1, 3), pc::Planned);
    EXPECT_FALSE(find<QWidget>("DrivePicture")->isEnabled());
}

TEST_F(ChartsTest, DetailClocksByDayAndByNight)
{
    start();
    clickPiece(1, 3);
    EXPECT_EQ(clock(0).BackColor(), 0xFFFFFFu);
    EXPECT_EQ(clock(0).NumberColor(), 0xA00000u);
    EXPECT_EQ(clock(0).Caption(), QStringLiteral("Am"));
    EXPECT_EQ(clock(1).Caption(), QStringLiteral("Pm"));
    EXPECT_EQ(console::widgetcolour::backColor(find<QLabel>("lblTime_0")), 0xFFFFFFu);
    EXPECT_EQ(console::widgetcolour::foreColor(find<QLabel>("lblTime_0")), 0xA00000u);
    screenshot(find<QWidget>("DetailFrame"), QStringLiteral("console-detail-day"));

    clickPiece(1, 4); // 20:00–23:00
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(clock(i).BackColor(), 0x800000u); // navy
        EXPECT_EQ(clock(i).NumberColor(), 0xFFFFFFu);
        EXPECT_EQ(clock(i).MinuteColor(), 0xFF8000u);
        EXPECT_EQ(clock(i).SecondColor(), 0x0000FFu);
        EXPECT_EQ(clock(i).Caption(), QStringLiteral("Pm"));
    }
    EXPECT_EQ(timeLabel(0), QStringLiteral("20時00分"));
    EXPECT_EQ(console::widgetcolour::backColor(find<QLabel>("lblTime_1")), 0x800000u);
    screenshot(find<QWidget>("DetailFrame"), QStringLiteral("console-detail-night"));
}

TEST_F(ChartsTest, ARowWithoutPiecesHidesTheClocks)
{
    start();
    clickPiece(1, 1);
    ASSERT_FALSE(find<QWidget>("Tickface1_0")->isHidden());
    clickRowName(3);
    EXPECT_EQ(form->nCurIndex, row(3));
    EXPECT_EQ(form->nCurPieceNo, -1);
    EXPECT_EQ(find<QLabel>("Label1")->text(), QStringLiteral("換気C"));
    EXPECT_TRUE(find<QWidget>("Tickface1_0")->isHidden());
    EXPECT_TRUE(find<QWidget>("Tickface1_1")->isHidden());
    EXPECT_TRUE(timeLabel(0).isEmpty());
    EXPECT_TRUE(timeLabel(1).isEmpty());
    EXPECT_TRUE(find<QLabel>("LblMovePiece")->text().isEmpty());
}

TEST_F(ChartsTest, TheChosenRowSurvivesAReload)
{
    start();
    enterMaintenance();
    clickPiece(1, 3);
    form->LoadData(Day, 0);
    EXPECT_EQ(form->chartModel(0).GetCurItem(), row(1));
    EXPECT_EQ(form->chartModel(1).GetCurItem(), row(1));
    EXPECT_EQ(form->nCurIndex, row(1));
    EXPECT_EQ(form->nCurPieceNo, 1); // the piece choice falls back to piece 1
    EXPECT_EQ(colour(0, 1, 1), pc::DarkDone);
    EXPECT_EQ(colour(0, 1, 3), pc::Planned);
}

TEST_F(ChartsTest, TodaysPiecesFollowTheClockInTheViewMode)
{
    start();
    chart::ChartModel &today = form->chartModel(0);
    setNow(QTime(11, 0));
    today.processMinuteChange(QTime(11, 0));
    // 10–11 ends, 11–12 starts, on both charts (chart 1 shows today).
    EXPECT_EQ(colour(0, 1, 2), pc::Done);
    EXPECT_EQ(colour(0, 1, 3), pc::Running);
    EXPECT_EQ(colour(1, 1, 2), pc::Done);
    EXPECT_EQ(colour(1, 1, 3), pc::Running);
    // The invalid group stays white.
    setNow(QTime(17, 0));
    today.processMinuteChange(QTime(17, 0));
    EXPECT_EQ(colour(0, 2, 1), pc::Invalid);
    EXPECT_EQ(colour(1, 2, 1), pc::Invalid);

    // Chart 1 on another date is left alone.
    find<QRadioButton>("Option1_1")->click();
    ASSERT_EQ(form->chartDate(1), Day.addDays(1));
    setNow(QTime(20, 0));
    today.processMinuteChange(QTime(20, 0));
    EXPECT_EQ(colour(0, 1, 4), pc::Running);
    EXPECT_EQ(form->chartModel(1).GetPieceCount(short(form->rows(1).row(1))), 1);
    EXPECT_EQ(colour(1, 1, 1), pc::Planned);
}

TEST_F(ChartsTest, MidnightStartsLateEndsAndTheMaintenanceModeKeepTheColours)
{
    site.addToday(3, QTime(0, 0), QTime(6, 0));
    site.addToday(3, QTime(22, 0), QTime(23, 59));
    setNow(QTime(0, 0));
    start();
    chart::ChartModel &today = form->chartModel(0);
    const quint32 loaded = colour(0, 3, 1);
    today.processMinuteChange(QTime(0, 0));
    EXPECT_EQ(colour(0, 3, 1), loaded);
    setNow(QTime(23, 59));
    today.processMinuteChange(QTime(23, 59));
    EXPECT_EQ(colour(0, 3, 2), pc::Planned); // loaded at 00:00, its end keeps it

    setNow(QTime(10, 30));
    start();
    enterMaintenance();
    setNow(QTime(11, 0));
    form->chartModel(0).processMinuteChange(QTime(11, 0));
    EXPECT_EQ(colour(0, 1, 3), pc::Planned);
}

TEST_F(ChartsTest, TheDayChoiceAndTheMonthButtonsMoveChartOne)
{
    start();
    find<QRadioButton>("Option1_1")->click();
    EXPECT_EQ(form->calendarDate(), Day.addDays(1));
    EXPECT_EQ(form->chartDate(1), Day.addDays(1));
    EXPECT_EQ(form->shownDay(), 1); // the view keeps Ganttline2
    EXPECT_EQ(find<QLabel>("CalendarLabel")->text(), QStringLiteral("2026 年 12 月 9日"));
    EXPECT_EQ(colour(1, 1, 1), pc::Planned);

    find<QPushButton>("Command2_0")->click();
    EXPECT_EQ(form->calendarDate(), QDate(2026, 11, 1));
    EXPECT_EQ(form->chartDate(1), QDate(2026, 11, 1));
    EXPECT_EQ(find<QLabel>("CalendarLabel")->text(), QStringLiteral("2026 年 11 月 1日"));
    find<QPushButton>("Command2_1")->click();
    find<QPushButton>("Command2_1")->click();
    EXPECT_EQ(form->calendarDate(), QDate(2027, 1, 1));
    EXPECT_EQ(form->chartDate(1), QDate(2027, 1, 1));
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(form->calendarDate(), Day);
    EXPECT_EQ(form->chartDate(1), Day);
}

TEST_F(ChartsTest, ADateClickLoadsItsDayCodeAndThePastIsDone)
{
    site.addMaster(1, 9, QTime(13, 0), QTime(14, 0)); // 特日２
    site.addMaster(3, 5, QTime(8, 0), QTime(9, 0));   // Thursday
    site.addMaster(3, 2, QTime(8, 0), QTime(9, 0));   // Monday
    site.writeDayMemos({{Day.addDays(2), QStringLiteral("特日２")}});
    start();
    Datefold *cal = find<Datefold>("Datefold1");
    cal->model().clickDay(Day.addDays(2));
    EXPECT_EQ(form->chartDate(1), Day.addDays(2));
    EXPECT_EQ(form->chartModel(1).GetPieceCount(short(form->rows(1).row(1))), 1);
    EXPECT_EQ(form->chartModel(1).GetPieceCount(short(form->rows(1).row(3))), 0);
    EXPECT_EQ(colour(1, 1, 1), pc::Planned);
    screenshot(form.get(), QStringLiteral("console-view-special-day"));

    cal->model().clickDay(Day.addDays(-1));
    EXPECT_EQ(form->chartDate(1), Day.addDays(-1));
    EXPECT_EQ(colour(1, 3, 1), pc::Done);
}

TEST_F(ChartsTest, TheCalendarTakesNoClicksInTheMaintenanceMode)
{
    start();
    enterMaintenance();
    find<QRadioButton>("Option1_1")->click();
    ASSERT_EQ(form->chartDate(1), Day.addDays(1));
    Datefold *cal = find<Datefold>("Datefold1");
    // December 2026 in its grid from Sunday 29 November: the 15th is row 2, column 2.
    const QRect cell = cal->layout().cellRect(2, 2);
    QTest::mouseClick(cal, Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(form->chartDate(1), Day.addDays(1));
    EXPECT_EQ(form->calendarDate(), Day.addDays(1));
    find<QRadioButton>("Option1_0")->click();
    EXPECT_EQ(form->shownDay(), 0);
    EXPECT_EQ(form->shownChart(), find<Ganttline>("Ganttline1"));
}
