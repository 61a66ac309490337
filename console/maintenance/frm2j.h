#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace console {

class ConsoleState;

// The second-copy screen frm2J (二重化): names the file to which the runner
// copies the database at every day change and the console when it closes
// (DB2 NAME of the local Sch.ini; empty = no second copy).  Only the path is
// stored here; the copies themselves refuse unsafe targets.
class Frm2J : public QDialog
{
    Q_OBJECT
public:
    explicit Frm2J(ConsoleState &state, QWidget *parent = nullptr);
    ~Frm2J() override;

    // The handlers, also run by tests.
    void Command1_Click();   // choose the file
    void cmdTouroku_Click(); // register
    void cmdEnd_Click();     // close

private:
    void buildForm();

    ConsoleState &m_state;
    QGroupBox *fraClient = nullptr;
    QLineEdit *txt2DBName = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdTouroku = nullptr;
    QPushButton *cmdEnd = nullptr;
};

} // namespace console
