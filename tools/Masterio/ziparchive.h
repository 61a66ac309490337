#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct zip;

namespace masterio {

// A zip file opened for reading (libzip): the parts of an .xlsx workbook.
class ZipArchive
{
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // False (and *error) when the file is missing or no zip file.
    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_zip != nullptr; }

    bool contains(const QString &name) const;
    // The bytes of one entry; false (and *error) when it is missing or unreadable.
    bool read(const QString &name, QByteArray *bytes, QString *error) const;
    QStringList names() const;

private:
    zip *m_zip = nullptr;
};

} // namespace masterio
