// makesite <folder> [--force] [--soon MINUTES] [--plant FOLDER]
// Sets up a ready program folder with the demonstration data set.
//   --soon MINUTES  adds today a reservation of the fan and the pump groups
//                   that starts at the next minute and lasts MINUTES
//   --plant FOLDER  writes the stand-in plant's tags.csv (vantord) there
#include "makesite/sitebuilder.h"
#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "platform/runtimefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    QTextStream out(stdout);
    QTextStream err(stderr);
    auto option = [&args](const QString &name, QString *value) {
        const int i = args.indexOf(name);
        if (i < 0)
            return true;
        if (i + 1 >= args.size())
            return false;
        *value = args.at(i + 1);
        args.remove(i, 2);
        return true;
    };
    QString soon, plant;
    bool soonOk = true;
    if (!option(QStringLiteral("--soon"), &soon) || !option(QStringLiteral("--plant"), &plant)
        || (!soon.isEmpty() && (soon.toInt(&soonOk) <= 0 || !soonOk)) || args.size() != 1
        || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: makesite <folder> [--force] [--soon MINUTES] [--plant FOLDER]\n";
        return 2;
    }
    const QDateTime now = platform::clock::now();
    makesite::SiteData data = makesite::demonstrationData(now.date());
    if (!soon.isEmpty())
        makesite::addReservationSoon(data, now.time(), soon.toInt(), {3, 4});
    QStringList report;
    QString error;
    if (!makesite::buildSite(args.first(), data, force, &report, &error)) {
        err << "makesite: " << error << "\n";
        return 1;
    }
    if (!plant.isEmpty()) {
        const QString tags = QDir(plant).absoluteFilePath(QStringLiteral("tags.csv"));
        if (!QDir().mkpath(QDir(plant).absolutePath())
            || !platform::writeFileAtomically(tags, makesite::plantTags(data), &error)) {
            err << "makesite: " << tags << ": " << error << "\n";
            return 1;
        }
        report << QStringLiteral("plant tags  %1").arg(tags);
    }
    for (const makesite::DayEntry &e : data.extraToday)
        report << QStringLiteral("soon        group %1 today %2-%3")
                      .arg(e.gpno)
                      .arg(e.start.toString(QStringLiteral("HH:mm")), e.end.toString(QStringLiteral("HH:mm")));
    for (const QString &line : report)
        out << line << "\n";
    return 0;
}
