// The day charts: loading, the chosen row and piece, the detail panel and
// the colours that follow the clock.
#include "console/main/frmcal.h"

#include "calendar/oledate.h"
#include "chart/chartitem.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "clock/tickfacemodel.h"
#include "console/main/clockcolours.h"
#include "console/main/consoletexts.h"
#include "console/main/daychart.h"
#include "console/main/piececolours.h"
#include "console/main/widgetcolours.h"
#include "platform/clock.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/rolledday.h"
#include "store/timeofday.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace console {

bool FrmCal::LoadData(const QDate &aDate, int cNo)
{
    cNo = cNo == 0 ? 0 : 1;
    Ganttline *g = chart(cNo);
    chart::ChartModel &m = *g->model();
    const short remembered = m.GetCurItem();
    // Hidden while it is rebuilt, so that it does not redraw for every row.
    g->setVisible(false);
    // The roll's record is read before the tables: a roll between the two
    // reloads once more at the next tick rather than never.
    QDate rolled;
    const bool rolledKnown = store::rolledday::read(m_state.database(), &rolled);
    QString error;
    const bool ok = loadDayChart(m, m_rows[cNo], m_state.database(), aDate, platform::clock::now(), memoOf(aDate),
                                 &error);
    if (!ok) {
        store::WriteTraceLog(QStringLiteral("LoadData ｴﾗｰ番号 ") + QString::number(store::Database::EngineError)
                                 + texts::Source + QStringLiteral(" でｴﾗｰが発生しました。") + QLatin1Char('\r') + error,
                             QString(), texts::TraceIndex);
        g->setVisible(true);
        return false;
    }
    m_chartDates[cNo] = aDate;
    if (rolledKnown)
        m_rolledAtLoad[cNo] = rolled;

    // The chosen row survives the reload; the piece choice falls back to piece 1.
    if (remembered >= 0 && remembered < m.GetItemCount()) {
        Ganttline1->model()->SetCurItem(remembered);
        Ganttline2->model()->SetCurItem(remembered);
    }
    const short current = m.GetCurItem();
    Label1->setText(m.GetItemName(current));
    Chart_ItemClick(cNo, current);
    g->setVisible(true);
    return true;
}

void FrmCal::reloadAfterDayRoll()
{
    // The runner rolls the tables in the first seconds after midnight, after
    // the daily reset has loaded them when its minute tick was held up (a
    // locked database, a busy machine); the charts would then show yesterday's
    // today until the next maintenance visit.
    QDate rolled;
    if (!m_chartDates[0].isValid() || !store::rolledday::read(m_state.database(), &rolled))
        return;
    if (rolled == m_rolledAtLoad[0] && rolled == m_rolledAtLoad[1])
        return;
    LoadData(m_chartDates[0], 0);
    LoadData(m_chartDates[1], 1);
}

void FrmCal::Chart_ItemClick(int cNo, int nIndex)
{
    const chart::ChartModel &m = chartModel(cNo);
    nCurIndex = nIndex;
    m_chosenGroup = m.GetItemName(short(nIndex));
    m_state.CurrentGroupName = m_chosenGroup;
    store::Recordset rs;
    if (nIndex >= 0)
        rs = m_state.database().openRecordset(store::sql::selectGroupByNameQualified(m_chosenGroup));
    if (rs.isOpen() && !rs.eof()) {
        Label1->setText(m_chosenGroup);
        showGroupState(rs.yes(QStringLiteral("YukoFlg")));
    } else {
        // No group chosen: nothing to switch on or off.
        Label1->clear();
        m_groupChosen = false;
        widgetcolour::setBackColor(CmdYuko[0], widgetcolour::ButtonFace);
        widgetcolour::setBackColor(CmdYuko[1], widgetcolour::ButtonFace);
        onoffPicture->setEnabled(false);
    }
    AutoPieceClick(nIndex, 1);
}

// CmdYuko shows the chosen group's state; manual operation is open only for
// a group that is not valid, and only in the maintenance mode.
void FrmCal::showGroupState(bool valid)
{
    m_groupChosen = true;
    m_validGroup = valid;
    widgetcolour::setBackColor(CmdYuko[0], valid ? widgetcolour::Yellow : widgetcolour::ButtonFace);
    widgetcolour::setBackColor(CmdYuko[1], valid ? widgetcolour::ButtonFace : widgetcolour::Yellow);
    onoffPicture->setEnabled(!valid && DrivePicture->isEnabled());
}

