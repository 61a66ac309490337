#pragma once

#include <QString>

// Where the plant-monitoring product keeps its files: the folder named by
// VANTOR_HOME (standing for the product's registry value "path").
namespace vantor {

// The product folder (absolute); empty when VANTOR_HOME is not set.
QString productFolder();

QString tagsFile(const QString &folder);      // tag definitions "tags.csv"
QString journalFile(const QString &folder);   // write journal "writes.csv"
QString stateFile(const QString &folder);     // last values "vantord.state"
QString iniFile(const QString &folder);       // "Vantor.ini"
QString modbusFile(const QString &folder);    // Modbus bindings "modbus.csv"
// The server's socket: a path inside the folder, so that two product folders
// on one machine never meet; a short name in the temporary folder when the
// path would be too long for a local socket.
QString socketName(const QString &folder);

} // namespace vantor
