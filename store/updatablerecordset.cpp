#include "store/updatablerecordset.h"

#include "store/dialect.h"
#include "store/timeofday.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace store {
namespace {

const QString RowIdColumn = QStringLiteral("sch_rowid_");

QString identifier(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

} // namespace

QVariant UpdatableRecordset::toStored(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::QTime:
        return timeText(value.toTime());
    case QMetaType::QDateTime:
        return timeText(value.toDateTime().time());
    default:
        return value;
    }
}

bool UpdatableRecordset::open(const QSqlDatabase &db, const QString &accessSql, QString *error)
{
    close();
    m_rowIds.clear();
    m_dirty.clear();
    m_adding = false;
    static const QRegularExpression form(
        QStringLiteral("^\\s*SELECT\\s+(?:\\[?\\w+\\]?\\.)?\\*\\s+FROM\\s+\\[?(\\w+)\\]?(\\s.*)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(accessSql);
    if (!m.hasMatch()) {
        if (error)
            *error = QStringLiteral("更新できるのは SELECT * FROM <テーブル> の形の問い合わせだけです: %1").arg(accessSql);
        return false;
    }
    m_db = db;
    m_table = m.captured(1);
    const QString text = toSqlite(QStringLiteral("SELECT rowid AS ") + RowIdColumn + QStringLiteral(", * FROM ")
                                  + identifier(m_table) + m.captured(2));
    if (!load(db, text, error))
        return false;
    // The first column is the row id: keep it apart from the fields.
    m_names.removeFirst();
    m_rowIds.reserve(m_rows.size());
    for (QVector<QVariant> &row : m_rows) {
        m_rowIds << row.takeFirst().toLongLong();
    }
    return true;
}

bool UpdatableRecordset::fail(const QString &why, QString *error)
{
    m_lastError = why;
    if (error)
        *error = why;
    return false;
}

bool UpdatableRecordset::leaveCurrentRow()
{
    if (!m_adding && m_dirty.isEmpty())
        return true;
    return update();
}

void UpdatableRecordset::addNew()
{
    if (!leaveCurrentRow())
        return;
    m_posBeforeAdd = m_pos;
    m_adding = true;
    m_newRow = QVector<QVariant>(m_names.size());
    m_dirty.clear();
}

bool UpdatableRecordset::setField(const QString &name, const QVariant &value)
{
    const int index = fieldIndex(name);
    if (index < 0)
        return false;
    if (m_adding) {
        m_newRow[index] = toStored(value);
    } else {
        if (m_pos < 0 || m_pos >= m_rows.size() || isDeleted(m_pos))
            return false;
        if (m_dirty.isEmpty()) {
            m_savedRow = m_rows[m_pos];
            m_editPos = m_pos;
        }
        m_rows[m_pos][index] = toStored(value);
    }
    if (!m_dirty.contains(index))
        m_dirty << index;
    return true;
}

bool UpdatableRecordset::update(QString *error)
{
    m_lastError.clear();
    if (m_adding) {
        QStringList columns;
        QStringList marks;
        for (int i : std::as_const(m_dirty)) {
            columns << identifier(m_names.at(i));
            marks << QStringLiteral("?");
        }
        QString text = QStringLiteral("INSERT INTO ") + identifier(m_table);
        text += columns.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                                  : QStringLiteral(" (") + columns.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
                                        + marks.join(QLatin1Char(',')) + QLatin1Char(')');
        QSqlQuery q(m_db);
        q.prepare(text);
        for (int i : std::as_const(m_dirty))
            q.addBindValue(m_newRow.at(i));
        if (!q.exec())
            return fail(q.lastError().text(), error);
        // Read the row back so that defaults filled in by the table show.
        QVector<QVariant> stored = m_newRow;
        const qint64 id = q.lastInsertId().toLongLong();
        QSqlQuery back(m_db);
        back.prepare(QStringLiteral("SELECT * FROM ") + identifier(m_table) + QStringLiteral(" WHERE rowid = ?"));
        back.addBindValue(id);
        if (back.exec() && back.next()) {
            const QSqlRecord rec = back.record();
            for (int i = 0; i < m_names.size(); ++i) {
                const int c = rec.indexOf(m_names.at(i));
                if (c >= 0)
                    stored[i] = back.value(c);
            }
        }
        m_rows << stored;
        m_rowIds << id;
        m_deleted << false;
        m_pos = int(m_rows.size()) - 1; // the new row is current, as after AddNew/Update
        m_adding = false;
        m_dirty.clear();
        return true;
    }
    if (m_dirty.isEmpty())
        return true;
    const int row = m_editPos;
    if (row < 0 || row >= m_rows.size() || isDeleted(row))
        return fail(QStringLiteral("現在の行がありません。"), error);
    QStringList sets;
    for (int i : std::as_const(m_dirty))
        sets << identifier(m_names.at(i)) + QStringLiteral(" = ?");
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("UPDATE ") + identifier(m_table) + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "))
              + QStringLiteral(" WHERE rowid = ?"));
    for (int i : std::as_const(m_dirty))
        q.addBindValue(m_rows[row].at(i));
    q.addBindValue(m_rowIds.at(row));
    if (!q.exec())
        return fail(q.lastError().text(), error);
    m_dirty.clear();
    m_savedRow.clear();
    m_editPos = -1;
    return true;
}

void UpdatableRecordset::cancelUpdate()
{
    if (m_adding) {
        m_adding = false;
        m_newRow.clear();
        m_pos = m_posBeforeAdd;
    } else if (!m_dirty.isEmpty() && m_editPos >= 0 && m_editPos < m_rows.size()) {
        m_rows[m_editPos] = m_savedRow;
    }
    m_dirty.clear();
    m_savedRow.clear();
    m_editPos = -1;
}

bool UpdatableRecordset::deleteRow(QString *error)
{
    if (m_adding)
        cancelUpdate();
    m_lastError.clear();
    if (m_pos < 0 || m_pos >= m_rows.size() || isDeleted(m_pos))
        return fail(QStringLiteral("現在の行がありません。"), error);
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM ") + identifier(m_table) + QStringLiteral(" WHERE rowid = ?"));
    q.addBindValue(m_rowIds.at(m_pos));
    if (!q.exec())
        return fail(q.lastError().text(), error);
    if (!m_deleted[m_pos]) {
        m_deleted[m_pos] = true;
        ++m_deletedCount;
    }
    m_dirty.clear();
    m_savedRow.clear();
    m_editPos = -1;
    return true;
}

} // namespace store
