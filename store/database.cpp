#include "store/database.h"

#include "platform/textfile.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/updatablerecordset.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace store {
namespace {

const char SqliteHeader[] = "SQLite format 3"; // followed by a NUL byte
// SQLite's result code for a file that is not a database.
const char SqliteNotADatabase[] = "26";

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("sch-store-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

} // namespace

Database::Database() = default;

Database::Database(const QString &path)
    : m_path(path)
{
}

Database::~Database()
{
    close();
}

bool Database::isSqliteFile(const QString &path)
{
    QByteArray head;
    if (platform::readFileStart(path, 16, &head) != platform::ReadStatus::Read)
        return false;
    return head.size() == 16 && head.startsWith(QByteArray(SqliteHeader, int(sizeof SqliteHeader)));
}

QString Database::notSqliteMessage(const QString &path)
{
    return QStringLiteral("%1 はこのシステムのデータベース形式 (SQLite) ではありません。"
                          "旧版のデータベースは Upgrader で変換して下さい。")
        .arg(QDir::toNativeSeparators(path));
}

void Database::setError(int number, const QString &text)
{
    m_lastErrorNumber = number;
    m_lastError = text;
}

bool Database::open(const QString &path)
{
    close();
    m_path = path;
    return open();
}

bool Database::open()
{
    return openConnection(true);
}

bool Database::create(const QString &path)
{
    close();
    m_path = path;
    if (QFileInfo::exists(path)) {
        setError(EngineError, QStringLiteral("%1 は既に存在します。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return openConnection(false);
}

bool Database::openConnection(bool mustExist)
{
    close();
    setError(NoError, QString());
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        setError(ProviderMissing, QStringLiteral("SQLite のドライバ (QSQLITE) がありません。"));
        return false;
    }
    if (mustExist) {
        const QFileInfo info(m_path);
        if (!info.exists() || !info.isFile()) {
            setError(NotFound, QStringLiteral("データベース %1 が見つかりません。").arg(QDir::toNativeSeparators(m_path)));
            return false;
        }
        // An empty file would be taken by SQLite as a new empty database;
        // anything but the SQLite header is refused before SQLite touches it.
        if (!isSqliteFile(m_path)) {
            setError(NotADatabase, notSqliteMessage(m_path));
            return false;
        }
    }
    m_connectionName = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
        if (!db.open()) {
            setError(EngineError, db.lastError().text());
        } else {
            QSqlQuery q(db);
            // A rollback journal: the file may lie on a network share.
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                // Only a file SQLite cannot read as a database is a foreign
                // one; a database locked by another program is a healthy one
                // that cannot be read just now.
                const QSqlError error = q.lastError();
                if (error.nativeErrorCode() == QLatin1String(SqliteNotADatabase))
                    setError(NotADatabase, notSqliteMessage(m_path));
                else
                    setError(EngineError, error.text());
            }
        }
    }
    if (m_lastErrorNumber != NoError) {
        close();
        return false;
    }
    return true;
}

void Database::close()
{
    if (m_connectionName.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

bool Database::isOpen() const
{
    return !m_connectionName.isEmpty() && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase Database::handle() const
{
    if (m_connectionName.isEmpty())
        return {};
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::execute(const QString &accessSql)
{
    m_rowsAffected = 0;
    if (!isOpen()) {
        setError(EngineError, QStringLiteral("データベースが開かれていません。"));
        return false;
    }
    QSqlQuery q(handle());
    if (!q.exec(toSqlite(accessSql))) {
        setError(EngineError, q.lastError().text());
        return false;
    }
    m_rowsAffected = q.numRowsAffected();
    setError(NoError, QString());
    return true;
}

QVariant Database::scalar(const QString &accessSql)
{
    if (!isOpen()) {
        setError(EngineError, QStringLiteral("データベースが開かれていません。"));
        return {};
    }
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.exec(toSqlite(accessSql))) {
        setError(EngineError, q.lastError().text());
        return {};
    }
    setError(NoError, QString());
    if (!q.next())
        return {};
    return q.value(0);
}

Recordset Database::openRecordset(const QString &accessSql)
{
    Recordset rs;
    if (!isOpen()) {
        setError(EngineError, QStringLiteral("データベースが開かれていません。"));
        return rs;
    }
    QString error;
    if (!rs.load(handle(), toSqlite(accessSql), &error))
        setError(EngineError, error);
    else
        setError(NoError, QString());
    return rs;
}

UpdatableRecordset Database::openUpdatable(const QString &accessSql)
{
    UpdatableRecordset rs;
    if (!isOpen()) {
        setError(EngineError, QStringLiteral("データベースが開かれていません。"));
        return rs;
    }
    QString error;
    if (!rs.open(handle(), accessSql, &error))
        setError(EngineError, error);
    else
        setError(NoError, QString());
    return rs;
}

bool Database::transaction()
{
    return isOpen() && handle().transaction();
}

bool Database::commit()
{
    return isOpen() && handle().commit();
}

bool Database::rollback()
{
    return isOpen() && handle().rollback();
}

} // namespace store
