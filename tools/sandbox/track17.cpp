// The stand-in for 17TRACK's tracking API v2.2: POST /track/v2.2/register and
// /track/v2.2/gettrackinfo, JSON arrays in, {"code", "data": {"accepted", "rejected"}} out;
// /track/v2.2/getquota; errors of a whole request as {"code", "data": {"errors": [...]}}.
#include "sandbox_parcels.h"

#include "core/carrier_catalogue.h"
#include "core/carrier_guess.h"
#include "services/carrier_tables.h"

#include <httplib.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

namespace {
QJsonObject rejected(const QString &number, int code, const char *message)
{
    QJsonObject error;
    error.insert(QStringLiteral("code"), code);
    error.insert(QStringLiteral("message"), QString::fromUtf8(message));
    QJsonObject item;
    item.insert(QStringLiteral("number"), number);
    item.insert(QStringLiteral("error"), error);
    return item;
}

std::string answerOf(int code, const QJsonObject &data)
{
    QJsonObject answer;
    answer.insert(QStringLiteral("code"), code);
    answer.insert(QStringLiteral("data"), data);
    return QJsonDocument(answer).toJson(QJsonDocument::Compact).toStdString();
}

std::string envelope(const QJsonArray &accepted, const QJsonArray &rejectedItems)
{
    QJsonObject data;
    data.insert(QStringLiteral("accepted"), accepted);
    data.insert(QStringLiteral("rejected"), rejectedItems);
    return answerOf(0, data);
}

// An error of the whole request, as the documents show it.
std::string requestError(int code, const char *message)
{
    QJsonObject error;
    error.insert(QStringLiteral("code"), code);
    error.insert(QStringLiteral("message"), QString::fromUtf8(message));
    QJsonObject data;
    data.insert(QStringLiteral("errors"), QJsonArray {error});
    return answerOf(code, data);
}

// The key the stand-in knows a catalogue carrier by: the program's, else one of its own
// (900000 and the catalogue position), for 17TRACK knows carriers the program has no key for.
constexpr int kOwnKeys = 900000;

int keyOf(const std::string &com)
{
    if (const int key = track17CarrierKey(QString::fromStdString(com)); key != 0)
        return key;
    for (int i = 0; i < kCarrierCount; ++i) {
        if (carrierCode(i).toStdString() == com)
            return kOwnKeys + i;
    }
    return 0;
}

std::string comOf(int key)
{
    if (key >= kOwnKeys && key < kOwnKeys + kCarrierCount)
        return carrierCode(key - kOwnKeys).toStdString();
    return comForTrack17CarrierKey(key).toStdString();
}

// 17TRACK's detection, here: the carrier the number's form names first (the program's own guess
// from the number); 0 when the form names none.
int detectedKey(const std::string &number)
{
    const std::vector<CarrierGuess> guesses = guessCarriers(QString::fromStdString(number));
    return guesses.empty() ? 0 : keyOf(carrierCode(guesses.front().position).toStdString());
}

bool validNumber(const std::string &number)
{
    return number.size() >= 5 && number.size() <= 50 && sandboxNumberKind(number) != SandboxNumber::BadFormat;
}

QJsonObject event(const SandboxRow &row)
{
    QJsonObject raw;
    const std::string local = sandboxLocalTime(row.when);
    raw.insert(QStringLiteral("date"), QString::fromStdString(local.substr(0, 10)));
    raw.insert(QStringLiteral("time"), QString::fromStdString(local.substr(11)));
    raw.insert(QStringLiteral("timezone"), QJsonValue());
    QJsonObject item;
    item.insert(QStringLiteral("time_iso"), QString::fromStdString(sandboxIsoTime(row.when)));
    item.insert(QStringLiteral("time_raw"), raw);
    item.insert(QStringLiteral("description"), QString::fromStdString(row.text));
    item.insert(QStringLiteral("location"), QString::fromStdString(row.location));
    return item;
}
} // namespace

