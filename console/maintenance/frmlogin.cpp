#include "console/maintenance/frmlogin.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/passwordfile.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(96, 30);
    return b;
}

QLabel *prompt(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    l->setFont(f);
    return l;
}

} // namespace

FrmLogin::FrmLogin(ConsoleState &state, Face face, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_face(face)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("ﾛｸﾞｵﾝ"));
    setModal(true);
    // A log-on that is not answered is no log-on.
    m_state.LoginOK = false;

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto *p1 = new QVBoxLayout(Picture1);
    p1->addWidget(prompt(QStringLiteral("操作パスワードを入力して下さい。"), Picture1));
    txtPassword = new QLineEdit(Picture1);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMinimumHeight(28);
    p1->addWidget(txtPassword);
    auto *r1 = new QHBoxLayout;
    r1->addStretch(1);
    cmdOK = button(QStringLiteral("cmdOK"), QStringLiteral("OK"), Picture1);
    cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("ｷｬﾝｾﾙ"), Picture1);
    r1->addWidget(cmdOK);
    r1->addWidget(cmdCancel);
    p1->addLayout(r1);

    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    auto *p2 = new QVBoxLayout(Picture2);
    p2->addWidget(prompt(QStringLiteral("設定を終了します。よろしいですか？"), Picture2));
    auto *r2 = new QHBoxLayout;
    r2->addStretch(1);
    EditEndCmd = button(QStringLiteral("EditEndCmd"), QStringLiteral("設定終了"), Picture2);
    EditCanCmd = button(QStringLiteral("EditCanCmd"), QStringLiteral("ｷｬﾝｾﾙ"), Picture2);
    r2->addWidget(EditEndCmd);
    r2->addWidget(EditCanCmd);
    p2->addLayout(r2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(Picture1);
    layout->addWidget(Picture2);
    Picture1->setVisible(face == Face::Password);
    Picture2->setVisible(face == Face::Leave);
    setMinimumWidth(380);

    connect(cmdOK, &QPushButton::clicked, this, &FrmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmLogin::cmdCancel_Click);
    connect(EditEndCmd, &QPushButton::clicked, this, &FrmLogin::EditEndCmd_Click);
    connect(EditCanCmd, &QPushButton::clicked, this, &FrmLogin::EditCanCmd_Click);
    if (face == Face::Password) {
        cmdOK->setDefault(true);
        txtPassword->setFocus();
    } else {
        EditEndCmd->setDefault(true);
        EditEndCmd->setFocus();
    }
}

void FrmLogin::cmdOK_Click()
{
    // The typed text is compared as typed; the stored one is trimmed.  A
    // password file that cannot be read lets nobody on (the trace names it).
    bool readable = true;
    const QString stored = passwordfile::read(passwordfile::pathFor(m_state), &readable);
    if (readable && txtPassword->text() == stored) {
        m_state.LoginOK = true;
        accept();
        return;
    }
    m_state.messages().show({QStringLiteral("ﾛｸﾞｵﾝ"),
                             QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"),
                             MessageButtons::Ok, MessageIcon::None, false},
                            this);
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void FrmLogin::cmdCancel_Click()
{
    m_state.LoginOK = false;
    QDialog::reject();
}

void FrmLogin::EditEndCmd_Click()
{
    m_state.LoginOK = true;
    accept();
}

void FrmLogin::EditCanCmd_Click()
{
    m_state.LoginOK = false;
    QDialog::reject();
}

void FrmLogin::reject()
{
    m_state.LoginOK = false;
    QDialog::reject();
}

} // namespace console
