#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace console {

class ConsoleState;

// The password change frmPass (CmdPass with Shift): pass_text(0) the new
// password, pass_text(1) its confirmation, Command1 registers, Command2
// closes without writing.  The password file is the one the log-on reads.
class FrmPass : public QDialog
{
    Q_OBJECT
public:
    explicit FrmPass(ConsoleState &state, QWidget *parent = nullptr);

    QString passwordPath() const { return m_path; }

    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    ConsoleState &m_state;
    QString m_path;
    QLineEdit *pass_text[2] = {nullptr, nullptr};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

} // namespace console
