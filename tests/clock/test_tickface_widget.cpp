#include "clock/tickface.h"
#include "clock/tickfaceconstants.h"
#include "clock/tickfacemodel.h"
#include "clock/tickfacepropertypages.h"

#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace tickface;

namespace {

class TickfaceWidget : public ::testing::Test
{
protected:
    void SetUp() override { platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 8, 37))); }
    void TearDown() override { platform::clock::useSystemClock(); }
};

QString artefactPath(const QString &name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts/clock");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// The console's colours for its clocks by day (7..17) and by night.
void applyConsoleColours(Tickface &w, bool day)
{
    const automation::Dispatcher &d = w.dispatcher();
    auto put = [&](const char *name, quint32 v) { ASSERT_TRUE(d.put(QString::fromLatin1(name), v).ok) << name; };
    if (day) {
        put("ForeColor", 0x000000);
        put("NumberColor", 0xA00000);
        put("HourColor", 0x408000);
        put("MinuteColor", 0xC0C0C0);
        put("SecondColor", 0x000000);
        put("BackColor", 0xFFFFFF);
    } else {
        put("ForeColor", 0xFFFFFF);
        put("NumberColor", 0xFFFFFF);
        put("HourColor", 0xFFFFFF);
        put("MinuteColor", 0xFF8000);
        put("SecondColor", 0x0000FF);
        put("BackColor", 0x800000);
    }
}

QFont japaneseFont(int pointSize)
{
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPointSize(pointSize);
    return f;
}

} // namespace

TEST_F(TickfaceWidget, DispatchTableResolvesAndEventsConnect)
{
    Tickface w;
    EXPECT_TRUE(w.dispatcher().unresolvedMembers().isEmpty()) << w.dispatcher().unresolvedMembers().join(u',').toStdString();
    automation::EventRelay relay(w.eventSource(), w.dispatcher().table(), [](const automation::DispatchMember &, QVariantList &) {});
    EXPECT_TRUE(relay.unconnected().isEmpty());
    // Identifiers reach the clock's own members.
    EXPECT_EQ(w.dispatcher().get(6).value.toString(), QStringLiteral(" 00:00"));
    EXPECT_EQ(w.dispatcher().get(3).value, QVariant::fromValue<qint16>(-1)); // ShowSecond, a 16-bit true
    QVariantList args{short(1), short(0), short(0)};
    ASSERT_TRUE(w.dispatcher().put(17, short(TkfUserSet)).ok);
    const auto r = w.dispatcher().call(28, args);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
}

TEST_F(TickfaceWidget, FrameTypeThroughTheDispatcherAndTheWindowShape)
{
    Tickface w;
    w.resize(100, 80);
    auto r = w.dispatcher().put(QStringLiteral("FrameType"), short(3));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, 380);
    EXPECT_EQ(w.model()->FrameType(), TkfFrameRectangle);
    EXPECT_TRUE(w.mask().isEmpty());

    r = w.dispatcher().put(QStringLiteral("FrameType"), short(TkfFrameCircle));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.errorNumber, 0);
    EXPECT_TRUE(w.model()->isModified());
    // An analog clock is clipped to the ellipse: the centre is in, a corner out.
    EXPECT_TRUE(w.mask().contains(QPoint(50, 40)));
    EXPECT_FALSE(w.mask().contains(QPoint(1, 1)));
    // A digital clock stays rectangular.
    w.model()->setClockType(TkfDigital);
    EXPECT_TRUE(w.mask().isEmpty());
    w.model()->setClockType(TkfAnalog);
    w.show(); // a hidden widget gets its resize events when it is shown
    w.resize(60, 60);
    EXPECT_TRUE(w.mask().contains(QPoint(30, 30)));
    EXPECT_FALSE(w.mask().contains(QPoint(58, 1)));
}

