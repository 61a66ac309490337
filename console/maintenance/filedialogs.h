#pragma once

#include <QString>

class QWidget;

namespace console {

// The console's file and folder choosers (Qt's own dialogs, so that they
// look and behave the same everywhere and tests can answer them).

// A database file: starts at `fileName` (a full path, or a name in the
// program folder); empty when the operator cancelled.  The file need not
// exist yet.
QString chooseDatabaseFile(QWidget *parent, const QString &title, const QString &fileName,
                           const QString &startFolder);

// ShowFoldersModule: a folder of the file system, starting at `folder`, with
// the prompt as the dialog's title; `folder` unchanged when the operator
// cancelled.
QString ShowFoldersModule(QWidget *parent, const QString &folder, const QString &prompt);

} // namespace console
