// The log-on dialog, the password change and the 20-byte password record.
#include "recordingmessageboxes.h"
#include "runnersite.h"

#include "console/common/consolestate.h"
#include "console/main/consolefont.h"
#include "console/maintenance/frmlogin.h"
#include "console/maintenance/frmpass.h"
#include "console/maintenance/passwordfile.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using console::FrmLogin;
using console::FrmPass;
namespace pwd = console::passwordfile;

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void saveShot(QWidget *w, const QString &name)
{
    const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

class LogOnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        console::applyConsoleFont();
        state = std::make_unique<console::ConsoleState>(site.home());
        state->setMessages(&boxes);
    }

    // Types a password into a fresh log-on dialog and presses OK; LoginOK after it.
    bool logOn(const QString &typed)
    {
        FrmLogin login(*state, FrmLogin::Face::Password);
        auto *box = login.findChild<QLineEdit *>(QStringLiteral("txtPassword"));
        box->setText(typed);
        QTest::mouseClick(login.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        return state->LoginOK;
    }

    void setPassword(const QString &a, const QString &b, FrmPass &pass)
    {
        pass.findChild<QLineEdit *>(QStringLiteral("pass_text_0"))->setText(a);
        pass.findChild<QLineEdit *>(QStringLiteral("pass_text_1"))->setText(b);
        QTest::mouseClick(pass.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    QString passwordFile() const { return site.home() + QStringLiteral("/SC_DataBase/schedule.txt"); }

    RunnerSite site;
    RecordingMessageBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
};

} // namespace

TEST_F(LogOnTest, WithoutAPasswordFileOnlyTheEmptyEntryLogsOn)
{
    EXPECT_FALSE(logOn(QStringLiteral("x")));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ﾛｸﾞｵﾝ"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"));
    EXPECT_EQ(boxes.shown[0].icon, console::MessageIcon::None);
    EXPECT_TRUE(logOn(QString()));
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(LogOnTest, AStoredPasswordIsComparedExactly)
{
    ASSERT_EQ(pwd::write(passwordFile(), QStringLiteral("abc123")), pwd::WriteResult::Written);
    EXPECT_FALSE(logOn(QString()));
    EXPECT_FALSE(logOn(QStringLiteral("abc123 ")));
    EXPECT_FALSE(logOn(QStringLiteral("ABC123")));
    EXPECT_TRUE(logOn(QStringLiteral("abc123")));
}

