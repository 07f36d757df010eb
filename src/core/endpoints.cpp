#include "core/endpoints.h"

#include <QFile>
#include <QSettings>

namespace {
const QString kSandboxBase = QStringLiteral("http://127.0.0.1:%1").arg(Endpoints::kSandboxPort);

// An http(s) URL with a host; anything else keeps the default.
QString urlValue(const QSettings &ini, const char *key, const QString &fallback)
{
    const QString value = ini.value(QLatin1String(key)).toString().trimmed();
    if (value.startsWith(QLatin1String("http://")) || value.startsWith(QLatin1String("https://")))
        return value;
    return fallback;
}

QString textValue(const QSettings &ini, const char *key, const QString &fallback)
{
    const QVariant value = ini.value(QLatin1String(key));
    return value.isValid() ? value.toString() : fallback;
}

int intValue(const QSettings &ini, const char *key, int fallback, int low, int high)
{
    bool ok = false;
    const int value = ini.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}
} // namespace

Endpoints Endpoints::defaults()
{
    Endpoints e;
    e.useServer(kSandboxBase);
    e.trackingKey = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
    e.resourcesCaption = QStringLiteral("Lumetra资源下载站");
    e.contact = QStringLiteral("10000");
    e.smtpHost = QStringLiteral("127.0.0.1");
    e.smtpPort = 25;
    e.smtpSender = QStringLiteral("notice@parcelvue.localhost");
    e.smtpPassword = QString();
    return e;
}

void Endpoints::useServer(const QString &base)
{
    trackingUrl = base + QStringLiteral("/");
    siteUrl = base;
    home = base + QStringLiteral("/site/home.html");
    forum = base + QStringLiteral("/site/forum/");
    feedback = base + QStringLiteral("/site/feedback.html");
    studio = base + QStringLiteral("/site/studio.html");
    resources = base + QStringLiteral("/site/resources.html");
    mailImages = base;
    outletsUrl = base + QStringLiteral("/");
}

Endpoints Endpoints::load(const QString &iniPath)
{
    Endpoints e = defaults();
    if (!QFile::exists(iniPath))
        return e;
    QSettings ini(iniPath, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return e;

    // Which service, and its own address when none is given, is for the services to say
    // (loadServiceEndpoints); here the words are kept as they stand.
    e.trackingService = textValue(ini, "tracking/service", e.trackingService).trimmed().toLower();
    e.trackingUrlGiven = !urlValue(ini, "tracking/url", QString()).isEmpty();
    e.trackingUrl = urlValue(ini, "tracking/url", e.trackingUrl);
    e.kdniaoBusinessId = textValue(ini, "tracking/business_id", e.kdniaoBusinessId).trimmed();
    e.kdniaoAppKey = textValue(ini, "tracking/app_key", e.kdniaoAppKey).trimmed();
    e.track17Token = textValue(ini, "tracking/token", e.track17Token).trimmed();
    e.trackingKey = textValue(ini, "tracking/key", e.trackingKey);
    e.trackingTimeoutSeconds = intValue(ini, "tracking/timeout", e.trackingTimeoutSeconds, 1, 3600);
    e.siteUrl = urlValue(ini, "site/url", e.siteUrl);
    e.home = urlValue(ini, "site/home", e.home);
    e.forum = urlValue(ini, "site/forum", e.forum);
    e.feedback = urlValue(ini, "site/feedback", e.feedback);
    e.studio = urlValue(ini, "site/studio", e.studio);
    e.resources = urlValue(ini, "site/resources", e.resources);
    e.resourcesCaption = textValue(ini, "site/resources_caption", e.resourcesCaption);
    e.mailImages = urlValue(ini, "site/mail_images", e.mailImages);
    e.contact = textValue(ini, "site/contact", e.contact);
    e.outletsUrl = urlValue(ini, "outlets/url", e.outletsUrl);
    e.smtpHost = textValue(ini, "smtp/host", e.smtpHost).trimmed();
    e.smtpPort = intValue(ini, "smtp/port", e.smtpPort, 1, 65535);
    e.smtpSender = textValue(ini, "smtp/sender", e.smtpSender).trimmed();
    e.smtpPassword = textValue(ini, "smtp/password", e.smtpPassword);
    e.smtpSecurity = smtpSecurityFromText(textValue(ini, "smtp/security", QString()));
    e.smtpUsername = textValue(ini, "smtp/username", e.smtpUsername).trimmed();
    e.smtpCaFile = textValue(ini, "smtp/ca_file", e.smtpCaFile).trimmed();
    return e;
}

bool Endpoints::save(const QString &iniPath) const
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue("tracking/url", trackingUrl);
    ini.setValue("tracking/key", trackingKey);
    ini.setValue("tracking/timeout", trackingTimeoutSeconds);
    ini.setValue("tracking/service", trackingService);
    ini.setValue("tracking/business_id", kdniaoBusinessId);
    ini.setValue("tracking/app_key", kdniaoAppKey);
    ini.setValue("tracking/token", track17Token);
    ini.setValue("site/url", siteUrl);
    ini.setValue("site/home", home);
    ini.setValue("site/forum", forum);
    ini.setValue("site/feedback", feedback);
    ini.setValue("site/studio", studio);
    ini.setValue("site/resources", resources);
    ini.setValue("site/resources_caption", resourcesCaption);
    ini.setValue("site/mail_images", mailImages);
    ini.setValue("site/contact", contact);
    ini.setValue("outlets/url", outletsUrl);
    ini.setValue("smtp/host", smtpHost);
    ini.setValue("smtp/port", smtpPort);
    ini.setValue("smtp/sender", smtpSender);
    ini.setValue("smtp/password", smtpPassword);
    ini.setValue("smtp/security", smtpSecurityText(smtpSecurity));
    ini.setValue("smtp/username", smtpUsername);
    ini.setValue("smtp/ca_file", smtpCaFile);
    ini.sync();
    // It may hold a password.
    return ini.status() == QSettings::NoError
        && QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

SmtpAccount smtpAccount(const Endpoints &endpoints, const QString &password)
{
    SmtpAccount account;
    account.host = endpoints.smtpHost;
    account.port = endpoints.smtpPort;
    account.user = endpoints.smtpLogin();
    account.password = password;
    account.security = endpoints.smtpSecurity;
    account.caFile = endpoints.smtpCaFile;
    return account;
}
