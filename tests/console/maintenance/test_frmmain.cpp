// The weekly master editor driven offscreen with the mouse and the
// reservation dialog, on a temporary site; what it stores is read back from
// the database.
#include "console/common/consolestate.h"
#include "console/maintenance/frmmain.h"
#include "console/maintenance/frmreserve.h"
#include "reservedialog.h"
#include "recordingmessageboxes.h"
#include "runnersite.h"

#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "chart/ganttconstants.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "platform/clock.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QTime t(int h, int m) { return QTime(h, m); }

// What the reservation dialog showed when it opened.
struct Proposal
{
    QString caption, room, sh, sm, eh, em;
};

class FrmMainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        // Tuesday 2026-12-08: today is day code 3, tomorrow 4.
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(8, 0, 30)));
        site.addGroup(1, QStringLiteral("A棟"), true);
        site.addGroup(2, QStringLiteral("B棟"), true);
        site.addGroup(3, QStringLiteral("C棟"), false);
        site.setIni("Size", "Flg", QStringLiteral("1"));
        site.setIni("Size", "Width", QString::number(1150 * 15));
        site.setIni("Size", "Height", QString::number(620 * 15));
        state = std::make_unique<console::ConsoleState>(site.home());
        ASSERT_TRUE(state->openDatabase());
        state->setMessages(&boxes);
        state->MaintMode = true;
        state->LoginOK = true;
        state->CurrentGroupName = QStringLiteral("A棟");
    }
    void TearDown() override
    {
        form.reset();
        platform::clock::useSystemClock();
    }

    void open()
    {
        form = std::make_unique<console::FrmMain>(*state);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        chart = form->findChild<Ganttline *>(QStringLiteral("Ganttline1"));
        ASSERT_TRUE(chart);
        vp = chart->chartView()->viewport();
    }
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    chart::ChartModel &model() const { return *chart->model(); }

    // A point of row `item` at a time from which a drag snaps up to the next quarter hour.
    QPoint before(int item, int hour, int minute) const
    {
        const chart::ChartLayout &l = chart->chartLayout();
        const int target = hour * 60 + minute - 10;
        const QRect row = l.rowRect(item);
        QPoint p(l.xOf(target), row.center().y());
        while (l.minutesAt(p.x(), false) < target)
            p.rx()++;
        return p;
    }
    QPoint inside(int item, int hour, int minute) const
    {
        const chart::ChartLayout &l = chart->chartLayout();
        return {l.xOf(hour * 60 + minute), l.rowRect(item).center().y()};
    }
    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    // Runs `act`, answering the reservation dialog it opens: the proposal is
    // kept, `answer` sets the boxes (empty: as proposed) and OK is pressed;
    // a refused OK is followed by Cancel.
    Proposal withDialog(const std::function<void()> &act, const QStringList &answer = {}, bool cancel = false)
    {
        Proposal seen;
        const bool opened = reservedialog::whileShown(act, [&](console::FrmReserve &d) {
            seen = {d.windowTitle(), d.lblRoomName->text(), d.cboSH->currentText(), d.cboSM->currentText(),
                    d.cboEH->currentText(), d.cboEM->currentText()};
            if (cancel)
                d.cmdCancel->click();
            else
                reservedialog::accept(d, answer);
        });
        EXPECT_TRUE(opened) << "no reservation dialog";
        return seen;
    }

    // "gpno code start-end" per master row, ordered.
    QStringList master() const
    {
        store::Database db(site.database());
        QStringList out;
        if (!db.open())
            return out;
        store::Recordset rs =
            db.openRecordset(QStringLiteral("SELECT * FROM Schedule ORDER BY GPno, lWeek, StartTime"));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << QStringLiteral("%1 %2 %3-%4")
                       .arg(rs.integer(QStringLiteral("GPno")))
                       .arg(rs.integer(QStringLiteral("lWeek")))
                       .arg(rs.text(QStringLiteral("StartTime")), rs.text(QStringLiteral("EndTime")));
        return out;
    }
    QString chosenColourOf(int item, int piece) const
    {
        return model().GetPieceColor(short(item), short(piece)) == console::FrmMain::ChosenPieceColour
                   ? QStringLiteral("chosen")
                   : QStringLiteral("plain");
    }
    void screenshot(const QString &name) const
    {
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts/console");
        QDir().mkpath(dir);
        EXPECT_TRUE(form->grab().save(dir + QLatin1Char('/') + name));
    }

    RunnerSite site;
    RecordingMessageBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
    std::unique_ptr<console::FrmMain> form;
    Ganttline *chart = nullptr;
    QWidget *vp = nullptr;
};

} // namespace

