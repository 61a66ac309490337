#include "store/maintenance.h"

#include "platform/profile.h"
#include "store/settings.h"

namespace store::maintenance {
namespace {

using platform::profile::Entry;
using platform::profile::WriteResult;

Entry mente(const char *key, const char *value)
{
    return {QString::fromLatin1(ini::Mente), QString::fromLatin1(key), QString::fromLatin1(value)};
}

bool isSet(const QString &value)
{
    return settingsInteger(value, 0) == 1;
}

bool takeFlag(const Settings &settings, const char *key)
{
    const WriteResult r = platform::profile::writeStringsUnless(
        settings.sharedPath(), QString::fromLatin1(ini::Mente), QString::fromLatin1(key),
        [](const QString &value) { return !isSet(value); }, {mente(key, "0")});
    return r == WriteResult::Written;
}

} // namespace

QString busyMessage()
{
    return QStringLiteral("他のユーザが操作中です。しばらく待ってから再度実行して下さい。");
}

EnterResult enter(const Settings &settings, Side side)
{
    const char *loadKey = side == Side::Client ? ini::ClientLoad : ini::ServerLoad;
    const WriteResult r = platform::profile::writeStringsUnless(
        settings.sharedPath(), QString::fromLatin1(ini::Mente), QString::fromLatin1(ini::Flg), isSet,
        {mente(ini::Flg, "1"), mente(loadKey, "0")});
    switch (r) {
    case WriteResult::Written: return EnterResult::Entered;
    case WriteResult::Refused: return EnterResult::Busy;
    case WriteResult::Failed: break;
    }
    return EnterResult::Failed;
}

bool leave(const Settings &settings, Side side)
{
    const char *loadKey = side == Side::Client ? ini::ClientLoad : ini::ServerLoad;
    return platform::profile::writeStrings(settings.sharedPath(),
                                           {mente(ini::Flg, "0"), mente(loadKey, "1"), mente(ini::RunnerLoad, "1")});
}

bool clearMaintenanceFlag(const Settings &settings)
{
    return settings.setMaintenanceFlag(false);
}

bool takeConsoleReload(const Settings &settings, Side side)
{
    return takeFlag(settings, side == Side::Server ? ini::ClientLoad : ini::ServerLoad);
}

bool takeRunnerReload(const Settings &settings)
{
    return takeFlag(settings, ini::RunnerLoad);
}

bool clearAtDayChange(const Settings &settings)
{
    return platform::profile::writeStrings(settings.sharedPath(),
                                           {mente(ini::Flg, "0"), mente(ini::ClientLoad, "0"),
                                            mente(ini::ServerLoad, "0"), mente(ini::RunnerLoad, "0")});
}

bool clearConsoleFlags(const Settings &settings)
{
    return platform::profile::writeStrings(settings.sharedPath(), {mente(ini::Flg, "0"), mente(ini::ClientLoad, "0"),
                                                                   mente(ini::ServerLoad, "0")});
}

QString visitSubject(Side side)
{
    return side == Side::Client ? QStringLiteral("クライアント設定") : QStringLiteral("サーバー設定");
}

QString reloadSubject(Side side)
{
    return side == Side::Client ? QStringLiteral("クライアント設定更新") : QStringLiteral("サーバー設定更新");
}

} // namespace store::maintenance
