// The maintenance screen frmMent: group and device lists with their colours,
// the device assignment, the read-only visit and the screens it opens.
#include "screenfixture.h"

#include "console/maintenance/flexgrid.h"
#include "console/maintenance/frmment.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using console::paletteColor;

class MentScreenTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        site.addGroup(1, "B棟", true);
        site.addGroup(2, "A棟", true);
        site.addGroup(3, "C棟", false);
        device("FAN1", "換気1", 1, 0);
        device("AC1", "空調1", 22.5, 0.1);
        device("LT1", "照明1", 1, 0);
        site.addTag(2, "FAN1", "換気1", 1, 0);
    }
    void device(const QString &tag, const QString &name, double start, double end)
    {
        site.exec(QStringLiteral("INSERT INTO KikiMaster VALUES ('%1', '%2', %3, %4)").arg(tag, name).arg(start).arg(end));
    }
    static console::FlexGrid *grid(QWidget &form, const char *n) { return form.findChild<console::FlexGrid *>(n); }
    static QPushButton *button(QWidget &form, const char *n) { return form.findChild<QPushButton *>(n); }
    // "name:fore/back" per row, the colours as palette numbers (-1 other).
    static QStringList cells(console::FlexGrid *g)
    {
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r) {
            const QTableWidgetItem *cell = g->item(r, 0);
            auto number = [](const QColor &c) {
                for (int i = 0; i < 16; ++i)
                    if (paletteColor(i) == c)
                        return i;
                return -1;
            };
            out << QStringLiteral("%1:%2/%3").arg(cell->text()).arg(number(cell->foreground().color()))
                       .arg(number(cell->background().color()));
        }
        return out;
    }
    QStringList groupDevices(int gpno) const
    {
        return rows(QStringLiteral("SELECT TAG, KikiName, GPno, StartValue, EndValue FROM KikiTable WHERE GPno = %1 "
                                   "ORDER BY TAG").arg(gpno));
    }
};

TEST_F(MentScreenTest, OpensOnTheMainScreensGroupWithItsDevicesMarked)
{
    // Chart row 0 is the first group by name, A棟.
    console::FrmMent form(*state, 0);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.objectName(), QStringLiteral("frmMent"));
    console::FlexGrid *flex1 = grid(form, "flex1");
    console::FlexGrid *flex2 = grid(form, "flex2");
    EXPECT_EQ(flex1->horizontalHeaderItem(0)->text(), QStringLiteral("グループ名称"));
    EXPECT_EQ(flex2->horizontalHeaderItem(0)->text(), QStringLiteral("機器名称"));
    EXPECT_EQ(form.groupNo(), 2);
    EXPECT_EQ(form.findChild<QLabel *>("LblGpno")->text(), QStringLiteral("2"));
    EXPECT_EQ(form.findChild<QLabel *>("LblGpno_rtn")->text(), QStringLiteral("1"));
    EXPECT_EQ(form.findChild<QLabel *>("Label1")->text(), QStringLiteral("1"));
    EXPECT_EQ(cells(flex1), (QStringList{"A棟:15/9", "B棟:0/15", "C棟:0/15"}));
    // All devices by name; the group's own in light red on yellow.
    EXPECT_EQ(cells(flex2), (QStringList{"換気1:12/14", "照明1:0/15", "空調1:0/15"}));
    screenshot(form, QStringLiteral("frmMent"));

    // The group's devices only.
    form.findChild<QRadioButton *>("Option1_1")->click();
    EXPECT_EQ(cells(flex2), QStringList{"換気1:12/14"});
    form.findChild<QRadioButton *>("Option1_0")->click();

    // Another group: the cell left turns back, the new one is marked.
    const QPoint c = flex1->visualItemRect(flex1->item(2, 0)).center();
    QTest::mouseClick(flex1->viewport(), Qt::LeftButton, Qt::NoModifier, c);
    EXPECT_EQ(form.groupNo(), 3);
    EXPECT_EQ(cells(flex1), (QStringList{"A棟:0/15", "B棟:0/15", "C棟:15/9"}));
    EXPECT_EQ(cells(flex2), (QStringList{"換気1:0/15", "照明1:0/15", "空調1:0/15"}));
    EXPECT_EQ(form.findChild<QLabel *>("Label1")->text(), QStringLiteral("3"));

    // A clicked device toggles between yellow and white.
    const QPoint d = flex2->visualItemRect(flex2->item(2, 0)).center();
    QTest::mouseClick(flex2->viewport(), Qt::LeftButton, Qt::NoModifier, d);
    EXPECT_EQ(cells(flex2).at(2), QStringLiteral("空調1:0/14"));
    QTest::mouseClick(flex2->viewport(), Qt::LeftButton, Qt::NoModifier, d);
    EXPECT_EQ(cells(flex2).at(2), QStringLiteral("空調1:0/15"));
}

