#include "platform/singleinstance.h"
#include "runner/frmcal.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // 1. Another runner of this program folder runs: end without a word.
    platform::SingleInstance instance(QStringLiteral("Schedule"));
    if (!instance.isFirst())
        return 0;
    runner::FrmCal form;
    if (!form.startUp(app.arguments()))
        return 0;
    return app.exec();
}