TEST_F(FrmMainTest, OpensOnTheMainScreensGroupWithElevenDayRows)
{
    site.addMaster(1, 3, t(9, 0), t(10, 0));
    site.addMaster(1, 3, t(7, 0), t(8, 0));
    site.addMaster(1, 10, t(18, 0), t(23, 59));
    site.addMaster(2, 3, t(12, 0), t(13, 0));
    open();
    auto *combo = child<QComboBox>("DBCombo1");
    // The window's size from the settings includes its frame.
    EXPECT_EQ(form->frameGeometry().size(), QSize(1150, 620));
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("A棟"));
    EXPECT_EQ(child<QLabel>("GPLabel")->text(), QStringLiteral("1"));
    ASSERT_EQ(model().GetItemCount(), 11);
    EXPECT_EQ(model().GetItemName(0), QStringLiteral("日曜日"));
    EXPECT_EQ(model().GetItemName(10), QStringLiteral("特日４"));
    // Pieces numbered by start within the row; every one light green.
    EXPECT_EQ(model().GetPieceCount(2), 2);
    EXPECT_EQ(model().GetPieceRange(2, 1, chart::GntStartHour), 7);
    EXPECT_EQ(model().GetPieceText(2, 2), QStringLiteral("2"));
    EXPECT_EQ(model().GetPieceRange(9, 1, chart::GntEndMinute), 59);
    EXPECT_EQ(model().GetPieceColor(2, 1), console::FrmMain::PieceColour);
    EXPECT_EQ(form->nCurIndex, -1);
    EXPECT_TRUE(child<QWidget>("Picture1")->isVisible());
    EXPECT_EQ(model().ActionStyle(), chart::GntEdit);

    // Choosing another group loads its master.
    combo->setCurrentIndex(combo->findText(QStringLiteral("B棟")));
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(child<QLabel>("GPLabel")->text(), QStringLiteral("2"));
    EXPECT_EQ(model().GetPieceCount(2), 1);
    EXPECT_EQ(model().GetPieceCount(9), 0);

    // A piece clicked shows its times and becomes the dark one.
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(2, 12, 30));
    EXPECT_EQ(form->nCurIndex, 2);
    EXPECT_EQ(form->nCurPieceNo, 1);
    EXPECT_EQ(child<QLabel>("lblTime_0")->text(), QStringLiteral("12時00分"));
    EXPECT_EQ(child<QLabel>("lblTime_1")->text(), QStringLiteral("13時00分"));
    EXPECT_EQ(child<QLabel>("LblMovePiece")->text(), QStringLiteral("1"));
    EXPECT_EQ(chosenColourOf(2, 1), QStringLiteral("chosen"));
    EXPECT_TRUE(child<Tickface>("Tickface1_0")->isVisible());
    // A row without pieces hides the clocks.
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(4, 12, 30));
    EXPECT_EQ(form->nCurIndex, 4);
    EXPECT_EQ(form->nCurPieceNo, -1);
    EXPECT_FALSE(child<Tickface>("Tickface1_0")->isVisible());
    EXPECT_TRUE(child<QLabel>("lblTime_0")->text().isEmpty());
    EXPECT_EQ(chosenColourOf(2, 1), QStringLiteral("plain"));
}