TEST_F(MentScreenTest, TheAssignmentCopiesTheMastersValues)
{
    console::FrmMent form(*state, 1); // B棟, no devices
    EXPECT_EQ(form.groupNo(), 1);
    form.flex2_Click(1);
    form.flex2_Click(2);
    button(form, "Command5")->click();
    EXPECT_TRUE(boxes.shown.isEmpty()); // saved without a question
    EXPECT_EQ(groupDevices(1), (QStringList{"AC1|空調1|1|22.5|0.1", "LT1|照明1|1|1|0"}));
    EXPECT_EQ(cells(grid(form, "flex2")), (QStringList{"換気1:0/15", "照明1:12/14", "空調1:12/14"}));

    // A later change of the master does not reach the group until saved again.
    site.exec("UPDATE KikiMaster SET StartValue = 5 WHERE TAG = 'AC1'");
    EXPECT_EQ(groupDevices(1).at(0), QStringLiteral("AC1|空調1|1|22.5|0.1"));

    // Nothing marked: the group is left without devices; others keep theirs.
    form.flex2_Click(1);
    form.flex2_Click(2);
    button(form, "Command5")->click();
    EXPECT_TRUE(groupDevices(1).isEmpty());
    EXPECT_EQ(groupDevices(2).size(), 1);
}

TEST_F(MentScreenTest, AFailedAssignmentKeepsTheOldList)
{
    console::FrmMent form(*state, 0); // A棟 with FAN1
    site.exec("CREATE TRIGGER refuse BEFORE INSERT ON KikiTable WHEN NEW.TAG = 'LT1' "
              "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    form.flex2_Click(1);
    form.flex2_Click(2);
    form.Command5_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("機器を登録出来ませんでした。")));
    EXPECT_EQ(groupDevices(2), QStringList{"FAN1|換気1|2|1|0"});
    EXPECT_EQ(cells(grid(form, "flex2")), (QStringList{"換気1:12/14", "照明1:0/15", "空調1:0/15"}));
}

TEST_F(MentScreenTest, AViewOnlyVisitHasNoEditingButtons)
{
    console::FrmMent form(*state, -1);
    form.setViewOnly(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const char *name : {"Command1", "Command4", "Command5", "DBChange", "cmdNijyu"})
        EXPECT_FALSE(button(form, name)->isVisible()) << name;
    EXPECT_TRUE(button(form, "cmdClose")->isVisible());
    EXPECT_TRUE(grid(form, "flex1")->isVisible());
    // No chart row chosen: no group.
    EXPECT_EQ(form.groupNo(), 0);
    EXPECT_EQ(cells(grid(form, "flex1")), (QStringList{"A棟:0/15", "B棟:0/15", "C棟:0/15"}));
    screenshot(form, QStringLiteral("frmMent-view"));
    button(form, "cmdClose")->click();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MentScreenTest, TheEditorsOpenedFromItRefreshTheLists)
{
    console::FrmMent form(*state, 0); // A棟
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // The group editor: A棟 is deleted; its number is no longer the screen's.
    whenModal(
        [](QWidget *editor) {
            editor->findChild<QLineEdit *>("txtFields")->setText("A棟");
            editor->findChild<QPushButton *>("CmdDelete")->click();
            editor->findChild<QPushButton *>("cmdClose")->click();
        },
        &form);
    button(form, "Command1")->click();
    EXPECT_EQ(cells(grid(form, "flex1")), (QStringList{"B棟:0/15", "C棟:0/15"}));
    EXPECT_EQ(form.groupNo(), 0);
    EXPECT_TRUE(groupDevices(2).isEmpty());

    // The tag editor: a new device is listed when it closes.
    whenModal(
        [](QWidget *editor) {
            const QStringList texts{"PMP1", "ポンプ1", "1", "0"};
            for (int i = 0; i < 4; ++i)
                editor->findChild<QLineEdit *>(QStringLiteral("txtFields_%1").arg(i))->setText(texts.at(i));
            editor->findChild<QPushButton *>("cmdUpdate")->click();
            editor->findChild<QPushButton *>("cmdClose")->click();
        },
        &form);
    button(form, "Command4")->click();
    EXPECT_EQ(grid(form, "flex2")->rowCount(), 4);

    // The settings screen: what it saves is passed on to the main screen.
    QSignalSpy display(&form, &console::FrmMent::displaySaved);
    whenModal([](QWidget *settings) { settings->findChild<QPushButton *>("Command3")->click(); }, &form);
    button(form, "DBChange")->click();
    EXPECT_EQ(display.size(), 1);

    // The second-copy screen.
    whenModal([](QWidget *secondCopy) { secondCopy->findChild<QPushButton *>("cmdEnd")->click(); }, &form);
    button(form, "cmdNijyu")->click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
