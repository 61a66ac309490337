#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QVariant>

// Conventions of the automation boundary: 16-bit Booleans (true = -1),
// automation dates (days since 1899-12-30, fraction = time of day), zero-based
// variant arrays, the empty variant (an invalid QVariant) and the null variant
// (a QVariant holding nullptr: "no value", as a missing date limit).
namespace automation {

inline constexpr qint16 VariantTrue = -1;
inline constexpr qint16 VariantFalse = 0;

inline QVariant nullVariant() { return QVariant::fromValue(nullptr); }
inline bool isNullVariant(const QVariant &v) { return v.typeId() == QMetaType::Nullptr; }

inline qint16 toVariantBool(bool b) { return b ? VariantTrue : VariantFalse; }
// Any nonzero number, or a true bool, is true.
bool fromVariantBool(const QVariant &v);

// Automation dates.
double toOleDate(const QDateTime &dt);
QDateTime fromOleDate(double oleDate);
double toOleDate(const QDate &d);

// A zero-based one-dimensional array of 16-bit integers, as a variant.
QVariant shortArray(const QList<qint16> &values);
// A zero-based one-dimensional array of texts, as a variant.
QVariant stringArray(const QStringList &values);

// A two-dimensional zero-based array (bounds 0..rows-1, 0..columns-1) of
// variants, kept row by row.
struct VariantArray2D
{
    int rows = 0;
    int columns = 0;
    QVariantList values; // rows * columns, row-major

    QVariant at(int row, int column) const { return values.value(row * columns + column); }
    bool operator==(const VariantArray2D &other) const = default;
};

// The n × 2 array of (item index, piece number) pairs that find methods return.
QVariant shortPairArray(const QList<std::pair<qint16, qint16>> &pairs);

// Elements of a one-dimensional array variant (empty for the empty variant).
QVariantList arrayElements(const QVariant &v);
bool isEmptyVariant(const QVariant &v);

// Text for a variant the way a host prints it: arrays as "(a, b, ...)",
// two-dimensional arrays as "((a, b), (c, d))", the empty variant as "Empty",
// the null variant as "Null",
// 16-bit Booleans stay numbers.
QString displayText(const QVariant &v);

} // namespace automation

Q_DECLARE_METATYPE(automation::VariantArray2D)
