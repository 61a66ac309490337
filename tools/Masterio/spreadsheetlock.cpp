#include "tools/Masterio/spreadsheetlock.h"

#include <QFileInfo>

namespace masterio {

QStringList spreadsheetLockFiles(const QString &workbookPath)
{
    const QFileInfo info(workbookPath);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    const QString name = info.fileName();
    QStringList files{folder + QStringLiteral("~$") + name, folder + QStringLiteral(".~lock.") + name + QLatin1Char('#')};
    if (name.size() > 2)
        files << folder + QStringLiteral("~$") + name.mid(2);
    return files;
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
