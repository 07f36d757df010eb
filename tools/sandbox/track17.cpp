// The stand-in for 17TRACK's tracking API v2.2: POST /track/v2.2/register and
// /track/v2.2/gettrackinfo, JSON arrays in, {"code", "data": {"accepted", "rejected"}} out.
#include "sandbox_parcels.h"

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

std::string envelope(int code, const QJsonArray &accepted, const QJsonArray &rejectedItems)
{
    QJsonObject data;
    data.insert(QStringLiteral("accepted"), accepted);
    data.insert(QStringLiteral("rejected"), rejectedItems);
    QJsonObject answer;
    answer.insert(QStringLiteral("code"), code);
    answer.insert(QStringLiteral("data"), data);
    return QJsonDocument(answer).toJson(QJsonDocument::Compact).toStdString();
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
    return "17TRACK stand-in, POST /track/v2.2/register and /track/v2.2/gettrackinfo (JSON):\n"
           "  17token header other than --17track-token -> HTTP 401\n"
           "  more than 40 numbers in one request      -> code -18010014\n"
           "  a number BUSY...                         -> HTTP 429 for the whole request\n"
           "  register: carrier no catalogue carrier has -> rejected -18019910\n"
           "            number not 5 to 50 letters and digits -> rejected -18010012\n"
           "            number QUOTA...               -> rejected -18019908 (quota used up)\n"
           "            number registered before      -> rejected -18019901\n"
           "  gettrackinfo: number not registered     -> rejected -18019902\n"
           "            0000000000 or 9999999999     -> accepted, status NotFound, no events\n"
           "            any other number             -> the simulated parcel of the carrier and number,\n"
           "                                            events newest first with time_iso in local time,\n"
           "                                            latest_status InTransit, OutForDelivery or "
           "Delivered\n"
           "            MIXED...                      -> its events oldest first over two providers,\n"
           "                                            one of them twice\n";
}

void SandboxServer::installTrack17()
{
    const auto handle = [this](bool registering, const httplib::Request &request,
                               httplib::Response &response) {
        if (request.get_header_value("17token") != m_options.track17Token) {
            response.status = 401;
            response.set_content(envelope(-18010002, {}, {}), "application/json");
            return;
        }
        const QJsonArray items = QJsonDocument::fromJson(QByteArray::fromStdString(request.body)).array();
        if (items.size() > 40) {
            response.set_content(envelope(-18010014, {}, {}), "application/json");
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
            const int carrier = item.value(QStringLiteral("carrier")).toInt();
            const std::string com = comForTrack17CarrierKey(carrier).toStdString();
            const std::string key = std::to_string(carrier) + "|" + number.toStdString();
            bool known = false;
            {
                std::lock_guard<std::mutex> lock(m_parcels->mutex);
                known = m_parcels->track17Registered.count(key) > 0;
            }
            if (registering) {
                if (com.empty()) {
                    refused.append(rejected(number, -18019910, "The carrier's value is not correct."));
                } else if (!validNumber(number.toStdString())) {
                    refused.append(rejected(number, -18010012, "The format of 'number' is invalid."));
                } else if (startsWith(number.toStdString(), "QUOTA")) {
                    refused.append(rejected(number, -18019908, "Quota is not enough."));
                } else if (known) {
                    refused.append(rejected(number, -18019901, "The tracking number is already registered."));
                } else {
                    std::lock_guard<std::mutex> lock(m_parcels->mutex);
                    m_parcels->track17Registered.insert(key);
                    QJsonObject ok;
                    ok.insert(QStringLiteral("number"), number);
                    ok.insert(QStringLiteral("carrier"), carrier);
                    accepted.append(ok);
                }
                continue;
            }
            if (!known) {
                refused.append(rejected(number, -18019902, "The tracking number is not registered."));
                continue;
            }
            std::vector<SandboxRow> rows;
            if (sandboxNumberKind(number.toStdString()) == SandboxNumber::Story)
                rows = storyRows(com, number.toStdString());
            QJsonObject status;
            status.insert(QStringLiteral("status"),
                          rows.empty()           ? QStringLiteral("NotFound")
                              : rows.size() == 8 ? QStringLiteral("Delivered")
                              : rows.size() == 7 ? QStringLiteral("OutForDelivery")
                                                 : QStringLiteral("InTransit"));
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
        response.set_content(envelope(0, accepted, refused), "application/json");
    };
    m_server->Post("/track/v2.2/register",
                   [handle](const httplib::Request &request, httplib::Response &response) {
                       handle(true, request, response);
                   });
    m_server->Post("/track/v2.2/gettrackinfo",
                   [handle](const httplib::Request &request, httplib::Response &response) {
                       handle(false, request, response);
                   });
}