TEST_F(FrmMainTest, DrawingProposesTheLastMinuteAndStoresTheNewPieceChosen)
{
    site.addMaster(1, 3, t(7, 0), t(8, 0));
    site.addMaster(1, 3, t(12, 0), t(13, 0));
    open();
    const Proposal p = withDialog([&] { drag(before(2, 9, 0), before(2, 10, 0)); });
    EXPECT_EQ(p.caption, QStringLiteral("新規予約"));
    EXPECT_EQ(p.room, QStringLiteral("火曜日"));
    EXPECT_EQ(QStringList({p.sh, p.sm, p.eh, p.em}), (QStringList{"09", "00", "09", "59"}));
    EXPECT_EQ(master(), (QStringList{"1 3 07:00:00-08:00:00", "1 3 09:00:00-09:59:00", "1 3 12:00:00-13:00:00"}));
    // Reloaded: the new piece is number 2 of the row, chosen and shown.
    EXPECT_EQ(model().GetPieceCount(2), 3);
    EXPECT_EQ(form->nCurIndex, 2);
    EXPECT_EQ(form->nCurPieceNo, 2);
    EXPECT_EQ(model().GetCurItem(), 2);
    EXPECT_EQ(chosenColourOf(2, 2), QStringLiteral("chosen"));
    EXPECT_EQ(child<QLabel>("lblTime_1")->text(), QStringLiteral("09時59分"));
    EXPECT_EQ(state->ReserveOwner, nullptr);
    EXPECT_EQ(state->ReserveChart, nullptr);
    screenshot(QStringLiteral("frmmain-maintenance.png"));

    // A drawing the operator cancels stores nothing and adds no piece.
    withDialog([&] { drag(before(4, 15, 0), before(4, 16, 0)); }, {}, true);
    EXPECT_EQ(model().GetPieceCount(4), 0);
    EXPECT_EQ(master().size(), 3);

    // A drawing over an existing piece is refused by the dialog.
    withDialog([&] { drag(before(2, 11, 0), before(2, 14, 0)); }, {"11", "00", "13", "59"});
    EXPECT_EQ(boxes.lastText(), QStringLiteral("予約時間は他の予約時間と重複してはいけません。"));
    EXPECT_EQ(master().size(), 3);
}

TEST_F(FrmMainTest, ChangeAndDeleteActOnTheRowOfGroupDayAndStartMinute)
{
    site.addMaster(1, 3, t(9, 0), t(10, 0));
    site.addMaster(1, 3, t(14, 0), t(15, 0));
    site.addMaster(1, 4, t(9, 0), t(10, 0));
    site.addMaster(2, 3, t(9, 0), t(10, 0));
    open();
    // Nothing chosen: the change does nothing, the delete asks for a choice.
    click("CmdChenge");
    click("CmdDelete");
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("いづれかの予約を選択ください。")});
    EXPECT_TRUE(boxes.shown.last().systemModal);

    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(2, 9, 30));
    ASSERT_EQ(form->nCurPieceNo, 1);
    // The change proposes the old times, end included as stored.
    const Proposal p = withDialog([&] { click("CmdChenge"); }, {"09", "30", "10", "30"});
    EXPECT_EQ(p.caption, QStringLiteral("予約変更"));
    EXPECT_EQ(QStringList({p.sh, p.sm, p.eh, p.em}), (QStringList{"09", "00", "10", "00"}));
    EXPECT_EQ(master(), (QStringList{"1 3 09:30:00-10:30:00", "1 3 14:00:00-15:00:00", "1 4 09:00:00-10:00:00",
                                     "2 3 09:00:00-10:00:00"}));
    EXPECT_EQ(form->nCurPieceNo, 1);
    EXPECT_EQ(child<QLabel>("lblTime_0")->text(), QStringLiteral("09時30分"));

    // Changed past the later piece: it becomes number 2 and stays chosen.
    withDialog([&] { click("CmdChenge"); }, {"16", "00", "17", "00"});
    EXPECT_EQ(master().first(), QStringLiteral("1 3 14:00:00-15:00:00"));
    EXPECT_EQ(form->nCurPieceNo, 2);
    EXPECT_EQ(chosenColourOf(2, 2), QStringLiteral("chosen"));

    // Delete: No keeps the row; Yes removes that row only.
    boxes.answers.enqueue(console::MessageAnswer::No);
    click("CmdDelete");
    EXPECT_EQ(boxes.lastText(), QStringLiteral("選択スケジュールを削除します よろしいですか？"));
    EXPECT_EQ(master().size(), 4);
    click("CmdDelete");
    EXPECT_EQ(master(), (QStringList{"1 3 14:00:00-15:00:00", "1 4 09:00:00-10:00:00", "2 3 09:00:00-10:00:00"}));
    EXPECT_EQ(model().GetPieceCount(2), 1);
    EXPECT_EQ(form->nCurPieceNo, 1);
}

