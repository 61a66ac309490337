// Upgrader                 the form
// Upgrader OLD.mdb [--yes] converts the previous release's database into the
//                          program folder's SC_DataBase/Sch.accdb; replacing rows
//                          already there needs --yes (or a y at a terminal)
// Messages go to standard error; the exit status is 0 only on success.
#include "tools/Upgrader/upgrader.h"
#include "tools/Upgrader/upgraderform.h"
#include "tools/common/terminalmessageboxes.h"

#include "console/common/japaneseqt.h"
#include "console/common/messageboxes.h"
#include "platform/runtimefolder.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    if (argc == 1) {
        QApplication app(argc, argv);
        console::installJapaneseQtTexts(app);
        console::QtMessageBoxes boxes;
        upgrader::Upgrader upgrader(boxes);
        upgrader::UpgraderForm form(upgrader);
        form.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        std::fputs("usage: Upgrader [OLD.mdb [--yes]]\n", stderr);
        return 2;
    }
    auto boxes = tools::TerminalMessageBoxes::forProcess(yes);
    upgrader::Upgrader upgrader(boxes);
    upgrader.askToStart = false;
    return upgrader.convert(args.first()) ? 0 : 1;
}
