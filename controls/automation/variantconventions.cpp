#include "automation/variantconventions.h"

#include <QStringList>
#include <QTimeZone>

#include <cmath>

namespace automation {
namespace {
const QDate oleEpoch(1899, 12, 30);
}

bool fromVariantBool(const QVariant &v)
{
    if (!v.isValid())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && d != 0.0;
}

double toOleDate(const QDateTime &dt)
{
    const qint64 days = oleEpoch.daysTo(dt.date());
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    // Automation dates before the epoch keep the time as a positive fraction
    // after a negative day number.
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

double toOleDate(const QDate &d)
{
    return double(oleEpoch.daysTo(d));
}

QDateTime fromOleDate(double oleDate)
{
    double days = std::trunc(oleDate);
    double fraction = std::fabs(oleDate - days);
    qint64 ms = qint64(std::llround(fraction * 86400000.0));
    if (ms >= 86400000) {
        ms -= 86400000;
        days += oleDate >= 0 ? 1 : -1;
    }
    // Round to whole seconds when within a millisecond, as dates built from
    // hours and minutes carry float noise.
    const qint64 rounded = (ms + 500) / 1000 * 1000;
    if (std::llabs(rounded - ms) <= 1)
        ms = rounded;
    if (ms >= 86400000)
        ms = 86400000 - 1;
    return QDateTime(oleEpoch.addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QVariant shortArray(const QList<qint16> &values)
{
    QVariantList list;
    list.reserve(values.size());
    for (qint16 v : values)
        list.append(QVariant::fromValue<qint16>(v));
    return list;
}

QVariant stringArray(const QStringList &values)
{
    QVariantList list;
    list.reserve(values.size());
    for (const QString &v : values)
        list.append(v);
    return list;
}

QVariant shortPairArray(const QList<std::pair<qint16, qint16>> &pairs)
{
    if (pairs.isEmpty())
        return {};
    VariantArray2D a;
    a.rows = int(pairs.size());
    a.columns = 2;
    a.values.reserve(a.rows * 2);
    for (const auto &[first, second] : pairs) {
        a.values.append(QVariant::fromValue<qint16>(first));
        a.values.append(QVariant::fromValue<qint16>(second));
    }
    return QVariant::fromValue(a);
}

QVariantList arrayElements(const QVariant &v)
{
    if (!v.isValid())
        return {};
    if (v.canConvert<VariantArray2D>() && v.userType() == qMetaTypeId<VariantArray2D>())
        return v.value<VariantArray2D>().values;
    return v.toList();
}

bool isEmptyVariant(const QVariant &v)
{
    return !v.isValid();
}

QString displayText(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("Empty");
    if (isNullVariant(v))
        return QStringLiteral("Null");
    if (v.userType() == qMetaTypeId<VariantArray2D>()) {
        const VariantArray2D a = v.value<VariantArray2D>();
        QStringList rows;
        for (int r = 0; r < a.rows; ++r) {
            QStringList cells;
            for (int c = 0; c < a.columns; ++c)
                cells << displayText(a.at(r, c));
            rows << QLatin1Char('(') + cells.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        return QLatin1Char('(') + rows.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList) {
        QStringList parts;
        for (const QVariant &e : v.toList())
            parts << displayText(e);
        return QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (v.typeId() == QMetaType::Bool)
        return QString::number(toVariantBool(v.toBool()));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy/MM/dd"));
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return QString::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return v.toString();
}

} // namespace automation
