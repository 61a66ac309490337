// The control driven with the mouse and the keyboard, offscreen: row choice,
// clicks, piece drags, the new-piece drag, the right-button menu, the
// in-place editor, the keyboard and the header and row-height drags.
#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "chart/ganttline.h"

#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace chart;
using automation::fromOleDate;

namespace {

struct ChartWidgetTest : ::testing::Test
{
    std::unique_ptr<Ganttline> g;
    ChartModel *m = nullptr;
    QWidget *vp = nullptr;
    QStringList events;
    // The host's answer: called with the event name and its arguments.
    std::function<void(const QString &, QVariantList &)> host;
    std::unique_ptr<automation::EventRelay> relay;

    void SetUp() override
    {
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(8, 0, 30)));
        g = std::make_unique<Ganttline>();
        m = g->model();
        QFont f(QStringLiteral("Noto Sans CJK JP"));
        f.setPixelSize(14);
        m->setFont(f);
        g->resize(900, 420);
        g->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(g.get()));
        vp = g->chartView()->viewport();
        relay = std::make_unique<automation::EventRelay>(
            m, g->dispatcher().table(), [this](const automation::DispatchMember &e, QVariantList &args) {
                const QString name = QLatin1String(e.name);
                if (host)
                    host(name, args);
                events << name + automation::displayText(QVariant(args));
            });
    }
    void TearDown() override
    {
        relay.reset();
        g.reset();
        platform::clock::useSystemClock();
    }

    const ChartLayout &layout() const { return g->chartLayout(); }
    QPoint at(int item, int hour, int minute) const
    {
        const QRect row = layout().rowRect(item);
        return {layout().xOf(hour * 60 + minute), row.top() + row.height() / 2};
    }
    // The first x whose time is at least hour:minute (a pixel spans minutes).
    QPoint atLeast(int item, int hour, int minute) const
    {
        QPoint p = at(item, hour, minute);
        while (layout().minutesAt(p.x(), false) < hour * 60 + minute)
            p.rx()++;
        return p;
    }
    QPoint nameOf(int item) const { return layout().nameCell(item).center(); }
    QPoint below() const { return {layout().viewport.width() / 2, layout().rowsBottom() + 10}; }
    void fill()
    {
        m->AddItem(QStringLiteral("会議室A"), GntRect);  // 0
        m->AddItem(QStringLiteral("照明"), GntDot);      // 1
        m->AddItem(QStringLiteral("空調"), GntLine);     // 2
        m->SetPieceRange(0, 1, 9, 0, 12, 0);
        m->SetPieceRange(1, 0, 10, 0, 10, 0);
        m->SetPieceRange(2, 0, 13, 0, 15, 0);
        m->SetPieceText(2, 0, QStringLiteral("運転"));
        events.clear();
    }
    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }
    QList<QAction *> actionsOf(QMenu *menu) const
    {
        QList<QAction *> out;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                out << a;
        return out;
    }
    // Runs the menu entry `name` for a hit as the right-button menu would.
    void runMenu(const HitResult &hit, const QPoint &pos, const char *name)
    {
        std::unique_ptr<QMenu> menu(g->chartView()->createContextMenu(hit, pos));
        QAction *a = menu->findChild<QAction *>(QLatin1String(name));
        ASSERT_TRUE(a);
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
        QCoreApplication::processEvents();
    }
    static QVariant no() { return QVariant::fromValue<qint16>(0); }
};

} // namespace

TEST_F(ChartWidgetTest, BrowseModeShowsNoMenuAndCreatesNothing)
{
    fill();
    bool popup = false;
    QTimer::singleShot(50, [&] {
        if (QWidget *w = QApplication::activePopupWidget()) {
            popup = true;
            w->close();
        }
    });
    QTest::mouseClick(vp, Qt::RightButton, {}, at(0, 15, 0));
    QTest::qWait(100);
    EXPECT_FALSE(popup);
    drag(at(0, 14, 0), at(0, 17, 0));
    EXPECT_EQ(m->GetPieceCount(0), 1);
    EXPECT_FALSE(events.join(' ').contains(QStringLiteral("AddPieceUI")));
}

