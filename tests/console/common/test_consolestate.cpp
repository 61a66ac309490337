#include "console/common/consolestate.h"
#include "recordingmessageboxes.h"
#include "runnersite.h"

#include "store/database.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ConsoleState, ServerWorksOnItsOwnDatabaseAndClientOnDbname)
{
    RunnerSite site;
    ASSERT_TRUE(site.isValid());
    {
        console::ConsoleState state(site.home());
        EXPECT_FALSE(state.ClientMode);
        EXPECT_EQ(QDir::cleanPath(state.databasePath()), QDir::cleanPath(site.database()));
        EXPECT_EQ(QDir::cleanPath(state.databaseFolder()), QDir::cleanPath(site.home() + "/SC_DataBase"));
        EXPECT_EQ(QDir::cleanPath(state.sharedSettingsPath()), QDir::cleanPath(site.ini()));
        EXPECT_TRUE(state.openDatabase());
    }

    // A client whose database lies on the server writes the server's flags.
    RunnerSite server;
    site.setIni("CLIENT", "FLG", "1");
    site.setIni("CLIENT", "DBNAME", server.database());
    console::ConsoleState client(site.home());
    EXPECT_TRUE(client.ClientMode);
    EXPECT_EQ(QDir::cleanPath(client.databasePath()), QDir::cleanPath(server.database()));
    EXPECT_EQ(QDir::cleanPath(client.sharedSettingsPath()), QDir::cleanPath(server.ini()));
}

TEST(ConsoleState, DayNamesByDayCode)
{
    RunnerSite site;
    console::ConsoleState state(site.home());
    ASSERT_EQ(state.dayNames().size(), 11);
    EXPECT_EQ(state.dayName(1), QStringLiteral("日曜日"));
    EXPECT_EQ(state.dayName(7), QStringLiteral("土曜日"));
    EXPECT_EQ(state.dayName(8), QStringLiteral("特日１"));
    EXPECT_EQ(state.dayName(11), QStringLiteral("特日４"));
    EXPECT_TRUE(state.dayName(0).isEmpty());
    EXPECT_TRUE(state.dayName(12).isEmpty());
}

TEST(ConsoleState, MessagesGoThroughTheGivenBoxes)
{
    RunnerSite site;
    console::ConsoleState state(site.home());
    RecordingMessageBoxes boxes;
    state.setMessages(&boxes);
    boxes.answers.enqueue(console::MessageAnswer::No);
    EXPECT_FALSE(state.messages().confirm(nullptr, QStringLiteral("削除します よろしいですか？")));
    EXPECT_TRUE(state.messages().confirm(nullptr, QStringLiteral("もう一度")));
    state.messages().inform(nullptr, QStringLiteral("完了"));
    ASSERT_EQ(boxes.shown.size(), 3);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("確認"));
    EXPECT_EQ(boxes.shown[0].buttons, console::MessageButtons::YesNo);
    EXPECT_EQ(boxes.shown[2].buttons, console::MessageButtons::Ok);
    EXPECT_TRUE(boxes.shown[2].systemModal);
    EXPECT_EQ(boxes.lastText(), QStringLiteral("完了"));
}

} // namespace
