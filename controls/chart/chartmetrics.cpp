#include "chart/chartmetrics.h"

#include "chart/chartmodel.h"

#include <QtMath>

namespace chart {

int ChartMetrics::toPixels(double himetric, double dpi)
{
    return int(qRound(himetric * dpi / 2540.0));
}

float ChartMetrics::toHimetric(int pixels, double dpi)
{
    return dpi > 0 ? float(qRound(pixels * 2540.0 / dpi)) : 0.0f;
}

ChartMetrics ChartMetrics::compute(const ChartModel &model, const QFontMetrics &fm, double dpiX, double dpiY,
                                   int scrollBarWidth)
{
    ChartMetrics m;
    m.w = qMax(1, fm.horizontalAdvance(QLatin1Char('0')));
    m.h = qMax(1, fm.height());
    m.timeBandHeight = model.ShowCurTime() ? m.h / 2 : 0;
    m.labelBandHeight = m.h + m.h / 4;
    m.tickBandHeight = m.h / 2 + 1;
    m.headerHeight = 2 * m.h + m.timeBandHeight + 3;
    // Sizes from the host are not trusted to be sane: a negative column or a
    // zero row height or hour width would break the layout arithmetic.
    m.itemColumnWidth = qMax(0, toPixels(model.ItemNameWidth(), dpiX));
    m.autoRowHeight = model.ShowPieceTime() ? 3 * m.h : m.h + m.h / 2;
    if (model.ItemHeightMode() == GntIhmFreeSize && model.ItemHeight() > 0)
        m.rowHeight = qMax(2, toPixels(model.ItemHeight(), dpiY));
    else
        m.rowHeight = m.autoRowHeight;
    m.pixelsPerHour = qMax(1, toPixels(model.ScaleWidth(), dpiX));
    m.scrollBarWidth = qMax(0, scrollBarWidth);
    return m;
}

} // namespace chart
