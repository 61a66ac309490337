#include "platform/textcodec.h"

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

} // namespace