TEST_F(ChartWidgetTest, ClickingRowsAndPiecesFiresItemClickOnlyForANewRow)
{
    fill();
    EXPECT_EQ(m->GetCurItem(), 0);
    QTest::mouseClick(vp, Qt::LeftButton, {}, nameOf(0)); // already current
    EXPECT_TRUE(events.isEmpty()) << events.join(' ').toStdString();
    QTest::mouseClick(vp, Qt::LeftButton, {}, nameOf(2));
    EXPECT_EQ(events, QStringList{QStringLiteral("ItemClick(2)")});
    EXPECT_EQ(m->GetCurItem(), 2);
    events.clear();
    QTest::mouseClick(vp, Qt::LeftButton, {}, at(0, 10, 30));
    EXPECT_EQ(events, (QStringList{QStringLiteral("ItemClick(0)"), QStringLiteral("PieceClick(0, 1)")}));
    events.clear();
    QTest::mouseClick(vp, Qt::LeftButton, {}, below()); // no row: nothing changes
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(m->GetCurItem(), 0);
}

TEST_F(ChartWidgetTest, DoubleClickFiresPieceDblClickAfterPieceClickInBothModes)
{
    fill();
    for (int style : {GntBrowse, GntEdit}) {
        m->setActionStyle(style);
        events.clear();
        // As the window system delivers a double click: press, release, double
        // click (in place of the second press), release.  Only the first
        // release clicks the piece.
        const QPoint p = at(2, 14, 0);
        QTest::mouseClick(vp, Qt::LeftButton, {}, p);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, p);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, p);
        EXPECT_EQ(events, (QStringList{QStringLiteral("ItemClick(2)"), QStringLiteral("PieceClick(2, 0)"),
                                       QStringLiteral("PieceDblClick(2, 0)")}))
            << style << ": " << events.join(' ').toStdString();
        EXPECT_EQ(m->GetPieceRange(2, 0, GntStartHour), 13); // not moved by the clicks

        // The next click is a click again.
        events.clear();
        QTest::mouseClick(vp, Qt::LeftButton, {}, p);
        EXPECT_EQ(events, QStringList{QStringLiteral("PieceClick(2, 0)")}) << style;
        m->SetCurItem(0);
    }
    events.clear();
    QTest::mouseClick(vp, Qt::LeftButton, {}, nameOf(1));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, nameOf(1));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, nameOf(1));
    EXPECT_EQ(events, (QStringList{QStringLiteral("ItemClick(1)"), QStringLiteral("ItemDblClick(1)")}));
    events.clear();
    QTest::mouseDClick(vp, Qt::LeftButton, {}, nameOf(2));
    EXPECT_EQ(events, QStringList{QStringLiteral("ItemDblClick(2)")}); // current without ItemClick
    EXPECT_EQ(m->GetCurItem(), 2);
}

TEST_F(ChartWidgetTest, MenuEntriesFollowTheHitAndTheMask)
{
    fill();
    m->setActionStyle(GntEdit);
    ChartView *view = g->chartView();
    const auto states = [&](const QPoint &pos) {
        std::unique_ptr<QMenu> menu(view->createContextMenu(hitTest(*m, layout(), pos), pos));
        QString s;
        for (QAction *a : actionsOf(menu.get()))
            s += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    };
    // 新規 削除 文字列編集
    EXPECT_EQ(states(at(0, 15, 0)), QStringLiteral("100"));   // empty piece area
    EXPECT_EQ(states(nameOf(0)), QStringLiteral("111"));      // name cell
    EXPECT_EQ(states(below()), QStringLiteral("100"));        // below the rows
    EXPECT_EQ(states(at(0, 10, 30)), QStringLiteral("011"));  // Rect piece
    EXPECT_EQ(states(at(1, 10, 0)), QStringLiteral("010"));   // a Dot piece has no text to edit
    EXPECT_EQ(states(at(0, 9, 0) + QPoint(1, 0)), QStringLiteral("010")); // start edge

    m->setUIMask(GntMaskRemovePieceUI);
    EXPECT_EQ(states(at(0, 10, 30)), QStringLiteral("001"));
    EXPECT_EQ(states(nameOf(0)), QStringLiteral("111"));
    m->setUIMask(GntMaskRemovePieceUI | GntMaskRemoveItemUI | GntMaskAddPieceUI | GntMaskInsertItemUI
                 | GntMaskAddItemUI | GntMaskEditItemNameUI | GntMaskEditPieceTextUI);
    EXPECT_EQ(states(nameOf(0)), QStringLiteral("000"));
    EXPECT_EQ(states(at(0, 15, 0)), QStringLiteral("000"));
    EXPECT_EQ(states(below()), QStringLiteral("000"));
    EXPECT_EQ(states(at(2, 14, 0)), QStringLiteral("000"));
}

