// Runner control from the main screen (against a stand-in runner that serves
// the runner's command channel), a group's valid flag, and the manual output.
#include "consolefixture.h"

#include "chart/chartmodel.h"
#include "console/main/piececolours.h"
#include "console/main/widgetcolours.h"
#include "platform/commandserver.h"
#include "store/database.h"
#include "switching/outputqueue.h"

#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QThread>

namespace {

const QDate Day(2026, 12, 8);
const QString ClientRefusal = QStringLiteral("クライアントでは操作出来ません。");

// A runner's command channel "schedule|frmCal" served from a thread of its
// own (the console's requests block its own thread), recording what it gets.
// A null text serves the channel without the item txtDDE: it refuses pokes.
class StandInRunner
{
public:
    explicit StandInRunner(const QString &text)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context,
            [this, text] {
                m_server = new platform::CommandServer(QStringLiteral("schedule"), QStringLiteral("frmCal"));
                if (!text.isNull())
                    m_server->addItem(QStringLiteral("txtDDE"), text);
                QObject::connect(m_server, &platform::CommandServer::itemChanged, &m_context,
                                 [this](const QString &, const QString &t) {
                                     QMutexLocker lock(&m_mutex);
                                     m_pokes << t;
                                 });
                QObject::connect(m_server, &platform::CommandServer::activateRequested, &m_context, [this] {
                    QMutexLocker lock(&m_mutex);
                    ++m_activations;
                });
                m_listening = m_server->listen();
            },
            Qt::BlockingQueuedConnection);
    }
    ~StandInRunner()
    {
        QMetaObject::invokeMethod(&m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    bool isListening() const { return m_listening; }
    // Keeps the runner's thread busy (a long database wait, a backup).
    void holdFor(int msecs)
    {
        QMetaObject::invokeMethod(&m_context, [msecs] { QThread::msleep(msecs); });
    }
    QStringList pokes() const
    {
        QMutexLocker lock(&m_mutex);
        return m_pokes;
    }
    int activations() const
    {
        QMutexLocker lock(&m_mutex);
        return m_activations;
    }

private:
    QThread m_thread;
    QObject m_context;
    platform::CommandServer *m_server = nullptr;
    mutable QMutex m_mutex;
    QStringList m_pokes;
    int m_activations = 0;
    bool m_listening = false;
};

class RunnerControlTest : public ConsoleTest
{
protected:
    void startWithStarter()
    {
        start();
        form->setProgramStarter([this](const QString &program, const QStringList &args) {
            started << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            return true;
        });
    }
    QStringList started;
};

} // namespace

