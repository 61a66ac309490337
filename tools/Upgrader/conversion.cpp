#include "tools/Upgrader/conversion.h"

#include "tools/Upgrader/accessdatabase.h"

#include "store/database.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace upgrader {

using store::sql::Table;

const QList<TableMapping> &tableMappings()
{
    static const QList<TableMapping> mappings = {
        {Table::GroupMaster, QStringLiteral("GroupMaster"),
         {QStringLiteral("GPno"), QStringLiteral("GP名称"), QStringLiteral("有効"), QStringLiteral("削除")},
         {QStringLiteral("GPno"), QStringLiteral("GPname"), QStringLiteral("YukoFlg"), QStringLiteral("DelFlg")}},
        {Table::KikiMaster, QStringLiteral("KikiMaster"),
         {QStringLiteral("タグ名"), QStringLiteral("機器名称"), QStringLiteral("開始操作値"), QStringLiteral("終了操作値")},
         {QStringLiteral("TAG"), QStringLiteral("KikiName"), QStringLiteral("StartValue"), QStringLiteral("EndValue")}},
        {Table::KikiTable, QStringLiteral("KikiTable"),
         {QStringLiteral("タグ名"), QStringLiteral("機器名称"), QStringLiteral("GPno"), QStringLiteral("開始操作値"),
          QStringLiteral("終了操作値")},
         {QStringLiteral("TAG"), QStringLiteral("KikiName"), QStringLiteral("GPno"), QStringLiteral("StartValue"),
          QStringLiteral("EndValue")}},
        {Table::Schedule, QStringLiteral("Schedule"),
         {QStringLiteral("GPno"), QStringLiteral("曜日"), QStringLiteral("開始時間"), QStringLiteral("終了時間")},
         {QStringLiteral("GPno"), QStringLiteral("lWeek"), QStringLiteral("StartTime"), QStringLiteral("EndTime")}},
        {Table::NextdayTable, QStringLiteral("NextDayTable"),
         {QStringLiteral("GPno"), QStringLiteral("開始時間"), QStringLiteral("終了時間")},
         {QStringLiteral("GPno"), QStringLiteral("StartTime"), QStringLiteral("EndTime")}},
        {Table::TodayTable, QStringLiteral("ToDayTable"),
         {QStringLiteral("GPno"), QStringLiteral("開始時間"), QStringLiteral("終了時間")},
         {QStringLiteral("GPno"), QStringLiteral("StartTime"), QStringLiteral("EndTime")}},
    };
    return mappings;
}

bool readOldDatabase(const QString &path, QList<AccessTable> *tables, QString *error)
{
    AccessDatabase old;
    if (!old.open(QDir::toNativeSeparators(path), error))
        return false;
    QList<AccessTable> out;
    for (const TableMapping &m : tableMappings()) {
        AccessTable table;
        QString culprit;
        switch (old.readTable(m.oldName, m.oldColumns, &table, &culprit)) {
        case AccessDatabase::Result::Ok:
            out << table;
            continue;
        case AccessDatabase::Result::NoTable:
            *error = QStringLiteral("旧データベースにテーブル「%1」がありません。").arg(m.oldName);
            return false;
        case AccessDatabase::Result::NoColumn:
            *error = QStringLiteral("旧データベースのテーブル「%1」に列「%2」がありません。").arg(m.oldName, culprit);
            return false;
        case AccessDatabase::Result::BadColumnType:
            *error = QStringLiteral("旧データベースのテーブル「%1」の列「%2」はコンバート出来ない型です。").arg(m.oldName, culprit);
            return false;
        case AccessDatabase::Result::Unreadable:
            *error = QStringLiteral("旧データベースのテーブル「%1」を読めません。").arg(m.oldName);
            return false;
        }
    }
    *tables = out;
    return true;
}

bool countRows(store::Database &db, QList<int> *counts, QString *error)
{
    QList<int> out;
    for (const TableMapping &m : tableMappings()) {
        const QVariant n = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(store::sql::tableName(m.table)));
        if (!n.isValid()) {
            *error = db.lastError();
            return false;
        }
        out << n.toInt();
    }
    *counts = out;
    return true;
}

namespace {

QString rowText(const QVariantList &row)
{
    QStringList values;
    for (const QVariant &v : row)
        values << (v.isNull() ? QStringLiteral("(空)") : v.toString());
    return values.join(QLatin1String(", "));
}

} // namespace

bool convertTables(store::Database &db, const QList<AccessTable> &tables, bool replace, QString *error)
{
    const QList<TableMapping> &mappings = tableMappings();
    if (tables.size() != mappings.size()) {
        *error = QStringLiteral("旧データベースのテーブルが揃っていません。");
        return false;
    }
    if (!db.transaction()) {
        *error = db.handle().lastError().text();
        return false;
    }
    auto abandon = [&db] {
        db.rollback();
        return false;
    };
    if (replace) {
        for (const TableMapping &m : mappings) {
            if (!db.execute(QStringLiteral("DELETE FROM %1").arg(store::sql::tableName(m.table)))) {
                *error = db.lastError();
                return abandon();
            }
        }
    }
    for (int t = 0; t < mappings.size(); ++t) {
        const TableMapping &m = mappings.at(t);
        const AccessTable &old = tables.at(t);
        QStringList marks;
        for (int i = 0; i < m.newColumns.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery insert(db.handle());
        if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(store::sql::tableName(m.table), m.newColumns.join(QLatin1String(", ")),
                                     marks.join(QLatin1String(", "))))) {
            *error = QStringLiteral("テーブル「%1」: %2").arg(store::sql::tableName(m.table), insert.lastError().text());
            return abandon();
        }
        for (int r = 0; r < old.rows.size(); ++r) {
            const QVariantList &row = old.rows.at(r);
            for (const QVariant &v : row)
                insert.addBindValue(v);
            if (!insert.exec()) {
                const QSqlError e = insert.lastError();
                const QString why = e.databaseText().isEmpty() ? e.text() : e.databaseText();
                const QString reason = why.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive)
                                           ? QStringLiteral("同じキーの行があります (%1)").arg(why)
                                           : why;
                *error = QStringLiteral("テーブル「%1」の %2 行目 (%3) をコンバート出来ません: %4")
                             .arg(m.oldName)
                             .arg(r + 1)
                             .arg(rowText(row), reason);
                return abandon();
            }
        }
    }
    if (!db.commit()) {
        *error = db.handle().lastError().text();
        return abandon();
    }
    return true;
}

} // namespace upgrader
