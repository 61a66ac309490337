// The calendar widget with real mouse and key input (offscreen), its drawing
// and its persisted properties.
#include "calendar/datefold.h"
#include "calendar/datefoldpropertypages.h"
#include "calendar/monthgrid.h"
#include "calendar/oledate.h"
#include "platform/clock.h"

#include "automation/eventrelay.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace calendar;

namespace {

double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }

// A shown calendar of a readable size whose clock stands still.
class DatefoldWidget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::clock::setNow(QDateTime(QDate(2026, 5, 12), QTime(9, 0)));
        control = std::make_unique<Datefold>();
        control->resize(420, 330);
        QFont number = control->NumberFont();
        number.setPixelSize(16);
        number.setBold(true);
        control->setNumberFont(number);
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
    }
    void TearDown() override
    {
        control.reset();
        platform::clock::useSystemClock();
    }

    QPoint centreOf(const QDate &day) const
    {
        int row = 0, column = 0;
        EXPECT_TRUE(monthgrid::cellForDate(control->model().displayedMonth(), day, &row, &column));
        return control->layout().cellRect(row, column).center();
    }

    QImage picture() const
    {
        QImage image(control->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        control->render(painter);
        return image;
    }

    // Pixels of exactly this colour inside the day's cell.
    int pixelsOf(const QImage &image, const QDate &day, QColor color) const
    {
        int row = 0, column = 0;
        monthgrid::cellForDate(control->model().displayedMonth(), day, &row, &column);
        const QRect cell = control->layout().cellRect(row, column);
        int n = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    }

    std::unique_ptr<Datefold> control;
};

} // namespace

TEST_F(DatefoldWidget, ClickOnNextMonthDayShowsThatMonthWithoutDateClick)
{
    control->model().setDatePosition(ole(2024, 12, 10));
    QSignalSpy dateClick(control.get(), &Datefold::DateClick);
    QSignalSpy newMonth(control.get(), &Datefold::NewMonth);
    QSignalSpy newYear(control.get(), &Datefold::NewYear);
    QSignalSpy mouseDown(control.get(), &Datefold::MouseDown);

    QTest::mouseClick(control.get(), Qt::LeftButton, {}, centreOf(QDate(2025, 1, 2)));
    EXPECT_EQ(dateClick.count(), 0);
    ASSERT_EQ(newYear.count(), 1);
    EXPECT_EQ(newYear.at(0).at(0).toInt(), 2025);
    ASSERT_EQ(newMonth.count(), 1);
    EXPECT_EQ(newMonth.at(0).at(0).toInt(), 1);
    EXPECT_EQ(control->model().displayedMonth(), QDate(2025, 1, 1));
    EXPECT_EQ(oleDateDay(control->model().DatePosition()), QDate(2024, 12, 10));
    ASSERT_EQ(mouseDown.count(), 1);
    EXPECT_EQ(mouseDown.at(0).at(0).toInt(), 1); // left button

    // A day of the shown month becomes the current date.
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, centreOf(QDate(2025, 1, 20)));
    ASSERT_EQ(dateClick.count(), 1);
    EXPECT_EQ(oleDateDay(dateClick.at(0).at(0).toDouble()), QDate(2025, 1, 20));

    // With OnlyThisMonth a neighbouring day does nothing.
    control->model().setOnlyThisMonth(true);
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, centreOf(QDate(2025, 2, 1)));
    EXPECT_EQ(control->model().displayedMonth(), QDate(2025, 1, 1));
    EXPECT_EQ(newMonth.count(), 1);
}

TEST_F(DatefoldWidget, DoubleClickOnADayRaisesClickOnlyForTheFirstRelease)
{
    control->model().setDatePosition(ole(2024, 12, 10));
    QStringList events;
    automation::EventRelay relay(control->eventSource(), control->dispatcher().table(),
                                 [&](const automation::DispatchMember &e, QVariantList &) {
                                     if (qstrcmp(e.name, "MouseMove") != 0)
                                         events << QString::fromLatin1(e.name);
                                 });
    const QPoint day = centreOf(QDate(2024, 12, 18));
    // As the window system delivers a double click: press, release, double
    // click (in place of the second press), release.
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, day);
    QTest::mouseDClick(control.get(), Qt::LeftButton, {}, day);
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, day);
    EXPECT_EQ(events, (QStringList{"MouseDown", "DateClick", "MouseUp", "Click", "DblClick", "DateClick", "MouseUp"}));

    // The next single click is a click again.
    events.clear();
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, day, 1000);
    EXPECT_EQ(events, (QStringList{"MouseDown", "DateClick", "MouseUp", "Click"}));
}

