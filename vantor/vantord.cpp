// vantord: the plant-monitoring product's tag server.
// Usage: vantord [product-folder]   (default: $VANTOR_HOME)
// Serves the tags of tags.csv in the folder until it gets SIGTERM or SIGINT.
#include "productfolder.h"
#include "tagserver.h"


#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    const QString folder = args.size() > 1 ? QDir(args.at(1)).absolutePath() : vantor::productFolder();
    if (folder.isEmpty() || !QDir(folder).exists()) {
        err << "vantord: no product folder (set VANTOR_HOME or give the folder)" << Qt::endl;
        return 2;
    }

    vantor::TagServer server(folder);
    QStringList problems;
    QString error;
    const bool started = server.start(&problems, &error);
    for (const QString &p : problems)
        err << "vantord: " << p << Qt::endl;
    if (!started) {
        err << "vantord: " << error << Qt::endl;
        return 1;
    }

    // Signals end the event loop, so that the values are saved on the way out.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    err << "vantord: serving " << server.store().size() << " tags in " << folder << Qt::endl;
    const int rc = app.exec();
    server.saveState();
    return rc;
}
