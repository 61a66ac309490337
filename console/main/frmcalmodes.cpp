// The two layouts, the maintenance hand-over, the day choice, the calendar,
// and the timers of the main screen.
#include "console/main/frmcal.h"

#include "calendar/datefold.h"
#include "calendar/oledate.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "console/common/messageboxes.h"
#include "console/main/chartstage.h"
#include "console/main/consoletexts.h"
#include "console/main/widgetcolours.h"
#include "console/maintenance/frmlogin.h"
#include "console/maintenance/frmpass.h"
#include "platform/clock.h"
#include "store/logging.h"
#include "store/maintenance.h"
#include "store/settings.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace console {

namespace {

store::maintenance::Side sideOf(const ConsoleState &state)
{
    return state.ClientMode ? store::maintenance::Side::Client : store::maintenance::Side::Server;
}

QString monthDay(const QDate &date)
{
    return QStringLiteral("%1月%2日").arg(date.month()).arg(date.day());
}

} // namespace

void FrmCal::EnterMaintenanceMode()
{
    m_state.MaintMode = true;
    // Pieces can be drawn and moved; a chosen piece shows dark.
    for (Ganttline *g : {Ganttline1, Ganttline2})
        g->model()->setActionStyle(chart::GntEdit);
    Timer1->start(500);
    Command1->hide();
    Command2[0]->hide();
    Command2[1]->hide();
    widgetcolour::setBackColor(KeyLabel[1], widgetcolour::Red);
    CmdPass->setText(texts::PassLeave);
    h_btm_Pic->setEnabled(true);
    Picture1->setEnabled(true);
    DrivePicture->setEnabled(true);
    CmdMenu3->show();
    CmdMenu2->show();
    cmdSyuRun->show();
    cmdSyuEnd->show();
    CmdMenu3->setText(texts::Menu3Maintenance);
    CloseCommand->hide();
    // Chart 1 must keep tomorrow: the calendar takes no clicks now.
    Datefold1->setEnabled(false);
    m_shownDay = 0;
    m_stage->display(0);
    onoffPicture->setEnabled(m_groupChosen && !m_validGroup);
    LoadData(platform::clock::today(), 0);
    Option1_Click(m_optionGroup->checkedId() == 1 ? 1 : 0);
}

void FrmCal::LeaveMaintenanceMode()
{
    const bool wasOn = m_state.MaintMode;
    showViewLayout();
    if (wasOn) {
        LoadData(platform::clock::today(), 0);
        // Chart 1 may hold today from before the visit (the day choice moves
        // it along): it is read again, with what the visit changed.
        m_chartDates[1] = QDate();
    }
    Option1_Click(0);
}

// The view mode's controls: charts view only, the editing, manual-operation
// and runner buttons off.  Also the form's state before its start-up, so that
// a start-up that fails leaves no maintenance function open.
void FrmCal::showViewLayout()
{
    m_state.MaintMode = false;
    for (Ganttline *g : {Ganttline1, Ganttline2})
        g->model()->setActionStyle(chart::GntBrowse);
    Timer1->stop();
    Command1->show();
    Command2[0]->show();
    Command2[1]->show();
    widgetcolour::setBackColor(KeyLabel[1], widgetcolour::ButtonFace);
    CmdPass->setText(texts::PassEnter);
    h_btm_Pic->setEnabled(false);
    Picture1->setEnabled(false);
    DrivePicture->setEnabled(false);
    onoffPicture->setEnabled(false);
    CmdMenu3->show();
    CmdMenu3->setText(texts::Menu3View);
    CmdMenu2->hide();
    cmdSyuRun->hide();
    cmdSyuEnd->hide();
    CloseCommand->setVisible(m_settings.closeButtonShown);
    Datefold1->setEnabled(true);
    // The view shows Ganttline2, which holds the calendar's date.
    m_shownDay = 1;
    m_stage->display(1);
    Option1[0]->setChecked(true);
}

void FrmCal::Timer1_Timer()
{
    const quint32 back = widgetcolour::backColor(KeyLabel[1]);
    if (back == widgetcolour::Red)
        widgetcolour::setBackColor(KeyLabel[1], widgetcolour::HighlightText);
    else if (back == widgetcolour::HighlightText)
        widgetcolour::setBackColor(KeyLabel[1], widgetcolour::Red);
}

// In the maintenance mode the day choice swaps the charts (today on
// Ganttline1, tomorrow on Ganttline2) and moves the calendar along; in the
// view mode the screen keeps Ganttline2, and the choice moves the calendar
// to today or tomorrow, whose reservations chart 1 then shows.
void FrmCal::Option1_Click(int index)
{
    if (index < 0 || index > 1 || !Option1[index]->isChecked())
        return;
    const QDate today = platform::clock::today();
    if (m_state.MaintMode) {
        m_shownDay = index;
        m_stage->display(index);
    }
    moveCalendar(today.addDays(index));
    writeOptionCaptions();
}

