// The maintenance hand-over through CmdPass and the MENTE flags, the minute
// tick's reload, the daily reset, the command item and the close.
#include "consolefixture.h"

#include "calendar/datefold.h"
#include "calendar/oledate.h"
#include "chart/chartmodel.h"
#include "clock/tickface.h"
#include "console/maintenance/passwordfile.h"
#include "platform/commandchannel.h"
#include "store/database.h"
#include "store/sitepaths.h"
#include "store/tracelog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <chrono>
#include <future>

namespace {

const QDate Day(2026, 12, 8);
const QString Busy = QStringLiteral("他のユーザが操作中です。しばらく待ってから再度実行して下さい。");

// Pokes the console's command item from another thread while this one serves it.
bool pokeConsole(const QString &text)
{
    auto future = std::async(std::launch::async, [text] {
        return platform::channel::poke(QStringLiteral("Planboard"), QStringLiteral("frmCal"),
                                       QStringLiteral("DDELabel"), text);
    });
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QApplication::processEvents();
    QApplication::processEvents();
    return future.get();
}

} // namespace

TEST_F(ConsoleTest, ServerEntersAndLeavesWithFlagsAndRecords)
{
    site.setIni("MENTE", "S-LOAD", QStringLiteral("1"));
    start();
    enterMaintenance();
    ASSERT_TRUE(form->maintenanceMode());
    EXPECT_TRUE(state->LoginOK);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("1"));
    EXPECT_EQ(site.iniValue("MENTE", "S-LOAD"), QStringLiteral("0"));
    EXPECT_TRUE(form->logOnToggle());
    leaveMaintenance();
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("MENTE", "S-LOAD"), QStringLiteral("1"));
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("1"));
    EXPECT_TRUE(site.iniValue("MENTE", "C-LOAD").isEmpty());
    EXPECT_EQ(site.opLog(Day), (QStringList{"サーバー設定|||スケジュール(設定開始)",
                                            "サーバー設定|||スケジュール(設定終了)"}));
    EXPECT_TRUE(form->maintenanceDone());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ConsoleTest, ClientWritesTheServersFlags)
{
    RunnerSite server;
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    site.setIni("CLIENT", "DBNAME", server.database());
    server.addGroup(1, QStringLiteral("サーバーの群"), true);
    start();
    EXPECT_EQ(form->chartModel(1).GetItemName(0), QStringLiteral("サーバーの群"));
    enterMaintenance();
    ASSERT_TRUE(form->maintenanceMode());
    EXPECT_EQ(server.iniValue("MENTE", "FLG"), QStringLiteral("1"));
    EXPECT_EQ(server.iniValue("MENTE", "C-LOAD"), QStringLiteral("0"));
    EXPECT_TRUE(site.iniValue("MENTE", "FLG").isEmpty());
    leaveMaintenance();
    EXPECT_EQ(server.iniValue("MENTE", "FLG"), QStringLiteral("0"));
    EXPECT_EQ(server.iniValue("MENTE", "C-LOAD"), QStringLiteral("1"));
    EXPECT_EQ(server.iniValue("MENTE", "J-LOAD"), QStringLiteral("1"));
    // The log is the client's own (LOG DIR of its local Sch.ini).
    EXPECT_EQ(site.opLog(Day), (QStringList{"クライアント設定|||スケジュール(設定開始)",
                                            "クライアント設定|||スケジュール(設定終了)"}));
}

TEST_F(ConsoleTest, ABusyFlagRefusesBeforeTheLogOn)
{
    site.setIni("MENTE", "FLG", QStringLiteral("1"));
    start();
    form->CmdPass_MouseUp(Qt::NoModifier); // no dialog may open
    EXPECT_FALSE(form->maintenanceMode());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, Busy);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("確認"));
    EXPECT_EQ(boxes.shown[0].buttons, console::MessageButtons::Ok);
    EXPECT_TRUE(boxes.shown[0].systemModal);
    EXPECT_TRUE(site.opLog(Day).isEmpty());
}

