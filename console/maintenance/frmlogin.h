#pragma once

#include <QDialog>

class QFrame;
class QLineEdit;
class QPushButton;

namespace console {

class ConsoleState;

// The log-on dialog frmLogin, shown modally by the main screen's CmdPass.
// Two faces on one form: Picture1 asks for the operation password before the
// maintenance mode is entered (txtPassword, cmdOK, cmdCancel); Picture2 asks
// whether to leave it (EditEndCmd, EditCanCmd).  The answer is the console's
// LoginOK; a dialog closed any other way answers no.
class FrmLogin : public QDialog
{
    Q_OBJECT
public:
    enum class Face { Password, Leave };

    FrmLogin(ConsoleState &state, Face face, QWidget *parent = nullptr);

    Face face() const { return m_face; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void EditEndCmd_Click();
    void EditCanCmd_Click();

    void reject() override;

private:
    ConsoleState &m_state;
    Face m_face;
    QFrame *Picture1 = nullptr;
    QFrame *Picture2 = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *EditEndCmd = nullptr;
    QPushButton *EditCanCmd = nullptr;
};

} // namespace console
