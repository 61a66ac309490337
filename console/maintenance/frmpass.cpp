#include "console/maintenance/frmpass.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/passwordfile.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace console {

FrmPass::FrmPass(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_path(passwordfile::pathFor(state))
{
    setObjectName(QStringLiteral("frmPass"));
    setWindowTitle(QStringLiteral("パスワード変更"));
    setModal(true);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const QString captions[2] = {QStringLiteral("新しいパスワード"), QStringLiteral("確認入力")};
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(new QLabel(captions[i], this), i, 0);
        pass_text[i] = new QLineEdit(this);
        pass_text[i]->setObjectName(QStringLiteral("pass_text_%1").arg(i));
        pass_text[i]->setEchoMode(QLineEdit::Password);
        pass_text[i]->setMinimumHeight(28);
        pass_text[i]->installEventFilter(this);
        grid->addWidget(pass_text[i], i, 1);
    }
    auto *note = new QLabel(QStringLiteral("半角20文字（全角10文字）まで"), this);
    note->setObjectName(QStringLiteral("lblNote"));
    grid->addWidget(note, 2, 1);

    Command1 = new QPushButton(QStringLiteral("登録"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *b : {Command1, Command2}) {
        b->setMinimumSize(96, 30);
        b->setAutoDefault(false);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(400);

    connect(Command1, &QPushButton::clicked, this, &FrmPass::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmPass::Command2_Click);
}

void FrmPass::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    pass_text[0]->setFocus();
}

// A click into a box, or the focus arriving there, selects its whole text.
bool FrmPass::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease))
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void FrmPass::Command1_Click()
{
    if (pass_text[0]->text().trimmed() != pass_text[1]->text().trimmed()) {
        m_state.messages().inform(this, QStringLiteral("パスワードを確認できませんでした。"
                                                       "パスワードと確認入力パスワードを一致させてください。"));
        pass_text[0]->setFocus();
        pass_text[0]->selectAll();
        return;
    }
    QString error;
    const passwordfile::WriteResult r = passwordfile::write(m_path, pass_text[1]->text(), &error);
    if (r != passwordfile::WriteResult::Written) {
        m_state.messages().inform(this, passwordfile::refusalMessage(r));
        pass_text[0]->setFocus();
        pass_text[0]->selectAll();
        return;
    }
    accept();
}

void FrmPass::Command2_Click()
{
    reject();
}

} // namespace console
