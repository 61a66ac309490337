// Reservation editing on the main screen's day charts in the maintenance
// mode, driven with the mouse and the reservation dialog; what is stored is
// read back from today's and tomorrow's tables.
#include "consolefixture.h"

#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "automation/variantconventions.h"
#include "chart/ganttline.h"
#include "console/maintenance/frmreserve.h"
#include "reservedialog.h"
#include "store/database.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace {

QTime t(int h, int m) { return QTime(h, m); }

const QString Overlap = QStringLiteral("予約時間は他の予約時間と重複してはいけません。");
const QString Past = QStringLiteral("過去のスケジュールは指定出来ません。");
const QString Choose = QStringLiteral("いづれかの予約を選択ください。");

// What the reservation dialog showed when it opened.
struct Proposal
{
    QString caption, room, times;
};

class EditingTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp(); // 2026-12-08 10:30
        site.addGroup(1, QStringLiteral("A棟"), true);
        site.addGroup(2, QStringLiteral("B棟"), true);
    }
    // The console in the maintenance mode showing today (0) or tomorrow (1).
    void startEditing(int day = 0)
    {
        start();
        enterMaintenance();
        ASSERT_TRUE(state->MaintMode);
        if (day == 1)
            find<QRadioButton>(QStringLiteral("Option1_1"))->click();
        ASSERT_EQ(form->shownDay(), day);
    }
    chart::ChartModel &shown() const { return *form->shownChart()->model(); }
    QWidget *viewport() const { return form->shownChart()->chartView()->viewport(); }
    // A point of a row from which a drag snaps up to hour:minute.
    QPoint before(int row, int hour, int minute) const
    {
        const chart::ChartLayout &l = form->shownChart()->chartLayout();
        const int target = hour * 60 + minute - 10;
        QPoint p(l.xOf(target), l.rowRect(row).center().y());
        while (l.minutesAt(p.x(), false) < target)
            p.rx()++;
        return p;
    }
    QPoint inside(int row, int hour, int minute) const
    {
        const chart::ChartLayout &l = form->shownChart()->chartLayout();
        return {l.xOf(hour * 60 + minute), l.rowRect(row).center().y()};
    }
    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    }
    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    // Runs `act`, answering the reservation dialog: the boxes set to
    // `answer` (empty: as proposed), OK, and Cancel when OK was refused.
    Proposal withDialog(const std::function<void()> &act, const QStringList &answer = {})
    {
        Proposal seen;
        const bool opened = reservedialog::whileShown(act, [&](console::FrmReserve &d) {
            seen = {d.windowTitle(), d.lblRoomName->text(),
                    QStringLiteral("%1:%2-%3:%4")
                        .arg(d.cboSH->currentText(), d.cboSM->currentText(), d.cboEH->currentText(),
                             d.cboEM->currentText())};
            reservedialog::accept(d, answer);
        });
        EXPECT_TRUE(opened) << "no reservation dialog";
        return seen;
    }
};

} // namespace

