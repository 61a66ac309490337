#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"
#include "runner/frmcal.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // A background program: it starts on a server without a display or a
    // session's runtime folder, and says nothing of either.
    platform::prepareRuntimeFolder();
    platform::useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // Another runner of this program folder runs: end without a word.
    platform::SingleInstance instance(QStringLiteral("Schedule"));
    if (!instance.isFirst())
        return 0;
    runner::FrmCal form;
    if (!form.startUp(app.arguments()))
        return form.exitCode();
    return app.exec();
}
