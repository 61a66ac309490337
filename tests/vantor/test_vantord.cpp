#include "vantorprocess.h"

#include "productfolder.h"

#include "testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray Tags = "name,type,value,comment\n"
                        "AC1,number,0,空調1\n"
                        "AC2,number,1.5,\n"
                        "MSG,text,hello,message\n";

} // namespace

TEST(Vantord, ServesTheTagsAndReportsMalformedLinesOnStandardError)
{
    VantorProcess vantor(Tags + "BROKEN,colour,1,\n");
    ASSERT_TRUE(vantor.start());
    int rc = -1;
    const QString list = vantor.ctl({"list"}, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(list, QStringLiteral("AC1,number,0,空調1\nAC2,number,1.5,\nMSG,text,hello,message\n"));
    vantor.stop();
    EXPECT_TRUE(vantor.serverErrors().contains(QStringLiteral("tags.csv:5:"))) << vantor.serverErrors().toStdString();
}

TEST(Vantord, ServesAFileWithCrLineEndsAndRefusesOneWithoutItsHeader)
{
    const QString data = testsupport::sourceDir() + QStringLiteral("/tests/vantor/data/");
    VantorProcess crOnly(testsupport::readAll(data + QStringLiteral("tags_cr_only.csv")));
    ASSERT_TRUE(crOnly.start()) << crOnly.serverErrors().toStdString();
    EXPECT_EQ(crOnly.ctl({"list"}), QStringLiteral("AC1,number,1,Hall\nAC2,number,2.5,\nMSG,text,hello,entrance\n"));
    crOnly.stop();
    EXPECT_FALSE(crOnly.serverErrors().contains(QStringLiteral("tags.csv:")));

    VantorProcess tabs(testsupport::readAll(data + QStringLiteral("tags_tab_separated.csv")));
    EXPECT_FALSE(tabs.start()) << "a file it cannot read is refused, not served as no tags";
    tabs.stop();
    const QString errors = tabs.serverErrors();
    EXPECT_TRUE(errors.contains(QStringLiteral(R"(tags.csv:1: the header is "name\ttype\tvalue\tcomment", expected "name,type,value,comment")")))
        << errors.toStdString();
    EXPECT_FALSE(errors.contains(QLatin1Char('\t'))) << "control characters are shown escaped";
}

TEST(Vantord, AFolderWithoutTagsServesNoTags)
{
    VantorProcess vantor{QByteArray()};
    ASSERT_TRUE(vantor.start());
    int rc = -1;
    EXPECT_EQ(vantor.ctl({"list"}, &rc), QString());
    EXPECT_EQ(rc, 0);
    vantor.ctl({"read", "AC1"}, &rc);
    EXPECT_EQ(rc, 1) << "an unknown tag";
}

// Named pipes in place of the product's files never block vantord or
// vantorctl (an open() of a pipe waits for a writer): tags.csv and modbus.csv
// are refused with their reason, a pipe for the saved values starts from
// tags.csv, one for the journal is no journal.
TEST(Vantord, PipesInPlaceOfItsFilesAreRefusedAtOnce)
{
    auto pipe = [](const QString &path) {
        QFile::remove(path);
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    };
    QElapsedTimer elapsed;
    elapsed.start();
    {
        VantorProcess vantor{QByteArray()};
        ASSERT_TRUE(pipe(vantor.file(QStringLiteral("tags.csv"))));
        EXPECT_FALSE(vantor.start());
        vantor.stop();
        EXPECT_TRUE(vantor.serverErrors().contains(QStringLiteral("tags.csv: not a regular file")))
            << vantor.serverErrors().toStdString();
    }
    {
        VantorProcess vantor(Tags);
        ASSERT_TRUE(pipe(vantor.file(QStringLiteral("modbus.csv"))));
        EXPECT_FALSE(vantor.start());
        vantor.stop();
        EXPECT_TRUE(vantor.serverErrors().contains(QStringLiteral("modbus.csv: cannot read it: not a regular file")))
            << vantor.serverErrors().toStdString();
    }
    {
        VantorProcess vantor(Tags);
        ASSERT_TRUE(pipe(vantor.file(QStringLiteral("vantord.state"))));
        ASSERT_TRUE(pipe(vantor.file(QStringLiteral("writes.csv"))));
        ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();
        EXPECT_EQ(vantor.ctl({"read", "AC2"}), QStringLiteral("AC2 = 1.5\n"));
        int rc = -1;
        vantor.ctl({"journal"}, &rc);
        EXPECT_EQ(rc, 1);
        vantor.stop();
        EXPECT_TRUE(vantor.serverErrors().contains(QStringLiteral("vantord.state: unreadable")))
            << vantor.serverErrors().toStdString();
    }
    EXPECT_LT(elapsed.elapsed(), 15000);
}

TEST(Vantord, JournalsEveryAcceptedWriteWithTheWritersClock)
{
    VantorProcess vantor(Tags);
    ASSERT_TRUE(vantor.start());
    qputenv("SCH_CLOCK_START", "2030-01-02 03:04:05");
    int rc = -1;
    vantor.ctl({"write", "AC1", "3.5"}, &rc);
    EXPECT_EQ(rc, 0);
    vantor.ctl({"write", "MSG", "運転中, 東"}, &rc);
    EXPECT_EQ(rc, 0);
    vantor.ctl({"write", "AC2", "abc"}, &rc);
    EXPECT_EQ(rc, 1) << "not a number";
    vantor.ctl({"write", "NOPE", "1"}, &rc);
    EXPECT_EQ(rc, 1) << "an unknown tag";
    qunsetenv("SCH_CLOCK_START");

    const QStringList lines = vantor.journal();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    static const QRegularExpression line1(QStringLiteral(R"(^2030-01-02 03:04:0\d\.\d{3},vantorctl,AC1,3\.5,ok$)"));
    EXPECT_TRUE(line1.match(lines.at(0)).hasMatch()) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(",vantorctl,MSG,\"運転中, 東\",ok"))) << lines.at(1).toStdString();
    EXPECT_TRUE(vantor.ctl({"journal"}).startsWith(QStringLiteral("time,client,tag,value,result\n")));
    EXPECT_EQ(vantor.ctl({"journal", "1"}).trimmed(), lines.at(1));
    EXPECT_EQ(vantor.ctl({"read", "AC1", "MSG$VALUE", "AC1$CMT"}),
              QStringLiteral("AC1 = 3.5\nMSG$VALUE = 運転中, 東\nAC1$CMT = 空調1\n"));
}

