#pragma once

#include <QColor>
#include <QTableWidget>

namespace console {

// The classic 16-colour palette (QBColor numbers 0..15) of the grids' cells.
QColor paletteColor(int number);

// A read-only grid in the manner of the console's grids: one fixed header
// row (the horizontal header), data rows without row numbers, column widths
// given in twips (15 per pixel; 0 hides the column), no editing, and a
// cell text helper.  Data row r of the grid is row r + 1 of the old grids,
// whose row 0 was the header.
class FlexGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);

    void setColumns(const QStringList &headers, const QList<int> &widthsTwips);
    // Sets the text of a cell, creating its item when needed.
    void setText(int row, int column, const QString &text);
    QString text(int row, int column) const;
    // The width of the visible columns plus the frame and the scroll bar.
    int contentWidth() const;
};

} // namespace console