TEST_F(ChartWidgetTest, RightButtonShowsTheMenuAtThePointerInEditMode)
{
    fill();
    m->setActionStyle(GntEdit);
    QStringList seen;
    QTimer::singleShot(50, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : actionsOf(menu))
            seen << a->text() + (a->isEnabled() ? QString() : QStringLiteral("(off)"));
        menu->findChild<QAction *>(QStringLiteral("GanttlineDelete"))->trigger();
        menu->close();
    });
    QTest::mouseClick(vp, Qt::RightButton, {}, at(2, 14, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("新規(off)"), QStringLiteral("削除"), QStringLiteral("文字列編集")}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("RemovePieceUI(2, 0, -1)"), QStringLiteral("RemovedPieceUI(2, 0)")}));
    EXPECT_EQ(m->GetPieceCount(2), 0);
}

TEST_F(ChartWidgetTest, NewPieceDragSnapsUpToTheMinuteInterval)
{
    fill();
    m->setActionStyle(GntEdit);
    QDateTime proposedStart, proposedEnd;
    host = [&](const QString &name, QVariantList &args) {
        if (name == QLatin1String("AddPieceUI")) {
            proposedStart = fromOleDate(args[2].toDouble());
            proposedEnd = fromOleDate(args[3].toDouble());
        }
    };
    drag(atLeast(0, 16, 7), atLeast(0, 17, 1)); // free of the 9:00-12:00 piece
    EXPECT_EQ(proposedStart, QDateTime(QDate(2026, 12, 8), QTime(16, 15)));
    EXPECT_EQ(proposedEnd, QDateTime(QDate(2026, 12, 8), QTime(17, 15)));
    EXPECT_EQ(events.last(), QStringLiteral("AddedPieceUI(0, 0)"));
    EXPECT_EQ(m->GetPieceRange(0, 0, GntStartMinute), 15);
    EXPECT_EQ(m->GetPieceRange(0, 0, GntEndHour), 17);

    // Dragged leftwards the ends swap; on a Line row the same 9:07 -> 10:01 drag.
    drag(atLeast(2, 10, 1), atLeast(2, 9, 7));
    EXPECT_EQ(proposedStart.time(), QTime(9, 15));
    EXPECT_EQ(proposedEnd.time(), QTime(10, 15));
    EXPECT_EQ(m->GetPieceRange(2, 1, GntStartHour), 9);

    // A plain click on a Line or Rect row makes nothing; on a Dot row a dot.
    events.clear();
    QTest::mouseClick(vp, Qt::LeftButton, {}, at(2, 20, 0));
    EXPECT_EQ(m->GetPieceCount(2), 2);
    QTest::mouseClick(vp, Qt::LeftButton, {}, at(1, 20, 0));
    EXPECT_EQ(m->GetPieceCount(1), 2);
    EXPECT_TRUE(events.contains(QStringLiteral("AddedPieceUI(1, 1)"))) << events.join(' ').toStdString();
}

