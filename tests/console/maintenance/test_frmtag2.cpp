// The tag editor frmTag2: the device master's checks and statements, the
// value boxes' key filter, and the device-name fetch from a running plant.
#include "screenfixture.h"
#include "vantorprocess.h"

#include "console/maintenance/flexgrid.h"
#include "console/maintenance/frmtag2.h"
#include "taglink/taglink.h"
#include "taglink/taglinkmodel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using console::MessageAnswer;

class TagScreenTest : public ScreenTest
{
protected:
    static console::FlexGrid *grid(QWidget &form) { return form.findChild<console::FlexGrid *>("MSFlexGrid1"); }
    static QLineEdit *box(QWidget &form, int i) { return form.findChild<QLineEdit *>(QStringLiteral("txtFields_%1").arg(i)); }
    static QPushButton *button(QWidget &form, const char *n) { return form.findChild<QPushButton *>(n); }
    static void enter(QWidget &form, const QString &tag, const QString &name, const QString &start, const QString &end)
    {
        const QString texts[4] = {tag, name, start, end};
        for (int i = 0; i < 4; ++i)
            box(form, i)->setText(texts[i]);
    }
    static QStringList boxes4(QWidget &form)
    {
        QStringList out;
        for (int i = 0; i < 4; ++i)
            out << box(form, i)->text();
        return out;
    }
    static QStringList gridRows(QWidget &form)
    {
        console::FlexGrid *g = grid(form);
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << g->text(r, c);
            out << cells.join('|');
        }
        return out;
    }
    QStringList master() const { return rows(QStringLiteral("SELECT TAG, KikiName, StartValue, EndValue FROM KikiMaster ORDER BY TAG")); }
    QStringList groupDevices() const { return rows(QStringLiteral("SELECT TAG, KikiName, GPno, StartValue, EndValue FROM KikiTable ORDER BY TAG")); }
    void masterRow(const QString &tag, const QString &name, double start, double end)
    {
        site.exec(QStringLiteral("INSERT INTO KikiMaster VALUES ('%1', '%2', %3, %4)").arg(tag, name).arg(start).arg(end));
    }
};

TEST_F(TagScreenTest, GridLayoutAndSelection)
{
    masterRow("AC2", "空調2", 1, 0);
    masterRow("AC1", "空調1", 22.5, -1);
    console::FrmTag2 form(*state);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    console::FlexGrid *g = grid(form);
    const QStringList headers{"", "TAG", "KikiName", "StartValue", "EndValue"};
    const QList<int> widths{20, 273, 273, 80, 80};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(g->horizontalHeaderItem(c)->text(), headers.at(c));
        EXPECT_EQ(g->columnWidth(c), widths.at(c)) << c;
    }
    EXPECT_EQ(gridRows(form), (QStringList{"|AC1|空調1|22.5|-1", "|AC2|空調2|1|0"}));

    const QPoint second = g->visualItemRect(g->item(1, 2)).center();
    QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(boxes4(form), (QStringList{"AC2", "空調2", "1", "0"}));
    EXPECT_EQ(gridRows(form).at(1), QStringLiteral("⇒|AC2|空調2|1|0"));
    EXPECT_EQ(form.currentRow(), 1);
    screenshot(form, QStringLiteral("frmTag2"));
}

TEST_F(TagScreenTest, ValueBoxesTakeDigitsSignAndPointOnly)
{
    console::FrmTag2 form(*state);
    QTest::keyClicks(box(form, 2), QStringLiteral("1a.5x"));
    EXPECT_EQ(box(form, 2)->text(), QStringLiteral("1.5"));
    QTest::keyClicks(box(form, 3), QStringLiteral("-e1 "));
    EXPECT_EQ(box(form, 3)->text(), QStringLiteral("-1"));
    QTest::keyClick(box(form, 3), Qt::Key_Backspace);
    EXPECT_EQ(box(form, 3)->text(), QStringLiteral("-"));
    QTest::keyClicks(box(form, 0), QStringLiteral("AC-1.x"));
    EXPECT_EQ(box(form, 0)->text(), QStringLiteral("AC-1.x"));

    // Saving 1.5 and -1 into the empty master: asked without the name test.
    box(form, 3)->setText(QStringLiteral("-1"));
    box(form, 1)->setText(QStringLiteral("空調1"));
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"タグを追加します よろしいですか？"});
    EXPECT_EQ(master(), QStringList{"AC-1.x|空調1|1.5|-1"});
    EXPECT_EQ(gridRows(form), QStringList{"⇒|AC-1.x|空調1|1.5|-1"});
}

TEST_F(TagScreenTest, ChecksComeInTheirOrderBeforeAnyChange)
{
    console::FrmTag2 form(*state);
    struct Case { QString tag, name, start, end, message; };
    const QList<Case> cases{
        {"", "n", "1", "0", "TAGを入力して下さい"},
        {"T", "", "1", "0", "KikiNameを入力して下さい"},
        {"T", "n", "", "0", "StartValueが正しくありません。"},
        {"T", "n", "1-", "0", "StartValueが正しくありません。"},
        {"T", "n", "1", "..", "EndValueが正しくありません。"},
        {"T", "n'", "1", "0", "KikiNameに ' を入れる事は出来ません。"},
        {"T'", "n", "1", "0", "TAGに ' を入れる事は出来ません。"},
    };
    for (const Case &c : cases) {
        boxes.clear();
        enter(form, c.tag, c.name, c.start, c.end);
        button(form, "cmdUpdate")->click();
        EXPECT_EQ(boxes.texts(), QStringList{c.message}) << c.message.toStdString();
    }
    EXPECT_TRUE(master().isEmpty());
}

