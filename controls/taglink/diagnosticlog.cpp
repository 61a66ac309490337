#include "taglink/diagnosticlog.h"

#include "platform/atomicfile.h"
#include "platform/profile.h"
#include "platform/textcodec.h"

#include <QDir>

#include <cstdio>

namespace taglink {
namespace {

struct Settings
{
    bool read = false;
    QString debugLog;
    QString invalidTagLog;
};

Settings &settings()
{
    static Settings s;
    return s;
}

QString resolvePath(const QString &folder, const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name) || folder.isEmpty())
        return name;
    return QDir(folder).filePath(name);
}

} // namespace

void DiagnosticLog::forgetSettings()
{
    settings() = Settings();
}

void DiagnosticLog::writeOpening(const QList<TagRecord> &tags)
{
    Settings &s = settings();
    if (!s.read) {
        s.read = true;
        const QString folder = qEnvironmentVariable("VANTOR_HOME");
        if (!folder.isEmpty()) {
            const QString ini = QDir(folder).filePath(QStringLiteral("Vantor.ini"));
            s.debugLog = resolvePath(folder, platform::profile::readString(ini, QStringLiteral("TAGLINK"),
                                                                           QStringLiteral("DEBUG_LOG")));
            s.invalidTagLog = resolvePath(folder, platform::profile::readString(ini, QStringLiteral("TAGLINK"),
                                                                                QStringLiteral("INVALID_TAG_LOG")));
        }
    }
    if (!s.debugLog.isEmpty()) {
        QByteArray text = "Start Debug Tag List\n";
        for (const TagRecord &t : tags) {
            char id[16];
            std::snprintf(id, sizeof id, "%08x", unsigned(t.id));
            text += "\"" + platform::toCp932(t.name) + "\", " + id + " \n";
        }
        text += "end Debug TAG\n";
        platform::appendToFile(s.debugLog, text);
    }
    if (!s.invalidTagLog.isEmpty()) {
        QByteArray text = "Invalid TAG\n";
        for (const TagRecord &t : tags) {
            if (t.id < 0)
                text += platform::toCp932(t.name) + "\n";
        }
        text += platform::toCp932(QStringLiteral("End Invalid\u3000TAG\n"));
        platform::appendToFile(s.invalidTagLog, text);
    }
}

} // namespace taglink