TEST_F(ConsoleTest, OnlyOneOfTwoConsolesGetsIn)
{
    start();
    // Another console sets FLG while this operator types the password.
    answerNextDialog([this](QDialog *d) {
        site.setIni("MENTE", "FLG", QStringLiteral("1"));
        d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_FALSE(form->logOnToggle());
    EXPECT_EQ(boxes.lastText(), Busy);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("1"));
    EXPECT_TRUE(site.opLog(Day).isEmpty());
}

TEST_F(ConsoleTest, AWrongPasswordOrACancelEntersNothing)
{
    ASSERT_EQ(console::passwordfile::write(site.home() + "/SC_DataBase/schedule.txt", QStringLiteral("secret")),
              console::passwordfile::WriteResult::Written);
    start();
    answerNextDialog([](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(QStringLiteral("guess"));
        d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        // The dialog stays after the refusal; the operator gives up.
        d->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
    });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_FALSE(form->maintenanceDone());
    EXPECT_EQ(boxes.lastText(), QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"));
    EXPECT_TRUE(site.iniValue("MENTE", "FLG").isEmpty());

    answerNextDialog([](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(QStringLiteral("secret"));
        d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_TRUE(form->maintenanceMode());

    // Leaving asks on the leaving face; its cancel keeps the mode.
    answerNextDialog([](QDialog *d) {
        EXPECT_TRUE(d->findChild<QWidget *>(QStringLiteral("Picture1"))->isHidden());
        d->findChild<QPushButton *>(QStringLiteral("EditCanCmd"))->click();
    });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_TRUE(form->maintenanceMode());
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("1"));

    // Closing the dialog by its window is no log-on, though the last one succeeded.
    answerNextDialog([](QDialog *d) { d->reject(); });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_TRUE(form->maintenanceMode());
}

TEST_F(ConsoleTest, ShiftChangesThePasswordCtrlClearsTheFlag)
{
    site.setIni("MENTE", "FLG", QStringLiteral("1"));
    start();
    answerNextDialog([](QDialog *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("frmPass"));
        d->findChild<QLineEdit *>(QStringLiteral("pass_text_0"))->setText(QStringLiteral("neu"));
        d->findChild<QLineEdit *>(QStringLiteral("pass_text_1"))->setText(QStringLiteral("neu"));
        d->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    // A real Shift-click on the button.
    QTest::mouseClick(find<QPushButton>("CmdPass"), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(console::passwordfile::read(site.home() + "/SC_DataBase/schedule.txt"), QStringLiteral("neu"));
    EXPECT_FALSE(form->maintenanceMode());

    boxes.answers.enqueue(console::MessageAnswer::No);
    QTest::mouseClick(find<QPushButton>("CmdPass"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("設定中フラグをクリアします。よろしいですか？"));
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("1"));
    QTest::mouseClick(find<QPushButton>("CmdPass"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("0"));
    EXPECT_FALSE(form->maintenanceMode());
}

TEST_F(ConsoleTest, MinuteTickReloadsOnTheOtherSidesFlag)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    start();
    EXPECT_EQ(form->chartModel(1).GetPieceCount(0), 0);
    // A client finished its visit and added a reservation meanwhile.
    site.addToday(1, QTime(13, 0), QTime(14, 0));
    site.setIni("MENTE", "C-LOAD", QStringLiteral("1"));
    find<QRadioButton>("Option1_1")->click();
    EXPECT_EQ(form->calendarDate(), Day.addDays(1));
    setNow(QTime(10, 31));
    form->Timer2_Timer();
    EXPECT_EQ(site.iniValue("MENTE", "C-LOAD"), QStringLiteral("0"));
    EXPECT_EQ(form->chartModel(0).GetPieceCount(0), 1);
    EXPECT_EQ(form->chartModel(1).GetPieceCount(0), 1);
    EXPECT_TRUE(find<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(form->calendarDate(), Day);
    EXPECT_EQ(site.opLog(Day), (QStringList{"サーバー設定更新|||スケジュール(完了)"}));
    EXPECT_GT(form->minuteTimer()->remainingTime(), 55000);

    // The server's own flag is not its business; nor is any flag in the maintenance mode.
    site.setIni("MENTE", "S-LOAD", QStringLiteral("1"));
    form->Timer2_Timer();
    EXPECT_EQ(site.iniValue("MENTE", "S-LOAD"), QStringLiteral("1"));
    enterMaintenance();
    site.setIni("MENTE", "C-LOAD", QStringLiteral("1"));
    form->Timer2_Timer();
    EXPECT_EQ(site.iniValue("MENTE", "C-LOAD"), QStringLiteral("1"));
}

TEST_F(ConsoleTest, TheDailyResetStartsTheNewDay)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    start();
    enterMaintenance();
    site.setIni("MENTE", "C-LOAD", QStringLiteral("1"));
    site.setIni("MENTE", "S-LOAD", QStringLiteral("1"));
    site.setIni("MENTE", "J-LOAD", QStringLiteral("1"));
    // Tickface2's alarm at 00:00:03 of the next day.
    setNow(QTime(0, 0, 3), Day.addDays(1));
    find<Tickface>("Tickface2")->tick();
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_FALSE(form->logOnToggle());
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("MENTE", "C-LOAD"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("MENTE", "S-LOAD"), QStringLiteral("0"));
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("1")); // the runner's
    EXPECT_EQ(form->chartDate(0), Day.addDays(1));
    EXPECT_EQ(form->calendarDate(), Day.addDays(1));
    EXPECT_EQ(find<QRadioButton>("Option1_0")->text(), QStringLiteral("本日12月9日"));
    EXPECT_EQ(find<QRadioButton>("Option1_1")->text(), QStringLiteral("翌日12月10日"));
    // The next log-on enters again.
    enterMaintenance();
    EXPECT_TRUE(form->maintenanceMode());
}

// The runner's day change held up past the daily reset (a locked database):
// the reset loaded yesterday's today; the roll, once made, shows at the next
// minute tick.  Changes without a roll wait for their hand-over flag as before.
TEST_F(ConsoleTest, ADayRollAfterTheDailyResetReloadsTheCharts)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    site.addNextday(1, QTime(13, 0), QTime(14, 0));
    site.addNextday(1, QTime(15, 0), QTime(16, 0));
    ASSERT_TRUE(site.exec(QStringLiteral("PRAGMA user_version = 20261208")));
    start();
    setNow(QTime(0, 0, 3), Day.addDays(1));
    find<Tickface>("Tickface2")->tick();
    ASSERT_EQ(form->chartDate(0), Day.addDays(1));
    EXPECT_EQ(form->chartModel(0).GetPieceCount(0), 1); // not rolled yet

    setNow(QTime(0, 1, 0), Day.addDays(1));
    form->Timer2_Timer();
    EXPECT_EQ(form->chartModel(0).GetPieceCount(0), 1);

    // The roll as the runner makes it: tables and record in one transaction.
    for (const char *statement : {"BEGIN", "DELETE FROM TodayTable", "INSERT INTO TodayTable SELECT * FROM NextdayTable",
                                  "DELETE FROM NextdayTable", "PRAGMA user_version = 20261209", "COMMIT"})
        ASSERT_TRUE(site.exec(QLatin1String(statement))) << statement;
    setNow(QTime(0, 2, 0), Day.addDays(1));
    form->Timer2_Timer();
    EXPECT_EQ(form->chartModel(0).GetPieceCount(0), 2);
    EXPECT_EQ(form->chartDate(0), Day.addDays(1));

    site.addToday(1, QTime(20, 0), QTime(21, 0));
    setNow(QTime(0, 3, 0), Day.addDays(1));
    form->Timer2_Timer();
    EXPECT_EQ(form->chartModel(0).GetPieceCount(0), 2);
}

TEST_F(ConsoleTest, CommandItemEndsOnlyOn999)
{
    site.setIni("MENTE", "FLG", QStringLiteral("1"));
    start();
    QSignalSpy quit(form.get(), &console::FrmCal::quitRequested);
    ASSERT_TRUE(pokeConsole(QStringLiteral("1")));
    EXPECT_EQ(quit.count(), 0);
    ASSERT_TRUE(pokeConsole(QStringLiteral("abc")));
    EXPECT_EQ(quit.count(), 0);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("1"));
    ASSERT_TRUE(pokeConsole(QStringLiteral("999")));
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(site.iniValue("MENTE", "FLG"), QStringLiteral("0"));
    EXPECT_EQ(find<QLabel>("DDELabel")->text(), QStringLiteral("999"));
}

TEST_F(ConsoleTest, CloseTakesTheCopiesOnlyAfterAMaintenanceVisit)
{
    start();
    QSignalSpy quit(form.get(), &console::FrmCal::quitRequested);
    find<QPushButton>("CloseCommand")->click();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_FALSE(QFile::exists(store::paths::backupPath(site.home())));
}

TEST_F(ConsoleTest, CloseAfterAVisitCopiesTheDatabaseAndItsFiles)
{
    QTemporaryDir second;
    const QString target = second.path() + QStringLiteral("/SC_DataBase/Sch.accdb");
    QDir(second.path()).mkpath(QStringLiteral("SC_DataBase"));
    site.setIni("DB2", "NAME", target);
    site.addGroup(7, QStringLiteral("写しの群"), true);
    site.writeDayMemos({{Day.addDays(3), QStringLiteral("特日１")}});
    start();
    enterMaintenance();
    leaveMaintenance();
    QSignalSpy quit(form.get(), &console::FrmCal::quitRequested);
    find<QPushButton>("CloseCommand")->click();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_TRUE(store::Database::isSqliteFile(store::paths::backupPath(site.home())));
    EXPECT_TRUE(store::Database::isSqliteFile(target));
    store::Database copy(target);
    ASSERT_TRUE(copy.open());
    EXPECT_EQ(copy.scalar(QStringLiteral("SELECT GPname FROM GroupMaster")).toString(), QStringLiteral("写しの群"));
    EXPECT_TRUE(QFile::exists(second.path() + QStringLiteral("/SC_DataBase/dayinfor.csv")));
    // No password was ever set: nothing to copy, and no error for it.
    EXPECT_FALSE(QFile::exists(second.path() + QStringLiteral("/SC_DataBase/schedule.txt")));
    EXPECT_FALSE(QFile::exists(site.traceFile(Day)));
}

TEST_F(ConsoleTest, CloseNeverCreatesTheSecondFolder)
{
    QTemporaryDir second;
    const QString missing = second.path() + QStringLiteral("/absent/Sch.accdb");
    site.setIni("DB2", "NAME", missing);
    start();
    enterMaintenance();
    leaveMaintenance();
    find<QPushButton>("CloseCommand")->click();
    EXPECT_TRUE(QFile::exists(store::paths::backupPath(site.home())));
    EXPECT_FALSE(QDir(second.path() + QStringLiteral("/absent")).exists());
    const QStringList trace = RunnerSite::lines(site.traceFile(Day));
    ASSERT_FALSE(trace.isEmpty());
    EXPECT_TRUE(trace.join('\n').contains(QStringLiteral("absent"))) << trace.join('\n').toStdString();
}

TEST_F(ConsoleTest, AMissingDatabaseStopsTheStartUpWithItsMessage)
{
    ASSERT_TRUE(QFile::remove(site.database()));
    start();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("実行できません！ ｴﾗｰ番号  3024Planboard")))
        << boxes.shown[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(site.database())); // never created
    // The form opens in the view mode's layout: no maintenance function
    // (editing, manual output, runner control) is open without a log-on.
    for (const char *frame : {"h_btm_Pic", "Picture1", "DrivePicture", "onoffPicture"})
        EXPECT_FALSE(find<QWidget>(frame)->isEnabled()) << frame;
    for (const char *button : {"cmdSyuRun", "cmdSyuEnd", "CmdMenu2"})
        EXPECT_FALSE(find<QWidget>(button)->isVisible()) << button;
    EXPECT_EQ(find<QPushButton>("CmdPass")->text(), QStringLiteral("設　　定"));
}

