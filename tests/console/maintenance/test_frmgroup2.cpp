// The group editor frmGroup2 and the copy screen frmCopy on a temporary site.
#include "screenfixture.h"

#include "console/maintenance/flexgrid.h"
#include "console/maintenance/frmcopy.h"
#include "console/maintenance/frmgroup2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using console::MessageAnswer;

class GroupScreenTest : public ScreenTest
{
protected:
    static console::FlexGrid *grid(QWidget &form) { return form.findChild<console::FlexGrid *>("MSFlexGrid1"); }
    static QLineEdit *name(QWidget &form) { return form.findChild<QLineEdit *>("txtFields"); }
    static QCheckBox *valid(QWidget &form) { return form.findChild<QCheckBox *>("chkFields"); }
    static QPushButton *button(QWidget &form, const char *n) { return form.findChild<QPushButton *>(n); }
    // "marker|name|有効/無効|gpno" per data row of the grid.
    static QStringList gridRows(QWidget &form)
    {
        console::FlexGrid *g = grid(form);
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r)
            out << QStringList{g->text(r, 0), g->text(r, 1), g->text(r, 2), g->text(r, 3)}.join('|');
        return out;
    }
    QStringList groups() const { return rows(QStringLiteral("SELECT GPno, GPname, YukoFlg, DelFlg FROM GroupMaster ORDER BY GPno")); }
    // Adds a group through the editor, answering Yes.
    void add(console::FrmGroup2 &form, const QString &groupName, bool isValid = true)
    {
        name(form)->setText(groupName);
        valid(form)->setChecked(isValid);
        button(form, "Command1")->click();
    }
    // One group with a row in each of the four tables that refer to groups.
    void groupWithRows(int gpno, const QString &groupName)
    {
        site.addGroup(gpno, groupName, true);
        site.addToday(gpno, QTime(8, 0), QTime(9, 0));
        site.addNextday(gpno, QTime(8, 0), QTime(9, 0));
        site.addMaster(gpno, 2, QTime(8, 0), QTime(9, 0));
        site.addTag(gpno, QStringLiteral("T%1").arg(gpno), QStringLiteral("機器%1").arg(gpno), 1, 0);
    }
    int rowsOf(int gpno) const
    {
        int n = 0;
        for (const char *table : {"TodayTable", "NextdayTable", "Schedule", "KikiTable", "GroupMaster"})
            n += rows(QStringLiteral("SELECT * FROM %1 WHERE GPno = %2").arg(QLatin1String(table)).arg(gpno)).size();
        return n;
    }
};

