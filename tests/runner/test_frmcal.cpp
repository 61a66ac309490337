#include "runner/frmcal.h"
#include "runnersite.h"

#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "platform/commandchannel.h"
#include "store/logging.h"
#include "store/oplog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

bool poke(const QString &text)
{
    auto future = std::async(std::launch::async, [text] {
        return platform::channel::poke(QStringLiteral("Schedule"), QStringLiteral("frmCal"),
                                       QStringLiteral("txtDDE"), text);
    });
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QApplication::processEvents();
    QApplication::processEvents();
    return future.get();
}

class FrmCalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent();
        site.setIni("Load", "Flg", QStringLiteral("1"));
        site.addGroup(1, QStringLiteral("A棟"), true);
        site.addGroup(2, QStringLiteral("B棟"), false);
        site.addToday(1, QTime(8, 0), QTime(9, 30));
        site.addToday(1, QTime(13, 0), QTime(17, 0));
        site.addToday(2, QTime(10, 0), QTime(12, 0));
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0, 45)));
    }
    void TearDown() override
    {
        store::configureLogs(store::OpLog());
        platform::clock::useSystemClock();
        qunsetenv("SCH_HOME");
    }
    RunnerSite site;
};

} // namespace

TEST_F(FrmCalTest, HiddenWithoutArgumentShownAndSentBackByCommand)
{
    runner::FrmCal form;
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Schedule"));
    EXPECT_TRUE(form.isHidden());
    // Started at 10:00:45: the first tick 15 seconds later.
    EXPECT_NEAR(form.minuteTimer()->remainingTime(), 15000, 50);
    EXPECT_EQ(form.chartModel().GetItemCount(), 2);

    auto *txtDDE = form.findChild<QLineEdit *>(QStringLiteral("txtDDE"));
    auto *command2 = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    auto *check1 = form.findChild<QCheckBox *>(QStringLiteral("Check1"));
    ASSERT_TRUE(txtDDE && command2 && check1);
    EXPECT_EQ(command2->text(), QStringLiteral("ﾊﾞｯｸｸﾞﾗｳﾝﾄﾞへ"));
    EXPECT_EQ(check1->text(), QStringLiteral("タスクバーへ表示"));

    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isVisible());
    if (const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR"); !dir.isEmpty())
        form.grab().save(dir + QStringLiteral("/frmcal.png"));

    // Hidden by other means, the same text again is no command.
    form.hide();
    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isHidden());

    // "ﾊﾞｯｸｸﾞﾗｳﾝﾄﾞへ" resets the text, so the next "1" shows the window again.
    form.show();
    command2->click();
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(txtDDE->text(), QStringLiteral("0"));
    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isVisible());

    // With "タスクバーへ表示" ticked the window is minimised instead.
    check1->setChecked(true);
    command2->click();
    EXPECT_TRUE(form.isMinimized());
}

TEST_F(FrmCalTest, VisibleWhenStartedWithAnArgument)
{
    runner::FrmCal form;
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule"), QStringLiteral("1")}));
    EXPECT_TRUE(form.isVisible());
}