TEST_F(TickfaceWidget, TimerRunsOnlyForARunningClock)
{
    QWidget form; // never shown, as a hidden host form
    auto *w = new Tickface(&form);
    EXPECT_TRUE(w->isTimerRunning());
    w->dispatcher().put(QStringLiteral("BaseTime"), short(TkfUserSet));
    EXPECT_FALSE(w->isTimerRunning());
    w->dispatcher().put(QStringLiteral("BaseTime"), short(TkfGMT));
    EXPECT_TRUE(w->isTimerRunning());
}

TEST_F(TickfaceWidget, TimerStopsWhileTheHostHidesTheControl)
{
    QWidget form; // a host form that is itself hidden keeps its clocks running
    auto *w = new Tickface(&form);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->isTimerRunning());
    QStringList events;
    automation::EventRelay relay(w->eventSource(), w->dispatcher().table(),
                                 [&](const automation::DispatchMember &e, QVariantList &) { events << QString::fromLatin1(e.name); });

    w->hide(); // Visible = False
    EXPECT_FALSE(w->isTimerRunning());
    platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 9, 0)));
    QTest::qWait(2 * TickIntervalMs);
    EXPECT_TRUE(events.isEmpty()) << events.join(' ').toStdString();
    w->dispatcher().put(QStringLiteral("BaseTime"), short(TkfGMT));
    w->dispatcher().put(QStringLiteral("BaseTime"), short(TkfLocal));
    EXPECT_FALSE(w->isTimerRunning()) << "a change of BaseTime does not start a hidden clock";

    w->show(); // Visible = True: runs again, the form still hidden
    EXPECT_TRUE(w->isTimerRunning());
    w->dispatcher().put(QStringLiteral("BaseTime"), short(TkfUserSet));
    w->hide();
    w->show();
    EXPECT_FALSE(w->isTimerRunning()) << "a clock set by the host never runs";

    Tickface alone; // a top-level control runs once shown
    EXPECT_FALSE(alone.isTimerRunning());
    alone.show();
    EXPECT_TRUE(alone.isTimerRunning());
    alone.hide();
    EXPECT_FALSE(alone.isTimerRunning());
}

TEST_F(TickfaceWidget, ClicksBecomeEvents)
{
    Tickface w;
    w.resize(80, 80);
    QStringList events;
    automation::EventRelay relay(w.eventSource(), w.dispatcher().table(),
                                 [&](const automation::DispatchMember &e, QVariantList &) { events << QString::fromLatin1(e.name); });
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_GE(events.count(QStringLiteral("Click")), 1);
    EXPECT_EQ(events.count(QStringLiteral("DblClick")), 1);
}

TEST_F(TickfaceWidget, FormatPageListsAndPreviews)
{
    Tickface w;
    TickfacePropertyPages pages(w.model());
    auto *dates = pages.findChild<QTreeWidget *>(QStringLiteral("dateFormatList"));
    auto *times = pages.findChild<QTreeWidget *>(QStringLiteral("timeFormatList"));
    ASSERT_TRUE(dates && times);
    ASSERT_EQ(dates->topLevelItemCount(), 5);
    ASSERT_EQ(times->topLevelItemCount(), 5);
    EXPECT_EQ(dates->topLevelItem(0)->text(0), QStringLiteral("dddd, MMMM d, yyyy"));
    EXPECT_EQ(dates->topLevelItem(0)->text(1), QStringLiteral("火曜日, 12月 8, 2026"));
    EXPECT_EQ(times->topLevelItem(3)->text(1), QStringLiteral("10:08:37"));
    // Choosing a format previews it and Apply writes it.
    dates->setCurrentItem(dates->topLevelItem(3));
    EXPECT_EQ(pages.findChild<QLabel *>(QStringLiteral("datePreview"))->text(), QStringLiteral("8-12月-26"));
    auto *tabs = pages.findChild<QTabWidget *>();
    ASSERT_TRUE(tabs);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, QStringList({"General", "Format", "Detail", "Color"}));
    pages.resize(460, 520);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        pages.grab().save(artefactPath(QStringLiteral("tickface-pages-%1.png").arg(titles[i].toLower())));
    }
    pages.apply();
    EXPECT_EQ(w.model()->DateFormat(), QStringLiteral("d-MMM-yy"));
    EXPECT_FALSE(w.model()->AlarmSw()); // Apply left the alarm alone
}

