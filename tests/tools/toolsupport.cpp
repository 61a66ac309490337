#include "toolsupport.h"

#include "testsupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <charconv>

namespace toolsupport {
namespace {

template <typename F>
auto withDatabase(const QString &path, F f)
{
    const QString name = QStringLiteral("toolsupport-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    struct Remove
    {
        QString name;
        ~Remove() { QSqlDatabase::removeDatabase(name); }
    } remove{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.open();
    auto result = f(db);
    db.close();
    db = QSqlDatabase();
    return result;
}

QString valueText(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::Double) {
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v.toDouble());
        return QString::fromLatin1(buffer, int(r.ptr - buffer));
    }
    return v.toString();
}

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    Run r;
    if (!p.waitForStarted(10000)) {
        r.err = p.errorString();
        return r;
    }
    p.closeWriteChannel();
    p.waitForFinished(60000);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

QStringList rows(const QString &database, const QString &sql)
{
    return withDatabase(database, [&](QSqlDatabase &db) {
        QStringList out;
        QSqlQuery q(db);
        if (!q.exec(sql))
            return QStringList{QStringLiteral("ERROR ") + q.lastError().text()};
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << valueText(q.value(i));
            out << values.join(QLatin1Char('|'));
        }
        return out;
    });
}

bool exec(const QString &database, const QStringList &statements)
{
    return withDatabase(database, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        for (const QString &s : statements) {
            if (!q.exec(s))
                return false;
        }
        return true;
    });
}

Run python(const QString &script, const QStringList &arguments)
{
    return run(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments,
               QProcessEnvironment::systemEnvironment());
}

Run tool(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return run(testsupport::binDir() + QLatin1Char('/') + program, arguments, env);
}

QString dataFile(const QString &name)
{
    return testsupport::sourceDir() + QStringLiteral("/tests/tools/data/") + name;
}

} // namespace toolsupport
