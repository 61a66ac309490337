#include "store/tracelog.h"

#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "platform/textcodec.h"
#include "store/sitepaths.h"

#include <QDir>

namespace store {

TraceLog::TraceLog(const QString &programFolder)
    : m_programFolder(programFolder)
{
}

QString TraceLog::folder() const
{
    return paths::traceFolder(m_programFolder);
}

QString TraceLog::fileName(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".TXT");
}

QString TraceLog::filePath(const QDate &date) const
{
    return QDir(folder()).filePath(fileName(date));
}

QByteArray TraceLog::line(const QDateTime &when, const QString &message, const QString &value, qint16 index)
{
    const QString text = when.toString(QStringLiteral("yyyy/M/d  HH:mm:ss")) + QStringLiteral("    ") + message
                         + QStringLiteral("   Value:") + value + QStringLiteral("   Index:")
                         + QString::number(index) + QStringLiteral("\r\n");
    return platform::toCp932(text);
}

void TraceLog::write(const QString &message, const QString &value, qint16 index) const noexcept
{
    try {
        const QString dir = folder();
        if (!QDir(dir).exists())
            QDir().mkpath(dir);
        const QDateTime now = platform::clock::now();
        platform::appendToFile(filePath(now.date()), line(now, message, value, index));
    } catch (...) {
        // The entry is lost; the caller goes on.
    }
}

} // namespace store
