#include "tools/Masterio/masterexport.h"

#include "tools/Masterio/newworkbook.h"
#include "tools/Masterio/templateworkbook.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace masterio {

bool readMasters(store::Database &db, MasterData *data, Failure *failure)
{
    MasterData out;
    store::Recordset groups = db.openRecordset(store::sql::selectGroupsByNo());
    if (!groups.isOpen()) {
        *failure = {db.lastErrorNumber(), db.lastError()};
        return false;
    }
    for (groups.moveFirst(); !groups.eof(); groups.moveNext())
        out.groups.append({0, groups.integer(QStringLiteral("GPno")), groups.text(QStringLiteral("GPname")),
                           groups.yes(QStringLiteral("YukoFlg"))});
    store::Recordset devices = db.openRecordset(store::sql::selectDeviceMasterByTag());
    if (!devices.isOpen()) {
        *failure = {db.lastErrorNumber(), db.lastError()};
        return false;
    }
    for (devices.moveFirst(); !devices.eof(); devices.moveNext()) {
        const QVariant name = devices.field(QStringLiteral("KikiName"));
        out.devices.append({0, devices.text(QStringLiteral("TAG")), name.isNull() ? QString() : name.toString(),
                            devices.field(QStringLiteral("StartValue")).toDouble(),
                            devices.field(QStringLiteral("EndValue")).toDouble()});
    }
    *data = out;
    return true;
}

bool writeMasterWorkbook(const QString &path, const QString &templatePath, const MasterData &data, QString *error)
{
    const QFileInfo target(path);
    // A name for the new file beside the target (same file system, so the rename is atomic).
    QString temporary;
    {
        QTemporaryFile probe(target.absolutePath() + QStringLiteral("/.masterio-XXXXXX.xlsx"));
        if (!probe.open()) {
            *error = QStringLiteral("%1 に書き込めません: %2").arg(QDir::toNativeSeparators(target.absolutePath()),
                                                              probe.errorString());
            return false;
        }
        temporary = probe.fileName();
    } // removed here; the writers create it anew
    const QList<SheetContent> sheets = masterSheets(data);
    const bool written = templatePath.isEmpty() ? writeNewWorkbook(temporary, sheets, error)
                                                : fillTemplate(templatePath, temporary, sheets, error);
    if (!written) {
        QFile::remove(temporary);
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace masterio
