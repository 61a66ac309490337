#include "store/schema.h"

#include "store/database.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

namespace store {

QString schemaText()
{
    QFile file(QStringLiteral(":/store/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList schemaStatements()
{
    QString text;
    const QStringList lines = schemaText().split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const int comment = line.indexOf(QStringLiteral("--"));
        text += (comment >= 0 ? line.left(comment) : line) + QLatin1Char('\n');
    }
    QStringList statements;
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const QString s = part.trimmed();
        if (!s.isEmpty())
            statements << s;
    }
    return statements;
}

bool createDatabase(const QString &path, QString *error)
{
    const QStringList statements = schemaStatements();
    if (statements.isEmpty()) {
        if (error)
            *error = QStringLiteral("schema.sql が読めません。");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    bool ok = true;
    {
        Database db;
        if (!db.create(path)) {
            if (error)
                *error = db.lastError();
            return false; // nothing of ours to remove: the file existed or could not be made
        }
        db.transaction();
        for (const QString &s : statements) {
            if (!db.execute(s)) {
                if (error)
                    *error = db.lastError();
                ok = false;
                break;
            }
        }
        if (ok)
            ok = db.commit();
        else
            db.rollback();
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace store
