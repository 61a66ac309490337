#include "chartfixture.h"

#include "chart/chartmodel.h"
#include "platform/clock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace chart;
using charttest::numbers;
using charttest::pairs;
using automation::fromOleDate;

namespace {

struct ChartModelTest : ::testing::Test
{
    void SetUp() override { platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0, 30))); }
    void TearDown() override { platform::clock::useSystemClock(); }
    ChartModel m;
};

} // namespace

TEST_F(ChartModelTest, ItemsAddInsertRemoveAndBadIndexes)
{
    EXPECT_EQ(m.GetItemCount(), 0);
    EXPECT_EQ(m.GetCurItem(), -1);
    EXPECT_EQ(m.AddItem(QStringLiteral("A"), GntLine), 0);
    EXPECT_EQ(m.AddItem(QStringLiteral("B"), 7), 1); // piece type stored unchecked
    EXPECT_EQ(m.GetPieceType(1), 7);

    // nInsertPos must be -1 (append) or an existing index.
    EXPECT_EQ(m.InsertItem(QStringLiteral("X"), GntRect, 2), -1);
    EXPECT_EQ(m.InsertItem(QStringLiteral("X"), GntRect, -2), -1);
    EXPECT_EQ(m.GetItemCount(), 2);
    EXPECT_EQ(m.InsertItem(QStringLiteral("Z"), GntRect, 0), 0);
    EXPECT_EQ(m.InsertItem(QStringLiteral("E"), GntDot, -1), 3);
    EXPECT_EQ(m.GetItemName(0), QStringLiteral("Z"));
    EXPECT_EQ(m.GetItemName(1), QStringLiteral("A"));
    EXPECT_EQ(m.GetItemName(3), QStringLiteral("E"));

    // Removing shifts the later items up; the result is the remaining count.
    EXPECT_EQ(m.RemoveItem(4), -1);
    EXPECT_EQ(m.RemoveItem(-1), -1);
    EXPECT_EQ(m.RemoveItem(0), 3);
    EXPECT_EQ(m.GetItemName(0), QStringLiteral("A"));

    // Every member fails softly on a bad index.
    EXPECT_EQ(m.GetItemName(9), QString());
    EXPECT_FALSE(m.SetItemName(9, QStringLiteral("n")));
    EXPECT_EQ(m.GetPieceType(-1), -1);
    EXPECT_EQ(m.GetPieceCount(3), -1);
    EXPECT_FALSE(m.SetCurItem(3));
    EXPECT_FALSE(m.SetPieceRange(3, 0, 8, 0, 9, 0));
    EXPECT_EQ(m.GetPieceRange(3, 0, 0), -1);
    EXPECT_FALSE(m.RemovePiece(3, 0));
    EXPECT_EQ(m.GetPieceFreeNo(3), -1);
    EXPECT_EQ(m.GetPieceColor(3, 0), 0u);
    EXPECT_FALSE(m.SetPieceColor(3, 0, 0xFF));
    EXPECT_FALSE(m.RemovePieceColor(3, 0));
    EXPECT_EQ(m.GetPieceText(3, 0), QString());
    EXPECT_FALSE(m.SetPieceText(3, 0, QStringLiteral("t")));
    EXPECT_FALSE(m.GetAllPieceNo(3).isValid());
    double s = 1, e = 2;
    EXPECT_FALSE(m.GetPieceRange2(3, 0, s, e));
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 2);

    m.Clear();
    EXPECT_EQ(m.GetItemCount(), 0);
    EXPECT_EQ(m.GetCurItem(), -1);
}

