// The reservation dialog as the operator meets it: the boxes the caller
// filled, OK and Cancel, every refusal in its order with its text.
#include "console/common/consolestate.h"
#include "console/maintenance/frmreserve.h"
#include "recordingmessageboxes.h"
#include "runnersite.h"

#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"
#include "chart/ganttline.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The calling form: its chosen row and piece, and whether it is the main
// screen showing today.
struct Caller : console::ReserveCaller
{
    int index = 0;
    int piece = -1;
    bool today = false;
    int curIndex() const override { return index; }
    int curPieceNo() const override { return piece; }
    bool showsToday() const override { return today; }
};

class FrmReserveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 30, 20)));
        state = std::make_unique<console::ConsoleState>(site.home());
        state->setMessages(&boxes);
        chart.model()->AddItem(QStringLiteral("A棟"), chart::GntRect);
        chart.model()->SetPieceRange(0, 1, 9, 0, 10, 0);
        chart.model()->SetPieceRange(0, 2, 13, 0, 14, 0);
        state->ReserveChart = &chart;
        state->ReserveOwner = &caller;
        state->ReserveMode = 1;
    }
    void TearDown() override { platform::clock::useSystemClock(); }

    // Presses OK with the times given as the four box texts ("" leaves a box empty).
    bool ok(console::FrmReserve &d, const QString &sh, const QString &sm, const QString &eh, const QString &em)
    {
        const auto set = [](QComboBox *box, const QString &text) { box->setCurrentIndex(box->findText(text)); };
        set(d.cboSH, sh);
        set(d.cboSM, sm);
        set(d.cboEH, eh);
        set(d.cboEM, em);
        boxes.clear();
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        return state->ReserveOK;
    }

    RunnerSite site;
    RecordingMessageBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
    Ganttline chart;
    Caller caller;
};

const QString Overlap = QStringLiteral("予約時間は他の予約時間と重複してはいけません。");
const QString Order = QStringLiteral("StartTimeはEndTimeより未来の時間を指定してください。");
const QString Past = QStringLiteral("過去のスケジュールは指定出来ません。");

} // namespace

TEST_F(FrmReserveTest, FilledBoxesAndTheAcceptedTimes)
{
    console::FrmReserve d(*state);
    EXPECT_EQ(d.cboSH->count(), 24);
    EXPECT_EQ(d.cboEM->count(), 60);
    EXPECT_EQ(d.cboSM->itemText(5), QStringLiteral("05"));
    EXPECT_EQ(d.cboEH->itemText(23), QStringLiteral("23"));
    d.fill(QStringLiteral("新規予約"), QStringLiteral("A棟"), QTime(18, 0), QTime(19, 59));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("新規予約"));
    EXPECT_EQ(d.lblRoomName->text(), QStringLiteral("A棟"));
    EXPECT_EQ(d.cboSH->currentText(), QStringLiteral("18"));
    EXPECT_EQ(d.cboEM->currentText(), QStringLiteral("59"));

    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(state->ReserveOK);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(state->ReserveStart, QTime(18, 0, 0));
    EXPECT_EQ(state->ReserveEnd, QTime(19, 59, 0));
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // Cancel: nothing accepted.
    console::FrmReserve again(*state);
    again.fill(QStringLiteral("新規予約"), QStringLiteral("A棟"), QTime(18, 0), QTime(19, 59));
    QTest::mouseClick(again.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(state->ReserveOK);
    EXPECT_EQ(again.result(), QDialog::Rejected);
}

