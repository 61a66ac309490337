// The chart view's edits: the right-button menu and the in-place editor.
#include "chart/chartview.h"

#include "chart/chartmodel.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace chart {

QMenu *ChartView::createContextMenu(const HitResult &hit, const QPoint &pos)
{
    const int mask = m_model->UIMask();
    const ChartItem *it = m_model->item(hit.item);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("GanttlineContextMenu"));

    QAction *add = menu->addAction(QStringLiteral("新規"));
    add->setObjectName(QStringLiteral("GanttlineNew"));
    switch (hit.code) {
    case HitPieceArea: add->setEnabled(!(mask & GntMaskAddPieceUI)); break;
    case HitItemName: add->setEnabled(!(mask & GntMaskInsertItemUI)); break;
    case HitBelowRows: add->setEnabled(!(mask & GntMaskAddItemUI)); break;
    default: add->setEnabled(false); break;
    }
    QAction *remove = menu->addAction(QStringLiteral("削除"));
    remove->setObjectName(QStringLiteral("GanttlineDelete"));
    if (hit.code == HitItemName)
        remove->setEnabled(!(mask & GntMaskRemoveItemUI));
    else if (hit.onPiece())
        remove->setEnabled(!(mask & GntMaskRemovePieceUI));
    else
        remove->setEnabled(false);
    menu->addSeparator();
    QAction *edit = menu->addAction(QStringLiteral("文字列編集"));
    edit->setObjectName(QStringLiteral("GanttlineEditText"));
    if (hit.code == HitItemName)
        edit->setEnabled(!(mask & GntMaskEditItemNameUI));
    else if (hit.code == HitPieceBody)
        edit->setEnabled(it && it->pieceType != GntDot && !(mask & GntMaskEditPieceTextUI));
    else
        edit->setEnabled(false);

    // Queued to run after the menu has closed, as a command would.
    connect(add, &QAction::triggered, this, [this, hit, pos] {
        if (hit.code == HitPieceArea)
            addOneHourPiece(hit, pos);
        else
            addOrInsertItem(hit);
    }, Qt::QueuedConnection);
    connect(remove, &QAction::triggered, this, [this, hit] { removeAt(hit); }, Qt::QueuedConnection);
    connect(edit, &QAction::triggered, this, [this, hit] { editTextAt(hit); }, Qt::QueuedConnection);
    return menu;
}

void ChartView::addOneHourPiece(const HitResult &hit, const QPoint &pos)
{
    if (!m_model->isValidIndex(hit.item))
        return;
    const int start = snappedTimeAt(pos.x());
    proposePiece(hit.item, start, start + 60);
}

void ChartView::addOrInsertItem(const HitResult &hit)
{
    const bool insert = hit.code == HitItemName;
    if (insert && !m_model->isValidIndex(hit.item))
        return;
    QString name = QStringLiteral("新規ｱｲﾃﾑ %1").arg(m_model->itemCount());
    const short proposedType = insert ? short(m_model->GetPieceType(short(hit.item))) : short(GntLine);
    short type = proposedType;
    bool enable = true;
    if (insert)
        emit m_model->InsertItemUI(name, type, short(hit.item), enable);
    else
        emit m_model->AddItemUI(name, type, enable);
    if (!enable)
        return;
    if (type < GntDot || type > GntRect)
        type = proposedType;
    const short index = insert ? m_model->InsertItem(name, type, short(hit.item)) : m_model->AddItem(name, type);
    if (index < 0)
        return;
    ensureVisible(index);
    openEditor(insert ? EditAfterInsert : EditAfterAdd, index, -1);
}

void ChartView::removeAt(const HitResult &hit)
{
    bool enable = true;
    if (hit.code == HitItemName) {
        emit m_model->RemoveItemUI(short(hit.item), enable);
        if (enable && m_model->RemoveItem(short(hit.item)) >= 0)
            emit m_model->RemovedItemUI(short(hit.item));
    } else if (hit.onPiece()) {
        emit m_model->RemovePieceUI(short(hit.item), short(hit.piece), enable);
        if (enable && m_model->RemovePiece(short(hit.item), short(hit.piece)))
            emit m_model->RemovedPieceUI(short(hit.item), short(hit.piece));
    }
}

void ChartView::editTextAt(const HitResult &hit)
{
    bool enable = true;
    if (hit.code == HitItemName) {
        emit m_model->EditItemNameUI(short(hit.item), enable);
        if (enable)
            openEditor(EditItemName, hit.item, -1);
    } else if (hit.code == HitPieceBody) {
        emit m_model->EditPieceTextUI(short(hit.item), short(hit.piece), enable);
        if (enable)
            openEditor(EditPieceText, hit.item, hit.piece);
    }
}

void ChartView::openEditor(EditPurpose purpose, int item, int piece)
{
    if (m_editor)
        closeEditor(true);
    const ChartItem *it = m_model->item(item);
    if (!it)
        return;
    QRect r;
    QString text;
    if (purpose == EditPieceText) {
        const Piece *p = it->pieces.find(qint16(piece));
        if (!p)
            return;
        r = m_layout.pieceRect(it->pieceType, *p, m_layout.rowRect(item));
        text = p->text;
    } else {
        r = m_layout.nameCell(item).adjusted(1, 0, -1, 0);
        text = it->name;
    }
    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("GanttlineInplaceEditor"));
    m_editor->setFrame(false);
    m_editor->setFont(font());
    if (purpose != EditPieceText) {
        // The text height around the row centre; the edit box's own margins
        // need a little more than the bare text, within the row.
        const int height = qMin(r.height(), qMax(m_layout.metrics.h, m_editor->sizeHint().height()));
        r = QRect(r.left(), r.top() + (r.height() - height) / 2, qMax(1, r.width()), height);
    }
    m_editor->setGeometry(r);
    m_editor->setText(text);
    m_editor->selectAll();
    m_editor->installEventFilter(this);
    m_editPurpose = purpose;
    m_editItem = item;
    m_editPiece = piece;
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void ChartView::closeEditor(bool commit)
{
    if (!m_editor)
        return;
    QLineEdit *editor = m_editor;
    m_editor = nullptr; // before anything can move the focus and call back
    const QString text = editor->text();
    editor->removeEventFilter(this);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);

    const short item = short(m_editItem);
    const short piece = short(m_editPiece);
    if (commit) {
        if (m_editPurpose == EditPieceText)
            m_model->SetPieceText(item, piece, text);
        else
            m_model->SetItemName(item, text);
    }
    switch (m_editPurpose) {
    case EditAfterAdd: emit m_model->AddedItemUI(item); break;
    case EditAfterInsert: emit m_model->InsertedItemUI(item); break;
    case EditItemName:
        if (commit)
            emit m_model->EditedItemNameUI(item);
        break;
    case EditPieceText:
        if (commit)
            emit m_model->EditedPieceTextUI(item, piece);
        break;
    }
}

bool ChartView::eventFilter(QObject *watched, QEvent *e)
{
    if (m_editor && watched == m_editor) {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                closeEditor(true);
                return true;
            }
            if (key == Qt::Key_Escape) {
                closeEditor(false);
                return true;
            }
        } else if (e->type() == QEvent::FocusOut) {
            // A menu or a popup of the editor itself takes the focus only for a while.
            if (static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason)
                closeEditor(true);
        }
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

} // namespace chart