TEST_F(ChartModelTest, RemovingTheOnlyItemAndCurrentItemClamping)
{
    m.AddItem(QStringLiteral("only"), GntRect);
    m.clampCurrentItem(); // as the view does after adding
    EXPECT_EQ(m.GetCurItem(), 0);
    EXPECT_TRUE(m.SetCurItem(0)); // already current: still true
    EXPECT_EQ(m.RemoveItem(0), 0);
    m.clampCurrentItem();
    EXPECT_EQ(m.GetCurItem(), -1);
    EXPECT_EQ(m.InsertItem(QStringLiteral("x"), GntRect, 0), -1); // 0 is not below the count 0

    m.AddItem(QStringLiteral("a"), 1);
    m.AddItem(QStringLiteral("b"), 1);
    m.AddItem(QStringLiteral("c"), 1);
    QSignalSpy moved(&m, &ChartModel::currentItemChanged);
    EXPECT_TRUE(m.SetCurItem(2));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toInt(), -1);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 2);
    m.RemoveItem(2);
    m.clampCurrentItem();
    EXPECT_EQ(m.GetCurItem(), 1);
}

TEST_F(ChartModelTest, SetPieceRangeLimitsAndNormalisation)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    auto range = [&](short no) {
        return QList<int>{m.GetPieceRange(0, no, 0), m.GetPieceRange(0, no, 1), m.GetPieceRange(0, no, 2),
                          m.GetPieceRange(0, no, 3)};
    };

    EXPECT_TRUE(m.SetPieceRange(0, 5, 23, 30, 24, 0));
    EXPECT_EQ(range(5), (QList<int>{23, 30, 24, 0}));
    EXPECT_TRUE(m.SetPieceRange(0, 1, 8, 0, 8, 0)); // zero length is a piece
    EXPECT_TRUE(m.SetPieceRange(0, 2, 8, 90, 10, 0)); // 8 h 90 min is 9:30
    EXPECT_EQ(range(2), (QList<int>{9, 30, 10, 0}));
    EXPECT_TRUE(m.SetPieceRange(0, 3, 23, 0, 47, 0)); // exactly 24 hours
    EXPECT_TRUE(m.SetPieceRange(0, 4, 47, 59, 47, 60)); // ends at 48:00
    EXPECT_EQ(range(4), (QList<int>{47, 59, 48, 0}));

    m.SetPieceText(0, 1, QStringLiteral("kept"));
    const QList<int> before = numbers(m.GetAllPieceNo(0));
    const QList<QList<int>> rejected = {
        {8, 0, 7, 59},   // end before start
        {8, 0, 32, 1},   // 24 h 01 min
        {48, 0, 48, 0},  // hour 48
        {-1, 0, 8, 0},   // negative hour
        {8, -1, 9, 0},   // negative minute
        {8, 0, 9, -1},
        {47, 0, 47, 61}, // ends at 48:01
        {8, 75, 9, 0},   // start normalises to 9:15, after the end
        {47, 60, 47, 60}, // start at 48:00
    };
    for (const QList<int> &r : rejected) {
        EXPECT_FALSE(m.SetPieceRange(0, 1, short(r[0]), short(r[1]), short(r[2]), short(r[3])))
            << r[0] << ":" << r[1] << "-" << r[2] << ":" << r[3];
        EXPECT_FALSE(m.SetPieceRange(0, 9, short(r[0]), short(r[1]), short(r[2]), short(r[3])));
    }
    EXPECT_EQ(numbers(m.GetAllPieceNo(0)), before); // no piece created
    EXPECT_EQ(range(1), (QList<int>{8, 0, 8, 0}));    // nor changed

    // Changing the times of an existing piece keeps its text.
    EXPECT_TRUE(m.SetPieceRange(0, 1, 9, 0, 10, 0));
    EXPECT_EQ(m.GetPieceText(0, 1), QStringLiteral("kept"));
    EXPECT_EQ(m.GetPieceRange(0, 1, 4), -1);
    EXPECT_EQ(m.GetPieceRange(0, 77, 0), -1);
}

