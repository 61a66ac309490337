#pragma once

#include <QDialog>

class Datefold;
class QLabel;
class QPushButton;

namespace calendar {
class DatefoldModel;
}

namespace console {

class ConsoleState;

// The special-day screen frm休日設定 ("休日設定"): a calendar whose day memos
// are the special days "特日１".."特日４".  A click on a date after tomorrow
// cycles its mark; "保存" writes every memo to dayinfor.csv in the database
// folder, which the main screen and the runner read back.  Marks that were
// not saved are discarded when the screen closes.
class FrmHolidaySetting : public QDialog
{
    Q_OBJECT
public:
    explicit FrmHolidaySetting(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmHolidaySetting() override;

    // The special-day file: database folder + "dayinfor.csv".
    QString dayInfoPath() const { return m_path; }
    Datefold *calendar() const { return Datefold1; }
    calendar::DatefoldModel &calendarModel() const;

    // The handlers, also run by tests.
    void Datefold1_DateClick(double date);
    void Command1_Click();          // 保存
    void Command2_Click();          // 閉じる
    void Command3_Click();          // 今日
    void Command5_Click(int index); // 0 month back, 1 month forward

private:
    void buildForm();
    // Runs a move of the calendar made by a button: the date event it raises
    // is not an operator's click.
    template<typename Move>
    void navigate(Move move);

    ConsoleState &m_state;
    QString m_path;
    bool m_navigating = false;

    Datefold *Datefold1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command5[2] = {nullptr, nullptr};
    QLabel *new_year_Label = nullptr;
    QLabel *new_month_Label = nullptr;
};

} // namespace console
