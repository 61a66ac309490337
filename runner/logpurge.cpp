#include "runner/logpurge.h"

#include "store/tracelog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace runner::logpurge {

QStringList purgeOperationLogs(const QString &folder, const QDate &today, int keepDays)
{
    static const QRegularExpression name(QStringLiteral("^SCHLOG(\\d{8})\\.CSV$"),
                                         QRegularExpression::CaseInsensitiveOption);
    // Files dated before the limit go; the limit is never later than today,
    // so today's log and any later one stay whatever the setting says.
    const QDate keepFrom = today.addDays(-qint64(std::max(0, keepDays)));
    if (!keepFrom.isValid())
        return {};
    const int limit = std::min(keepFrom, today).toString(QStringLiteral("yyyyMMdd")).toInt();
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    QStringList deleted;
    const QStringList files = dir.entryList();
    for (const QString &file : files) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        if (m.captured(1).toInt() < limit && QFile::remove(dir.filePath(file)))
            deleted << file;
    }
    return deleted;
}

bool deleteOldTrace(const QString &traceFolder, const QDate &today)
{
    const QString path = QDir(traceFolder).filePath(store::TraceLog::fileName(today.addDays(-TraceKeepDays)));
    return QFile::exists(path) && QFile::remove(path);
}

} // namespace runner::logpurge
