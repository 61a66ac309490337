#include "platform/runtimefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A folder Qt accepts as a runtime folder: ours, a folder, mode 0700.
bool usable(const QByteArray &path)
{
    struct stat st {};
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
        && (st.st_mode & 0777) == 0700;
}

} // namespace

QString prepareRuntimeFolder()
{
    const QByteArray current = qgetenv("XDG_RUNTIME_DIR");
    if (usable(current))
        return QFile::decodeName(current);
    QByteArray base = qgetenv("TMPDIR");
    if (base.isEmpty() || !QFileInfo(QFile::decodeName(base)).isDir())
        base = "/tmp";
    const QByteArray path = base + "/sch-runtime-" + QByteArray::number(qulonglong(::geteuid()));
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    if (!usable(path)) {
        // Someone else's, or not ours to use: a fresh folder of our own.
        QByteArray pattern = base + "/sch-runtime-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return {};
        ::setenv("XDG_RUNTIME_DIR", pattern.constData(), 1);
        return QFile::decodeName(pattern);
    }
    ::setenv("XDG_RUNTIME_DIR", path.constData(), 1);
    return QFile::decodeName(path);
}

void useOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace platform