TEST_F(EditingTest, DrawingOnTodaysChartStoresTheReservationChosen)
{
    site.addToday(1, t(13, 0), t(14, 0));
    startEditing(0);
    ASSERT_EQ(shown().GetItemName(0), QStringLiteral("A棟"));
    const Proposal p = withDialog([&] { drag(before(0, 11, 0), before(0, 12, 0)); });
    EXPECT_EQ(p.caption, QStringLiteral("新規予約"));
    EXPECT_EQ(p.room, QStringLiteral("A棟"));
    EXPECT_EQ(p.times, QStringLiteral("11:00-11:59"));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 11:00-11:59", "1 13:00-14:00"}));
    EXPECT_TRUE(site.dayRows("NextdayTable").isEmpty());
    // Reloaded: the new piece is number 1 of the row, chosen and shown.
    EXPECT_EQ(shown().GetPieceCount(0), 2);
    EXPECT_EQ(form->nCurIndex, 0);
    EXPECT_EQ(form->nCurPieceNo, 1);
    EXPECT_EQ(find<QLabel>(QStringLiteral("LblMovePiece"))->text(), QStringLiteral("1"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblTime_1"))->text(), QStringLiteral("11時59分"));
    EXPECT_EQ(state->ReserveOwner, nullptr);
    screenshot(form.get(), QStringLiteral("frmcal-editing"));

    // 09:00-10:00 has passed at 10:30: refused on today's chart.
    withDialog([&] { drag(before(1, 9, 0), before(1, 10, 0)); });
    EXPECT_EQ(boxes.lastText(), Past);
    EXPECT_EQ(site.dayRows("TodayTable").size(), 2);
}

// Leaving the maintenance mode shows today in the view with what the visit
// stored, not the chart as it was before the visit.
TEST_F(EditingTest, TheViewAfterTheVisitShowsWhatWasStored)
{
    site.addToday(1, t(13, 0), t(14, 0));
    startEditing(0);
    withDialog([&] { drag(before(0, 11, 0), before(0, 12, 0)); });
    ASSERT_EQ(site.dayRows("TodayTable"), (QStringList{"1 11:00-11:59", "1 13:00-14:00"}));
    form->nCurPieceNo = 1;
    boxes.answers.enqueue(console::MessageAnswer::Yes);
    click(QStringLiteral("CmdDelete"));
    ASSERT_EQ(site.dayRows("TodayTable"), QStringList{"1 13:00-14:00"});
    withDialog([&] { drag(before(0, 15, 0), before(0, 16, 0)); });

    leaveMaintenance();
    ASSERT_FALSE(state->MaintMode);
    ASSERT_EQ(form->shownDay(), 1);
    ASSERT_EQ(form->chartDate(1), QDate(2026, 12, 8));
    QStringList pieces;
    for (short no = 1; no <= shown().GetPieceCount(0); ++no) {
        double s = 0, e = 0;
        shown().GetPieceRange2(0, no, s, e);
        pieces << automation::fromOleDate(s).time().toString(QStringLiteral("HH:mm"));
    }
    EXPECT_EQ(pieces, (QStringList{"13:00", "15:00"}));
}

// A database held locked by another program while a new reservation is
// stored: the operator is told the database refused, not that the group is gone.
TEST_F(EditingTest, ALockedDatabaseIsReportedAsSuchWhenAddingAReservation)
{
    startEditing(1);
    state->database().setBusyTimeoutMs(50);
    ASSERT_TRUE(state->database().open());
    store::Database holder;
    ASSERT_TRUE(holder.open(site.database()));
    QSqlQuery lock(holder.handle());
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    state->ReserveStart = t(9, 0);
    state->ReserveEnd = t(10, 0);
    form->StoreNewReservation(0);
    ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
    ASSERT_FALSE(boxes.shown.isEmpty());
    const QString text = boxes.lastText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("予約を登録出来ませんでした。 ｴﾗｰ番号 3146"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("がありません"))) << text.toStdString();
    EXPECT_TRUE(site.dayRows("NextdayTable").isEmpty());
}

TEST_F(EditingTest, TomorrowsChartTakesAnyTimeOfDayIntoNextdayTable)
{
    site.addNextday(2, t(9, 0), t(9, 30));
    startEditing(1);
    const Proposal p = withDialog([&] { drag(before(1, 9, 45), before(1, 10, 0)); });
    EXPECT_EQ(p.times, QStringLiteral("09:45-09:59"));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"2 09:00-09:30", "2 09:45-09:59"}));
    EXPECT_TRUE(site.dayRows("TodayTable").isEmpty());
    EXPECT_EQ(form->nCurPieceNo, 2);

    // Drawn leftwards from a free place onto it: overlapping.
    withDialog([&] { drag(before(1, 10, 30), before(1, 9, 50)); });
    EXPECT_EQ(boxes.lastText(), Overlap);
    EXPECT_EQ(site.dayRows("NextdayTable").size(), 2);
}