TEST_F(ChartWidgetTest, HostAnswersDecideNewAndMovedPieces)
{
    fill();
    m->setActionStyle(GntEdit);
    // The host refuses: nothing changes, no past-tense event.
    host = [](const QString &name, QVariantList &args) {
        if (name == QLatin1String("AddPieceUI") || name == QLatin1String("MovePieceUI"))
            args[4] = no();
    };
    drag(at(0, 16, 0), at(0, 18, 0));
    drag(at(0, 10, 30), at(0, 14, 30));
    EXPECT_EQ(m->GetPieceCount(0), 1);
    EXPECT_EQ(m->GetPieceRange(0, 1, GntStartHour), 9);
    EXPECT_EQ(m->GetPieceRange(0, 1, GntEndHour), 12);
    for (const QString &e : events)
        EXPECT_FALSE(e.startsWith(QLatin1String("Added")) || e.startsWith(QLatin1String("Moved"))) << e.toStdString();

    // The host moves the proposal: its dates are applied.
    host = [](const QString &name, QVariantList &args) {
        if (name == QLatin1String("MovePieceUI")) {
            args[2] = automation::toOleDate(QDateTime(QDate(2026, 12, 9), QTime(1, 0)));
            args[3] = automation::toOleDate(QDateTime(QDate(2026, 12, 9), QTime(2, 30)));
        }
    };
    events.clear();
    drag(at(0, 10, 30), at(0, 14, 30));
    EXPECT_EQ(events.last(), QStringLiteral("MovedPieceUI(0, 1)"));
    EXPECT_EQ(m->GetPieceRange(0, 1, GntStartHour), 25);
    EXPECT_EQ(m->GetPieceRange(0, 1, GntEndMinute), 30);

    // Dates that the range check refuses leave the piece; the event still fires.
    host = [](const QString &name, QVariantList &args) {
        if (name == QLatin1String("MovePieceUI"))
            args[3] = automation::toOleDate(QDateTime(QDate(2026, 12, 5), QTime(1, 0)));
    };
    m->SetPieceRange(0, 1, 9, 0, 12, 0);
    events.clear();
    drag(at(0, 10, 30), at(0, 14, 30));
    EXPECT_EQ(events.last(), QStringLiteral("MovedPieceUI(0, 1)"));
    EXPECT_EQ(m->GetPieceRange(0, 1, GntStartHour), 9);
}

TEST_F(ChartWidgetTest, PieceDragsKeepTheirLimits)
{
    fill();
    m->setActionStyle(GntEdit);
    QDateTime start, end;
    host = [&](const QString &name, QVariantList &args) {
        if (name == QLatin1String("MovePieceUI")) {
            start = fromOleDate(args[2].toDouble());
            end = fromOleDate(args[3].toDouble());
        }
    };
    // The end edge dragged far left stops one interval after the start.
    const QPoint endEdge = at(0, 12, 0) - QPoint(1, 0);
    ASSERT_EQ(hitTest(*m, layout(), endEdge).code, HitPieceEnd);
    drag(endEdge, at(0, 3, 0));
    EXPECT_EQ(start.time(), QTime(9, 0));
    EXPECT_EQ(end.time(), QTime(9, 15));
    // The start edge dragged right stops one interval before the end.
    const QPoint startEdge = at(0, 9, 0) + QPoint(1, 0);
    ASSERT_EQ(hitTest(*m, layout(), startEdge).code, HitPieceStart);
    m->SetPieceRange(0, 1, 9, 0, 12, 0);
    drag(startEdge, at(0, 23, 0));
    EXPECT_EQ(start.time(), QTime(11, 45));
    EXPECT_EQ(end.time(), QTime(12, 0));
    // A move stops at the end of the scale, keeping the length.
    m->SetPieceRange(0, 1, 9, 0, 12, 0);
    drag(at(0, 10, 0), at(0, 23, 59));
    EXPECT_EQ(start, QDateTime(QDate(2026, 12, 8), QTime(21, 0)));
    EXPECT_EQ(end, QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    // A dragged piece fires no PieceClick; one pressed and released in place does.
    EXPECT_FALSE(events.contains(QStringLiteral("PieceClick(0, 1)")));
    QTest::mouseClick(vp, Qt::LeftButton, {}, at(0, 22, 0));
    EXPECT_EQ(events.last(), QStringLiteral("PieceClick(0, 1)"));
    // With the move mask a press on a piece starts no drag.
    m->setUIMask(GntMaskMovePieceUI);
    QTest::mousePress(vp, Qt::LeftButton, {}, at(0, 22, 0));
    EXPECT_EQ(g->chartView()->pieceDragMode(), ChartView::NoPieceDrag);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, at(0, 22, 0));
}

