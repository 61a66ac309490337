#include "productfolder.h"

#include <QCryptographicHash>
#include <QDir>

namespace vantor {

QString productFolder()
{
    const QString env = qEnvironmentVariable("VANTOR_HOME");
    if (env.isEmpty())
        return {};
    return QDir(env).absolutePath();
}

QString tagsFile(const QString &folder) { return folder + QStringLiteral("/tags.csv"); }
QString journalFile(const QString &folder) { return folder + QStringLiteral("/writes.csv"); }
QString stateFile(const QString &folder) { return folder + QStringLiteral("/vantord.state"); }
QString iniFile(const QString &folder) { return folder + QStringLiteral("/Vantor.ini"); }
QString modbusFile(const QString &folder) { return folder + QStringLiteral("/modbus.csv"); }

QString socketName(const QString &folder)
{
    const QString path = QDir(folder).absolutePath() + QStringLiteral("/vantord.sock");
    // sockaddr_un holds 108 bytes with the terminator.
    if (QFile::encodeName(path).size() < 100)
        return path;
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/vantord-") + QString::fromLatin1(hash) + QStringLiteral(".sock");
}

} // namespace vantor
