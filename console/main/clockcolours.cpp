#include "console/main/clockcolours.h"

#include <array>

namespace console {

namespace {

constexpr quint32 rgb(int r, int g, int b)
{
    return quint32(r) | quint32(g) << 8 | quint32(b) << 16;
}

constexpr quint32 Navy = rgb(0, 0, 128);
constexpr quint32 White = rgb(255, 255, 255);
constexpr quint32 Black = rgb(0, 0, 0);

constexpr std::array<quint32, 24> hourColours()
{
    std::array<quint32, 24> table{};
    for (int h = 0; h < 24; ++h)
        table[std::size_t(h)] = h >= 7 && h <= 17 ? White : Navy;
    return table;
}

constexpr std::array<quint32, 24> HourBackColours = hourColours();

} // namespace

quint32 hourBackColour(int hour)
{
    return HourBackColours[std::size_t(((hour % 24) + 24) % 24)];
}

ClockColours clockColoursAt(int hour)
{
    ClockColours c;
    if (hour >= 7 && hour <= 17) {
        c.foreColor = Black;
        c.numberColor = rgb(0, 0, 160);
        c.hourColor = rgb(0, 128, 64);
        c.minuteColor = rgb(192, 192, 192);
        c.secondColor = Black;
    } else {
        c.foreColor = White;
        c.numberColor = White;
        c.hourColor = White;
        c.minuteColor = rgb(0, 128, 255);
        c.secondColor = rgb(255, 0, 0);
    }
    c.backColor = hourBackColour(hour);
    c.caption = hour >= 0 && hour < 12 ? QStringLiteral("Am") : QStringLiteral("Pm");
    return c;
}

} // namespace console
