#include "consolefixture.h"

#include "console/main/consolefont.h"
#include "platform/clock.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

void ConsoleTest::SetUp()
{
    ASSERT_TRUE(site.isValid());
    site.makeCurrent();
    console::applyConsoleFont();
    setNow(QTime(10, 30));
}

void ConsoleTest::TearDown()
{
    form.reset();
    state.reset();
    store::configureLogs(store::OpLog());
    platform::clock::useSystemClock();
    qunsetenv("SCH_HOME");
}

void ConsoleTest::setNow(const QTime &time, const QDate &date)
{
    platform::clock::setNow(QDateTime(date, time));
}

console::FrmCal &ConsoleTest::start(bool show)
{
    form.reset();
    state = std::make_unique<console::ConsoleState>(site.home());
    state->setMessages(&boxes);
    form = std::make_unique<console::FrmCal>(*state);
    form->setProgramStarter([](const QString &, const QStringList &) { return false; });
    form->startUp();
    if (show) {
        form->resize(1280, 800);
        form->show();
        QApplication::processEvents();
    }
    return *form;
}

void ConsoleTest::answerNextDialog(const std::function<void(QDialog *)> &answer)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

void ConsoleTest::enterMaintenance()
{
    answerNextDialog([](QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    form->CmdPass_MouseUp(Qt::NoModifier);
}

void ConsoleTest::leaveMaintenance()
{
    answerNextDialog([](QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("EditEndCmd"))->click(); });
    form->CmdPass_MouseUp(Qt::NoModifier);
}

void ConsoleTest::screenshot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool waitFor(const std::function<bool()> &pred, int timeoutMs)
{
    return testsupport::waitUntil(pred, timeoutMs);
}
