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

// Adds to today's table, for each of `groups`, a reservation that starts at
// the minute after `now` and lasts `minutes` (ending at 23:59 at the latest),
// so that a demonstration sees switching within a minute.  Nothing is added
// when `now` is in the day's last minute.
void addReservationSoon(SiteData &data, const QTime &now, int minutes, const QList<int> &groups);

// The stand-in plant's tag definitions ("tags.csv" of vantord) for every
// device of the data, each a number starting at 0.
QByteArray plantTags(const SiteData &data);

} // namespace makesite
