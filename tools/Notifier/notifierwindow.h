#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The window of Notifier: the message in lblMsg, one button cmdOK, title
// "確認", centred on the screen and kept above all other windows.
class NotifierWindow : public QDialog
{
    Q_OBJECT
public:
    explicit NotifierWindow(const QString &message, QWidget *parent = nullptr);

    // The message as the label shows it: carriage returns (alone or before a
    // line feed) become line breaks.
    static QString displayText(const QString &message);

    // The message of a command line: its arguments joined by single blanks.
    static QString messageFromArguments(const QStringList &arguments);

    // Places the window in the middle of its screen.
    void centreOnScreen();

private:
    QLabel *m_label = nullptr;
    QPushButton *m_ok = nullptr;
};
