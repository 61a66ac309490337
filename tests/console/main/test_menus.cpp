// The main screen's menu buttons with the screens they open: the special-day
// screen, the maintenance screen (read-only in the view mode) with the
// screens behind it, and the copy screen of the weekly master editor.
#include "consolefixture.h"

#include "calendar/datefold.h"
#include "calendar/datefoldmodel.h"
#include "calendar/oledate.h"
#include "chart/chartmodel.h"
#include "taglink/taglink.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs `act` once the modal dialog of that object name is the active one.
void onDialog(const QString &name, const std::function<void(QWidget *)> &act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != name || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

QPushButton *button(QWidget *w, const char *name)
{
    return w->findChild<QPushButton *>(QString::fromLatin1(name));
}

QStringList rowNames(const chart::ChartModel &chart)
{
    QStringList names;
    for (short i = 0; i < chart.GetItemCount(); ++i)
        names << chart.GetItemName(i);
    return names;
}

} // namespace

TEST_F(ConsoleTest, SpecialDaysSavedOnTheirScreenAreOnTheMainCalendarAfterwards)
{
    start();
    enterMaintenance();
    const double date = calendar::toOleDate(QDate(2026, 12, 24));
    onDialog(QStringLiteral("frm休日設定"), [](QWidget *screen) {
        auto &calendar = screen->findChild<Datefold *>(QStringLiteral("Datefold1"))->model();
        calendar.clickDay(QDate(2026, 12, 24));
        calendar.clickDay(QDate(2026, 12, 24));
        button(screen, "Command1")->click();
        button(screen, "Command2")->click();
    });
    find<QPushButton>("CmdMenu2")->click();
    QString text;
    quint32 textColour = 0;
    quint32 backColour = 0;
    ASSERT_TRUE(find<Datefold>("Datefold1")->model().GetDayMemo(date, text, textColour, backColour));
    EXPECT_EQ(text, QStringLiteral("特日２"));
}

TEST_F(ConsoleTest, TheViewModeVisitsTheMaintenanceScreenReadOnly)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    start();
    EXPECT_EQ(state->Taglink1, find<Taglink>("Taglink1")); // the tag editor's link
    bool hidden = false;
    onDialog(QStringLiteral("frmMent"), [&hidden](QWidget *ment) {
        hidden = true;
        for (const char *name : {"Command1", "Command4", "Command5", "DBChange", "cmdNijyu"})
            hidden = hidden && button(ment, name)->isHidden();
        hidden = hidden && !button(ment, "cmdClose")->isHidden();
        button(ment, "cmdClose")->click();
    });
    find<QPushButton>("CmdMenu3")->click();
    EXPECT_TRUE(hidden);
}

TEST_F(ConsoleTest, AfterTheMaintenanceScreenTheChartsAreReloaded)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addGroup(2, QStringLiteral("照明B"), true);
    site.addToday(1, QTime(12, 0), QTime(13, 0));
    site.addToday(2, QTime(12, 0), QTime(13, 0));
    start();
    enterMaintenance();
    ASSERT_EQ(rowNames(form->chartModel(0)), (QStringList{"照明B", "空調A"}));

    // Through frmMent: 照明B deleted in the group editor, and the settings
    // screen switches the console to a client with bigger chart fonts.
    onDialog(QStringLiteral("frmMent"), [this](QWidget *ment) {
        EXPECT_FALSE(button(ment, "Command5")->isHidden());
        onDialog(QStringLiteral("frmGroup2"), [](QWidget *groups) {
            groups->findChild<QLineEdit *>(QStringLiteral("txtFields"))->setText(QStringLiteral("照明B"));
            button(groups, "CmdDelete")->click();
            button(groups, "cmdClose")->click();
        });
        button(ment, "Command1")->click();
        onDialog(QStringLiteral("frmClient"), [this](QWidget *settings) {
            settings->findChild<QLineEdit *>(QStringLiteral("txtFontSize"))->setText(QStringLiteral("14"));
            settings->findChild<QAbstractButton *>(QStringLiteral("chkClient"))->click();
            settings->findChild<QLineEdit *>(QStringLiteral("txtServerDBName"))->setText(site.database());
            button(settings, "Command3")->click();
        });
        button(ment, "DBChange")->click();
        button(ment, "cmdClose")->click();
    });
    find<QPushButton>("CmdMenu3")->click();
    EXPECT_EQ(rowNames(form->chartModel(0)), QStringList{"空調A"});
    EXPECT_EQ(form->chartModel(0).Font().pointSize(), 14);
    EXPECT_EQ(find<QLabel>("KeyLabel_0")->text(), QStringLiteral("クライアント"));
    EXPECT_EQ(find<QPushButton>("CloseCommand")->text(), QStringLiteral("終了"));
    EXPECT_TRUE(state->ClientMode);
}

TEST_F(ConsoleTest, TheWeeklyEditorsCopyScreenLeavesItOnTheDestination)
{
    site.addGroup(1, QStringLiteral("空調A"), true);
    site.addGroup(2, QStringLiteral("照明B"), true);
    site.addMaster(1, 3, QTime(8, 0), QTime(9, 0));
    start();
    enterMaintenance();
    QString shownAfterCopy;
    onDialog(QStringLiteral("frmMain"), [&shownAfterCopy](QWidget *editor) {
        onDialog(QStringLiteral("frmCopy"), [](QWidget *copy) {
            auto *from = copy->findChild<QComboBox *>(QStringLiteral("cmbCopy1"));
            auto *to = copy->findChild<QComboBox *>(QStringLiteral("cmbCopy2"));
            EXPECT_EQ(from->currentText(), QStringLiteral("照明B")); // the first by name
            to->setCurrentIndex(to->findText(QStringLiteral("照明B")));
            from->setCurrentIndex(from->findText(QStringLiteral("空調A")));
            emit from->activated(from->currentIndex());
            emit to->activated(to->currentIndex());
            button(copy, "cmdOK")->click();
            button(copy, "cmdCancel")->click();
        });
        button(editor, "cmdCopy")->click();
        shownAfterCopy = editor->findChild<QLabel *>(QStringLiteral("GPLabel"))->text();
        button(editor, "cmdClose")->click();
    });
    find<QPushButton>("CmdMenu1")->click();
    EXPECT_EQ(shownAfterCopy, QStringLiteral("2"));
    EXPECT_EQ(site.dayRows(QStringLiteral("Schedule")).size(), 2);
}