void FrmCal::AutoPieceClick(int nIndex, int nPieceNo)
{
    LblMovePiece->clear();
    QList<qint16> numbers;
    if (const chart::ChartItem *item = shownChart()->model()->item(nIndex))
        item->pieces.forEach([&](qint16 no, const chart::Piece &) { numbers.append(no); });
    if (!numbers.isEmpty()) {
        nCurPieceNo = numbers.contains(qint16(nPieceNo)) ? nPieceNo
            : numbers.contains(qint16(1))                ? 1
                                                         : *std::min_element(numbers.begin(), numbers.end());
        nCurIndex = nIndex;
        showPieceTimes(nIndex, nCurPieceNo);
    } else {
        nCurPieceNo = -1;
        hideDetailClocks();
    }
    Select_Piece_Color(nCurIndex, nCurPieceNo);
}

void FrmCal::Chart_PieceClick(int cNo, int nIndex, int nPieceNo)
{
    Q_UNUSED(cNo);
    nCurIndex = nIndex;
    nCurPieceNo = nPieceNo;
    showPieceTimes(nIndex, nPieceNo);
    Select_Piece_Color(nIndex, nPieceNo);
}

bool FrmCal::showPieceTimes(int nIndex, int nPieceNo)
{
    double start = 0;
    double end = 0;
    if (!shownChart()->model()->GetPieceRange2(short(nIndex), short(nPieceNo), start, end))
        return false;
    const double times[2] = {start, end};
    for (int i = 0; i < 2; ++i) {
        Tickface1[i]->show();
        Tickface1[i]->model()->setDisplayTime(times[i]);
        colourClock(i, calendar::fromOleDate(times[i]).time());
    }
    LblMovePiece->setText(QString::number(nPieceNo));
    return true;
}

void FrmCal::hideDetailClocks()
{
    for (int i = 0; i < 2; ++i) {
        Tickface1[i]->hide();
        lblTime[i]->clear();
        widgetcolour::setBackColor(lblTime[i], widgetcolour::ButtonFace);
    }
    LblMovePiece->clear();
}

void FrmCal::colourClock(int i, const QTime &time)
{
    const ClockColours c = clockColoursAt(time.hour());
    TickfaceModel &m = *Tickface1[i]->model();
    m.setForeColor(c.foreColor);
    m.setNumberColor(c.numberColor);
    m.setHourColor(c.hourColor);
    m.setMinuteColor(c.minuteColor);
    m.setSecondColor(c.secondColor);
    m.setBackColor(c.backColor);
    m.setCaption(c.caption);
    lblTime[i]->setText(time.toString(QStringLiteral("HH時mm分")));
    widgetcolour::setBackColor(lblTime[i], c.backColor);
    widgetcolour::setForeColor(lblTime[i], c.numberColor);
}

// Marks the chosen piece in its dark colour (maintenance mode only): every
// darkened piece returns to its bright colour first.
void FrmCal::Select_Piece_Color(int A_nIndex, int A_nPieceNo)
{
    chart::ChartModel &m = *shownChart()->model();
    if (m.ActionStyle() == chart::GntBrowse)
        return;
    QList<std::pair<short, qint16>> dark;
    for (int i = 0; i < m.itemCount(); ++i) {
        m.item(i)->colors.forEach([&](qint16 no, const quint32 &colour) {
            if (piececolour::brightOf(colour))
                dark.append({short(i), no});
        });
    }
    for (const auto &[i, no] : dark)
        m.SetPieceColor(i, no, *piececolour::brightOf(m.GetPieceColor(i, no)));
    if (A_nIndex >= 0 && A_nPieceNo >= 1) {
        if (const auto d = piececolour::darkOf(m.GetPieceColor(short(A_nIndex), short(A_nPieceNo))))
            m.SetPieceColor(short(A_nIndex), short(A_nPieceNo), *d);
    }
}

// Today's chart reached a piece's start or end: in the view mode the piece
// turns running (red) or done (blue), on chart 1 too when it shows today.
// Midnight starts and 23:59 ends keep the colours they were loaded with.
void FrmCal::Chart0_PieceRange(int nIndex, int nPieceNo, bool start)
{
    chart::ChartModel &today = chartModel(0);
    if (today.GetPieceText(short(nIndex), short(nPieceNo)).trimmed() == texts::InvalidPiece)
        return;
    if (m_state.MaintMode)
        return;
    const QString name = today.GetItemName(short(nIndex));
    store::Recordset rs = m_state.database().openRecordset(store::sql::selectGroupByName(name));
    if (!rs.isOpen() || rs.eof() || !rs.yes(QStringLiteral("YukoFlg")))
        return;
    const QString hhnn = store::hhnn(platform::clock::now().time());
    if (hhnn == QLatin1String(start ? store::DayStartHhnn : store::DayEndHhnn))
        return;
    const quint32 colour = start ? piececolour::Running : piececolour::Done;
    today.SetPieceColor(short(nIndex), short(nPieceNo), colour);
    if (m_chartDates[1] == m_chartDates[0])
        chartModel(1).SetPieceColor(short(nIndex), short(nPieceNo), colour);
}

QString FrmCal::chosenGroupName() const
{
    return shownChart()->model()->GetItemName(short(nCurIndex));
}

} // namespace console
