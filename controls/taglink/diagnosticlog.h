#pragma once

#include "taglink/tagrecord.h"

#include <QList>
#include <QString>

namespace taglink {

// The diagnostic files the product's ini file names (Vantor.ini in the
// product folder, section TAGLINK): DEBUG_LOG gets every tag with its id at
// each opening, INVALID_TAG_LOG the tags the product does not know.  The
// keys are read once per process.
class DiagnosticLog
{
public:
    static void writeOpening(const QList<TagRecord> &tags);

    // Forgets the keys read, so that the next opening reads them again (tests).
    static void forgetSettings();
};

} // namespace taglink