TEST_F(ChartWidgetTest, NewItemEditorCancelledStillFiresAddedItemUI)
{
    fill();
    m->setActionStyle(GntEdit);
    runMenu(hitTest(*m, layout(), below()), below(), "GanttlineNew");
    ASSERT_EQ(m->GetItemCount(), 4);
    EXPECT_EQ(m->GetItemName(3), QStringLiteral("新規ｱｲﾃﾑ 3"));
    EXPECT_EQ(m->GetPieceType(3), GntLine);
    QLineEdit *editor = g->findChild<QLineEdit *>(QStringLiteral("GanttlineInplaceEditor"));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("新規ｱｲﾃﾑ 3"));
    editor->insert(QStringLiteral("破棄"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(events, (QStringList{QStringLiteral("AddItemUI(新規ｱｲﾃﾑ 3, 1, -1)"), QStringLiteral("AddedItemUI(3)")}));
    EXPECT_EQ(m->GetItemName(3), QStringLiteral("新規ｱｲﾃﾑ 3"));
    EXPECT_EQ(g->chartView()->editor(), nullptr);
}

TEST_F(ChartWidgetTest, InsertRenameAndRemoveItemsThroughTheMenu)
{
    fill();
    m->setActionStyle(GntEdit);
    // Insert before row 1: the host renames it and asks for an invalid type (ignored).
    host = [](const QString &name, QVariantList &args) {
        if (name == QLatin1String("InsertItemUI")) {
            args[0] = QStringLiteral("玄関");
            args[1] = QVariant::fromValue<qint16>(9);
        }
    };
    runMenu(hitTest(*m, layout(), nameOf(1)), nameOf(1), "GanttlineNew");
    ASSERT_EQ(m->GetItemCount(), 4);
    EXPECT_EQ(m->GetItemName(1), QStringLiteral("玄関"));
    EXPECT_EQ(m->GetPieceType(1), GntDot); // the clicked row's type
    QLineEdit *editor = g->chartView()->editor();
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("玄関ホール"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m->GetItemName(1), QStringLiteral("玄関ホール"));
    EXPECT_EQ(events.last(), QStringLiteral("InsertedItemUI(1)"));

    // Rename: committed by losing the focus.
    host = nullptr;
    events.clear();
    runMenu(hitTest(*m, layout(), nameOf(0)), nameOf(0), "GanttlineEditText");
    editor = g->chartView()->editor();
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("会議室B"));
    g->chartView()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(m->GetItemName(0), QStringLiteral("会議室B"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("EditItemNameUI(0, -1)"), QStringLiteral("EditedItemNameUI(0)")}));

    // A piece text edit cancelled fires nothing afterwards.
    events.clear();
    runMenu(hitTest(*m, layout(), at(3, 14, 0)), at(3, 14, 0), "GanttlineEditText");
    editor = g->chartView()->editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), QStringLiteral("運転"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(events, QStringList{QStringLiteral("EditPieceTextUI(3, 0, -1)")});

    // Removal refused, then granted.
    events.clear();
    host = [](const QString &name, QVariantList &args) {
        if (name == QLatin1String("RemoveItemUI"))
            args[1] = no();
    };
    runMenu(hitTest(*m, layout(), nameOf(2)), nameOf(2), "GanttlineDelete");
    EXPECT_EQ(m->GetItemCount(), 4);
    host = nullptr;
    runMenu(hitTest(*m, layout(), nameOf(2)), nameOf(2), "GanttlineDelete");
    EXPECT_EQ(m->GetItemCount(), 3);
    EXPECT_EQ(events.last(), QStringLiteral("RemovedItemUI(2)"));
    EXPECT_EQ(m->GetItemName(2), QStringLiteral("空調"));

    // "新規" over the empty area of a row proposes one hour from the snapped time.
    events.clear();
    const QPoint p = atLeast(2, 18, 5);
    runMenu(hitTest(*m, layout(), p), p, "GanttlineNew");
    EXPECT_EQ(m->GetPieceRange(2, 1, GntStartMinute), 15);
    EXPECT_EQ(m->GetPieceRange(2, 1, GntEndHour), 19);
    EXPECT_EQ(events.last(), QStringLiteral("AddedPieceUI(2, 1)"));
}

