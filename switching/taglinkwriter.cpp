#include "switching/taglinkwriter.h"

#include "taglink/taglinkmodel.h"

#include <QVariant>

namespace switching {

bool writeThroughTaglink(taglink::TaglinkModel &link, const QString &valueItem, float value)
{
    link.setTagList(valueItem);
    link.setBufferedWriteMode(true);
    const bool opened = link.Open();
    link.setPLCTagValue(valueItem, QVariant(value));
    const bool buffered = link.pendingWrites() > 0;
    link.FlushWriteBuffer();
    const bool taken = buffered && link.lastWriteResult() == 0;
    link.Close();
    return opened && taken;
}

} // namespace switching
