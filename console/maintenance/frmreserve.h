#pragma once

#include <QDialog>
#include <QTime>

class QComboBox;
class QLabel;
class QPushButton;

namespace console {

class ConsoleState;

// The reservation time dialog frmReserve, shared by the weekly editor and the
// main screen's day charts: start hour and minute (cboSH, cboSM), end hour and
// minute (cboEH, cboEM) and the row's name (lblRoomName).  The caller sets
// the hand-over in the console state (ReserveMode, ReserveChart,
// ReserveOwner, ReserveFromDayChart), fills the boxes and shows the dialog
// modally; on acceptance ReserveOK is true and ReserveStart/ReserveEnd hold
// the times.  Every refusal keeps the dialog open.
class FrmReserve : public QDialog
{
    Q_OBJECT
public:
    explicit FrmReserve(ConsoleState &state, QWidget *parent = nullptr);

    // Fills the dialog as the callers do: the caption, the row's name, the
    // proposed start and the proposed end as shown.
    void fill(const QString &caption, const QString &roomName, const QTime &start, const QTime &end);

    // Shows a filled dialog modally; ReserveOK afterwards.
    static bool ask(ConsoleState &state, QWidget *parent, const QString &caption, const QString &roomName,
                    const QTime &start, const QTime &end);

    int exec() override;

    // The buttons.
    void cmdOK_Click();
    void cmdCancel_Click();

    QComboBox *cboSH = nullptr;
    QComboBox *cboSM = nullptr;
    QComboBox *cboEH = nullptr;
    QComboBox *cboEM = nullptr;
    QLabel *lblRoomName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void reject() override;

private:
    void Form_Load();

    ConsoleState &m_state;
};

} // namespace console