TEST_F(ConsoleTest, ADatabaseThatIsNoSqliteFileStopsTheStartUpWithItsMessage)
{
    QFile db(site.database());
    ASSERT_TRUE(db.open(QIODevice::WriteOnly | QIODevice::Truncate));
    db.write("Standard ACE DB\0\0\0 an Access file", 34);
    db.close();
    start();
    ASSERT_EQ(boxes.shown.size(), 1);
    const QString text = boxes.shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("実行できません！ ｴﾗｰ番号  3343Planboard でｴﾗｰが発生しました。\r")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Upgrader")));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("確認"));
    EXPECT_FALSE(form->minuteTimer()->isActive());
    // The command item still answers, so Starter 999 ends this console too.
    QSignalSpy quit(form.get(), &console::FrmCal::quitRequested);
    ASSERT_TRUE(pokeConsole(QStringLiteral("999")));
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(ConsoleTest, AHiddenConsoleComesForwardThroughItsChannel)
{
    start(false); // as started with "1"
    ASSERT_FALSE(form->isVisible());
    auto future = std::async(std::launch::async, [] {
        return platform::channel::activate(QStringLiteral("Planboard"), QStringLiteral("frmCal"));
    });
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QApplication::processEvents();
    ASSERT_TRUE(future.get());
    EXPECT_TRUE(waitFor([this] { return form->isVisible(); }, 2000));
}

TEST_F(ConsoleTest, FrontMostWindowStepsBackForDialogs)
{
    site.setIni("Gamen", "ZFlg", QStringLiteral("1"));
    start();
    form->Form_Activate();
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    answerNextDialog([this](QDialog *d) {
        EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
        d->reject();
    });
    form->CmdPass_MouseUp(Qt::NoModifier);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ConsoleTest, TheCalendarKnowsTheLaterHolidayLaws)
{
    start();
    const calendar::DatefoldModel &cal = find<Datefold>("Datefold1")->model();
    EXPECT_EQ(cal.GetHolidayName(calendar::toOleDate(QDate(2016, 8, 11))), QStringLiteral("山の日"));
    EXPECT_TRUE(cal.IsHoliday(calendar::toOleDate(QDate(2021, 7, 22))));  // 海の日, moved
    EXPECT_FALSE(cal.IsHoliday(calendar::toOleDate(QDate(2021, 7, 19))));
    EXPECT_FALSE(cal.IsHoliday(calendar::toOleDate(QDate(2019, 12, 23)))); // no 天皇誕生日 there
    EXPECT_TRUE(cal.IsHoliday(calendar::toOleDate(QDate(2020, 2, 23))));
}
