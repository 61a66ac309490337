// Property persistence: every property by name with the version stamp 1.3.
#include "chart/chartmodel.h"

#include "chart/olecolor.h"

#include "automation/propertybag.h"

#include <cmath>

namespace chart {
namespace {

// PieceTextPosition has always been persisted under this spelling.
const QString PieceTextPositionKey = QStringLiteral("PieceTextPostion");

// Values that cannot be read as the property's type keep the default.
quint32 readColor(const automation::PropertyBag &bag, const QString &name, quint32 def)
{
    bool ok = false;
    const qlonglong v = bag.read(name).toLongLong(&ok);
    return ok && v >= 0 && v <= qlonglong(0xFFFFFFFFu) ? quint32(v) : def;
}

bool readBool(const automation::PropertyBag &bag, const QString &name, bool def)
{
    const QVariant v = bag.read(name);
    if (!v.isValid())
        return def;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : def;
}

qlonglong readInteger(const automation::PropertyBag &bag, const QString &name, qlonglong def, qlonglong lo,
                      qlonglong hi)
{
    bool ok = false;
    const qlonglong v = bag.read(name).toLongLong(&ok);
    return ok && v >= lo && v <= hi ? v : def;
}

short readShort(const automation::PropertyBag &bag, const QString &name, short def)
{
    return short(readInteger(bag, name, def, -32768, 32767));
}

int readInt(const automation::PropertyBag &bag, const QString &name, int def)
{
    return int(readInteger(bag, name, def, INT_MIN, INT_MAX));
}

float readFloat(const automation::PropertyBag &bag, const QString &name, float def)
{
    bool ok = false;
    const double v = bag.read(name).toDouble(&ok);
    return ok && std::isfinite(v) ? float(v) : def;
}

// Sizes in the host's coordinate units to HIMETRIC.  This host works in
// HIMETRIC, so the conversion keeps the value.
float hostUnitsToHimetric(float v)
{
    return v;
}

} // namespace

void ChartModel::saveProperties(automation::PropertyBag &bag) const
{
    bag.setVersion(VersionMajor, VersionMinor);
    bag.write(QStringLiteral("BackColor"), m_backColor);
    bag.write(QStringLiteral("Caption"), m_caption);
    bag.write(QStringLiteral("Enabled"), m_enabled);
    bag.write(QStringLiteral("Font"), m_font.toString());
    bag.write(QStringLiteral("ForeColor"), m_foreColor);
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle);
    bag.write(QStringLiteral("Appearance"), m_appearance);

    bag.write(QStringLiteral("ScaleBackColor"), m_scaleBackColor);
    bag.write(QStringLiteral("ScaleForeColor"), m_scaleForeColor);
    bag.write(QStringLiteral("CaptionBackColor"), m_captionBackColor);
    bag.write(QStringLiteral("CaptionForeColor"), m_captionForeColor);
    bag.write(QStringLiteral("PieceDotColor"), m_pieceDotColor);
    bag.write(QStringLiteral("PieceLineColor"), m_pieceLineColor);
    bag.write(QStringLiteral("PieceRectColor"), m_pieceRectColor);
    bag.write(QStringLiteral("ItemNameBackColor"), m_itemNameBackColor);
    bag.write(QStringLiteral("ItemNameForeColor"), m_itemNameForeColor);
    bag.write(QStringLiteral("ShowCursor"), m_showCursor);
    bag.write(QStringLiteral("ItemNameWidth"), m_itemNameWidth);
    bag.write(QStringLiteral("ShowCurTime"), m_showCurTime);
    bag.write(QStringLiteral("ChartStyle"), m_chartStyle);
    bag.write(QStringLiteral("ShowPieceTime"), m_showPieceTime);
    bag.write(QStringLiteral("ScaleInterval"), m_scaleInterval);
    bag.write(QStringLiteral("ScaleRangeTop"), m_scaleRangeTop);
    bag.write(QStringLiteral("ScaleRangeEnd"), m_scaleRangeEnd);
    bag.write(QStringLiteral("FontStyle"), m_fontStyle);
    // Written by version 1.2 and later.
    bag.write(QStringLiteral("ScaleMode"), m_scaleMode);
    bag.write(QStringLiteral("ScaleWidth"), m_scaleWidth);
    bag.write(QStringLiteral("ItemHeightMode"), m_itemHeightMode);
    bag.write(QStringLiteral("ItemHeight"), m_itemHeight);
    bag.write(PieceTextPositionKey, m_pieceTextPosition);
    bag.write(QStringLiteral("UIMask"), m_uiMask);
    bag.write(QStringLiteral("PieceTextColor"), m_pieceTextColor);
    bag.write(QStringLiteral("GridColor"), m_gridColor);
    bag.write(QStringLiteral("ActionStyle"), m_actionStyle);
    bag.write(QStringLiteral("ScaleMinuteInterval"), m_scaleMinuteInterval);
}

