// The main screen's two layouts: every control by its name and caption, what
// each mode shows, hides, enables and disables, the window placement, and
// server and client mode.
#include "consolefixture.h"

#include "calendar/datefold.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "console/main/startupsettings.h"
#include "console/main/widgetcolours.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

using console::widgetcolour::backColor;
namespace colour = console::widgetcolour;

int formX(QWidget *w)
{
    return w->mapTo(w->window(), QPoint(0, 0)).x();
}

void addSampleDay(const RunnerSite &site)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addGroup(2, QStringLiteral("照明B"), false);
    site.addGroup(3, QStringLiteral("換気C"), true);
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    site.addToday(1, QTime(10, 0), QTime(11, 0));
    site.addToday(1, QTime(11, 0), QTime(12, 0));
    site.addToday(2, QTime(8, 0), QTime(17, 0));
    site.addNextday(1, QTime(13, 0), QTime(15, 0));
}

} // namespace

TEST_F(ConsoleTest, EveryControlCarriesItsNameAndCaption)
{
    start();
    const QList<std::pair<QString, QString>> buttons{
        {"CmdPass", "設　　定"},         {"CmdMenu1", "ﾏｽﾀ-ｽｹｼﾞｭｰﾙ"},      {"CmdMenu2", "特別日設定"},
        {"CmdMenu3", "グループ確認"},    {"cmdSyuRun", "ｽｹｼﾞｭｰﾙ管理 開始"}, {"cmdSyuEnd", "ｽｹｼﾞｭｰﾙ管理 終了"},
        {"CmdChenge", "予約を変更"},     {"CmdDelete", "予約を削除"},      {"CmdMovePiece_0", "<< BACK"},
        {"CmdMovePiece_1", "NEXT >>"},  {"CmdGoStop_0", "実行"},          {"CmdGoStop_1", "停止"},
        {"CmdYuko_0", "有効"},           {"CmdYuko_1", "無効"},            {"CloseCommand", "閉じる"},
        {"Command1", "今日"}};
    for (const auto &[name, caption] : buttons) {
        auto *b = find<QPushButton>(name);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), caption) << name.toStdString();
    }
    EXPECT_EQ(find<QPushButton>("Command2_0")->toolTip(), QStringLiteral("前月へ移動します。"));
    EXPECT_EQ(find<QPushButton>("Command2_1")->toolTip(), QStringLiteral("後月へ移動します。"));
    EXPECT_EQ(find<QPushButton>("CmdGoStop_0")->toolTip(), QStringLiteral("選択スケジュールを強制運転します。"));
    EXPECT_EQ(find<QPushButton>("CmdGoStop_1")->toolTip(), QStringLiteral("選択スケジュールを強制停止します。"));
    EXPECT_EQ(find<QRadioButton>("Option1_0")->text(), QStringLiteral("本日12月8日"));
    EXPECT_EQ(find<QRadioButton>("Option1_1")->text(), QStringLiteral("翌日12月9日"));
    EXPECT_EQ(find<QGroupBox>("DrivePicture")->title(), QStringLiteral("スケジュール運転"));
    EXPECT_EQ(find<QGroupBox>("onoffPicture")->title(), QStringLiteral("手動  操作"));
    EXPECT_EQ(find<QGroupBox>("OptionFrame")->title(), QStringLiteral("本日/翌日  切り替え"));
    const QStringList legends{"無効", "実行予定", "実行中", "実行済"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(find<QLabel>(QStringLiteral("lblLegend_%1").arg(i))->text(), legends[i]);
    for (const char *name : {"Ganttline1", "Ganttline2", "Datefold1", "Tickface1_0", "Tickface1_1", "Tickface2",
                             "Taglink1", "CalendarLabel", "KeyLabel_0", "KeyLabel_1", "DDELabel", "txtDDEPoke",
                             "Label1", "lblTime_0", "lblTime_1", "LblMovePiece", "Picture1", "h_btm_Pic", "Timer1",
                             "Timer2"})
        EXPECT_NE(form->findChild<QObject *>(QLatin1String(name)), nullptr) << name;
    for (const char *name : {"Ganttline1", "Ganttline2"})
        EXPECT_EQ(find<Ganttline>(QLatin1String(name))->model()->Caption(), QStringLiteral("グループ名称"));
    EXPECT_EQ(find<Datefold>("Datefold1")->MonthFormat(), QStringLiteral("M  月"));
    EXPECT_EQ(find<Datefold>("Datefold1")->YearFormat(), QStringLiteral("yyyy  年"));
}

// A console that has not yet been the active window (started hidden, or
// behind another window) shows no runner as running when none runs.
TEST_F(ConsoleTest, TheRunnersStateIsShownBeforeTheFirstActivation)
{
    start(false);
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("停止中"));
    EXPECT_EQ(backColor(find<QLabel>("KeyLabel_0")), colour::White);
}

