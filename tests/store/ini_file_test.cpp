#include "file_fixtures.h"
#include "platform/text_codec.h"
#include "store/ini_file.h"
#include "store/notice_address.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kSection = QStringLiteral("信息设置");
const QString kAddress = QStringLiteral("通知邮箱");
const QString kVoice = QStringLiteral("语音提示");

QByteArray gb(const char *utf8)
{
    return encodeGb(QString::fromUtf8(utf8));
}
} // namespace

TEST(IniFile, ReadsLikeAPrivateProfile)
{
    struct Case
    {
        const char *file;
        const char *section;
        const char *key;
        const char *expected;
    };
    const Case cases[] = {
        {"[信息设置]\r\n通知邮箱=a@b.com\r\n", "信息设置", "通知邮箱", "a@b.com"},
        {"[信息设置]\r\n通知邮箱 =   a@b.com  \r\n", "信息设置", "通知邮箱", "a@b.com"},
        {"[Mail]\r\nADDRESS=x@y.cn\r\n", "mail", "address", "x@y.cn"},
        {"  [ Mail ]  \r\n  address=x@y.cn\r\n", "MAIL", "Address", "x@y.cn"},
        {"[信息设置]\r\n通知邮箱=\r\n", "信息设置", "通知邮箱", ""},
        {"[信息设置]\r\n通知邮箱=a=b\r\n", "信息设置", "通知邮箱", "a=b"},
        {"[信息设置]\n语音提示=是\n", "信息设置", "语音提示", "是"},
        {"[信息设置]\r\n语音提示=是", "信息设置", "语音提示", "是"},
        {"[信息设置]\r\n;通知邮箱=a@b.com\r\n", "信息设置", "通知邮箱", "(default)"},
        {"[其他]\r\n通知邮箱=a@b.com\r\n[信息设置]\r\n", "信息设置", "通知邮箱", "(default)"},
        {"[信息设置]\r\n[其他]\r\n通知邮箱=a@b.com\r\n", "信息设置", "通知邮箱", "(default)"},
        {"通知邮箱=a@b.com\r\n", "信息设置", "通知邮箱", "(default)"},
        {"", "信息设置", "通知邮箱", "(default)"},
        {"[信息设置]\r\n通知邮箱=first@b.com\r\n通知邮箱=second@b.com\r\n", "信息设置", "通知邮箱",
         "first@b.com"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(profileValue(gb(c.file), QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                               QStringLiteral("(default)")),
                  QString::fromUtf8(c.expected))
            << c.file;
    }
}

TEST(IniFile, ValuesAreCutTo254BytesOnACharacterBoundary)
{
    struct Case
    {
        QString value;
        QString expected;
    };
    const QString ascii254(254, QLatin1Char('a'));
    const QString chinese127 = QString(127, QChar(0x4E2D)); // 中, two bytes each
    const Case cases[] = {
        {ascii254, ascii254},
        {ascii254 + QStringLiteral("b"), ascii254},
        {chinese127 + QStringLiteral("x"), chinese127},
        // 253 bytes then a two-byte character: it would straddle the cut and is dropped whole.
        {QString(253, QLatin1Char('a')) + QStringLiteral("中"), QString(253, QLatin1Char('a'))},
        // A four-byte GB18030 character at the cut.
        {QString(252, QLatin1Char('a')) + QStringLiteral("🎁"), QString(252, QLatin1Char('a'))},
        {QString(250, QLatin1Char('a')) + QStringLiteral("🎁"),
         QString(250, QLatin1Char('a')) + QStringLiteral("🎁")},
    };
    for (const Case &c : cases) {
        const QByteArray file = "[s]\r\nk=" + encodeGb(c.value) + "\r\n";
        EXPECT_EQ(profileValue(file, QStringLiteral("s"), QStringLiteral("k"), {}), c.expected)
            << c.value.size();
        EXPECT_EQ(profileValue({}, QStringLiteral("s"), QStringLiteral("k"), c.value), c.expected);
    }
}

TEST(IniFile, WritesKeepEveryOtherLine)
{
    struct Case
    {
        const char *before;
        const char *key;
        const char *value;
        const char *after;
    };
    const Case cases[] = {
        {"", "语音提示", "是", "[信息设置]\r\n语音提示=是\r\n"},
        {"[信息设置]\r\n语音提示=否\r\n", "语音提示", "是", "[信息设置]\r\n语音提示=是\r\n"},
        {"[信息设置]\r\n  语音提示 = 否 \r\n", "语音提示", "是", "[信息设置]\r\n语音提示=是\r\n"},
        {"[信息设置]\r\n通知邮箱=a@b.com\r\n\r\n[其他]\r\nx=1\r\n", "语音提示", "是",
         "[信息设置]\r\n通知邮箱=a@b.com\r\n语音提示=是\r\n\r\n[其他]\r\nx=1\r\n"},
        {"; 注释\r\n[其他]\r\n语音提示=否\r\n", "语音提示", "是",
         "; 注释\r\n[其他]\r\n语音提示=否\r\n[信息设置]\r\n语音提示=是\r\n"},
        {"[其他]\nx=1", "语音提示", "否", "[其他]\r\nx=1\r\n[信息设置]\r\n语音提示=否\r\n"},
        {"[信息设置]\r\n", "通知邮箱", "", "[信息设置]\r\n通知邮箱=\r\n"},
        // A line break in a value must not start a key or a section of its own.
        {"[信息设置]\r\n语音提示=否\r\n", "通知邮箱", "a@b.com\r\n语音提示=是",
         "[信息设置]\r\n语音提示=否\r\n通知邮箱=a@b.com  语音提示=是\r\n"},
        {"", "通知邮箱", "x\n[其他]\rk=v", "[信息设置]\r\n通知邮箱=x [其他] k=v\r\n"},
        {"", "通知\n邮箱", "x", "[信息设置]\r\n通知 邮箱=x\r\n"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            withProfileValue(gb(c.before), kSection, QString::fromUtf8(c.key), QString::fromUtf8(c.value)),
            gb(c.after))
            << c.before;
    }
}

TEST(IniFile, AHandWrittenFileKeepsItsSectionsAndComments)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parcelvue.ini"));
    const QByteArray byHand = fixture("settings_by_hand.ini");
    writeBytes(path, byHand);
    EXPECT_EQ(readProfileString(path, kSection, kAddress, {}), QStringLiteral("dad@example.com"));
    EXPECT_EQ(readProfileString(path, QStringLiteral("其他"), kAddress, {}),
              QStringLiteral("other@example.com"));

    ASSERT_TRUE(writeProfileString(path, kSection, kVoice, QStringLiteral("是")));
    ASSERT_TRUE(writeProfileString(path, kSection, kAddress, QStringLiteral("mum@example.cn")));
    const QByteArray expected
        = gb("; 手写的设置\r\n[其他]\r\n通知邮箱=other@example.com\r\n\r\n[ 信息设置 ]\r\n"
             "通知邮箱=mum@example.cn\r\n; 备注\r\n语音提示=是\r\n\r\n[窗口]\r\nleft=10\r\n");
    EXPECT_EQ(readBytes(path), expected);
}

