#include "console/maintenance/frmment.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/flexgrid.h"
#include "console/maintenance/frm2j.h"
#include "console/maintenance/frmclient.h"
#include "console/maintenance/frmgroup2.h"
#include "console/maintenance/frmtag2.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace console {

namespace {

// Palette numbers of the cells.
constexpr int Black = 0;
constexpr int LightBlue = 9;
constexpr int LightRed = 12;
constexpr int Yellow = 14;
constexpr int White = 15;

void colourCell(QTableWidgetItem *cell, int fore, int back)
{
    if (!cell)
        return;
    cell->setForeground(paletteColor(fore));
    cell->setBackground(paletteColor(back));
}

bool isYellow(const QTableWidgetItem *cell)
{
    return cell && cell->background().color() == paletteColor(Yellow);
}

} // namespace

FrmMent::FrmMent(ConsoleState &state, int chartRow, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_groups(state.database())
    , m_devices(state.database())
{
    buildForm();
    // The old grids count the header as row 0: chart row n is grid row n + 1.
    LblGpno_rtn->setText(QString::number(chartRow + 1));
    gp_get();
    Option1_Click();
    if (chartRow >= 0 && chartRow < flex1->rowCount())
        selectGroupRow(chartRow);
    Label1->setText(QString::number(flex1->currentRow() + 1));
}

FrmMent::~FrmMent() = default;

void FrmMent::buildForm()
{
    setObjectName(QStringLiteral("frmMent"));
    setWindowTitle(QStringLiteral("グループ＆タグ設定"));

    flex1 = new FlexGrid(this);
    flex1->setObjectName(QStringLiteral("flex1"));
    flex2 = new FlexGrid(this);
    flex2->setObjectName(QStringLiteral("flex2"));
    for (FlexGrid *g : {flex1, flex2}) {
        g->setColumnCount(1);
        g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch); // the column as wide as the grid
        g->setMinimumSize(300, 420);
    }
    flex1->setHorizontalHeaderLabels({QStringLiteral("グループ名称")});
    flex2->setHorizontalHeaderLabels({QStringLiteral("機器名称")});
    connect(flex1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int previousColumn) {
        if (m_filling)
            return;
        flex1_LeaveCell(previousRow, previousColumn);
        flex1_RowColChange(row);
    });
    connect(flex1, &QTableWidget::cellClicked, this, [this](int, int) { Option1_Click(); });
    connect(flex2, &QTableWidget::cellClicked, this, [this](int row, int) { flex2_Click(row); });

    auto *fraList = new QGroupBox(QStringLiteral("機器の表示"), this);
    Option1[0] = new QRadioButton(QStringLiteral("全機器"), fraList);
    Option1[1] = new QRadioButton(QStringLiteral("グループの機器"), fraList);
    auto *options = new QButtonGroup(fraList);
    auto *optionRow = new QHBoxLayout(fraList);
    for (int i = 0; i < 2; ++i) {
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options->addButton(Option1[i], i);
        optionRow->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::clicked, this, &FrmMent::Option1_Click);
    }
    optionRow->addStretch();
    Option1[0]->setChecked(true);

    LblGpno = new QLabel(QStringLiteral("0"), this);
    LblGpno->setObjectName(QStringLiteral("LblGpno"));
    LblGpno->setMinimumWidth(40);
    LblGpno_rtn = new QLabel(this);
    LblGpno_rtn->setObjectName(QStringLiteral("LblGpno_rtn"));
    LblGpno_rtn->hide();
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();

    Command5 = new QPushButton(QStringLiteral("機器登録"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setToolTip(QStringLiteral("黄色の機器を選択グループの機器として登録します。"));
    Command1 = new QPushButton(QStringLiteral("グループ設定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command4 = new QPushButton(QStringLiteral("タグ設定"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    DBChange = new QPushButton(QStringLiteral("環境設定"), this);
    DBChange->setObjectName(QStringLiteral("DBChange"));
    cmdNijyu = new QPushButton(QStringLiteral("二重化設定"), this);
    cmdNijyu->setObjectName(QStringLiteral("cmdNijyu"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {Command5, Command1, Command4, DBChange, cmdNijyu, cmdClose}) {
        b->setAutoDefault(false);
        b->setMinimumSize(120, 36);
    }
    connect(Command5, &QPushButton::clicked, this, &FrmMent::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmMent::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmMent::Command4_Click);
    connect(DBChange, &QPushButton::clicked, this, &FrmMent::DBChange_Click);
    connect(cmdNijyu, &QPushButton::clicked, this, &FrmMent::cmdNijyu_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FrmMent::cmdClose_Click);

    auto *groupColumn = new QVBoxLayout;
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel(QStringLiteral("グループ番号"), this));
    numberRow->addWidget(LblGpno);
    numberRow->addStretch();
    groupColumn->addLayout(numberRow);
    groupColumn->addWidget(flex1, 1);
    auto *deviceColumn = new QVBoxLayout;
    deviceColumn->addWidget(fraList);
    deviceColumn->addWidget(flex2, 1);
    auto *buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(Command5);
    buttonColumn->addSpacing(24);
    buttonColumn->addWidget(Command1);
    buttonColumn->addWidget(Command4);
    buttonColumn->addWidget(DBChange);
    buttonColumn->addWidget(cmdNijyu);
    buttonColumn->addStretch();
    buttonColumn->addWidget(cmdClose);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(groupColumn, 1);
    layout->addLayout(deviceColumn, 1);
    layout->addLayout(buttonColumn);
}

void FrmMent::setViewOnly(bool viewOnly)
{
    for (QPushButton *b : {Command1, Command4, Command5, DBChange, cmdNijyu})
        b->setVisible(!viewOnly);
}

int FrmMent::groupNo() const
{
    return LblGpno->text().toInt();
}

void FrmMent::setGroupNo(int gpno)
{
    LblGpno->setText(QString::number(gpno));
}

void FrmMent::gp_get()
{
    m_filling = true;
    flex1->setUpdatesEnabled(false);
    flex1->clearContents();
    const QList<GroupRow> groups = m_groups.allGroups();
    flex1->setRowCount(int(groups.size()));
    int selected = -1;
    for (int r = 0; r < groups.size(); ++r) {
        flex1->setText(r, 0, groups.at(r).name);
        colourCell(flex1->item(r, 0), Black, White);
        if (groups.at(r).gpno == groupNo())
            selected = r;
    }
    flex1->setCurrentCell(-1, -1);
    flex1->setUpdatesEnabled(true);
    m_filling = false;
    // The group chosen before stays chosen; a group that is gone is no
    // longer the one whose devices are saved.
    if (selected >= 0)
        selectGroupRow(selected);
    else
        setGroupNo(0);
}

void FrmMent::selectGroupRow(int row)
{
    if (flex1->currentRow() == row)
        flex1_RowColChange(row);
    else
        flex1->setCurrentCell(row, 0);
}

void FrmMent::kiki_get(const QString &sql_code)
{
    flex2->setUpdatesEnabled(false);
    flex2->clearContents();
    store::Recordset rs = m_state.database().openRecordset(sql_code);
    QStringList names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        names << rs.text(QStringLiteral("kikiname"));
    flex2->setRowCount(int(names.size()));
    for (int r = 0; r < names.size(); ++r)
        flex2->setText(r, 0, names.at(r));
    flex2->setUpdatesEnabled(true);
}

void FrmMent::kiki_select()
{
    flex2->setUpdatesEnabled(false);
    for (int r = 0; r < flex2->rowCount(); ++r)
        colourCell(flex2->item(r, 0), Black, White);
    for (const QString &name : m_devices.groupDevices(groupNo())) {
        for (int r = 0; r < flex2->rowCount(); ++r) {
            if (flex2->text(r, 0) == name)
                colourCell(flex2->item(r, 0), LightRed, Yellow);
        }
    }
    flex2->setUpdatesEnabled(true);
}

void FrmMent::Option1_Click()
{
    kiki_get(Option1[1]->isChecked() ? store::sql::selectGroupDeviceNames(groupNo())
                                     : store::sql::selectDeviceMasterNames());
    kiki_select();
}

void FrmMent::flex1_RowColChange(int row)
{
    if (row < 0 || row >= flex1->rowCount())
        return;
    store::Recordset rs = m_state.database().openRecordset(store::sql::selectGroupByNamePlain(flex1->text(row, 0)));
    rs.moveFirst();
    if (!rs.eof())
        setGroupNo(rs.integer(QStringLiteral("gpno")));
    colourCell(flex1->item(row, 0), White, LightBlue);
    Label1->setText(QString::number(row + 1));
    Option1_Click();
}

void FrmMent::flex1_LeaveCell(int row, int column)
{
    if (row >= 0 && column >= 0)
        colourCell(flex1->item(row, column), Black, White);
}

void FrmMent::flex2_Click(int row)
{
    QTableWidgetItem *cell = flex2->item(row, 0);
    if (!cell)
        return;
    cell->setBackground(paletteColor(isYellow(cell) ? White : Yellow));
}

void FrmMent::Command5_Click()
{
    flex2->hide();
    QStringList chosen;
    for (int r = 0; r < flex2->rowCount(); ++r) {
        const QString name = flex2->text(r, 0);
        if (isYellow(flex2->item(r, 0)) && !chosen.contains(name, Qt::CaseInsensitive))
            chosen << name;
    }
    if (!m_devices.assign(groupNo(), chosen)) {
        const QString error = m_devices.lastError();
        m_state.messages().inform(this,
                                  QStringLiteral("機器を登録出来ませんでした。")
                                      + (error.isEmpty() ? QString() : QLatin1Char('\n') + error),
                                  false);
    }
    Option1_Click();
    flex2->show();
}

void FrmMent::Command1_Click()
{
    FrmGroup2 editor(m_state, this);
    editor.exec();
    gp_get();
    Option1_Click();
}

void FrmMent::Command4_Click()
{
    FrmTag2 editor(m_state, this);
    editor.exec();
    Option1_Click();
}

void FrmMent::DBChange_Click()
{
    FrmClient settings(m_state, this);
    connect(&settings, &FrmClient::displaySaved, this, &FrmMent::displaySaved);
    connect(&settings, &FrmClient::clientModeSaved, this, &FrmMent::clientModeSaved);
    settings.exec();
}

void FrmMent::cmdNijyu_Click()
{
    Frm2J secondCopy(m_state, this);
    secondCopy.exec();
}

void FrmMent::cmdClose_Click()
{
    QApplication::restoreOverrideCursor();
    accept();
}

void FrmMent::changeEvent(QEvent *event)
{
    // Back from another screen: the lists are read again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Option1_Click();
    QDialog::changeEvent(event);
}

} // namespace console
