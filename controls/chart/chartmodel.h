#pragma once

#include "chart/chartitem.h"
#include "chart/ganttconstants.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QTime>
#include <QVariant>

#include <functional>

namespace automation {
class PropertyBag;
}

namespace chart {

// A range event due at one clock minute: PieceRangeStart (start = true) or
// PieceRangeEnd of a piece.
struct RangeEvent
{
    qint16 item;
    qint16 piece;
    bool start;
    bool operator==(const RangeEvent &) const = default;
};

// The whole state of the time-chart control Ganttline, without any drawing:
// the items with their pieces and colours, the current item, the rows-visible
// flag, every property (stock and custom), property persistence, the time of
// the last minute change and the range events.
//
// Automation members keep the control's names, argument order and 16-bit
// types; no member raises: bad arguments give false, -1, 0, an empty text or
// an empty variant and leave the model unchanged.
//
// The view listens to the redraw signals (rowChanged, viewChanged,
// layoutChanged, itemsChanged, currentItemChanged, rowsVisibleChanged,
// curTimeChanged); the host listens to the event signals PieceRangeStart ...
// ItemDblClick.  Interaction code raises the UI events by emitting them.
class ChartModel : public QObject
{
    Q_OBJECT

    // Stock properties (the widget applies Enabled and Font to itself).
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)

    // Custom properties 1..28.
    Q_PROPERTY(quint32 ScaleForeColor READ ScaleForeColor WRITE setScaleForeColor)
    Q_PROPERTY(quint32 ScaleBackColor READ ScaleBackColor WRITE setScaleBackColor)
    Q_PROPERTY(quint32 CaptionBackColor READ CaptionBackColor WRITE setCaptionBackColor)
    Q_PROPERTY(quint32 CaptionForeColor READ CaptionForeColor WRITE setCaptionForeColor)
    Q_PROPERTY(quint32 PieceDotColor READ PieceDotColor WRITE setPieceDotColor)
    Q_PROPERTY(quint32 PieceLineColor READ PieceLineColor WRITE setPieceLineColor)
    Q_PROPERTY(quint32 PieceRectColor READ PieceRectColor WRITE setPieceRectColor)
    Q_PROPERTY(bool ShowPieceTime READ ShowPieceTime WRITE setShowPieceTime)
    Q_PROPERTY(bool ShowCursor READ ShowCursor WRITE setShowCursor)
    Q_PROPERTY(bool ShowCurTime READ ShowCurTime WRITE setShowCurTime)
    Q_PROPERTY(short ScaleInterval READ ScaleInterval WRITE setScaleInterval)
    Q_PROPERTY(short ScaleRangeTop READ ScaleRangeTop WRITE setScaleRangeTop)
    Q_PROPERTY(short ScaleRangeEnd READ ScaleRangeEnd WRITE setScaleRangeEnd)
    Q_PROPERTY(int ChartStyle READ ChartStyle WRITE setChartStyle)
    Q_PROPERTY(quint32 ItemNameForeColor READ ItemNameForeColor WRITE setItemNameForeColor)
    Q_PROPERTY(quint32 ItemNameBackColor READ ItemNameBackColor WRITE setItemNameBackColor)
    Q_PROPERTY(int FontStyle READ FontStyle WRITE setFontStyle)
    Q_PROPERTY(float ItemNameWidth READ ItemNameWidth WRITE setItemNameWidth)
    Q_PROPERTY(int PieceTextPosition READ PieceTextPosition WRITE setPieceTextPosition)
    Q_PROPERTY(int ScaleMode READ ScaleMode WRITE setScaleMode)
    Q_PROPERTY(float ScaleWidth READ ScaleWidth WRITE setScaleWidth)
    Q_PROPERTY(int ItemHeightMode READ ItemHeightMode WRITE setItemHeightMode)
    Q_PROPERTY(float ItemHeight READ ItemHeight WRITE setItemHeight)
    Q_PROPERTY(int UIMask READ UIMask WRITE setUIMask)
    Q_PROPERTY(quint32 PieceTextColor READ PieceTextColor WRITE setPieceTextColor)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE setGridColor)
    Q_PROPERTY(int ActionStyle READ ActionStyle WRITE setActionStyle)
    Q_PROPERTY(short ScaleMinuteInterval READ ScaleMinuteInterval WRITE setScaleMinuteInterval)

