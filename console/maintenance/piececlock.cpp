#include "console/maintenance/piececlock.h"

#include "automation/variantconventions.h"
#include "clock/olecolor.h"
#include "clock/tickface.h"
#include "clock/tickfaceconstants.h"
#include "clock/tickfacemodel.h"
#include "platform/clock.h"

#include <QLabel>

namespace console {
namespace {

// Colours 0x00BBGGRR.
struct ClockColours
{
    uint fore, number, hour, minute, second, back;
};
constexpr ClockColours DayColours{0x000000, 0xA00000, 0x408000, 0xC0C0C0, 0x000000, 0xFFFFFF};
constexpr ClockColours NightColours{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFF8000, 0x0000FF, 0x800000};

QString cssColour(uint ole)
{
    return tickface::fromOleColor(ole).name();
}

} // namespace

void preparePieceClock(Tickface *clock)
{
    TickfaceModel *m = clock->model();
    m->setClockType(tickface::TkfAnalog);
    m->setBaseTime(tickface::TkfUserSet);
    m->setShowDate(false);
    m->setShowSecond(false);
}

void paintPieceClock(Tickface *clock, QLabel *label, const QTime &time)
{
    const int h = time.hour();
    const ClockColours &c = h >= 7 && h <= 17 ? DayColours : NightColours;
    if (clock) {
        TickfaceModel *m = clock->model();
        m->setDisplayTime(automation::toOleDate(QDateTime(platform::clock::today(), time)));
        m->setForeColor(c.fore);
        m->setNumberColor(c.number);
        m->setHourColor(c.hour);
        m->setMinuteColor(c.minute);
        m->setSecondColor(c.second);
        m->setBackColor(c.back);
        m->setCaption(h < 12 ? QStringLiteral("Am") : QStringLiteral("Pm"));
    }
    if (label) {
        label->setText(time.toString(QStringLiteral("hh時mm分")));
        label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; }")
                                 .arg(cssColour(c.back), cssColour(c.number)));
    }
}

} // namespace console
