// Masterio                      the form
// Masterio --import FILE        replaces GroupMaster and KikiMaster with the workbook's sheets
// Masterio --export FILE         writes GroupMaster and KikiMaster into a workbook
// Masterio --csv FILE           writes the CSV master list into M_TAG of ER_Database/Repbook.mdb
// Messages go to standard error; the exit status is 0 only on success.
#include "tools/Masterio/masterio.h"
#include "tools/Masterio/masterioform.h"
#include "tools/common/terminalmessageboxes.h"

#include "console/common/japaneseqt.h"
#include "console/common/messageboxes.h"
#include "platform/runtimefolder.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace {

int usage()
{
    std::fputs("usage: Masterio [--import FILE | --export FILE | --csv FILE]\n", stderr);
    return 2;
}

int runForm(int argc, char **argv)
{
    QApplication app(argc, argv);
    platform::SingleInstance instance(QStringLiteral("Masterio"));
    if (!instance.isFirst())
        return 0;
    console::installJapaneseQtTexts(app);
    console::QtMessageBoxes boxes;
    masterio::Masterio masterio(boxes);
    masterio::MasterioForm form(masterio);
    form.show();
    form.raise();
    form.activateWindow();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    if (argc == 1)
        return runForm(argc, argv);

    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // The command is the operator's answer to the import's question; --yes is
    // accepted for scripts written for both tools.
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    if (args.size() != 2 || args.at(1).startsWith(QLatin1String("--")))
        return usage();
    auto boxes = tools::TerminalMessageBoxes::forProcess(yes);
    masterio::Masterio masterio(boxes);
    masterio.askToStart = false;
    const QString &command = args.at(0);
    const QString &file = args.at(1);
    bool ok = false;
    if (command == QLatin1String("--import"))
        ok = masterio.importWorkbook(file);
    else if (command == QLatin1String("--export"))
        ok = masterio.exportWorkbook(file);
    else if (command == QLatin1String("--csv"))
        ok = masterio.importTagCsv(file);
    else
        return usage();
    return ok ? 0 : 1;
}