public:
    // The persisted version stamp.
    static constexpr int VersionMajor = 1;
    static constexpr int VersionMinor = 3;
    // GetPieceFreeNo searches 0..MaxFreePieceNo.
    static constexpr qint16 MaxFreePieceNo = 9999;

    explicit ChartModel(QObject *parent = nullptr);
    ~ChartModel() override;

    // ---- Automation methods (dispatch identifiers 29..54) ----
    Q_INVOKABLE short AddItem(const QString &strItemName, short nPieceType);
    Q_INVOKABLE void Clear();
    Q_INVOKABLE short RemoveItem(short nIndex);
    Q_INVOKABLE bool SetCurItem(short nIndex);
    Q_INVOKABLE short GetCurItem() const;
    Q_INVOKABLE QString GetItemName(short nIndex) const;
    Q_INVOKABLE short GetItemCount() const;
    Q_INVOKABLE bool SetPieceRange(short nIndex, short nPieceNo, short nStartHor, short nStartMin, short nEndHor,
                                   short nEndMin);
    Q_INVOKABLE short GetPieceRange(short nIndex, short nPieceNo, short nRangeType) const;
    Q_INVOKABLE bool ShowItem(short nShowFlag);
    Q_INVOKABLE bool SetItemName(short nIndex, const QString &strItemName);
    Q_INVOKABLE bool SetPieceType(short nIndex, short nPieceType);
    Q_INVOKABLE int GetPieceType(short nIndex) const;
    Q_INVOKABLE short GetPieceCount(short nIndex) const;
    Q_INVOKABLE bool RemovePiece(short nIndex, short nPieceNo);
    Q_INVOKABLE short GetPieceFreeNo(short nIndex) const;
    Q_INVOKABLE quint32 GetPieceColor(short nIndex, short nPieceNo) const;
    Q_INVOKABLE bool SetPieceColor(short nIndex, short nPieceNo, quint32 nColor);
    Q_INVOKABLE bool RemovePieceColor(short nIndex, short nPieceNo);
    Q_INVOKABLE QString GetPieceText(short nIndex, short nPieceNo) const;
    Q_INVOKABLE bool SetPieceText(short nIndex, short nPieceNo, const QString &strText);
    Q_INVOKABLE short InsertItem(const QString &strItemName, short nPieceType, short nInsertPos);
    Q_INVOKABLE QVariant GetAllPieceNo(short nIndex) const;
    Q_INVOKABLE QVariant FindPieceFromText(short nIndex, const QString &strKeyword, short nOptions) const;
    Q_INVOKABLE QVariant FindPieceFromRange(short nIndex, short nHourStart, short nMinuteStart, short nHourEnd,
                                            short nMinuteEnd, short nOptions) const;
    // dtStart/dtEnd are automation dates (days since 1899-12-30).
    Q_INVOKABLE bool GetPieceRange2(short nIndex, short nPieceNo, double &dtStart, double &dtEnd) const;

    // ---- Stock properties ----
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 c);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    QFont Font() const { return m_font; }
    void setFont(const QFont &font);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 c);
    short BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(short style);
    short Appearance() const { return m_appearance; }
    void setAppearance(short appearance);

    // ---- Custom properties ----
    quint32 ScaleForeColor() const { return m_scaleForeColor; }
    void setScaleForeColor(quint32 c);
    quint32 ScaleBackColor() const { return m_scaleBackColor; }
    void setScaleBackColor(quint32 c);
    quint32 CaptionBackColor() const { return m_captionBackColor; }
    void setCaptionBackColor(quint32 c);
    quint32 CaptionForeColor() const { return m_captionForeColor; }
    void setCaptionForeColor(quint32 c);
    quint32 PieceDotColor() const { return m_pieceDotColor; }
    void setPieceDotColor(quint32 c);
    quint32 PieceLineColor() const { return m_pieceLineColor; }
    void setPieceLineColor(quint32 c);
    quint32 PieceRectColor() const { return m_pieceRectColor; }
    void setPieceRectColor(quint32 c);
    bool ShowPieceTime() const { return m_showPieceTime; }
    void setShowPieceTime(bool on);
    bool ShowCursor() const { return m_showCursor; }
    void setShowCursor(bool on);
    bool ShowCurTime() const { return m_showCurTime; }
    void setShowCurTime(bool on);
    // Above 12 becomes 24, 0 or less becomes 1.
    short ScaleInterval() const { return m_scaleInterval; }
    void setScaleInterval(short hours);
    // Top stays in 0..46 and below ScaleRangeEnd; End stays above Top, at most
    // Top + 24 and at most 47.
    short ScaleRangeTop() const { return m_scaleRangeTop; }
    void setScaleRangeTop(short hour);
    short ScaleRangeEnd() const { return m_scaleRangeEnd; }
    void setScaleRangeEnd(short hour);
    int ChartStyle() const { return m_chartStyle; }
    void setChartStyle(int style);
    quint32 ItemNameForeColor() const { return m_itemNameForeColor; }
    void setItemNameForeColor(quint32 c);
    quint32 ItemNameBackColor() const { return m_itemNameBackColor; }
    void setItemNameBackColor(quint32 c);
    int FontStyle() const { return m_fontStyle; }
    void setFontStyle(int style);
    // The three sizes are HIMETRIC (0.01 mm); this host reads and writes them as such.
    float ItemNameWidth() const { return m_itemNameWidth; }
    void setItemNameWidth(float himetric);
    int PieceTextPosition() const { return m_pieceTextPosition; }
    void setPieceTextPosition(int position);
    int ScaleMode() const { return m_scaleMode; }
    void setScaleMode(int mode);
    float ScaleWidth() const { return m_scaleWidth; }
    void setScaleWidth(float himetric);
    int ItemHeightMode() const { return m_itemHeightMode; }
    void setItemHeightMode(int mode);
    float ItemHeight() const { return m_itemHeight; }
    void setItemHeight(float himetric);
    int UIMask() const { return m_uiMask; }
    void setUIMask(int mask);
    quint32 PieceTextColor() const { return m_pieceTextColor; }
    void setPieceTextColor(quint32 c);
    quint32 GridColor() const { return m_gridColor; }
    void setGridColor(quint32 c);
    int ActionStyle() const { return m_actionStyle; }
    void setActionStyle(int style);
    // Clamped to 0..60.
    short ScaleMinuteInterval() const { return m_scaleMinuteInterval; }
    void setScaleMinuteInterval(short minutes);

    // ---- Persistence ----
    // Writes every property with the version stamp 1.3.
    void saveProperties(automation::PropertyBag &bag) const;
    // Reads the properties, applying the rules for data of older versions;
    // missing or unreadable values take their defaults, and values outside
    // their ranges are brought into range.  Items are not persisted.
    void loadProperties(const automation::PropertyBag &bag);
    // Every property back to its default (as when the control is first placed).
    void resetProperties();

    // Set by every property write; the host clears it after saving.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // ---- For the view, the interaction code and the clock ----
    int itemCount() const { return int(m_items.size()); }
    bool isValidIndex(int index) const { return index >= 0 && index < itemCount(); }
    // nullptr for a bad index.
    const ChartItem *item(int index) const;
    short curItem() const { return m_curItem; }
    // Keeps the current item inside 0..count-1 (-1 for an empty chart); the
    // view calls it after items were added, inserted or removed.
    void clampCurrentItem();
    bool rowsVisible() const { return m_rowsVisible; }
    // The colour a piece is drawn in: its own colour or its item type's default.
    quint32 pieceColor(int index, qint16 pieceNo) const { return GetPieceColor(short(index), pieceNo); }

    // Local time (hour and minute) of the last minute change.
    QTime curTime() const { return m_curTime; }
    // The clock's work for a new minute: stores it, asks for a redraw when the
    // current-time marker shows, and fires the range events due at it.
    void processMinuteChange(const QTime &now);
    // The range events due at hour:minute, in firing order: items in index
    // order, pieces in enumeration order, a piece's start before its end; Dot
    // items have no end events; pieces of hours 24..47 are due at hour - 24.
    QList<RangeEvent> rangeEventsAt(int hour, int minute) const;

    // Converts a date (automation date) to hours and minutes past the chart
    // day's midnight (today's date), as the interaction code does with the
    // dates a host returns; false when the date lies before today.
    static bool dateToChartTime(double oleDate, int *hour, int *minute);
    // Today's date at hour:minute, hours 24..47 on the next days.
    static double chartTimeToDate(int hour, int minute);