TEST_F(ChartModelTest, GetPieceRange2GivesDatesFromToday)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    ASSERT_TRUE(m.SetPieceRange(0, 5, 23, 30, 24, 0));
    ASSERT_TRUE(m.SetPieceRange(0, 6, 25, 15, 47, 59));
    double s = 0, e = 0;
    ASSERT_TRUE(m.GetPieceRange2(0, 5, s, e));
    EXPECT_EQ(fromOleDate(s), QDateTime(QDate(2026, 12, 8), QTime(23, 30)));
    EXPECT_EQ(fromOleDate(e), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    ASSERT_TRUE(m.GetPieceRange2(0, 6, s, e));
    EXPECT_EQ(fromOleDate(s), QDateTime(QDate(2026, 12, 9), QTime(1, 15)));
    EXPECT_EQ(fromOleDate(e), QDateTime(QDate(2026, 12, 9), QTime(23, 59)));
    EXPECT_FALSE(m.GetPieceRange2(0, 7, s, e));

    // And back, as the interaction code turns a host's dates into times.
    int h = 0, mi = 0;
    ASSERT_TRUE(ChartModel::dateToChartTime(e, &h, &mi));
    EXPECT_EQ(h, 47);
    EXPECT_EQ(mi, 59);
}

TEST_F(ChartModelTest, PieceEnumerationFollowsTheBucketOrder)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    for (short no : {0, 1, 2})
        m.SetPieceRange(0, no, 8, 0, 9, 0);
    EXPECT_EQ(numbers(m.GetAllPieceNo(0)), (QList<int>{2, 1, 0}));

    // 16..31 share bucket 1, 272 wraps to bucket 0 (272 >> 4 = 17); -1 lands in
    // bucket 0x0FFFFFFF % 17 = 15.
    m.Clear();
    m.AddItem(QStringLiteral("A"), GntRect);
    for (short no : {16, 3, 272, 17, -1, 40})
        m.SetPieceRange(0, no, 8, 0, 9, 0);
    EXPECT_EQ(numbers(m.GetAllPieceNo(0)), (QList<int>{272, 3, 17, 16, 40, -1}));

    // Re-setting a piece keeps its place; removing and re-adding moves it to the head.
    m.SetPieceRange(0, 16, 10, 0, 11, 0);
    EXPECT_EQ(numbers(m.GetAllPieceNo(0)), (QList<int>{272, 3, 17, 16, 40, -1}));
    EXPECT_TRUE(m.RemovePiece(0, 16));
    EXPECT_FALSE(m.RemovePiece(0, 16));
    m.SetPieceRange(0, 16, 10, 0, 11, 0);
    EXPECT_EQ(numbers(m.GetAllPieceNo(0)), (QList<int>{272, 3, 16, 17, 40, -1}));
    EXPECT_EQ(m.GetPieceCount(0), 6);

    m.AddItem(QStringLiteral("empty"), GntRect);
    EXPECT_FALSE(m.GetAllPieceNo(1).isValid());
    EXPECT_EQ(m.GetPieceCount(1), 0);
}

TEST_F(ChartModelTest, PieceColoursFallBackToTheTypeDefault)
{
    m.setPieceDotColor(0x000000AA);
    m.setPieceLineColor(0x0000BB00);
    m.setPieceRectColor(0x00CC0000);
    m.AddItem(QStringLiteral("dot"), GntDot);
    m.AddItem(QStringLiteral("line"), GntLine);
    m.AddItem(QStringLiteral("rect"), GntRect);
    m.AddItem(QStringLiteral("odd"), 9);
    EXPECT_EQ(m.GetPieceColor(0, 0), 0x000000AAu);
    EXPECT_EQ(m.GetPieceColor(1, 0), 0x0000BB00u);
    EXPECT_EQ(m.GetPieceColor(2, 0), 0x00CC0000u);
    EXPECT_EQ(m.GetPieceColor(3, 0), 0u);

    // An own colour may be set before the piece exists and is used once it does.
    EXPECT_TRUE(m.SetPieceColor(1, 4, 0x00123456));
    EXPECT_EQ(m.GetPieceColor(1, 4), 0x00123456u);
    EXPECT_EQ(m.GetPieceCount(1), 0);
    EXPECT_TRUE(m.SetPieceRange(1, 4, 8, 0, 9, 0));
    EXPECT_EQ(m.pieceColor(1, 4), 0x00123456u);
    EXPECT_TRUE(m.RemovePieceColor(1, 4));
    EXPECT_FALSE(m.RemovePieceColor(1, 4));
    EXPECT_EQ(m.GetPieceColor(1, 4), 0x0000BB00u);

    // Removing the piece drops its own colour too; the default follows the type.
    m.SetPieceColor(1, 4, 0x00654321);
    EXPECT_TRUE(m.RemovePiece(1, 4));
    m.SetPieceRange(1, 4, 8, 0, 9, 0);
    EXPECT_EQ(m.GetPieceColor(1, 4), 0x0000BB00u);
    EXPECT_TRUE(m.SetPieceType(1, GntRect));
    EXPECT_EQ(m.GetPieceColor(1, 4), 0x00CC0000u);
    EXPECT_FALSE(m.SetPieceType(1, 3));
    EXPECT_FALSE(m.SetPieceType(1, -1));
    EXPECT_EQ(m.GetPieceType(1), GntRect);
}

