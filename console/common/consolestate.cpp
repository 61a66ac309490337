#include "console/common/consolestate.h"

#include "console/common/messageboxes.h"
#include "platform/programfolder.h"
#include "store/database.h"
#include "store/daycode.h"
#include "store/settings.h"
#include "store/sitepaths.h"

namespace console {

ConsoleState::ConsoleState(const QString &programFolder)
    : m_programFolder(programFolder.isEmpty() ? platform::programFolder() : programFolder)
    , m_settings(std::make_unique<store::Settings>(m_programFolder))
    , m_ownMessages(std::make_unique<QtMessageBoxes>())
    , m_messages(m_ownMessages.get())
    , m_dayNames(store::dayNames())
{
    ClientMode = m_settings->isClient();
    m_database = std::make_unique<store::Database>(m_settings->databasePath());
}

ConsoleState::~ConsoleState() = default;

QString ConsoleState::databasePath() const
{
    return m_databasePath.isEmpty() ? m_settings->databasePath() : m_databasePath;
}

QString ConsoleState::databaseFolder() const
{
    return m_databaseFolder.isEmpty() ? store::paths::databaseFolderOf(databasePath()) : m_databaseFolder;
}

void ConsoleState::setDatabasePath(const QString &path)
{
    m_databasePath = path;
    m_databaseFolder.clear();
}

void ConsoleState::setDatabaseFolder(const QString &folder)
{
    m_databaseFolder = folder;
}

QString ConsoleState::sharedSettingsPath() const
{
    return m_settings->sharedPath();
}

bool ConsoleState::openDatabase()
{
    return m_database->open();
}

void ConsoleState::setMessages(MessageBoxes *messages)
{
    m_messages = messages ? messages : m_ownMessages.get();
}

QString ConsoleState::dayName(int dayCode) const
{
    return dayCode >= 1 && dayCode <= m_dayNames.size() ? m_dayNames.at(dayCode - 1) : QString();
}

void ConsoleState::clearReserveCaller()
{
    ReserveChart = nullptr;
    ReserveOwner = nullptr;
}

} // namespace console
