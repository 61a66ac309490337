#include "calendar/equinox.h"

#include <QtMath>

#include <cmath>

namespace calendar {
namespace {

struct Term
{
    double a, b, c;
};

// Periodic terms of the equinox correction (amplitude, phase in degrees,
// rate in degrees per Julian century).
constexpr Term terms[] = {
    {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},    {182, 27.85, 445267.112},
    {156, 73.14, 45036.886},  {136, 171.52, 22518.443}, {77, 222.54, 65928.934},  {74, 296.72, 3034.906},
    {70, 243.58, 9037.513},   {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},    {18, 155.12, 67555.328},
    {17, 288.79, 4562.452},   {16, 198.04, 62894.029},  {14, 199.76, 31436.921},  {12, 95.39, 14577.848},
    {12, 287.11, 31931.756},  {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
};

double julianEphemerisDay(int year, bool september)
{
    const double y = (year - 2000) / 1000.0;
    const double jde0 = september
        ? 2451810.21715 + 365242.01767 * y - 0.11575 * y * y + 0.00337 * y * y * y + 0.00078 * y * y * y * y
        : 2451623.80984 + 365242.37404 * y + 0.05169 * y * y - 0.00411 * y * y * y - 0.00057 * y * y * y * y;
    const double t = (jde0 - 2451545.0) / 36525.0;
    const double w = qDegreesToRadians(35999.373 * t - 2.47);
    const double dl = 1 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2 * w);
    double s = 0;
    for (const Term &term : terms)
        s += term.a * std::cos(qDegreesToRadians(term.b + term.c * t));
    return jde0 + 0.00001 * s / dl;
}

} // namespace

QDateTime equinoxMoment(int year, bool september)
{
    // Julian day 2440587.5 is 1970-01-01 00:00 UTC.  The few dozen seconds
    // between dynamical and universal time cancel against the base moment.
    const double jd = julianEphemerisDay(year, september);
    const qint64 ms = qint64(std::llround((jd - 2440587.5) * 86400000.0)) + 9LL * 3600 * 1000;
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return QDateTime(utc.date(), utc.time(), Qt::UTC);
}

QDate equinoxDay(const QDateTime &base, int year, bool september)
{
    if (!base.isValid() || year < 1000 || year > 3000)
        return {};
    // Counted on a plain time line, so no daylight-saving shift of the host moves the day.
    const QDateTime b(base.date(), base.time(), Qt::UTC);
    const qint64 shift = equinoxMoment(b.date().year(), september).msecsTo(b);
    return equinoxMoment(year, september).addMSecs(shift).date();
}

} // namespace calendar
