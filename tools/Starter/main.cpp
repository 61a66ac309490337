#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"
#include "tools/Starter/starter.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QCoreApplication app(argc, argv);
    // One Starter at a time: a second one ends at once.
    platform::SingleInstance instance(QStringLiteral("Starter"));
    if (!instance.isFirst())
        return 0;
    const starter::Outcome outcome = starter::run(app.arguments().mid(1));
    return outcome == starter::Outcome::Failed ? 1 : 0;
}
