#include "services/tracking_service.h"
#include "core/endpoints.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString writeIni(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("endpoints.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}
} // namespace

TEST(Endpoints, DefaultsPointAtTheLocalSandbox)
{
    const Endpoints e = Endpoints::defaults();
    for (const QString &url : {e.trackingUrl, e.siteUrl, e.home, e.forum, e.feedback, e.studio, e.resources,
                               e.mailImages, e.outletsUrl})
        EXPECT_TRUE(url.startsWith(QStringLiteral("http://127.0.0.1:18730"))) << url.toStdString();
    EXPECT_TRUE(e.trackingUrl.endsWith(QLatin1Char('/')));
    EXPECT_EQ(e.trackingKey.size(), 32);
    EXPECT_EQ(e.trackingTimeoutSeconds, 60);
    EXPECT_EQ(e.smtpPort, 25);
}

TEST(Endpoints, MissingFileGivesDefaults)
{
    QTemporaryDir dir;
    const Endpoints e = loadServiceEndpoints(dir.filePath(QStringLiteral("endpoints.ini")));
    EXPECT_EQ(e.trackingUrl, Endpoints::defaults().trackingUrl);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("endpoints.ini"))));
}

TEST(Endpoints, ReadsEveryKeyAndKeepsDefaultsForBadValues)
{
    QTemporaryDir dir;
    const QString path = writeIni(dir,
                                  "[tracking]\n"
                                  "url=http://127.0.0.1:1234/\n"
                                  "key=ABCDEF0123456789ABCDEF0123456789\n"
                                  "timeout=seven\n"
                                  "[site]\n"
                                  "url=ftp://nowhere\n"
                                  "forum=http://127.0.0.1:1234/bbs/\n"
                                  "resources_caption=\xe8\xb5\x84\xe6\xba\x90\xe7\xab\x99\n"
                                  "contact=12345\n"
                                  "[smtp]\n"
                                  "host=mail.localhost\n"
                                  "port=99999\n"
                                  "sender=a@b.cn\n"
                                  "password=secret1\n");
    const Endpoints e = loadServiceEndpoints(path);
    const Endpoints d = Endpoints::defaults();
    EXPECT_EQ(e.trackingUrl, QStringLiteral("http://127.0.0.1:1234/"));
    EXPECT_EQ(e.trackingKey, QStringLiteral("ABCDEF0123456789ABCDEF0123456789"));
    EXPECT_EQ(e.trackingTimeoutSeconds, d.trackingTimeoutSeconds);
    EXPECT_EQ(e.siteUrl, d.siteUrl);
    EXPECT_EQ(e.forum, QStringLiteral("http://127.0.0.1:1234/bbs/"));
    EXPECT_EQ(e.resourcesCaption, QStringLiteral("资源站"));
    EXPECT_EQ(e.contact, QStringLiteral("12345"));
    EXPECT_EQ(e.smtpHost, QStringLiteral("mail.localhost"));
    EXPECT_EQ(e.smtpPort, d.smtpPort);
    EXPECT_EQ(e.smtpSender, QStringLiteral("a@b.cn"));
    EXPECT_EQ(e.smtpPassword, QStringLiteral("secret1"));
    EXPECT_EQ(e.home, d.home);
}

