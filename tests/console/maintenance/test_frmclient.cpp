// The settings screen frmClient and the second-copy screen frm2J: what they
// show, what a save writes to the local Sch.ini and what it changes in the
// running console.
#include "screenfixture.h"

#include "console/maintenance/frm2j.h"
#include "console/maintenance/frmclient.h"
#include "store/database.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

using console::MessageAnswer;

const QString RestartNote = QStringLiteral("画面サイズや最前面設定の変更はPlanboard.exeを一旦閉じて、再度実行して下さい。");
const QString AskSave = QStringLiteral("設定内容を登録します よろしいですか？");

class SettingsScreenTest : public ScreenTest
{
protected:
    template<typename T = QLineEdit>
    static T *find(QWidget &form, const char *name)
    {
        T *w = form.findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    static QString text(QWidget &form, const char *name) { return find(form, name)->text(); }
    static bool checked(QWidget &form, const char *name) { return find<QAbstractButton>(form, name)->isChecked(); }
};

TEST_F(SettingsScreenTest, LoadShowsTheStoredValuesAndTheDefaults)
{
    site.setIni("Size", "Flg", "1");
    site.setIni("SIZE", "Left", "150");
    site.setIni("SIZE", "Top", "300");
    site.setIni("SIZE", "Width", "");
    site.setIni("Gamen", "ZFlg", "1");
    site.setIni("Chart", "FontSize", "abc");
    site.setIni("Chart", "GPWidth", "250");
    site.setIni("LOG", "FLG", "x");
    site.setIni("Load", "Flg", "1");
    // A name left behind by an earlier client set-up: shown, nothing more.
    site.setIni("CLIENT", "DBNAME", "/srv/server/SC_DataBase/Sch.accdb");
    restartConsole();
    const QString databaseBefore = state->databasePath();

    console::FrmClient form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.objectName(), QStringLiteral("frmClient"));
    EXPECT_TRUE(checked(form, "OptSize1"));
    EXPECT_EQ(text(form, "txtX"), QStringLiteral("150"));
    EXPECT_EQ(text(form, "txtY"), QStringLiteral("300"));
    EXPECT_TRUE(text(form, "txtWidth").isEmpty());
    EXPECT_TRUE(find(form, "txtX")->isEnabled());
    EXPECT_TRUE(checked(form, "optZenMen1"));
    EXPECT_EQ(text(form, "txtFontSize"), QStringLiteral("9"));      // not numeric
    EXPECT_EQ(text(form, "txtTimeFontSize"), QStringLiteral("12")); // missing
    EXPECT_EQ(text(form, "txtGPWidth"), QStringLiteral("250"));
    EXPECT_TRUE(checked(form, "Option3")); // a non-numeric LOG FLG is "off"
    EXPECT_FALSE(checked(form, "Option4"));
    EXPECT_TRUE(checked(form, "Check1"));
    EXPECT_FALSE(checked(form, "chkClient"));
    EXPECT_FALSE(find<QGroupBox>(form, "fraClient")->isEnabled());
    EXPECT_EQ(text(form, "txtServerDBName"), QStringLiteral("/srv/server/SC_DataBase/Sch.accdb"));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(find<QLabel>(form, "lblWidth")->text(), QString::number(screen.width() * 15));
    EXPECT_EQ(find<QLabel>(form, "lblHeight")->text(), QString::number(screen.height() * 15));
    screenshot(form, QStringLiteral("frmClient"));
    EXPECT_EQ(state->databasePath(), databaseBefore); // opening the screen switches nothing

    // Full screen disables the position boxes; the check box the client frame.
    find<QRadioButton>(form, "OptSize2")->click();
    EXPECT_FALSE(find(form, "txtX")->isEnabled());
    EXPECT_FALSE(find(form, "txtHeight")->isEnabled());
    find<QCheckBox>(form, "chkClient")->click();
    EXPECT_TRUE(find<QGroupBox>(form, "fraClient")->isEnabled());

    // Closing without saving writes nothing.
    const QByteArray ini = testsupport::readAll(site.ini());
    find<QPushButton>(form, "Command2")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testsupport::readAll(site.ini()), ini);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(SettingsScreenTest, NumericBoxesTakeDigitsOnly)
{
    console::FrmClient form(*state);
    find<QRadioButton>(form, "OptSize1")->click(); // the position boxes take input
    for (const char *name : {"txtX", "txtY", "txtWidth", "txtHeight", "txtFontSize", "txtTimeFontSize", "txtGPWidth"}) {
        QLineEdit *box = find(form, name);
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1a2-.3"));
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), QStringLiteral("12")) << name;
    }
}

