#pragma once

#include "console/common/consolestate.h"
#include "switching/grouprows.h"
#include "console/main/startupsettings.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <QWidget>

#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class Datefold;
class Ganttline;
class Taglink;
class Tickface;

namespace chart {
class ChartModel;
}
namespace platform {
class CommandServer;
}
namespace switching {
class OutputQueue;
}

namespace console {

class ChartStage;

// The console's main screen frmCal ("Planboard"): the two day charts
// (Ganttline1 today, Ganttline2 tomorrow or the calendar's date), the
// calendar Datefold1, the clock Tickface2, the detail panel of the chosen
// reservation, the buttons of reservation editing, manual operation and
// runner control, the menu buttons, and the command item DDELabel served on
// the channel "Planboard|frmCal".
//
// Two layouts: the view mode (charts view only, the calendar chooses chart
// 1's date) and the maintenance mode (entered through CmdPass after the
// log-on; today and tomorrow editable, the frames of editing and manual
// operation enabled).  The handlers keep the names operators and their
// documents know (CmdPass_MouseUp, Timer2_Timer, LoadData, ...).
//
// The reservation editing on the charts and its buttons live in
// frmcalediting.cpp; the menu buttons' screens in frmcalmenus.cpp.
class FrmCal : public QWidget, public ReserveCaller
{
    Q_OBJECT
public:
    explicit FrmCal(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmCal() override;

    ConsoleState &state() const { return m_state; }

    // The start-up after the single-instance check (that check and the
    // hiding for the argument "1" are the program's).  False when a start-up error
    // ended it early; its message has been shown and the form opens with
    // what was set before.
    bool startUp();

    // ---- ReserveCaller
    int curIndex() const override { return nCurIndex; }
    int curPieceNo() const override { return nCurPieceNo; }
    bool showsToday() const override { return m_shownDay == 0; }

    // The chosen chart row and piece; -1 = none.
    int nCurIndex = -1;
    int nCurPieceNo = -1;

    // ---- Screen state
    bool maintenanceMode() const { return m_state.MaintMode; }
    // 0 = Ganttline1 (today) on screen, 1 = Ganttline2.
    int shownDay() const { return m_shownDay; }
    Ganttline *chart(int cNo) const;
    chart::ChartModel &chartModel(int cNo) const;
    Ganttline *shownChart() const { return chart(m_shownDay); }
    // The calendar's current date (DatePosition).
    QDate calendarDate() const;
    // The date each chart was last loaded for.
    QDate chartDate(int cNo) const { return m_chartDates[cNo == 0 ? 0 : 1]; }
    const switching::GroupRows &rows(int cNo) const { return m_rows[cNo == 0 ? 0 : 1]; }
    const StartupSettings &startupSettings() const { return m_settings; }
    bool logOnToggle() const { return m_logOnToggle; }
    bool maintenanceDone() const { return m_maintenanceDone; }

    // ---- Start-up, modes and the hand-over
    void Start_Logic();
    void EnterMaintenanceMode();
    void LeaveMaintenanceMode();
    // The activation steps (each time the form becomes active, and after
    // dialogs): front-most, day memos, fonts and widths, the runner's state.
    void Form_Activate();
    // CmdPass released with the left button: log-on and the maintenance
    // hand-over (no modifier), password change (Shift), flag reset (Ctrl).
    void CmdPass_MouseUp(Qt::KeyboardModifiers modifiers);
    void Timer1_Timer();
    void Timer2_Timer();
    // Tickface2's Alarm at 00:00:03: the daily reset.
    void Tickface2_Alarm();
    // A new text of the command item DDELabel ("999" ends the console).
    void DDELabel_Change(const QString &text);
    void CloseCommand_Click();
    void Option1_Click(int index);
    void Datefold1_DateClick(double aDate);
    void Command1_Click();
    void Command2_Click(int index);
    // GoToday on the calendar and the focus on the shown chart (after the
    // maintenance screens).
    void goTodayAndFocus();

    // ---- Day charts
    // Fills chart cNo for a date; false (with a trace entry) when the
    // database refused it.
    bool LoadData(const QDate &aDate, int cNo);
    // Reloads both charts when the runner rolled the day tables after they
    // were loaded (a day change held up past the daily reset).
    void reloadAfterDayRoll();
    void Chart_ItemClick(int cNo, int nIndex);
    void Chart_PieceClick(int cNo, int nIndex, int nPieceNo);
    void AutoPieceClick(int nIndex, int nPieceNo);
    void Select_Piece_Color(int A_nIndex, int A_nPieceNo);
    // Shows a piece's start and end on both detail clocks (with their
    // colours), its number in LblMovePiece; false when there is no such piece.
    bool showPieceTimes(int nIndex, int nPieceNo);
    // Colours detail clock i (0 start, 1 end) and its lblTime by the hour of time.
    void colourClock(int i, const QTime &time);
    void Chart0_PieceRange(int nIndex, int nPieceNo, bool start);

    // ---- Reservation editing on the day charts (frmcalediting.cpp)
    void Chart_AddPieceUI(int cNo, int nIndex, int nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void Chart_MovePieceUI(int cNo, int nIndex, int nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void Chart_MovedPieceUI(int cNo, int nIndex, int nPieceNo);
    void Chart_RemovePieceUI(int cNo, int nIndex, int nPieceNo, bool &bEnable);
    // The accepted new reservation (ReserveStart..ReserveEnd) of row nIndex
    // stored in the shown day's table, the chart reloaded with it chosen.
    void StoreNewReservation(int nIndex);
    void CmdChenge_Click();
    void CmdDelete_Click();
    void CmdMovePiece_Click(int index);

    // ---- Runner control and manual operation
    void cmdSyuRun_Click();
    void cmdSyuEnd_Click();
    void CmdYuko_Click(int index);
    void CmdGoStop_Click(int index);
    // Queues the writes of a group's start (on) or end values, "手動".
    void Fix_output(int gpno, bool on);
    switching::OutputQueue &output() const { return *m_output; }

    // ---- Menus
    void CmdMenu1_Click();
    void CmdMenu2_Click();
    void CmdMenu3_Click();

    // How sibling programs are started (Schedule); tests may replace it.
    using ProgramStarter = std::function<bool(const QString &program, const QStringList &arguments)>;
    void setProgramStarter(ProgramStarter starter) { m_startProgram = std::move(starter); }

    QTimer *blinkTimer() const { return Timer1; }
    QTimer *minuteTimer() const { return Timer2; }

    // Drops the front-most state while a dialog is open; the activation
    // steps afterwards bring it back.
    class TopmostPause
    {
    public:
        explicit TopmostPause(FrmCal &form);
        ~TopmostPause();
        TopmostPause(const TopmostPause &) = delete;
        TopmostPause &operator=(const TopmostPause &) = delete;

    private:
        FrmCal &m_form;
    };

signals:
    // The console ends: the command "999", or the close button after its copies.
    void quitRequested();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void showViewLayout();
    QWidget *buildHeader();
    QWidget *buildSidePanel();
    QWidget *buildDetailPanel();
    QWidget *buildFooter();
    void connectControls();
    // Reservation editing on the charts and its buttons (frmcalediting.cpp).
    void connectEditing();
    // Reloads the shown chart and makes the piece at start..end of row nIndex the chosen one.
    void reloadShownChoosing(int nIndex, const QTime &start, const QTime &end);

    bool listenOnChannel();
    void showFromChannel();
    void setTopmost(bool on);
    void applyFontsAndWidths();
    void showRunnerState();
    void writeOptionCaptions();
    // Moves the calendar; chart 1 follows the calendar's date.
    void moveCalendar(const QDate &date, bool reload = false);
    void showCalendarLabel();
    void reloadDayMemos();
    QString memoOf(const QDate &date) const;
    void showGroupState(bool valid);
    void hideDetailClocks();
    void takeBackups();
    int groupNumberByName(const QString &name, QString *error = nullptr);
    QString chosenGroupName() const;

    ConsoleState &m_state;
    StartupSettings m_settings;
    switching::GroupRows m_rows[2];
    QDate m_chartDates[2];
    QDate m_rolledAtLoad[2]; // the day tables' recorded roll when each chart was loaded
    int m_shownDay = 1;
    bool m_logOnToggle = false;     // on: the next log-on leaves the maintenance mode
    bool m_maintenanceDone = false; // a log-on succeeded since start: take the copies at close
    bool m_topmost = false;
    int m_topmostPauses = 0;
    bool m_ending = false;
    bool m_groupChosen = false;     // a row of an existing group is chosen
    bool m_validGroup = false;      // the chosen group's YukoFlg
    bool m_inOptionClick = false;
    QString m_chosenGroup;          // name of the row chosen last
    // A drag move allowed by MovePieceUI: the chart, the piece and where it started.
    struct PendingMove
    {
        int chart = -1;
        int index = -1;
        int pieceNo = -1;
        QTime oldStart;
    } m_move;
    Qt::KeyboardModifiers m_passModifiers;
    std::unique_ptr<platform::CommandServer> m_channel;
    switching::OutputQueue *m_output = nullptr;
    ProgramStarter m_startProgram;

    // Controls, named as the operators' documents name them.
    ChartStage *m_stage = nullptr;
    Ganttline *Ganttline1 = nullptr;
    Ganttline *Ganttline2 = nullptr;
    Datefold *Datefold1 = nullptr;
    Tickface *Tickface1[2] = {nullptr, nullptr};
    Tickface *Tickface2 = nullptr;
    Taglink *Taglink1 = nullptr;
    QLabel *CalendarLabel = nullptr;
    QLabel *KeyLabel[2] = {nullptr, nullptr};
    QRadioButton *Option1[2] = {nullptr, nullptr};
    QButtonGroup *m_optionGroup = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2[2] = {nullptr, nullptr};
    QPushButton *CmdPass = nullptr;
    QPushButton *CmdMenu1 = nullptr;
    QPushButton *CmdMenu2 = nullptr;
    QPushButton *CmdMenu3 = nullptr;
    QPushButton *cmdSyuRun = nullptr;
    QPushButton *cmdSyuEnd = nullptr;
    QPushButton *CmdChenge = nullptr;
    QPushButton *CmdDelete = nullptr;
    QPushButton *CmdMovePiece[2] = {nullptr, nullptr};
    QPushButton *CmdGoStop[2] = {nullptr, nullptr};
    QPushButton *CmdYuko[2] = {nullptr, nullptr};
    QPushButton *CloseCommand = nullptr;
    QLabel *DDELabel = nullptr;
    QLineEdit *txtDDEPoke = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblTime[2] = {nullptr, nullptr};
    QLabel *LblMovePiece = nullptr;
    QWidget *Picture1 = nullptr;
    QWidget *h_btm_Pic = nullptr;
    QWidget *DrivePicture = nullptr;
    QWidget *onoffPicture = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
};

} // namespace console
