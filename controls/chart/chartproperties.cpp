// Property defaults, writes and their clamping rules.
#include "chart/chartmodel.h"

#include "chart/olecolor.h"

namespace chart {

void ChartModel::touch()
{
    m_modified = true;
}

template<typename T>
void ChartModel::assign(T &member, const T &value, void (ChartModel::*notify)())
{
    member = value;
    touch();
    if (notify)
        (this->*notify)();
}

void ChartModel::resetProperties()
{
    const quint32 fore = olecolor::HostForeColor;
    const quint32 back = olecolor::HostBackColor;

    m_backColor = back;
    m_caption.clear();
    m_enabled = true;
    m_font = QFont();
    m_foreColor = fore;
    m_borderStyle = BorderNone;
    m_appearance = Gnt3D;

    m_scaleForeColor = fore;
    m_scaleBackColor = back;
    m_captionBackColor = back;
    m_captionForeColor = fore;
    m_pieceDotColor = back;
    m_pieceLineColor = fore;
    m_pieceRectColor = back;
    m_showPieceTime = true;
    m_showCursor = true;
    m_showCurTime = false;
    m_scaleInterval = 3;
    m_scaleRangeTop = 0;
    m_scaleRangeEnd = 24;
    m_chartStyle = GntFlatFace;
    m_itemNameForeColor = fore;
    m_itemNameBackColor = back;
    m_fontStyle = GntFlatFont;
    m_itemNameWidth = 3000.0f;
    m_pieceTextPosition = GntTextPosCenter;
    m_scaleMode = GntWindowFit;
    m_scaleWidth = 1600.0f;
    m_itemHeightMode = GntIhmAutomatic;
    m_itemHeight = 0.0f;
    m_uiMask = 0;
    m_pieceTextColor = m_foreColor;
    m_gridColor = m_foreColor;
    m_actionStyle = GntBrowse;
    m_scaleMinuteInterval = 15;
    m_modified = true;
    emit fontChanged(m_font);
    emit enabledChanged(m_enabled);
    emit layoutChanged();
}

// ---- Stock properties ----

void ChartModel::setBackColor(quint32 c) { assign(m_backColor, c, &ChartModel::viewChanged); }
void ChartModel::setCaption(const QString &caption) { assign(m_caption, caption, &ChartModel::viewChanged); }
void ChartModel::setForeColor(quint32 c) { assign(m_foreColor, c, &ChartModel::viewChanged); }
void ChartModel::setBorderStyle(short style) { assign(m_borderStyle, style, &ChartModel::layoutChanged); }
void ChartModel::setAppearance(short appearance) { assign(m_appearance, appearance, &ChartModel::layoutChanged); }

void ChartModel::setEnabled(bool enabled)
{
    m_enabled = enabled;
    touch();
    emit enabledChanged(enabled);
    emit viewChanged();
}

void ChartModel::setFont(const QFont &font)
{
    m_font = font;
    touch();
    emit fontChanged(font);
    emit layoutChanged();
}

// ---- Custom properties ----

void ChartModel::setScaleForeColor(quint32 c) { assign(m_scaleForeColor, c, &ChartModel::viewChanged); }
void ChartModel::setScaleBackColor(quint32 c) { assign(m_scaleBackColor, c, &ChartModel::viewChanged); }
void ChartModel::setCaptionBackColor(quint32 c) { assign(m_captionBackColor, c, &ChartModel::viewChanged); }
void ChartModel::setCaptionForeColor(quint32 c) { assign(m_captionForeColor, c, &ChartModel::viewChanged); }
void ChartModel::setPieceDotColor(quint32 c) { assign(m_pieceDotColor, c, &ChartModel::viewChanged); }
void ChartModel::setPieceLineColor(quint32 c) { assign(m_pieceLineColor, c, &ChartModel::viewChanged); }
void ChartModel::setPieceRectColor(quint32 c) { assign(m_pieceRectColor, c, &ChartModel::viewChanged); }
void ChartModel::setShowPieceTime(bool on) { assign(m_showPieceTime, on, &ChartModel::layoutChanged); }
void ChartModel::setShowCursor(bool on) { assign(m_showCursor, on, &ChartModel::viewChanged); }
void ChartModel::setShowCurTime(bool on) { assign(m_showCurTime, on, &ChartModel::layoutChanged); }

void ChartModel::setScaleInterval(short hours)
{
    short v = hours;
    if (v > 12)
        v = 24;
    else if (v <= 0)
        v = 1;
    assign(m_scaleInterval, v, &ChartModel::viewChanged);
}

void ChartModel::setScaleRangeTop(short hour)
{
    short v = hour;
    if (v < 0)
        v = 0;
    else if (v >= m_scaleRangeEnd)
        v = short(m_scaleRangeEnd - 1);
    if (v > 46)
        v = 46;
    assign(m_scaleRangeTop, v, &ChartModel::layoutChanged);
}

void ChartModel::setScaleRangeEnd(short hour)
{
    int v = hour;
    if (v <= m_scaleRangeTop)
        v = m_scaleRangeTop + 1;
    else if (v > m_scaleRangeTop + 24)
        v = m_scaleRangeTop + 24;
    if (v >= 48)
        v = 47;
    assign(m_scaleRangeEnd, short(v), &ChartModel::layoutChanged);
}

void ChartModel::setChartStyle(int style) { assign(m_chartStyle, style, &ChartModel::viewChanged); }
void ChartModel::setItemNameForeColor(quint32 c) { assign(m_itemNameForeColor, c, &ChartModel::viewChanged); }
void ChartModel::setItemNameBackColor(quint32 c) { assign(m_itemNameBackColor, c, &ChartModel::viewChanged); }
void ChartModel::setFontStyle(int style) { assign(m_fontStyle, style, &ChartModel::viewChanged); }
void ChartModel::setItemNameWidth(float himetric) { assign(m_itemNameWidth, himetric, &ChartModel::layoutChanged); }
void ChartModel::setPieceTextPosition(int position)
{
    assign(m_pieceTextPosition, position, &ChartModel::viewChanged);
}
void ChartModel::setScaleMode(int mode) { assign(m_scaleMode, mode, &ChartModel::layoutChanged); }
void ChartModel::setScaleWidth(float himetric) { assign(m_scaleWidth, himetric, &ChartModel::layoutChanged); }
void ChartModel::setItemHeightMode(int mode) { assign(m_itemHeightMode, mode, &ChartModel::layoutChanged); }
void ChartModel::setItemHeight(float himetric) { assign(m_itemHeight, himetric, &ChartModel::layoutChanged); }
void ChartModel::setUIMask(int mask) { assign(m_uiMask, mask, static_cast<void (ChartModel::*)()>(nullptr)); }
void ChartModel::setPieceTextColor(quint32 c) { assign(m_pieceTextColor, c, &ChartModel::viewChanged); }
void ChartModel::setGridColor(quint32 c) { assign(m_gridColor, c, &ChartModel::viewChanged); }
void ChartModel::setActionStyle(int style) { assign(m_actionStyle, style, &ChartModel::viewChanged); }

void ChartModel::setScaleMinuteInterval(short minutes)
{
    const short v = short(qBound(0, int(minutes), 60));
    if (v == m_scaleMinuteInterval)
        return;
    assign(m_scaleMinuteInterval, v, &ChartModel::viewChanged);
}

} // namespace chart
