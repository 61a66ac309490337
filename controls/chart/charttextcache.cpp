#include "chart/charttextcache.h"

namespace chart {

ChartTextCache::Texts *ChartTextCache::forFont(const QFont &font)
{
    const QString key = font.key();
    auto it = m_tables.find(key);
    if (it == m_tables.end()) {
        if (m_tables.size() >= MaxFonts)
            m_tables.clear();
        it = m_tables.insert(key, Texts());
        it->m_font = font;
    }
    return &*it;
}

const QStaticText &ChartTextCache::Texts::text(const QString &s)
{
    if (m_texts.size() >= MaxEntries)
        m_texts.clear();
    auto it = m_texts.find(s);
    if (it == m_texts.end()) {
        QStaticText st(s);
        st.setTextFormat(Qt::PlainText);
        st.setPerformanceHint(QStaticText::AggressiveCaching);
        st.prepare(QTransform(), m_font);
        it = m_texts.insert(s, st);
    }
    return *it;
}

} // namespace chart
