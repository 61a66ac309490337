#pragma once

#include "chart/charthittest.h"
#include "chart/chartlayout.h"
#include "chart/charttextcache.h"

#include <QAbstractScrollArea>

class QLineEdit;
class QMenu;

namespace chart {

class ChartModel;

// The chart view: the scrolling child of the control below the header.  One
// row per item (name cell and piece area); it scrolls by rows and, with a
// free-size scale, by hours.  It draws the rows, and handles the mouse, the
// keyboard, the right-button menu and the in-place editor of the chart,
// raising the model's user-interface events.
class ChartView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Drag in progress, for feedback and tests.
    enum PieceDragMode { NoPieceDrag = 0, MovePiece = 1, DragStart = 2, DragEnd = 3 };
    // What the in-place editor was opened for.
    enum EditPurpose { EditAfterAdd, EditAfterInsert, EditItemName, EditPieceText };

    explicit ChartView(ChartModel *model, QWidget *parent = nullptr);
    ~ChartView() override;

    // Takes new metrics and the control's client rectangle: moves the view
    // below the header, resets both scroll ranges and redraws.
    void applyMetrics(const ChartMetrics &metrics, const QRect &client);
    const ChartLayout &chartLayout() const { return m_layout; }
    // Laid-out texts shared by the header's and the rows' drawing.
    ChartTextCache *textCache() { return &m_textCache; }

    // ---- Redraws requested by model changes ----
    void updateRow(int item);
    void itemsChanged();  // scroll range reset, current item clamped, synchronous redraw
    void currentChanged(int previous, int current);
    void ensureVisible(int item);
    void scrollHours(int firstHour);

    // ---- Interaction ----
    HitResult lastHit() const { return m_hit; }
    PieceDragMode pieceDragMode() const { return m_pieceDrag.mode; }
    // The range shown by the drag feedback (minutes past midnight).
    int dragStart() const { return m_pieceDrag.start; }
    int dragEnd() const { return m_pieceDrag.end; }
    bool isAddingPiece() const { return m_newDrag.active; }
    bool isDraggingRowHeight() const { return m_rowDrag.active; }

    // The right-button menu for a hit at a view position: "新規", "削除", a
    // separator and "文字列編集", enabled by the hit code and UIMask; its
    // actions carry out the edit.  Owned by the caller.
    QMenu *createContextMenu(const HitResult &hit, const QPoint &pos);

    // The in-place editor (nullptr when closed); committing stores the text.
    QLineEdit *editor() const { return m_editor; }
    void openEditor(EditPurpose purpose, int item, int piece);
    void closeEditor(bool commit);

signals:
    // The first visible hour changed (the header follows).
    void hoursScrolled();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout();
    void updateScrollBars();
    void makeCurrent(int item, bool fireClick);
    int snappedTimeAt(int x) const;
    int clampToScale(int minutes) const;
    void dragPiece(const QPoint &pos);
    void finishPieceDrag();
    void finishNewPiece();
    void proposePiece(int item, int start, int end);
    void addOrInsertItem(const HitResult &hit);
    void removeAt(const HitResult &hit);
    void editTextAt(const HitResult &hit);
    void addOneHourPiece(const HitResult &hit, const QPoint &pos);
    void paintFeedback(QPainter &p) const;
    QRect feedbackRect() const;
    bool editMode() const;

    ChartModel *m_model;
    ChartMetrics m_metrics;
    QRect m_client;
    ChartLayout m_layout;
    ChartTextCache m_textCache;
    bool m_settingRanges = false;
    bool m_keepScroll = false; // a click chooses a row without scrolling

    HitResult m_hit;
    bool m_doubleClickHeld = false; // the next left release ends a double click
    struct
    {
        PieceDragMode mode = NoPieceDrag;
        int item = -1;
        int piece = -1;
        int start = 0;
        int end = 0;
        int reference = 0;
    } m_pieceDrag;
    struct
    {
        bool active = false;
        int item = -1;
        int anchor = 0;
        int current = 0;
    } m_newDrag;
    struct
    {
        bool active = false;
        int y = 0;
    } m_rowDrag;

    QLineEdit *m_editor = nullptr;
    EditPurpose m_editPurpose = EditItemName;
    int m_editItem = -1;
    int m_editPiece = -1;
};

} // namespace chart