TEST_F(TickfaceWidget, PropertyPagesWriteOnlyWhatTheUserChanged)
{
    Tickface w;
    TickfaceModel *m = w.model();
    m->setClockType(7); // stored as given, though no member of the list
    m->setAlarmSw(false);
    TickfacePropertyPages pages(m);
    pages.apply();
    EXPECT_EQ(m->ClockType(), 7);
    EXPECT_FALSE(m->AlarmSw());
    // A new alarm time arms the alarm, as a write of AlarmTime does.
    auto *time = pages.findChild<QTimeEdit *>();
    ASSERT_TRUE(time);
    time->setTime(QTime(0, 0, 3));
    pages.apply();
    EXPECT_TRUE(m->AlarmSw());
    EXPECT_EQ(m->alarmTime().time(), QTime(0, 0, 3));
}

TEST_F(TickfaceWidget, TransparentFrameShowsTheContainerOutsideThePlate)
{
    QWidget host;
    host.resize(120, 120);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, Qt::red);
    host.setPalette(pal);
    host.setAutoFillBackground(true);
    auto *w = new Tickface(&host);
    w->setGeometry(0, 0, 120, 120);
    applyConsoleColours(*w, true);
    w->model()->setFrameType(TkfFrameTransparent);
    host.show();
    const QImage image = host.grab().toImage();
    image.save(artefactPath(QStringLiteral("tickface-analog-transparent.png")));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red));        // the corner shows the container
    EXPECT_EQ(image.pixelColor(60, 95), QColor(Qt::white));    // the plate is the clock's
}

TEST_F(TickfaceWidget, ScreenshotsInDayAndNightColours)
{
    struct Shot
    {
        const char *file;
        bool day;
        short type;
        QTime time;
    };
    const Shot shots[] = {
        {"tickface-analog-day.png", true, TkfAnalog, QTime(10, 8, 37)},
        {"tickface-analog-night.png", false, TkfAnalog, QTime(21, 42, 5)},
        {"tickface-digital-day.png", true, TkfDigital, QTime(10, 8, 37)},
        {"tickface-digital-night.png", false, TkfDigital, QTime(21, 42, 5)},
    };
    for (const Shot &s : shots) {
        Tickface w;
        w.resize(s.type == TkfAnalog ? 220 : 320, s.type == TkfAnalog ? 220 : 90);
        applyConsoleColours(w, s.day);
        TickfaceModel *m = w.model();
        m->setFont(japaneseFont(11));
        m->setNumberFont(japaneseFont(12));
        m->setCaption(s.time.hour() < 12 ? QStringLiteral("Am") : QStringLiteral("Pm"));
        m->setShowDate(true);
        m->setDateFormat(QStringLiteral("' 'yyyy'年 'M'月 'd'日 'dddd"));
        m->setTimeFormat(QStringLiteral(" H時mm分ss秒"));
        if (s.type == TkfAnalog) {
            m->setDateFormat(QStringLiteral("yy/MM/dd"));
            m->setFrameType(TkfFrameCircle);
        } else {
            m->setFont(japaneseFont(16));
        }
        m->setClockType(s.type);
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), s.time));
        w.tick();
        const QImage image = w.grab().toImage();
        ASSERT_TRUE(image.save(artefactPath(QString::fromLatin1(s.file))));
        // The background is the back colour: white by day, navy by night.
        const QColor back = s.day ? QColor(255, 255, 255) : QColor(0, 0, 128);
        const QPoint probe = s.type == TkfAnalog ? QPoint(110, 160) + QPoint(30, 0) : QPoint(3, 3);
        EXPECT_EQ(image.pixelColor(probe), back) << s.file;
        // Something in the fore or hand colours was drawn.
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = image.pixelColor(x, y) != back && image.pixelColor(x, y).alpha() == 255;
        EXPECT_TRUE(drawn) << s.file;
    }
}
