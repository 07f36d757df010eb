#include "platform/paths.h"
#include "platform/text_codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TextCodec, GbkBytesReadAndWriteTheSame)
{
    // "快递" in GBK, written by hand so the test does not trust our own encoder
    const QByteArray gbk("\xbf\xec\xb5\xdd");
    EXPECT_EQ(decodeGb(gbk), QStringLiteral("快递"));
    EXPECT_EQ(encodeGb(QStringLiteral("快递")), gbk);
    // A character GBK lacks survives a round trip through GB18030.
    const QString emoji = QStringLiteral("包裹\U0001F4E6");
    EXPECT_EQ(decodeGb(encodeGb(emoji)), emoji);
}

TEST(TextCodec, CharsetRules)
{
    const QByteArray utf8 = QStringLiteral("签收").toUtf8();
    const QByteArray gbk = encodeGb(QStringLiteral("签收"));
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QByteArray charset;
    } cases[] = {
        {"declared utf-8", utf8, "utf-8"},
        {"declared gbk", gbk, "gbk"},
        {"declared gb2312", gbk, "gb2312"},
        {"undeclared utf-8", utf8, ""},
        {"undeclared gbk", gbk, ""},
        {"unknown charset, utf-8", utf8, "x-nonsense"},
        {"unknown charset, gbk", gbk, "x-nonsense"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(decodeWithCharset(c.bytes, c.charset), QStringLiteral("签收")) << c.name;
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_FALSE(isValidUtf8(gbk));
}

TEST(TextCodec, CharsetOfContentType)
{
    EXPECT_EQ(charsetOfContentType("text/html; charset=GBK"), QByteArray("gbk"));
    EXPECT_EQ(charsetOfContentType("text/html;charset=\"utf-8\""), QByteArray("utf-8"));
    EXPECT_EQ(charsetOfContentType("text/plain"), QByteArray());
    EXPECT_EQ(charsetOfContentType(""), QByteArray());
}

TEST(Paths, JoinAddsOneSeparator)
{
    EXPECT_EQ(joinPath(QStringLiteral("/a"), QStringLiteral("b")), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(QStringLiteral("/a/"), QStringLiteral("b")), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(QStringLiteral("C:\\"), QStringLiteral("b")), QStringLiteral("C:\\b"));
}

TEST(Paths, DataDirectoryHonoursTheEnvironment)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("new/home"));
    qputenv("PARCELVUE_HOME", home.toLocal8Bit());
    EXPECT_EQ(dataDirectory(), QDir(home).absolutePath());
    EXPECT_TRUE(QDir(home).exists());
    qunsetenv("PARCELVUE_HOME");
    EXPECT_FALSE(dataDirectory().isEmpty());
}

TEST(Paths, AssetsPreferTheDataDirectory)
{
    QTemporaryDir dir;
    EXPECT_EQ(assetPath(dir.path(), QStringLiteral("ts.mp3")),
              joinPath(shippedAssetDir(), QStringLiteral("ts.mp3")));
    QFile own(dir.filePath(QStringLiteral("ts.mp3")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(assetPath(dir.path(), QStringLiteral("ts.mp3")), dir.filePath(QStringLiteral("ts.mp3")));
}
