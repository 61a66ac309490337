#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;

namespace console {
class MessageBoxes;
}

namespace masterio {

class Masterio;

// Masterio's form "Tavo10DB展開画面": the workbook path txtBackDbPath with its
// button cmdSansyo ("参照"), and the buttons Command3 ("展開実行", import),
// Command4 (export), Command1 ("CSV展開実行") and Command2 ("終了").  It stays
// in front of other windows from its start until an import asks its question.
class MasterioForm : public QWidget
{
    Q_OBJECT
public:
    MasterioForm(Masterio &masterio, QWidget *parent = nullptr);

    // The save-style file dialog of cmdSansyo and Command4, given the proposed
    // file name; returns the chosen path or an empty text.  Tests replace it.
    std::function<QString(const QString &proposedName)> chooseFile;

private:
    void browse();
    void runImport();
    void runExport();
    void runCsv();
    QString askForFile(const QString &proposedName, bool confirmOverwrite);

    Masterio &m_masterio;
    QLineEdit *m_path = nullptr;
};

} // namespace masterio
