#include "tools/Masterio/ziparchive.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace masterio {
namespace {

// The parts of a master workbook are small (a sheet of thousands of rows is a
// few megabytes); a bigger one is refused instead of exhausting memory on a
// damaged or hostile file.
constexpr zip_uint64_t MaxEntrySize = 128ull * 1024 * 1024;

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

} // namespace

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::open(const QString &path, QString *error)
{
    if (m_zip) {
        zip_discard(m_zip);
        m_zip = nullptr;
    }
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!m_zip) {
        if (error)
            *error = zipErrorText(code);
        return false;
    }
    return true;
}

bool ZipArchive::contains(const QString &name) const
{
    return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
}

QStringList ZipArchive::names() const
{
    QStringList out;
    if (!m_zip)
        return out;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char *name = zip_get_name(m_zip, zip_uint64_t(i), 0))
            out << QString::fromUtf8(name);
    }
    return out;
}

bool ZipArchive::read(const QString &name, QByteArray *bytes, QString *error) const
{
    const QByteArray entry = name.toUtf8();
    zip_stat_t st;
    zip_stat_init(&st);
    if (!m_zip || zip_stat(m_zip, entry.constData(), 0, &st) != 0) {
        if (error)
            *error = QStringLiteral("%1 がありません。").arg(name);
        return false;
    }
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > MaxEntrySize) {
        if (error)
            *error = QStringLiteral("%1 が大き過ぎます。").arg(name);
        return false;
    }
    std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(zip_fopen(m_zip, entry.constData(), 0), zip_fclose);
    if (!file) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(name, QString::fromUtf8(zip_strerror(m_zip)));
        return false;
    }
    bytes->resize(qsizetype(st.size));
    zip_int64_t done = 0;
    while (done < zip_int64_t(st.size)) {
        const zip_int64_t n = zip_fread(file.get(), bytes->data() + done, st.size - zip_uint64_t(done));
        if (n <= 0) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(name, QString::fromUtf8(zip_file_strerror(file.get())));
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace masterio
