#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>

namespace chart {

// Laid-out texts kept between repaints: the chart draws the same short texts
// (times, piece texts, hour labels, names) over and over, and laying a text
// out costs far more than drawing it.  One table per font (the header and the
// rows may be drawn with fonts that differ in some detail); a table that
// grows past its limit starts again.
class ChartTextCache
{
public:
    static constexpr int MaxEntries = 8192;
    static constexpr int MaxFonts = 4;

    class Texts
    {
    public:
        const QStaticText &text(const QString &s);

    private:
        friend class ChartTextCache;
        QFont m_font;
        QHash<QString, QStaticText> m_texts;
    };

    // The table for a font; look it up once per repaint.
    Texts *forFont(const QFont &font);

private:
    QHash<QString, Texts> m_tables;
};

} // namespace chart
