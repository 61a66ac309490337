#include "platform/profile.h"

#include "platform/atomicfile.h"
#include "platform/filelock.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QFile>
#include <QStringList>

namespace platform::profile {
namespace {

// The lines of a file.  Only a regular file is read: anything else in its
// place (a pipe would block the program) reads as empty and is reported
// once.  *readable is false when something is there that could not be read:
// a write must then not replace it with a file of its own few keys.
QStringList readLines(const QString &path, bool *readable = nullptr)
{
    QString text;
    const ReadStatus status = readTextFile(path, &text);
    if (readable)
        *readable = status == ReadStatus::Read || status == ReadStatus::Missing;
    if (status != ReadStatus::Read)
        return {};
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "[name]" → name; empty when the line is no section header.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isSection(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'));
}

// The key of a "key=value" line; empty for comments and other lines.
QString keyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || isSection(t))
        return {};
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return {};
    return t.left(eq).trimmed();
}

QString valueOf(const QString &line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    QString v = line.mid(eq + 1).trimmed();
    if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                          || (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\''))))) {
        v = v.mid(1, v.size() - 2);
    }
    return v;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace {

// The value of a key in the lines of a file; empty when missing.
QString findValue(const QStringList &lines, const QString &section, const QString &key)
{
    bool inSection = false;
    for (const QString &line : lines) {
        if (isSection(line)) {
            inSection = sameName(sectionName(line), section.trimmed());
            continue;
        }
        if (inSection && sameName(keyOf(line), key.trimmed()))
            return valueOf(line).left(MaxValueLength).trimmed();
    }
    return {};
}

// A value never spans lines: a line break inside would start a new key.
QString oneLine(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return v;
}

// Sets a key in the lines of a file, adding the section or key when missing.
void setValue(QStringList &lines, const QString &section, const QString &key, const QString &value)
{
    const QString entry = key.trimmed() + QLatin1Char('=') + oneLine(value);

    int sectionStart = -1; // index of the header line
    int sectionEnd = -1;   // one past the last line of the section
    for (int i = 0; i < lines.size(); ++i) {
        if (isSection(lines[i])) {
            if (sectionStart >= 0 && sectionEnd < 0)
                sectionEnd = i;
            if (sectionStart < 0 && sameName(sectionName(lines[i]), section.trimmed()))
                sectionStart = i;
        }
    }
    if (sectionStart >= 0 && sectionEnd < 0)
        sectionEnd = int(lines.size());

    if (sectionStart < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        lines.append(entry);
        return;
    }
    int found = -1;
    int lastContent = sectionStart;
    for (int i = sectionStart + 1; i < sectionEnd; ++i) {
        if (!lines[i].trimmed().isEmpty())
            lastContent = i;
        if (found < 0 && sameName(keyOf(lines[i]), key.trimmed()))
            found = i;
    }
    if (found >= 0)
        lines[found] = entry;
    else
        lines.insert(lastContent + 1, entry);
}

bool store(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    return writeFileAtomically(path, bytes);
}

} // namespace

QString readString(const QString &path, const QString &section, const QString &key)
{
    return findValue(readLines(path), section, key);
}

bool writeString(const QString &path, const QString &section, const QString &key, const QString &value)
{
    return writeStrings(path, {{section, key, value}});
}

bool writeStrings(const QString &path, const QList<Entry> &entries)
{
    FileLock lock(path);
    if (!lock.isLocked())
        return false;
    bool readable = false;
    QStringList lines = readLines(path, &readable);
    if (!readable)
        return false;
    for (const Entry &e : entries)
        setValue(lines, e.section, e.key, e.value);
    return store(path, lines);
}

WriteResult writeStringsUnless(const QString &path, const QString &section, const QString &key,
                               const std::function<bool(const QString &)> &refuse, const QList<Entry> &entries)
{
    FileLock lock(path);
    if (!lock.isLocked())
        return WriteResult::Failed;
    bool readable = false;
    QStringList lines = readLines(path, &readable);
    if (!readable)
        return WriteResult::Failed;
    if (refuse && refuse(findValue(lines, section, key)))
        return WriteResult::Refused;
    for (const Entry &e : entries)
        setValue(lines, e.section, e.key, e.value);
    return store(path, lines) ? WriteResult::Written : WriteResult::Failed;
}

} // namespace platform::profile
