// makesite <folder> [--force]
// Sets up a ready program folder with the demonstration data set.
#include "makesite/sitebuilder.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: makesite <folder> [--force]\n";
        return 2;
    }
    QStringList report;
    QString error;
    if (!makesite::buildSite(args.first(), makesite::demonstrationData(platform::clock::today()), force, &report,
                             &error)) {
        err << "makesite: " << error << "\n";
        return 1;
    }
    for (const QString &line : report)
        out << line << "\n";
    return 0;
}
