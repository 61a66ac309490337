#include "tools/Masterio/spreadsheetlock.h"

#include <QFileInfo>

namespace masterio {

QStringList spreadsheetLockFiles(const QString &workbookPath)
{
    const QFileInfo info(workbookPath);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    const QString name = info.fileName();
    return {folder + QStringLiteral("~$") + name, folder + QStringLiteral(".~lock.") + name + QLatin1Char('#')};
}

bool isOpenInSpreadsheet(const QString &workbookPath)
{
    for (const QString &lock : spreadsheetLockFiles(workbookPath)) {
        if (QFileInfo::exists(lock))
            return true;
    }
    return false;
}

} // namespace masterio
