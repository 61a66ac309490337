#include "chart/chartmodel.h"

#include "automation/variantconventions.h"
#include "platform/clock.h"

namespace chart {

ChartModel::ChartModel(QObject *parent)
    : QObject(parent)
{
    resetProperties();
    m_modified = false;
    const QTime now = platform::clock::now().time();
    m_curTime = QTime(now.hour(), now.minute());
}

ChartModel::~ChartModel() = default;

ChartItem *ChartModel::itemAt(short index)
{
    return isValidIndex(index) ? &m_items[index] : nullptr;
}

const ChartItem *ChartModel::itemAt(short index) const
{
    return isValidIndex(index) ? &m_items[index] : nullptr;
}

const ChartItem *ChartModel::item(int index) const
{
    return isValidIndex(index) ? &m_items[index] : nullptr;
}

void ChartModel::clampCurrentItem()
{
    const int count = itemCount();
    int cur = m_curItem;
    if (cur > count - 1)
        cur = count - 1;
    if (cur < 0)
        cur = count > 0 ? 0 : -1;
    m_curItem = short(cur);
}

short ChartModel::AddItem(const QString &strItemName, short nPieceType)
{
    ChartItem item;
    item.name = strItemName;
    item.pieceType = nPieceType;
    m_items.append(std::move(item));
    emit itemsChanged();
    return short(m_items.size() - 1);
}

void ChartModel::Clear()
{
    m_items.clear();
    m_curItem = -1;
    emit itemsChanged();
}

short ChartModel::RemoveItem(short nIndex)
{
    if (!isValidIndex(nIndex))
        return -1;
    m_items.removeAt(nIndex);
    m_items.squeeze();
    emit itemsChanged();
    return short(m_items.size());
}

bool ChartModel::SetCurItem(short nIndex)
{
    if (!isValidIndex(nIndex))
        return false;
    const short previous = m_curItem;
    m_curItem = nIndex;
    emit currentItemChanged(previous, nIndex);
    return true;
}

short ChartModel::GetCurItem() const
{
    return m_curItem;
}

QString ChartModel::GetItemName(short nIndex) const
{
    const ChartItem *it = itemAt(nIndex);
    return it ? it->name : QString();
}

short ChartModel::GetItemCount() const
{
    return short(m_items.size());
}

bool ChartModel::SetPieceRange(short nIndex, short nPieceNo, short nStartHor, short nStartMin, short nEndHor,
                               short nEndMin)
{
    ChartItem *it = itemAt(nIndex);
    if (!it)
        return false;
    if (nStartHor < 0 || nStartHor > 47 || nStartMin < 0 || nEndHor < 0 || nEndHor > 47 || nEndMin < 0)
        return false;
    const int startHour = nStartHor + nStartMin / 60;
    const int startMinute = nStartMin % 60;
    const int endHour = nEndHor + nEndMin / 60;
    const int endMinute = nEndMin % 60;
    const int s = startHour * 60 + startMinute;
    const int e = endHour * 60 + endMinute;
    if (e < s || e - s > 1440 || s >= 2880 || e > 2880)
        return false;
    Piece &p = it->pieces[nPieceNo];
    p.startHour = qint16(startHour);
    p.startMinute = qint16(startMinute);
    p.endHour = qint16(endHour);
    p.endMinute = qint16(endMinute);
    emit rowChanged(nIndex);
    return true;
}

short ChartModel::GetPieceRange(short nIndex, short nPieceNo, short nRangeType) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it)
        return -1;
    const Piece *p = it->pieces.find(nPieceNo);
    if (!p)
        return -1;
    switch (nRangeType) {
    case GntStartHour: return p->startHour;
    case GntStartMinute: return p->startMinute;
    case GntEndHour: return p->endHour;
    case GntEndMinute: return p->endMinute;
    default: return -1;
    }
}

bool ChartModel::ShowItem(short nShowFlag)
{
    if (nShowFlag != GntShowItem && nShowFlag != GntHideItem)
        return true;
    const bool visible = nShowFlag == GntShowItem;
    if (visible == m_rowsVisible)
        return false;
    m_rowsVisible = visible;
    emit rowsVisibleChanged(visible);
    return true;
}

bool ChartModel::SetItemName(short nIndex, const QString &strItemName)
{
    ChartItem *it = itemAt(nIndex);
    if (!it)
        return false;
    it->name = strItemName;
    emit viewChanged();
    return true;
}

bool ChartModel::SetPieceType(short nIndex, short nPieceType)
{
    ChartItem *it = itemAt(nIndex);
    if (!it || nPieceType < GntDot || nPieceType > GntRect)
        return false;
    it->pieceType = nPieceType;
    emit rowChanged(nIndex);
    return true;
}

int ChartModel::GetPieceType(short nIndex) const
{
    const ChartItem *it = itemAt(nIndex);
    return it ? it->pieceType : -1;
}

short ChartModel::GetPieceCount(short nIndex) const
{
    const ChartItem *it = itemAt(nIndex);
    return it ? short(it->pieces.size()) : short(-1);
}

bool ChartModel::RemovePiece(short nIndex, short nPieceNo)
{
    ChartItem *it = itemAt(nIndex);
    if (!it || !it->pieces.remove(nPieceNo))
        return false;
    it->colors.remove(nPieceNo);
    emit rowChanged(nIndex);
    return true;
}

short ChartModel::GetPieceFreeNo(short nIndex) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it)
        return -1;
    for (qint16 no = 0; no <= MaxFreePieceNo; ++no) {
        if (!it->pieces.contains(no))
            return no;
    }
    return -1;
}

