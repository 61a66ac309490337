#pragma once

#include "makesite/sitedata.h"

#include <QStringList>

namespace makesite {

// Makes a program folder: Sch.ini with the data's settings (other keys of an
// existing file kept), SC_DataBase/Sch.accdb created from the schema and
// filled, today's and tomorrow's tables built from the master for the day
// codes of data.today and the day after, and the operation log folder.
// An existing database is refused unless force is set, then replaced.
// report receives one line per thing made.
bool buildSite(const QString &folder, const SiteData &data, bool force, QStringList *report, QString *error);

} // namespace makesite