TEST_F(ChartModelTest, GetPieceFreeNoFindsTheLowestGap)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    EXPECT_EQ(m.GetPieceFreeNo(0), 0);
    for (short no : {0, 1, 3})
        m.SetPieceRange(0, no, 8, 0, 9, 0);
    EXPECT_EQ(m.GetPieceFreeNo(0), 2);
    m.SetPieceColor(0, 2, 0xFF); // a colour alone does not use the number
    EXPECT_EQ(m.GetPieceFreeNo(0), 2);

    for (short no = 0; no <= 9999; ++no)
        m.SetPieceRange(0, no, 8, 0, 9, 0);
    EXPECT_EQ(m.GetPieceFreeNo(0), -1);
    m.RemovePiece(0, 9999);
    EXPECT_EQ(m.GetPieceFreeNo(0), 9999);
}

TEST_F(ChartModelTest, PieceTextsAndFindPieceFromText)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    m.AddItem(QStringLiteral("B"), GntRect);
    m.SetPieceRange(0, 0, 8, 0, 9, 0);
    m.SetPieceRange(0, 1, 10, 0, 11, 0);
    m.SetPieceRange(1, 0, 8, 0, 9, 0);
    EXPECT_FALSE(m.SetPieceText(0, 5, QStringLiteral("no piece")));
    EXPECT_TRUE(m.SetPieceText(0, 0, QStringLiteral("Meeting room")));
    EXPECT_TRUE(m.SetPieceText(0, 1, QStringLiteral("meeting")));
    EXPECT_TRUE(m.SetPieceText(1, 0, QStringLiteral("会議室ａ")));

    using P = QList<std::pair<int, int>>;
    // An empty keyword lists every piece of the item in enumeration order.
    EXPECT_EQ(pairs(m.FindPieceFromText(0, QString(), 0)), (P{{0, 1}, {0, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QString(), GntWholeWord)), (P{{0, 1}, {0, 0}, {1, 0}}));
    // Case-insensitive substring by default, also for full-width letters.
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("MEETING"), 0)), (P{{0, 1}, {0, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("室Ａ"), 0)), (P{{1, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("MEETING"), GntMatchCase)), P{});
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("Meeting"), GntMatchCase)), (P{{0, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("MEETING"), GntWholeWord)), (P{{0, 1}}));
    EXPECT_EQ(pairs(m.FindPieceFromText(-1, QStringLiteral("meeting"), GntWholeWord | GntMatchCase)), (P{{0, 1}}));
    // No match or a bad index: the empty variant.
    EXPECT_FALSE(m.FindPieceFromText(-1, QStringLiteral("zzz"), 0).isValid());
    EXPECT_FALSE(m.FindPieceFromText(2, QString(), 0).isValid());
    EXPECT_FALSE(m.FindPieceFromText(-2, QString(), 0).isValid());
    const auto a = m.FindPieceFromText(-1, QString(), 0).value<automation::VariantArray2D>();
    EXPECT_EQ(a.rows, 3);
    EXPECT_EQ(a.columns, 2);
    EXPECT_EQ(a.at(0, 0).typeId(), QMetaType::Short);
}

