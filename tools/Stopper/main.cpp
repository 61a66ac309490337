#include "tools/Stopper/stopper.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const stopper::Outcome outcome = stopper::run([](const QString &message) {
        QMessageBox::information(nullptr, QStringLiteral("確認"), message);
    });
    return outcome == stopper::Outcome::Failed ? 1 : 0;
}
