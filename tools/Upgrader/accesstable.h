#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace upgrader {

// Rows of some columns of a table of an Access database, in the order the
// file holds them.  Values: text (QString), whole numbers (qlonglong), Yes/No
// as -1/0 (int), other numbers (double), date/time as the time of day
// "HH:MM:SS" (QString); an empty value is null.
struct AccessTable
{
    QString name;
    QStringList columns;
    QList<QVariantList> rows;
};

} // namespace upgrader