TEST_F(ChartModelTest, FindPieceFromRangeBothOptions)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    m.AddItem(QStringLiteral("B"), GntRect);
    m.SetPieceRange(0, 0, 8, 0, 11, 0);  // covers 9-10
    m.SetPieceRange(0, 1, 9, 30, 10, 0); // inside 9-10
    m.SetPieceRange(1, 0, 10, 0, 12, 0); // touches at 10:00
    m.SetPieceRange(1, 1, 6, 0, 8, 59);  // before

    using P = QList<std::pair<int, int>>;
    EXPECT_EQ(pairs(m.FindPieceFromRange(-1, 9, 0, 10, 0, GntAllIncluded)), (P{{0, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromRange(-1, 9, 0, 10, 0, GntSubIncluded)), (P{{0, 1}, {0, 0}, {1, 0}}));
    EXPECT_EQ(pairs(m.FindPieceFromRange(-1, 9, 0, 10, 0, 7)), (P{{0, 1}, {0, 0}, {1, 0}})); // any non-zero
    EXPECT_EQ(pairs(m.FindPieceFromRange(1, 9, 0, 10, 0, GntSubIncluded)), (P{{1, 0}}));
    // Minutes are not normalised: 8 h 120 min is 10:00.
    EXPECT_EQ(pairs(m.FindPieceFromRange(1, 8, 120, 8, 120, GntAllIncluded)), (P{{1, 0}}));
    EXPECT_FALSE(m.FindPieceFromRange(-1, 10, 0, 9, 0, GntSubIncluded).isValid()); // reversed
    EXPECT_FALSE(m.FindPieceFromRange(-1, 20, 0, 21, 0, GntSubIncluded).isValid());
    EXPECT_FALSE(m.FindPieceFromRange(5, 9, 0, 10, 0, GntSubIncluded).isValid());
}

TEST_F(ChartModelTest, ShowItemSwitchesTheRowsOfTheWholeChart)
{
    QSignalSpy spy(&m, &ChartModel::rowsVisibleChanged);
    EXPECT_FALSE(m.ShowItem(GntShowItem)); // already shown
    EXPECT_TRUE(m.ShowItem(GntHideItem));
    EXPECT_FALSE(m.ShowItem(GntHideItem));
    EXPECT_FALSE(m.rowsVisible());
    EXPECT_TRUE(m.ShowItem(5)); // other values change nothing
    EXPECT_FALSE(m.rowsVisible());
    EXPECT_TRUE(m.ShowItem(GntShowItem));
    EXPECT_EQ(spy.size(), 2);
}

TEST_F(ChartModelTest, ChangesAskTheViewToRedraw)
{
    m.AddItem(QStringLiteral("A"), GntRect);
    m.AddItem(QStringLiteral("B"), GntRect);
    QSignalSpy rows(&m, &ChartModel::rowChanged);
    QSignalSpy items(&m, &ChartModel::itemsChanged);
    QSignalSpy view(&m, &ChartModel::viewChanged);
    QSignalSpy layout(&m, &ChartModel::layoutChanged);
    m.SetPieceRange(1, 0, 8, 0, 9, 0);
    m.SetPieceText(1, 0, QStringLiteral("t"));
    m.SetPieceColor(1, 0, 1);
    m.RemovePiece(1, 0);
    m.SetPieceRange(1, 0, 48, 0, 48, 0); // refused: no redraw
    ASSERT_EQ(rows.size(), 4);
    for (const auto &r : rows)
        EXPECT_EQ(r.at(0).toInt(), 1);
    m.InsertItem(QStringLiteral("C"), GntDot, 0);
    m.RemoveItem(0);
    m.Clear();
    EXPECT_EQ(items.size(), 3);
    m.SetItemName(-1, QString());
    EXPECT_EQ(view.size(), 0);
    m.setScaleRangeTop(2);
    m.setPieceTextColor(0xFF);
    EXPECT_EQ(layout.size(), 1);
    EXPECT_EQ(view.size(), 1);
}
