#include "tools/Upgrader/accessdatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <mdbtools.h>

#include <vector>

namespace upgrader {
namespace {

// The value of a bound column as the upgrader stores it.
bool convert(int type, const char *text, int length, QVariant *value)
{
    const QByteArray bytes(text, length);
    if (length == 0) {
        *value = QVariant();
        return true;
    }
    switch (type) {
    case MDB_BOOL:
        *value = bytes == "0" ? 0 : -1;
        return true;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        *value = bytes.toLongLong();
        return true;
    case MDB_FLOAT:   // printed with the digits a single-precision value has
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC: {
        bool ok = false;
        const double d = QLocale::c().toDouble(QString::fromLatin1(bytes), &ok);
        *value = ok ? QVariant(d) : QVariant(QString::fromUtf8(bytes));
        return true;
    }
    case MDB_DATETIME: // printed as the time of day (mdb_set_date_fmt)
    case MDB_TEXT:
    case MDB_MEMO:
        *value = QString::fromUtf8(bytes);
        return true;
    default:
        return false; // binary, OLE, replication id, attachments
    }
}

} // namespace

struct AccessDatabase::Handle
{
    MdbHandle *mdb = nullptr;
};

AccessDatabase::AccessDatabase()
    : m_handle(std::make_unique<Handle>())
{
}

AccessDatabase::~AccessDatabase()
{
    close();
}

void AccessDatabase::close()
{
    if (m_handle->mdb)
        mdb_close(m_handle->mdb);
    m_handle->mdb = nullptr;
}

bool AccessDatabase::open(const QString &path, QString *error)
{
    close();
    MdbHandle *&mdb = m_handle->mdb;
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("%1 が見つかりません。").arg(path);
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    mdb = mdb_open(name.constData(), MDB_NOFLAGS);
    // Access 97 files keep text in the code page of the machine that wrote
    // them; Japanese ones in CP932, which is Shift-JIS with the characters
    // Windows adds (①, ～, ...).  libmdb picks its decoder when it opens.
    if (mdb && mdb->f->jet_version == MDB_VER_JET3 && mdb->f->code_page == 932
        && qEnvironmentVariableIsEmpty("MDB_JET3_CHARSET")) {
        mdb_close(mdb);
        qputenv("MDB_JET3_CHARSET", "CP932");
        mdb = mdb_open(name.constData(), MDB_NOFLAGS);
    }
    if (!mdb) {
        *error = QStringLiteral("%1 は Access のデータベースではありません。").arg(path);
        return false;
    }
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        close();
        *error = QStringLiteral("%1 のテーブル一覧を読めません。").arg(path);
        return false;
    }
    mdb_set_date_fmt(mdb, "%H:%M:%S");
    mdb_set_boolean_fmt_numbers(mdb);
    return true;
}

QStringList AccessDatabase::tableNames() const
{
    MdbHandle *mdb = m_handle->mdb;
    QStringList names;
    if (!mdb || !mdb->catalog)
        return names;
    for (guint i = 0; i < mdb->catalog->len; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

AccessDatabase::Result AccessDatabase::readTable(const QString &table, const QStringList &columns, AccessTable *out,
                                                 QString *culprit)
{
    MdbHandle *mdb = m_handle->mdb;
    if (!mdb)
        return Result::Unreadable;
    // Only user tables: a system table of the same name is no table of ours.
    MdbCatalogEntry *entry = nullptr;
    for (guint i = 0; mdb->catalog && i < mdb->catalog->len; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && mdb_is_user_table(e)
            && QString::fromUtf8(e->object_name).compare(table, Qt::CaseInsensitive) == 0) {
            entry = e;
            break;
        }
    }
    if (!entry) {
        *culprit = table;
        return Result::NoTable;
    }
    MdbTableDef *def = mdb_read_table(entry);
    if (!def) {
        *culprit = table;
        return Result::Unreadable;
    }
    struct Free
    {
        MdbTableDef *def;
        ~Free() { mdb_free_tabledef(def); }
    } free{def};
    if (!mdb_read_columns(def)) {
        *culprit = table;
        return Result::Unreadable;
    }

    const size_t bindSize = mdb->bind_size;
    std::vector<std::vector<char>> buffers(size_t(columns.size()), std::vector<char>(bindSize + 1, '\0'));
    std::vector<int> lengths(size_t(columns.size()), 0);
    std::vector<int> types(size_t(columns.size()), 0);
    for (int c = 0; c < columns.size(); ++c) {
        int found = -1;
        for (unsigned i = 0; i < def->num_cols; ++i) {
            auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
            if (QString::fromUtf8(col->name).compare(columns.at(c), Qt::CaseInsensitive) == 0) {
                found = int(i);
                types[size_t(c)] = col->col_type;
                break;
            }
        }
        if (found < 0) {
            *culprit = columns.at(c);
            return Result::NoColumn;
        }
        QVariant probe;
        if (!convert(types[size_t(c)], "x", 1, &probe)) {
            *culprit = columns.at(c);
            return Result::BadColumnType;
        }
        mdb_bind_column(def, found + 1, buffers[size_t(c)].data(), &lengths[size_t(c)]);
    }

    AccessTable result;
    result.name = QString::fromUtf8(def->name);
    result.columns = columns;
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        QVariantList row;
        for (int c = 0; c < columns.size(); ++c) {
            QVariant value;
            const int length = std::clamp(lengths[size_t(c)], 0, int(bindSize));
            convert(types[size_t(c)], buffers[size_t(c)].data(), length, &value);
            row << value;
        }
        result.rows << row;
    }
    *out = result;
    return Result::Ok;
}

} // namespace upgrader
