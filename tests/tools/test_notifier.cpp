#include "tools/Notifier/notifierwindow.h"

#include "platform/singleinstance.h"
#include "testsupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

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
    // The second arrives only once the first holds its lock (the lock file
    // names the holder's process id on its first line).
    const QByteArray savedHome = qgetenv("SCH_HOME");
    qputenv("SCH_HOME", home.path().toUtf8());
    const QString lockPath = platform::SingleInstance::lockPathFor(QStringLiteral("Notifier"));
    qputenv("SCH_HOME", savedHome);
    const QByteArray firstPid = QByteArray::number(first.processId());
    bool locked = false;
    for (int i = 0; i < 500 && !locked; ++i) {
        QFile lock(lockPath);
        locked = lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed() == firstPid;
        if (!locked)
            QThread::msleep(20);
    }
    ASSERT_TRUE(locked) << lockPath.toStdString();

    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(program, {QStringLiteral("second")});
    ASSERT_TRUE(probe.waitForStarted(5000));
    EXPECT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}
