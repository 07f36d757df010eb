#include "services/service_settings.h"

#include "core/carrier_catalogue.h"
#include "platform/ini_edit.h"
#include "services/carrier_tables.h"

#include <QCoreApplication>
#include <QUrl>

namespace {
bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// The key line of endpoints.ini that holds the service's secret.
QString keyName(TrackingService service)
{
    return service == TrackingService::Kdniao ? QStringLiteral("app_key") : QStringLiteral("token");
}
} // namespace

TrackingServiceSettings trackingServiceSettings(const Endpoints &e)
{
    TrackingServiceSettings s;
    s.service = trackingServiceFromKey(e.trackingService);
    s.url = e.trackingUrl;
    s.businessId = e.kdniaoBusinessId;
    if (s.service == TrackingService::Kdniao)
        s.secret = e.kdniaoAppKey;
    else if (s.service == TrackingService::Track17)
        s.secret = e.track17Token;
    return s;
}

QString trackingServiceSettingsProblem(const TrackingServiceSettings &s)
{
    const QUrl url(s.url.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return QCoreApplication::translate("TrackingServiceSettings",
                                           "请填写正确的服务地址(以http://或https://开头)");
    if (s.service == TrackingService::Kdniao && s.businessId.trimmed().isEmpty())
        return QCoreApplication::translate("TrackingServiceSettings", "请填写快递鸟的用户ID");
    for (const QString &text : {s.url, s.businessId, s.secret}) {
        if (hasLineBreak(text))
            return QCoreApplication::translate("TrackingServiceSettings", "设置中不能含有换行");
    }
    return {};
}

void applyTrackingServiceSettings(Endpoints &e, const TrackingServiceSettings &s, bool keyInFile)
{
    e.trackingService = trackingServiceKey(s.service);
    e.trackingUrl = s.url.trimmed();
    if (s.service == TrackingService::Kdniao) {
        e.kdniaoBusinessId = s.businessId.trimmed();
        e.kdniaoAppKey = keyInFile ? s.secret.trimmed() : QString();
    } else if (s.service == TrackingService::Track17) {
        e.track17Token = keyInFile ? s.secret.trimmed() : QString();
    }
}

bool saveTrackingServiceSettings(const QString &iniPath, const TrackingServiceSettings &s, SecretInFile key,
                                 QString *error)
{
    QList<std::pair<QString, QString>> values {
        {QStringLiteral("service"), trackingServiceKey(s.service)},
        {QStringLiteral("url"), s.url.trimmed()},
    };
    if (s.service == TrackingService::Kdniao)
        values.append({QStringLiteral("business_id"), s.businessId.trimmed()});
    QStringList removed;
    if (s.service != TrackingService::Designed) {
        if (key == SecretInFile::Write)
            values.append({keyName(s.service), s.secret.trimmed()});
        else if (key == SecretInFile::Remove)
            removed.append(keyName(s.service));
    }
    return editIniFile(iniPath, QStringLiteral("tracking"), values, removed, error);
}

bool isPhoneDigits(const QString &text)
{
    if (text.isEmpty())
        return true;
    if (text.size() != 4)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString trackingServiceNote(TrackingService service)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QCoreApplication::translate(
                   "TrackingServiceSettings",
                   "在kdniao.com注册并实名认证后，在用户中心的“API管理”中可以看到用户ID和API Key；"
                   "即时查询每天可查询500次。可查询%1家中的%2家快递公司；顺丰等快递公司需要手机号后四位，"
                   "请在“全部快递”中为单号填写。")
            .arg(kCarrierCount)
            .arg(kdniaoCoverage());
    case TrackingService::Track17:
        return QCoreApplication::translate(
                   "TrackingServiceSettings",
                   "在api.17track.net注册后，在“设置 - 安全”中可以看到API密钥；每注册一个新单号用去一个额度，"
                   "再次查询同一单号不再用去，“测试”后显示剩余额度。%1家快递公司中的%2家按其17TRACK代码查询，"
                   "其余的由17TRACK按单号识别快递公司。")
            .arg(kCarrierCount)
            .arg(track17Coverage());
    case TrackingService::Designed:
        break;
    }
    return QCoreApplication::translate("TrackingServiceSettings",
                                       "Parcelvue原有的查询接口(endpoints.ini中[tracking]的url和key)。");
}
