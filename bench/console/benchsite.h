#pragma once

#include <QString>
#include <QTemporaryDir>

// A program folder for the main screen's benchmarks: Sch.ini and a database
// of `groups` groups (every seventh one not valid), each with `perDay`
// reservations today and tomorrow (20 minutes every half hour).
class BenchSite
{
public:
    BenchSite(int groups, int perDay);
    QString home() const { return m_dir.path(); }
    QString ini() const;

private:
    QTemporaryDir m_dir;
};