TEST_F(LogOnTest, AWrongPasswordKeepsTheDialogWithTheTextSelected)
{
    ASSERT_EQ(pwd::write(passwordFile(), QStringLiteral("pw")), pwd::WriteResult::Written);
    FrmLogin login(*state, FrmLogin::Face::Password);
    login.show();
    auto *box = login.findChild<QLineEdit *>(QStringLiteral("txtPassword"));
    QTest::keyClicks(box, QStringLiteral("nope"));
    saveShot(&login, QStringLiteral("dialog-logon"));
    QTest::mouseClick(login.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(box->selectedText(), QStringLiteral("nope"));
    EXPECT_FALSE(state->LoginOK);
    // Typing over the selection replaces it.
    QTest::keyClicks(box, QStringLiteral("pw"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(state->LoginOK);
    EXPECT_FALSE(login.isVisible());
}

TEST_F(LogOnTest, TheTwoFacesAndTheirAnswers)
{
    FrmLogin pass(*state, FrmLogin::Face::Password);
    EXPECT_FALSE(pass.findChild<QWidget *>(QStringLiteral("Picture1"))->isHidden());
    EXPECT_TRUE(pass.findChild<QWidget *>(QStringLiteral("Picture2"))->isHidden());

    FrmLogin leave(*state, FrmLogin::Face::Leave);
    EXPECT_TRUE(leave.findChild<QWidget *>(QStringLiteral("Picture1"))->isHidden());
    EXPECT_FALSE(leave.findChild<QWidget *>(QStringLiteral("Picture2"))->isHidden());
    leave.show();
    saveShot(&leave, QStringLiteral("dialog-leave"));
    QTest::mouseClick(leave.findChild<QPushButton *>(QStringLiteral("EditEndCmd")), Qt::LeftButton);
    EXPECT_TRUE(state->LoginOK);

    FrmLogin again(*state, FrmLogin::Face::Leave);
    QTest::mouseClick(again.findChild<QPushButton *>(QStringLiteral("EditCanCmd")), Qt::LeftButton);
    EXPECT_FALSE(state->LoginOK);

    // A dialog closed by its window (Escape, the close box) answers no, also
    // after an earlier log-on succeeded.
    state->LoginOK = true;
    FrmLogin closed(*state, FrmLogin::Face::Password);
    closed.show();
    QTest::keyClick(&closed, Qt::Key_Escape);
    EXPECT_FALSE(state->LoginOK);
}

TEST_F(LogOnTest, PasswordChangeWritesTheTwentyByteRecord)
{
    FrmPass pass(*state);
    pass.show();
    saveShot(&pass, QStringLiteral("dialog-password"));
    // Differing boxes: the message, nothing written, the first box selected.
    setPassword(QStringLiteral("alpha"), QStringLiteral("alphb"), pass);
    EXPECT_EQ(boxes.lastText(),
              QStringLiteral("パスワードを確認できませんでした。パスワードと確認入力パスワードを一致させてください。"));
    EXPECT_TRUE(boxes.shown.last().systemModal);
    EXPECT_FALSE(QFile::exists(passwordFile()));
    EXPECT_TRUE(pass.isVisible());

    setPassword(QStringLiteral("alpha"), QStringLiteral("alpha"), pass);
    EXPECT_FALSE(pass.isVisible());
    EXPECT_EQ(fileBytes(passwordFile()), QByteArray("alpha               "));
    EXPECT_TRUE(logOn(QStringLiteral("alpha")));
}

TEST_F(LogOnTest, APasswordThatDoesNotFitTheRecordIsRefused)
{
    FrmPass pass(*state);
    pass.show();
    const QString twentyFive = QStringLiteral("abcdefghijklmnopqrstuvwxy");
    setPassword(twentyFive, twentyFive, pass);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("パスワードは半角20文字（全角10文字）以内で入力してください。"));
    EXPECT_FALSE(QFile::exists(passwordFile()));
    EXPECT_TRUE(pass.isVisible());

    // Ten full-width characters are twenty bytes: they fit.
    const QString wide = QStringLiteral("設定用パスワード一〇");
    setPassword(wide, wide, pass);
    EXPECT_FALSE(pass.isVisible());
    EXPECT_EQ(fileBytes(passwordFile()), platform::toCp932(wide));
    EXPECT_TRUE(logOn(wide));
    EXPECT_EQ(pwd::write(passwordFile(), wide + QStringLiteral("x")), pwd::WriteResult::TooLong);
    EXPECT_EQ(pwd::write(passwordFile(), QStringLiteral("pass😀")), pwd::WriteResult::NotRepresentable);
    EXPECT_EQ(pwd::read(passwordFile()), wide);
}

// A password file that is there but cannot be read (here a named pipe,
// which would block a plain open) lets no entry on, the empty one included.
TEST_F(LogOnTest, AnUnreadablePasswordFileLetsNobodyOn)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(passwordFile()).absolutePath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(passwordFile()).constData(), 0600), 0);
    bool readable = true;
    EXPECT_EQ(pwd::read(passwordFile(), &readable), QString());
    EXPECT_FALSE(readable);
    EXPECT_FALSE(logOn(QString()));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"));
}

TEST_F(LogOnTest, AClientReadsThePasswordWhereItWritesIt)
{
    RunnerSite server;
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    site.setIni("CLIENT", "DBNAME", server.database());
    state = std::make_unique<console::ConsoleState>(site.home());
    state->setMessages(&boxes);
    FrmPass pass(*state);
    EXPECT_EQ(QDir::cleanPath(pass.passwordPath()), QDir::cleanPath(server.home() + "/SC_DataBase/schedule.txt"));
    setPassword(QStringLiteral("srv"), QStringLiteral("srv"), pass);
    EXPECT_TRUE(QFile::exists(server.home() + "/SC_DataBase/schedule.txt"));
    EXPECT_FALSE(QFile::exists(passwordFile()));
    EXPECT_TRUE(logOn(QStringLiteral("srv")));

    // A client without DBNAME works on the program folder's file.
    site.setIni("CLIENT", "DBNAME", QString());
    console::ConsoleState local(site.home());
    EXPECT_EQ(QDir::cleanPath(pwd::pathFor(local)), QDir::cleanPath(passwordFile()));
}