TEST_F(DatefoldWidget, CaptionClicksAndHitTest)
{
    control->model().setDatePosition(ole(2024, 6, 5));
    QSignalSpy monthClick(control.get(), &Datefold::MonthClick);
    QSignalSpy yearClick(control.get(), &Datefold::YearClick);
    const CalendarLayout geometry = control->layout();
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, geometry.monthRect().center());
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, geometry.yearRect().center());
    ASSERT_EQ(monthClick.count(), 1);
    EXPECT_EQ(monthClick.at(0).at(0).toInt(), 6);
    ASSERT_EQ(yearClick.count(), 1);
    EXPECT_EQ(yearClick.at(0).at(0).toInt(), 2024);

    double date = 0;
    const QPoint day = centreOf(QDate(2024, 6, 30));
    EXPECT_EQ(control->HitTest(day.x(), day.y(), date), DfdHitDay);
    EXPECT_EQ(oleDateDay(date), QDate(2024, 6, 30));
    EXPECT_EQ(control->HitTest(1, 1, date), DfdHitUnknown);
    const QPoint bottom(200, control->height() - 3);
    EXPECT_EQ(control->HitTest(bottom.x(), bottom.y(), date), DfdHitDay);
    control->setCaption(QStringLiteral("特日カレンダー"));
    EXPECT_EQ(control->HitTest(bottom.x(), bottom.y(), date), DfdHitCaption);
}

