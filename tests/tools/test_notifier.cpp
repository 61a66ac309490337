#include "tools/Notifier/notifierwindow.h"

#include "testsupport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Notifier, ShowsTheMessageFrontMostAndCentred)
{
    const QString message = NotifierWindow::messageFromArguments(
        {QStringLiteral("スケジュールエラーｴﾗｰ番号"), QStringLiteral("3 でｴﾗｰが発生しました。\r説明")});
    NotifierWindow window(message);
    window.show();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("確認"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto *label = window.findChild<QLabel *>(QStringLiteral("lblMsg"));
    ASSERT_NE(label, nullptr);
    // Arguments are joined by a blank; a carriage return starts a second line.
    EXPECT_EQ(label->text(), QStringLiteral("スケジュールエラーｴﾗｰ番号 3 でｴﾗｰが発生しました。\n説明"));
    EXPECT_EQ(NotifierWindow::displayText(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(window.x() + window.width() / 2, screen.center().x(), 2);
    EXPECT_NEAR(window.y() + window.height() / 2, screen.center().y(), 2);

    // SCH_SCREENSHOT_DIR keeps a picture of the window for a look by eye.
    if (const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR"); !dir.isEmpty())
        window.grab().save(dir + QStringLiteral("/notifier.png"));

    auto *ok = window.findChild<QPushButton *>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    ok->click();
    EXPECT_EQ(window.result(), int(QDialog::Accepted));
    EXPECT_TRUE(window.isHidden());
}

TEST(Notifier, ASecondMessageWhileOneIsShownIsDropped)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString program = testsupport::binDir() + QStringLiteral("/Notifier");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {QStringLiteral("first")});
    ASSERT_TRUE(first.waitForStarted(5000));
    // Give the first time to take its lock before the second arrives: a probe
    // that is still running after a few seconds came before the lock (or the
    // machine is slow) and is tried again.
    QProcess probe;
    for (int i = 0; i < 10; ++i) {
        probe.setProcessEnvironment(env);
        probe.start(program, {QStringLiteral("second")});
        ASSERT_TRUE(probe.waitForStarted(5000));
        if (probe.waitForFinished(3000))
            break;
        probe.kill();
        probe.waitForFinished();
    }
    EXPECT_EQ(probe.state(), QProcess::NotRunning);
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}
