#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;

namespace upgrader {

class Upgrader;

// Upgrader's form "Tavo7 DB -> Tavo10 DBコンバート": the hint label, the old
// database's path Text1 with Command4 ("参照"), Command1 ("Sch.mdbのコンバート
// 実行") and Command3 ("END").
class UpgraderForm : public QWidget
{
    Q_OBJECT
public:
    UpgraderForm(Upgrader &upgrader, QWidget *parent = nullptr);

    // The file dialog of Command4 given the proposed name; the chosen path or
    // an empty text.  Tests replace it.
    std::function<QString(const QString &proposedName)> chooseFile;

private:
    void browse();
    void runConversion();

    Upgrader &m_upgrader;
    QLineEdit *m_path = nullptr;
};

} // namespace upgrader
