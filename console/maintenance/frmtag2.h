#pragma once

#include "console/maintenance/devicestore.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Taglink;

namespace console {

class ConsoleState;
class FlexGrid;

// The tag editor frmTag2: keeps the device master KikiMaster, one row per
// tag of the plant with its device name and the values written when a
// reservation starts and ends.  The device name can be fetched from the
// plant (the tag's comment) through the main screen's tag link.
class FrmTag2 : public QDialog
{
    Q_OBJECT
public:
    explicit FrmTag2(ConsoleState &state, QWidget *parent = nullptr);
    ~FrmTag2() override;

    // The grid row last clicked or found again by the last fill, -1 for none.
    int currentRow() const { return m_row; }

    // The handlers, also run by tests.
    void MSFlexGrid1_MouseDown(int row);
    void cmdUpdate_Click();   // save
    void CmdDelete_Click();   // delete
    void cmdAIMaxGet_Click(); // fetch the device name
    void cmdClose_Click();

private:
    void buildForm();
    void fillGrid();
    void copyRow(int row);
    void markRow(int row);
    bool checksRefuse();
    DeviceRow entered() const;
    Taglink *tagLink();

    ConsoleState &m_state;
    DeviceStore m_devices;
    int m_row = -1;
    Taglink *m_ownLink = nullptr;

    FlexGrid *MSFlexGrid1 = nullptr;
    QLineEdit *txtFields[4] = {};
    QLabel *lblLabels[4] = {};
    QPushButton *cmdUpdate = nullptr;
    QPushButton *CmdDelete = nullptr;
    QPushButton *cmdAIMaxGet = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace console
