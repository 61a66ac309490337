#pragma once

#include "chart/chartmodel.h"

#include "automation/variantconventions.h"

#include <QList>
#include <QVariant>

// Small helpers for the chart tests.
namespace charttest {

// The 16-bit numbers of a one-dimensional array result.
inline QList<int> numbers(const QVariant &v)
{
    QList<int> out;
    for (const QVariant &e : automation::arrayElements(v))
        out << e.toInt();
    return out;
}

// The (item, piece) pairs of a find result.
inline QList<std::pair<int, int>> pairs(const QVariant &v)
{
    QList<std::pair<int, int>> out;
    if (!v.isValid())
        return out;
    const auto a = v.value<automation::VariantArray2D>();
    for (int r = 0; r < a.rows; ++r)
        out.append({a.at(r, 0).toInt(), a.at(r, 1).toInt()});
    return out;
}

} // namespace charttest