TEST_F(SettingsScreenTest, EmptyNumericBoxesAreSavedAsTheDefaults)
{
    console::FrmClient form(*state);
    QSignalSpy display(&form, &console::FrmClient::displaySaved);
    QSignalSpy mode(&form, &console::FrmClient::clientModeSaved);
    for (const char *name : {"txtFontSize", "txtTimeFontSize", "txtGPWidth"})
        find(form, name)->clear();
    find<QRadioButton>(form, "OptSize1")->click();
    find(form, "txtX")->setText("1500");
    find<QRadioButton>(form, "Option4")->click();
    find(form, "txtLogPath")->setText(site.home() + "/NEWLOG");
    find<QCheckBox>(form, "Check1")->setChecked(false);
    find<QPushButton>(form, "Command3")->click();

    EXPECT_EQ(boxes.texts(), (QStringList{AskSave, RestartNote}));
    EXPECT_EQ(site.iniValue("Chart", "FontSize"), QStringLiteral("9"));
    EXPECT_EQ(site.iniValue("TIME", "FontSize"), QStringLiteral("12"));
    EXPECT_EQ(site.iniValue("Chart", "GPWidth"), QStringLiteral("200"));
    ASSERT_EQ(display.size(), 1);
    EXPECT_EQ(display.at(0), (QList<QVariant>{9, 12, 200}));
    EXPECT_EQ(site.iniValue("Size", "Flg"), QStringLiteral("1"));
    EXPECT_EQ(site.iniValue("SIZE", "Left"), QStringLiteral("1500"));
    EXPECT_EQ(site.iniValue("Gamen", "ZFlg"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("LOG", "FLG"), QStringLiteral("1"));
    EXPECT_EQ(site.iniValue("LOG", "DIR"), site.home() + "/NEWLOG");
    EXPECT_EQ(site.iniValue("Load", "Flg"), QStringLiteral("0"));
    // A server stays a server.
    EXPECT_EQ(site.iniValue("CLIENT", "FLG"), QStringLiteral("0"));
    ASSERT_EQ(mode.size(), 1);
    EXPECT_FALSE(mode.at(0).at(0).toBool());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SettingsScreenTest, ClientWithoutADatabaseNameSavesEverythingElse)
{
    console::FrmClient form(*state);
    QSignalSpy mode(&form, &console::FrmClient::clientModeSaved);
    find<QCheckBox>(form, "chkClient")->click();
    find(form, "txtFontSize")->setText("14");
    find<QRadioButton>(form, "optZenMen1")->click();
    find<QPushButton>(form, "Command3")->click();

    EXPECT_EQ(boxes.texts(), (QStringList{AskSave, "サーバー側データベース名を指定して下さい。", RestartNote}));
    EXPECT_TRUE(boxes.shown.at(1).systemModal);
    EXPECT_TRUE(site.iniValue("CLIENT", "FLG").isEmpty());
    EXPECT_TRUE(site.iniValue("CLIENT", "DBNAME").isEmpty());
    EXPECT_EQ(site.iniValue("Chart", "FontSize"), QStringLiteral("14"));
    EXPECT_EQ(site.iniValue("Gamen", "ZFlg"), QStringLiteral("1"));
    EXPECT_EQ(site.iniValue("LOG", "FLG"), QStringLiteral("1"));
    EXPECT_FALSE(state->ClientMode);
    EXPECT_TRUE(mode.isEmpty());
}

TEST_F(SettingsScreenTest, SwitchingToClientAndBackKeepsTheServersName)
{
    RunnerSite server;
    const QString ownFolder = QDir::cleanPath(site.home() + "/SC_DataBase");
    {
        console::FrmClient form(*state);
        QSignalSpy mode(&form, &console::FrmClient::clientModeSaved);
        find<QCheckBox>(form, "chkClient")->click();
        find(form, "txtServerDBName")->setText(server.database());
        find<QPushButton>(form, "Command3")->click();
        EXPECT_EQ(site.iniValue("CLIENT", "FLG"), QStringLiteral("1"));
        EXPECT_EQ(site.iniValue("CLIENT", "DBNAME"), server.database());
        EXPECT_TRUE(state->ClientMode);
        EXPECT_EQ(state->databasePath(), server.database());
        EXPECT_EQ(QDir::cleanPath(state->databaseFolder()), QDir::cleanPath(server.home() + "/SC_DataBase"));
        ASSERT_EQ(mode.size(), 1);
        EXPECT_TRUE(mode.at(0).at(0).toBool());
    }
    console::FrmClient form(*state);
    EXPECT_TRUE(checked(form, "chkClient"));
    EXPECT_EQ(text(form, "txtServerDBName"), server.database());
    find<QCheckBox>(form, "chkClient")->click();
    find<QPushButton>(form, "Command3")->click();
    EXPECT_EQ(site.iniValue("CLIENT", "FLG"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("CLIENT", "DBNAME"), server.database());
    EXPECT_FALSE(state->ClientMode);
    EXPECT_EQ(QDir::cleanPath(state->databaseFolder()), ownFolder);
    // The connection of this run stays where it was opened.
    EXPECT_TRUE(state->database().isOpen());
}

TEST_F(SettingsScreenTest, NoToTheQuestionWritesNothing)
{
    console::FrmClient form(*state);
    form.show();
    const QByteArray ini = testsupport::readAll(site.ini());
    boxes.answers.enqueue(MessageAnswer::No);
    find<QPushButton>(form, "Command3")->click();
    EXPECT_EQ(testsupport::readAll(site.ini()), ini);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SettingsScreenTest, FolderAndFileChoosers)
{
    QDir(site.home()).mkpath("logs/today");
    console::FrmClient form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    find(form, "txtLogPath")->setText(site.logFolder());

    // Cancelled: the folder stays.
    whenModal([](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); }, &form);
    find<QPushButton>(form, "Command4")->click();
    EXPECT_EQ(text(form, "txtLogPath"), site.logFolder());

    QString title;
    whenModal(
        [&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            ASSERT_TRUE(dialog);
            title = dialog->windowTitle();
            EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
            dialog->setDirectory(site.home() + "/logs");
            dialog->selectFile("today");
            static_cast<QDialog *>(dialog)->accept();
        },
        &form);
    find<QPushButton>(form, "Command4")->click();
    EXPECT_EQ(title, QStringLiteral("フォルダを指定してください"));
    EXPECT_EQ(QDir::cleanPath(text(form, "txtLogPath")), QDir::cleanPath(site.home() + "/logs/today"));

    // The server's database file; cancelling keeps the box.
    find<QCheckBox>(form, "chkClient")->click();
    whenModal([](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); }, &form);
    find<QPushButton>(form, "Command1")->click();
    EXPECT_TRUE(text(form, "txtServerDBName").isEmpty());
    whenModal(
        [&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            ASSERT_TRUE(dialog);
            dialog->selectFile(site.database());
            static_cast<QDialog *>(dialog)->accept();
        },
        &form);
    find<QPushButton>(form, "Command1")->click();
    EXPECT_EQ(QDir::cleanPath(text(form, "txtServerDBName")), QDir::cleanPath(site.database()));
}

