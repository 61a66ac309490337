#pragma once

#include <QPushButton>
#include <QString>

// Parts of the forms of Masterio and Upgrader.
namespace tools {

// A button of a tool's form: its object name and caption, at least 32
// pixels high, `slot` of the form called when it is clicked.
template<typename Form, typename Slot>
QPushButton *formButton(Form *form, const char *name, const QString &caption, Slot slot)
{
    auto *button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setMinimumHeight(32);
    QObject::connect(button, &QPushButton::clicked, form, slot);
    return button;
}

// The wait cursor while a tool's work runs (the tools' busy hook).
void showWaitCursor(bool on);

} // namespace tools
