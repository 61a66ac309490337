// The real message boxes as operators meet them: Japanese buttons, and the
// Enter key on a question whose default is No.
#include "console/common/japaneseqt.h"
#include "console/common/messageboxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using console::Message;
using console::MessageAnswer;
using console::MessageButtons;
using console::MessageIcon;

// Runs `act` on the message box once it is shown.
void onBox(const std::function<void(QMessageBox *)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
}

QStringList captions(const QMessageBox *box)
{
    QStringList texts;
    for (const QAbstractButton *b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

TEST(QtMessageBoxes, ShowTheJapaneseButtonsAndTheirDefault)
{
    console::QtMessageBoxes boxes;
    QStringList shown;
    onBox([&](QMessageBox *box) {
        shown = captions(box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    // An ordinary question: Enter answers Yes.
    EXPECT_EQ(boxes.show({QStringLiteral("確認"), QStringLiteral("よろしいですか？"), MessageButtons::YesNo,
                          MessageIcon::Question, false},
                         nullptr),
              MessageAnswer::Yes);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));

    // An operation on the plant: Enter answers No.
    onBox([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); });
    Message plant{QStringLiteral("手動運転 操作"), QStringLiteral("運転操作を行います。よろしいですか？"),
                  MessageButtons::YesNo, MessageIcon::Question, true, true};
    EXPECT_EQ(boxes.show(plant, nullptr), MessageAnswer::No);

    onBox([&](QMessageBox *box) {
        shown = captions(box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(boxes.show({QStringLiteral("確認"), QStringLiteral("?"), MessageButtons::YesNoCancel}, nullptr),
              MessageAnswer::Cancel);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)"), QStringLiteral("キャンセル")}));
}

} // namespace

namespace {

// Qt's own texts (file dialogs, standard buttons) are Japanese too.
TEST(JapaneseQtTexts, StandardButtonsOfQtsOwnDialogs)
{
    ASSERT_TRUE(console::installJapaneseQtTexts(*QApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_NE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Save"));
}

} // namespace