TEST(Endpoints, GarbageFileNeverStopsTheProgram)
{
    QTemporaryDir dir;
    const QByteArray before("\xff\xfe\x00garbage[[[=\n==\n[tracking\nurl", 30);
    const QString path = writeIni(dir, before);
    const Endpoints e = loadServiceEndpoints(path);
    EXPECT_TRUE(e.trackingUrl.startsWith(QStringLiteral("http://")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before); // nothing is written back
}

TEST(Endpoints, SaveThenLoadRoundTrips)
{
    QTemporaryDir dir;
    Endpoints e = Endpoints::defaults();
    e.trackingUrl = QStringLiteral("http://127.0.0.1:4000/");
    e.smtpPort = 2525;
    e.resourcesCaption = QStringLiteral("下载站");
    e.smtpSecurity = SmtpSecurity::None;
    e.smtpUsername = QStringLiteral("login@b.cn");
    e.smtpCaFile = QStringLiteral("/etc/own-ca.pem");
    const QString path = dir.filePath(QStringLiteral("endpoints.ini"));
    ASSERT_TRUE(e.save(path));
    const Endpoints back = loadServiceEndpoints(path);
    EXPECT_EQ(back.trackingUrl, e.trackingUrl);
    EXPECT_EQ(back.smtpPort, 2525);
    EXPECT_EQ(back.resourcesCaption, e.resourcesCaption);
    EXPECT_EQ(back.smtpSecurity, SmtpSecurity::None);
    EXPECT_EQ(back.smtpLogin(), QStringLiteral("login@b.cn"));
    EXPECT_EQ(back.smtpCaFile, e.smtpCaFile);
    EXPECT_EQ(QFile::permissions(path) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions())
        << "it may hold a password";
}

TEST(Endpoints, MailSecurityIsChosenOrFollowsThePort)
{
    const struct
    {
        const char *value; // nullptr: no key
        int port;
        SmtpSecurity effective;
    } cases[] = {
        {nullptr, 465, SmtpSecurity::Tls},         {nullptr, 587, SmtpSecurity::StartTls},
        {nullptr, 25, SmtpSecurity::StartTls},     {"tls", 587, SmtpSecurity::Tls},
        {"STARTTLS", 465, SmtpSecurity::StartTls}, {" none ", 465, SmtpSecurity::None},
        {"ssl", 25, SmtpSecurity::StartTls},       {"", 465, SmtpSecurity::Tls},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        QByteArray ini = "[smtp]\nport=" + QByteArray::number(c.port) + "\nsender=a@b.cn\n";
        if (c.value)
            ini += QByteArray("security=") + c.value + "\n";
        const Endpoints e = loadServiceEndpoints(writeIni(dir, ini));
        EXPECT_EQ(effectiveSmtpSecurity(e.smtpSecurity, e.smtpPort), c.effective)
            << (c.value ? c.value : "-") << c.port;
        EXPECT_EQ(e.smtpLogin(), QStringLiteral("a@b.cn")) << "no username: the sender logs in";
    }
}

TEST(Endpoints, EachTrackingServiceHasItsOwnAddressUnlessOneIsGiven)
{
    const struct
    {
        const char *ini;
        const char *service, *url;
    } cases[] = {
        {"[tracking]\n", "designed", "http://127.0.0.1:18730/"},
        {"[tracking]\nservice=kdniao\nbusiness_id=1688001\napp_key=k1\n", "kdniao",
         "https://api.kdniao.com/"},
        {"[tracking]\nservice=17TRACK\ntoken=t1\n", "17track", "https://api.17track.net/"},
        {"[tracking]\nservice=kdniao\nurl=http://127.0.0.1:5/\n", "kdniao", "http://127.0.0.1:5/"},
        {"[tracking]\nservice=kuaidi100\n", "designed", "http://127.0.0.1:18730/"},
        // The demo's file: the other services' lines commented out.
        {"[tracking]\n;service=kdniao\n;service=17track\n", "designed", "http://127.0.0.1:18730/"},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const Endpoints e = loadServiceEndpoints(writeIni(dir, c.ini));
        EXPECT_EQ(e.trackingService, QLatin1String(c.service)) << c.ini;
        EXPECT_EQ(e.trackingUrl, QLatin1String(c.url)) << c.ini;
    }
    QTemporaryDir dir;
    const Endpoints e = loadServiceEndpoints(
        writeIni(dir, "[tracking]\nservice=kdniao\nbusiness_id= 1688001 \napp_key=k1\ntoken=t1\n"));
    EXPECT_EQ(e.kdniaoBusinessId, QStringLiteral("1688001"));
    EXPECT_EQ(e.kdniaoAppKey, QStringLiteral("k1"));
    EXPECT_EQ(e.track17Token, QStringLiteral("t1"));
}
