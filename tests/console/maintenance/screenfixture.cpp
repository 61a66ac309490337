#include "screenfixture.h"

#include "platform/clock.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void ScreenTest::SetUp()
{
    ASSERT_TRUE(site.isValid());
    platform::clock::setNow(now());
    restartConsole();
}

void ScreenTest::TearDown()
{
    platform::clock::useSystemClock();
}

void ScreenTest::restartConsole()
{
    state.reset();
    state = std::make_unique<console::ConsoleState>(site.home());
    state->setMessages(&boxes);
    ASSERT_TRUE(state->openDatabase());
}

void ScreenTest::screenshot(QWidget &widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void ScreenTest::whenModal(const std::function<void(QWidget *)> &act, QWidget *below)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QPointer<QWidget> skip(below);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, skip] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == skip.data() || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

QStringList ScreenTest::rows(const QString &sql) const
{
    store::Recordset rs = state->database().openRecordset(sql);
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields << rs.field(i).toString();
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}
