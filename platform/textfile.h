#pragma once

#include "platform/textcodec.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Reading the files the programs share (Sch.ini, dayinfor.csv and the like).
// A file is opened only when it is a regular file: a named pipe, a device or
// a folder in its place is refused at once instead of blocking the program in
// open() or read().  Problems are reported through one handler per process
// (the programs write them to their trace log), each once while it lasts.
namespace platform {

enum class ReadStatus {
    Read,       // the bytes were read
    Missing,    // no file at the path (an empty text for most readers)
    NotRegular, // something else than a regular file is there: refused
    Failed,     // the file could not be opened or read
};

// The whole content of a regular file.  *error says why for NotRegular and Failed.
ReadStatus readFileBytes(const QString &path, QByteArray *bytes, QString *error = nullptr);

// The first `count` bytes of a regular file (fewer when it is shorter): a
// file's header, a fixed-size record.  As readFileBytes otherwise.
ReadStatus readFileStart(const QString &path, qsizetype count, QByteArray *bytes, QString *error = nullptr);

// A text file of the system: decoded as UTF-8 when it reads as UTF-8 (a few
// broken lines included, each reported and the rest kept), else as CP932
// (see decodeTextLines() in textcodec.h).
ReadStatus readTextFile(const QString &path, QString *text, QString *error = nullptr);

// What the handler hears: a message and the path it concerns.  Without a
// handler problems are dropped.  A problem is reported once while it lasts:
// again only after the same path has been read without it.
using FileProblemHandler = std::function<void(const QString &message, const QString &path)>;
void setFileProblemHandler(FileProblemHandler handler);


} // namespace platform
