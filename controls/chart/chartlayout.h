#pragma once

#include "chart/chartmetrics.h"

#include <QRect>

namespace chart {

struct ChartItem;
struct Piece;

// Where everything of the chart lies for one set of metrics, one control
// size and one scroll position: the header's cells and bands, the chart view
// with its rows, and the time axis (time <-> x) shared by the header's scale
// and the rows' piece areas.
//
// Header rectangles are in control coordinates; rows, pieces and the time
// axis in the chart view's coordinates.  The time axis maps the visible hours
// onto the rows' piece area (from the item column to the vertical scroll
// bar).  The view spans the control's full width, so an x of the view and the
// same x of the header show the same time: the header's ticks and labels
// stand over the rows' grid lines and pieces.
struct ChartLayout
{
    ChartMetrics metrics;

    QRect client;       // the control's drawing area
    QRect header;       // full width, header height
    QRect captionCell;  // the item column's part of the header
    QRect scaleCell;    // the rest of the header
    QRect scaleClip;    // the scale cell without the scroll bar's width at the right
    QRect tickArea;     // the tick band: over the rows' piece area (the time axis)
    QRect labelBand;    // above the ticks, same horizontal extent
    QRect timeBand;     // below the ticks (current-time marker)
    QRect view;         // the chart view, below the header (control coordinates)
    QSize viewport;     // the chart view's drawing area, without its scroll bars

    bool freeSize = false;
    int rangeTop = 0;        // ScaleRangeTop
    int rangeEnd = 24;       // ScaleRangeEnd
    int firstHour = 0;       // F
    int lastHour = 24;       // L
    int minuteInterval = 15; // snapping step, 0 = none
    int timeLeft = 0;        // left of the time axis in view coordinates: the piece area's left
    int timeWidth = 1;       // the piece area's width (window fit: hours F..L fill it)

    int firstRow = 0;   // the vertical scroll position
    int itemCount = 0;

    // Lays the chart out.  firstHour is the horizontal scroll position in
    // free-size mode (ignored in window fit); it is kept inside the range.
    static ChartLayout compute(const ChartMetrics &metrics, const QRect &client, int rangeTop, int rangeEnd,
                               bool freeSize, int minuteInterval, int itemCount, int firstRow, int firstHour,
                               int horizontalScrollBarHeight);

    // ---- Time axis ----
    // x offset from the axis left of hour:minute (hours past midnight).
    int offsetOf(int hour, int minute) const;
    int offsetOf(int minutes) const { return offsetOf(minutes / 60, minutes % 60); }
    // x in view coordinates (add client.left() for the header).
    int xOf(int minutes) const { return timeLeft + offsetOf(minutes); }
    // x of a line drawn at that time (ticks, grid lines): a time at the axis'
    // right end falls one pixel past the area, so its line takes the area's
    // last column.
    int lineX(int minutes) const
    {
        const int x = xOf(minutes);
        return x == timeLeft + timeWidth ? x - 1 : x;
    }
    // The time (minutes past midnight) at view x; with snap, raised to the next
    // multiple of the minute interval (a multiple stays).
    int minutesAt(int x, bool snap) const;

    // ---- Rows ----
    int wholeRowsFit() const;   // whole rows in the view (the vertical page)
    int visibleRowCount() const; // rows drawn: whole rows plus a part row, up to the last item
    // Row of an item in view coordinates (may lie outside the view).
    QRect rowRect(int item) const;
    QRect nameCell(int item) const;
    QRect pieceArea(int item) const;
    // The item drawn at view y, or -1 below the last drawn row.
    int itemAtY(int y) const;
    int rowsBottom() const; // y just below the last drawn row

    // ---- Pieces ----
    // The drawn rectangle of a piece in a row: Dot a circle's box of radius
    // h / 3 around the start; Line and Rect the box from start to end, h + 2
    // high around the row centre.
    QRect pieceRect(int pieceType, const Piece &piece, const QRect &row) const;
    int dotRadius() const { return metrics.h / 3; }
};

} // namespace chart
