#include "store/recordset.h"

#include "store/timeofday.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace store {

bool Recordset::load(const QSqlDatabase &db, const QString &sqliteText, QString *error)
{
    close();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sqliteText)) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        m_names << rec.fieldName(i);
    while (q.next()) {
        QVector<QVariant> row;
        row.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row << q.value(i);
        m_rows << row;
    }
    m_deleted.fill(false, m_rows.size());
    m_deletedCount = 0;
    m_pos = 0;
    m_open = true;
    return true;
}

void Recordset::close()
{
    m_names.clear();
    m_rows.clear();
    m_deleted.clear();
    m_deletedCount = 0;
    m_pos = 0;
    m_open = false;
}

bool Recordset::isDeleted(int row) const
{
    return row >= 0 && row < m_deleted.size() && m_deleted[row];
}

void Recordset::skipDeletedForward()
{
    while (m_pos < m_rows.size() && isDeleted(m_pos))
        ++m_pos;
}

void Recordset::skipDeletedBackward()
{
    while (m_pos >= 0 && isDeleted(m_pos))
        --m_pos;
}

bool Recordset::bof() const
{
    return m_pos < 0 || recordCount() == 0;
}

bool Recordset::eof() const
{
    return m_pos >= m_rows.size() || recordCount() == 0;
}

void Recordset::moveFirst()
{
    if (!leaveCurrentRow())
        return;
    m_pos = 0;
    skipDeletedForward();
}

void Recordset::moveNext()
{
    if (!leaveCurrentRow())
        return;
    if (m_pos < m_rows.size())
        ++m_pos;
    skipDeletedForward();
}

void Recordset::movePrevious()
{
    if (!leaveCurrentRow())
        return;
    if (m_pos >= 0)
        --m_pos;
    skipDeletedBackward();
}

void Recordset::moveLast()
{
    if (!leaveCurrentRow())
        return;
    m_pos = int(m_rows.size()) - 1;
    skipDeletedBackward();
    if (m_pos < 0)
        m_pos = int(m_rows.size());
}

int Recordset::recordCount() const
{
    return int(m_rows.size()) - m_deletedCount;
}

QString Recordset::fieldName(int index) const
{
    return index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

int Recordset::fieldIndex(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    // "GroupMaster.GPname" asked, "GPname" delivered (or the other way round).
    const QString column = wanted.section(QLatin1Char('.'), -1);
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).section(QLatin1Char('.'), -1).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Recordset::field(int index) const
{
    if (m_pos < 0 || m_pos >= m_rows.size() || isDeleted(m_pos))
        return {};
    const QVector<QVariant> &row = m_rows.at(m_pos);
    return index >= 0 && index < row.size() ? row.at(index) : QVariant();
}

QVariant Recordset::field(const QString &name) const
{
    return field(fieldIndex(name));
}

QString Recordset::text(const QString &name) const
{
    const QVariant v = field(name);
    return v.isNull() ? QString() : v.toString();
}

int Recordset::integer(const QString &name) const
{
    return field(name).toInt();
}

bool Recordset::yes(const QString &name) const
{
    return field(name).toInt() != 0;
}

float Recordset::single(const QString &name) const
{
    return field(name).toFloat();
}

QTime Recordset::time(const QString &name) const
{
    return parseTime(field(name));
}

bool Recordset::find(const QString &criterion)
{
    static const QRegularExpression textForm(QStringLiteral("^\\s*\\[?([\\w.]+)\\]?\\s*=\\s*'(.*)'\\s*$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression numberForm(QStringLiteral("^\\s*\\[?([\\w.]+)\\]?\\s*=\\s*(-?[0-9.]+)\\s*$"));
    if (!leaveCurrentRow())
        return false;
    QRegularExpressionMatch m = textForm.match(criterion);
    if (m.hasMatch()) {
        QString value = m.captured(2);
        value.replace(QStringLiteral("''"), QStringLiteral("'"));
        return findValue(m.captured(1), value);
    }
    m = numberForm.match(criterion);
    if (m.hasMatch())
        return findValue(m.captured(1), m.captured(2).toDouble());
    m_pos = int(m_rows.size());
    return false;
}

bool Recordset::findValue(const QString &column, const QVariant &value)
{
    if (!leaveCurrentRow())
        return false;
    const int index = fieldIndex(column);
    if (index < 0) {
        m_pos = int(m_rows.size());
        return false;
    }
    const bool numeric = value.typeId() != QMetaType::QString;
    if (m_pos < 0)
        m_pos = 0;
    for (; m_pos < m_rows.size(); ++m_pos) {
        if (isDeleted(m_pos))
            continue;
        const QVariant &v = m_rows.at(m_pos).at(index);
        if (v.isNull())
            continue;
        if (numeric) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (ok && d == value.toDouble())
                return true;
        } else if (v.toString().compare(value.toString(), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace store
