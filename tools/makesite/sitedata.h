#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

namespace makesite {

struct Group {
    int gpno = 0;
    QString name;
    bool valid = true;
};

struct Device {
    QString tag;
    QString name;
    double startValue = 1;
    double endValue = 0;
};

// A device of a group; the values are copied from the device master.
struct Assignment {
    QString tag;
    int gpno = 0;
};

// A reservation of the weekly master.
struct MasterEntry {
    int gpno = 0;
    int dayCode = 0;
    QTime start;
    QTime end;
};

// A reservation added to today's or tomorrow's table on top of the master's.
struct DayEntry {
    int gpno = 0;
    QTime start;
    QTime end;
};

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// Everything a site is made of.  today decides the day codes of the two day
// tables (built from the master as the day change does) plus the extra entries.
struct SiteData {
    QDate today;
    QList<Group> groups;
    QList<Device> devices;
    QList<Assignment> assignments;
    QList<MasterEntry> master;
    QList<DayEntry> extraToday;
    QList<DayEntry> extraNextday;
    // Sch.ini keys; "<site>" in a value stands for the site folder.
    QList<IniEntry> settings;
};

// A small demonstration: four groups with Japanese names (one invalid),
// air-handling, lighting, fan and pump tags, a weekly master that covers all
// eleven day codes (with reservations over midnight), and settings with the
// operation log on in "<site>/OPLOG".
SiteData demonstrationData(const QDate &today);

} // namespace makesite
