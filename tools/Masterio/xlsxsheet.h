#pragma once

#include "tools/Masterio/xlsxcell.h"

#include <QString>

#include <map>
#include <utility>

namespace masterio {

// The cells of one worksheet, addressed by row and column counted from 1 as
// the spreadsheet shows them (A1 = row 1, column 1).
class XlsxSheet
{
public:
    explicit XlsxSheet(const QString &name = QString())
        : m_name(name)
    {
    }

    QString name() const { return m_name; }
    // An absent cell is Empty.
    XlsxCell cell(int row, int column) const;
    void setCell(int row, int column, const XlsxCell &cell);
    int cellCount() const { return int(m_cells.size()); }

    // Column number of a cell reference's letters ("A1" → 1, "AB7" → 28);
    // 0 when the reference has no letters.  *row gets its row number (0 when none).
    static int columnOf(const QString &reference, int *row = nullptr);

private:
    QString m_name;
    std::map<std::pair<int, int>, XlsxCell> m_cells;
};

} // namespace masterio