// Another group picked in the list: the chosen piece is one of the group on
// screen, so the panel and the delete never act on the group shown before.
TEST_F(FrmMainTest, PickingAnotherGroupChoosesAPieceOfThatGroup)
{
    site.addMaster(1, 3, t(9, 0), t(10, 0));
    site.addMaster(1, 3, t(14, 0), t(15, 0));
    site.addMaster(1, 8, t(3, 0), t(4, 0));
    site.addMaster(2, 3, t(12, 0), t(13, 0));
    open();
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(2, 14, 30));
    ASSERT_EQ(form->nCurPieceNo, 2);
    auto *combo = child<QComboBox>("DBCombo1");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down); // B棟
    ASSERT_EQ(child<QLabel>("GPLabel")->text(), QStringLiteral("2"));
    EXPECT_EQ(form->nCurIndex, 2);
    EXPECT_EQ(form->nCurPieceNo, 1);
    EXPECT_EQ(child<QLabel>("lblTime_0")->text(), QStringLiteral("12時00分"));
    EXPECT_EQ(chosenColourOf(2, 1), QStringLiteral("chosen"));
    click("CmdDelete");
    EXPECT_EQ(master(), (QStringList{"1 3 09:00:00-10:00:00", "1 3 14:00:00-15:00:00", "1 8 03:00:00-04:00:00"}));

    // A day row on which the group picked has nothing: no piece is chosen.
    combo->setCurrentIndex(0);
    form->DBCombo1_Click();
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(7, 3, 30));
    ASSERT_EQ(form->nCurIndex, 7);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(form->nCurPieceNo, -1);
    EXPECT_TRUE(child<QLabel>("lblTime_0")->text().isEmpty());
    boxes.clear();
    click("CmdDelete");
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("いづれかの予約を選択ください。")});
    EXPECT_EQ(master().size(), 3);
}

TEST_F(FrmMainTest, StepButtonsStopAtTheFirstAndTheLastPiece)
{
    site.addMaster(1, 5, t(8, 0), t(9, 0));
    site.addMaster(1, 5, t(10, 0), t(11, 0));
    site.addMaster(1, 5, t(12, 0), t(13, 0));
    open();
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(4, 8, 30));
    auto *label = child<QLabel>("LblMovePiece");
    ASSERT_EQ(label->text(), QStringLiteral("1"));
    click("CmdMovePiece_0");
    EXPECT_EQ(label->text(), QStringLiteral("1"));
    EXPECT_EQ(form->nCurPieceNo, 1);
    click("CmdMovePiece_1");
    click("CmdMovePiece_1");
    EXPECT_EQ(form->nCurPieceNo, 3);
    EXPECT_EQ(child<QLabel>("lblTime_0")->text(), QStringLiteral("12時00分"));
    EXPECT_EQ(chosenColourOf(4, 3), QStringLiteral("chosen"));
    EXPECT_EQ(chosenColourOf(4, 1), QStringLiteral("plain"));
    click("CmdMovePiece_1");
    EXPECT_EQ(label->text(), QStringLiteral("3"));
    EXPECT_EQ(form->nCurPieceNo, 3);
    click("CmdMovePiece_0");
    EXPECT_EQ(form->nCurPieceNo, 2);
}