signals:
    // ---- Events 1..22 ----
    void PieceRangeStart(short nIndex, short nPieceNo);
    void PieceRangeEnd(short nIndex, short nPieceNo);
    void ItemClick(short nIndex);
    void PieceClick(short nIndex, short nPieceNo);
    void AddItemUI(QString &strItemName, short &nPieceType, bool &bEnable);
    void InsertItemUI(QString &strItemName, short &nPieceType, short nInsertPos, bool &bEnable);
    void RemoveItemUI(short nIndex, bool &bEnable);
    void AddPieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void MovePieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable);
    void RemovePieceUI(short nIndex, short nPieceNo, bool &bEnable);
    void EditItemNameUI(short nIndex, bool &bEnable);
    void EditPieceTextUI(short nIndex, short nPieceNo, bool &bEnable);
    void AddedItemUI(short nIndex);
    void AddedPieceUI(short nIndex, short nPieceNo);
    void EditedItemNameUI(short nIndex);
    void EditedPieceTextUI(short nIndex, short nPieceNo);
    void InsertedItemUI(short nIndex);
    void MovedPieceUI(short nIndex, short nPieceNo);
    void RemovedItemUI(short nIndex);
    void RemovedPieceUI(short nIndex, short nPieceNo);
    void PieceDblClick(short nIndex, short nPieceNo);
    void ItemDblClick(short nIndex);

    // ---- Redraw requests for the view ----
    // One row (item) changed: redraw that row.
    void rowChanged(int index);
    // Redraw the whole control (header and rows).
    void viewChanged();
    // Metrics, layout and scroll ranges must be recomputed, then redrawn
    // (size properties, scale range, ShowCurTime, ShowPieceTime, row height).
    void layoutChanged();
    // Items were added, inserted, removed or cleared: reset the vertical
    // scroll range, clamp the current item and redraw at once.
    void itemsChanged();
    // SetCurItem: redraw both rows and scroll the new one into view.
    void currentItemChanged(int previous, int current);
    // ShowItem changed the rows-visible flag.
    void rowsVisibleChanged(bool visible);
    // The stock Font or Enabled changed (the widget applies them to itself).
    void fontChanged(const QFont &font);
    void enabledChanged(bool enabled);
    // A new minute was taken (curTime()).
    void curTimeChanged(const QTime &time);

