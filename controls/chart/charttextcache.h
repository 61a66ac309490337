#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>

namespace chart {

// Laid-out texts kept between repaints: the chart draws the same short texts
// (times, piece texts, hour labels) over and over, and laying a text out
// costs far more than drawing it.  Emptied when the font changes or when it
// has grown past its limit.
class ChartTextCache
{
public:
    static constexpr int MaxEntries = 8192;

    const QStaticText &text(const QString &s, const QFont &font);

private:
    QFont m_font;
    QHash<QString, QStaticText> m_texts;
};

} // namespace chart