TEST_F(SettingsScreenTest, SecondCopyPathIsStoredAsTyped)
{
    site.setIni("DB2", "NAME", "/mnt/backup/SC_DataBase/Sch.accdb");
    {
        console::Frm2J form(*state);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_EQ(text(form, "txt2DBName"), QStringLiteral("/mnt/backup/SC_DataBase/Sch.accdb"));
        screenshot(form, QStringLiteral("frm2J"));

        // No: nothing written, the screen closes all the same.
        boxes.answers.enqueue(MessageAnswer::No);
        find(form, "txt2DBName")->setText("/elsewhere/Sch.accdb");
        find<QPushButton>(form, "cmdTouroku")->click();
        EXPECT_EQ(boxes.texts(), QStringList{"上内容を登録します よろしいですか？"});
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(site.iniValue("DB2", "NAME"), QStringLiteral("/mnt/backup/SC_DataBase/Sch.accdb"));
    }
    {
        // The file chooser starts on "Sch.accdb" and fills the box.
        console::Frm2J form(*state);
        form.show();
        QString proposed;
        whenModal(
            [&](QWidget *w) {
                auto *dialog = qobject_cast<QFileDialog *>(w);
                ASSERT_TRUE(dialog);
                proposed = dialog->selectedFiles().value(0);
                dialog->selectFile(site.home() + "/copy/Sch.accdb");
                static_cast<QDialog *>(dialog)->accept();
            },
            &form);
        find<QPushButton>(form, "Command1")->click();
        EXPECT_TRUE(proposed.endsWith(QStringLiteral("Sch.accdb"))) << proposed.toStdString();
        EXPECT_EQ(QDir::cleanPath(text(form, "txt2DBName")), QDir::cleanPath(site.home() + "/copy/Sch.accdb"));
        find<QPushButton>(form, "cmdEnd")->click();
        EXPECT_EQ(site.iniValue("DB2", "NAME"), QStringLiteral("/mnt/backup/SC_DataBase/Sch.accdb"));
    }
    // An empty path turns the second copy off.
    console::Frm2J form(*state);
    find(form, "txt2DBName")->clear();
    find<QPushButton>(form, "cmdTouroku")->click();
    EXPECT_TRUE(site.iniValue("DB2", "NAME").isEmpty());
    EXPECT_TRUE(QString::fromUtf8(testsupport::readAll(site.ini())).contains("NAME="));
}

} // namespace
