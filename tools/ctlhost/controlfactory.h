#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace automation {
class AutomationControl;
}

namespace ctlhost {

// Creates a control by its name ("Ganttline", "Datefold", "Tickface",
// "Taglink"), its widget a child of `parent`; null for an unknown name.
automation::AutomationControl *createControl(const QString &name, QWidget *parent);
QStringList controlNames();

} // namespace ctlhost
