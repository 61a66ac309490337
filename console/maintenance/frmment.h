#pragma once

#include "console/maintenance/devicestore.h"
#include "console/maintenance/groupstore.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace console {

class ConsoleState;
class FlexGrid;

// The maintenance screen frmMent: the groups (flex1) and, for the selected
// group, the devices (flex2) with the group's own ones marked yellow; saves
// the marked devices as the group's device list, and opens the group editor,
// the tag editor, the settings screen and the second-copy screen.  Opened
// from the main screen in full in the maintenance mode, or for viewing only
// (setViewOnly) without its five editing buttons.
class FrmMent : public QDialog
{
    Q_OBJECT
public:
    // chartRow: the main screen's last chosen chart row (nCurIndex, -1 none);
    // the group of that row is selected at the start.
    FrmMent(ConsoleState &state, int chartRow, QWidget *parent = nullptr);
    ~FrmMent() override;

    // A read-only visit: the editing buttons are hidden.
    void setViewOnly(bool viewOnly);

    // The selected group's number (LblGpno), 0 for none.
    int groupNo() const;

    // The routines and handlers, also run by tests.
    void gp_get();
    void kiki_get(const QString &sql_code);
    void kiki_select();
    void Option1_Click();
    void flex1_RowColChange(int row);
    void flex1_LeaveCell(int row, int column);
    void flex2_Click(int row);
    void Command5_Click();  // save the device assignment
    void Command1_Click();  // the group editor
    void Command4_Click();  // the tag editor
    void DBChange_Click();  // the settings screen
    void cmdNijyu_Click();  // the second-copy screen
    void cmdClose_Click();

signals:
    // Passed on from the settings screen (see FrmClient).
    void displaySaved(int chartFontSize, int clockFontSize, int groupColumnWidth);
    void clientModeSaved(bool client);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void selectGroupRow(int row);
    void setGroupNo(int gpno);

    ConsoleState &m_state;
    GroupStore m_groups;
    DeviceStore m_devices;
    bool m_filling = false;

    FlexGrid *flex1 = nullptr;
    FlexGrid *flex2 = nullptr;
    QRadioButton *Option1[2] = {nullptr, nullptr};
    QLabel *LblGpno = nullptr;
    QLabel *LblGpno_rtn = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *DBChange = nullptr;
    QPushButton *cmdNijyu = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace console
