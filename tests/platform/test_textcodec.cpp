#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(TextCodec, Cp932BytesOfJapaneseText)
{
    EXPECT_EQ(toCp932(QStringLiteral("操作")), QByteArray("\x91\x80\x8D\xEC"));
    EXPECT_EQ(toCp932(QStringLiteral("ｴﾗｰ番号")), QByteArray("\xB4\xD7\xB0\x94\xD4\x8D\x86"));
    // The characters where CP932 differs from plain Shift-JIS.
    EXPECT_EQ(toCp932(QStringLiteral("～－①")), QByteArray("\x81\x60\x81\x7C\x87\x40"));
    EXPECT_EQ(toCp932(QStringLiteral("特日１")), QByteArray("\x93\xC1\x93\xFA\x82\x50"));
    // What CP932 cannot hold becomes one '?' per character, the rest stays.
    EXPECT_EQ(toCp932(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(toCp932(QString()), QByteArray());
}

TEST(TextCodec, ReadsCp932AndUtf8)
{
    EXPECT_EQ(fromCp932("\x91\x80\x8D\xEC"), QStringLiteral("操作"));
    EXPECT_EQ(fromCp932("\x81\x60\x87\x40"), QStringLiteral("～①"));
    // A broken byte becomes U+FFFD and the text goes on.
    EXPECT_EQ(fromCp932("a\xFF" "b"), QStringLiteral("a\uFFFDb"));

    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xE6\x93\x8D\xE4\xBD\x9C"), QStringLiteral("操作"));
    EXPECT_EQ(decodeText("\xE6\x93\x8D\xE4\xBD\x9C"), QStringLiteral("操作"));
    EXPECT_EQ(decodeText("\x91\x80\x8D\xEC"), QStringLiteral("操作"));
    EXPECT_EQ(decodeText("plain ascii"), QStringLiteral("plain ascii"));
    EXPECT_TRUE(isValidUtf8("\xE6\x93\x8D"));
    EXPECT_FALSE(isValidUtf8("\x91\x80"));
    // A long text survives the converter's buffer boundaries.
    const QString longText = QString(5000, QChar(0x64CD));
    EXPECT_EQ(fromCp932(toCp932(longText)), longText);
}

// A special-day file written in UTF-8 with one damaged byte: the other
// lines keep their text; only a file that does not read as UTF-8 is CP932.
TEST(TextCodec, AUtf8TextWithAFewBrokenBytesStaysUtf8)
{
    const QByteArray damaged = "2026/12/10,\"\xE7\x89\xB9\xE6\x97\xA5\xEF\xBC\x92\",\r\n" // 特日２
                               "2026/12/11,\"\xE7\x89\xB9\xFF\",\r\n"                   // broken
                               "2026/12/12,\"\xE7\x89\xB9\xE6\x97\xA5\xEF\xBC\x93\",\r\n"; // 特日３
    const DecodedText d = decodeTextLines(damaged);
    EXPECT_TRUE(d.utf8);
    EXPECT_EQ(d.brokenLines, QList<int>{2});
    EXPECT_TRUE(d.text.contains(QStringLiteral("\"特日２\"")));
    EXPECT_TRUE(d.text.contains(QStringLiteral("\"特日３\"")));
    EXPECT_EQ(decodeText(damaged), d.text);

    // The same memos in CP932 (and CP932 with one stray UTF-8-looking line) stay CP932.
    const QByteArray cp932 = toCp932(QStringLiteral("2026/12/10,\"特日２\",\r\n2026/12/12,\"特日３\",\r\n"));
    EXPECT_FALSE(decodeTextLines(cp932).utf8);
    EXPECT_EQ(decodeText(cp932), QStringLiteral("2026/12/10,\"特日２\",\r\n2026/12/12,\"特日３\",\r\n"));
    const QByteArray mixed = cp932 + cp932 + "note,\"\xE7\x89\xB9\"\r\n";
    EXPECT_FALSE(decodeTextLines(mixed).utf8);
    const QString japanese = QStringLiteral("日曜日,月曜日,火曜日,水曜日,木曜日,金曜日,土曜日,特日１,特日２,特日３,特日４\r\n"
                                            "スケジュール管理実行に失敗しました。ｴﾗｰ番号 でｴﾗｰが発生しました。\r\n"
                                            "[LOG]\r\nDIR=D:\\運転記録\\操作ログ\r\n");
    EXPECT_EQ(decodeText(toCp932(japanese)), japanese);
}

// A named pipe in place of a file is refused at once (a plain open() would
// wait for a writer forever) and reported once while it is there.
TEST(TextFile, OnlyRegularFilesAreReadAndProblemsAreReportedOnce)
{
    QTemporaryDir dir;
    QStringList reports;
    setFileProblemHandler([&](const QString &message, const QString &path) { reports << path + QLatin1Char(':') + message; });
    const QString pipe = dir.filePath(QStringLiteral("Sch.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QElapsedTimer elapsed;
    elapsed.start();
    QString text;
    EXPECT_EQ(readTextFile(pipe, &text), ReadStatus::NotRegular);
    EXPECT_EQ(readTextFile(pipe, &text), ReadStatus::NotRegular);
    EXPECT_LT(elapsed.elapsed(), 2000);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.first().startsWith(pipe)) << reports.first().toStdString();
    QByteArray bytes;
    EXPECT_EQ(readFileBytes(dir.path(), &bytes), ReadStatus::NotRegular); // a folder
    EXPECT_EQ(readTextFile(dir.filePath(QStringLiteral("none.csv")), &text), ReadStatus::Missing);

    // Reported again only after the path was read without the problem.
    QFile::remove(pipe);
    QFile f(pipe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[LOG]\r\nFLG=1\r\n");
    f.close();
    EXPECT_EQ(readTextFile(pipe, &text), ReadStatus::Read);
    EXPECT_EQ(text, QStringLiteral("[LOG]\r\nFLG=1\r\n"));
    QFile::remove(pipe);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(readTextFile(pipe, &text), ReadStatus::NotRegular);
    EXPECT_EQ(reports.size(), 3);
    setFileProblemHandler({});
}

} // namespace