std::string SandboxServer::track17Rules()
{
    return "17TRACK stand-in, POST /track/v2.2/register, /track/v2.2/gettrackinfo, /track/v2.2/getquota "
           "(JSON):\n"
           "  17token header other than --17track-token -> HTTP 401, {\"code\": -18010002,\n"
           "                                            \"data\": {\"errors\": [{\"code\", \"message\"}]}}\n"
           "  more than 40 numbers in one request      -> the same envelope with -18010014\n"
           "  a number BUSY...                         -> HTTP 429 for the whole request\n"
           "  register: carrier no catalogue carrier has -> rejected -18019910\n"
           "            number not 5 to 50 letters and digits -> rejected -18010012\n"
           "            number QUOTA..., or the quota used up -> rejected -18019908\n"
           "            no carrier                    -> the carrier detected from the number's form\n"
           "                                            (the first the program's carrier guess names;\n"
           "                                            a carrier without a key of the program's gets\n"
           "                                            900000 + its catalogue position), given as\n"
           "                                            \"carrier\" of the accepted item with origin 1;\n"
           "                                            a form it cannot place -> rejected -18019903\n"
           "            number registered before under that carrier -> rejected -18019901\n"
           "            accepted                      -> uses one of the account's 100 quota\n"
           "  gettrackinfo: number not registered (under the carrier, when one is given) -> -18019902\n"
           "            0000000000, 9999999999 or OLDNONE... -> accepted, status NotFound, no events\n"
           "            any other number             -> the simulated parcel of the carrier and number,\n"
           "                                            events newest first with time_iso in local time,\n"
           "                                            latest_status InTransit, OutForDelivery or "
           "Delivered\n"
           "            REFUSED...                    -> its refused parcel, latest_status Exception,\n"
           "                                            sub_status Exception_Rejected\n"
           "            MIXED...                      -> its events oldest first over two providers,\n"
           "                                            one of them twice\n"
           "  getquota                                -> quota_total 100, quota_used, quota_remain,\n"
           "                                            max_track_daily, free_email_quota,\n"
           "                                            free_email_quotaused\n";
}