quint32 ChartModel::GetPieceColor(short nIndex, short nPieceNo) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it)
        return 0;
    if (const quint32 *own = it->colors.find(nPieceNo))
        return *own;
    switch (it->pieceType) {
    case GntDot: return m_pieceDotColor;
    case GntLine: return m_pieceLineColor;
    case GntRect: return m_pieceRectColor;
    default: return 0;
    }
}

bool ChartModel::SetPieceColor(short nIndex, short nPieceNo, quint32 nColor)
{
    ChartItem *it = itemAt(nIndex);
    if (!it)
        return false;
    it->colors[nPieceNo] = nColor;
    emit rowChanged(nIndex);
    return true;
}

bool ChartModel::RemovePieceColor(short nIndex, short nPieceNo)
{
    ChartItem *it = itemAt(nIndex);
    if (!it || !it->colors.remove(nPieceNo))
        return false;
    emit rowChanged(nIndex);
    return true;
}

QString ChartModel::GetPieceText(short nIndex, short nPieceNo) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it)
        return {};
    const Piece *p = it->pieces.find(nPieceNo);
    return p ? p->text : QString();
}

bool ChartModel::SetPieceText(short nIndex, short nPieceNo, const QString &strText)
{
    ChartItem *it = itemAt(nIndex);
    if (!it)
        return false;
    Piece *p = it->pieces.find(nPieceNo);
    if (!p)
        return false;
    p->text = strText;
    emit rowChanged(nIndex);
    return true;
}

short ChartModel::InsertItem(const QString &strItemName, short nPieceType, short nInsertPos)
{
    if (nInsertPos < -1 || (nInsertPos >= 0 && nInsertPos >= itemCount()))
        return -1;
    if (nInsertPos == -1)
        return AddItem(strItemName, nPieceType);
    ChartItem item;
    item.name = strItemName;
    item.pieceType = nPieceType;
    m_items.insert(nInsertPos, std::move(item));
    emit itemsChanged();
    return nInsertPos;
}

QVariant ChartModel::GetAllPieceNo(short nIndex) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it || it->pieces.isEmpty())
        return {};
    QList<qint16> numbers;
    numbers.reserve(it->pieces.size());
    it->pieces.forEach([&](qint16 no, const Piece &) { numbers.append(no); });
    return automation::shortArray(numbers);
}

QVariant ChartModel::findInItems(short nIndex, const std::function<bool(const Piece &)> &match) const
{
    int first = 0;
    int last = itemCount() - 1;
    if (nIndex != -1) {
        if (!isValidIndex(nIndex))
            return {};
        first = last = nIndex;
    }
    QList<std::pair<qint16, qint16>> found;
    for (int i = first; i <= last; ++i) {
        m_items[i].pieces.forEach([&](qint16 no, const Piece &p) {
            if (match(p))
                found.append({qint16(i), no});
        });
    }
    if (found.isEmpty())
        return {};
    return automation::shortPairArray(found);
}

QVariant ChartModel::FindPieceFromText(short nIndex, const QString &strKeyword, short nOptions) const
{
    const bool matchCase = (nOptions & GntMatchCase) != 0;
    const bool wholeWord = (nOptions & GntWholeWord) != 0;
    const QString keyword = matchCase ? strKeyword : strKeyword.toUpper();
    return findInItems(nIndex, [&](const Piece &p) {
        if (keyword.isEmpty())
            return true;
        const QString text = matchCase ? p.text : p.text.toUpper();
        return wholeWord ? text == keyword : text.contains(keyword);
    });
}

QVariant ChartModel::FindPieceFromRange(short nIndex, short nHourStart, short nMinuteStart, short nHourEnd,
                                        short nMinuteEnd, short nOptions) const
{
    // 16-bit arithmetic, minutes not normalised.
    const qint16 a = qint16(nHourStart * 60 + nMinuteStart);
    const qint16 b = qint16(nHourEnd * 60 + nMinuteEnd);
    if (b < a)
        return {};
    const bool allIncluded = nOptions == GntAllIncluded;
    return findInItems(nIndex, [&](const Piece &p) {
        const int ps = p.startMinutes();
        const int pe = p.endMinutes();
        if (allIncluded)
            return ps <= a && b <= pe;
        return (ps <= a && a <= pe) || (ps <= b && b <= pe) || (a <= ps && pe <= b);
    });
}

bool ChartModel::GetPieceRange2(short nIndex, short nPieceNo, double &dtStart, double &dtEnd) const
{
    const ChartItem *it = itemAt(nIndex);
    if (!it)
        return false;
    const Piece *p = it->pieces.find(nPieceNo);
    if (!p)
        return false;
    dtStart = chartTimeToDate(p->startHour, p->startMinute);
    dtEnd = chartTimeToDate(p->endHour, p->endMinute);
    return true;
}

double ChartModel::chartTimeToDate(int hour, int minute)
{
    const QDate today = platform::clock::today();
    const int days = hour >= 0 ? hour / 24 : -((-hour + 23) / 24);
    const QDateTime dt(today.addDays(days), QTime(hour - days * 24, minute));
    return automation::toOleDate(dt);
}

bool ChartModel::dateToChartTime(double oleDate, int *hour, int *minute)
{
    const QDateTime dt = automation::fromOleDate(oleDate);
    if (!dt.isValid())
        return false;
    const qint64 days = platform::clock::today().daysTo(dt.date());
    const qint64 h = days * 24 + dt.time().hour();
    if (h < -32768 || h > 32767)
        return false;
    *hour = int(h);
    *minute = dt.time().minute();
    return true;
}

} // namespace chart
