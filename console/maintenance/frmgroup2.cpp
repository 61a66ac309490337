#include "console/maintenance/frmgroup2.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/flexgrid.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

namespace {

const QString Valid = QStringLiteral("有効");
const QString Invalid = QStringLiteral("無効");
const QString Marker = QStringLiteral("⇒");

enum Column { MarkerColumn, NameColumn, ValidColumn, NoColumn, DelColumn };

} // namespace

FrmGroup2::FrmGroup2(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_groups(state.database())
{
    buildForm();
    fillGrid();
}

FrmGroup2::~FrmGroup2() = default;

void FrmGroup2::buildForm()
{
    setObjectName(QStringLiteral("frmGroup2"));
    setWindowTitle(QStringLiteral("グループ設定"));

    MSFlexGrid1 = new FlexGrid(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumns({QString(), QStringLiteral("グループ名称"), QStringLiteral("有効/無効"), QString(), QString()},
                            {300, 5400, 1200, 0, 0});
    MSFlexGrid1->setMinimumSize(MSFlexGrid1->contentWidth(), 320);
    connect(MSFlexGrid1, &QTableWidget::cellPressed, this, [this](int row, int) { MSFlexGrid1_MouseDown(row); });

    lblLabels = new QLabel(QStringLiteral("グループ名称"), this);
    lblLabels->setObjectName(QStringLiteral("lblLabels"));
    txtFields = new QLineEdit(this);
    txtFields->setObjectName(QStringLiteral("txtFields"));
    chkFields = new QCheckBox(QStringLiteral("有効"), this);
    chkFields->setObjectName(QStringLiteral("chkFields"));

    Command1 = new QPushButton(QStringLiteral("追加"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    cmdUpdate = new QPushButton(QStringLiteral("上書"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    CmdDelete = new QPushButton(QStringLiteral("削除"), this);
    CmdDelete->setObjectName(QStringLiteral("CmdDelete"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {Command1, cmdUpdate, CmdDelete, cmdClose}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
    }
    connect(Command1, &QPushButton::clicked, this, &FrmGroup2::Command1_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &FrmGroup2::cmdUpdate_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmGroup2::CmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FrmGroup2::cmdClose_Click);

    auto *entry = new QHBoxLayout;
    entry->addWidget(lblLabels);
    entry->addWidget(txtFields, 1);
    entry->addWidget(chkFields);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(CmdDelete);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addLayout(entry);
    layout->addLayout(buttons);
}

void FrmGroup2::fillGrid()
{
    const QList<GroupRow> groups = m_groups.liveGroups();
    MSFlexGrid1->setUpdatesEnabled(false);
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(int(groups.size()));
    for (int r = 0; r < groups.size(); ++r) {
        const GroupRow &g = groups.at(r);
        MSFlexGrid1->setText(r, MarkerColumn, QString());
        MSFlexGrid1->setText(r, NameColumn, g.name);
        MSFlexGrid1->setText(r, ValidColumn, g.valid ? Valid : Invalid);
        MSFlexGrid1->setText(r, NoColumn, QString::number(g.gpno));
        MSFlexGrid1->setText(r, DelColumn, g.marked ? QStringLiteral("True") : QStringLiteral("False"));
    }
    // The row of the name in the box becomes the current row again.
    m_row = -1;
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        if (MSFlexGrid1->text(r, NameColumn) == txtFields->text()) {
            m_row = r;
            MSFlexGrid1->setText(r, MarkerColumn, Marker);
            chkFields->setChecked(MSFlexGrid1->text(r, ValidColumn) == Valid);
            MSFlexGrid1->setCurrentCell(r, NameColumn);
            break;
        }
    }
    MSFlexGrid1->setUpdatesEnabled(true);
}

void FrmGroup2::markRow(int row)
{
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r)
        MSFlexGrid1->setText(r, MarkerColumn, r == row ? Marker : QString());
}

void FrmGroup2::MSFlexGrid1_MouseDown(int row)
{
    if (row < 0 || row >= MSFlexGrid1->rowCount())
        return;
    m_row = row;
    txtFields->setText(MSFlexGrid1->text(row, NameColumn));
    chkFields->setChecked(MSFlexGrid1->text(row, ValidColumn) == Valid);
    markRow(row);
    MSFlexGrid1->setCurrentCell(row, NameColumn);
}

bool FrmGroup2::nameRefused()
{
    const QString name = txtFields->text();
    if (name.contains(QLatin1Char('\''))) {
        m_state.messages().inform(this, QStringLiteral("グループ名称に ' を入れる事は出来ません。"), false);
        return true;
    }
    if (name.isEmpty()) {
        m_state.messages().inform(this, QStringLiteral("グループ名称を入力して下さい。"), false);
        return true;
    }
    return false;
}

void FrmGroup2::failed(const QString &operation, const QString &error)
{
    m_state.messages().inform(this, error.isEmpty() ? operation : operation + QLatin1Char('\n') + error, false);
}

void FrmGroup2::Command1_Click()
{
    if (nameRefused())
        return;
    const QString name = txtFields->text();
    const std::optional<int> number = m_groups.nextGroupNo();
    if (!number) {
        failed(QStringLiteral("グループを追加出来ませんでした。"), m_groups.lastError());
        return;
    }
    if (*number > MaxGroupNo) {
        m_state.messages().inform(
            this, QStringLiteral("グループ番号が%1を超えるため、グループを追加出来ません。").arg(MaxGroupNo), false);
        return;
    }
    if (m_groups.findByName(name)) {
        m_state.messages().inform(this, QStringLiteral("同じグループ名称は追加出来ません。"), false);
        return;
    }
    if (m_state.messages().confirm(this, QStringLiteral("グループを追加します よろしいですか？"), false)) {
        if (!m_groups.addGroup({*number, name, chkFields->isChecked(), false}))
            failed(QStringLiteral("グループを追加出来ませんでした。"), m_groups.lastError());
    }
    fillGrid();
}

void FrmGroup2::cmdUpdate_Click()
{
    if (nameRefused())
        return;
    const int gpno = m_row >= 0 ? MSFlexGrid1->text(m_row, NoColumn).toInt() : 0;
    if (gpno > 0 && m_groups.findByNo(gpno)
        && m_state.messages().confirm(this, QStringLiteral("グループを上書きします よろしいですか？"), false)) {
        if (!m_groups.overwrite(gpno, txtFields->text(), chkFields->isChecked()))
            failed(QStringLiteral("上書出来ませんでした。"), m_groups.lastError());
    }
    fillGrid();
}

void FrmGroup2::CmdDelete_Click()
{
    const std::optional<GroupRow> group = m_groups.findByName(txtFields->text());
    if (!group) {
        m_state.messages().inform(this, QStringLiteral("削除するグループが見つかりません。"), false);
        return;
    }
    if (m_state.messages().confirm(this, QStringLiteral("選択グループを削除します。よろしいですか？"), false)) {
        if (!m_groups.markForDeletion(group->gpno))
            failed(QStringLiteral("グループを削除出来ませんでした。"), m_groups.lastError());
    }
}

void FrmGroup2::cmdClose_Click()
{
    if (m_closing)
        return;
    m_closing = true;
    // A failed purge leaves the marked groups as they are; the next close
    // purges them.
    if (!m_groups.purgeMarked())
        failed(QStringLiteral("削除するグループを消去出来ませんでした。"), m_groups.lastError());
    QDialog::accept();
    m_closing = false;
}

void FrmGroup2::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        cmdClose_Click();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmGroup2::reject()
{
    cmdClose_Click();
}

} // namespace console