void ChartModel::loadProperties(const automation::PropertyBag &bag)
{
    const bool blocked = signalsBlocked();
    blockSignals(true);
    resetProperties();
    blockSignals(blocked);

    m_backColor = readColor(bag, QStringLiteral("BackColor"), m_backColor);
    m_caption = bag.read(QStringLiteral("Caption"), m_caption).toString();
    m_enabled = readBool(bag, QStringLiteral("Enabled"), m_enabled);
    if (bag.contains(QStringLiteral("Font"))) {
        QFont font;
        if (font.fromString(bag.read(QStringLiteral("Font")).toString()))
            m_font = font;
    }
    m_foreColor = readColor(bag, QStringLiteral("ForeColor"), m_foreColor);
    m_borderStyle = readShort(bag, QStringLiteral("BorderStyle"), m_borderStyle);
    m_appearance = readShort(bag, QStringLiteral("Appearance"), m_appearance);
    // Properties that default to the control's foreground colour follow it.
    m_pieceTextColor = m_foreColor;
    m_gridColor = m_foreColor;

    m_scaleBackColor = readColor(bag, QStringLiteral("ScaleBackColor"), m_scaleBackColor);
    m_scaleForeColor = readColor(bag, QStringLiteral("ScaleForeColor"), m_scaleForeColor);
    m_captionBackColor = readColor(bag, QStringLiteral("CaptionBackColor"), m_captionBackColor);
    m_captionForeColor = readColor(bag, QStringLiteral("CaptionForeColor"), m_captionForeColor);
    m_pieceDotColor = readColor(bag, QStringLiteral("PieceDotColor"), m_pieceDotColor);
    m_pieceLineColor = readColor(bag, QStringLiteral("PieceLineColor"), m_pieceLineColor);
    m_pieceRectColor = readColor(bag, QStringLiteral("PieceRectColor"), m_pieceRectColor);
    m_itemNameBackColor = readColor(bag, QStringLiteral("ItemNameBackColor"), m_itemNameBackColor);
    m_itemNameForeColor = readColor(bag, QStringLiteral("ItemNameForeColor"), m_itemNameForeColor);
    m_showCursor = readBool(bag, QStringLiteral("ShowCursor"), m_showCursor);
    // Data older than 1.1 holds the width in the host's units.
    const float width = readFloat(bag, QStringLiteral("ItemNameWidth"), m_itemNameWidth);
    m_itemNameWidth = bag.versionAtLeast(1, 1) ? width : hostUnitsToHimetric(width);
    m_showCurTime = readBool(bag, QStringLiteral("ShowCurTime"), m_showCurTime);
    m_chartStyle = readInt(bag, QStringLiteral("ChartStyle"), m_chartStyle);
    m_showPieceTime = readBool(bag, QStringLiteral("ShowPieceTime"), m_showPieceTime);
    m_scaleInterval = readShort(bag, QStringLiteral("ScaleInterval"), m_scaleInterval);
    m_scaleRangeTop = readShort(bag, QStringLiteral("ScaleRangeTop"), m_scaleRangeTop);
    m_scaleRangeEnd = readShort(bag, QStringLiteral("ScaleRangeEnd"), m_scaleRangeEnd);
    m_fontStyle = readInt(bag, QStringLiteral("FontStyle"), m_fontStyle);

    if (bag.versionAtLeast(1, 2)) {
        m_scaleMode = readInt(bag, QStringLiteral("ScaleMode"), m_scaleMode);
        m_scaleWidth = readFloat(bag, QStringLiteral("ScaleWidth"), m_scaleWidth);
        m_itemHeightMode = readInt(bag, QStringLiteral("ItemHeightMode"), m_itemHeightMode);
        m_itemHeight = readFloat(bag, QStringLiteral("ItemHeight"), m_itemHeight);
        m_pieceTextPosition = readInt(bag, PieceTextPositionKey, m_pieceTextPosition);
        m_uiMask = readInt(bag, QStringLiteral("UIMask"), m_uiMask);
        m_pieceTextColor = readColor(bag, QStringLiteral("PieceTextColor"), m_pieceTextColor);
        m_gridColor = readColor(bag, QStringLiteral("GridColor"), m_gridColor);
        m_actionStyle = readInt(bag, QStringLiteral("ActionStyle"), m_actionStyle);
        m_scaleMinuteInterval = readShort(bag, QStringLiteral("ScaleMinuteInterval"), m_scaleMinuteInterval);
    } else if (m_chartStyle != GntFlatFace) {
        // Raised charts of older data draw their grid in the button shadow.
        m_gridColor = olecolor::system(olecolor::ButtonShadow);
    }

    // Stored data is not trusted to respect the write rules: bring the scale
    // values into the ranges a write would leave.
    if (m_scaleInterval > 12)
        m_scaleInterval = 24;
    else if (m_scaleInterval <= 0)
        m_scaleInterval = 1;
    m_scaleRangeTop = short(qBound(0, int(m_scaleRangeTop), 46));
    if (m_scaleRangeEnd <= m_scaleRangeTop)
        m_scaleRangeEnd = short(m_scaleRangeTop + 1);
    else if (m_scaleRangeEnd > m_scaleRangeTop + 24)
        m_scaleRangeEnd = short(m_scaleRangeTop + 24);
    if (m_scaleRangeEnd >= 48)
        m_scaleRangeEnd = 47;
    m_scaleMinuteInterval = short(qBound(0, int(m_scaleMinuteInterval), 60));

    m_modified = false;
    emit fontChanged(m_font);
    emit enabledChanged(m_enabled);
    emit layoutChanged();
}

} // namespace chart
