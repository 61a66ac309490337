#pragma once

#include <QString>

// The command channel between programs: a link "application|topic" with named
// text items, served by the owning program (CommandServer) and reached by any
// other program through the functions below.  It stands in for a DDE link:
// poke sets an item's text (the owner acts when the text changes), request
// reads it, activate brings the owner's window to the front.  Application,
// topic and item names compare without regard to case.  Every link is scoped
// to the program folder, so two installations on one machine never meet.
namespace platform::channel {

// The local socket name of a link in the current program folder.
QString socketName(const QString &application, const QString &topic);
// The same for an explicit program folder.
QString socketName(const QString &programFolder, const QString &application, const QString &topic);

// True when a program serves the link (stands in for "its window was found").
bool isServing(const QString &application, const QString &topic, int timeoutMs = 1000);

// True when a program holds the link open, answering or not: the connection
// is taken (by the system, for a program busy with something else), which a
// link whose program has ended never does.
bool isPresent(const QString &application, const QString &topic, int timeoutMs = 1000);

// How long a command to a program that holds its link open may wait for the
// answer: the program may be busy for seconds (a database wait of up to 8 s,
// a large backup, its start-up).
inline constexpr int BusyAnswerTimeoutMs = 20000;

// Sets an item's text.  False when nobody serves the link, the item is unknown
// or no answer came in time; *error then says why.
bool poke(const QString &application, const QString &topic, const QString &item,
          const QString &text, QString *error = nullptr, int timeoutMs = 3000);

// Reads an item's text; false as for poke.
bool request(const QString &application, const QString &topic, const QString &item,
             QString *text, QString *error = nullptr, int timeoutMs = 3000);

// Asks the owner to raise and focus its main window.
bool activate(const QString &application, const QString &topic, QString *error = nullptr,
              int timeoutMs = 3000);

} // namespace platform::channel