private:
    ChartItem *itemAt(short index);
    const ChartItem *itemAt(short index) const;
    QVariant findInItems(short nIndex, const std::function<bool(const Piece &)> &match) const;
    void touch(); // marks modified
    template<typename T>
    void assign(T &member, const T &value, void (ChartModel::*notify)());

    QList<ChartItem> m_items;
    short m_curItem = -1;
    bool m_rowsVisible = true;
    bool m_modified = false;
    QTime m_curTime;

    quint32 m_backColor;
    QString m_caption;
    bool m_enabled;
    QFont m_font;
    quint32 m_foreColor;
    short m_borderStyle;
    short m_appearance;

    quint32 m_scaleForeColor;
    quint32 m_scaleBackColor;
    quint32 m_captionBackColor;
    quint32 m_captionForeColor;
    quint32 m_pieceDotColor;
    quint32 m_pieceLineColor;
    quint32 m_pieceRectColor;
    bool m_showPieceTime;
    bool m_showCursor;
    bool m_showCurTime;
    short m_scaleInterval;
    short m_scaleRangeTop;
    short m_scaleRangeEnd;
    int m_chartStyle;
    quint32 m_itemNameForeColor;
    quint32 m_itemNameBackColor;
    int m_fontStyle;
    float m_itemNameWidth;
    int m_pieceTextPosition;
    int m_scaleMode;
    float m_scaleWidth;
    int m_itemHeightMode;
    float m_itemHeight;
    int m_uiMask;
    quint32 m_pieceTextColor;
    quint32 m_gridColor;
    int m_actionStyle;
    short m_scaleMinuteInterval;
};

} // namespace chart
