#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QPalette>
#include <QTime>

#include "chart/charttextcache.h"

class QPainter;
class QRect;
class QString;

namespace chart {

class ChartModel;
struct ChartItem;
struct ChartLayout;

// Draws the chart into any QPainter (the widget, an image for tests and
// benchmarks): the header band (caption cell, hour scale, current-time
// marker) in control coordinates and the rows of the chart view in view
// coordinates.  Colours are the model's OLE colours, system colours taken
// from the palette.
class ChartPainter
{
public:
    // The cache, when given, keeps laid-out texts between repaints.
    ChartPainter(const ChartModel &model, const ChartLayout &layout, const QPalette &palette, const QFont &font,
                 ChartTextCache *cache = nullptr);

    void paintHeader(QPainter &p) const;
    // The chart view's rows that meet `dirty` (view coordinates).
    void paintView(QPainter &p, const QRect &dirty, bool hasFocus) const;
    void paintRow(QPainter &p, int item, bool hasFocus) const;

    // The 3-D frame colours of a Rect piece of colour c (0x00BBGGRR): light
    // takes each byte b to ((3 * b) mod 256) | 0x80, dark to b / 2.
    static quint32 rectLightColor(quint32 c);
    static quint32 rectDarkColor(quint32 c);

    // Text placed in a rectangle by Qt alignment flags, one line, not clipped,
    // drawn in the passes of a FontStyle (GntFlatFont ... GntInsetSFont).
    void styledText(QPainter &p, const QRect &r, int align, const QString &text, int fontStyle,
                    const QColor &c) const;
    void plainText(QPainter &p, const QRect &r, int align, const QString &text) const;

private:
    QColor color(quint32 ole) const;
    QColor system(int index) const;
    void frame3D(QPainter &p, const QRect &r, const QColor &light, const QColor &dark) const;
    void paintNameCell(QPainter &p, int item, const QRect &cell, bool hasFocus) const;
    void paintPieces(QPainter &p, int item, const QRect &row) const;
    void paintCaption(QPainter &p) const;
    void paintScale(QPainter &p) const;

    const ChartModel &m_model;
    const ChartLayout &m_layout;
    const QPalette &m_palette;
    QFont m_font;
    QFontMetrics m_fm;
    ChartTextCache::Texts *m_texts;
};

} // namespace chart
