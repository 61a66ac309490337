#pragma once

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <array>

// The analog face as plain geometry: directions, hands and number positions
// for a face rectangle, computed without a screen.  The face may be an
// ellipse: x distances scale with half its width, y distances with half its
// height.
namespace tickface::geometry {

inline constexpr int DirectionCount = 120; // steps of 3°

struct Direction
{
    double x; // sin: to the right
    double y; // −cos: downwards; entry 0 points to twelve o'clock
};

// The table of the 120 directions.
const std::array<Direction, DirectionCount> &directions();

// Table indexes of the hands for a time.  The hour hand moves between the
// hours in steps of 3° (every 6 minutes on a 12-hour dial, every 12 minutes
// on a 24-hour dial); the minute hand every 30 seconds; the second hand
// every second.
int hourIndex(const QTime &t, bool dial24);
int minuteIndex(const QTime &t);
int secondIndex(const QTime &t);

enum class Hand { Hour, Minute, Second };

// A hand: a four-point polygon and the line from its tail to its tip.
struct HandShape
{
    QPointF tip;
    QPointF left;  // side point at half the hand's width
    QPointF tail;
    QPointF right; // side point at half the hand's width

    // tip, left, tail, right: the outline in drawing order.
    QPolygonF polygon() const;
};

// Length, tail and width of a hand as fractions of the face's half size.
struct HandProportions
{
    double length;
    double tail;
    double width;
};
HandProportions proportions(Hand hand);

HandShape handShape(const QRectF &face, int directionIndex, Hand hand);

// Where the hour numbers are drawn: the centre of each number's text, for
// hours 1..12 (or 1..24 on a 24-hour dial), in that order.
QList<QPointF> numberCentres(const QRectF &face, bool dial24);
// The text of the i-th number (0-based) of the dial.
QString numberText(int i, bool dial24);

// The plate: the ellipse filling the face, inset so that its 2-pixel outline
// stays inside.
QRectF plateRect(const QRectF &face);

// Height of the hour numbers' text for a face (pixels), so that they fit
// between the rim and the hands.
double numberPixelSize(const QRectF &face, bool dial24);

} // namespace tickface::geometry
