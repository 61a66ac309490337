#include "store/settings.h"

#include "platform/profile.h"
#include "platform/programfolder.h"
#include "store/sitepaths.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace store {
namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

int settingsInteger(const QString &text, int fallback)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    int digits = 0;
    for (; i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'); ++i) {
        if (value < 1'000'000'000LL)
            value = value * 10 + (t.at(i).unicode() - '0');
        ++digits;
    }
    if (digits == 0)
        return fallback;
    value = std::min<qint64>(value, std::numeric_limits<int>::max());
    return int(negative ? -value : value);
}

std::optional<double> settingsNumber(const QString &text)
{
    static const QRegularExpression numeric(
        QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    const QString t = text.trimmed();
    if (!numeric.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int settingsNumericInteger(const QString &text, int fallback)
{
    const std::optional<double> value = settingsNumber(text);
    if (!value)
        return fallback;
    const double rounded = std::nearbyint(*value); // half to even in the default rounding mode
    return int(std::clamp<double>(rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Settings::Settings(const QString &programFolder)
{
    const QString folder = programFolder.isEmpty() ? platform::programFolder() : programFolder;
    m_local = paths::settingsPath(folder);
    m_database = paths::databasePath(folder);
    if (isClient()) {
        const QString db = clientDatabase();
        if (!db.isEmpty())
            m_database = db;
    }
    m_shared = paths::sharedSettingsPathFor(m_database);
}

Settings::Settings(const QString &localPath, const QString &sharedPath)
    : m_local(localPath)
    , m_shared(sharedPath)
{
}

QString Settings::readLocal(const char *section, const char *key) const
{
    return platform::profile::readString(m_local, QString::fromLatin1(section), QString::fromLatin1(key));
}

bool Settings::writeLocal(const char *section, const char *key, const QString &value) const
{
    return platform::profile::writeString(m_local, QString::fromLatin1(section), QString::fromLatin1(key), value);
}

QString Settings::readShared(const char *section, const char *key) const
{
    return platform::profile::readString(m_shared, QString::fromLatin1(section), QString::fromLatin1(key));
}

bool Settings::writeShared(const char *section, const char *key, const QString &value) const
{
    return platform::profile::writeString(m_shared, QString::fromLatin1(section), QString::fromLatin1(key), value);
}

int Settings::localInteger(const char *section, const char *key, int fallback) const
{
    return settingsInteger(readLocal(section, key), fallback);
}

int Settings::localNumeric(const char *section, const char *key, int fallback) const
{
    return settingsNumericInteger(readLocal(section, key), fallback);
}

bool Settings::sharedFlag(const char *key) const
{
    return settingsInteger(readShared(ini::Mente, key), 0) == 1;
}

bool Settings::maintenanceFlag() const { return sharedFlag(ini::Flg); }
bool Settings::clientLoadFlag() const { return sharedFlag(ini::ClientLoad); }
bool Settings::serverLoadFlag() const { return sharedFlag(ini::ServerLoad); }
bool Settings::runnerLoadFlag() const { return sharedFlag(ini::RunnerLoad); }
bool Settings::setMaintenanceFlag(bool on) const { return writeShared(ini::Mente, ini::Flg, flagText(on)); }
bool Settings::setClientLoadFlag(bool on) const { return writeShared(ini::Mente, ini::ClientLoad, flagText(on)); }
bool Settings::setServerLoadFlag(bool on) const { return writeShared(ini::Mente, ini::ServerLoad, flagText(on)); }
bool Settings::setRunnerLoadFlag(bool on) const { return writeShared(ini::Mente, ini::RunnerLoad, flagText(on)); }

int Settings::tagWritePauseMs() const
{
    return std::max(0, localInteger(ini::Mente, ini::Timer, 0));
}

int Settings::loadFlag() const { return localNumeric(ini::Load, ini::LoadFlg, 0); }
bool Settings::setLoadFlag(int value) const { return writeLocal(ini::Load, ini::LoadFlg, QString::number(value)); }

bool Settings::opLogEnabled() const
{
    const std::optional<double> value = settingsNumber(readLocal(ini::Log, ini::LogFlg));
    return value && *value == 1.0;
}
bool Settings::setOpLogEnabled(bool on) const { return writeLocal(ini::Log, ini::LogFlg, flagText(on)); }
QString Settings::opLogFolder() const { return readLocal(ini::Log, ini::LogDir); }
bool Settings::setOpLogFolder(const QString &folder) const { return writeLocal(ini::Log, ini::LogDir, folder); }
int Settings::opLogKeepDays() const
{
    return std::max(0, localInteger(ini::Log, ini::LogSaveDay, DefaultKeepDays));
}

int Settings::clientFlag() const { return localNumeric(ini::Client, ini::ClientFlg, 0); }
bool Settings::setClientFlag(int value) const { return writeLocal(ini::Client, ini::ClientFlg, QString::number(value)); }
QString Settings::clientDatabase() const { return readLocal(ini::Client, ini::ClientDbName); }
bool Settings::setClientDatabase(const QString &path) const { return writeLocal(ini::Client, ini::ClientDbName, path); }

QString Settings::secondCopyPath() const { return readLocal(ini::Db2, ini::Db2Name); }
bool Settings::setSecondCopyPath(const QString &path) const { return writeLocal(ini::Db2, ini::Db2Name, path); }

int Settings::frontMostFlag() const { return localInteger(ini::Gamen, ini::ZFlg, 0); }
bool Settings::setFrontMostFlag(int value) const { return writeLocal(ini::Gamen, ini::ZFlg, QString::number(value)); }

bool Settings::writeDefaulted(const char *section, const char *key, const QString &entry, int fallback) const
{
    const QString t = entry.trimmed();
    return writeLocal(section, key, t.isEmpty() ? QString::number(fallback) : t);
}

int Settings::chartFontSize() const { return localNumeric(ini::Chart, ini::FontSize, DefaultChartFontSize); }
bool Settings::setChartFontSize(const QString &entry) const
{
    return writeDefaulted(ini::Chart, ini::FontSize, entry, DefaultChartFontSize);
}
int Settings::chartGroupWidth() const { return localNumeric(ini::Chart, ini::GPWidth, DefaultChartGroupWidth); }
bool Settings::setChartGroupWidth(const QString &entry) const
{
    return writeDefaulted(ini::Chart, ini::GPWidth, entry, DefaultChartGroupWidth);
}
int Settings::clockFontSize() const { return localNumeric(ini::Time, ini::FontSize, DefaultClockFontSize); }
bool Settings::setClockFontSize(const QString &entry) const
{
    return writeDefaulted(ini::Time, ini::FontSize, entry, DefaultClockFontSize);
}

WindowPlacement Settings::windowPlacement() const
{
    WindowPlacement p;
    p.flag = localNumeric(ini::Size, ini::SizeFlg, 0);
    p.left = localNumeric(ini::Size, ini::Left, 0);
    p.top = localNumeric(ini::Size, ini::Top, 0);
    p.width = localNumeric(ini::Size, ini::Width, 0);
    p.height = localNumeric(ini::Size, ini::Height, 0);
    return p;
}

bool Settings::setWindowPlacement(const WindowPlacement &p) const
{
    const QString s = QString::fromLatin1(ini::Size);
    return platform::profile::writeStrings(
        m_local, {{s, QString::fromLatin1(ini::SizeFlg), QString::number(p.flag)},
                  {s, QString::fromLatin1(ini::Left), QString::number(p.left)},
                  {s, QString::fromLatin1(ini::Top), QString::number(p.top)},
                  {s, QString::fromLatin1(ini::Width), QString::number(p.width)},
                  {s, QString::fromLatin1(ini::Height), QString::number(p.height)}});
}

int Settings::endButtonDisplay() const { return localInteger(ini::EndBtn, ini::Disp, 0); }

} // namespace store
