#pragma once

#include <QFontMetrics>

namespace chart {

class ChartModel;

// The sizes every part of the chart derives from: the width and height of
// "0" in the control's font, the bands of the header, the item column, the
// row height and (free-size scale) the pixels per hour.  Recomputed whenever
// the font, the size or a layout property changes.
struct ChartMetrics
{
    int w = 0;                // width of "0"
    int h = 0;                // height of "0"
    int timeBandHeight = 0;   // h / 2 with the current-time marker, else 0
    int labelBandHeight = 0;  // h + h / 4
    int tickBandHeight = 0;   // h / 2 + 1
    int headerHeight = 0;     // 2h + time band + 3
    int itemColumnWidth = 0;  // ItemNameWidth in pixels
    int rowHeight = 1;        // automatic (3h or 1.5h) or ItemHeight in pixels
    int autoRowHeight = 1;    // what the automatic mode gives
    int pixelsPerHour = 1;    // free-size scale: ScaleWidth in pixels
    int scrollBarWidth = 0;   // the vertical scroll bar's width (system metric)

    // HIMETRIC (0.01 mm) to pixels and back at a resolution in dots per inch.
    static int toPixels(double himetric, double dpi);
    static float toHimetric(int pixels, double dpi);

    static ChartMetrics compute(const ChartModel &model, const QFontMetrics &fm, double dpiX, double dpiY,
                                int scrollBarWidth);
};

} // namespace chart
