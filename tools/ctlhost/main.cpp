// ctlhost: the control test host.  Usage: ctlhost [script-file]
// Reads commands from the file, or from standard input when none is given.
#include "scriptrunner.h"

#include "platform/clock.h"
#include "platform/runtimefolder.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QApplication app(argc, argv);
    platform::clock::initialize();
    QTextStream out(stdout);
    ctlhost::ScriptRunner runner(out);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) {
        QFile file(args.at(1));
        if (!file.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "ctlhost: cannot open " << args.at(1) << Qt::endl;
            return 2;
        }
        QTextStream in(&file);
        runner.runStream(in);
    } else {
        QTextStream in(stdin);
        runner.runStream(in);
    }
    return runner.errorCount() == 0 ? 0 : 1;
}
