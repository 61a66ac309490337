#pragma once

#include <QString>

namespace taglink {
class TaglinkModel;
}

namespace switching {

// The tag writer of an OutputQueue through a tag link: one open-write-flush-
// close cycle of the link per tag, in buffered mode.  True only when the link
// opened, the plant knew the tag (the value was buffered) and took the write;
// a refused or lost write is then recorded and retried by the queue.
bool writeThroughTaglink(taglink::TaglinkModel &link, const QString &valueItem, float value);

} // namespace switching
