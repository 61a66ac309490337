#include "calendar/dateformat.h"

#include <QLocale>

namespace calendar {

QString formatDatePicture(const QDate &date, const QString &picture)
{
    static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    return japanese.toString(date, picture);
}

} // namespace calendar
