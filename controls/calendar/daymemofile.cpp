#include "calendar/daymemofile.h"

#include "calendar/daymemostore.h"
#include "calendar/oledate.h"
#include "platform/atomicfile.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QFile>
#include <QStringList>

namespace calendar::daymemofile {
namespace {

const QString crlf = QStringLiteral("\r\n");

QString hexColor(quint32 color)
{
    return QStringLiteral("0x") + QString::number(color, 16);
}

quint32 readColor(QString field)
{
    if (field.isEmpty())
        return NoColor;
    if (field.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        field = field.mid(2);
    bool ok = false;
    const quint32 v = field.toUInt(&ok, 16);
    return ok ? v : NoColor;
}

QDate readDate(const QString &field)
{
    for (const char *format : {"yyyy/M/d", "yyyy-M-d", "yyyy.M.d"}) {
        const QDate d = QDate::fromString(field, QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return {};
}

// Collects the fields of one record: date, text, text colour, back colour.
class RecordReader
{
public:
    explicit RecordReader(DayMemoStore &store) : m_store(store) {}

    void character(QChar c, QChar next, bool *skipNext)
    {
        if (m_ignoreRest)
            return;
        if (c == QLatin1Char('"')) {
            // Inside quotes a doubled quote stands for one; otherwise a quote
            // opens or closes the quoted text (so "" is an empty text).
            if (m_inQuotes && next == QLatin1Char('"')) {
                m_field += c;
                *skipNext = true;
            } else {
                m_inQuotes = !m_inQuotes;
            }
            return;
        }
        if (c == QLatin1Char(',') && !m_inQuotes) {
            endField();
            return;
        }
        if (c == QLatin1Char(' ') && !m_inQuotes)
            return;
        m_field += c;
    }

    // End of a physical line: inside quotes the text goes on.
    void lineEnd()
    {
        if (m_inQuotes && !m_ignoreRest) {
            m_field += crlf;
            return;
        }
        endRecord();
    }

    void finish()
    {
        endRecord();
    }

private:
    void endField()
    {
        switch (m_index) {
        case 0:
            m_date = readDate(m_field);
            if (!m_date.isValid())
                m_ignoreRest = true; // the whole line is skipped
            break;
        case 1:
            m_memo.text = m_field;
            break;
        case 2:
            m_memo.textColor = readColor(m_field);
            break;
        case 3:
            m_memo.backColor = readColor(m_field);
            m_ignoreRest = true;
            break;
        }
        ++m_index;
        m_field.clear();
    }

    void endRecord()
    {
        if (!m_ignoreRest || m_index == 4) {
            switch (m_index) {
            case 1:
                m_memo.text = m_field;
                break;
            case 2:
                m_memo.textColor = readColor(m_field);
                break;
            case 3:
                m_memo.backColor = readColor(m_field);
                break;
            default:
                break;
            }
            if (m_index >= 1 && m_date.isValid())
                m_store.set(toOleDate(m_date), m_memo);
        }
        m_index = 0;
        m_field.clear();
        m_inQuotes = false;
        m_ignoreRest = false;
        m_date = {};
        m_memo = {};
    }

    DayMemoStore &m_store;
    QString m_field;
    int m_index = 0;
    bool m_inQuotes = false;
    bool m_ignoreRest = false;
    QDate m_date;
    DayMemo m_memo;
};

} // namespace

QString format(const DayMemoStore &store)
{
    QString out;
    for (const DayMemoStore::Entry &e : store.entries()) {
        QString line = oleDateDay(e.date).toString(QStringLiteral("yyyy/MM/dd"));
        QString text = e.memo.text;
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        line += QStringLiteral(",\"") + text + QStringLiteral("\",");
        if (e.memo.textColor != NoColor)
            line += hexColor(e.memo.textColor);
        if (e.memo.backColor != NoColor)
            line += QLatin1Char(',') + hexColor(e.memo.backColor);
        out += line + crlf;
    }
    return out;
}

void parse(const QString &text, DayMemoStore &store)
{
    store.clear();
    RecordReader reader(store);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            reader.lineEnd();
            continue;
        }
        bool skipNext = false;
        reader.character(c, i + 1 < n ? text.at(i + 1) : QChar(), &skipNext);
        if (skipNext)
            ++i;
    }
    reader.finish();
}

bool save(const DayMemoStore &store, const QString &fileName, QString *error)
{
    return platform::writeFileAtomically(fileName, platform::toCp932(format(store)), error);
}

bool load(DayMemoStore &store, const QString &fileName, QString *error)
{
    // Only a regular file is opened (a pipe in its place would block); a
    // UTF-8 file with a few broken bytes keeps its other memos.
    QString text;
    if (platform::readTextFile(fileName, &text, error) != platform::ReadStatus::Read) {
        if (error && error->isEmpty())
            *error = QStringLiteral("no file");
        return false;
    }
    parse(text, store);
    return true;
}

} // namespace calendar::daymemofile
