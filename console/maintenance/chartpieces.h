#pragma once

#include <QList>
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

} // namespace console::chartpieces