TEST_F(ChartWidgetTest, ItemsChangedByTheHostEndEditsWithoutTouchingOtherItems)
{
    fill();
    m->setActionStyle(GntEdit);
    runMenu(hitTest(*m, layout(), nameOf(1)), nameOf(1), "GanttlineEditText");
    ASSERT_TRUE(g->chartView()->editor());
    g->chartView()->editor()->setText(QStringLiteral("別名"));
    m->RemoveItem(0); // the host reloads meanwhile: row 1 is now another item
    EXPECT_EQ(g->chartView()->editor(), nullptr);
    EXPECT_EQ(m->GetItemName(0), QStringLiteral("照明"));
    EXPECT_EQ(m->GetItemName(1), QStringLiteral("空調"));

    events.clear();
    QTest::mousePress(vp, Qt::LeftButton, {}, at(1, 14, 0));
    QTest::mouseMove(vp, at(1, 18, 0));
    m->InsertItem(QStringLiteral("新"), GntLine, 0);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, at(1, 18, 0));
    EXPECT_FALSE(events.join(' ').contains(QStringLiteral("MovePieceUI"))) << events.join(' ').toStdString();
    EXPECT_EQ(m->GetPieceRange(2, 0, GntStartHour), 13);
}

TEST_F(ChartWidgetTest, KeyboardMovesTheCurrentItemAndScrollsHours)
{
    for (int i = 0; i < 30; ++i)
        m->AddItem(QStringLiteral("行 %1").arg(i), GntLine);
    events.clear();
    ChartView *view = g->chartView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(m->GetCurItem(), 1);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up); // clamped at the first: no event
    EXPECT_EQ(events, (QStringList{QStringLiteral("ItemClick(1)"), QStringLiteral("ItemClick(0)")}));
    const int page = layout().wholeRowsFit();
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(m->GetCurItem(), page);
    QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(m->GetCurItem(), 29);
    EXPECT_EQ(layout().firstRow + page - 1, 29); // scrolled into view
    QTest::keyClick(view, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(m->GetCurItem(), 28);

    m->setScaleMode(GntFreeSize);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(layout().firstHour, 1);
    QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(layout().lastHour, 24);
    QTest::keyClick(view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(layout().firstHour, 0);
}

TEST_F(ChartWidgetTest, RowHeightAndHeaderDragsWriteTheSizes)
{
    fill();
    m->setItemHeightMode(GntIhmFreeSize);
    EXPECT_GT(m->ItemHeight(), 0.0f); // took the automatic height
    const int rh = layout().metrics.rowHeight;
    EXPECT_EQ(rh, layout().metrics.autoRowHeight);
    const QPoint handle(10, layout().rowRect(0).bottom());
    QTest::mousePress(vp, Qt::LeftButton, {}, handle);
    EXPECT_TRUE(g->chartView()->isDraggingRowHeight());
    QTest::mouseMove(vp, QPoint(10, 80));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(10, 80));
    EXPECT_EQ(layout().metrics.rowHeight, 80);
    EXPECT_FLOAT_EQ(m->ItemHeight(), ChartMetrics::toHimetric(80, g->logicalDpiY()));

    // The item-column splitter in the header.
    const int col = layout().metrics.itemColumnWidth;
    const QPoint split(col + 2, 5);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, split);
    QTest::mouseMove(g.get(), QPoint(200, 5));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_EQ(layout().metrics.itemColumnWidth, 200);

    // The hour width (free-size scale): the tick after the first hour.
    m->setScaleMode(GntFreeSize);
    const int tick = layout().tickArea.left() + layout().metrics.pixelsPerHour;
    QTest::mousePress(g.get(), Qt::LeftButton, {}, QPoint(tick + 1, 20));
    QTest::mouseMove(g.get(), QPoint(layout().tickArea.left() + 90, 20));
    EXPECT_EQ(layout().metrics.pixelsPerHour, 90); // live
    QTest::mouseMove(g.get(), QPoint(layout().tickArea.left() + 2, 20));
    EXPECT_EQ(layout().metrics.pixelsPerHour, 10); // held right of the first tick + 10
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, QPoint(layout().tickArea.left() + 2, 20));
    EXPECT_FLOAT_EQ(m->ScaleWidth(), ChartMetrics::toHimetric(10, g->logicalDpiX()));
}
