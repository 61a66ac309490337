#pragma once

#include <QString>

#include <functional>

namespace console {
class MessageBoxes;
}

namespace tools {

// What Masterio and Upgrader share: the program folder they work on (given,
// else SCH_HOME or the folder of the executable) with its database, the
// message boxes every outcome is told through, and the hooks of their form
// and command line.
class SiteTool
{
public:
    SiteTool(console::MessageBoxes &boxes, const QString &programFolder);

    QString databasePath() const;

    // Called around the work (the form's wait cursor).
    std::function<void(bool)> busy;
    // Whether the work first asks whether to go on.  On the command line the
    // command itself is that answer.
    bool askToStart = true;

protected:
    void setBusy(bool on) const
    {
        if (busy)
            busy(on);
    }

    console::MessageBoxes &m_boxes;
    QString m_programFolder;
};

} // namespace tools