TEST_F(RunnerControlTest, AClientRefusesAllThree)
{
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    startWithStarter();
    form->cmdSyuRun_Click();
    form->cmdSyuEnd_Click();
    form->CmdGoStop_Click(0);
    EXPECT_EQ(boxes.texts(), (QStringList{ClientRefusal, ClientRefusal, ClientRefusal}));
    EXPECT_TRUE(boxes.shown[2].systemModal);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(RunnerControlTest, StartReadsTheClientFlagAgain)
{
    startWithStarter();
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    form->cmdSyuRun_Click();
    EXPECT_EQ(boxes.texts(), (QStringList{ClientRefusal}));
    // A text that is no number keeps the mode it had.
    site.setIni("CLIENT", "FLG", QStringLiteral("x"));
    form->cmdSyuRun_Click();
    EXPECT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(state->ClientMode);
}

TEST_F(RunnerControlTest, WithoutARunnerStartAsksAndStartsScheduleWithOne)
{
    startWithStarter();
    boxes.answers.enqueue(console::MessageAnswer::No);
    form->cmdSyuRun_Click();
    EXPECT_EQ(boxes.lastText(), QStringLiteral("スケジュール管理処理を実行します。 よろしいですか？"));
    EXPECT_EQ(boxes.shown.last().buttons, console::MessageButtons::YesNo);
    EXPECT_TRUE(started.isEmpty());
    form->cmdSyuRun_Click();
    EXPECT_EQ(started, (QStringList{"Schedule 1"}));

    // Stopping a runner that does not run: the message, nothing sent.
    form->cmdSyuEnd_Click();
    EXPECT_EQ(boxes.lastText(), QStringLiteral("スケジュール管理処理は停止しています。"));
    EXPECT_EQ(boxes.shown.last().buttons, console::MessageButtons::Ok);
}

TEST_F(RunnerControlTest, ARunningRunnerIsShownNotStartedAgain)
{
    startWithStarter();
    {
        StandInRunner runner(QStringLiteral("0"));
        ASSERT_TRUE(runner.isListening());
        form->cmdSyuRun_Click();
        // The stand-in takes a poke after answering it.
        EXPECT_TRUE(waitFor([&] { return runner.pokes() == QStringList{"1"}; }));
        EXPECT_EQ(runner.activations(), 0);
        // The state label follows at the next activation.
        form->Form_Activate();
        EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("実行中"));
        EXPECT_EQ(console::widgetcolour::backColor(find<QLabel>("KeyLabel_0")), console::widgetcolour::Yellow);
    }
    {
        StandInRunner runner(QStringLiteral("1"));
        form->cmdSyuRun_Click();
        EXPECT_TRUE(runner.pokes().isEmpty());
        EXPECT_TRUE(waitFor([&] { return runner.activations() == 1; }));
    }
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
    form->Form_Activate();
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("停止中"));
}

TEST_F(RunnerControlTest, StopAsksThenSends999)
{
    startWithStarter();
    StandInRunner runner(QStringLiteral("0"));
    boxes.answers.enqueue(console::MessageAnswer::No);
    form->cmdSyuEnd_Click();
    EXPECT_EQ(boxes.lastText(), QStringLiteral("スケジュール管理処理を停止します。 よろしいですか？"));
    EXPECT_TRUE(runner.pokes().isEmpty());
    form->cmdSyuEnd_Click();
    EXPECT_TRUE(waitFor([&] { return runner.pokes() == QStringList{"999"}; }));
}

// A runner busy for longer than a second is running all the same: the stop
// waits for its answer.  A runner that does not take the stop is said not to
// have stopped, instead of nothing being said.
TEST_F(RunnerControlTest, StopWaitsForABusyRunnerAndSaysWhenItCouldNotStopIt)
{
    startWithStarter();
    {
        StandInRunner runner(QStringLiteral("0"));
        runner.holdFor(1500);
        form->cmdSyuEnd_Click();
        EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("スケジュール管理処理を停止します。 よろしいですか？")});
        EXPECT_TRUE(waitFor([&] { return runner.pokes() == QStringList{"999"}; }));
    }
    StandInRunner refusing{QString()};
    ASSERT_TRUE(refusing.isListening());
    form->cmdSyuEnd_Click();
    EXPECT_EQ(boxes.lastText(),
              QStringLiteral("スケジュールが停止出来ませんでした。一旦画面を閉じて再度実行して下さい。"));
    EXPECT_EQ(boxes.shown.last().buttons, console::MessageButtons::Ok);
}

TEST_F(RunnerControlTest, ValidAndInvalidRepaintTheGroup)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    site.addToday(1, QTime(11, 0), QTime(12, 0));
    startWithStarter();
    enterMaintenance();
    auto pieceColour = [&](int piece) { return form->chartModel(0).GetPieceColor(0, short(piece)); };
    form->AutoPieceClick(0, 2);
    form->CmdYuko_Click(1);
    QSqlQuery q(QSqlDatabase::database(state->database().connectionName()));
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT YukoFlg FROM GroupMaster WHERE GPno = 1")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(form->chartModel(0).GetPieceText(0, 1), QStringLiteral("無効"));
    EXPECT_EQ(pieceColour(1), console::piececolour::DarkInvalid); // the chosen piece
    EXPECT_EQ(pieceColour(2), console::piececolour::Invalid);
    EXPECT_EQ(console::widgetcolour::backColor(find<QPushButton>("CmdYuko_1")), console::widgetcolour::Yellow);
    EXPECT_TRUE(find<QWidget>("onoffPicture")->isEnabled());
    screenshot(form.get(), QStringLiteral("console-maintenance-invalid"));

    form->CmdYuko_Click(0);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT YukoFlg FROM GroupMaster WHERE GPno = 1")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), -1);
    EXPECT_EQ(form->chartModel(0).GetPieceText(0, 2), QStringLiteral("2"));
    EXPECT_EQ(pieceColour(2), console::piececolour::Planned);
    EXPECT_FALSE(find<QWidget>("onoffPicture")->isEnabled());
    EXPECT_TRUE(site.opLog(Day).size() == 1); // only the visit's start: no record for the flag
}

