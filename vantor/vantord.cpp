// vantord: the plant-monitoring product's tag server.
// Usage: vantord [product-folder]   (default: $VANTOR_HOME)
// Serves the tags of tags.csv in the folder, those bound in modbus.csv from
// their Modbus TCP devices, until it gets SIGTERM or SIGINT; SIGHUP reloads
// modbus.csv.
#include "productfolder.h"
#include "tagserver.h"

#include "platform/runtimefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// SIGHUP reloads modbus.csv; SIGTERM and SIGINT end the server.
void onSignal(int signal)
{
    const char c = signal == SIGHUP ? 'r' : 'q';
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
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

    // Ending signals end the event loop, so that the values are saved on the way out.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&server, &err] {
            char c = 0;
            if (::read(signalPipe[0], &c, 1) != 1 || c != 'r') {
                QCoreApplication::quit();
                return;
            }
            QStringList problems;
            const bool reloaded = server.reloadBindings(&problems);
            for (const QString &p : problems)
                err << "vantord: " << p << Qt::endl;
            err << (reloaded ? "vantord: modbus.csv reloaded" : "vantord: modbus.csv refused, the bindings stay as they were")
                << Qt::endl;
        });
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
        std::signal(SIGHUP, onSignal);
    }
    err << "vantord: serving " << server.store().size() << " tags in " << folder;
    if (server.boundTagCount() > 0)
        err << " (" << server.boundTagCount() << " bound to " << server.deviceCount() << " Modbus devices)";
    err << Qt::endl;
    const int rc = app.exec();
    server.saveState();
    return rc;
}
