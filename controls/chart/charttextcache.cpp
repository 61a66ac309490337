#include "chart/charttextcache.h"

namespace chart {

const QStaticText &ChartTextCache::text(const QString &s, const QFont &font)
{
    if (!(font == m_font) || m_texts.size() >= MaxEntries) {
        m_texts.clear();
        m_font = font;
    }
    auto it = m_texts.find(s);
    if (it == m_texts.end()) {
        QStaticText st(s);
        st.setTextFormat(Qt::PlainText);
        st.setPerformanceHint(QStaticText::AggressiveCaching);
        st.prepare(QTransform(), font);
        it = m_texts.insert(s, st);
    }
    return *it;
}

} // namespace chart
