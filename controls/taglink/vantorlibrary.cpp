#include "taglink/vantorlibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>

namespace taglink {
namespace {

constexpr VantorLibrary::Operation Operations[] = {
    {1, "ApiStart"},
    {2, "ApiStop"},
    {201, "ApiResolveTags"},
    {206, "ApiSubscribe"},
    {205, "ApiUnsubscribe"},
    {400, "ApiAlarmSubscribe"},
    {401, "ApiAlarmUnsubscribe"},
    {301, "ApiRead"},
    {300, "ApiWrite"},
    {103, "ApiTagDialog"},
    {500, "ApiTimerStart"},
    {501, "ApiTimerStop"},
};
constexpr int OperationCount = int(sizeof(Operations) / sizeof(Operations[0]));
const QString LibraryName = QStringLiteral("libvantorapi.so");

QString folderOfThisModule()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&folderOfThisModule), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return {};
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

} // namespace

PlantApi::~PlantApi() = default;

const VantorLibrary::Operation *VantorLibrary::operations(int *count)
{
    *count = OperationCount;
    return Operations;
}

PlantApiPtr VantorLibrary::instance()
{
    static PlantApiPtr library = std::make_shared<VantorLibrary>();
    return library;
}

VantorLibrary::VantorLibrary()
{
    QStringList candidates;
    const QString explicitPath = qEnvironmentVariable("VANTOR_API");
    if (!explicitPath.isEmpty())
        candidates << explicitPath;
    for (const QString &folder : {folderOfThisModule(), executableFolder(), qEnvironmentVariable("VANTOR_HOME")}) {
        if (!folder.isEmpty())
            candidates << QDir(folder).filePath(LibraryName);
    }
    void *handle = nullptr;
    QStringList tried;
    for (const QString &path : std::as_const(candidates)) {
        if (!QFileInfo::exists(path))
            continue;
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
        tried << QString::fromLocal8Bit(dlerror());
    }
    if (!handle) {
        handle = dlopen(QFile::encodeName(LibraryName).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            tried << QString::fromLocal8Bit(dlerror());
    }
    if (!handle) {
        m_error = QStringLiteral("cannot load %1: %2").arg(LibraryName, tried.join(QStringLiteral("; ")));
        return;
    }
    for (int i = 0; i < OperationCount; ++i) {
        m_functions[i] = dlsym(handle, Operations[i].name);
        if (!m_functions[i]) {
            m_error = QStringLiteral("%1 lacks operation %2 (ordinal %3)")
                          .arg(LibraryName, QLatin1String(Operations[i].name))
                          .arg(Operations[i].ordinal);
            return;
        }
    }
    m_available = true;
}

void *VantorLibrary::symbol(int ordinal) const
{
    if (!m_available)
        return nullptr;
    for (int i = 0; i < OperationCount; ++i) {
        if (Operations[i].ordinal == ordinal)
            return m_functions[i];
    }
    return nullptr;
}

// Calls the operation of an ordinal with the arguments given, or returns
// `failure` when the library is not there.
#define CALL_OR(ordinal, function, failure, ...)                                                                     \
    do {                                                                                                             \
        auto f = reinterpret_cast<decltype(&function)>(symbol(ordinal));                                             \
        if (!f)                                                                                                      \
            return failure;                                                                                          \
        return f(__VA_ARGS__);                                                                                       \
    } while (false)

int32_t VantorLibrary::start() { CALL_OR(1, ApiStart, 0, ); }
void VantorLibrary::stop() { CALL_OR(2, ApiStop, void(), ); }

int32_t VantorLibrary::resolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                                   int32_t typeOffset, int32_t kindOffset)
{
    CALL_OR(201, ApiResolveTags, 0, count, table, stride, nameOffset, idOffset, typeOffset, kindOffset);
}

int32_t VantorLibrary::subscribe(int32_t loginId, const char *password, int32_t mode, VantorNotifyRoutine routine,
                                 void *control, int32_t generation, int32_t stride, int32_t idOffset, int32_t count,
                                 const void *table)
{
    CALL_OR(206, ApiSubscribe, -1, loginId, password, mode, routine, control, generation, stride, idOffset, count,
            table);
}

void VantorLibrary::unsubscribe(int32_t subscriptionId) { CALL_OR(205, ApiUnsubscribe, void(), subscriptionId); }

int32_t VantorLibrary::alarmSubscribe(int32_t reserved, VantorAlarmRoutine routine, void *control, int32_t reserved2)
{
    CALL_OR(400, ApiAlarmSubscribe, -1, reserved, routine, control, reserved2);
}

void VantorLibrary::alarmUnsubscribe(int32_t id) { CALL_OR(401, ApiAlarmUnsubscribe, void(), id); }

int32_t VantorLibrary::read(int32_t loginId, const char *password, int32_t count, VantorReadItem *items, void *work)
{
    CALL_OR(301, ApiRead, -1, loginId, password, count, items, work);
}

int32_t VantorLibrary::write(int32_t loginId, const char *password, int32_t reserved, int32_t count,
                             int32_t totalBytes, const int32_t *ids, const void *values)
{
    CALL_OR(300, ApiWrite, -1, loginId, password, reserved, count, totalBytes, ids, values);
}

int32_t VantorLibrary::tagDialog(char *buffer, int32_t bufferSize) { CALL_OR(103, ApiTagDialog, 0, buffer, bufferSize); }

int32_t VantorLibrary::timerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine)
{
    CALL_OR(500, ApiTimerStart, 0, control, intervalMs, routine);
}

void VantorLibrary::timerStop(int32_t timerId) { CALL_OR(501, ApiTimerStop, void(), timerId); }

#undef CALL_OR

} // namespace taglink
