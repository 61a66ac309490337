#pragma once

#include "console/common/consolestate.h"

#include <QDialog>
#include <QTime>

#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class Ganttline;
class Tickface;

namespace chart {
class ChartModel;
}

namespace console {

// The weekly master editor frmMain: the master of one group (DBCombo1, its
// number in GPLabel) on the chart Ganttline1, one row per day code
// ("日曜日" .. "特日４").  In the maintenance mode the operator draws new
// reservations, changes, moves and deletes the chosen one (detail panel
// Picture1), reflects the group into today's and tomorrow's tables
// (CmdReflect) and opens the copy screen (cmdCopy); a double click on the
// clock Tickface3 rebuilds both day tables for all groups.  Outside the
// maintenance mode it only shows the master.  Shown modally from the main
// screen; every change is stored at once and the chart reloaded from the
// database.
class FrmMain : public QDialog, public ReserveCaller
{
    Q_OBJECT
public:
    explicit FrmMain(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmMain() override;

    // ReserveCaller: the chosen row and piece.
    int curIndex() const override { return nCurIndex; }
    int curPieceNo() const override { return nCurPieceNo; }

    // The group shown: its number (GPLabel; 0 when none) and name (DBCombo1).
    int groupNo() const;
    QString groupName() const;
    // Chooses a group by name as a pick from DBCombo1 does (the copy screen
    // after a copy).
    void selectGroup(const QString &name);

    // The copy screen frmCopy, opened modally by cmdCopy; none: the button does nothing.
    void setCopyScreen(std::function<void(FrmMain &)> open) { m_copyScreen = std::move(open); }

    chart::ChartModel &chartModel() const;

    // ---- The form's handlers (also driven directly by tests) ----
    void DBCombo1_Click();
    void LoadData(int ngpno);
    void ItemClick(short nIndex);
    void PieceClick(short nIndex, short nPieceNo);
    void AddPieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void MovePieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void MovedPieceUI(short nIndex, short nPieceNo);
    void RemovePieceUI(short nIndex, short nPieceNo, bool &bEnable);
    // The accepted new reservation (ReserveStart..ReserveEnd) of row nIndex
    // stored in the master, the chart reloaded with it chosen.
    void StoreNewReservation(int nIndex);
    void AutoPieceClick(int nIndex, int nPieceNo);
    void Select_Piece_Color(int A_nIndex, int A_nPieceNo);
    void CmdChenge_Click();
    void CmdDelete_Click();
    void CmdMovePiece_Click(int index);
    void CmdReflect_Click();
    void cmdCopy_Click();
    void cmdClose_Click();
    void Tickface3_DblClick();
    // Both day tables afresh from the master for all groups; false (after its
    // message) when that failed.
    bool RebuildDayTables();

    // The chosen row (0..10, -1 none) and piece (below 1: none).
    int nCurIndex = -1;
    int nCurPieceNo = -1;

    // Piece colours: loaded and chosen.
    static constexpr quint32 PieceColour = 0x00FF00;
    static constexpr quint32 ChosenPieceColour = 0x008000;

protected:
    bool event(QEvent *e) override;

private:
    void buildForm();
    void Form_Load();
    void Form_Activate();
    void placeWindow();
    void applyMaintenanceMode();
    void showPieceTimes(int nIndex, int nPieceNo);
    void hidePieceTimes();
    // Reloads the chart and makes the piece at start..end of row nIndex the chosen one.
    void reloadChoosing(int nIndex, const QTime &start, const QTime &end);
    void beginReserve(int mode);
    void endReserve();
    void reportStoreFailure(int errorNumber, const QString &text, bool adding);

    ConsoleState &m_state;
    std::function<void(FrmMain &)> m_copyScreen;

    QComboBox *DBCombo1 = nullptr;
    QLabel *GPLabel = nullptr;
    Ganttline *Ganttline1 = nullptr;
    QFrame *Picture1 = nullptr;
    Tickface *Tickface1[2] = {nullptr, nullptr};
    QLabel *lblTime[2] = {nullptr, nullptr};
    QLabel *LblMovePiece = nullptr;
    QPushButton *CmdMovePiece[2] = {nullptr, nullptr};
    QPushButton *CmdChenge = nullptr;
    QPushButton *CmdDelete = nullptr;
    QPushButton *CmdReflect = nullptr;
    QPushButton *cmdCopy = nullptr;
    Tickface *Tickface3 = nullptr;
    QPushButton *cmdClose = nullptr;

    // A drag move allowed by MovePieceUI: the piece and where it started.
    struct PendingMove
    {
        int index = -1;
        int pieceNo = -1;
        QTime oldStart;
    } m_move;
};

} // namespace console