TEST(Vantord, ValuesSurviveARestart)
{
    VantorProcess vantor(Tags);
    ASSERT_TRUE(vantor.start());
    vantor.ctl({"write", "AC1", "12"});
    vantor.ctl({"write", "MSG", "stop"});
    vantor.stop();
    ASSERT_TRUE(vantor.start());
    EXPECT_EQ(vantor.ctl({"read", "AC1", "MSG"}), QStringLiteral("AC1 = 12\nMSG = stop\n"));

    // Killed outright, it still has the values written before its last save.
    vantor.ctl({"write", "AC2", "7"});
    QElapsedTimer t;
    t.start();
    while (!QString::fromUtf8(testsupport::readAll(vantor.file("vantord.state"))).contains(QStringLiteral("\"number\": 7")) &&
           t.elapsed() < 3000)
        QThread::msleep(20);
    vantor.kill();
    ASSERT_TRUE(vantor.start());
    EXPECT_EQ(vantor.ctl({"read", "AC2"}), QStringLiteral("AC2 = 7\n"));
}

TEST(Vantord, ASecondServerForTheSameFolderRefusesToStart)
{
    VantorProcess vantor(Tags);
    ASSERT_TRUE(vantor.start());
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTOR_HOME"), vantor.folder());
    second.setProcessEnvironment(env);
    second.start(VantorProcess::binDir() + QStringLiteral("/vantord"), {});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("already serves")));
    EXPECT_EQ(vantor.ctl({"read", "AC2"}), QStringLiteral("AC2 = 1.5\n")) << "the first one still serves";
}

TEST(Vantord, BrokenClientsAreDroppedAndAGoneServerFailsFast)
{
    VantorProcess vantor(Tags);
    ASSERT_TRUE(vantor.start());
    {
        QLocalSocket junk;
        junk.connectToServer(vantor::socketName(vantor.folder()));
        ASSERT_TRUE(junk.waitForConnected(1000));
        junk.write(QByteArray("\xff\xff\xff\xff garbage", 13));
        junk.waitForBytesWritten(1000);
        junk.waitForDisconnected(2000);
        EXPECT_EQ(junk.state(), QLocalSocket::UnconnectedState);
    }
    EXPECT_EQ(vantor.ctl({"read", "AC2"}), QStringLiteral("AC2 = 1.5\n"));
    vantor.stop();
    QElapsedTimer t;
    t.start();
    int rc = 0;
    vantor.ctl({"read", "AC2"}, &rc);
    EXPECT_EQ(rc, 1);
    EXPECT_LT(t.elapsed(), 3000);
}
