#include "controlfactory.h"

#include "automation/automationcontrol.h"

#include <QWidget>

#include <functional>

// Each control's widget header; a control joins when its library is built.
#ifdef SCH_HAVE_GANTTLINE
#include "chart/ganttline.h"
#endif
#ifdef SCH_HAVE_DATEFOLD
#include "calendar/datefold.h"
#endif
#ifdef SCH_HAVE_TICKFACE
#include "clock/tickface.h"
#endif
#ifdef SCH_HAVE_TAGLINK
#include "taglink/taglink.h"
#endif

namespace ctlhost {
namespace {

struct Entry
{
    const char *name;
    std::function<automation::AutomationControl *(QWidget *)> create;
};

const QList<Entry> &entries()
{
    static const QList<Entry> list = {
#ifdef SCH_HAVE_GANTTLINE
        {"Ganttline", [](QWidget *p) { return new Ganttline(p); }},
#endif
#ifdef SCH_HAVE_DATEFOLD
        {"Datefold", [](QWidget *p) { return new Datefold(p); }},
#endif
#ifdef SCH_HAVE_TICKFACE
        {"Tickface", [](QWidget *p) { return new Tickface(p); }},
#endif
#ifdef SCH_HAVE_TAGLINK
        {"Taglink", [](QWidget *p) { return new Taglink(p); }},
#endif
    };
    return list;
}

} // namespace

automation::AutomationControl *createControl(const QString &name, QWidget *parent)
{
    for (const Entry &e : entries()) {
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            return e.create(parent);
    }
    return nullptr;
}

QStringList controlNames()
{
    QStringList names;
    for (const Entry &e : entries())
        names << QLatin1String(e.name);
    return names;
}

} // namespace ctlhost