TEST_F(ConsoleTest, ViewModeShowsTheCalendarsDateOnChartOne)
{
    addSampleDay(site);
    start();
    screenshot(form.get(), QStringLiteral("console-view"));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.lastText().toStdString();
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_EQ(find<QLabel>("CalendarLabel")->text(), QStringLiteral("2026 年 12 月 8日"));
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("停止中"));
    EXPECT_EQ(backColor(find<QLabel>("KeyLabel_0")), colour::White);
    EXPECT_EQ(backColor(find<QLabel>("KeyLabel_1")), colour::ButtonFace);
    EXPECT_EQ(find<QPushButton>("CmdPass")->text(), QStringLiteral("設　　定"));
    EXPECT_TRUE(find<QRadioButton>("Option1_0")->isChecked());

    // Ganttline2 at the display position (CalendarLabel's left edge), Ganttline1 parked out of sight.
    auto *g1 = find<Ganttline>("Ganttline1");
    auto *g2 = find<Ganttline>("Ganttline2");
    EXPECT_EQ(formX(g2), formX(find<QLabel>("CalendarLabel")));
    EXPECT_GE(g1->x(), g1->parentWidget()->width());
    EXPECT_FALSE(g1->isHidden()); // parked, not hidden: its clock runs
    EXPECT_EQ(form->shownDay(), 1);
    EXPECT_EQ(form->chartDate(0), QDate(2026, 12, 8));
    EXPECT_EQ(form->chartDate(1), QDate(2026, 12, 8));
    EXPECT_EQ(g1->model()->ActionStyle(), 0);
    EXPECT_EQ(g2->model()->ActionStyle(), 0);
    EXPECT_EQ(g2->model()->GetItemCount(), 3);

    for (const char *shown : {"Command1", "Command2_0", "Command2_1", "CmdMenu3", "CmdPass"})
        EXPECT_TRUE(find<QWidget>(QLatin1String(shown))->isVisible()) << shown;
    for (const char *hidden : {"CmdMenu2", "cmdSyuRun", "cmdSyuEnd"})
        EXPECT_FALSE(find<QWidget>(QLatin1String(hidden))->isVisible()) << hidden;
    EXPECT_TRUE(find<QWidget>("CloseCommand")->isVisible());
    for (const char *off : {"h_btm_Pic", "Picture1", "DrivePicture", "onoffPicture"})
        EXPECT_FALSE(find<QWidget>(QLatin1String(off))->isEnabled()) << off;
    EXPECT_TRUE(find<QWidget>("Datefold1")->isEnabled());
    EXPECT_FALSE(form->blinkTimer()->isActive());
    // The minute tick at the next full minute of the clock (frozen at 10:30:00).
    EXPECT_TRUE(form->minuteTimer()->isActive());
    EXPECT_GT(form->minuteTimer()->remainingTime(), 55000);
    EXPECT_LE(form->minuteTimer()->remainingTime(), 60000);
}

TEST_F(ConsoleTest, MaintenanceModeLayoutAndBlink)
{
    addSampleDay(site);
    start();
    enterMaintenance();
    ASSERT_TRUE(form->maintenanceMode());
    EXPECT_TRUE(state->MaintMode);
    EXPECT_EQ(find<QPushButton>("CmdPass")->text(), QStringLiteral("設定終了"));
    EXPECT_EQ(find<QPushButton>("CmdMenu3")->text(), QStringLiteral("ｸﾞﾙｰﾌﾟ＆ﾀｸﾞ設定"));
    for (const char *shown : {"CmdMenu2", "CmdMenu3", "cmdSyuRun", "cmdSyuEnd"})
        EXPECT_TRUE(find<QWidget>(QLatin1String(shown))->isVisible()) << shown;
    for (const char *hidden : {"Command1", "Command2_0", "Command2_1", "CloseCommand"})
        EXPECT_FALSE(find<QWidget>(QLatin1String(hidden))->isVisible()) << hidden;
    for (const char *on : {"h_btm_Pic", "Picture1", "DrivePicture"})
        EXPECT_TRUE(find<QWidget>(QLatin1String(on))->isEnabled()) << on;
    // The chosen first row (換気C) is valid: no manual operation.
    EXPECT_FALSE(find<QWidget>("onoffPicture")->isEnabled());
    // The calendar takes no clicks: chart 1 keeps tomorrow.
    EXPECT_FALSE(find<QWidget>("Datefold1")->isEnabled());

    auto *g1 = find<Ganttline>("Ganttline1");
    auto *g2 = find<Ganttline>("Ganttline2");
    EXPECT_EQ(formX(g1), formX(find<QLabel>("CalendarLabel")));
    EXPECT_GE(g2->x(), g2->parentWidget()->width());
    EXPECT_EQ(form->shownDay(), 0);
    EXPECT_EQ(g1->model()->ActionStyle(), 1);
    EXPECT_EQ(g2->model()->ActionStyle(), 1);

    // "設定中" blinks between red and the highlighted-text colour every 500 ms.
    auto *setting = find<QLabel>("KeyLabel_1");
    EXPECT_EQ(form->blinkTimer()->interval(), 500);
    EXPECT_TRUE(form->blinkTimer()->isActive());
    EXPECT_EQ(backColor(setting), colour::Red);
    form->Timer1_Timer();
    EXPECT_EQ(backColor(setting), colour::HighlightText);
    form->Timer1_Timer();
    EXPECT_EQ(backColor(setting), colour::Red);
    screenshot(form.get(), QStringLiteral("console-maintenance"));

    leaveMaintenance();
    EXPECT_FALSE(form->maintenanceMode());
    EXPECT_FALSE(form->blinkTimer()->isActive());
    EXPECT_EQ(backColor(setting), colour::ButtonFace);
    EXPECT_EQ(find<QPushButton>("CmdPass")->text(), QStringLiteral("設　　定"));
    EXPECT_EQ(find<QPushButton>("CmdMenu3")->text(), QStringLiteral("グループ確認"));
    EXPECT_EQ(formX(g2), formX(find<QLabel>("CalendarLabel")));
    EXPECT_EQ(g1->model()->ActionStyle(), 0);
    EXPECT_TRUE(find<QWidget>("Datefold1")->isEnabled());
    EXPECT_TRUE(find<QWidget>("CloseCommand")->isVisible());
    for (const char *off : {"h_btm_Pic", "Picture1", "DrivePicture", "onoffPicture"})
        EXPECT_FALSE(find<QWidget>(QLatin1String(off))->isEnabled()) << off;
}

