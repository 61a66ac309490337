#include "tools/common/sitetool.h"

#include "platform/programfolder.h"
#include "store/sitepaths.h"

namespace tools {

SiteTool::SiteTool(console::MessageBoxes &boxes, const QString &programFolder)
    : m_boxes(boxes)
    , m_programFolder(programFolder.isEmpty() ? platform::programFolder() : programFolder)
{
}

QString SiteTool::databasePath() const
{
    return store::paths::databasePath(m_programFolder);
}

} // namespace tools
