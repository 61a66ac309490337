#include "console/maintenance/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace console {

QString chooseDatabaseFile(QWidget *parent, const QString &title, const QString &fileName,
                           const QString &startFolder)
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("databaseFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("データベース (*.accdb)"), QStringLiteral("すべてのファイル (*)")});
    const QFileInfo start(fileName);
    dialog.setDirectory(start.isAbsolute() && start.dir().exists() ? start.absolutePath() : startFolder);
    dialog.selectFile(start.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString ShowFoldersModule(QWidget *parent, const QString &folder, const QString &prompt)
{
    QFileDialog dialog(parent, prompt);
    dialog.setObjectName(QStringLiteral("folderDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!folder.isEmpty() && QDir(folder).exists())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return folder;
    // A path cut at its first NUL, as the platform's folder browser gave it.
    QString path = dialog.selectedFiles().constFirst();
    if (const qsizetype nul = path.indexOf(QChar(0)); nul >= 0)
        path.truncate(nul);
    return QDir::toNativeSeparators(path);
}

} // namespace console