TEST_F(DatefoldWidget, KeysFireKeyDownFirstAndHostMayCancel)
{
    control->model().setDatePosition(ole(2024, 5, 31));
    QStringList order;
    QObject::connect(control.get(), &Datefold::KeyDown, [&](short &code, short) { order << QStringLiteral("KeyDown(%1)").arg(code); });
    QObject::connect(control.get(), &Datefold::NewMonth, [&](short m) { order << QStringLiteral("NewMonth(%1)").arg(m); });
    QObject::connect(control.get(), &Datefold::DateClick, [&](double) { order << QStringLiteral("DateClick"); });
    QTest::keyClick(control.get(), Qt::Key_Right);
    EXPECT_EQ(order, (QStringList{"KeyDown(39)", "NewMonth(6)", "DateClick"}));
    QTest::keyClick(control.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(oleDateDay(control->model().DatePosition()), QDate(2023, 6, 1));

    // A host that sets KeyCode to 0 in KeyDown keeps the date.
    QObject::connect(control.get(), &Datefold::KeyDown, [](short &code, short) { code = 0; });
    QTest::keyClick(control.get(), Qt::Key_Down);
    EXPECT_EQ(oleDateDay(control->model().DatePosition()), QDate(2023, 6, 1));
}

TEST_F(DatefoldWidget, SaturdayHolidayColours)
{
    control->model().setDatePosition(ole(2024, 11, 20));
    control->setSundayColor(0x000000FF);         // red
    control->setSpecialHolidayColor(0x0000C000); // green
    control->setSaturdayColor(0x00FF0000);       // blue
    control->setGridFillPattern(DfdNotFill);
    control->setBackColor(0x00FFFFFF);
    control->setShowCursor(false);
    control->model().SetHoliday(ole(2024, 11, 16), QStringLiteral("創立記念日"), DfdSpecialHoliday);
    const QImage image = picture();
    const QColor red(255, 0, 0), green(0, 192, 0), blue(0, 0, 255);
    // A Saturday special holiday in SpecialHolidayColor.
    EXPECT_GT(pixelsOf(image, QDate(2024, 11, 16), green), 0);
    EXPECT_EQ(pixelsOf(image, QDate(2024, 11, 16), blue), 0);
    // A Saturday legal holiday (勤労感謝の日) in SundayColor.
    EXPECT_GT(pixelsOf(image, QDate(2024, 11, 23), red), 0);
    EXPECT_EQ(pixelsOf(image, QDate(2024, 11, 23), blue), 0);
    // A plain Saturday in SaturdayColor; a Sunday in SundayColor.
    EXPECT_GT(pixelsOf(image, QDate(2024, 11, 9), blue), 0);
    EXPECT_GT(pixelsOf(image, QDate(2024, 11, 10), red), 0);

    // Memo colours: the text colour and the back colour of the cell.
    control->model().SetDayMemo(ole(2024, 11, 13), QStringLiteral("特日１"), 0x00FF00FF, 0x0000FFFF);
    const QImage withMemo = picture();
    EXPECT_GT(pixelsOf(withMemo, QDate(2024, 11, 13), QColor(255, 255, 0)), 50);
    EXPECT_GT(pixelsOf(withMemo, QDate(2024, 11, 13), QColor(255, 0, 255)), 0);

    // Today's colours only when enabled.
    control->setTodayBackColor(0x00808080);
    EXPECT_EQ(pixelsOf(picture(), QDate(2024, 11, 12), QColor(128, 128, 128)), 0);
    control->model().setDatePosition(ole(2026, 5, 20));
    control->setEnableTodayColor(true);
    EXPECT_GT(pixelsOf(picture(), QDate(2026, 5, 12), QColor(128, 128, 128)), 50);
}

TEST_F(DatefoldWidget, PersistedPropertiesAndInitialDate)
{
    control->model().setDatePosition(ole(2020, 2, 10));
    control->setYearFormat(QStringLiteral("yyyy  年"));
    control->setSundayColor(0x00112233);
    control->setEnableTodayColor(true);
    control->setTodayBackColor(0x00445566);
    control->model().setOnlyThisMonth(true);
    automation::PropertyBag bag;
    control->saveProperties(bag);
    EXPECT_EQ(bag.versionMajor(), 1);
    EXPECT_EQ(bag.versionMinor(), 2);
    EXPECT_TRUE(bag.contains(QStringLiteral("DatePosition")));

    // DfdToday: the saved date is not taken.
    Datefold today;
    ASSERT_TRUE(today.loadProperties(bag));
    EXPECT_EQ(oleDateDay(today.model().DatePosition()), QDate(2026, 5, 12));
    EXPECT_EQ(today.YearFormat(), QStringLiteral("yyyy  年"));
    EXPECT_EQ(today.SundayColor(), 0x00112233u);
    EXPECT_TRUE(today.EnableTodayColor());
    EXPECT_TRUE(today.model().OnlyThisMonth());
    EXPECT_FALSE(today.isModified());

    // DfdPreset: it is.
    control->setInitialDate(DfdPreset);
    control->saveProperties(bag);
    Datefold preset;
    ASSERT_TRUE(preset.loadProperties(bag));
    EXPECT_EQ(oleDateDay(preset.model().DatePosition()), QDate(2020, 2, 10));
    EXPECT_EQ(preset.model().displayedMonth(), QDate(2020, 2, 1));

    // Data older than 1.2 has no today colours: they keep their defaults.
    bag.setVersion(1, 1);
    Datefold older;
    ASSERT_TRUE(older.loadProperties(bag));
    EXPECT_FALSE(older.EnableTodayColor());
    EXPECT_EQ(older.TodayBackColor(), 0x00FFFFFFu);
    EXPECT_EQ(older.SundayColor(), 0x00112233u);
}

TEST_F(DatefoldWidget, MonthWithHolidaysAndSpecialDaysScreenshot)
{
    // May 2026: 憲法記念日 on a Sunday, みどりの日, こどもの日 and the substitute on the 6th,
    // with the four special days in their console colours.
    control->model().AddHolidayLaws(QString());
    control->setYearFormat(QStringLiteral("yyyy  年"));
    control->setMonthFormat(QStringLiteral("M  月"));
    control->setCaption(QStringLiteral("特日設定"));
    control->model().setDatePosition(ole(2026, 5, 12));
    control->model().SetDayMemo(ole(2026, 5, 8), QStringLiteral("特日１"), 0x000000FF, 0xFFFFFFFF);
    control->model().SetDayMemo(ole(2026, 5, 14), QStringLiteral("特日２"), 0x00008000, 0x00C0FFC0);
    control->model().SetDayMemo(ole(2026, 5, 21), QStringLiteral("特日３"), 0x00C00000, 0x00FFE0C0);
    control->model().SetDayMemo(ole(2026, 5, 27), QStringLiteral("特日４"), 0x00800080, 0x00E0C0FF);
    control->model().SetHoliday(ole(2026, 5, 30), QStringLiteral("創立記念日"), DfdSpecialHoliday);
    control->setSpecialHolidayColor(0x00008000);

    const QImage image = control->grab().toImage();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
    QDir().mkpath(folder);
    ASSERT_TRUE(image.save(folder + QStringLiteral("/datefold_month.png")));
    // Each special day carries its own back colour.
    EXPECT_GT(pixelsOf(image, QDate(2026, 5, 14), QColor(192, 255, 192)), 50);
    EXPECT_GT(pixelsOf(image, QDate(2026, 5, 21), QColor(192, 224, 255)), 50);
    EXPECT_GT(pixelsOf(image, QDate(2026, 5, 27), QColor(255, 192, 224)), 50);
}

TEST_F(DatefoldWidget, PropertyPagesWriteTheControl)
{
    DatefoldPropertyPages pages(control.get());
    pages.resize(380, 620);
    pages.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pages));
    auto *year = pages.findChild<QLineEdit *>(QStringLiteral("YearFormat"));
    auto *only = pages.findChild<QCheckBox *>(QStringLiteral("OnlyThisMonth"));
    auto *space = pages.findChild<QSpinBox *>(QStringLiteral("GridSpace"));
    ASSERT_TRUE(year && only && space);
    EXPECT_EQ(year->text(), QStringLiteral("yyyy  -  "));
    year->setText(QStringLiteral("yyyy  年"));
    only->setChecked(true);
    space->setValue(4);
    // Nothing reaches the control before OK or 適用.
    EXPECT_EQ(control->YearFormat(), QStringLiteral("yyyy  -  "));

    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(pages.grab().save(folder + QStringLiteral("/datefold_pages.png")));

    pages.apply();
    EXPECT_EQ(control->YearFormat(), QStringLiteral("yyyy  年"));
    EXPECT_TRUE(control->model().OnlyThisMonth());
    EXPECT_EQ(control->GridSpace(), 4);
    EXPECT_EQ(pages.tabs()->count(), 3);
}
