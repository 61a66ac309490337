#pragma once

#include "console/maintenance/groupstore.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace console {

class ConsoleState;

// The copy screen frmCopy: replaces the weekly master of one group (cmbCopy2)
// by a copy of another group's master (cmbCopy1).  Opened from the weekly
// editor with the editor's group as the destination; after each copy it
// tells the editor to show the destination.  It stays open for further
// copies until "キャンセル".
class FrmCopy : public QDialog
{
    Q_OBJECT
public:
    FrmCopy(ConsoleState &state, const QString &editorGroupName, int editorGroupNo, QWidget *parent = nullptr);
    ~FrmCopy() override;

    int sourceNo() const { return m_source; }
    int destinationNo() const { return m_destination; }

    // The handlers, also run by tests.
    void cmbCopy1_Click();
    void cmbCopy2_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

signals:
    // A copy is done: the weekly editor selects this group and reloads its chart.
    void destinationCopied(const QString &groupName);

private:
    void buildForm();
    int numberOf(const QString &name, int current);

    ConsoleState &m_state;
    GroupStore m_groups;
    int m_source = 0;
    int m_destination = 0;

    QComboBox *cmbCopy1 = nullptr;
    QComboBox *cmbCopy2 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};

} // namespace console