TEST_F(FrmReserveTest, RefusalsOfANewReservationInTheirOrder)
{
    console::FrmReserve d(*state);
    d.fill(QStringLiteral("新規予約"), QStringLiteral("A棟"), QTime(), QTime());

    // An empty box: a plain box, not system-modal.
    EXPECT_FALSE(ok(d, "11", "", "12", "00"));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("時刻をすべて入力してください"));
    EXPECT_FALSE(boxes.shown[0].systemModal);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("確認"));

    // Overlap comes first; touching a piece's end counts as overlapping.
    EXPECT_FALSE(ok(d, "10", "00", "11", "00"));
    EXPECT_EQ(boxes.lastText(), Overlap);
    EXPECT_TRUE(boxes.shown.last().systemModal);
    // End equal to start, or before it.
    EXPECT_FALSE(ok(d, "11", "00", "11", "00"));
    EXPECT_EQ(boxes.lastText(), Order);
    EXPECT_FALSE(ok(d, "12", "00", "11", "00"));
    EXPECT_EQ(boxes.lastText(), Order);
    EXPECT_NE(d.result(), QDialog::Accepted); // every refusal keeps the dialog open

    // Outside the chart's hours, with the hours in the text.
    chart.model()->setScaleRangeTop(6);
    chart.model()->setScaleRangeEnd(18);
    EXPECT_FALSE(ok(d, "17", "00", "18", "01"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("StartTimeに 6時より前、またはEndTimeに 18時より後の"
                                               "時間を設定しています。有効範囲内で設定してください"));
    EXPECT_FALSE(ok(d, "05", "59", "07", "00"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("StartTimeに 6時より前、またはEndTimeに 18時より後の"
                                               "時間を設定しています。有効範囲内で設定してください"));
    EXPECT_TRUE(ok(d, "17", "00", "18", "00"));
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(FrmReserveTest, AChangeMayOverlapOnlyItsOwnPlaceAndHasNoRangeCheck)
{
    state->ReserveMode = 2;
    caller.piece = 1; // 09:00-10:00
    chart.model()->setScaleRangeTop(6);
    chart.model()->setScaleRangeEnd(18);
    console::FrmReserve d(*state);
    d.fill(QStringLiteral("予約変更"), QStringLiteral("A棟"), QTime(9, 0), QTime(10, 0));

    EXPECT_FALSE(ok(d, "09", "30", "13", "00")); // reaches piece 2
    EXPECT_EQ(boxes.lastText(), Overlap);
    EXPECT_FALSE(ok(d, "14", "00", "13", "30")); // the order check comes first for a change
    EXPECT_EQ(boxes.lastText(), Order);
    EXPECT_TRUE(ok(d, "09", "30", "10", "30")); // only its own old place
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(ok(d, "17", "00", "19", "00")); // past the chart's last hour: no range test
    EXPECT_EQ(state->ReserveEnd, QTime(19, 0));

    // The same times chosen for another piece overlap piece 1.
    caller.piece = 2;
    EXPECT_FALSE(ok(d, "09", "30", "10", "30"));
    EXPECT_EQ(boxes.lastText(), Overlap);
}

TEST_F(FrmReserveTest, PastTimesAreRefusedOnlyOnTodaysDayChart)
{
    console::FrmReserve d(*state);
    d.fill(QStringLiteral("新規予約"), QStringLiteral("A棟"), QTime(), QTime());
    // The clock reads 10:30:20.
    caller.today = true;
    state->ReserveFromDayChart = true;
    EXPECT_FALSE(ok(d, "10", "10", "10", "30"));
    EXPECT_EQ(boxes.lastText(), Past);
    EXPECT_TRUE(boxes.shown.last().systemModal);
    EXPECT_TRUE(ok(d, "10", "10", "10", "31"));

    // Tomorrow's chart, and the weekly editor, take any time of day.
    caller.today = false;
    EXPECT_TRUE(ok(d, "10", "10", "10", "30"));
    caller.today = true;
    state->ReserveFromDayChart = false;
    EXPECT_TRUE(ok(d, "10", "10", "10", "30"));
}

TEST_F(FrmReserveTest, ScreenshotOfTheDialog)
{
    console::FrmReserve d(*state);
    d.fill(QStringLiteral("新規予約"), QStringLiteral("換気ファン１"), QTime(9, 0), QTime(9, 59));
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts/console");
    QDir().mkpath(dir);
    EXPECT_TRUE(d.grab().save(dir + QStringLiteral("/frmreserve.png")));
    EXPECT_GE(d.width(), d.lblRoomName->sizeHint().width());
}
