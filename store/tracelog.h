#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace store {

// The trace log: one line per internal event or error, always on, one file
// per day "<program folder>/SHLOG/yyyymmdd.TXT" in CP932 with CR LF.  A line is
//   "yyyy/m/d  hh:nn:ss    " message "   Value:" value "   Index:" index
// Writing never fails towards the caller: an entry that cannot be written is
// lost.  Each entry is one append (open, one write, close), so entries of
// several programs never mix.
class TraceLog
{
public:
    // The trace log of a program folder (default: platform::programFolder(),
    // looked up at each write).
    explicit TraceLog(const QString &programFolder = QString());

    void write(const QString &message, const QString &value, qint16 index) const noexcept;

    QString folder() const;
    QString filePath(const QDate &date) const;

    // The bytes of one entry (CP932, CR LF).
    static QByteArray line(const QDateTime &when, const QString &message, const QString &value, qint16 index);
    // "20261206.TXT"
    static QString fileName(const QDate &date);

    // The index the runner passes with all its entries.
    static constexpr qint16 RunnerIndex = 999;

private:
    QString m_programFolder;
};

} // namespace store
