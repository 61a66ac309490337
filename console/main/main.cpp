#include "console/common/consolelink.h"
#include "console/common/consolestate.h"
#include "console/common/japaneseqt.h"
#include "console/main/consolefont.h"
#include "console/main/frmcal.h"
#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"

#include <QApplication>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QApplication app(argc, argv);
    // Another console of this program folder runs: show that one instead.
    platform::SingleInstance instance(QStringLiteral("Planboard"));
    if (!instance.isFirst()) {
        console::link::activate();
        return 0;
    }
    console::applyConsoleFont();
    console::installJapaneseQtTexts(app);
    console::ConsoleState state;
    console::FrmCal form(state);
    QObject::connect(&form, &console::FrmCal::quitRequested, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    form.startUp();
    // Started with "1" the console stays hidden until Starter (or a second
    // start) brings it forward.
    const QStringList args = app.arguments();
    if (!(args.size() == 2 && args.at(1) == QLatin1String("1")))
        form.show();
    return app.exec();
}