TEST_F(GroupScreenTest, GridLayoutSelectionMarkerAndCheckBox)
{
    site.addGroup(1, QStringLiteral("B棟"), true);
    site.addGroup(2, QStringLiteral("A棟"), false);
    site.addGroup(3, QStringLiteral("C棟"), true);
    site.exec(QStringLiteral("UPDATE GroupMaster SET DelFlg = -1 WHERE GPno = 3"));
    console::FrmGroup2 form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    console::FlexGrid *g = grid(form);
    ASSERT_EQ(g->columnCount(), 5);
    const QStringList headers{"", "グループ名称", "有効/無効", "", ""};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g->horizontalHeaderItem(c)->text(), headers.at(c));
    EXPECT_EQ(g->columnWidth(0), 20); // 300 twips
    EXPECT_EQ(g->columnWidth(1), 360);
    EXPECT_EQ(g->columnWidth(2), 80);
    EXPECT_TRUE(g->isColumnHidden(3));
    EXPECT_TRUE(g->isColumnHidden(4));
    // Groups marked for deletion are not listed; the others by name.
    EXPECT_EQ(gridRows(form), (QStringList{"|A棟|無効|2", "|B棟|有効|1"}));
    EXPECT_EQ(form.currentRow(), -1);

    // A click on a row takes it into the boxes and moves the marker.
    const QPoint second = g->visualItemRect(g->item(1, 1)).center();
    QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(name(form)->text(), QStringLiteral("B棟"));
    EXPECT_TRUE(valid(form)->isChecked());
    EXPECT_EQ(gridRows(form), (QStringList{"|A棟|無効|2", "⇒|B棟|有効|1"}));
    form.MSFlexGrid1_MouseDown(0);
    EXPECT_EQ(name(form)->text(), QStringLiteral("A棟"));
    EXPECT_FALSE(valid(form)->isChecked());
    EXPECT_EQ(gridRows(form), (QStringList{"⇒|A棟|無効|2", "|B棟|有効|1"}));
    screenshot(form, QStringLiteral("frmGroup2"));

    // Overwriting renames the selected group, keeps its number and finds it again.
    name(form)->setText(QStringLiteral("A棟 北"));
    valid(form)->setChecked(true);
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"グループを上書きします よろしいですか？"});
    EXPECT_EQ(gridRows(form), (QStringList{"⇒|A棟 北|有効|2", "|B棟|有効|1"}));
    EXPECT_EQ(form.currentRow(), 0);

    // Overwriting with another group's name: group names stay unique, so the
    // database refuses it and both groups stay as they were.
    boxes.clear();
    name(form)->setText(QStringLiteral("b棟"));
    button(form, "cmdUpdate")->click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown.at(1).text.startsWith(QStringLiteral("上書出来ませんでした。")));
    EXPECT_EQ(groups(), (QStringList{"1|B棟|-1|0", "2|A棟 北|-1|0", "3|C棟|-1|-1"}));

    // Answering No changes nothing.
    boxes.clear();
    boxes.answers.enqueue(MessageAnswer::No);
    name(form)->setText(QStringLiteral("X"));
    form.MSFlexGrid1_MouseDown(1);
    name(form)->setText(QStringLiteral("Y"));
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(groups().at(0), QStringLiteral("1|B棟|-1|0"));
}

TEST_F(GroupScreenTest, NumbersFollowTheHighestAndAreNeverReused)
{
    {
        console::FrmGroup2 form(*state);
        add(form, QStringLiteral("最初"));
        EXPECT_EQ(boxes.texts(), QStringList{"グループを追加します よろしいですか？"});
        EXPECT_EQ(groups(), QStringList{"1|最初|-1|0"});
        // The new group is found again by the fill.
        EXPECT_EQ(gridRows(form), QStringList{"⇒|最初|有効|1"});
        add(form, QStringLiteral("無効の群"), false);
        EXPECT_EQ(groups().at(1), QStringLiteral("2|無効の群|0|0"));
    }
    site.exec(QStringLiteral("DELETE FROM GroupMaster"));
    site.addGroup(1, QStringLiteral("一"), true);
    site.addGroup(2, QStringLiteral("二"), true);
    site.addGroup(5, QStringLiteral("五"), true);
    {
        console::FrmGroup2 form(*state);
        add(form, QStringLiteral("六"));
        EXPECT_EQ(groups().last(), QStringLiteral("6|六|-1|0"));
        // Purged: 2 and 6.  The next number follows the highest left, 5.
        for (const char *n : {"二", "六"}) {
            name(form)->setText(QString::fromUtf8(n));
            button(form, "CmdDelete")->click();
        }
        button(form, "cmdClose")->click();
    }
    EXPECT_EQ(groups(), (QStringList{"1|一|-1|0", "5|五|-1|0"}));
    {
        console::FrmGroup2 form(*state);
        add(form, QStringLiteral("新"));
        EXPECT_EQ(groups().last(), QStringLiteral("6|新|-1|0"));
    }
}

