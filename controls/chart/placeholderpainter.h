#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>

class QPainter;

namespace chart {

class ChartModel;

// A plain drawing of the chart (caption, hour labels, one row per item with
// its name and its pieces as rectangles) that stands in until the full chart
// view exists.
void paintPlaceholder(QPainter &p, const QRect &area, const ChartModel &model, const QPalette &palette,
                      const QFont &font);

} // namespace chart
