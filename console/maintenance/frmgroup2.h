#pragma once

#include "console/maintenance/groupstore.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace console {

class ConsoleState;
class FlexGrid;

// The group editor frmGroup2: adds groups, renames them, switches them valid
// or invalid and marks them for deletion.  Closing the editor purges the
// groups marked for deletion with every row that refers to them.
class FrmGroup2 : public QDialog
{
    Q_OBJECT
public:
    // The highest group number: the runner's row map ends there.
    static constexpr int MaxGroupNo = 501;

    explicit FrmGroup2(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmGroup2() override;

    // The grid row last clicked or found again by the last fill (data rows
    // from 0), -1 for none.
    int currentRow() const { return m_row; }

    // The handlers, also run by tests.
    void MSFlexGrid1_MouseDown(int row);
    void Command1_Click(); // add
    void cmdUpdate_Click(); // overwrite
    void CmdDelete_Click(); // mark for deletion
    void cmdClose_Click(); // purge and close

protected:
    // Every way of closing the window goes through "閉じる", so that no group
    // marked for deletion stays behind hidden but still switched.
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildForm();
    void fillGrid();
    void markRow(int row);
    bool nameRefused();
    void failed(const QString &operation, const QString &error);

    ConsoleState &m_state;
    GroupStore m_groups;
    int m_row = -1;
    bool m_closing = false;

    FlexGrid *MSFlexGrid1 = nullptr;
    QLineEdit *txtFields = nullptr;
    QCheckBox *chkFields = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *CmdDelete = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblLabels = nullptr;
};

} // namespace console
