#include "platform/profile.h"
#include "platform/textcodec.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString ini() const { return dir.filePath(QStringLiteral("Sch.ini")); }
    void put(const QByteArray &bytes) { ASSERT_TRUE(testsupport::writeAll(ini(), bytes)); }
    QString get(const char *section, const char *key) const
    {
        return profile::readString(ini(), QString::fromUtf8(section), QString::fromUtf8(key));
    }
    QString text() const { return QString::fromLatin1(testsupport::readAll(ini())); }

    QTemporaryDir dir;
};

TEST_F(ProfileTest, ReadsWithoutRegardToCaseAndTrims)
{
    put("; settings\r\n[mente]\r\n  flg =  1  \r\nTIMER=\"  250 \"\r\n[ LOG ]\r\nDIR = /var/log \r\n[Other]\r\nFLG=9\r\n");
    EXPECT_EQ(get("MENTE", "FLG"), QStringLiteral("1"));
    EXPECT_EQ(get("Mente", "flg"), QStringLiteral("1"));
    EXPECT_EQ(get("MENTE", "TIMER"), QStringLiteral("250")); // quotes dropped, then trimmed
    EXPECT_EQ(get("log", "dir"), QStringLiteral("/var/log"));
    EXPECT_EQ(get("Other", "FLG"), QStringLiteral("9")); // keys belong to their own section
}

TEST_F(ProfileTest, MissingFileSectionOrKeyReadsEmpty)
{
    EXPECT_TRUE(get("MENTE", "FLG").isEmpty());
    EXPECT_FALSE(QFile::exists(ini()));
    put("[MENTE]\nFLG=1\n; J-LOAD=1\nnot a key line\n");
    EXPECT_TRUE(get("LOG", "FLG").isEmpty());
    EXPECT_TRUE(get("MENTE", "C-LOAD").isEmpty());
    EXPECT_TRUE(get("MENTE", "; J-LOAD").isEmpty()); // a comment is no key
    EXPECT_TRUE(get("MENTE", "not a key line").isEmpty());
    EXPECT_TRUE(get("", "FLG").isEmpty());
}

TEST_F(ProfileTest, LongValuesAreCutTo127Characters)
{
    put("[A]\r\nK=" + QByteArray(200, 'x') + "\r\nL=" + QByteArray(126, 'y') + "   z\r\n");
    EXPECT_EQ(get("A", "K"), QString(127, QLatin1Char('x')));
    // Cut first, then trimmed: the blanks at the cut go too.
    EXPECT_EQ(get("A", "L"), QString(126, QLatin1Char('y')));
}

TEST_F(ProfileTest, WritingKeepsEveryOtherLine)
{
    put("; top comment\r\n[A]\r\nx=1\r\n; inner comment\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(profile::writeString(ini(), QStringLiteral("a"), QStringLiteral("Z"), QStringLiteral("3")));
    ASSERT_TRUE(profile::writeString(ini(), QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("20")));
    ASSERT_TRUE(profile::writeString(ini(), QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4")));
    EXPECT_EQ(text(), QStringLiteral("; top comment\r\n[A]\r\nx=1\r\n; inner comment\r\nZ=3\r\n\r\n[B]\r\nY=20\r\n"
                                     "\r\n[C]\r\nw=4\r\n"));
    // A value never spans lines.
    ASSERT_TRUE(profile::writeString(ini(), QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("a\r\n[MENTE]\nFLG=1")));
    EXPECT_TRUE(get("MENTE", "FLG").isEmpty());
    EXPECT_EQ(get("C", "w"), QStringLiteral("a  [MENTE] FLG=1"));
}

TEST_F(ProfileTest, WritesCreateTheFileInCp932)
{
    ASSERT_TRUE(profile::writeString(ini(), QStringLiteral("LOG"), QStringLiteral("DIR"), QStringLiteral("D:\\ログ")));
    EXPECT_EQ(testsupport::readAll(ini()), QByteArray("[LOG]\r\nDIR=D:\\\x83\x8D\x83O\r\n"));
    EXPECT_EQ(get("LOG", "DIR"), QStringLiteral("D:\\ログ"));
    // A file kept in UTF-8 by hand is read as well.
    put("[LOG]\nDIR=/ログ\n");
    EXPECT_EQ(get("LOG", "DIR"), QStringLiteral("/ログ"));
}

TEST_F(ProfileTest, SeveralKeysAndTestAndSet)
{
    ASSERT_TRUE(profile::writeStrings(ini(), {{"M", "A", "1"}, {"M", "B", "2"}, {"N", "A", "3"}}));
    EXPECT_EQ(get("M", "B"), QStringLiteral("2"));
    EXPECT_EQ(get("N", "A"), QStringLiteral("3"));
    const auto isOne = [](const QString &v) { return v == QLatin1String("1"); };
    EXPECT_EQ(profile::writeStringsUnless(ini(), "M", "A", isOne, {{"M", "C", "x"}}), profile::WriteResult::Refused);
    EXPECT_TRUE(get("M", "C").isEmpty());
    EXPECT_EQ(profile::writeStringsUnless(ini(), "M", "B", isOne, {{"M", "C", "x"}}), profile::WriteResult::Written);
    EXPECT_EQ(get("M", "C"), QStringLiteral("x"));
    EXPECT_EQ(profile::writeStringsUnless(dir.filePath("no/Sch.ini"), "M", "B", isOne, {}),
              profile::WriteResult::Failed);
}

TEST_F(ProfileTest, TwoProcessesWritingAtOnceLoseNoKey)
{
    const QString writer = QCoreApplication::applicationDirPath() + QStringLiteral("/profile_writer");
    ASSERT_TRUE(QFile::exists(writer)) << writer.toStdString();
    put("; shared\r\n[MENTE]\r\nFLG=0\r\n");
    constexpr int Count = 60;
    QProcess a, b;
    a.start(writer, {ini(), QStringLiteral("MENTE"), QStringLiteral("A"), QString::number(Count)});
    b.start(writer, {ini(), QStringLiteral("mente"), QStringLiteral("B"), QString::number(Count)});
    // Reads in between see either the old or the new file, never a torn one.
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(get("MENTE", "FLG"), QStringLiteral("0"));
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(get("MENTE", qPrintable(QStringLiteral("A%1").arg(i))), QString::number(i));
        EXPECT_EQ(get("MENTE", qPrintable(QStringLiteral("B%1").arg(i))), QString::number(i));
    }
    EXPECT_EQ(text().count(QStringLiteral("[MENTE]"), Qt::CaseInsensitive), 1);
    EXPECT_TRUE(text().startsWith(QStringLiteral("; shared\r\n")));
    // Only the settings file (and its lock file) remain: no temporary files.
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(QStringLiteral("Sch.ini.lock"));
    EXPECT_EQ(files, QStringList{QStringLiteral("Sch.ini")});
}

TEST_F(ProfileTest, TwoThreadsWritingAtOnceLoseNoKey)
{
    constexpr int Count = 40;
    auto hammer = [this](const QString &prefix) {
        for (int i = 0; i < Count; ++i)
            profile::writeString(ini(), QStringLiteral("T"), prefix + QString::number(i), QString::number(i));
    };
    QThread *one = QThread::create(hammer, QStringLiteral("x"));
    QThread *two = QThread::create(hammer, QStringLiteral("y"));
    one->start();
    two->start();
    one->wait();
    two->wait();
    delete one;
    delete two;
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(get("T", qPrintable(QStringLiteral("x%1").arg(i))), QString::number(i));
        EXPECT_EQ(get("T", qPrintable(QStringLiteral("y%1").arg(i))), QString::number(i));
    }
}

} // namespace
