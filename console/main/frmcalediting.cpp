// Reservation editing on the day charts: drawing a new reservation, moving
// pieces, "予約を変更", "予約を削除", "<< BACK" / "NEXT >>".  Edits go
// straight into the table of the day the shown chart holds (TodayTable for
// today, NextdayTable for tomorrow); the chart is then reloaded from it, so
// the screen shows what the runner will carry out.
#include "console/main/frmcal.h"

#include "automation/variantconventions.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/chartpieces.h"
#include "console/maintenance/frmreserve.h"
#include "console/maintenance/reservationrows.h"
#include "console/maintenance/reservetexts.h"
#include "platform/clock.h"
#include "store/catalogue.h"
#include "store/database.h"

#include <QLabel>
#include <QPushButton>

#include <optional>

namespace console {
namespace {

using store::sql::Day;

// The day table a chart holds: today's or tomorrow's; nothing when it was
// loaded for another date (then it shows the weekly master and takes no edits).
std::optional<Day> dayTableOf(const FrmCal &form, int cNo)
{
    const QDate today = platform::clock::today();
    const QDate shown = form.chartDate(cNo);
    if (shown == today)
        return Day::Today;
    if (shown == today.addDays(1))
        return Day::Nextday;
    return std::nullopt;
}

} // namespace

void FrmCal::connectEditing()
{
    for (int c = 0; c < 2; ++c) {
        chart::ChartModel *m = chart(c)->model();
        connect(
            m, &chart::ChartModel::AddPieceUI, this,
            [this, c](short i, short p, double &s, double &e, bool &enable) { Chart_AddPieceUI(c, i, p, s, e, enable); },
            Qt::DirectConnection);
        connect(
            m, &chart::ChartModel::MovePieceUI, this,
            [this, c](short i, short p, double &s, double &e, bool &enable) { Chart_MovePieceUI(c, i, p, s, e, enable); },
            Qt::DirectConnection);
        connect(m, &chart::ChartModel::MovedPieceUI, this, [this, c](short i, short p) { Chart_MovedPieceUI(c, i, p); });
        connect(
            m, &chart::ChartModel::RemovePieceUI, this,
            [this, c](short i, short p, bool &enable) { Chart_RemovePieceUI(c, i, p, enable); }, Qt::DirectConnection);
    }
    connect(CmdChenge, &QPushButton::clicked, this, &FrmCal::CmdChenge_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmCal::CmdDelete_Click);
    for (int i = 0; i < 2; ++i)
        connect(CmdMovePiece[i], &QPushButton::clicked, this, [this, i] { CmdMovePiece_Click(i); });
}

void FrmCal::Chart_AddPieceUI(int cNo, int nIndex, int nPieceNo, double &dtStart, double &dtEnd, bool &bEnable)
{
    // The chart never adds the piece itself: it appears with the reload.
    bEnable = false;
    if (cNo != shownDay() || !dayTableOf(*this, cNo))
        return;
    {
        TopmostPause pause(*this);
        nCurIndex = nIndex;
        nCurPieceNo = nPieceNo;
        m_state.ReserveMode = 1;
        m_state.ReserveChart = chart(cNo);
        m_state.ReserveOwner = this;
        m_state.ReserveFromDayChart = true;
        const QTime start = automation::fromOleDate(dtStart).time();
        const QTime lastMinute = automation::fromOleDate(dtEnd).addSecs(-60).time();
        if (FrmReserve::ask(m_state, this, texts::NewReservation, chartModel(cNo).GetItemName(short(nIndex)), start,
                            lastMinute))
            StoreNewReservation(nIndex);
        m_state.clearReserveCaller();
    }
    Form_Activate();
}

void FrmCal::StoreNewReservation(int nIndex)
{
    const std::optional<Day> table = dayTableOf(*this, shownDay());
    if (!table)
        return;
    const QString name = shownChart()->model()->GetItemName(short(nIndex));
    QString error;
    const int gpno = groupNumberByName(name, &error);
    if (gpno == 0) {
        // A database that cannot be read (locked by another program) is
        // reported as such, not as a group that is gone.
        m_state.messages().inform(
            this, error.isEmpty() ? texts::addFailed(0, QStringLiteral("グループ「%1」がありません。").arg(name))
                                  : texts::addFailed(store::Database::EngineError, error));
    } else {
        const reservationrows::Result added =
            reservationrows::addDay(m_state.database(), *table, gpno, m_state.ReserveStart, m_state.ReserveEnd);
        if (!added.ok())
            m_state.messages().inform(this, texts::addFailed(added.errorNumber, added.error));
    }
    reloadShownChoosing(nIndex, m_state.ReserveStart, m_state.ReserveEnd);
}

void FrmCal::reloadShownChoosing(int nIndex, const QTime &start, const QTime &end)
{
    const int shown = shownDay();
    LoadData(chartDate(shown), shown);
    chart::ChartModel &m = chartModel(shown);
    const int piece = chartpieces::pieceAt(m, nIndex, start, end);
    m.SetCurItem(short(nIndex));
    AutoPieceClick(nIndex, piece >= 1 ? piece : 1);
}

void FrmCal::CmdChenge_Click()
{
    {
        TopmostPause pause(*this);
        const std::optional<Day> table = dayTableOf(*this, shownDay());
        QTime oldStart, oldEnd;
        if (nCurIndex < 0 || nCurPieceNo < 1
            || !chartpieces::range(chartModel(shownDay()), nCurIndex, nCurPieceNo, &oldStart, &oldEnd)) {
            m_state.messages().inform(this, texts::ChooseReservation);
        } else if (table) {
            const QString name = shownChart()->model()->GetItemName(short(nCurIndex));
            m_state.ReserveChart = shownChart();
            m_state.ReserveMode = 2;
            m_state.ReserveOwner = this;
            m_state.ReserveFromDayChart = true;
            if (FrmReserve::ask(m_state, this, texts::ChangeReservation, name, oldStart, oldEnd)) {
                const reservationrows::Result changed =
                    reservationrows::changeDay(m_state.database(), *table, groupNumberByName(name), oldStart,
                                               m_state.ReserveStart, m_state.ReserveEnd);
                if (changed.outcome == reservationrows::Outcome::Failed)
                    m_state.messages().inform(this, texts::storeFailed(changed.errorNumber, changed.error));
                if (changed.ok())
                    reloadShownChoosing(nCurIndex, m_state.ReserveStart, m_state.ReserveEnd);
                else
                    reloadShownChoosing(nCurIndex, oldStart, oldEnd);
            }
            m_state.clearReserveCaller();
        }
    }
    Form_Activate();
}

void FrmCal::CmdDelete_Click()
{
    {
        TopmostPause pause(*this);
        const std::optional<Day> table = dayTableOf(*this, shownDay());
        chart::ChartModel &m = chartModel(shownDay());
        QTime start;
        if (nCurIndex < 0 || nCurPieceNo < 1 || !chartpieces::range(m, nCurIndex, nCurPieceNo, &start, nullptr)) {
            m_state.messages().inform(this, texts::ChooseReservation);
        } else if (table && m_state.messages().confirm(this, texts::ConfirmDelete)) {
            const int row = nCurIndex;
            const reservationrows::Result removed = reservationrows::deleteDay(
                m_state.database(), *table, groupNumberByName(m.GetItemName(short(row))), start);
            if (removed.outcome == reservationrows::Outcome::Failed)
                m_state.messages().inform(this, texts::storeFailed(removed.errorNumber, removed.error));
            m.RemovePiece(short(row), short(nCurPieceNo));
            LoadData(chartDate(shownDay()), shownDay());
            m.SetCurItem(short(row));
            AutoPieceClick(row, 1);
        }
    }
    Form_Activate();
}

void FrmCal::CmdMovePiece_Click(int index)
{
    chart::ChartModel &m = chartModel(shownDay());
    const short row = m.GetCurItem();
    const int n = chartpieces::steppedPiece(m, row, LblMovePiece->text(), index);
    if (n < 1)
        return;
    nCurIndex = row;
    nCurPieceNo = n;
    showPieceTimes(row, n);
    Select_Piece_Color(row, n);
}

void FrmCal::Chart_MovePieceUI(int cNo, int nIndex, int nPieceNo, double &dtStart, double &dtEnd, bool &bEnable)
{
    m_move = {};
    const std::optional<Day> table = cNo == shownDay() ? dayTableOf(*this, cNo) : std::nullopt;
    QTime start, end;
    if (!table || !chartpieces::movedRange(dtStart, dtEnd, &start, &end)) {
        bEnable = false;
        return;
    }
    {
        TopmostPause pause(*this);
        chart::ChartModel &m = chartModel(cNo);
        if (!chartpieces::onlyItself(chartpieces::overlapping(m, nIndex, start, end), nPieceNo)) {
            m_state.messages().inform(this, texts::Overlap);
            bEnable = false;
        } else if (*table == Day::Today && end < platform::clock::now().time()) {
            // What the dialog refuses on today's chart a move may not do either.
            m_state.messages().inform(this, texts::PastTime);
            bEnable = false;
        } else {
            QTime oldStart;
            if (chartpieces::range(m, nIndex, nPieceNo, &oldStart, nullptr))
                m_move = {cNo, nIndex, nPieceNo, oldStart};
        }
    }
    Form_Activate();
}

void FrmCal::Chart_MovedPieceUI(int cNo, int nIndex, int nPieceNo)
{
    const PendingMove move = m_move;
    m_move = {};
    const std::optional<Day> table = dayTableOf(*this, cNo);
    chart::ChartModel &m = chartModel(cNo);
    QTime start, end;
    if (move.chart != cNo || move.index != nIndex || move.pieceNo != nPieceNo || !table
        || !chartpieces::range(m, nIndex, nPieceNo, &start, &end)) {
        LoadData(chartDate(cNo), cNo);
        return;
    }
    // The row of the piece's old start gets the new times, as a change does,
    // so that what the operator sees is what the runner carries out.
    const reservationrows::Result moved = reservationrows::changeDay(
        m_state.database(), *table, groupNumberByName(m.GetItemName(short(nIndex))), move.oldStart, start, end);
    if (moved.outcome == reservationrows::Outcome::Failed)
        m_state.messages().inform(this, texts::storeFailed(moved.errorNumber, moved.error));
    reloadShownChoosing(nIndex, start, end);
}

void FrmCal::Chart_RemovePieceUI(int, int, int, bool &bEnable)
{
    // Reservations go only through "予約を削除".
    bEnable = false;
}

} // namespace console
