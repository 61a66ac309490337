// consoleshots <program folder> <picture folder> [--at "YYYY-MM-DD HH:MM:SS"]
//
// Pictures of the console's main screen on a site, for the documentation:
// planboard-view.png (the view mode), planboard-maintenance.png (the
// maintenance mode with a chosen reservation) and planboard-logon.png (the
// log-on dialog).  The clock stands still at --at (default: now).  Nothing
// of the site is changed: the maintenance layout is shown without the
// hand-over's flags and records.
#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/main/consolefont.h"
#include "console/main/frmcal.h"
#include "console/maintenance/frmlogin.h"
#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "platform/runtimefolder.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {

// Every box answers with its first button; nothing is shown.
class SilentBoxes : public console::MessageBoxes
{
public:
    console::MessageAnswer show(const console::Message &m, QWidget *) override
    {
        QTextStream(stderr) << "consoleshots: message: " << m.text << '\n';
        return m.buttons == console::MessageButtons::YesNo ? console::MessageAnswer::Yes : console::MessageAnswer::Ok;
    }
};

bool save(QWidget *w, const QString &folder, const QString &name)
{
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    if (!w->grab().save(path)) {
        QTextStream(stderr) << "consoleshots: cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QDateTime at = platform::clock::now();
    if (const int i = args.indexOf(QStringLiteral("--at")); i >= 0 && i + 1 < args.size()) {
        at = platform::clock::parseMoment(args.at(i + 1));
        args.remove(i, 2);
    }
    if (args.size() != 2 || !at.isValid()) {
        QTextStream(stderr) << "usage: consoleshots <program folder> <picture folder> [--at \"YYYY-MM-DD HH:MM:SS\"]\n";
        return 2;
    }
    qputenv("SCH_HOME", QDir(args.at(0)).absolutePath().toUtf8());
    QDir().mkpath(args.at(1));
    platform::clock::setNow(at);
    console::applyConsoleFont();

    console::ConsoleState state;
    SilentBoxes boxes;
    state.setMessages(&boxes);
    console::FrmCal form(state);
    if (!form.startUp())
        return 1;
    form.resize(1280, 800);
    form.show();
    form.Form_Activate();
    bool ok = save(&form, args.at(1), QStringLiteral("planboard-view.png"));

    // The maintenance layout with the first piece of the first row that has one.
    state.LoginOK = true;
    form.EnterMaintenanceMode();
    chart::ChartModel &today = form.chartModel(0);
    for (short row = 0; row < today.GetItemCount(); ++row) {
        if (today.GetPieceCount(row) > 0) {
            today.SetCurItem(row);
            form.Chart_ItemClick(0, row);
            break;
        }
    }
    ok = save(&form, args.at(1), QStringLiteral("planboard-maintenance.png")) && ok;

    console::FrmLogin login(state, console::FrmLogin::Face::Password, &form);
    login.show();
    ok = save(&login, args.at(1), QStringLiteral("planboard-logon.png")) && ok;
    return ok ? 0 : 1;
}
