#include "core/endpoints.h"
#include "platform/ini_edit.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(IniEdit, EveryValueReadsBackThroughQSettingsAsWritten)
{
    const QString values[] = {
        QStringLiteral("plain.host-1"),  QStringLiteral(""),
        QStringLiteral("  padded  "),    QStringLiteral("semi;colon"),
        QStringLiteral("a,b,c"),         QStringLiteral("quote\"and\\backslash"),
        QStringLiteral("key=value"),     QStringLiteral("#hash"),
        QStringLiteral("@Variant(abc)"), QStringLiteral("@"),
        QStringLiteral("授权码 中文"),   QStringLiteral("tab\there"),
        QStringLiteral("[section]"),
    };
    QTemporaryDir dir;
    int round = 0;
    for (const QString &value : values) {
        // A file of its own each time: QSettings keeps what it read of a path and may not notice a
        // rewrite within the same moment.
        const QString path = dir.filePath(QStringLiteral("endpoints-%1.ini").arg(++round));
        QString error;
        ASSERT_TRUE(writePrivateFile(
            path,
            withIniSection("[smtp]\nhost=x\n", QStringLiteral("smtp"), {{QStringLiteral("password"), value}}),
            &error))
            << error.toStdString();
        QSettings ini(path, QSettings::IniFormat);
        EXPECT_EQ(ini.value(QStringLiteral("smtp/password")).toString(), value)
            << readAll(path).toStdString();
        EXPECT_EQ(ini.value(QStringLiteral("smtp/host")).toString(), QStringLiteral("x"));
    }
}

TEST(IniEdit, OnlyTheNamedKeysOfTheSectionChange)
{
    const struct
    {
        const char *name;
        const char *before;
        const char *after;
    } cases[] = {
        {"replaced in place, added after the last entry, removed, comments and blank lines kept",
         "; my services\n[tracking]\nurl=http://127.0.0.1:1/\n\n[smtp]\n; the office server\nhost=old ; old\n"
         "password=secret\nport=25\n\n[site]\nhost=keep\n",
         "; my services\n[tracking]\nurl=http://127.0.0.1:1/\n\n[smtp]\n; the office server\nhost=new\n"
         "port=465\nsecurity=tls\n\n[site]\nhost=keep\n"},
        {"a missing section is appended", "[tracking]\nkey=1\n",
         "[tracking]\nkey=1\n\n[smtp]\nhost=new\nport=465\nsecurity=tls\n"},
        {"an empty file", "", "[smtp]\nhost=new\nport=465\nsecurity=tls\n"},
        {"CR LF line ends stay", "[smtp]\r\nhost=old\r\n[site]\r\nurl=x\r\n",
         "[smtp]\r\nhost=new\r\nport=465\r\nsecurity=tls\r\n[site]\r\nurl=x\r\n"},
        {"another section's keys of the same name stay", "[site]\nport=1\nsecurity=x\n[smtp]\n",
         "[site]\nport=1\nsecurity=x\n[smtp]\nhost=new\nport=465\nsecurity=tls\n"},
    };
    for (const auto &c : cases) {
        const QByteArray after = withIniSection(c.before, QStringLiteral("smtp"),
                                                {{QStringLiteral("host"), QStringLiteral("new")},
                                                 {QStringLiteral("port"), QStringLiteral("465")},
                                                 {QStringLiteral("security"), QStringLiteral("tls")}},
                                                {QStringLiteral("password")});
        EXPECT_EQ(after.toStdString(), std::string(c.after)) << c.name;
    }
}

TEST(IniEdit, TheFileIsTheOwnersOnlyAndAFailedWriteLeavesTheOldOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("endpoints.ini"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[smtp]\nhost=old\n");
    old.close();
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    QString error;
    ASSERT_TRUE(writePrivateFile(path, "[smtp]\npassword=x\n", &error)) << error.toStdString();
    EXPECT_EQ(QFile::permissions(path),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                  | QFileDevice::WriteUser);
    EXPECT_EQ(readAll(path), QByteArray("[smtp]\npassword=x\n"));

    EXPECT_FALSE(writePrivateFile(dir.filePath(QStringLiteral("missing/endpoints.ini")), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}
