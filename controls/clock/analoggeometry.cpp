#include "clock/analoggeometry.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tickface::geometry {

const std::array<Direction, DirectionCount> &directions()
{
    static const std::array<Direction, DirectionCount> table = [] {
        std::array<Direction, DirectionCount> t{};
        for (int i = 0; i < DirectionCount; ++i) {
            const double a = 2.0 * std::numbers::pi * i / DirectionCount;
            t[size_t(i)] = {std::sin(a), -std::cos(a)};
        }
        return t;
    }();
    return table;
}

int hourIndex(const QTime &t, bool dial24)
{
    if (dial24)
        return (t.hour() * 5 + t.minute() / 12) % DirectionCount;
    return ((t.hour() % 12) * 10 + t.minute() / 6) % DirectionCount;
}

int minuteIndex(const QTime &t)
{
    return (t.minute() * 2 + t.second() / 30) % DirectionCount;
}

int secondIndex(const QTime &t)
{
    return (t.second() * 2) % DirectionCount;
}

QPolygonF HandShape::polygon() const
{
    return QPolygonF({tip, left, tail, right});
}

HandProportions proportions(Hand hand)
{
    switch (hand) {
    case Hand::Hour:
        return {0.50, 0.10, 0.10};
    case Hand::Minute:
        return {0.72, 0.10, 0.07};
    case Hand::Second:
        return {0.80, 0.18, 0.025};
    }
    return {0.5, 0.1, 0.1};
}

HandShape handShape(const QRectF &face, int directionIndex, Hand hand)
{
    const Direction d = directions()[size_t(((directionIndex % DirectionCount) + DirectionCount) % DirectionCount)];
    const QPointF c = face.center();
    const double rx = face.width() / 2.0;
    const double ry = face.height() / 2.0;
    const HandProportions p = proportions(hand);
    // Perpendicular to the hand: the direction turned a quarter clockwise.
    const double px = -d.y;
    const double py = d.x;
    const double half = p.width / 2.0;
    HandShape s;
    s.tip = QPointF(c.x() + d.x * p.length * rx, c.y() + d.y * p.length * ry);
    s.tail = QPointF(c.x() - d.x * p.tail * rx, c.y() - d.y * p.tail * ry);
    s.left = QPointF(c.x() - px * half * rx, c.y() - py * half * ry);
    s.right = QPointF(c.x() + px * half * rx, c.y() + py * half * ry);
    return s;
}

QList<QPointF> numberCentres(const QRectF &face, bool dial24)
{
    const int count = dial24 ? 24 : 12;
    const int step = DirectionCount / count;
    const double radius = dial24 ? 0.78 : 0.75;
    const QPointF c = face.center();
    const double rx = face.width() / 2.0;
    const double ry = face.height() / 2.0;
    QList<QPointF> centres;
    for (int n = 1; n <= count; ++n) {
        const Direction d = directions()[size_t((n * step) % DirectionCount)];
        centres.append(QPointF(c.x() + d.x * radius * rx, c.y() + d.y * radius * ry));
    }
    return centres;
}

QString numberText(int i, bool dial24)
{
    return QString::number(i % (dial24 ? 24 : 12) + 1);
}

QRectF plateRect(const QRectF &face)
{
    return face.adjusted(1.0, 1.0, -1.0, -1.0);
}

double numberPixelSize(const QRectF &face, bool dial24)
{
    const double half = std::min(face.width(), face.height()) / 2.0;
    return std::max(6.0, half * (dial24 ? 0.11 : 0.16));
}

} // namespace tickface::geometry