// Switched while tomorrow is on screen, the group shows its new state on
// today's chart too when the day choice brings it back.
TEST_F(RunnerControlTest, TheValidFlagRepaintsBothDayCharts)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addToday(1, QTime(11, 0), QTime(12, 0));
    site.addNextday(1, QTime(11, 0), QTime(12, 0));
    startWithStarter();
    enterMaintenance();
    find<QRadioButton>("Option1_1")->click();
    ASSERT_EQ(form->shownDay(), 1);
    form->AutoPieceClick(0, 1);
    form->CmdYuko_Click(1);
    EXPECT_EQ(form->chartModel(1).GetPieceText(0, 1), QStringLiteral("無効"));
    find<QRadioButton>("Option1_0")->click();
    ASSERT_EQ(form->shownDay(), 0);
    EXPECT_EQ(form->chartModel(0).GetPieceText(0, 1), QStringLiteral("無効"));
}

TEST_F(RunnerControlTest, ManualOutputAsksAndRecordsItsWrites)
{
    qunsetenv("VANTOR_HOME"); // no plant: the writes fail and say so
    site.addGroup(4, QStringLiteral("給湯P"), false);
    site.addTag(4, QStringLiteral("P1"), QStringLiteral("ポンプ1"), 1, 0);
    site.addTag(4, QStringLiteral("P2"), QStringLiteral("温度2"), 25, 0);
    startWithStarter();
    enterMaintenance();
    form->AutoPieceClick(0, 1);
    ASSERT_TRUE(find<QWidget>("onoffPicture")->isEnabled());

    boxes.answers.enqueue(console::MessageAnswer::No);
    find<QPushButton>("CmdGoStop_0")->click();
    const console::Message &question = boxes.shown.last();
    EXPECT_EQ(question.title, QStringLiteral("手動運転 操作"));
    EXPECT_EQ(question.text, QStringLiteral("運転操作を行います。よろしいですか？"));
    EXPECT_EQ(question.buttons, console::MessageButtons::YesNo);
    EXPECT_EQ(question.icon, console::MessageIcon::Question);
    EXPECT_TRUE(question.systemModal);
    EXPECT_TRUE(question.defaultNo); // Enter alone never switches the plant
    EXPECT_TRUE(form->output().isIdle());

    find<QPushButton>("CmdGoStop_0")->click();
    ASSERT_TRUE(waitFor([&] { return form->output().isIdle(); }));
    find<QPushButton>("CmdGoStop_1")->click();
    EXPECT_EQ(boxes.lastText(), QStringLiteral("停止操作を行います。よろしいですか？"));
    ASSERT_TRUE(waitFor([&] { return form->output().isIdle(); }));
    // Records of the manual origin; a write the plant never got says so.
    EXPECT_EQ(site.opLog(Day).mid(1), (QStringList{"P1|ポンプ1|開始|スケジュール(手動) 書込失敗",
                                                   "P2|温度2|設定|スケジュール(手動) 25に設定 書込失敗",
                                                   "P1|ポンプ1|終了|スケジュール(手動) 書込失敗",
                                                   "P2|温度2|終了|スケジュール(手動) 書込失敗"}));
}
