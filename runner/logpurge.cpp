#include "runner/logpurge.h"

#include "store/tracelog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace runner::logpurge {

QStringList purgeOperationLogs(const QString &folder, const QDate &today, int keepDays)
{
    static const QRegularExpression name(QStringLiteral("^SCHLOG(\\d{8})\\.CSV$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const int limit = today.addDays(-keepDays).toString(QStringLiteral("yyyyMMdd")).toInt();
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
