// profile_writer <ini> <section> <key prefix> <count>
// Writes <prefix>0 .. <prefix><count-1> = their numbers, one locked write each.
#include "platform/profile.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const int count = args.at(4).toInt();
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        if (!platform::profile::writeString(args.at(1), args.at(2), args.at(3) + QString::number(i), QString::number(i)))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
