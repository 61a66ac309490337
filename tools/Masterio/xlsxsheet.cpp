#include "tools/Masterio/xlsxsheet.h"

namespace masterio {

XlsxCell XlsxSheet::cell(int row, int column) const
{
    const auto it = m_cells.find({row, column});
    return it == m_cells.end() ? XlsxCell() : it->second;
}

void XlsxSheet::setCell(int row, int column, const XlsxCell &cell)
{
    if (cell.kind == XlsxCell::Kind::Empty)
        m_cells.erase({row, column});
    else
        m_cells[{row, column}] = cell;
}

int XlsxSheet::columnOf(const QString &reference, int *row)
{
    int column = 0;
    int i = 0;
    for (; i < reference.size(); ++i) {
        const QChar c = reference.at(i).toUpper();
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
        if (column > 16384) // beyond XFD, the last column of a worksheet
            return 0;
    }
    if (row) {
        bool ok = false;
        const int r = reference.mid(i).toInt(&ok);
        *row = ok && r > 0 ? r : 0;
    }
    return column;
}

} // namespace masterio