void SandboxServer::installTrack17()
{
    const auto authorised = [this](const httplib::Request &request, httplib::Response &response) {
        if (request.get_header_value("17token") == m_options.track17Token)
            return true;
        response.status = 401;
        response.set_content(requestError(-18010002, "Invalid security key."), "application/json");
        return false;
    };
    const auto handle = [this, authorised](bool registering, const httplib::Request &request,
                                           httplib::Response &response) {
        recordBody(request.body);
        if (!authorised(request, response))
            return;
        const QJsonArray items = QJsonDocument::fromJson(QByteArray::fromStdString(request.body)).array();
        if (items.size() > 40) {
            response.set_content(requestError(-18010014, "Tracking numbers exceed the 40 limit."),
                                 "application/json");
            return;
        }
        for (const QJsonValue &item : items) {
            if (startsWith(item.toObject().value(QStringLiteral("number")).toString().toStdString(),
                           "BUSY")) {
                response.status = 429;
                response.set_content("{}", "application/json");
                return;
            }
        }
        QJsonArray accepted, refused;
        for (const QJsonValue &value : items) {
            const QJsonObject item = value.toObject();
            const QString number = item.value(QStringLiteral("number")).toString();
            const std::string nu = number.toStdString();
            const bool given = item.contains(QStringLiteral("carrier"));
            int carrier = item.value(QStringLiteral("carrier")).toInt();
            if (registering) {
                if (given && comOf(carrier).empty()) {
                    refused.append(rejected(number, -18019910, "The carrier's value is not correct."));
                    continue;
                }
                if (!validNumber(nu)) {
                    refused.append(rejected(number, -18010012, "The format of 'number' is invalid."));
                    continue;
                }
                if (!given)
                    carrier = detectedKey(nu);
                std::lock_guard<std::mutex> lock(m_parcels->mutex);
                std::set<int> &keys = m_parcels->track17Registered[nu];
                if (startsWith(nu, "QUOTA") || m_parcels->track17QuotaUsed >= kSandboxTrack17Quota) {
                    refused.append(rejected(number, -18019908, "Quota is not enough."));
                } else if (carrier == 0) {
                    refused.append(rejected(number, -18019903,
                                            "Carrier cannot be detected. Visit carrier info for carrier "
                                            "code and send as a parameter."));
                } else if (keys.count(carrier) > 0) {
                    refused.append(rejected(number, -18019901, "The tracking number is already registered."));
                } else {
                    keys.insert(carrier);
                    ++m_parcels->track17QuotaUsed;
                    QJsonObject ok;
                    ok.insert(QStringLiteral("origin"), given ? 2 : 1);
                    ok.insert(QStringLiteral("number"), number);
                    ok.insert(QStringLiteral("carrier"), carrier);
                    accepted.append(ok);
                }
                continue;
            }
            bool known = false;
            {
                std::lock_guard<std::mutex> lock(m_parcels->mutex);
                const auto found = m_parcels->track17Registered.find(nu);
                if (found != m_parcels->track17Registered.end() && !found->second.empty()) {
                    if (!given)
                        carrier = *found->second.begin();
                    known = found->second.count(carrier) > 0;
                }
            }
            if (!known) {
                refused.append(rejected(number, -18019902, "The tracking number is not registered."));
                continue;
            }
            std::vector<SandboxRow> rows;
            if (sandboxNumberKind(nu) == SandboxNumber::Story)
                rows = storyRows(comOf(carrier), nu);
            QJsonObject status;
            const bool refusedParcel = isRefusedParcel(nu) && !rows.empty();
            status.insert(QStringLiteral("status"),
                          rows.empty()           ? QStringLiteral("NotFound")
                              : refusedParcel    ? QStringLiteral("Exception")
                              : rows.size() == 8 ? QStringLiteral("Delivered")
                              : rows.size() == 7 ? QStringLiteral("OutForDelivery")
                                                 : QStringLiteral("InTransit"));
            if (refusedParcel)
                status.insert(QStringLiteral("sub_status"), QStringLiteral("Exception_Rejected"));
            QJsonArray first, second;
            if (startsWith(number.toStdString(), "MIXED")) {
                // Oldest first, against the rule, and the oldest also from a second provider.
                for (const SandboxRow &row : rows)
                    first.append(event(row));
                if (!rows.empty())
                    second.append(event(rows.front()));
            } else {
                for (auto row = rows.rbegin(); row != rows.rend(); ++row)
                    first.append(event(*row));
            }
            QJsonArray providers;
            for (const QJsonArray &events : {first, second}) {
                if (events.isEmpty())
                    continue;
                QJsonObject provider;
                provider.insert(QStringLiteral("key"), carrier);
                QJsonObject entry;
                entry.insert(QStringLiteral("provider"), provider);
                entry.insert(QStringLiteral("events"), events);
                providers.append(entry);
            }
            QJsonObject tracking;
            tracking.insert(QStringLiteral("providers"), providers);
            QJsonObject info;
            info.insert(QStringLiteral("latest_status"), status);
            if (!first.isEmpty())
                info.insert(QStringLiteral("latest_event"), first.first());
            info.insert(QStringLiteral("tracking"), tracking);
            QJsonObject item2;
            item2.insert(QStringLiteral("number"), number);
            item2.insert(QStringLiteral("carrier"), carrier);
            item2.insert(QStringLiteral("track_info"), info);
            accepted.append(item2);
        }
        response.set_content(envelope(accepted, refused), "application/json");
    };
    m_server->Post("/track/v2.2/register",
                   [handle](const httplib::Request &request, httplib::Response &response) {
                       handle(true, request, response);
                   });
    m_server->Post("/track/v2.2/gettrackinfo",
                   [handle](const httplib::Request &request, httplib::Response &response) {
                       handle(false, request, response);
                   });
    m_server->Post("/track/v2.2/getquota",
                   [this, authorised](const httplib::Request &request, httplib::Response &response) {
                       if (!authorised(request, response))
                           return;
                       int used = 0;
                       {
                           std::lock_guard<std::mutex> lock(m_parcels->mutex);
                           used = m_parcels->track17QuotaUsed;
                       }
                       QJsonObject data;
                       data.insert(QStringLiteral("quota_total"), kSandboxTrack17Quota);
                       data.insert(QStringLiteral("quota_used"), used);
                       data.insert(QStringLiteral("quota_remain"), kSandboxTrack17Quota - used);
                       data.insert(QStringLiteral("max_track_daily"), 0);
                       data.insert(QStringLiteral("free_email_quota"), 0);
                       data.insert(QStringLiteral("free_email_quotaused"), 0);
                       response.set_content(answerOf(0, data), "application/json");
                   });
}