void FrmCal::writeOptionCaptions()
{
    const QDate today = platform::clock::today();
    Option1[0]->setText(texts::TodayPrefix + monthDay(today));
    Option1[1]->setText(texts::TomorrowPrefix + monthDay(today.addDays(1)));
}

QDate FrmCal::calendarDate() const
{
    return Datefold1->model().currentDate();
}

// The calendar raises DateClick when its date changes; a move to the date it
// already shows loads chart 1 when chart 1 holds another date (or when
// `reload` asks for it), so chart 1 always holds the calendar's date after a
// move.
void FrmCal::moveCalendar(const QDate &date, bool reload)
{
    if (calendarDate() != date)
        Datefold1->model().setDatePosition(calendar::toOleDate(date));
    else if (reload || m_chartDates[1] != date)
        Datefold1_DateClick(calendar::toOleDate(date));
}

void FrmCal::Datefold1_DateClick(double aDate)
{
    const QDate date = calendar::oleDateDay(aDate);
    if (!date.isValid())
        return;
    showCalendarLabel();
    LoadData(date, 1);
}

void FrmCal::showCalendarLabel()
{
    const QDate d = calendarDate();
    CalendarLabel->setText(d.isValid() ? QStringLiteral("%1 年 %2 月 %3日").arg(d.year()).arg(d.month()).arg(d.day())
                                       : QString());
}

void FrmCal::Command1_Click()
{
    moveCalendar(platform::clock::today(), true);
}

void FrmCal::Command2_Click(int index)
{
    const QDate shown = calendarDate().isValid() ? calendarDate() : platform::clock::today();
    const QDate first = QDate(shown.year(), shown.month(), 1).addMonths(index == 0 ? -1 : 1);
    moveCalendar(first);
}

void FrmCal::goTodayAndFocus()
{
    moveCalendar(platform::clock::today());
    shownChart()->setFocus();
}

void FrmCal::CmdPass_MouseUp(Qt::KeyboardModifiers modifiers)
{
    using namespace store::maintenance;
    {
        TopmostPause pause(*this);
        const store::Settings &settings = m_state.settings();
        const bool busy = CmdPass->text() == texts::PassEnter && settings.maintenanceFlag();
        const Side side = sideOf(m_state);

        if (modifiers == Qt::NoModifier) {
            if (busy) {
                m_state.messages().inform(this, busyMessage());
            } else {
                const bool entering = !m_logOnToggle;
                FrmLogin login(m_state, entering ? FrmLogin::Face::Password : FrmLogin::Face::Leave, this);
                login.exec();
                if (m_state.LoginOK) {
                    if (entering) {
                        // Reading FLG and writing "1" are one step under the
                        // file's lock: of two consoles only one gets in.
                        const EnterResult r = enter(settings, side);
                        if (r == EnterResult::Busy) {
                            m_state.messages().inform(this, busyMessage());
                        } else {
                            if (r == EnterResult::Failed)
                                store::WriteTraceLog(QStringLiteral("設定中フラグを書き込めません。"),
                                                     settings.sharedPath(), texts::TraceIndex);
                            m_maintenanceDone = true;
                            m_logOnToggle = true;
                            EnterMaintenanceMode();
                            store::WriteOpLog(visitSubject(side), QString(), QString(), texts::VisitBegin);
                        }
                    } else {
                        m_maintenanceDone = true;
                        m_logOnToggle = false;
                        LeaveMaintenanceMode();
                        if (!leave(settings, side))
                            store::WriteTraceLog(QStringLiteral("設定中フラグを書き込めません。"),
                                                 settings.sharedPath(), texts::TraceIndex);
                        store::WriteOpLog(visitSubject(side), QString(), QString(), texts::VisitEnd);
                    }
                }
            }
        } else if (modifiers == Qt::ShiftModifier) {
            FrmPass pass(m_state, this);
            pass.exec();
        } else if (modifiers == Qt::ControlModifier) {
            if (m_state.messages().confirm(this, texts::ClearFlagQuestion, false))
                clearMaintenanceFlag(settings);
        }
    }
    Form_Activate();
}

void FrmCal::Timer2_Timer()
{
    if (m_ending)
        return;
    reloadAfterDayRoll();
    if (!m_state.MaintMode) {
        const store::maintenance::Side side = sideOf(m_state);
        if (store::maintenance::takeConsoleReload(m_state.settings(), side)) {
            const QDate today = platform::clock::today();
            LoadData(today, 0);
            LoadData(today, 1);
            reloadDayMemos();
            Option1[0]->setChecked(true);
            Option1_Click(0);
            store::WriteOpLog(store::maintenance::reloadSubject(side), QString(), QString(), texts::ReloadDone);
        }
    }
    Timer2->start(platform::clock::msecsToNextMinute());
}

void FrmCal::Tickface2_Alarm()
{
    if (m_ending || !m_chartDates[0].isValid())
        return;
    Start_Logic();
    writeOptionCaptions();
    store::maintenance::clearConsoleFlags(m_state.settings());
    LeaveMaintenanceMode();
    m_logOnToggle = false;
}

} // namespace console