TEST(IniFile, MissingFileReadsTheDefaultAndAFailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parcelvue.ini"));
    EXPECT_EQ(readProfileString(path, kSection, kVoice, QStringLiteral("默认")), QStringLiteral("默认"));
    EXPECT_FALSE(QFile::exists(path));

    const QByteArray old = fixture("voice_no.ini");
    writeBytes(path, old);
    {
        FileSizeLimit limit(static_cast<rlim_t>(old.size()));
        EXPECT_FALSE(writeProfileString(path, kSection, kAddress, QStringLiteral("someone@example.com")));
    }
    EXPECT_EQ(readBytes(path), old);
}

TEST(NoticeAddress, ContainmentTestsAsWritten)
{
    struct Case
    {
        const char *address;
        NoticeAddressCheck expected;
    };
    const Case cases[] = {
        {"", NoticeAddressCheck::Empty},
        {"dad.example.com", NoticeAddressCheck::NoAt},
        {"dad@example.com", NoticeAddressCheck::Accepted},
        {"DAD@EXAMPLE.COM", NoticeAddressCheck::NoKnownEnding},
        {"dad@example.Com", NoticeAddressCheck::NoKnownEnding},
        {"dad@example.de", NoticeAddressCheck::NoKnownEnding},
        {"a@me", NoticeAddressCheck::Accepted},
        {"me@x", NoticeAddressCheck::Accepted},
        {"@cn", NoticeAddressCheck::Accepted},
        {"info@example", NoticeAddressCheck::Accepted},
        {"x@hk.xyz", NoticeAddressCheck::Accepted},
        {"x@y.org", NoticeAddressCheck::Accepted},
        {"x@y.net", NoticeAddressCheck::Accepted},
        {" ", NoticeAddressCheck::NoAt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkNoticeAddress(QString::fromUtf8(c.address)), c.expected) << c.address;
}
