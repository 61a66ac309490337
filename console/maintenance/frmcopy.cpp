#include "console/maintenance/frmcopy.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

FrmCopy::FrmCopy(ConsoleState &state, const QString &editorGroupName, int editorGroupNo, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_groups(state.database())
{
    buildForm();

    const QList<GroupRow> groups = m_groups.allGroups();
    for (const GroupRow &g : groups) {
        cmbCopy1->addItem(g.name);
        cmbCopy2->addItem(g.name);
    }
    if (!groups.isEmpty()) {
        cmbCopy1->setCurrentIndex(0);
        m_source = groups.first().gpno;
    }
    cmbCopy2->setCurrentIndex(cmbCopy2->findText(editorGroupName, Qt::MatchFixedString));
    m_destination = editorGroupNo;
}

FrmCopy::~FrmCopy() = default;

void FrmCopy::buildForm()
{
    setObjectName(QStringLiteral("frmCopy"));
    setWindowTitle(QStringLiteral("マスタースケジュールコピー"));

    cmbCopy1 = new QComboBox(this);
    cmbCopy1->setObjectName(QStringLiteral("cmbCopy1"));
    cmbCopy2 = new QComboBox(this);
    cmbCopy2->setObjectName(QStringLiteral("cmbCopy2"));
    for (QComboBox *box : {cmbCopy1, cmbCopy2}) {
        box->setMinimumWidth(300);
        box->setMaxVisibleItems(20);
    }
    connect(cmbCopy1, &QComboBox::activated, this, &FrmCopy::cmbCopy1_Click);
    connect(cmbCopy2, &QComboBox::activated, this, &FrmCopy::cmbCopy2_Click);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdOK, cmdCancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    connect(cmdOK, &QPushButton::clicked, this, &FrmCopy::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmCopy::cmdCancel_Click);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("コピー元グループ"), this), 0, 0);
    grid->addWidget(cmbCopy1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("⇒  コピー先グループ"), this), 1, 0);
    grid->addWidget(cmbCopy2, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

int FrmCopy::numberOf(const QString &name, int current)
{
    const std::optional<GroupRow> group = m_groups.findByName(name);
    return group ? group->gpno : current;
}

void FrmCopy::cmbCopy1_Click()
{
    m_source = numberOf(cmbCopy1->currentText(), m_source);
}

void FrmCopy::cmbCopy2_Click()
{
    m_destination = numberOf(cmbCopy2->currentText(), m_destination);
}

void FrmCopy::cmdOK_Click()
{
    // The destination's rows go before the source's are read: a copy of a
    // group onto itself would empty its master.
    if (m_source < 1 || m_destination < 1) {
        m_state.messages().inform(this, QStringLiteral("コピー元とコピー先のグループを選択して下さい。"), false);
        return;
    }
    if (m_source == m_destination) {
        m_state.messages().inform(this, QStringLiteral("コピー元とコピー先が同じグループです。"), false);
        return;
    }
    if (!m_state.messages().confirm(this, QStringLiteral("マスタースケジュールをコピーします。よろしいですか？"), false))
        return;
    if (!m_groups.copyMaster(m_source, m_destination)) {
        const QString error = m_groups.lastError();
        m_state.messages().inform(this,
                                  QStringLiteral("マスタースケジュールをコピー出来ませんでした。")
                                      + (error.isEmpty() ? QString() : QLatin1Char('\n') + error),
                                  false);
        return;
    }
    emit destinationCopied(cmbCopy2->currentText());
}

void FrmCopy::cmdCancel_Click()
{
    reject();
}

} // namespace console
