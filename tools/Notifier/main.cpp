#include "tools/Notifier/notifierwindow.h"
#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"

#include <QApplication>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QApplication app(argc, argv);
    // While one message is shown, a later one is dropped.
    platform::SingleInstance instance(QStringLiteral("Notifier"));
    if (!instance.isFirst())
        return 0;
    NotifierWindow window(NotifierWindow::messageFromArguments(app.arguments().mid(1)));
    window.show();
    window.raise();
    window.activateWindow();
    return window.exec() == QDialog::Accepted ? 0 : 0;
}