TEST_F(TagScreenTest, NamesStayUniqueAddingRefusedUpdatingLeftToTheDatabase)
{
    masterRow("AC1", "空調1", 1, 0);
    masterRow("AC2", "空調2", 1, 0);
    site.addTag(1, "AC1", "空調1", 1, 0);
    console::FrmTag2 form(*state);

    // A new tag with an existing device's name (in any case) is refused.
    enter(form, "AC3", "空調2", "1", "0");
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"同じKikiNameが存在します。"});
    enter(form, "AC3", "FAN", "1", "0");
    masterRow("AC4", "fan", 1, 0);
    boxes.clear();
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"同じKikiNameが存在します。"});

    // An existing tag is updated without the name test: a new name and new
    // values are stored; the group's copy keeps the values it was given.
    boxes.clear();
    enter(form, "ac1", "空調1号", "2.25", "-3");
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"タグを更新します よろしいですか？"});
    EXPECT_EQ(master().at(0), QStringLiteral("AC1|空調1号|2.25|-3"));
    EXPECT_EQ(groupDevices(), QStringList{"AC1|空調1|1|1|0"});
    EXPECT_EQ(boxes4(form), (QStringList{"AC1", "空調1号", "2.25", "-3"})); // found again by the fill

    // Renamed to another device's name, the update passes the screen's
    // checks; the database keeps device names unique and refuses it, and the
    // boxes keep what was typed.
    boxes.clear();
    enter(form, "AC1", "空調2", "5", "5");
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(boxes.texts(), (QStringList{"タグを更新します よろしいですか？", "登録出来ませんでした。KikiNameを確認して下さい。"}));
    EXPECT_EQ(master(), (QStringList{"AC1|空調1号|2.25|-3", "AC2|空調2|1|0", "AC4|fan|1|0"}));
    EXPECT_EQ(boxes4(form), (QStringList{"AC1", "空調2", "5", "5"}));

    // No adds nothing, and the grid is filled again all the same.
    boxes.clear();
    boxes.answers.enqueue(MessageAnswer::No);
    enter(form, "AC9", "新しい機器", "1", "0");
    button(form, "cmdUpdate")->click();
    EXPECT_EQ(master().size(), 3);
    EXPECT_EQ(grid(form)->rowCount(), 3);
}

TEST_F(TagScreenTest, DeleteRemovesTheTagEverywhereInOneStep)
{
    masterRow("AC1", "空調1", 1, 0);
    masterRow("AC2", "空調2", 1, 0);
    site.addTag(1, "AC1", "空調1", 1, 0);
    site.addTag(2, "AC1", "空調1", 1, 0);
    site.addTag(2, "AC2", "空調2", 1, 0);
    console::FrmTag2 form(*state);
    box(form, 0)->setText("AC1");
    button(form, "CmdDelete")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"選択タグを削除します。よろしいですか？"});
    EXPECT_EQ(master(), QStringList{"AC2|空調2|1|0"});
    EXPECT_EQ(groupDevices(), QStringList{"AC2|空調2|2|1|0"});
    EXPECT_EQ(grid(form)->rowCount(), 1);

    // A tag no row has: both deletes run and change nothing.
    boxes.clear();
    box(form, 0)->setText("NONE");
    button(form, "CmdDelete")->click();
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(master().size(), 1);

    // The second delete fails: the first is rolled back and the operator told.
    site.exec("CREATE TRIGGER refuse BEFORE DELETE ON KikiTable BEGIN SELECT RAISE(ABORT, 'locked'); END");
    boxes.clear();
    box(form, 0)->setText("AC2");
    button(form, "CmdDelete")->click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("タグを削除出来ませんでした。")));
    EXPECT_EQ(master(), QStringList{"AC2|空調2|1|0"});
    EXPECT_EQ(groupDevices(), QStringList{"AC2|空調2|2|1|0"});
}

TEST_F(TagScreenTest, DeviceNameFetchedFromThePlantThroughTheMainScreensLink)
{
    VantorProcess plant("name,type,value,comment\nAC1,number,0,空調機 1F\nLT1,number,0,\n");
    Taglink mainLink;
    mainLink.model()->setTagList(QStringLiteral("BEFORE"));
    state->Taglink1 = &mainLink;
    console::FrmTag2 form(*state);

    // No tag: the link is not touched.
    button(form, "cmdAIMaxGet")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"タグ名を入力して下さい"});
    EXPECT_EQ(mainLink.model()->tagList(), QStringLiteral("BEFORE"));

    // The plant is down: nothing is fetched, the boxes keep their texts.
    boxes.clear();
    box(form, 0)->setText("AC1");
    box(form, 1)->setText("前の名前");
    button(form, "cmdAIMaxGet")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"情報が取得できませんでした"});
    EXPECT_EQ(box(form, 1)->text(), QStringLiteral("前の名前"));

    ASSERT_TRUE(plant.start());
    boxes.clear();
    button(form, "cmdAIMaxGet")->click();
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.lastText().toStdString();
    EXPECT_EQ(box(form, 1)->text(), QStringLiteral("空調機 1F"));
    EXPECT_EQ(mainLink.model()->tagList(), QStringLiteral("AC1$CMT"));
    EXPECT_FALSE(mainLink.model()->isActive()); // closed after the read

    // A tag the plant does not know.
    box(form, 0)->setText("NOPE");
    button(form, "cmdAIMaxGet")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"情報が取得できませんでした"});
    EXPECT_EQ(box(form, 1)->text(), QStringLiteral("空調機 1F"));
    EXPECT_TRUE(master().isEmpty()); // only placed in the box
    state->Taglink1 = nullptr;
}

} // namespace
