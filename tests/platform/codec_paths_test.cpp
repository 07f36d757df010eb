#include "platform/interface_language.h"
#include "platform/paths.h"
#include "platform/text_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>
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

TEST(Paths, DataDirectoryRule)
{
    const QString home = QStringLiteral("/home/u/pv"), program = QStringLiteral("/opt/pv/bin"),
                  user = QStringLiteral("/home/u/.local/share/parcelvue");
    const struct
    {
        const char *name;
        QString home;
        bool writable;
        bool installed;
        bool holdsData;
        QString expected;
    } cases[] = {
        {"environment wins", home, true, true, true, home},
        {"build tree, writable", {}, true, false, false, program},
        {"build tree, read-only", {}, false, false, true, user},
        {"installed, writable (root in /usr/bin)", {}, true, true, false, user},
        {"installed portable copy", {}, true, true, true, program},
        {"installed, read-only, holds data", {}, false, true, true, user},
    };
    for (const auto &c : cases) {
        DataDirectoryFacts facts;
        facts.home = c.home;
        facts.programDir = program;
        facts.programDirWritable = c.writable;
        facts.installed = c.installed;
        facts.programDirHoldsData = c.holdsData;
        facts.userDir = user;
        EXPECT_EQ(chooseDataDirectory(facts), c.expected) << c.name;
    }
}

TEST(Paths, ShippedAssetsByLayout)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString r = QFileInfo(root.path()).canonicalFilePath();
    for (const char *dir : {"prefix/bin", "prefix/share/parcelvue", "build/src", "build-2/src", "copy/bin"})
        ASSERT_TRUE(QDir().mkpath(r + QLatin1Char('/') + QLatin1String(dir)));
    const QString source = QStringLiteral("/src/assets");
    const struct
    {
        const char *name;
        const char *programDir;
        const char *buildDir;
        QString expected;
    } cases[] = {
        {"installed", "prefix/bin", "build", r + QStringLiteral("/prefix/share/parcelvue")},
        {"installed inside a build tree", "prefix/bin", "prefix",
         r + QStringLiteral("/prefix/share/parcelvue")},
        {"build tree", "build/src", "build", source},
        {"a folder named like the build tree", "build-2/src", "build",
         r + QStringLiteral("/build-2/share/parcelvue")},
        {"a copy elsewhere", "copy/bin", "build", r + QStringLiteral("/copy/share/parcelvue")},
        {"build tree deleted", "copy/bin", "gone", r + QStringLiteral("/copy/share/parcelvue")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(shippedAssetDirFor(r + QLatin1Char('/') + QLatin1String(c.programDir),
                                     r + QLatin1Char('/') + QLatin1String(c.buildDir), source),
                  c.expected)
            << c.name;
    }
}

namespace {
QStringList assetMessages;
QtMessageHandler previousHandler = nullptr;
void collectAssetMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category) == "parcelvue.assets")
        assetMessages << message;
    else
        previousHandler(type, context, message);
}
} // namespace

TEST(Paths, MissingAssetIsReportedOnceByName)
{
    QTemporaryDir dataDir;
    assetMessages.clear();
    previousHandler = qInstallMessageHandler(collectAssetMessages);
    const QString missing = assetPath(dataDir.path(), QStringLiteral("deleted_picture.png"));
    assetPath(dataDir.path(), QStringLiteral("deleted_picture.png"));
    assetPath(dataDir.path(), QStringLiteral("ts.mp3"));
    qInstallMessageHandler(previousHandler);

    EXPECT_EQ(missing, joinPath(shippedAssetDir(), QStringLiteral("deleted_picture.png")));
    ASSERT_EQ(assetMessages.size(), 1) << assetMessages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(assetMessages[0].contains(missing)) << assetMessages[0].toStdString();
}

// The interface's language: the setting, else the first messages variable that is set; English
// only for an English locale, Chinese for the rest (C and POSIX too).
TEST(InterfaceLanguages, FromTheSettingElseTheMessagesLocale)
{
    const struct
    {
        const char *language, *all, *messages, *lang;
        const char *setting;
        InterfaceLanguage chosen;
    } cases[] = {
        {"", "", "", "", "", InterfaceLanguage::Chinese},
        {"", "", "", "C", "", InterfaceLanguage::Chinese},
        {"", "POSIX", "", "en_US.UTF-8", "", InterfaceLanguage::Chinese},
        {"", "", "", "C.UTF-8", "自动", InterfaceLanguage::Chinese},
        {"", "", "", "en_US.UTF-8", "", InterfaceLanguage::English},
        {"", "", "en_GB.UTF-8", "zh_CN.UTF-8", "", InterfaceLanguage::English},
        {"", "", "de_DE.UTF-8", "en_US.UTF-8", "", InterfaceLanguage::Chinese},
        {"en:zh_CN", "zh_CN.UTF-8", "", "", "", InterfaceLanguage::English},
        {"zh_CN:en", "", "", "en_US.UTF-8", "", InterfaceLanguage::Chinese},
        {"", "", "", "en@quot", "", InterfaceLanguage::English},
        {"", "", "", "english", "", InterfaceLanguage::Chinese},
        {"", "", "", "en_US.UTF-8", "中文", InterfaceLanguage::Chinese},
        {"", "", "", "zh_CN.UTF-8", "English", InterfaceLanguage::English},
        {"", "", "", "zh_CN.UTF-8", "Klingon", InterfaceLanguage::Chinese},
    };
    for (const auto &c : cases) {
        const auto variable = [&](const char *name) {
            const QByteArray n(name);
            return QString::fromLatin1(n == "LANGUAGE"          ? c.language
                                           : n == "LC_ALL"      ? c.all
                                           : n == "LC_MESSAGES" ? c.messages
                                                                : c.lang);
        };
        EXPECT_EQ(chosenLanguage(QString::fromUtf8(c.setting), languageOfEnvironment(variable)), c.chosen)
            << c.language << "|" << c.all << "|" << c.messages << "|" << c.lang << "|" << c.setting;
    }
    EXPECT_EQ(translationFileName(InterfaceLanguage::Chinese), QString());
    EXPECT_EQ(translationFileName(InterfaceLanguage::English), QStringLiteral("parcelvue_en.qm"));
}

// Qt's own buttons speak the interface's language: Chinese from Qt's translation (the install
// script installs it), English as Qt has them; a missing translation leaves them English.
TEST(InterfaceLanguages, QtsOwnTextsFollowTheInterface)
{
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(); };
    const auto removeTranslators = [] {
        qDeleteAll(
            QCoreApplication::instance()->findChildren<QTranslator *>(QString(), Qt::FindDirectChildrenOnly));
    };
    EXPECT_TRUE(installQtTranslation(InterfaceLanguage::English));
    EXPECT_EQ(cancel(), "Cancel");
    QTemporaryDir empty;
    EXPECT_FALSE(installQtTranslation(InterfaceLanguage::Chinese, empty.path()));
    EXPECT_EQ(cancel(), "Cancel");
    EXPECT_TRUE(installQtTranslation(InterfaceLanguage::Chinese)) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(cancel(), "取消");
    removeTranslators();
    EXPECT_EQ(cancel(), "Cancel");
}
