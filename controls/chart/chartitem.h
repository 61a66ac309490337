#pragma once

#include "chart/buckettable.h"
#include "chart/piece.h"

#include <QString>

namespace chart {

// One row of the chart: a name, how its pieces are drawn, its pieces and the
// own colours of piece numbers (a colour may exist for a number without a piece).
struct ChartItem
{
    QString name;
    qint16 pieceType = 0;  // GntPieceTypeConstants; stored unchecked by AddItem/InsertItem
    qint32 reserved = 0;   // kept for the record layout; nothing reads it
    BucketTable<Piece> pieces;
    BucketTable<quint32> colors;
};

} // namespace chart