TEST_F(GroupScreenTest, AddChecksAndTheLastGroupNumber)
{
    site.addGroup(1, QStringLiteral("A棟"), true);
    console::FrmGroup2 form(*state);
    const QList<QPair<QString, QString>> refusals{
        {QStringLiteral("O'Neil"), QStringLiteral("グループ名称に ' を入れる事は出来ません。")},
        {QString(), QStringLiteral("グループ名称を入力して下さい。")},
        {QStringLiteral("a棟"), QStringLiteral("同じグループ名称は追加出来ません。")},
    };
    for (const auto &[groupName, message] : refusals) {
        boxes.clear();
        add(form, groupName);
        EXPECT_EQ(boxes.texts(), QStringList{message}) << groupName.toStdString();
        EXPECT_EQ(boxes.shown.last().title, QStringLiteral("確認"));
    }
    // The quote is refused on overwrite as well, before anything is read.
    boxes.clear();
    form.MSFlexGrid1_MouseDown(0);
    name(form)->setText(QStringLiteral("A'棟"));
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"グループ名称に ' を入れる事は出来ません。"});

    // Answering No adds nothing.
    boxes.clear();
    boxes.answers.enqueue(MessageAnswer::No);
    add(form, QStringLiteral("B棟"));
    EXPECT_EQ(groups().size(), 1);

    // Group 501 is the last the runner can hold.
    site.addGroup(501, QStringLiteral("最後"), true);
    boxes.clear();
    add(form, QStringLiteral("B棟"));
    EXPECT_EQ(boxes.texts(), QStringList{"グループ番号が501を超えるため、グループを追加出来ません。"});
    EXPECT_EQ(groups().size(), 2);
}

TEST_F(GroupScreenTest, AMarkedNameBlocksUntilThePurgeWhichRemovesEveryRow)
{
    groupWithRows(1, QStringLiteral("A棟"));
    groupWithRows(2, QStringLiteral("B棟"));
    {
        console::FrmGroup2 form(*state);
        name(form)->setText(QStringLiteral("未登録"));
        button(form, "CmdDelete")->click();
        EXPECT_EQ(boxes.texts(), QStringList{"削除するグループが見つかりません。"});

        boxes.clear();
        name(form)->setText(QStringLiteral("A棟"));
        button(form, "CmdDelete")->click();
        EXPECT_EQ(boxes.texts(), QStringList{"選択グループを削除します。よろしいですか？"});
        EXPECT_EQ(groups().at(0), QStringLiteral("1|A棟|-1|-1"));
        EXPECT_EQ(rowsOf(1), 5); // marked only: every row stays until the purge
        EXPECT_EQ(gridRows(form).size(), 2); // and the grid shows it until its next fill

        boxes.clear();
        add(form, QStringLiteral("A棟"));
        EXPECT_EQ(boxes.texts(), QStringList{"同じグループ名称は追加出来ません。"});
        button(form, "cmdClose")->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(rowsOf(1), 0);
    EXPECT_EQ(rowsOf(2), 5);

    // Now the name is free again.
    console::FrmGroup2 form(*state);
    boxes.clear();
    add(form, QStringLiteral("A棟"));
    EXPECT_EQ(groups(), (QStringList{"2|B棟|-1|0", "3|A棟|-1|0"}));
}

TEST_F(GroupScreenTest, AFailedPurgeChangesNothingAndSaysSo)
{
    groupWithRows(1, QStringLiteral("A棟"));
    site.exec(QStringLiteral("UPDATE GroupMaster SET DelFlg = -1"));
    site.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON KikiTable BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    {
        console::FrmGroup2 form(*state);
        button(form, "cmdClose")->click();
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("削除するグループを消去出来ませんでした。")));
        EXPECT_FALSE(form.isVisible());
    }
    // The day tables and the master were emptied first, and came back.
    EXPECT_EQ(rowsOf(1), 5);

    // Closing the window any other way purges as well.
    site.exec(QStringLiteral("DROP TRIGGER refuse"));
    console::FrmGroup2 form(*state);
    form.show();
    form.close();
    EXPECT_EQ(rowsOf(1), 0);
}

