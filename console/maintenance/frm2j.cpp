#include "console/maintenance/frm2j.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/filedialogs.h"
#include "store/settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

Frm2J::Frm2J(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    buildForm();
    txt2DBName->setText(m_state.settings().secondCopyPath());
}

Frm2J::~Frm2J() = default;

void Frm2J::buildForm()
{
    setObjectName(QStringLiteral("frm2J"));
    setWindowTitle(QStringLiteral("二重化設定"));

    fraClient = new QGroupBox(QStringLiteral("二重化データベース"), this);
    fraClient->setObjectName(QStringLiteral("fraClient"));
    txt2DBName = new QLineEdit(fraClient);
    txt2DBName->setObjectName(QStringLiteral("txt2DBName"));
    txt2DBName->setMinimumWidth(420);
    txt2DBName->setPlaceholderText(QStringLiteral("空欄: 二重化しない"));
    Command1 = new QPushButton(QStringLiteral("参照"), fraClient);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto *row = new QHBoxLayout;
    row->addWidget(txt2DBName, 1);
    row->addWidget(Command1);
    auto *frame = new QVBoxLayout(fraClient);
    frame->addWidget(new QLabel(QStringLiteral("日替わりと終了時にデータベースをコピーするファイル"), fraClient));
    frame->addLayout(row);

    cmdTouroku = new QPushButton(QStringLiteral("登録"), this);
    cmdTouroku->setObjectName(QStringLiteral("cmdTouroku"));
    cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    for (QPushButton *b : {Command1, cmdTouroku, cmdEnd}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
    }
    connect(Command1, &QPushButton::clicked, this, &Frm2J::Command1_Click);
    connect(cmdTouroku, &QPushButton::clicked, this, &Frm2J::cmdTouroku_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &Frm2J::cmdEnd_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdTouroku);
    buttons->addWidget(cmdEnd);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraClient);
    layout->addLayout(buttons);
}

void Frm2J::Command1_Click()
{
    const QString chosen = chooseDatabaseFile(this, QStringLiteral("二重化データベースの指定"),
                                              QStringLiteral("Sch.accdb"), m_state.programFolder());
    if (!chosen.isEmpty())
        txt2DBName->setText(chosen);
}

void Frm2J::cmdTouroku_Click()
{
    // An empty box writes an empty value: no second copy.
    if (m_state.messages().confirm(this, QStringLiteral("上内容を登録します よろしいですか？"), false))
        m_state.settings().setSecondCopyPath(txt2DBName->text());
    accept();
}

void Frm2J::cmdEnd_Click()
{
    reject();
}

} // namespace console
