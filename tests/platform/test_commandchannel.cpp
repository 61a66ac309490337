#include "platform/commandchannel.h"
#include "platform/commandserver.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// The client calls block, so they run on a helper thread while this thread
// keeps the server's event loop turning.
template <typename F>
auto onClientThread(F f)
{
    return testsupport::whileServing(std::move(f));
}

class CommandChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("SCH_HOME", home.path().toUtf8());
    }
    void TearDown() override { qunsetenv("SCH_HOME"); }
    QTemporaryDir home;
};

} // namespace

TEST_F(CommandChannelTest, PokeActsOnlyOnAChangeOfTheText)
{
    CommandServer server(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    server.addItem(QStringLiteral("txtDDE"), QStringLiteral("0"));
    ASSERT_TRUE(server.listen());
    QSignalSpy changed(&server, &CommandServer::itemChanged);

    // Names compare without regard to case, as the console spells "Schedule|frmCal".
    EXPECT_TRUE(onClientThread([] {
        return channel::poke(QStringLiteral("Schedule"), QStringLiteral("FRMCAL"), QStringLiteral("TxtDde"),
                             QStringLiteral("1"));
    }));
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toString(), QStringLiteral("1"));

    // The same text again is no command.
    EXPECT_TRUE(onClientThread([] {
        return channel::poke(QStringLiteral("schedule"), QStringLiteral("frmCal"), QStringLiteral("txtDDE"),
                             QStringLiteral("1"));
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);

    // After the owner resets the text, the same poke is a change again.
    server.setItemText(QStringLiteral("txtDDE"), QStringLiteral("0"));
    EXPECT_TRUE(onClientThread([] {
        return channel::poke(QStringLiteral("schedule"), QStringLiteral("frmCal"), QStringLiteral("txtDDE"),
                             QStringLiteral("1"));
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 2);

    QString text;
    EXPECT_TRUE(onClientThread([&] {
        return channel::request(QStringLiteral("schedule"), QStringLiteral("frmcal"), QStringLiteral("txtdde"),
                                &text);
    }));
    EXPECT_EQ(text, QStringLiteral("1"));
}

TEST_F(CommandChannelTest, RefusalsAreReportedNotSwallowed)
{
    QString error;
    // Nobody serves the link: the lookup fails and the poke says so.
    EXPECT_FALSE(onClientThread([] { return channel::isServing(QStringLiteral("schedule"), QStringLiteral("frmCal")); }));
    EXPECT_FALSE(onClientThread([&] {
        return channel::poke(QStringLiteral("schedule"), QStringLiteral("frmCal"), QStringLiteral("txtDDE"),
                             QStringLiteral("999"), &error);
    }));
    EXPECT_FALSE(error.isEmpty());

    CommandServer server(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    server.addItem(QStringLiteral("txtDDE"));
    ASSERT_TRUE(server.listen());
    EXPECT_TRUE(onClientThread([] { return channel::isServing(QStringLiteral("SCHEDULE"), QStringLiteral("frmCal")); }));
    error.clear();
    EXPECT_FALSE(onClientThread([&] {
        return channel::poke(QStringLiteral("schedule"), QStringLiteral("frmCal"), QStringLiteral("DDELabel"),
                             QStringLiteral("999"), &error);
    }));
    EXPECT_TRUE(error.contains(QStringLiteral("ddelabel"))) << error.toStdString();

    // A second owner of the same link is refused while the first lives.
    CommandServer second(QStringLiteral("Schedule"), QStringLiteral("frmCal"));
    EXPECT_FALSE(second.listen());
}

TEST_F(CommandChannelTest, LinksAreScopedToTheProgramFolder)
{
    QTemporaryDir other;
    EXPECT_NE(channel::socketName(home.path(), QStringLiteral("schedule"), QStringLiteral("frmCal")),
              channel::socketName(other.path(), QStringLiteral("schedule"), QStringLiteral("frmCal")));
    EXPECT_EQ(channel::socketName(home.path(), QStringLiteral("Schedule"), QStringLiteral("FRMCAL")),
              channel::socketName(home.path(), QStringLiteral("schedule"), QStringLiteral("frmCal")));

    CommandServer server(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    server.addItem(QStringLiteral("txtDDE"));
    ASSERT_TRUE(server.listen());
    qputenv("SCH_HOME", other.path().toUtf8());
    EXPECT_FALSE(onClientThread([] { return channel::isServing(QStringLiteral("schedule"), QStringLiteral("frmCal")); }));
    // A second site on the machine may serve its own runner at the same time.
    CommandServer otherSite(QStringLiteral("schedule"), QStringLiteral("frmCal"));
    EXPECT_TRUE(otherSite.listen());
}

TEST_F(CommandChannelTest, ActivateReachesTheOwner)
{
    CommandServer server(QStringLiteral("Planboard"), QStringLiteral("frmCal"));
    server.addItem(QStringLiteral("DDELabel"));
    ASSERT_TRUE(server.listen());
    QSignalSpy activated(&server, &CommandServer::activateRequested);
    EXPECT_TRUE(onClientThread([] { return channel::activate(QStringLiteral("planboard"), QStringLiteral("frmcal")); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(activated.count(), 1);
}
