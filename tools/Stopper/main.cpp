#include "platform/runtimefolder.h"
#include "tools/Stopper/stopper.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QApplication app(argc, argv);
    // Without a display (offscreen) nobody could confirm a box: the message
    // goes to standard error instead.
    const QString platformName = QGuiApplication::platformName();
    const bool display = platformName != QLatin1String("offscreen") && !platformName.startsWith(QLatin1String("minimal"));
    const stopper::Outcome outcome = stopper::run([display](const QString &message) {
        if (display) {
            QMessageBox::information(nullptr, QStringLiteral("確認"), message);
        } else {
            std::fprintf(stderr, "Stopper: %s\n", message.toUtf8().constData());
            std::fflush(stderr);
        }
    });
    return outcome == stopper::Outcome::Failed ? 1 : 0;
}
