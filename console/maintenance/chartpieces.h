#pragma once

#include <QList>
#include <QString>
#include <QTime>
#include <QVariant>

namespace chart {
class ChartModel;
}

// What the console reads from a time chart's answers: the piece numbers of a
// row, the pieces a range search found, a piece's times.
namespace console::chartpieces {

// The piece numbers of a GetAllPieceNo answer (empty for the empty variant).
QList<int> numbers(const QVariant &allPieceNo);
// The piece numbers of a FindPieceFromRange / FindPieceFromText answer, in
// the order found.
QList<int> found(const QVariant &findResult);

// Pieces of row `index` that overlap start..end, bounds included (the
// sub-included range search).
QList<int> overlapping(const chart::ChartModel &chart, int index, const QTime &start, const QTime &end);
// True when `found` is empty or names exactly the one piece `own`.
bool onlyItself(const QList<int> &found, int own);

// Start and end of a piece as times of day (GetPieceRange2, the date
// dropped); false when there is no such piece.
bool range(const chart::ChartModel &chart, int index, int pieceNo, QTime *start, QTime *end);

// The piece of row `index` that lies exactly at start..end, else the first
// piece overlapping that range; -1 when none.
int pieceAt(const chart::ChartModel &chart, int index, const QTime &start, const QTime &end);

// "<< BACK" (direction 0) and "NEXT >>" (1): the number before or after the
// one the panel shows (`shownText`, LblMovePiece), when row `row` has a piece
// of that number; -1 when there is none to step to (or no number is shown).
int steppedPiece(const chart::ChartModel &chart, int row, const QString &shownText, int direction);

// A piece moved with the mouse to dtStart..dtEnd (automation dates), as the
// times of one day that the tables hold: false when the dates cannot be read
// or the piece would start at 24:00 or later.  An end past 23:59 (a piece
// moved to end at midnight) becomes 23:59, the last minute the reservation
// dialog offers, and dtEnd follows it.
bool movedRange(double dtStart, double &dtEnd, QTime *start, QTime *end);

} // namespace console::chartpieces
