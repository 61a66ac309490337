#pragma once

#include "automation/dispatcher.h"
#include "automation/propertybag.h"

#include <QString>

class QWidget;

namespace automation {

// What a host sees of every control: its widget, its dispatch interface, its
// event source, property persistence, property pages and about box.  Each
// control's widget class implements it.
class AutomationControl
{
public:
    virtual ~AutomationControl();

    virtual QString controlName() const = 0;       // "Ganttline", "Datefold", ...
    virtual QWidget *controlWidget() = 0;
    virtual const Dispatcher &dispatcher() const = 0;
    // The object whose signals are the control's events.
    virtual QObject *eventSource() = 0;

    virtual void saveProperties(PropertyBag &bag) const = 0;
    virtual bool loadProperties(const PropertyBag &bag) = 0;

    // Modal dialogs of the control.
    virtual void showPropertyPages(QWidget *parent) = 0;
    virtual void showAboutBox(QWidget *parent) = 0;
};

} // namespace automation