TEST_F(FrmMainTest, AMovedPieceIsStoredInItsOwnRow)
{
    site.addMaster(1, 2, t(9, 0), t(10, 0));
    site.addMaster(1, 2, t(13, 0), t(14, 0));
    site.addMaster(1, 3, t(9, 0), t(10, 0));
    open();
    // 09:00-10:00 of Monday dragged by an hour.
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(1, 9, 30));
    drag(inside(1, 9, 30), inside(1, 10, 30));
    EXPECT_EQ(master(), (QStringList{"1 2 10:00:00-11:00:00", "1 2 13:00:00-14:00:00", "1 3 09:00:00-10:00:00"}));
    EXPECT_EQ(form->nCurPieceNo, 1);
    EXPECT_EQ(child<QLabel>("lblTime_0")->text(), QStringLiteral("10時00分"));

    // Onto the other piece: refused, put back, nothing stored.
    drag(inside(1, 10, 30), inside(1, 13, 0));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("予約時間は他の予約時間と重複してはいけません。"));
    EXPECT_EQ(model().GetPieceRange(1, 1, chart::GntStartHour), 10);
    EXPECT_EQ(master().first(), QStringLiteral("1 2 10:00:00-11:00:00"));

    // To the end of the day: it ends at 23:59, never at 00:00.
    drag(inside(1, 13, 30), inside(1, 23, 30));
    EXPECT_EQ(master().at(1), QStringLiteral("1 2 23:00:00-23:59:00"));

    // The chart never removes a piece by itself.
    bool enable = true;
    form->RemovePieceUI(1, 1, enable);
    EXPECT_FALSE(enable);
}

TEST_F(FrmMainTest, ReflectAndBulkRebuildUseTheDayMemos)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addMaster(1, 10, t(10, 0), t(11, 0));
    site.addMaster(1, 4, t(12, 0), t(13, 0));
    site.addMaster(2, 4, t(16, 0), t(17, 0));
    site.addMaster(3, 10, t(18, 0), t(19, 0)); // an invalid group is copied too
    site.addToday(2, t(20, 0), t(21, 0));
    // Today is a "特日３".
    site.writeDayMemos({{QDate(2026, 12, 8), QStringLiteral("特日３")}});
    open();
    click("CmdReflect");
    EXPECT_EQ(boxes.lastText(), QStringLiteral("正常に反映されました。"));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 10:00-11:00", "2 20:00-21:00"}));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"1 12:00-13:00"}));

    // The double click on the clock rebuilds every group after a question.
    auto *clock = child<Tickface>("Tickface3");
    QTest::mouseDClick(clock, Qt::LeftButton);
    EXPECT_EQ(boxes.shown.at(boxes.shown.size() - 2).text,
              QStringLiteral("全グループを一括で本日翌日に反映します。よろしいですか？"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("正常に反映されました。"));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 10:00-11:00", "3 18:00-19:00"}));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"1 12:00-13:00", "2 16:00-17:00"}));

    // A memo that names no day gives that day no rows.
    site.writeDayMemos({{QDate(2026, 12, 9), QStringLiteral("祝日")}});
    ASSERT_TRUE(form->RebuildDayTables());
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 08:00-09:00"}));
    EXPECT_TRUE(site.dayRows("NextdayTable").isEmpty());
}