class CopyScreenTest : public GroupScreenTest
{
protected:
    void SetUp() override
    {
        GroupScreenTest::SetUp();
        site.addGroup(1, QStringLiteral("A棟"), true);
        site.addGroup(2, QStringLiteral("B棟"), true);
        site.addGroup(3, QStringLiteral("C棟"), true);
        site.addMaster(1, 2, QTime(8, 0), QTime(9, 0));
        site.addMaster(1, 8, QTime(10, 0), QTime(11, 30));
        site.addMaster(2, 3, QTime(6, 0), QTime(7, 0));
    }
    QStringList master(int gpno) const
    {
        return rows(QStringLiteral("SELECT GPno, lWeek, StartTime, EndTime FROM Schedule WHERE GPno = %1 "
                                   "ORDER BY lWeek, StartTime").arg(gpno));
    }
    static QComboBox *combo(QWidget &form, const char *n) { return form.findChild<QComboBox *>(n); }
};

TEST_F(CopyScreenTest, CopiesReplaceTheDestinationAndSelfCopyIsRefused)
{
    console::FrmCopy form(*state, QStringLiteral("B棟"), 2);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QSignalSpy copied(&form, &console::FrmCopy::destinationCopied);
    QComboBox *from = combo(form, "cmbCopy1");
    QComboBox *to = combo(form, "cmbCopy2");
    ASSERT_EQ(from->count(), 3);
    EXPECT_EQ(from->currentText(), QStringLiteral("A棟"));
    EXPECT_EQ(to->currentText(), QStringLiteral("B棟"));
    EXPECT_EQ(form.sourceNo(), 1);
    EXPECT_EQ(form.destinationNo(), 2);
    screenshot(form, QStringLiteral("frmCopy"));

    button(form, "cmdOK")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"マスタースケジュールをコピーします。よろしいですか？"});
    EXPECT_EQ(master(2), (QStringList{"2|2|08:00:00|09:00:00", "2|8|10:00:00|11:30:00"}));
    EXPECT_EQ(master(1).size(), 2);
    ASSERT_EQ(copied.size(), 1);
    EXPECT_EQ(copied.at(0).at(0).toString(), QStringLiteral("B棟"));
    EXPECT_TRUE(form.isVisible()); // open for the next copy

    // Onto itself: refused before anything is asked or deleted.
    boxes.clear();
    to->setCurrentIndex(0);
    form.cmbCopy2_Click();
    EXPECT_EQ(form.destinationNo(), 1);
    button(form, "cmdOK")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"コピー元とコピー先が同じグループです。"});
    EXPECT_EQ(master(1).size(), 2);

    // From a group without master rows: the destination is emptied.
    boxes.clear();
    from->setCurrentIndex(2);
    form.cmbCopy1_Click();
    EXPECT_EQ(form.sourceNo(), 3);
    button(form, "cmdOK")->click();
    EXPECT_TRUE(master(1).isEmpty());
    EXPECT_EQ(copied.size(), 2);

    // No answers No.
    boxes.answers.enqueue(MessageAnswer::No);
    to->setCurrentIndex(1);
    form.cmbCopy2_Click();
    button(form, "cmdOK")->click();
    EXPECT_EQ(master(2).size(), 2);
    EXPECT_EQ(copied.size(), 2);

    button(form, "cmdCancel")->click();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(CopyScreenTest, AFailedCopyLeavesTheDestinationAsItWas)
{
    site.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Schedule WHEN NEW.lWeek = 8 "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    console::FrmCopy form(*state, QStringLiteral("B棟"), 2);
    QSignalSpy copied(&form, &console::FrmCopy::destinationCopied);
    form.cmdOK_Click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("マスタースケジュールをコピー出来ませんでした。")));
    EXPECT_EQ(master(2), QStringList{"2|3|06:00:00|07:00:00"});
    EXPECT_TRUE(copied.isEmpty());

    // An editor without a group has no destination.
    boxes.clear();
    console::FrmCopy none(*state, QString(), 0);
    none.cmdOK_Click();
    EXPECT_EQ(boxes.texts(), QStringList{"コピー元とコピー先のグループを選択して下さい。"});
}

} // namespace
