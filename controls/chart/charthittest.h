#pragma once

#include <QPoint>

namespace chart {

class ChartModel;
struct ChartLayout;

// What lies under a point of the chart view.
enum HitCode {
    HitPieceArea = 0,  // a row's piece area, on no piece
    HitItemName = 1,   // a row's name cell
    HitBelowRows = 2,  // below the last drawn row (no item)
    HitPieceBody = 3,
    HitPieceStart = 4, // a piece's start edge
    HitPieceEnd = 5,   // a piece's end edge
    HitRowHeight = 6,  // the bottom border of the first visible row (free row height only)
};

struct HitResult
{
    int code = HitBelowRows;
    int item = -1;
    int piece = -1;

    bool onPiece() const { return code >= HitPieceBody && code <= HitPieceEnd; }
    bool operator==(const HitResult &) const = default;
};

// The hit test of a point in the chart view (view coordinates).  Edges are
// caught within EdgeTolerance pixels of a piece's left or right side; the
// row-height handle within RowHandleTolerance pixels of the first row's
// bottom border, in the name column.
HitResult hitTest(const ChartModel &model, const ChartLayout &layout, const QPoint &pos);

constexpr int EdgeTolerance = 4;
constexpr int RowHandleTolerance = 2;

} // namespace chart