TEST_F(FrmMainTest, BulkRebuildOnlyOnAServerAfterALogOn)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addToday(2, t(20, 0), t(21, 0));
    open();
    auto *clock = child<Tickface>("Tickface3");
    state->LoginOK = false;
    QTest::mouseDClick(clock, Qt::LeftButton);
    state->LoginOK = true;
    state->ClientMode = true;
    QTest::mouseDClick(clock, Qt::LeftButton);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(site.dayRows("TodayTable"), QStringList{"2 20:00-21:00"});

    // Answered No: nothing either.
    state->ClientMode = false;
    boxes.answers.enqueue(console::MessageAnswer::No);
    QTest::mouseDClick(clock, Qt::LeftButton);
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(site.dayRows("TodayTable"), QStringList{"2 20:00-21:00"});
}

// After a maintenance visit the log-on stays accepted, but the editor opened
// in the view mode is read-only: its clock rewrites no day table.
TEST_F(FrmMainTest, BulkRebuildNeverFromTheReadOnlyEditor)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addToday(2, t(20, 0), t(21, 0));
    state->MaintMode = false;
    state->LoginOK = true;
    open();
    QTest::mouseDClick(child<Tickface>("Tickface3"), Qt::LeftButton);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(site.dayRows("TodayTable"), QStringList{"2 20:00-21:00"});
}

TEST_F(FrmMainTest, AReflectWhoseInsertFailsLeavesTheDayTablesUnchanged)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addMaster(1, 4, t(12, 0), t(13, 0));
    site.addToday(1, t(20, 0), t(21, 0));
    site.addNextday(1, t(20, 0), t(21, 0));
    ASSERT_TRUE(site.exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON NextdayTable BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    open();
    click("CmdReflect");
    EXPECT_EQ(boxes.lastText(), QStringLiteral("反映に失敗しました。：エラーNO3146"));
    ASSERT_TRUE(form->RebuildDayTables() == false);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("反映に失敗しました。：エラーNO3146"));
    EXPECT_EQ(site.dayRows("TodayTable"), QStringList{"1 20:00-21:00"});
    EXPECT_EQ(site.dayRows("NextdayTable"), QStringList{"1 20:00-21:00"});
}

TEST_F(FrmMainTest, AFailingInsertIsReportedAndTheChartShowsWhatIsStored)
{
    ASSERT_TRUE(site.exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON Schedule BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    open();
    withDialog([&] { drag(before(2, 9, 0), before(2, 10, 0)); });
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("disk full")));
    EXPECT_EQ(model().GetPieceCount(2), 0);
    EXPECT_TRUE(master().isEmpty());
}

TEST_F(FrmMainTest, ViewModeOnlyShowsAndAnUnknownGroupFallsBackToGroupOne)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addMaster(2, 3, t(10, 0), t(11, 0));
    state->MaintMode = false;
    state->CurrentGroupName = QStringLiteral("消えたグループ");
    open();
    EXPECT_EQ(child<QComboBox>("DBCombo1")->currentText(), QStringLiteral("A棟"));
    EXPECT_EQ(child<QLabel>("GPLabel")->text(), QStringLiteral("1"));
    EXPECT_EQ(model().ActionStyle(), chart::GntBrowse);
    EXPECT_FALSE(child<QWidget>("Picture1")->isVisible());
    EXPECT_FALSE(child<QWidget>("CmdReflect")->isVisible());
    EXPECT_FALSE(child<QWidget>("cmdCopy")->isVisible());
    // Drawing does nothing; a clicked piece is not darkened.
    drag(before(4, 9, 0), before(4, 10, 0));
    EXPECT_EQ(model().GetPieceCount(4), 0);
    QTest::mouseClick(vp, Qt::LeftButton, {}, inside(2, 8, 30));
    EXPECT_EQ(chosenColourOf(2, 1), QStringLiteral("plain"));
    screenshot(QStringLiteral("frmmain-view.png"));
    click("cmdClose");
    EXPECT_FALSE(form->isVisible());
}
