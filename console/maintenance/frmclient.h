#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace console {

class ConsoleState;

// The settings screen frmClient: the console's local Sch.ini keys (client
// or server and the server's database, window placement and front-most, the
// font sizes and the group-column width, the operation log, the runner's
// start-up catch-up).  Opening it only shows the stored values; a save
// writes them, updates the console's state and tells the main screen
// through the signals below.
class FrmClient : public QDialog
{
    Q_OBJECT
public:
    explicit FrmClient(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmClient() override;

    // The handlers, also run by tests.
    void OptSize1_Click();
    void OptSize2_Click();
    void chkClient_Click();
    void Command1_Click(); // the server's database file
    void Command2_Click(); // close without saving
    void Command3_Click(); // save
    void Command4_Click(); // the operation log folder

signals:
    // The chart font size, the clock font size and the group-column width
    // after a save.
    void displaySaved(int chartFontSize, int clockFontSize, int groupColumnWidth);
    // The console was switched to a client (true) or a server (false).
    void clientModeSaved(bool client);

private:
    void buildForm();
    void load();
    void enablePosition(bool on);

    ConsoleState &m_state;

    QRadioButton *OptSize1 = nullptr;
    QRadioButton *OptSize2 = nullptr;
    QLineEdit *txtX = nullptr;
    QLineEdit *txtY = nullptr;
    QLineEdit *txtHeight = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLabel *lblWidth = nullptr;
    QLabel *lblHeight = nullptr;
    QRadioButton *optZenMen1 = nullptr;
    QRadioButton *optZenMen2 = nullptr;
    QLineEdit *txtFontSize = nullptr;
    QLineEdit *txtTimeFontSize = nullptr;
    QLineEdit *txtGPWidth = nullptr;
    QCheckBox *chkClient = nullptr;
    QGroupBox *fraClient = nullptr;
    QLineEdit *txtServerDBName = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option3 = nullptr;
    QLineEdit *txtLogPath = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
};

} // namespace console