TEST_F(ConsoleTest, ClientModeMarksItselfAndKeepsTheMark)
{
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    start();
    EXPECT_TRUE(state->ClientMode);
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("クライアント"));
    EXPECT_EQ(find<QPushButton>("CloseCommand")->text(), QStringLiteral("終了"));
    form->Form_Activate();
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("クライアント"));
}

TEST_F(ConsoleTest, CloseButtonFollowsEndBtnDisp)
{
    site.setIni("EndBtn", "DISP", QStringLiteral("1"));
    start();
    EXPECT_FALSE(find<QWidget>("CloseCommand")->isVisible());
    enterMaintenance();
    leaveMaintenance();
    EXPECT_FALSE(find<QWidget>("CloseCommand")->isVisible());
}

TEST_F(ConsoleTest, WindowPlacementInTwips)
{
    site.setIni("Size", "Flg", QStringLiteral("1"));
    site.setIni("SIZE", "Left", QStringLiteral("1500"));
    site.setIni("SIZE", "Top", QStringLiteral("750"));
    site.setIni("SIZE", "Width", QStringLiteral("15360"));
    site.setIni("SIZE", "Height", QStringLiteral("11520"));
    start(false);
    EXPECT_EQ(form->pos(), QPoint(100, 50));
    EXPECT_EQ(form->size(), QSize(1024, 768));
    // The layout fits a 1024 × 768 screen in both modes, frame included.
    form->show();
    form->Form_Activate();
    EXPECT_EQ(form->frameGeometry().size(), QSize(1024, 768));
    screenshot(form.get(), QStringLiteral("console-1024x768"));
    enterMaintenance();
    QApplication::processEvents();
    EXPECT_EQ(form->frameGeometry().size(), QSize(1024, 768));
    screenshot(form.get(), QStringLiteral("console-1024x768-maintenance"));
}

// The settings' window size is the whole window's: a console as large as the
// screen keeps its frame, and so its bottom row of buttons, on the screen.
TEST_F(ConsoleTest, TheWindowSizeOfTheSettingsIncludesTheFrame)
{
    site.setIni("Size", "Flg", QStringLiteral("1"));
    site.setIni("Size", "Left", QStringLiteral("150"));
    site.setIni("Size", "Top", QStringLiteral("0"));
    site.setIni("Size", "Width", QString::number(1200 * 15));
    site.setIni("Size", "Height", QString::number(900 * 15));
    start(false);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_NE(form->frameGeometry(), form->geometry());
    EXPECT_EQ(form->frameGeometry(), QRect(10, 0, 1200, 900));
}

TEST(StartupSettings, PlacementRules)
{
    const QSize screen(1920, 1080);
    console::StartupSettings s;
    // Flg "0": the whole screen whatever the other keys say.
    s.sizeFlag = QStringLiteral("0");
    s.left = QStringLiteral("150");
    s.width = QStringLiteral("1500");
    EXPECT_EQ(s.placement(screen), QRect(0, 0, 1920, 1080));
    // Flg "1" with an empty width: the screen's width; non-numeric left: 0.
    s.sizeFlag = QStringLiteral("1");
    s.left = QStringLiteral("x");
    s.top = QStringLiteral("300");
    s.width.clear();
    s.height = QStringLiteral("9000");
    EXPECT_EQ(s.placement(screen), QRect(0, 20, 1920, 600));
    // An empty Flg is not "0"; values beyond 16 bits are held at its limit.
    s.sizeFlag.clear();
    s.left = QStringLiteral("99999");
    EXPECT_EQ(s.placement(screen).left(), 2184);
    EXPECT_EQ(console::twipsToPixels(22), 1);
    EXPECT_EQ(console::twipsToPixels(-30), -2);
}