TEST_F(EditingTest, ChangeAndDeleteFindTheRowsByGroupAndStartMinute)
{
    site.addToday(1, t(11, 0), t(12, 0));
    site.addToday(1, t(15, 0), t(16, 0));
    site.addToday(2, t(11, 0), t(12, 0));
    site.addNextday(1, t(11, 0), t(12, 0));
    startEditing(0);
    // Nothing chosen yet (the chosen row has no piece chosen after a click on nothing).
    form->nCurPieceNo = -1;
    click(QStringLiteral("CmdChenge"));
    click(QStringLiteral("CmdDelete"));
    EXPECT_EQ(boxes.texts(), (QStringList{Choose, Choose}));

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, inside(0, 11, 30));
    ASSERT_EQ(form->nCurIndex, 0);
    ASSERT_EQ(form->nCurPieceNo, 1);
    const Proposal p = withDialog([&] { click(QStringLiteral("CmdChenge")); }, {"12", "30", "13", "30"});
    EXPECT_EQ(p.caption, QStringLiteral("予約変更"));
    EXPECT_EQ(p.times, QStringLiteral("11:00-12:00"));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 12:30-13:30", "1 15:00-16:00", "2 11:00-12:00"}));
    EXPECT_EQ(site.dayRows("NextdayTable"), QStringList{"1 11:00-12:00"});
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblTime_0"))->text(), QStringLiteral("12時30分"));

    // A change overlapping its own old place only is accepted, another piece not.
    withDialog([&] { click(QStringLiteral("CmdChenge")); }, {"12", "00", "13", "00"});
    EXPECT_EQ(site.dayRows("TodayTable").first(), QStringLiteral("1 12:00-13:00"));
    withDialog([&] { click(QStringLiteral("CmdChenge")); }, {"12", "00", "15", "00"});
    EXPECT_EQ(boxes.lastText(), Overlap);
    EXPECT_EQ(site.dayRows("TodayTable").first(), QStringLiteral("1 12:00-13:00"));

    // Delete: every row of the group starting in that minute.
    site.addToday(1, t(12, 0), t(12, 30));
    boxes.answers.enqueue(console::MessageAnswer::No);
    click(QStringLiteral("CmdDelete"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("選択スケジュールを削除します よろしいですか？"));
    EXPECT_EQ(site.dayRows("TodayTable").size(), 4);
    click(QStringLiteral("CmdDelete"));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 15:00-16:00", "2 11:00-12:00"}));
    EXPECT_EQ(shown().GetPieceCount(0), 1);
    EXPECT_EQ(form->nCurPieceNo, 1);
}

TEST_F(EditingTest, StepButtonsStopAtTheEndsOfTheRow)
{
    site.addToday(2, t(11, 0), t(12, 0));
    site.addToday(2, t(13, 0), t(14, 0));
    startEditing(0);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, inside(1, 11, 30));
    auto *label = find<QLabel>(QStringLiteral("LblMovePiece"));
    ASSERT_EQ(label->text(), QStringLiteral("1"));
    click(QStringLiteral("CmdMovePiece_0"));
    EXPECT_EQ(form->nCurPieceNo, 1);
    click(QStringLiteral("CmdMovePiece_1"));
    EXPECT_EQ(form->nCurPieceNo, 2);
    EXPECT_EQ(label->text(), QStringLiteral("2"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblTime_0"))->text(), QStringLiteral("13時00分"));
    click(QStringLiteral("CmdMovePiece_1"));
    EXPECT_EQ(form->nCurPieceNo, 2);
    EXPECT_EQ(label->text(), QStringLiteral("2"));
}

TEST_F(EditingTest, AMovedPieceIsStoredInTheDayTable)
{
    site.addNextday(1, t(9, 0), t(10, 0));
    site.addNextday(1, t(13, 0), t(14, 0));
    site.addToday(1, t(9, 0), t(10, 0));
    startEditing(1);
    drag(inside(0, 9, 30), inside(0, 11, 30));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"1 11:00-12:00", "1 13:00-14:00"}));
    EXPECT_EQ(site.dayRows("TodayTable"), QStringList{"1 09:00-10:00"});
    EXPECT_EQ(shown().GetPieceRange(0, 1, chart::GntStartHour), 11);
    EXPECT_EQ(form->nCurPieceNo, 1);

    // Onto the other piece: refused and put back.
    drag(inside(0, 11, 30), inside(0, 13, 0));
    EXPECT_EQ(boxes.lastText(), Overlap);
    EXPECT_EQ(shown().GetPieceRange(0, 1, chart::GntStartHour), 11);
    EXPECT_EQ(site.dayRows("NextdayTable").first(), QStringLiteral("1 11:00-12:00"));

    // The chart never removes a piece by itself.
    bool enable = true;
    form->Chart_RemovePieceUI(1, 0, 1, enable);
    EXPECT_FALSE(enable);
}
