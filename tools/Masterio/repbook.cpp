#include "tools/Masterio/repbook.h"

#include "platform/programfolder.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace masterio {

QString repbookPath(const QString &programFolder)
{
    const QString folder = programFolder.isEmpty() ? platform::programFolder() : programFolder;
    return QDir(folder).filePath(QLatin1String(RepbookRelativePath));
}

namespace {

QString quotedName(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

bool writeTagRecords(const QString &path, const QList<TagRecord> &records, Failure *failure)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        *failure = {store::Database::NotFound, QStringLiteral("%1 が見つかりません。").arg(shown)};
        return false;
    }
    if (!store::Database::isSqliteFile(path)) {
        *failure = {store::Database::NotADatabase,
                    QStringLiteral("%1 は SQLite のデータベースではありません。").arg(shown)};
        return false;
    }
    store::Database db(path);
    if (!db.open()) {
        *failure = {db.lastErrorNumber(), db.lastError()};
        return false;
    }
    {
        QSqlQuery probe(db.handle());
        if (!probe.exec(QStringLiteral("SELECT * FROM M_TAG LIMIT 0"))) {
            *failure = {store::Database::EngineError, QStringLiteral("%1 に M_TAG テーブルがありません。").arg(shown)};
            return false;
        }
    }

    const QList<TagColumn> &columns = tagColumns();
    QStringList assignments, names, marks;
    for (const TagColumn &c : columns) {
        assignments << quotedName(c.name) + QStringLiteral(" = ?");
        names << quotedName(c.name);
        marks << QStringLiteral("?");
    }
    QSqlQuery find(db.handle());
    QSqlQuery update(db.handle());
    QSqlQuery insert(db.handle());
    const std::pair<QSqlQuery *, QString> statements[] = {
        {&find, QStringLiteral("SELECT COUNT(*) FROM M_TAG WHERE TAG = ?")},
        {&update, QStringLiteral("UPDATE M_TAG SET %1 WHERE TAG = ?").arg(assignments.join(QLatin1String(", ")))},
        {&insert, QStringLiteral("INSERT INTO M_TAG (TAG, %1) VALUES (?, %2)")
                      .arg(names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")))},
    };
    for (const auto &[query, text] : statements) {
        if (!query->prepare(text)) { // a column of the table is missing, for example
            *failure = {store::Database::EngineError, QStringLiteral("%1 の M_TAG: %2").arg(shown, query->lastError().text())};
            return false;
        }
    }
    if (!db.transaction()) {
        *failure = {store::Database::EngineError, db.handle().lastError().text()};
        return false;
    }
    for (const TagRecord &r : records) {
        find.addBindValue(r.tag);
        const bool found = find.exec() && find.next() && find.value(0).toInt() > 0;
        find.finish();
        QSqlQuery &write = found ? update : insert;
        if (!found)
            write.addBindValue(r.tag);
        for (const QVariant &v : r.values)
            write.addBindValue(v);
        if (found)
            write.addBindValue(r.tag);
        if (!write.exec()) {
            *failure = {store::Database::EngineError,
                        QStringLiteral("%1 行目 (%2): %3")
                            .arg(r.line)
                            .arg(r.tag, write.lastError().databaseText().isEmpty() ? write.lastError().text()
                                                                                  : write.lastError().databaseText())};
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        *failure = {store::Database::EngineError, db.handle().lastError().text()};
        db.rollback();
        return false;
    }
    return true;
}

} // namespace masterio
