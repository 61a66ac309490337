#include "console/maintenance/flexgrid.h"

#include <QHeaderView>
#include <QScrollBar>

namespace console {

QColor paletteColor(int number)
{
    static const QRgb colours[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),     qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128),   qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),     qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255),   qRgb(255, 255, 0), qRgb(255, 255, 255),
    };
    return QColor(colours[number & 15]);
}

FlexGrid::FlexGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setWordWrap(false);
}

void FlexGrid::setColumns(const QStringList &headers, const QList<int> &widthsTwips)
{
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);
    for (int c = 0; c < widthsTwips.size() && c < columnCount(); ++c) {
        const int px = (widthsTwips.at(c) + 7) / 15;
        setColumnHidden(c, px == 0);
        if (px > 0)
            setColumnWidth(c, px);
    }
}

void FlexGrid::setText(int row, int column, const QString &text)
{
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    cell->setText(text);
}

QString FlexGrid::text(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

int FlexGrid::contentWidth() const
{
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columnCount(); ++c) {
        if (!isColumnHidden(c))
            width += columnWidth(c);
    }
    return width;
}

} // namespace console
